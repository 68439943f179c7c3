// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Generation, hints and printing from the real window, offscreen.
#include "engine/generator/generation.h"
#include "engine/techniques/catalogue.h"
#include "ui/characteristics_page.h"
#include "ui/dialogs/congratulations_dialog.h"
#include "ui/dialogs/examples_dialog.h"
#include "ui/generation_task.h"
#include "ui_window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QFrame>
#include <QMenuBar>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>

#include <csignal>
#include <sys/resource.h>

namespace vemo::ui {
namespace {

// Waits for the worker; true when it produced a puzzle.
bool WaitForGeneration(MainWindow& w) {
    QSignalSpy finished(&w.Generation(), &GenerationTask::Finished);
    if (!w.Generation().Running() && finished.isEmpty()) {
        // A sheet starts its next puzzle from the event loop.
        if (!QTest::qWaitFor([&] { return w.Generation().Running() || !finished.isEmpty(); }, 2000))
            return w.Game().Game().PuzzleFixed;
    }
    if (!finished.wait(60000)) return false;
    QApplication::processEvents();
    return finished.first().at(0).toBool();
}

// The four puzzles of a sheet are made one after the other, and between two of
// them no generation runs: the sheet is done when the window says so.
bool WaitForSheet(MainWindow& w) {
    QDeadlineTimer deadline(240000);
    while (w.PrintingSheet() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QApplication::processEvents();
    return !w.PrintingSheet();
}

bool UniqueSolution(const Engine& e) {
    Engine check = e;
    check.CellGrid[0] = check.Givens;
    check.HistoryLevel = 0;
    check.SolutionCount = 0;
    check.CountSolutions();
    return check.SolutionCount == 1;
}

QMenu* TopMenu(MainWindow& w, const char* name) {
    for (QMenu* m : w.menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        if (m->objectName() == name) return m;
    return nullptr;
}

TEST_F(Window, GenerationInEveryBand) {
    const Command bands[] = {Command::Easy, Command::Medium, Command::Hard, Command::Extreme,
                             Command::RandomLevel};
    for (int band = 0; band < 5; ++band) {
        window_->Run(bands[band]);
        window_->Run(Command::Generate);
        ASSERT_TRUE(WaitForGeneration(*window_)) << band;
        ASSERT_TRUE(E().PuzzleFixed);
        EXPECT_GE(E().PuzzleScore(), kDifficultyBands[band].scoreMin) << band;
        EXPECT_LE(E().PuzzleScore(), kDifficultyBands[band].scoreMax) << band;
        EXPECT_TRUE(UniqueSolution(E())) << band;
        EXPECT_TRUE(Game().ClockRunning());
        EXPECT_TRUE(window_->Action(Command::Hint)->isEnabled());
        EXPECT_EQ(Status(), window_->Texts().Text(502) + QString::number(E().Givens.FilledCount()));
        EXPECT_EQ(Game().Caption(), " Vemo Tarn :Nouveau");
        EXPECT_TRUE(window_->CommandBar()->isEnabled());
        // The characteristics page shows the new analysis.
        EXPECT_EQ(window_->Characteristics()->TechniqueGrid()->item(19, 1)->text(),
                  QString::number(E().PuzzleScore()));
    }
}

TEST_F(Window, PendingChoicesApplyAtTheNextGeneration) {
    window_->Run(Command::Medium);
    window_->Run(Command::Generate);
    ASSERT_TRUE(WaitForGeneration(*window_));
    window_->Run(Command::OddEven); // while a game is played: only the choice changes
    window_->Run(Command::XSudoku);
    EXPECT_EQ(E().VariantKind, kClassic);
    EXPECT_EQ(E().XSudoku, 0);
    EXPECT_TRUE(Game().GenerateHint().startsWith(" X "));
    window_->Run(Command::Generate);
    ASSERT_TRUE(WaitForGeneration(*window_));
    EXPECT_EQ(E().VariantKind, kOddEven);
    EXPECT_EQ(E().XSudoku, 1);
    for (int c = 0; c < 81; ++c)
        EXPECT_EQ(E().ParityMarks[c] == 2, E().SolutionGrid[c] % 2 == 0) << c;
}

TEST_F(Window, MenusAreLockedWhileGeneratingAndCancelRestoresTheGame) {
    Open(Write("p.sku", kPuzzle));
    const int cell = FirstEmpty();
    GoTo(cell);
    Digit(kSolved[cell] - '0');
    const std::string position = test::TextOf(E().CellGrid[0]);
    const QString status = Status();
    const QString caption = Game().Caption();

    window_->Run(Command::Extreme);
    window_->Run(Command::Generate);
    ASSERT_TRUE(window_->Generation().Running());
    EXPECT_FALSE(window_->CommandBar()->isEnabled());
    EXPECT_FALSE(window_->FilterBar()->isEnabled());
    EXPECT_FALSE(TopMenu(*window_, "Fichier1")->menuAction()->isEnabled());
    EXPECT_FALSE(TopMenu(*window_, "Edition1")->menuAction()->isEnabled());
    EXPECT_FALSE(window_->Action(Command::Examples)->isEnabled());
    EXPECT_TRUE(window_->CancelGenerationButton()->isVisible());
    EXPECT_EQ(Status(), window_->Texts().Text(82));
    // Keys do not reach the board meanwhile; Esc cancels.
    Key(Qt::Key_Escape);
    EXPECT_FALSE(WaitForGeneration(*window_));
    EXPECT_EQ(test::TextOf(E().CellGrid[0]), position);
    EXPECT_EQ(Status(), status);
    EXPECT_EQ(Game().Caption(), caption);
    EXPECT_TRUE(Game().ClockRunning());
    EXPECT_TRUE(window_->Action(Command::Undo)->isEnabled());
    EXPECT_TRUE(window_->CommandBar()->isEnabled());
    EXPECT_TRUE(TopMenu(*window_, "Fichier1")->menuAction()->isEnabled());
    EXPECT_FALSE(window_->CancelGenerationButton()->isVisible());
    window_->Run(Command::Undo); // the game's own history is still there
    EXPECT_EQ(E().CellGrid[0][cell], 0);
}

// Two windows of one program: Esc in one does not cancel the other's
// generation, and the other's board still takes its own keys.
TEST_F(Window, EachWindowTakesOnlyItsOwnKeys) {
    std::unique_ptr<MainWindow> other = Make();
    other->Run(Command::Easy);
    Open(Write("p.sku", kPuzzle));
    ASSERT_TRUE(E().PuzzleFixed);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    other->Run(Command::Generate);
    ASSERT_TRUE(other->Generation().Running());
    Key(Qt::Key_Escape);
    EXPECT_TRUE(WaitForGeneration(*other)) << "cancelled by the other window's Esc";
    // A digit lands on its own window's board only.
    const Grid before = other->Game().Game().CellGrid[0];
    GoTo(1);
    Digit(kSolved[1] - '0');
    EXPECT_EQ(E().CellGrid[0][1], kSolved[1] - '0');
    EXPECT_EQ(other->Game().Game().CellGrid[0], before);
}

TEST_F(Window, CompleteHintOnANakedSingle) {
    std::string almost = kSolved;
    almost[10] = '.';
    Open(Write("one.sku", almost));
    window_->Run(Command::CompleteHint);
    EXPECT_EQ(E().HintTechnique, kNakedSingle);
    EXPECT_EQ(Game().Board().CellHighlight[10], kHintCell);
    EXPECT_EQ(Status(), TechniqueName(window_->Texts(), kNakedSingle) + " " +
                            window_->Texts().Text(536) + " : " + QChar(kSolved[10]));
    EXPECT_TRUE(window_->FilterButton(kSolved[10] - '0')->isChecked());
    EXPECT_EQ(Game().CompleteHintsShown, 1);
    const Rgb& c = TechniqueColours[kNakedSingle];
    EXPECT_EQ(Game().StatusColour(), QColor(c.red, c.green, c.blue));
    // The simple hint names it and highlights nothing new.
    window_->Run(Command::Hint);
    EXPECT_EQ(Status(), TechniqueName(window_->Texts(), kNakedSingle));
    EXPECT_EQ(Game().HintsShown, 1);
}

TEST_F(Window, PlayedHintsUndoRedoAndFinish) {
    std::string almost = kSolved;
    almost[10] = almost[50] = '.';
    Open(Write("two.sku", almost));
    window_->Run(Command::PlayHint);
    EXPECT_EQ(E().FilledCount, 80);
    EXPECT_EQ(Game().HintsPlayed, 1);
    for (int c = 0; c < 81; ++c) EXPECT_EQ(Game().Board().CellHighlight[c], kNoMark);
    for (int d = 1; d <= 9; ++d) EXPECT_FALSE(window_->FilterButton(d)->isChecked());
    window_->Run(Command::Undo);
    EXPECT_EQ(E().FilledCount, 79);
    window_->Run(Command::Redo);
    EXPECT_EQ(E().FilledCount, 80);
    EXPECT_EQ(finished_, 0);
    window_->Run(Command::PlayHint); // the last digit
    EXPECT_EQ(E().FilledCount, 81);
    EXPECT_EQ(finished_, 1);
    EXPECT_FALSE(window_->Action(Command::PlayHint)->isEnabled());
    EXPECT_EQ(test::TextOf(E().CellGrid[0]), kSolved);
}

TEST_F(Window, HintsDoNothingWithoutAGame) {
    window_->Run(Command::BlankGrid);
    Game().ShowHint();
    Game().ShowCompleteHint();
    Game().PlayHint();
    EXPECT_EQ(Game().HintsShown + Game().CompleteHintsShown + Game().HintsPlayed, 0);
    EXPECT_EQ(E().FilledCount, 0);
}

TEST_F(Window, PrintsAndTheBoardPicture) {
    Open(Write("p.sku", kPuzzle));
    int dialogs = 0;
    const QString pdf = folder_.filePath("page.pdf");
    window_->ChoosePrinter = [&](QPrinter& printer) {
        ++dialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    window_->Run(Command::PrintSolution);
    EXPECT_EQ(dialogs, 1);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray printed = file.readAll();
    file.close();
    EXPECT_TRUE(printed.startsWith("%PDF"));

    // On a full disk (every write to a file refused) the print says so in
    // the alarm message and the page printed before stays whole.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit none = saved;
    none.rlim_cur = 0;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &none), 0);
    window_->Run(Command::Print);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(Status().startsWith(window_->Texts().Text(544))) << Status().toStdString();
    EXPECT_EQ(Game().StatusColour(), kAlarm);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), printed);
    file.close();
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files).filter("page.pdf").size(), 1);

    window_->Run(Command::CopyImage);
    const QImage image = QApplication::clipboard()->image();
    EXPECT_EQ(image.size(), QSize(516, 516));
    EXPECT_EQ(Status(), window_->Texts().Text(511));
    EXPECT_EQ(Game().StatusColour(), QColor(0xE0, 0xFF, 0xFF));
}

TEST_F(Window, FourGridSheetLeavesTheGameAsItWas) {
    window_->Run(Command::Consecutive); // the restored game keeps its own rules
    std::string record = "3x3: : ";
    for (int c = 0; c < 81; ++c)
        record += ":" + std::string(1, kPuzzle[c] == '.' ? '0' : kPuzzle[c]);
    Open(Write("p.sku", kPuzzle));
    const int cell = FirstEmpty();
    GoTo(cell);
    Digit(kSolved[cell] - '0');
    int other = 0;
    const int next = cell + 1;
    for (int d = 1; d <= 9; ++d)
        if (d != kSolved[next] - '0' && E().CandidateTable.Has(next, d)) other = d;
    GoTo(next);
    Digit(other, Qt::ControlModifier | Qt::KeypadModifier);
    const Engine before = E();
    const QString caption = Game().Caption();
    const int level = Game().History().MoveLevel();
    const long long elapsed = Game().ElapsedSeconds();

    // Cancelling the dialog changes nothing.
    window_->ChoosePrinter = [](QPrinter&) { return false; };
    window_->Run(Command::PrintFour);
    EXPECT_FALSE(window_->PrintingSheet());
    EXPECT_TRUE(window_->Action(Command::Undo)->isEnabled());

    const QString pdf = folder_.filePath("sheet.pdf");
    window_->ChoosePrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    window_->Run(Command::PrintFour);
    ASSERT_TRUE(window_->PrintingSheet());
    EXPECT_TRUE(window_->WaitingPanel()->isVisible());
    // The board keeps the game while the puzzles are made.
    bool boardKept = true;
    QDeadlineTimer deadline(240000);
    while (window_->PrintingSheet() && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        boardKept = boardKept && test::TextOf(E().Givens) == test::TextOf(before.Givens) &&
                    Game().Caption() == caption;
    }
    EXPECT_TRUE(boardKept);
    ASSERT_TRUE(WaitForSheet(*window_));
    EXPECT_FALSE(window_->WaitingPanel()->isVisible());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(4) == "%PDF");

    EXPECT_EQ(test::TextOf(E().CellGrid[0]), test::TextOf(before.CellGrid[0]));
    EXPECT_EQ(test::TextOf(E().Givens), test::TextOf(before.Givens));
    EXPECT_EQ(test::TextOf(E().SolutionGrid), test::TextOf(before.SolutionGrid));
    for (int c = 0; c < 81; ++c)
        EXPECT_EQ(test::CandidateString(E(), c), test::CandidateString(before, c));
    EXPECT_EQ(E().TechniqueCounters, before.TechniqueCounters);
    EXPECT_EQ(E().VariantKind, kClassic);
    EXPECT_EQ(E().FilledCount, before.FilledCount);
    EXPECT_TRUE(E().PuzzleFixed);
    EXPECT_TRUE(Game().ClockRunning());
    EXPECT_EQ(Status(), window_->Texts().Text(512));
    // The clock, the history and the caption go on as they were.
    EXPECT_GE(Game().ElapsedSeconds(), elapsed);
    EXPECT_EQ(Game().Caption(), caption);
    EXPECT_TRUE(Game().Caption().endsWith(QStringLiteral(": p")));
    EXPECT_TRUE(window_->Action(Command::Undo)->isEnabled());
    EXPECT_EQ(Game().History().MoveLevel(), level);
    // Play goes on in the restored game.
    const int third = [&] {
        for (int c = next + 1; c < 81; ++c)
            if (E().CellGrid[0][c] == 0) return c;
        return -1;
    }();
    GoTo(third);
    Digit(kSolved[third] - '0');
    EXPECT_EQ(E().CellGrid[0][third], kSolved[third] - '0');
    window_->Run(Command::Undo);
    EXPECT_EQ(test::TextOf(E().CellGrid[0]), test::TextOf(before.CellGrid[0]));
    EXPECT_FALSE(E().CandidateTable.Has(next, other));
    // And further back, before the sheet.
    window_->Run(Command::Undo);
    window_->Run(Command::Undo);
    EXPECT_EQ(E().CellGrid[0][cell], 0);
}

TEST_F(Window, SheetWithoutAGameLeavesTheClockStopped) {
    const QString pdf = folder_.filePath("sheet.pdf");
    window_->ChoosePrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    window_->Run(Command::PrintFour);
    ASSERT_TRUE(WaitForSheet(*window_));
    EXPECT_FALSE(E().PuzzleFixed);
    EXPECT_FALSE(Game().ClockRunning());
    EXPECT_EQ(E().FilledCount, 0);
}

TEST_F(Window, SheetOnAFullDiskSaysSoAndKeepsTheOldFile) {
    const QString pdf = folder_.filePath("sheet.pdf");
    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the sheet printed before");
    }
    window_->ChoosePrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    // Every write to a file refused while the sheet is made and written.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit none = saved;
    none.rlim_cur = 0;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &none), 0);
    window_->Run(Command::PrintFour);
    const bool done = WaitForSheet(*window_);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    ASSERT_TRUE(done);
    EXPECT_TRUE(Status().startsWith(window_->Texts().Text(544))) << Status().toStdString();
    EXPECT_EQ(Game().StatusColour(), kAlarm);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("the sheet printed before"));
    EXPECT_EQ(QDir(folder_.path()).entryList(QDir::Files).filter("sheet").size(), 1);
}

TEST_F(Window, ExamplesStayWithinTheirFiles) {
    QSet<QString> seen;
    window_->ChooseExample = [] { return 1; }; // "Candidat unique"
    for (int i = 0; i < 10; ++i) {
        window_->Run(Command::Examples);
        ASSERT_TRUE(E().PuzzleFixed) << i;
        seen << Game().Caption();
    }
    for (const QString& caption : seen) {
        EXPECT_TRUE(caption == " Vemo Tarn : candidatunique1" ||
                    caption == " Vemo Tarn : candidatunique2" ||
                    caption == " Vemo Tarn : candidatunique3" ||
                    caption == " Vemo Tarn : candidatunique4")
            << caption.toStdString();
    }
    EXPECT_GE(seen.size(), 2);            // the number is drawn
    EXPECT_EQ(Game().RecentFiles[0], ""); // examples stay out of the recent files
    // "Multitechniques" and a name with an accent.
    window_->ChooseExample = [] { return 16; };
    window_->Run(Command::Examples);
    EXPECT_TRUE(Game().Caption().startsWith(" Vemo Tarn : extreme"));
    window_->ChooseExample = [] { return 2; };
    window_->Run(Command::Examples);
    EXPECT_TRUE(Game().Caption().startsWith(" Vemo Tarn : candidatcaché"));
    // "Annuler" keeps the board; hand entry has ended.
    window_->Run(Command::BlankGrid);
    GoTo(0);
    Digit(5, Qt::NoModifier);
    ASSERT_TRUE(Game().HandEntry());
    window_->Pages()->setCurrentIndex(2);
    const std::string position = test::TextOf(E().CellGrid[0]);
    window_->ChooseExample = [] { return -1; };
    window_->Run(Command::Examples);
    EXPECT_EQ(test::TextOf(E().CellGrid[0]), position);
    EXPECT_EQ(window_->Pages()->currentIndex(), 0);
    EXPECT_FALSE(Game().HandEntry());
    GoTo(1);
    Digit(7, Qt::NoModifier); // a digit no longer enters a given
    EXPECT_EQ(test::TextOf(E().CellGrid[0]), position);
}

TEST_F(Window, TheExamplesDialogItself) {
    // The real dialog, answered by a click on its "X-wing" button.
    window_->ChooseExample = [this] {
        QTimer::singleShot(0, window_->Examples(),
                           [this] { window_->Examples()->ButtonFor(9)->click(); });
        return window_->Examples()->Choose();
    };
    window_->Run(Command::Examples);
    EXPECT_TRUE(Game().Caption().startsWith(" Vemo Tarn : Xwing"));
}

TEST_F(Window, FinishingShowsTheCongratulations) {
    window_ = Make(true);
    std::string almost = kSolved;
    almost[0] = '.';
    Open(Write("almost.sku", almost));
    CongratulationsDialog* box = window_->Congratulations();
    box->SetMusicFolder(folder_.filePath("no music here")); // silent, and still working
    QStringList lines;
    bool shown = false;
    // Read and close the box as soon as it is up.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!box->isVisible()) return;
        shown = true;
        lines = box->StatisticsText();
        box->done(QDialog::Accepted);
    });
    poll.start(10);
    GoTo(0);
    Digit(1); // wrong first
    Game().MessageTimerFired();
    Digit(4);
    poll.stop();
    ASSERT_EQ(E().FilledCount, 81);
    ASSERT_TRUE(shown);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().endsWith("1")) << lines.last().toStdString(); // one error
    EXPECT_FALSE(Game().ClockRunning());
}

} // namespace
} // namespace vemo::ui
