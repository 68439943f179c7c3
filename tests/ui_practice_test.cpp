// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Practice by technique in the window: the list of every technique in the
// window's language, a chosen technique played from the practice pool and
// taken to the position where it is needed, so that the first hint is that
// technique with its drawing and explanation; an empty pool searched for with
// the waiting panel, which can be cancelled; a technique out of reach said; a
// damaged pool set aside, a full disk told, two windows on one pool.
#include "engine/advanced/ids.h"
#include "engine/advanced/practice.h"
#include "engine/generator/generation.h"
#include "example_file.h"
#include "io/puzzle_file.h"
#include "io/puzzle_pool.h"
#include "test_support.h"
#include "ui/board_widget.h"
#include "ui/generation_task.h"
#include "ui/main_window.h"
#include "ui/practice_filler.h"

#include "full_disk.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>

namespace vemo::ui {
namespace {

io::PooledPuzzle ForPractice(const Engine& e, int technique) {
    io::PooledPuzzle p = io::PooledFromEngine(e, io::PoolSetting{e.VariantKind, 0, 0, 0});
    p.technique = technique;
    return p;
}

std::unique_ptr<MainWindow> OpenWindow(const QTemporaryDir& folder,
                                       const QString& program = QStringLiteral(VEMO_SOURCE_DIR
                                                                               "/data/")) {
    StartOptions options;
    options.programFolder = program;
    options.settingsPath = folder.filePath(QStringLiteral("VemoTarn.ini"));
    options.dataFolder = folder.filePath(QStringLiteral("data"));
    auto window = std::make_unique<MainWindow>(options);
    // A game in progress is given up without a question box.
    window->AskAbandon = [](bool*) { return true; };
    window->show();
    window->activateWindow();
    return window;
}

class PracticeWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = OpenWindow(folder_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        ASSERT_NE(window_->Practice(), nullptr);
        ASSERT_NE(window_->PracticeMenu(), nullptr);
        pool_ = std::make_unique<io::PuzzlePool>(
            window_->Practice()->Pool().Path(), io::kPracticePerTechnique, io::PoolKind::kPractice);
    }

    Engine& E() { return window_->Game().Game(); }
    const QString& Status() { return window_->Game().StatusMessage(); }

    static QAction* EntryOf(MainWindow& window, int technique) {
        for (QAction* action : window.PracticeMenu()->actions())
            if (!action->isSeparator() && action->data().toInt() == technique) return action;
        return nullptr;
    }

    // Chooses the technique in the menu; true when a game came.
    static bool Practise(MainWindow& window, int technique, bool* searched = nullptr) {
        QSignalSpy finished(&window.Generation(), &GenerationTask::Finished);
        QSignalSpy progress(&window.Generation(), &GenerationTask::Progress);
        QAction* entry = EntryOf(window, technique);
        EXPECT_NE(entry, nullptr) << technique;
        if (entry == nullptr) return false;
        entry->trigger();
        if (finished.isEmpty() && !finished.wait(120000)) return false;
        QApplication::processEvents();
        if (searched) *searched = !progress.isEmpty();
        return finished.first().at(0).toBool();
    }

    bool NewGame() {
        QSignalSpy finished(&window_->Generation(), &GenerationTask::Finished);
        QTest::keyClick(window_->Board(), Qt::Key_N, Qt::ControlModifier);
        if (finished.isEmpty() && !finished.wait(60000)) return false;
        QApplication::processEvents();
        return finished.first().at(0).toBool();
    }

    // The first hints of the game: F6 names the technique, F7 shows it drawn
    // and explained. Played by F8, the step keeps the solution.
    void ExpectFirstHintIs(int technique) {
        const QString name = window_->Game().StepName(technique);
        ASSERT_FALSE(name.isEmpty());
        QTest::keyClick(window_->Board(), Qt::Key_F6);
        EXPECT_EQ(Status(), name);
        EXPECT_FALSE(window_->Game().Explanation().isEmpty());
        QTest::keyClick(window_->Board(), Qt::Key_F7);
        EXPECT_EQ(E().HintTechnique, technique);
        EXPECT_TRUE(Status().startsWith(name)) << Status().toStdString();
        EXPECT_FALSE(window_->Game().Board().Drawing.Empty()) << "the step is drawn";
        EXPECT_FALSE(window_->Game().Explanation().isEmpty());
        const Candidates before = E().CandidateTable;
        const int filled = E().FilledCount;
        QTest::keyClick(window_->Board(), Qt::Key_F8);
        EXPECT_TRUE(E().CandidateTable != before || E().FilledCount != filled);
        for (int c = 0; c < kCells; ++c) {
            if (E().CellGrid[0][c] != 0) {
                EXPECT_EQ(E().CellGrid[0][c], E().SolutionGrid[c]) << c;
            } else {
                EXPECT_TRUE(E().CandidateTable.Has(c, E().SolutionGrid[c])) << c;
            }
        }
    }

    QTemporaryDir folder_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<io::PuzzlePool> pool_;
};

TEST_F(PracticeWindow, TheListNamesEveryTechniqueInTheWindowsLanguage) {
    const auto techniques = practice::PracticeTechniques();
    QMenu* menu = window_->PracticeMenu();
    EXPECT_EQ(menu->title(), window_->Texts().Text(934));
    ASSERT_NE(window_->PracticeButton(), nullptr);
    EXPECT_EQ(window_->PracticeButton()->menu(), menu) << "the toolbar's button has the same menu";
    auto entries = [&] {
        std::vector<QAction*> list;
        for (QAction* action : menu->actions())
            if (!action->isSeparator()) list.push_back(action);
        return list;
    };
    ASSERT_EQ(entries().size(), techniques.size());
    for (std::size_t i = 0; i < techniques.size(); ++i) {
        EXPECT_EQ(entries()[i]->data().toInt(), techniques[i].technique);
        EXPECT_FALSE(entries()[i]->text().isEmpty());
    }
    EXPECT_EQ(EntryOf(*window_, kXYWing)->text(), QStringLiteral("XY-wing"));
    EXPECT_EQ(EntryOf(*window_, advanced::kSkyscraper)->text(), QStringLiteral("Gratte-ciel"));
    EXPECT_EQ(EntryOf(*window_, advanced::kForcingNet)->text(), QString::fromUtf8("Filet forcé"));
    EXPECT_EQ(menu->actions().first()->text(), window_->Texts().Text(941));

    window_->Run(Command::English);
    EXPECT_EQ(menu->title(), QStringLiteral("&Practise"));
    EXPECT_EQ(EntryOf(*window_, advanced::kSkyscraper)->text(), QStringLiteral("Skyscraper"));
    EXPECT_EQ(EntryOf(*window_, advanced::kForcingNet)->text(), QStringLiteral("Forcing net"));
    EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("Basic techniques"));
    EXPECT_EQ(window_->PracticeButton()->toolTip(), QStringLiteral("Practise a technique"));
    for (QAction* entry : entries()) EXPECT_FALSE(entry->text().isEmpty());
}

TEST_F(PracticeWindow, ATechniqueFromThePoolStartsWhereItIsNeeded) {
    for (const auto& [file, technique] : std::vector<std::pair<std::string, int>>{
             {"WXYZwing1.sku", advanced::kWXYZWing}, {"XYchaîne1.sku", advanced::kXYChain}}) {
        const Engine puzzle = AnalysedExample(file);
        ASSERT_EQ(practice::FindHardestStep(puzzle).technique, technique) << file;
        ASSERT_TRUE(pool_->Add(ForPractice(puzzle, technique)));
        bool searched = true;
        ASSERT_TRUE(Practise(*window_, technique, &searched));
        EXPECT_FALSE(searched) << "a ready puzzle needs no search";
        EXPECT_EQ(pool_->TechniqueCount(technique), 0) << "taken out of the pool";
        EXPECT_EQ(E().Givens, puzzle.Givens);
        EXPECT_EQ(E().SolutionGrid, puzzle.SolutionGrid);
        EXPECT_TRUE(E().PuzzleFixed);
        // The steps before the technique are played, as one move.
        EXPECT_GT(E().FilledCount, puzzle.FilledCount);
        EXPECT_TRUE(window_->Action(Command::Undo)->isEnabled());
        EXPECT_EQ(window_->Game().HintsPlayed, 0);
        EXPECT_TRUE(Status().contains(window_->Game().StepName(technique)));
        // What is practised stays in sight past the two seconds of a notice.
        QTest::qWait(2200);
        EXPECT_TRUE(Status().contains(window_->Game().StepName(technique)));
        const Grid advancedPosition = E().CellGrid[0];

        ExpectFirstHintIs(technique);

        // Undone twice: the puzzle as given.
        window_->Run(Command::Undo);
        EXPECT_EQ(E().CellGrid[0], advancedPosition);
        window_->Run(Command::Undo);
        EXPECT_EQ(E().CellGrid[0], E().Givens);
        EXPECT_FALSE(window_->Action(Command::Undo)->isEnabled());
    }
}

TEST_F(PracticeWindow, AnEmptyPoolIsSearchedWithTheWaitingPanel) {
    QSignalSpy progress(&window_->Generation(), &GenerationTask::Progress);
    bool shown = false, named = false;
    QObject::connect(&window_->Generation(), &GenerationTask::Progress, window_.get(), [&] {
        shown = shown || window_->WaitingPanel()->isVisible();
        const auto* text = window_->WaitingPanel()->findChild<QLabel*>(QStringLiteral("Panel2"));
        named = named || (text != nullptr && text->text().contains(QStringLiteral("XY-wing")));
    });
    bool searched = false;
    ASSERT_TRUE(Practise(*window_, kXYWing, &searched));
    EXPECT_TRUE(searched);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(named) << "the panel says what is looked for";
    EXPECT_FALSE(window_->WaitingPanel()->isVisible());
    EXPECT_EQ(practice::FindHardestStep(E()).technique, kXYWing);
    ExpectFirstHintIs(kXYWing);
    // The player's band is kept for Ctrl+N.
    EXPECT_TRUE(window_->Action(Command::Easy)->isChecked());
    EXPECT_EQ(E().ScoreMax, 105);
}

TEST_F(PracticeWindow, TheSearchCancelledKeepsTheGame) {
    ASSERT_TRUE(NewGame());
    const Grid givens = E().Givens;
    const Grid position = E().CellGrid[0];
    const QString status = Status();
    window_->Generation().SetPracticeBudget(1000000000);
    QSignalSpy finished(&window_->Generation(), &GenerationTask::Finished);
    QSignalSpy progress(&window_->Generation(), &GenerationTask::Progress);
    // The rarest technique: its search cannot end before the click.
    EntryOf(*window_, advanced::kUniqueRectangle5)->trigger();
    ASSERT_TRUE(progress.wait(60000));
    EXPECT_TRUE(window_->WaitingPanel()->isVisible());
    EXPECT_FALSE(window_->CommandBar()->isEnabled());
    QTest::mouseClick(window_->WaitingCancelButton(), Qt::LeftButton);
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(60000));
    EXPECT_FALSE(finished.first().at(0).toBool());
    QApplication::processEvents();
    EXPECT_FALSE(window_->WaitingPanel()->isVisible());
    EXPECT_EQ(E().Givens, givens);
    EXPECT_EQ(E().CellGrid[0], position);
    EXPECT_EQ(Status(), status);
    EXPECT_TRUE(window_->CommandBar()->isEnabled());
    EXPECT_TRUE(window_->Action(Command::Hint)->isEnabled());
}

TEST_F(PracticeWindow, ATechniqueOutOfReachIsSaidAndTheGameStays) {
    // The program's folder as installed, but with no example files to fall
    // back on.
    QTemporaryDir program;
    ASSERT_TRUE(program.isValid());
    const QDir data(QStringLiteral(VEMO_SOURCE_DIR "/data"));
    for (const QString& name : data.entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot)) {
        if (name != QStringLiteral("exemples")) {
            ASSERT_TRUE(QFile::link(data.filePath(name), program.filePath(name)));
        }
    }
    ASSERT_TRUE(QDir(program.path()).mkdir(QStringLiteral("exemples")));
    window_.reset();
    window_ = OpenWindow(folder_, program.path() + QStringLiteral("/"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    ASSERT_TRUE(NewGame());
    const Grid givens = E().Givens;
    window_->Generation().SetPracticeBudget(2);
    // The rarest technique, which the search does not meet in two puzzles.
    EXPECT_FALSE(Practise(*window_, advanced::kUniqueRectangle5));
    EXPECT_TRUE(window_->Generation().GaveUp());
    const QString told = window_->Texts().Text(938);
    ASSERT_TRUE(told.contains(QStringLiteral("%1")));
    EXPECT_EQ(Status(),
              QString(told).replace(QStringLiteral("%1"),
                                    window_->Game().StepName(advanced::kUniqueRectangle5)));
    EXPECT_EQ(window_->Game().StatusColour(), kAlarmColour);
    EXPECT_EQ(E().Givens, givens);
    EXPECT_TRUE(E().PuzzleFixed);
    EXPECT_FALSE(window_->WaitingPanel()->isVisible());
    EXPECT_TRUE(window_->CommandBar()->isEnabled());
}

// A technique the search does not meet within its budget but that has
// example files is played from one of them, from where it is needed.
// The Unique Rectangle Type 5, which random puzzles hardly ever need, comes
// from its examples too.
TEST_F(PracticeWindow, ATechniqueOutOfReachWithExamplesIsPlayedFromOne) {
    for (const int technique : {advanced::kXChain, advanced::kUniqueRectangle5}) {
        SCOPED_TRACE(technique);
        ASSERT_TRUE(NewGame());
        window_->Generation().SetPracticeBudget(2);
        EXPECT_FALSE(Practise(*window_, technique));
        EXPECT_TRUE(window_->Generation().GaveUp());
        QApplication::processEvents();
        EXPECT_NE(window_->Game().StatusColour(), kAlarmColour) << Status().toStdString();
        EXPECT_TRUE(E().PuzzleFixed);
        const QString stem = QString::fromUtf8(practice::PracticeEntry(technique)->stem);
        bool anExample = false;
        for (int n = 1; n <= 9; ++n) {
            const QString path =
                QStringLiteral(VEMO_SOURCE_DIR "/data/exemples/%1%2.sku").arg(stem).arg(n);
            Engine example;
            if (QFileInfo::exists(path) &&
                io::LoadPuzzleFile(path.toStdString(), example).outcome ==
                    io::LoadOutcome::kInstalled)
                anExample = anExample || example.Givens == E().Givens;
        }
        EXPECT_TRUE(anExample) << "the game is one of the technique's examples";
        ExpectFirstHintIs(technique);
    }
}

// The techniques that the hint order pre-empts (a colouring takes the place
// of a Skyscraper, a cell forcing chain that of a contradiction, ...): each
// is played from one of its examples, and its first hint is that technique,
// drawn, explained and sound, where a normal game of the same puzzle has the
// technique that comes first in the order.
TEST_F(PracticeWindow, APreemptedTechniqueIsTheFirstHintOfItsPractice) {
    for (const practice::PracticeTechnique& entry : practice::PracticeTechniques()) {
        const std::span<const int> preempters = practice::PreemptersOf(entry.technique);
        if (preempters.empty()) continue;
        const int technique = entry.technique;
        // Within a budget of two puzzles, played from an example.
        window_->Generation().SetPracticeBudget(2);
        Practise(*window_, technique);
        QApplication::processEvents();
        ASSERT_TRUE(E().PuzzleFixed) << technique;
        EXPECT_NE(window_->Game().StatusColour(), kAlarmColour) << Status().toStdString();
        EXPECT_TRUE(Status().contains(window_->Game().StepName(technique)))
            << Status().toStdString();
        EXPECT_TRUE(window_->Game().Explanation().isEmpty()) << "nothing of the last game";
        const Grid givens = E().Givens;
        const Grid position = E().CellGrid[0];
        const Candidates candidates = E().CandidateTable;
        // The hint order at that position is unchanged: another technique.
        Engine usual = E();
        usual.AdvancedLayer = true;
        usual.FindNextTechnique();
        ASSERT_NE(usual.HintTechnique, technique) << "the order does not reach it";
        EXPECT_NE(std::find(preempters.begin(), preempters.end(), usual.HintTechnique),
                  preempters.end());

        ExpectFirstHintIs(technique);
        EXPECT_TRUE(window_->Game().Explanation().contains(window_->Game().StepName(technique)))
            << window_->Game().Explanation().toStdString();

        // Back at the position, the practised technique again; the same puzzle
        // as a normal game has the usual hint there.
        window_->Run(Command::Undo);
        ASSERT_EQ(E().CellGrid[0], position);
        ASSERT_TRUE(E().CandidateTable == candidates);
        QTest::keyClick(window_->Board(), Qt::Key_F6);
        EXPECT_EQ(E().HintTechnique, technique);
        // (the game may come from the search or from an example file)
        Engine file = E();
        file.CellGrid[0] = file.Givens;
        const QString example = folder_.filePath(QStringLiteral("same.sku"));
        ASSERT_TRUE(io::SavePuzzleFile(example.toStdString(), file));
        window_->Game().OpenExample(example);
        ASSERT_EQ(E().Givens, givens);
        const int at = practice::PracticeStepIndex(E(), technique);
        ASSERT_GE(at, 0);
        for (int i = 0; i < at; ++i) QTest::keyClick(window_->Board(), Qt::Key_F8);
        ASSERT_EQ(E().CellGrid[0], position);
        ASSERT_TRUE(E().CandidateTable == candidates);
        QTest::keyClick(window_->Board(), Qt::Key_F6);
        EXPECT_EQ(E().HintTechnique, usual.HintTechnique) << technique;
    }
}

TEST_F(PracticeWindow, ADamagedPoolIsSetAsideAndTold) {
    const std::string path = pool_->Path();
    QDir().mkpath(folder_.filePath(QStringLiteral("data")));
    std::ofstream(path, std::ios::binary) << "VemoTarn practice pool 1\n15 0 0 1 12";
    window_->Run(Command::English);
    QSignalSpy problems(window_->Practice(), &PracticeFiller::Problem);
    ASSERT_TRUE(Practise(*window_, kXYWing));
    ASSERT_TRUE(problems.count() > 0 || problems.wait(2000));
    QApplication::processEvents();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path + ".bad")));
    EXPECT_EQ(Status(), QStringLiteral("The practice puzzles were damaged: they have been set "
                                       "aside (entrainement.txt.bad)."));
    EXPECT_EQ(practice::FindHardestStep(E()).technique, kXYWing) << "the game comes all the same";
}

TEST_F(PracticeWindow, AFullDiskHandsNothingOutAndIsTold) {
    const Engine puzzle = AnalysedExample("WXYZwing2.sku");
    ASSERT_TRUE(pool_->Add(ForPractice(puzzle, advanced::kWXYZWing)));
    QSignalSpy finished(&window_->Generation(), &GenerationTask::Finished);
    QSignalSpy problems(window_->Practice(), &PracticeFiller::Problem);
    test::WithFullDisk(10, [&] {
        window_->PracticeCommand(advanced::kWXYZWing);
        return true;
    });
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(120000));
    QApplication::processEvents();
    ASSERT_TRUE(problems.count() > 0 || problems.wait(2000));
    QApplication::processEvents();
    // The puzzle that could not be taken out stays for the next time.
    EXPECT_EQ(pool_->TechniqueCount(advanced::kWXYZWing), 1);
    EXPECT_EQ(Status(), window_->Texts().Text(940));
    EXPECT_TRUE(E().PuzzleFixed);
}

TEST_F(PracticeWindow, TwoWindowsOnOnePoolTakeDifferentPuzzles) {
    const Engine first = AnalysedExample("WXYZwing1.sku");
    const Engine second = AnalysedExample("WXYZwing3.sku");
    ASSERT_TRUE(pool_->Add(ForPractice(first, advanced::kWXYZWing)));
    ASSERT_TRUE(pool_->Add(ForPractice(second, advanced::kWXYZWing)));
    std::unique_ptr<MainWindow> another = OpenWindow(folder_);
    bool searchedA = true, searchedB = true;
    ASSERT_TRUE(Practise(*window_, advanced::kWXYZWing, &searchedA));
    ASSERT_TRUE(Practise(*another, advanced::kWXYZWing, &searchedB));
    EXPECT_FALSE(searchedA);
    EXPECT_FALSE(searchedB);
    EXPECT_EQ(E().Givens, first.Givens);
    EXPECT_EQ(another->Game().Game().Givens, second.Givens);
    EXPECT_EQ(pool_->TechniqueCount(advanced::kWXYZWing), 0);
}

TEST(PracticeFillerWorker, FillsTheTechniqueAskedForFirstAndStopsOnDemand) {
    QTemporaryDir folder;
    PracticeFiller filler(folder.filePath(QStringLiteral("entrainement.txt")));
    QSignalSpy added(&filler, &PracticeFiller::Added);
    Engine window;
    window.SetDifficulty(kFacile);
    window.SymmetryChoice = 1;
    filler.Fill(window, kImpossibleNeighbour);
    EXPECT_TRUE(filler.Filling());
    bool found = false;
    for (int wait = 0; wait < 200 && !found; ++wait) {
        if (added.isEmpty() && !added.wait(60000)) break;
        while (!added.isEmpty())
            found = found || added.takeFirst().at(0).toInt() == kImpossibleNeighbour;
    }
    filler.Stop();
    EXPECT_FALSE(filler.Filling());
    ASSERT_TRUE(found);

    const std::optional<Engine> taken = filler.Take(window, kImpossibleNeighbour);
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->VariantKind, kConsecutive);
    EXPECT_TRUE(taken->PuzzleFixed);
    EXPECT_EQ(practice::FindHardestStep(*taken).technique, kImpossibleNeighbour);
    // Whatever else it kept is hardest at its technique, on its kind of grid,
    // within the bound.
    const io::PoolRead read = io::ReadPool(filler.Pool().Path(), io::PoolKind::kPractice);
    ASSERT_EQ(read.status, io::PoolStatus::kOk);
    std::map<int, int> counts;
    for (const io::PooledPuzzle& p : read.puzzles) {
        const practice::PracticeTechnique* entry = practice::PracticeEntry(p.technique);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(p.setting.variant, entry->variant);
        Engine e = window;
        io::InstallPooled(e, p);
        EXPECT_EQ(practice::FindHardestStep(e).technique, p.technique);
        EXPECT_LE(++counts[p.technique], io::kPracticePerTechnique);
    }
}

} // namespace
} // namespace vemo::ui
