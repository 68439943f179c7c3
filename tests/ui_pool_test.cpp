// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Ready puzzles in the window: Ctrl+N takes the pool's puzzle of its setting
// and generates as before when there is none, a damaged pool file is set
// aside, and the workers fill the setting in use first and stop on demand.
#include "engine/generator/generation.h"
#include "engine/scale/levels.h"
#include "engine/scale/scale.h"
#include "io/puzzle_pool.h"
#include "test_support.h"
#include "ui/board_widget.h"
#include "ui/generation_task.h"
#include "ui/main_window.h"
#include "ui/pool_filler.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace vemo::ui {
namespace {

Engine Generated(int band, int symmetry, std::uint64_t seed, int variant = kClassic) {
    Engine e;
    e.Rng.Seed(seed);
    e.SetDifficulty(band);
    e.SymmetryChoice = symmetry;
    e.VariantKind = variant;
    EXPECT_TRUE(e.GeneratePuzzle());
    return e;
}

// A puzzle of a level of the scale, made as the workers make them.
Engine OnScale(int level, int variant, int symmetry, std::uint64_t seed) {
    Engine e;
    e.Rng.Seed(seed);
    e.SetDifficulty(level);
    e.SymmetryChoice = symmetry;
    e.VariantKind = variant;
    scale::ScaleRater rater;
    EXPECT_GT(scale::GenerateOnScale(e, level, rater), 0);
    return e;
}

// The ER of the engine's givens, in tenths.
int ErOfGivens(const Engine& puzzle) {
    Engine e = puzzle;
    e.HistoryLevel = 0;
    e.CellGrid[0] = e.Givens;
    e.ComputeCandidates();
    scale::ScaleRater rater;
    return rater.Rate(e).er;
}

class PoolWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        StartOptions options;
        options.programFolder = QStringLiteral(VEMO_SOURCE_DIR "/data/");
        options.settingsPath = folder_.filePath(QStringLiteral("VemoTarn.ini"));
        options.dataFolder = folder_.filePath(QStringLiteral("data"));
        window_ = std::make_unique<MainWindow>(options);
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        ASSERT_NE(window_->Pool(), nullptr);
        pool_ = std::make_unique<io::PuzzlePool>(window_->Pool()->Pool().Path());
    }

    Engine& E() { return window_->Game().Game(); }

    // Ctrl+N, then the new game; true when a puzzle came.
    bool NewGame(bool* generated = nullptr) {
        QSignalSpy finished(&window_->Generation(), &GenerationTask::Finished);
        // A generation reports its first attempt at least.
        QSignalSpy attempts(&window_->Generation(), &GenerationTask::Progress);
        QTest::keyClick(window_->Board(), Qt::Key_N, Qt::ControlModifier);
        if (finished.isEmpty() && !finished.wait(60000)) return false;
        QApplication::processEvents();
        if (generated) *generated = !attempts.isEmpty();
        return finished.first().at(0).toBool();
    }

    io::PoolSetting Current() {
        Engine s = E();
        s.VariantKind = s.VariantChoice;
        s.XSudoku = s.XSudokuChoice;
        return *io::SettingOfEngine(s);
    }

    QTemporaryDir folder_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<io::PuzzlePool> pool_;
};

TEST_F(PoolWindow, CtrlNTakesTheReadyPuzzleOfItsSettingThenGenerates) {
    window_->Run(Command::Hard);
    window_->Run(Command::Axial);
    const io::PoolSetting setting = Current();
    ASSERT_EQ(setting.band, kDifficile);
    ASSERT_EQ(setting.symmetry, 2);
    const Engine ready = Generated(kDifficile, 2, 2601);
    const Engine other = Generated(kFacile, 2, 2602);
    ASSERT_TRUE(pool_->Add(io::PooledFromEngine(ready, setting)));
    io::PoolSetting easy = setting;
    easy.band = kFacile;
    ASSERT_TRUE(pool_->Add(io::PooledFromEngine(other, easy)));

    bool generated = true;
    ASSERT_TRUE(NewGame(&generated));
    EXPECT_FALSE(generated) << "no generation ran for a ready puzzle";
    EXPECT_EQ(test::TextOf(E().Givens), test::TextOf(ready.Givens));
    EXPECT_EQ(E().SolutionGrid, ready.SolutionGrid);
    EXPECT_EQ(E().TechniqueCounters, ready.TechniqueCounters);
    EXPECT_TRUE(E().PuzzleFixed);
    EXPECT_FALSE(E().Generating);
    EXPECT_EQ(window_->Game().StatusMessage(),
              window_->Texts().Text(502) + QString::number(E().FilledCount));
    EXPECT_TRUE(window_->Action(Command::Hint)->isEnabled());
    EXPECT_TRUE(window_->CommandBar()->isEnabled());
    // Taken out of the file; the other setting's puzzle stays.
    const auto counts = *pool_->Counts();
    EXPECT_EQ(counts[io::PoolSettingIndex(setting)], 0);
    EXPECT_EQ(counts[io::PoolSettingIndex(easy)], 1);

    // None left for this setting: a generation as before, a new puzzle.
    ASSERT_TRUE(NewGame(&generated));
    EXPECT_TRUE(generated);
    EXPECT_NE(test::TextOf(E().Givens), test::TextOf(ready.Givens));
    EXPECT_GE(E().PuzzleScore(), kDifficultyBands[kDifficile].scoreMin);
    EXPECT_LE(E().PuzzleScore(), kDifficultyBands[kDifficile].scoreMax);
    EXPECT_EQ((*pool_->Counts())[io::PoolSettingIndex(easy)], 1);
}

TEST_F(PoolWindow, ADamagedPoolIsSetAsideAndCtrlNStillGenerates) {
    const std::string path = window_->Pool()->Pool().Path();
    QDir().mkpath(folder_.filePath(QStringLiteral("data")));
    std::ofstream(path, std::ios::binary) << "VemoTarn puzzle pool 1\n0 0 0 1 12";
    QSignalSpy problems(window_->Pool(), &PoolFiller::Problem);
    bool generated = false;
    ASSERT_TRUE(NewGame(&generated));
    EXPECT_TRUE(generated);
    EXPECT_TRUE(E().PuzzleFixed);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path + ".bad")));
    ASSERT_TRUE(problems.count() > 0 || problems.wait(2000));
    EXPECT_TRUE(problems.first().at(0).toString().contains(QStringLiteral(".bad")));
}

TEST_F(PoolWindow, CtrlNAtTheScalesLevelsTakesTheirReadyPuzzle) {
    for (const int level : {kDiabolique, kDemoniaque}) {
        window_->Run(level == kDiabolique ? Command::Diabolique : Command::Demoniaque);
        window_->Run(Command::Central);
        EXPECT_TRUE(
            window_->Action(level == kDiabolique ? Command::Diabolique : Command::Demoniaque)
                ->isChecked());
        EXPECT_FALSE(window_->Action(Command::RandomLevel)->isChecked());
        EXPECT_TRUE(window_->Game().GenerateHint().contains(
            window_->Texts().Text(scale::LevelOf(level).text)));
        const io::PoolSetting setting = Current();
        ASSERT_EQ(setting.band, level);
        const Engine ready = OnScale(level, kClassic, 1, 2650 + static_cast<std::uint64_t>(level));
        const int er = ErOfGivens(ready);
        ASSERT_GE(er, scale::LevelOf(level).erMin);
        ASSERT_LE(er, scale::LevelOf(level).erMax);
        ASSERT_TRUE(pool_->Add(io::PooledFromEngine(ready, setting)));

        bool generated = true;
        ASSERT_TRUE(NewGame(&generated));
        EXPECT_FALSE(generated) << "no search ran for a ready puzzle";
        EXPECT_FALSE(window_->WaitingPanel()->isVisible());
        EXPECT_EQ(test::TextOf(E().Givens), test::TextOf(ready.Givens));
        EXPECT_EQ(E().SolutionGrid, ready.SolutionGrid);
        EXPECT_TRUE(E().PuzzleFixed);
        EXPECT_EQ(ErOfGivens(E()), er);
        EXPECT_EQ((*pool_->Counts())[io::PoolSettingIndex(setting)], 0);
        // The choice of the level stays for the next one.
        EXPECT_EQ(window_->Game().DifficultyBand(), level);
    }
}

TEST_F(PoolWindow, TheWaitingPanelShowsTheSearchAndItsCancelKeepsTheGame) {
    // A game in progress.
    ASSERT_TRUE(NewGame());
    const Grid givens = E().Givens;
    const Grid solution = E().SolutionGrid;
    const Grid position = E().CellGrid[0];
    const QString status = window_->Game().StatusMessage();

    window_->Run(Command::Demoniaque);
    window_->Run(Command::OddEven);
    window_->Generation().SetScaleBudget(1000000000);
    QSignalSpy finished(&window_->Generation(), &GenerationTask::Finished);
    QSignalSpy progress(&window_->Generation(), &GenerationTask::Progress);
    QTest::keyClick(window_->Board(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_TRUE(progress.wait(60000));
    // Over the board: the bar, how many puzzles were tried, a way out.
    EXPECT_TRUE(window_->WaitingPanel()->isVisible());
    EXPECT_TRUE(window_->WaitingCancelButton()->isVisible());
    const auto* text = window_->WaitingPanel()->findChild<QLabel*>(QStringLiteral("Panel2"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->text().contains(window_->Texts().Text(933)));
    EXPECT_FALSE(window_->CommandBar()->isEnabled());
    QTest::mouseClick(window_->WaitingCancelButton(), Qt::LeftButton);
    ASSERT_TRUE(!finished.isEmpty() || finished.wait(60000));
    EXPECT_FALSE(finished.first().at(0).toBool());
    QApplication::processEvents();

    EXPECT_FALSE(window_->WaitingPanel()->isVisible());
    EXPECT_EQ(E().Givens, givens);
    EXPECT_EQ(E().CellGrid[0], position);
    EXPECT_EQ(E().SolutionGrid, solution);
    EXPECT_EQ(E().VariantKind, kClassic) << "the game keeps its rules";
    EXPECT_TRUE(E().PuzzleFixed);
    EXPECT_EQ(window_->Game().StatusMessage(), status);
    EXPECT_TRUE(window_->CommandBar()->isEnabled());
    EXPECT_TRUE(window_->Action(Command::Hint)->isEnabled());
}

TEST_F(PoolWindow, ALevelOutOfReachIsSaidAndTheGameStays) {
    ASSERT_TRUE(NewGame());
    const Grid givens = E().Givens;
    window_->Run(Command::Diabolique);
    // No puzzle may be tried: the search ends at once without one.
    window_->Generation().SetScaleBudget(0);
    EXPECT_FALSE(NewGame());
    EXPECT_TRUE(window_->Generation().GaveUp());
    EXPECT_EQ(window_->Game().StatusMessage(), window_->Texts().Text(932));
    EXPECT_FALSE(window_->Texts().Text(932).isEmpty());
    EXPECT_FALSE(window_->WaitingPanel()->isVisible());
    EXPECT_EQ(E().Givens, givens);
    EXPECT_TRUE(E().PuzzleFixed);
    EXPECT_TRUE(window_->CommandBar()->isEnabled());
}

TEST_F(PoolWindow, ADamagedPoolIsToldInTheStatusBarInTheWindowsLanguage) {
    const std::string path = window_->Pool()->Pool().Path();
    QDir().mkpath(folder_.filePath(QStringLiteral("data")));
    std::ofstream(path, std::ios::binary) << "not a pool at all\n";
    window_->Run(Command::English);
    QSignalSpy problems(window_->Pool(), &PoolFiller::Problem);
    ASSERT_TRUE(NewGame());
    ASSERT_TRUE(problems.count() > 0 || problems.wait(2000));
    QApplication::processEvents();
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path + ".bad")));
    const QString told = window_->Texts().Text(930);
    EXPECT_TRUE(told.startsWith(QStringLiteral("The puzzle reserve"))) << told.toStdString();
    EXPECT_EQ(window_->Game().StatusMessage(), told);
    EXPECT_EQ(window_->Game().StatusColour(), kAlarmColour);
}

TEST(PoolFillerWorkers, FillTheScalesLevelsToo) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("reserve.txt"));
    PoolFiller filler(path);
    QSignalSpy added(&filler, &PoolFiller::Added);
    Engine window;
    window.SetDifficulty(kDiabolique);
    window.SymmetryChoice = 1;
    filler.Fill(window, 1);
    const io::PoolSetting wanted{kClassic, 0, kDiabolique, 1};
    ASSERT_TRUE(added.wait(120000));
    EXPECT_EQ(added.first().at(0).toInt(), io::PoolSettingIndex(wanted));
    filler.Stop();
    const std::optional<Engine> taken = filler.Take(window);
    ASSERT_TRUE(taken.has_value());
    const int er = ErOfGivens(*taken);
    EXPECT_GE(er, scale::kDiaboliqueLevel.erMin);
    EXPECT_LE(er, scale::kDiaboliqueLevel.erMax);
    EXPECT_TRUE(test::IsValidSolution(taken->SolutionGrid, false));
    EXPECT_EQ(taken->ScaleLevel, kDiabolique);
}

TEST(PoolFillerWorkers, FillTheSettingInUseFirstAndStopOnDemand) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("reserve.txt"));
    PoolFiller filler(path);
    QSignalSpy added(&filler, &PoolFiller::Added);
    Engine window;
    window.SetDifficulty(kMoyen);
    window.SymmetryChoice = 3;
    window.VariantChoice = kOddEven;
    window.XSudokuChoice = 1;
    filler.Fill(window, 1);
    EXPECT_TRUE(filler.Filling());
    ASSERT_TRUE(added.wait(60000));
    const io::PoolSetting wanted{kOddEven, 1, kMoyen, 3};
    EXPECT_EQ(added.first().at(0).toInt(), io::PoolSettingIndex(wanted));
    filler.Stop();
    EXPECT_FALSE(filler.Filling());

    // What it made is a puzzle of that setting, set up with its analysis.
    Engine settings = window;
    settings.VariantKind = kOddEven;
    settings.XSudoku = 1;
    const std::optional<Engine> taken = filler.Take(settings);
    ASSERT_TRUE(taken.has_value());
    EXPECT_EQ(taken->VariantKind, kOddEven);
    EXPECT_EQ(taken->XSudoku, 1);
    EXPECT_GE(taken->PuzzleScore(), kDifficultyBands[kMoyen].scoreMin);
    EXPECT_LE(taken->PuzzleScore(), kDifficultyBands[kMoyen].scoreMax);
    EXPECT_TRUE(test::IsValidSolution(taken->SolutionGrid, true));
    EXPECT_TRUE(taken->PuzzleFixed);
    // Each setting holds its bound at most.
    const auto counts = *filler.Pool().Counts();
    for (const int count : counts) EXPECT_LE(count, io::kPoolPerSetting);
}

} // namespace
} // namespace vemo::ui
