// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A game is never lost: kept at closing and resumed at the next start, a
// question before a command throws it away, records of finished games, and
// the window in every language of the folder.
#include "ui_window_fixture.h"

#include "io/data_folder.h"
#include "io/records.h"
#include "io/saved_game.h"
#include "ui/characteristics_page.h"
#include "ui/dialogs/congratulations_dialog.h"
#include "ui/records_dialog.h"
#include "ui/translator.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>

#include <chrono>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vemo::ui {
namespace {

class Resume : public Window {
  protected:
    void SetUp() override {
        // Never the real home: the data folder lives in the test's folder.
        qputenv("XDG_DATA_HOME", folder_.path().toUtf8());
        Window::SetUp();
        window_ = WithData();
    }

    std::unique_ptr<MainWindow> WithData() {
        window_.reset(); // one window at a time, as one program
        return AnotherWindow();
    }

    // One more window on the same data folder, as a start on another desktop
    // makes it.
    std::unique_ptr<MainWindow> AnotherWindow() {
        StartOptions options;
        options.programFolder = QStringLiteral(VEMO_SOURCE_DIR "/data/");
        options.settingsPath = folder_.filePath(QStringLiteral("VemoTarn.ini"));
        options.dataFolder = QString::fromStdString(io::DataFolder());
        auto w = std::make_unique<MainWindow>(options);
        w->SetFinishHandler([this] { ++finished_; });
        w->ReportError = [this](const QString& m) { errors_ << m; };
        w->AskAbandon = [this](bool* dontAsk) {
            ++asked_;
            if (dontAsk) *dontAsk = dontAskAnswer_;
            return abandonAnswer_;
        };
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    // Closes the window as the player does, then starts the program again.
    void Restart() {
        window_->close();
        window_ = WithData();
        window_->ResumeSavedGame();
    }

    std::string SavedPath() const { return window_->SavedGamePath().toStdString(); }

    // The kept game as the file holds it; empty when there is none.
    std::string SavedBytes() const {
        std::ifstream in(SavedPath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // Drives `w` with the fixture's keys until the end of the scope.
    struct Driving {
        Driving(Resume& t, std::unique_ptr<MainWindow>& w) : test(t), other(w) {
            std::swap(test.window_, other);
            test.window_->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(test.window_.get()));
        }
        ~Driving() {
            std::swap(test.window_, other);
            // Keys go to the active window only.
            test.window_->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(test.window_.get()));
        }
        Resume& test;
        std::unique_ptr<MainWindow>& other;
    };

    void WriteSaved(const std::string& bytes) {
        io::MakeFolders(QFileInfo(window_->SavedGamePath()).path().toStdString());
        std::ofstream(SavedPath(), std::ios::binary) << bytes;
    }

    int SolutionAt(int cell) const { return kSolved[cell] - '0'; }

    // A candidate of the cell that is not its solution digit.
    int WrongCandidate(int cell) {
        for (int d = 1; d <= 9; ++d)
            if (d != SolutionAt(cell) && E().CandidateTable.Has(cell, d)) return d;
        return 0;
    }

    // Opens the puzzle and plays: two digits, one candidate removed, one
    // wrong digit refused, then the removal undone.
    void PlaySomeMoves() {
        Open(Write("p.sku", kPuzzle));
        ASSERT_TRUE(E().PuzzleFixed);
        int first = FirstEmpty();
        GoTo(first);
        Digit(SolutionAt(first));
        const int second = FirstEmpty();
        GoTo(second);
        Digit(SolutionAt(second));
        const int third = FirstEmpty();
        GoTo(third);
        Digit(WrongCandidate(third)); // refused: one error
        const int removed = WrongCandidate(third);
        Digit(removed, Qt::ControlModifier | Qt::KeypadModifier);
        ASSERT_FALSE(E().CandidateTable.Has(third, removed));
        window_->Run(Command::Undo);
        ASSERT_TRUE(E().CandidateTable.Has(third, removed));
        ASSERT_EQ(Game().History().MoveLevel(), 3);
        ASSERT_TRUE(Game().History().CanRedo());
        ASSERT_EQ(Game().ErrorsMade, 1);
    }

    bool abandonAnswer_ = false;
    bool dontAskAnswer_ = false;
};

TEST_F(Resume, AGameSurvivesACloseAndARestart) {
    PlaySomeMoves();
    Game().HintsShown = 2; // counted by F6, kept as it stands
    window_->Run(Command::CandidatesAll);
    const Engine before = E();
    const MoveHistory history = Game().History();
    const QString caption = window_->windowTitle();
    const long long elapsed = Game().ElapsedSeconds();
    const QString listing0 = window_->Characteristics()->Listing()->item(0, 1)
                                 ? window_->Characteristics()->Listing()->item(0, 1)->text()
                                 : QString();

    Restart();
    EXPECT_TRUE(E().PuzzleFixed);
    EXPECT_FALSE(Game().HandEntry());
    EXPECT_EQ(E().CellGrid[0], before.CellGrid[0]);
    EXPECT_EQ(E().CandidateTable, before.CandidateTable);
    EXPECT_EQ(E().FilledCount, before.FilledCount);
    EXPECT_EQ(E().Givens, before.Givens);
    EXPECT_EQ(E().SolutionGrid, before.SolutionGrid);
    EXPECT_EQ(E().VariantKind, before.VariantKind);
    EXPECT_EQ(E().TechniqueCounters, before.TechniqueCounters);
    EXPECT_EQ(E().StepCount, before.StepCount);
    EXPECT_EQ(E().SolutionCount, before.SolutionCount);
    for (int k = 1; k <= kStepLogSize; ++k) {
        EXPECT_EQ(E().StepLog[k].technique, before.StepLog[k].technique) << k;
        EXPECT_EQ(E().StepLog[k].record.Flatten(), before.StepLog[k].record.Flatten()) << k;
    }
    EXPECT_EQ(Game().ErrorsMade, 1);
    EXPECT_EQ(Game().HintsShown, 2);
    EXPECT_EQ(window_->windowTitle(), caption);
    EXPECT_GE(Game().ElapsedSeconds(), elapsed);
    EXPECT_LE(Game().ElapsedSeconds(), elapsed + 5);
    EXPECT_TRUE(Game().ClockRunning());
    EXPECT_EQ(Status(), window_->Texts().Text(558));
    if (!listing0.isEmpty()) {
        EXPECT_EQ(window_->Characteristics()->Listing()->item(0, 1)->text(), listing0);
    }

    // The history is the same, level by level, and undo and redo work on it.
    ASSERT_EQ(Game().History().MoveLevel(), history.MoveLevel());
    ASSERT_EQ(Game().History().LastLevel(), history.LastLevel());
    for (int level = 1; level <= history.LastLevel(); ++level) {
        EXPECT_EQ(Game().History().At(level).cells, history.At(level).cells) << level;
        EXPECT_EQ(Game().History().At(level).candidates, history.At(level).candidates) << level;
        if (level < history.LastLevel()) {
            EXPECT_EQ(Game().History().Record(level).kind, history.Record(level).kind);
            EXPECT_EQ(Game().History().Record(level).cell, history.Record(level).cell);
            EXPECT_EQ(Game().History().Record(level).digit, history.Record(level).digit);
        }
    }
    EXPECT_TRUE(window_->Action(Command::Undo)->isEnabled());
    EXPECT_TRUE(window_->Action(Command::Redo)->isEnabled());
    EXPECT_TRUE(window_->Action(Command::Hint)->isEnabled());
    window_->Run(Command::Redo);
    EXPECT_EQ(E().CandidateTable, history.At(history.MoveLevel() + 1).candidates);
    window_->Run(Command::Undo);
    window_->Run(Command::Undo);
    window_->Run(Command::Undo);
    EXPECT_EQ(E().CellGrid[0], before.Givens);
    EXPECT_FALSE(window_->Action(Command::Undo)->isEnabled());
}

TEST_F(Resume, FinishedGameIsNotKept) {
    PlaySomeMoves();
    window_->close();
    ASSERT_TRUE(QFileInfo::exists(window_->SavedGamePath()));
    window_ = WithData();
    window_->ResumeSavedGame();
    for (int cell = FirstEmpty(); cell >= 0; cell = FirstEmpty()) {
        GoTo(cell);
        Digit(SolutionAt(cell));
    }
    ASSERT_EQ(finished_, 1);
    window_->close();
    EXPECT_FALSE(QFileInfo::exists(window_->SavedGamePath()));
    window_ = WithData();
    window_->ResumeSavedGame();
    EXPECT_FALSE(E().PuzzleFixed);
}

TEST_F(Resume, AbandonedGameIsNotKept) {
    PlaySomeMoves();
    window_->close();
    window_ = WithData();
    window_->ResumeSavedGame();
    ASSERT_TRUE(E().PuzzleFixed);
    abandonAnswer_ = true;
    window_->Run(Command::BlankGrid);
    window_->close();
    EXPECT_FALSE(QFileInfo::exists(window_->SavedGamePath()));
}

TEST_F(Resume, ResumingOffKeepsNothingAndQuitAsks) {
    PlaySomeMoves();
    ASSERT_TRUE(window_->Action(Command::ResumeAtStart)->isChecked()) << "on by default";
    window_->Run(Command::ResumeAtStart);
    EXPECT_FALSE(window_->Action(Command::ResumeAtStart)->isChecked());
    // Quitting now would lose the game: the question comes, and "no" keeps it.
    asked_ = 0;
    abandonAnswer_ = false;
    window_->Run(Command::Quit);
    EXPECT_EQ(asked_, 1);
    EXPECT_TRUE(window_->isVisible());
    abandonAnswer_ = true;
    window_->Run(Command::Quit);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_FALSE(QFileInfo::exists(window_->SavedGamePath()));
    // Remembered in the settings.
    window_ = WithData();
    EXPECT_FALSE(window_->Action(Command::ResumeAtStart)->isChecked());
}

TEST_F(Resume, QuitDoesNotAskWhenResumingIsOn) {
    PlaySomeMoves();
    asked_ = 0;
    window_->Run(Command::Quit);
    EXPECT_EQ(asked_, 0);
    EXPECT_TRUE(QFileInfo::exists(window_->SavedGamePath()));
}

// Each refused file: a message, an empty board, and the file set aside.
TEST_F(Resume, CorruptEmptyAndNewerGamesAreIgnored) {
    PlaySomeMoves();
    window_->close();
    std::ifstream in(SavedPath(), std::ios::binary);
    const std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(io::ParseSavedGame(good).status, io::SavedGameStatus::kOk);
    std::string newer = good;
    newer.replace(0, newer.find('\n'), "VemoTarn saved game 9");
    const struct {
        std::string bytes;
        int message;
    } cases[] = {
        {good.substr(0, good.size() / 2), 555},
        {"", 555},
        {"\x89PNG\r\n\x1a\n binary", 555},
        {newer, 556},
    };
    for (const auto& c : cases) {
        WriteSaved(c.bytes);
        std::remove((SavedPath() + ".bad").c_str());
        window_ = WithData();
        window_->ResumeSavedGame();
        EXPECT_FALSE(E().PuzzleFixed);
        EXPECT_EQ(Status(), window_->Texts().Text(c.message));
        EXPECT_EQ(Game().StatusColour(), kAlarm);
        EXPECT_FALSE(QFileInfo::exists(window_->SavedGamePath()));
        std::ifstream kept(SavedPath() + ".bad", std::ios::binary);
        const std::string aside((std::istreambuf_iterator<char>(kept)),
                                std::istreambuf_iterator<char>());
        EXPECT_EQ(aside, c.bytes) << "set aside as it was";
    }
}

// The commands that replace the game ask first; "no" leaves the game as it
// was, and "Ne plus demander" stops the question.
TEST_F(Resume, TheQuestionComesForEachCommand) {
    PlaySomeMoves();
    const Grid position = E().CellGrid[0];
    const QString other = Write("other.sku", kPuzzle);
    bool opened = false, exampleChosen = false;
    // A file, an example or a paste asks once its grid is read: a cancelled
    // dialog asks nothing.
    window_->ChooseOpenPath = [] { return QString(); };
    window_->ChooseExample = [] { return -1; };
    asked_ = 0;
    window_->Run(Command::Open);
    window_->Run(Command::Examples);
    EXPECT_EQ(asked_, 0);
    window_->ChooseOpenPath = [&opened, other] {
        opened = true;
        return other;
    };
    window_->ChooseExample = [&exampleChosen] {
        exampleChosen = true;
        return 1;
    };
    QApplication::clipboard()->setText(QString::fromStdString(kPuzzle));
    abandonAnswer_ = false;
    for (const Command c : {Command::Generate, Command::BlankGrid, Command::Open, Command::Recent1,
                            Command::Paste, Command::Examples, Command::Restart}) {
        asked_ = 0;
        window_->Run(c);
        EXPECT_EQ(asked_, 1) << Index(c);
        EXPECT_EQ(E().CellGrid[0], position) << Index(c);
        EXPECT_TRUE(E().PuzzleFixed) << Index(c);
        EXPECT_FALSE(Game().GenerationRunning()) << Index(c);
    }
    EXPECT_TRUE(opened);
    EXPECT_TRUE(exampleChosen);

    // Moves that do not replace the game never ask.
    asked_ = 0;
    window_->Run(Command::Undo);
    window_->Run(Command::Redo);
    window_->Run(Command::CopyPuzzle);
    EXPECT_EQ(asked_, 0);

    // "Ne plus demander" with a yes: the command goes on, and the next one
    // does not ask; the choice is remembered.
    abandonAnswer_ = true;
    dontAskAnswer_ = true;
    asked_ = 0;
    window_->Run(Command::Restart);
    EXPECT_EQ(asked_, 1);
    EXPECT_EQ(E().CellGrid[0], E().Givens);
    const int cell = FirstEmpty();
    GoTo(cell);
    Digit(SolutionAt(cell));
    window_->Run(Command::BlankGrid);
    EXPECT_EQ(asked_, 1);
    EXPECT_FALSE(E().PuzzleFixed);
    window_->close();
    window_ = WithData();
    EXPECT_EQ(window_->CurrentSettings().AskBeforeAbandon, 0);
}

TEST_F(Resume, NoQuestionWithoutAGameInProgress) {
    window_->Run(Command::BlankGrid);
    Open(Write("p.sku", kPuzzle)); // fixed, but nothing played yet
    asked_ = 0;
    window_->Run(Command::Restart);
    window_->Run(Command::BlankGrid);
    EXPECT_EQ(asked_, 0);
}

io::Records ReadRecordsAt(const QString& path) {
    const io::RecordsRead read = io::ReadRecords(path.toStdString());
    EXPECT_EQ(read.status, io::RecordsStatus::kOk) << read.error;
    return read.records;
}

TEST_F(Resume, AFinishedGameUpdatesItsRowAndABeatenRecordIsAnnounced) {
    Open(Write("p.sku", kPuzzle));
    const int band = io::ScoreBand(E().PuzzleScore());
    // A slow best time that this game beats.
    io::Records old;
    io::AddFinishedGame(old, kClassic, 0, band, 100000, io::HintUse::kNone);
    ASSERT_TRUE(io::WriteRecords(window_->RecordsPath().toStdString(), old));
    for (int cell = FirstEmpty(); cell >= 0; cell = FirstEmpty()) {
        GoTo(cell);
        Digit(SolutionAt(cell));
    }
    ASSERT_EQ(finished_, 1);
    EXPECT_EQ(window_->RecordNotice(), window_->Texts().Text(554));
    io::Records records = ReadRecordsAt(window_->RecordsPath());
    const io::RecordRow row = records.At(kClassic, 0, band);
    EXPECT_EQ(row.finished, 2);
    EXPECT_LT(row.best, 100000);
    EXPECT_EQ(row.bestWithoutHints, row.best);
    // Only that row.
    records.At(kClassic, 0, band) = {};
    EXPECT_TRUE(records.Empty());

    // Completing the same game again by redo does not count it twice.
    window_->Run(Command::Undo);
    window_->Run(Command::Redo);
    EXPECT_EQ(finished_, 2);
    EXPECT_EQ(ReadRecordsAt(window_->RecordsPath()).At(kClassic, 0, band).finished, 2);
    EXPECT_TRUE(window_->RecordNotice().isEmpty());

    // A game that beats nothing (the row's times are 0 s): counted, no record.
    io::Records unbeatable;
    unbeatable.At(kClassic, 0, band) = {2, 0, 0};
    ASSERT_TRUE(io::WriteRecords(window_->RecordsPath().toStdString(), unbeatable));
    abandonAnswer_ = true;
    window_->Run(Command::Restart);
    window_->Run(Command::Hint);
    for (int cell = FirstEmpty(); cell >= 0; cell = FirstEmpty()) {
        GoTo(cell);
        Digit(SolutionAt(cell));
    }
    EXPECT_TRUE(window_->RecordNotice().isEmpty());
    const io::RecordRow after = ReadRecordsAt(window_->RecordsPath()).At(kClassic, 0, band);
    EXPECT_EQ(after, (io::RecordRow{3, 0, 0}));

    // The congratulations box shows the record line only when one fell.
    CongratulationsDialog& box = *window_->Congratulations();
    GameStatistics statistics;
    statistics.recordText = window_->Texts().Text(554);
    box.SetStatistics(statistics);
    EXPECT_EQ(box.RecordText(), window_->Texts().Text(554));
    const int tall = box.height();
    // Shown, the raised border follows the taller box, and the button stays inside.
    box.SetMusicFolder(QStringLiteral("/nonexistent"));
    box.show();
    QApplication::processEvents();
    const QFrame* border = box.findChild<QFrame*>(QStringLiteral("Border"));
    ASSERT_TRUE(border);
    EXPECT_EQ(border->geometry(), box.rect());
    const QWidget* ok = box.findChild<QWidget*>(QStringLiteral("Congratulations300"));
    ASSERT_TRUE(ok);
    EXPECT_LE(ok->geometry().bottom(), box.rect().bottom());
    box.done(0);
    box.SetStatistics({});
    EXPECT_TRUE(box.RecordText().isEmpty());
    EXPECT_LT(box.height(), tall);
}

TEST_F(Resume, ACorruptRecordsFileIsIgnored) {
    io::MakeFolders(QFileInfo(window_->RecordsPath()).path().toStdString());
    std::ofstream(window_->RecordsPath().toStdString(), std::ios::binary)
        << "VemoTarn records 1\nrecord 0 0 0 x\n";
    Open(Write("p.sku", kPuzzle));
    for (int cell = FirstEmpty(); cell >= 0; cell = FirstEmpty()) {
        GoTo(cell);
        Digit(SolutionAt(cell));
    }
    EXPECT_EQ(Status(), window_->Texts().Text(557));
    EXPECT_TRUE(QFileInfo::exists(window_->RecordsPath() + ".bad"));
    const io::Records records = ReadRecordsAt(window_->RecordsPath());
    EXPECT_EQ(records.At(kClassic, 0, io::ScoreBand(E().PuzzleScore())).finished, 1);
}

TEST_F(Resume, StatisticsDialogShowsAndResetsTheTable) {
    io::Records records;
    io::AddFinishedGame(records, kOddEven, 1, 2, 754, io::HintUse::kNone);
    ASSERT_TRUE(io::WriteRecords(window_->RecordsPath().toStdString(), records));
    bool checked = false;
    QTimer::singleShot(0, [&] {
        RecordsDialog* dialog = window_->Statistics();
        QTableWidget* table = dialog->Table();
        EXPECT_EQ(table->rowCount(), io::kRecordRows);
        const int row = io::Records::Row(kOddEven, 1, 2);
        EXPECT_EQ(table->item(row, 0)->text(), TrimLeft(window_->Texts().Text(93)) + " X");
        EXPECT_EQ(table->item(row, 1)->text(), window_->Texts().Text(60));
        EXPECT_EQ(table->item(row, 2)->text(), "1");
        EXPECT_EQ(table->item(row, 3)->text(), "12:34");
        EXPECT_EQ(table->item(0, 2)->text(), "0");
        EXPECT_EQ(table->item(0, 3)->text(), "-");
        for (int c = 0; c < table->columnCount(); ++c)
            EXPECT_FALSE(table->horizontalHeaderItem(c)->text().isEmpty());
        dialog->ConfirmReset = [] { return true; };
        dialog->ResetButton()->click();
        EXPECT_EQ(table->item(row, 2)->text(), "0");
        checked = true;
        dialog->CloseButton()->click();
    });
    window_->Run(Command::Statistics);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(ReadRecordsAt(window_->RecordsPath()).Empty());
}

TEST(RecordTimes, Readable) {
    EXPECT_EQ(RecordTime(-1), "-");
    EXPECT_EQ(RecordTime(7), "7 s");
    EXPECT_EQ(RecordTime(754), "12:34");
    EXPECT_EQ(RecordTime(3723), "1:02:03");
}

// Every language file of the folder has its entry in the menu, named by its
// file; French and English keep their place.
TEST_F(Resume, TheLanguageMenuListsEveryFile) {
    QStringList names;
    for (QAction* a : window_->ExtraLanguageActions()) names << a->text();
    EXPECT_EQ(names, QStringList({"Deutsch", "Español", "Italiano"}));
    QMenu* languages = nullptr;
    for (QObject* owner : window_->Action(Command::French)->associatedObjects())
        if ((languages = qobject_cast<QMenu*>(owner))) break;
    ASSERT_TRUE(languages);
    const QList<QAction*> menu = languages->actions();
    ASSERT_EQ(menu.size(), 5);
    EXPECT_EQ(menu[0], window_->Action(Command::French));
    EXPECT_EQ(menu.mid(2), QList<QAction*>(window_->ExtraLanguageActions().begin(),
                                           window_->ExtraLanguageActions().end()));
    EXPECT_EQ(menu[1], window_->Action(Command::English));
}

// The window translates completely into each new language: every bound
// element shows that language's entry, and no caption is empty.
TEST_F(Resume, TheWindowSpeaksEachLanguage) {
    Open(Write("p.sku", kPuzzle));
    const std::size_t count = window_->ExtraLanguageActions().size();
    ASSERT_EQ(count, 3u);
    for (std::size_t i = 0; i < count; ++i) {
        // Each round closes the window and starts a new one.
        QAction* language = window_->ExtraLanguageActions()[i];
        language->trigger();
        const QString file = language->data().toString();
        ASSERT_EQ(window_->Texts().LanguageFile(), file);
        EXPECT_TRUE(language->isChecked());
        EXPECT_FALSE(window_->Action(Command::French)->isChecked());
        io::LanguageTable table;
        ASSERT_TRUE(
            table.Load(window_->ProgramFolder().toStdString() + "Langues/" + file.toStdString())
                .ok);
        for (QAction* action : window_->findChildren<QAction*>()) {
            if (action->isSeparator() || action->objectName().startsWith("MF0")) continue;
            // The filter buttons show pictures and tooltips; Qt's own
            // overflow menus are not the program's.
            if (!action->parent() || qobject_cast<QToolBar*>(action->parent()) ||
                action->parent()->objectName().isEmpty())
                continue;
            EXPECT_FALSE(action->text().isEmpty())
                << file.toStdString() << " " << action->objectName().toStdString();
        }
        for (const io::TextBinding& b : io::TextBindings()) {
            if (b.window != io::Window::kMain || b.kind != io::ElementKind::kMenuItem ||
                b.element.starts_with("MF0"))
                continue;
            const QString name = QString::fromUtf8(b.element.data(), b.element.size());
            QObject* element = window_->findChild<QObject*>(name);
            ASSERT_TRUE(element) << name.toStdString();
            const QString expected = QString::fromStdString(table.LookupText(b.identifier));
            if (auto* action = qobject_cast<QAction*>(element)) {
                EXPECT_EQ(action->text(), expected) << file.toStdString() << " " << b.identifier;
            }
        }
        for (int page = 0; page < 3; ++page)
            EXPECT_EQ(window_->Pages()->tabText(page),
                      QString::fromStdString(table.LookupText(3 - page)));
        for (QAction* top : window_->menuBar()->actions()) EXPECT_FALSE(top->text().isEmpty());
        EXPECT_EQ(window_->Action(Command::ResumeAtStart)->text(),
                  QString::fromStdString(table.LookupText(552)));
        EXPECT_EQ(window_->Action(Command::Statistics)->text(),
                  QString::fromStdString(table.LookupText(553)));
        // The technique names of the characteristics page follow.
        EXPECT_EQ(window_->Characteristics()->TechniqueGrid()->item(1, 0)->text(),
                  QString::fromStdString(table.LookupText(101)));
        // And it survives a restart.
        window_->close();
        window_ = WithData();
        EXPECT_EQ(window_->Texts().LanguageFile(), file);
        window_->ResumeSavedGame();
    }
}

} // namespace
} // namespace vemo::ui

namespace vemo::ui {
namespace {

// A game with every kind of move (a digit, a removed candidate, a played hint)
// survives a close and a restart, and is not set aside as damaged.
TEST_F(Resume, EveryKindOfMoveSurvivesARestart) {
    Open(Write("p.sku", kPuzzle));
    ASSERT_TRUE(E().PuzzleFixed);
    const int first = FirstEmpty();
    GoTo(first);
    Digit(SolutionAt(first));
    const int second = FirstEmpty();
    GoTo(second);
    const int removed = WrongCandidate(second);
    Digit(removed, Qt::ControlModifier | Qt::KeypadModifier);
    window_->Run(Command::PlayHint);
    ASSERT_EQ(Game().HintsPlayed, 1);
    ASSERT_EQ(Game().History().Record(3).kind, kPlayedHint);
    const MoveHistory history = Game().History();
    const Grid position = E().CellGrid[0];

    Restart();
    EXPECT_FALSE(QFileInfo::exists(window_->SavedGamePath() + QStringLiteral(".bad")));
    ASSERT_TRUE(E().PuzzleFixed);
    EXPECT_EQ(E().CellGrid[0], position);
    EXPECT_EQ(Game().HintsPlayed, 1);
    ASSERT_EQ(Game().History().MoveLevel(), history.MoveLevel());
    for (int level = 1; level < history.MoveLevel(); ++level)
        EXPECT_EQ(Game().History().Record(level).kind, history.Record(level).kind) << level;
    window_->Run(Command::Undo);
    EXPECT_EQ(E().CandidateTable, history.At(3).candidates) << "the hint undone";
}

// Records: a game solved by played hints sets no time; the first real game of
// the row is announced; the time kept is the one the clock shows.
TEST_F(Resume, RecordsKeepTheClocksTimeOfRealGames) {
    Open(Write("p.sku", kPuzzle));
    const int band = io::ScoreBand(E().PuzzleScore());
    for (int n = 0; n < 1000 && E().FilledCount < 81; ++n) window_->Run(Command::PlayHint);
    ASSERT_EQ(finished_, 1);
    EXPECT_TRUE(window_->RecordNotice().isEmpty()) << "no record by played hints";
    EXPECT_EQ(ReadRecordsAt(window_->RecordsPath()).At(kClassic, 0, band),
              (io::RecordRow{1, -1, -1}));

    Open(Write("p.sku", kPuzzle));
    for (int cell = FirstEmpty(); cell >= 0; cell = FirstEmpty()) {
        if (E().FilledCount == 80) {
            // No tick for a while: the clock shows an older time than the
            // seconds gone by, until the last digit is played.
            std::this_thread::sleep_for(std::chrono::milliseconds(1600));
        }
        GoTo(cell);
        Digit(SolutionAt(cell));
    }
    ASSERT_EQ(finished_, 2);
    EXPECT_EQ(window_->RecordNotice(), window_->Texts().Text(554)) << "the row's first time";
    const io::RecordRow row = ReadRecordsAt(window_->RecordsPath()).At(kClassic, 0, band);
    EXPECT_EQ(row.finished, 2);
    const QStringList clock = Game().ClockText().split(QLatin1Char(' ')).last().split(':');
    ASSERT_EQ(clock.size(), 3) << Game().ClockText().toStdString();
    EXPECT_EQ(row.best, clock[0].toInt() * 3600 + clock[1].toInt() * 60 + clock[2].toInt());
}

// A records file that cannot be written is reported in a box, and no record
// is announced; a later version's file is read and left as it is.
TEST_F(Resume, RecordsThatCannotBeWrittenAreReported) {
    // A link into a folder that does not exist: nothing to read, and the
    // write cannot land anywhere.
    io::MakeFolders(QFileInfo(window_->RecordsPath()).path().toStdString());
    ASSERT_TRUE(
        QFile::link(folder_.filePath(QStringLiteral("gone/records.txt")), window_->RecordsPath()));
    Open(Write("p.sku", kPuzzle));
    for (int cell = FirstEmpty(); cell >= 0; cell = FirstEmpty()) {
        GoTo(cell);
        Digit(SolutionAt(cell));
    }
    ASSERT_EQ(finished_, 1);
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].startsWith(window_->Texts().Text(567))) << errors_[0].toStdString();
    EXPECT_TRUE(window_->RecordNotice().isEmpty());

    QFile::remove(window_->RecordsPath());
    const std::string newer = "VemoTarn records 2\nrecord 0 0 0 3 61 70 7\nend\n";
    std::ofstream(window_->RecordsPath().toStdString(), std::ios::binary) << newer;
    window_->Run(Command::Restart);
    for (int cell = FirstEmpty(); cell >= 0; cell = FirstEmpty()) {
        GoTo(cell);
        Digit(SolutionAt(cell));
    }
    ASSERT_EQ(finished_, 2);
    std::ifstream in(window_->RecordsPath().toStdString(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), newer);
    EXPECT_FALSE(QFileInfo::exists(window_->RecordsPath() + QStringLiteral(".bad")));
}

// A refused puzzle on the command line (a repeated digit, a missing file)
// leaves the window in hand entry with the grid shown: keys work, and the
// corrected grid starts.
TEST_F(Resume, ARefusedArgumentLeavesHandEntry) {
    std::string repeated = kPuzzle;
    repeated[1] = '4'; // a second 4 in the first row
    window_->OpenArgument(Write("twice.sku", repeated).toStdString());
    EXPECT_FALSE(E().PuzzleFixed);
    ASSERT_TRUE(Game().HandEntry());
    EXPECT_EQ(E().CellGrid[0][1], 4) << "the refused grid is shown";
    EXPECT_TRUE(Game().RecentFiles[0].empty());
    GoTo(1);
    Key(Qt::Key_Delete);
    EXPECT_EQ(E().CellGrid[0][1], 0) << "hand entry takes the correction";
    window_->Run(Command::Start);
    EXPECT_TRUE(E().PuzzleFixed);

    window_ = WithData();
    window_->OpenArgument(folder_.filePath(QStringLiteral("none.sku")).toStdString());
    EXPECT_FALSE(E().PuzzleFixed);
    ASSERT_TRUE(Game().HandEntry());
    GoTo(0);
    Digit(5);
    EXPECT_EQ(E().CellGrid[0][0], 5);
}

// A file name that is not UTF-8 opens as the system gives it, and stays
// usable from the recent files.
TEST_F(Resume, AnArgumentInAnyEncodingOpens) {
    const std::string name = folder_.path().toStdString() + "/grille\xe9t\xe9.sku";
    std::ofstream(name, std::ios::binary) << kPuzzle << "\n";
    window_->OpenArgument(name);
    ASSERT_TRUE(E().PuzzleFixed);
    EXPECT_EQ(Game().RecentFiles[0], name);
    window_->Run(Command::BlankGrid);
    window_->Run(Command::Recent1);
    EXPECT_TRUE(E().PuzzleFixed) << "reopened from the recent files";
    EXPECT_EQ(Game().RecentFiles[0], name);
}

// A recent entry that is now a folder or a pipe is named once as it leaves
// the list; one whose file is gone leaves quietly.
TEST_F(Resume, ADroppedRecentEntryIsNamed) {
    const std::string fifo = folder_.path().toStdString() + "/pipe.sku";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string gone = folder_.path().toStdString() + "/gone.sku";
    Game().RecentFiles = {fifo, gone, "", "", ""};
    window_->Run(Command::Recent1);
    EXPECT_EQ(Game().RecentFiles[0], gone);
    EXPECT_TRUE(Status().contains(QString::fromStdString(fifo))) << Status().toStdString();
    EXPECT_EQ(Game().StatusColour(), kAlarm);
    Game().MessageTimerFired();
    window_->Run(Command::Recent1);
    EXPECT_TRUE(Game().RecentFiles[0].empty());
    EXPECT_EQ(Status(), Count()) << "a file that is gone goes quietly";
}

} // namespace
} // namespace vemo::ui

namespace vemo::ui {
namespace {

// Two windows on one data folder (two desktops of one account): the first one
// keeps its game; the second neither resumes it, nor removes it when idle,
// nor writes over it after moves, and it asks before its own game is lost.
TEST_F(Resume, ASecondWindowLeavesTheFirstOnesGameAlone) {
    PlaySomeMoves();
    Restart();
    ASSERT_TRUE(E().PuzzleFixed) << "the first window resumed its game";
    const Grid firstPosition = E().CellGrid[0];
    const std::string kept = SavedBytes();
    ASSERT_FALSE(kept.empty());

    // Idle: nothing resumed, the reason shown, the kept game left as it is.
    std::unique_ptr<MainWindow> second = AnotherWindow();
    second->ResumeSavedGame();
    EXPECT_FALSE(second->Game().Game().PuzzleFixed) << "the second window resumed the game";
    EXPECT_EQ(second->Game().StatusMessage(), second->Texts().Text(589));
    EXPECT_EQ(second->Game().StatusColour(), kAlarm);
    EXPECT_TRUE(second->AnotherWindowKeepsGame());
    EXPECT_FALSE(window_->AnotherWindowKeepsGame());
    abandonAnswer_ = true;
    second->Run(Command::BlankGrid);
    asked_ = 0;
    second->close();
    EXPECT_EQ(asked_, 0) << "nothing to lose";
    EXPECT_EQ(SavedBytes(), kept) << "the idle second window removed or rewrote the kept game";

    // With moves: closing asks, "no" keeps the window open, and "yes" loses
    // this game only.
    second = AnotherWindow();
    second->ResumeSavedGame();
    {
        Driving driving(*this, second);
        Open(Write("q.sku", kPuzzle));
        ASSERT_TRUE(E().PuzzleFixed);
        const int cell = FirstEmpty();
        GoTo(cell);
        Digit(SolutionAt(cell));
        ASSERT_EQ(Game().History().MoveLevel(), 2);
        asked_ = 0;
        abandonAnswer_ = false;
        window_->Run(Command::Quit);
        EXPECT_EQ(asked_, 1) << "a game with moves went without a word";
        EXPECT_TRUE(window_->isVisible());
        abandonAnswer_ = true;
        window_->Run(Command::Quit);
        EXPECT_FALSE(window_->isVisible());
    }
    EXPECT_EQ(SavedBytes(), kept) << "the second window wrote over the kept game";

    // The first window goes on and keeps its own game at closing.
    EXPECT_EQ(E().CellGrid[0], firstPosition);
    const int cell = FirstEmpty();
    GoTo(cell);
    Digit(SolutionAt(cell));
    const Grid played = E().CellGrid[0];
    Restart();
    EXPECT_TRUE(E().PuzzleFixed);
    EXPECT_EQ(E().CellGrid[0], played);
    EXPECT_FALSE(window_->AnotherWindowKeepsGame()) << "the lock was not released at closing";
}

// The lock of a window that was killed is taken by the next start, which
// resumes the game.
TEST_F(Resume, TheLockOfAKilledWindowIsTaken) {
    PlaySomeMoves();
    const Grid position = E().CellGrid[0];
    window_->close();
    window_.reset();
    const QString lockPath =
        QString::fromStdString(io::DataFolder()) + QStringLiteral("/partie.txt.lock");
    // A lock as a window writes it, then its owner's number made that of a
    // process that has ended.
    QByteArray contents;
    {
        QLockFile lock(lockPath);
        ASSERT_TRUE(lock.tryLock(0));
        QFile file(lockPath);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        contents = file.readAll();
        lock.unlock();
    }
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    contents = QByteArray::number(child) + contents.mid(contents.indexOf('\n'));
    {
        QFile file(lockPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    window_ = WithData();
    window_->ResumeSavedGame();
    EXPECT_FALSE(window_->AnotherWindowKeepsGame());
    EXPECT_TRUE(E().PuzzleFixed);
    EXPECT_EQ(E().CellGrid[0], position);
    EXPECT_EQ(Status(), window_->Texts().Text(558));
}

} // namespace
} // namespace vemo::ui
