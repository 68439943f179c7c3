// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real window, offscreen, driven by keys, clicks and commands through
// whole games.
#include "engine/techniques/catalogue.h"
#include "test_support.h"
#include "ui/board_painter.h"
#include "ui/board_widget.h"
#include "ui/characteristics_page.h"
#include "ui/main_window.h"
#include "ui_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QPainter>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace vemo::ui {
namespace {

TEST_F(Window, LayoutAndStartInFrench) {
    EXPECT_EQ(window_->centralWidget()->width(), 552);
    EXPECT_EQ(window_->Pages()->geometry(), QRect(6, 96, 540, 562));
    EXPECT_EQ(window_->Board()->size(), QSize(512, 512));
    EXPECT_EQ(window_->Pages()->tabText(0), "Grille");
    EXPECT_EQ(window_->Pages()->tabText(1), "Caractéristiques");
    EXPECT_EQ(window_->Action(Command::Open)->text(), "&Ouvrir");
    EXPECT_EQ(window_->Action(Command::Open)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(window_->Action(Command::Undo)->toolTip(), "Annuler (Ctrl+Z)");
    // Hand entry on an empty grid; nothing to undo or hint.
    EXPECT_FALSE(E().PuzzleFixed);
    EXPECT_TRUE(Game().HandEntry());
    EXPECT_FALSE(window_->Action(Command::Undo)->isEnabled());
    EXPECT_FALSE(window_->Action(Command::Hint)->isEnabled());
    EXPECT_EQ(Status(), "Ctrl+N : nouvelle grille, F1 : exemples"); // how to begin
    // Entries of later work keep their places, disabled.
    EXPECT_FALSE(window_->Action(Command::PrintFour)->text().isEmpty());
}

TEST_F(Window, LoadAFileAndPlayRightAndWrongDigits) {
    Open(Write("first.sku", kPuzzle + "\r\n"));
    ASSERT_TRUE(E().PuzzleFixed);
    EXPECT_FALSE(Game().HandEntry());
    EXPECT_TRUE(Game().ClockRunning());
    EXPECT_EQ(Game().Caption(), " Vemo Tarn : first");
    EXPECT_EQ(window_->windowTitle(), " Vemo Tarn : first");
    EXPECT_EQ(Status(), "Cases remplies : 18");
    EXPECT_TRUE(window_->Action(Command::Hint)->isEnabled());
    EXPECT_EQ(QString::fromStdString(Game().RecentFiles[0]), folder_.filePath("first.sku"));

    const int cell = FirstEmpty();
    GoTo(cell);
    const int right = kSolved[cell] - '0';
    const int wrong = right % 9 + 1;
    Digit(wrong);
    EXPECT_EQ(Game().ErrorsMade, 1);
    EXPECT_EQ(Game().StatusColour(), kAlarm);
    EXPECT_EQ(Status(), window_->Texts().Text(507));
    EXPECT_EQ(E().CellGrid[0][cell], 0);
    Game().MessageTimerFired(); // two seconds later
    EXPECT_EQ(Status(), Count());
    EXPECT_NE(Game().StatusColour(), kAlarm);

    Digit(right, Qt::NoModifier); // a top-row digit plays as the keypad's does
    EXPECT_EQ(E().CellGrid[0][cell], right);
    EXPECT_EQ(Game().ErrorsMade, 1);
    EXPECT_EQ(Status(), "Cases remplies : 19");
    EXPECT_TRUE(window_->Action(Command::Undo)->isEnabled());
    EXPECT_TRUE(window_->Action(Command::Restart)->isEnabled());
    Digit(right); // the cell is filled now
    EXPECT_EQ(Status(), window_->Texts().Text(508));
    EXPECT_EQ(Game().ErrorsMade, 1);
}

TEST_F(Window, RemovingCandidatesAndUndoRedo) {
    Open(Write("p.sku", kPuzzle));
    const int cell = FirstEmpty();
    GoTo(cell);
    const int right = kSolved[cell] - '0';
    int other = 0;
    for (int d = 1; d <= 9; ++d)
        if (d != right && E().CandidateTable.Has(cell, d)) other = d;
    ASSERT_NE(other, 0);
    const QString before = Status();
    Digit(right, Qt::ControlModifier | Qt::KeypadModifier); // the solution digit: refused
    EXPECT_EQ(Game().ErrorsMade, 1);
    EXPECT_TRUE(E().CandidateTable.Has(cell, right));
    Game().MessageTimerFired();
    Digit(other, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_FALSE(E().CandidateTable.Has(cell, other));
    EXPECT_EQ(Status(), before); // a removal leaves the count as it was
    const int next = [&] {
        for (int c = cell + 1; c < 81; ++c)
            if (E().CellGrid[0][c] == 0) return c;
        return -1;
    }();
    GoTo(next);
    Digit(kSolved[next] - '0');
    ASSERT_EQ(E().CellGrid[0][next], kSolved[next] - '0');

    window_->Run(Command::Undo);
    EXPECT_EQ(E().CellGrid[0][next], 0);
    EXPECT_FALSE(E().CandidateTable.Has(cell, other));
    window_->Run(Command::Undo);
    EXPECT_TRUE(E().CandidateTable.Has(cell, other));
    EXPECT_EQ(Status(), "Cases remplies : 18");
    EXPECT_FALSE(window_->Action(Command::Undo)->isEnabled());
    EXPECT_FALSE(window_->Action(Command::Restart)->isEnabled());
    EXPECT_FALSE(window_->Action(Command::Start)->isEnabled());
    EXPECT_TRUE(window_->Action(Command::Redo)->isEnabled());
    window_->Run(Command::Redo);
    EXPECT_FALSE(E().CandidateTable.Has(cell, other));
    // A different move after an undo: the undone one cannot come back.
    window_->Run(Command::Undo);
    GoTo(next);
    Digit(kSolved[next] - '0');
    EXPECT_FALSE(window_->Action(Command::Redo)->isEnabled());
    EXPECT_TRUE(E().CandidateTable.Has(cell, other));
}

TEST_F(Window, FinishUndoRedoAndRestart) {
    std::string almost = kSolved;
    almost[0] = almost[40] = '.';
    Open(Write("almost.sku", almost));
    ASSERT_TRUE(E().PuzzleFixed);
    GoTo(0);
    Digit(4);
    EXPECT_EQ(finished_, 0);
    GoTo(40);
    Key(Qt::Key_Return); // the single candidate
    EXPECT_EQ(E().FilledCount, 81);
    EXPECT_EQ(finished_, 1);
    EXPECT_FALSE(Game().ClockRunning());
    EXPECT_FALSE(window_->Action(Command::Hint)->isEnabled());
    const QDateTime start = Game().StartTime();
    window_->Run(Command::Undo);
    EXPECT_TRUE(Game().ClockRunning()); // from the game's own start time
    EXPECT_EQ(Game().StartTime(), start);
    EXPECT_TRUE(window_->Action(Command::Hint)->isEnabled());
    window_->Run(Command::Redo);
    EXPECT_EQ(finished_, 2);
    window_->Run(Command::Restart);
    EXPECT_EQ(E().CellGrid[0][0], 0);
    EXPECT_EQ(E().CellGrid[0][40], 0);
    EXPECT_EQ(Game().ErrorsMade, 0);
    EXPECT_TRUE(Game().ClockRunning());
    EXPECT_FALSE(window_->Action(Command::Undo)->isEnabled());
    EXPECT_EQ(Status(), "Cases remplies : 79");
}

TEST_F(Window, HandEntryOfAClassicGridAndTooFewClues) {
    window_->Run(Command::BlankGrid);
    EXPECT_TRUE(Game().HandEntry());
    GoTo(0);
    Digit(5, Qt::NoModifier); // top row, no Shift needed
    EXPECT_EQ(E().CellGrid[0][0], 5);
    EXPECT_EQ(E().Givens[0], 5);
    EXPECT_TRUE(window_->Action(Command::Start)->isEnabled());
    GoTo(1);
    Digit(5, Qt::NoModifier); // repeats the 5 of the row: not a candidate, refused
    EXPECT_EQ(E().CellGrid[0][1], 0);
    Digit(3, Qt::KeypadModifier);
    EXPECT_EQ(E().CellGrid[0][1], 3);
    Key(Qt::Key_Delete);
    EXPECT_EQ(E().CellGrid[0][1], 0);
    window_->Run(Command::Start);
    EXPECT_EQ(Status(), window_->Texts().Text(504) + window_->Texts().Text(505));
    EXPECT_EQ(Game().StatusColour(), kAlarm);
    EXPECT_TRUE(Game().HandEntry());
    EXPECT_FALSE(E().PuzzleFixed);
}

TEST_F(Window, HandEntryStartsAGame) {
    window_->Run(Command::BlankGrid);
    for (int c = 0; c < 81; ++c) {
        if (kPuzzle[c] == '.') continue;
        GoTo(c);
        Digit(kPuzzle[c] - '0', Qt::NoModifier);
    }
    window_->Run(Command::Start);
    ASSERT_TRUE(E().PuzzleFixed);
    EXPECT_EQ(test::TextOf(E().SolutionGrid), kSolved);
    EXPECT_EQ(Game().Caption(), " Vemo Tarn :Nouveau");
}

TEST_F(Window, ShiftClickMarksInHandEntry) {
    window_->Run(Command::Consecutive);
    window_->Run(Command::BlankGrid);
    ASSERT_EQ(E().VariantKind, kConsecutive);
    // The right edge of r1c1: 3 pixels inside it, half-way down.
    QTest::mouseClick(window_->Board(), Qt::LeftButton, Qt::ShiftModifier, QPoint(57 - 3, 28));
    EXPECT_EQ(E().NeighbourMarks[0][1], 1);
    EXPECT_EQ(E().NeighbourMarks[1][3], 1);
    EXPECT_EQ(E().NeighbourMarks[0][0], 1);
    EXPECT_EQ(E().NeighbourMarks[1][0], 1);
    // The left edge of column 0 has no neighbour.
    QTest::mouseClick(window_->Board(), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 28 + 57));
    EXPECT_EQ(E().NeighbourMarks[9][0], 0);
    // The same click again takes the bar away.
    QTest::mouseClick(window_->Board(), Qt::LeftButton, Qt::ShiftModifier, QPoint(57 - 3, 28));
    EXPECT_EQ(E().NeighbourMarks[0][1], 0);
    EXPECT_EQ(E().NeighbourMarks[1][0], 0);

    window_->Run(Command::OddEven);
    window_->Run(Command::BlankGrid);
    ASSERT_EQ(E().VariantKind, kOddEven);
    QTest::mouseClick(window_->Board(), Qt::LeftButton, Qt::ShiftModifier,
                      QPoint(57 * 4 + 20, 57 * 2 + 20));
    EXPECT_EQ(E().ParityMarks[2 * 9 + 4], 2);
    // An odd digit in an even cell is no candidate.
    GoTo(2 * 9 + 4);
    Digit(3, Qt::NoModifier);
    EXPECT_EQ(E().CellGrid[0][2 * 9 + 4], 0);
    Digit(4, Qt::NoModifier);
    EXPECT_EQ(E().CellGrid[0][2 * 9 + 4], 4);
}

TEST_F(Window, FiltersCombineAndAMoveClearsThem) {
    Open(Write("p.sku", kPuzzle));
    window_->FilterButton(3)->trigger();
    window_->FilterButton(5)->trigger();
    for (int c = 0; c < 81; ++c) {
        const bool both = E().CandidateTable.Has(c, 3) && E().CandidateTable.Has(c, 5);
        EXPECT_EQ(Game().Board().CellHighlight[c], both ? kFilteredCell : kNoMark) << c;
    }
    window_->FilterButton(3)->trigger(); // released: every cell with a 5
    for (int c = 0; c < 81; ++c)
        EXPECT_EQ(Game().Board().CellHighlight[c] == kFilteredCell, E().CandidateTable.Has(c, 5))
            << c;
    EXPECT_TRUE(window_->FilterButton(5)->isChecked());
    const int cell = FirstEmpty();
    GoTo(cell);
    Digit(kSolved[cell] - '0');
    for (int c = 0; c < 81; ++c) EXPECT_EQ(Game().Board().CellHighlight[c], kNoMark);
    EXPECT_FALSE(window_->FilterButton(5)->isChecked());
    window_->PairsButton()->trigger();
    for (int c = 0; c < 81; ++c)
        EXPECT_EQ(Game().Board().CellHighlight[c] == kFilteredCell,
                  E().CandidateTable.Count(c) == 2);
}

TEST_F(Window, CopyAndPasteBack) {
    Open(Write("p.sku", kPuzzle));
    const int cell = FirstEmpty();
    GoTo(cell);
    Digit(kSolved[cell] - '0');
    window_->Run(Command::CopyPuzzle);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied.count(QStringLiteral(" *-----------*")), 4); // puzzle and position
    EXPECT_EQ(Status(), window_->Texts().Text(509));
    window_->Run(Command::BlankGrid);
    window_->Run(Command::Paste);
    ASSERT_TRUE(E().PuzzleFixed);
    EXPECT_EQ(test::TextOf(E().Givens), kPuzzle); // the first grid: the givens

    window_->Run(Command::CopyPosition);
    std::string position = kPuzzle;
    QApplication::clipboard()->setText(QStringLiteral("garbage"));
    const std::string givens = test::TextOf(E().Givens);
    window_->Run(Command::Paste); // too few cells: nothing changes
    EXPECT_EQ(Status(), window_->Texts().Text(513));
    EXPECT_EQ(test::TextOf(E().Givens), givens);
    EXPECT_TRUE(E().PuzzleFixed);
}

TEST_F(Window, BadFilesChangeNothing) {
    Open(Write("p.sku", kPuzzle));
    const int cell = FirstEmpty();
    GoTo(cell);
    Digit(kSolved[cell] - '0');
    const std::string position = test::TextOf(E().CellGrid[0]);
    for (const auto& [name, content] : std::initializer_list<std::pair<const char*, std::string>>{
             {"short.sku", "12345"}, {"bad.sku", "3x3: : :1:x:"}}) {
        Open(Write(name, content));
        EXPECT_EQ(Game().StatusColour(), kAlarm) << name;
        EXPECT_EQ(test::TextOf(E().CellGrid[0]), position) << name;
        EXPECT_TRUE(window_->Action(Command::Undo)->isEnabled()) << name;
    }
    Open(folder_.filePath("missing.sku"));
    EXPECT_TRUE(Status().startsWith(window_->Texts().Text(543)));
    EXPECT_EQ(test::TextOf(E().CellGrid[0]), position);
    window_->ChooseOpenPath = [] { return QString(); }; // cancelled dialog
    window_->Run(Command::Open);
    EXPECT_EQ(test::TextOf(E().CellGrid[0]), position);
    EXPECT_TRUE(window_->Action(Command::Undo)->isEnabled());
}

TEST_F(Window, SaveAndRecentFiles) {
    Open(Write("p.sku", kPuzzle));
    const QString saved = folder_.filePath("saved.sku");
    window_->ChooseSavePath = [saved] { return saved; };
    window_->Run(Command::Save);
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith(" *-----------*\r\n |4..|.3.|...|\r\n"));
    EXPECT_EQ(QString::fromStdString(Game().RecentFiles[0]), saved);
    EXPECT_EQ(QString::fromStdString(Game().RecentFiles[1]), folder_.filePath("p.sku"));
    // A save that cannot be written says why.
    window_->ChooseSavePath = [this] { return folder_.filePath("no/such/folder/x.sku"); };
    window_->Run(Command::Save);
    EXPECT_EQ(errors_.size(), 1);
    // A recent entry whose file is gone is dropped.
    QFile::remove(saved);
    window_->Run(Command::Recent1);
    EXPECT_EQ(QString::fromStdString(Game().RecentFiles[0]), folder_.filePath("p.sku"));
    EXPECT_EQ(Game().RecentFiles[4], "");
}

TEST_F(Window, SettingsAcrossARestartAndACorruptFile) {
    window_->Run(Command::Hard);
    window_->Run(Command::Axial);
    window_->Run(Command::CandidatesAll);
    window_->Run(Command::OddEven);
    window_->Run(Command::XSudoku);
    window_->Run(Command::English);
    window_->close();
    window_ = Make();
    EXPECT_EQ(Game().DifficultyBand(), 2);
    EXPECT_EQ(E().SymmetryChoice, 2);
    EXPECT_EQ(Game().Board().CandidateDisplay, 1);
    EXPECT_EQ(E().VariantKind, kOddEven);
    EXPECT_TRUE(window_->Action(Command::OddEven)->isChecked());
    EXPECT_TRUE(window_->Action(Command::XSudoku)->isChecked());
    EXPECT_EQ(window_->Texts().LanguageFile(), "English.lng");
    EXPECT_NE(window_->Pages()->tabText(0), "Grille");
    window_->close();
    window_.reset();
    // Junk in the settings file: defaults, no crash.
    static constexpr char kJunk[] = "[Divers]\nType=77\nXSudoku=x\nLangue=\xff\xfe.lng\n\0\0";
    Write("VemoTarn.ini", std::string(kJunk, sizeof kJunk - 1));
    window_ = Make();
    EXPECT_EQ(E().VariantKind, kClassic);
    EXPECT_EQ(E().XSudoku, 0);
    EXPECT_EQ(window_->Pages()->tabText(0), "Grille"); // the French fallback
}

// A window whose program folder holds only a language folder with the given
// French file.
std::unique_ptr<MainWindow> WithFrenchFile(const QTemporaryDir& folder, const QByteArray& bytes,
                                           QStringList& errors) {
    const QString program = folder.filePath(QStringLiteral("program/"));
    QDir().mkpath(program + QStringLiteral("Langues"));
    QFile file(program + QStringLiteral("Langues/Français.lng"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    StartOptions options;
    options.programFolder = program;
    auto w = std::make_unique<MainWindow>(options);
    w->ReportError = [&errors](const QString& m) { errors << m; };
    w->show();
    return w;
}

TEST_F(Window, ABrokenLanguageFileKeepsTheBuiltInCaptions) {
    QFile real(QStringLiteral(VEMO_SOURCE_DIR "/data/Langues/Français.lng"));
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    const QByteArray whole = real.readAll();
    const QByteArray truncated = whole.left(whole.size() / 3);
    static constexpr char kGarbage[] = "\x01\xfe\x00 not a language file\n\x7f\x80";
    const QByteArray garbage(kGarbage, sizeof kGarbage - 1);
    // Every action that has a caption with the real file keeps one.
    QStringList captioned;
    for (QAction* action : window_->findChildren<QAction*>())
        if (!action->objectName().isEmpty() && !action->text().isEmpty())
            captioned << action->objectName();
    ASSERT_GT(captioned.size(), 40);
    for (const QByteArray& bytes : {QByteArray(), truncated, garbage}) {
        window_ = WithFrenchFile(folder_, bytes, errors_);
        EXPECT_EQ(window_->Pages()->tabText(0), "Grille");
        EXPECT_EQ(window_->Pages()->tabText(1), "Caractéristiques");
        EXPECT_EQ(window_->Action(Command::Quit)->text(), "&Quitter");
        EXPECT_EQ(window_->Action(Command::Open)->text(), "&Ouvrir");
        for (QAction* action : window_->findChildren<QAction*>()) {
            if (captioned.contains(action->objectName())) {
                EXPECT_FALSE(action->text().isEmpty()) << action->objectName().toStdString();
            }
        }
        for (QAction* menu : window_->menuBar()->actions()) EXPECT_FALSE(menu->text().isEmpty());
    }
}

TEST_F(Window, TheReportOfAMalformedLanguageLineStaysForItsTwoSeconds) {
    window_ = WithFrenchFile(folder_, "#0051 0000  Nouveau\r\n#00x1 0000  faux\r\n", errors_);
    EXPECT_EQ(Status(), window_->Texts().Text(545) + "2");
    EXPECT_EQ(Game().StatusColour(), kAlarm);
    QTest::qWait(500);
    EXPECT_EQ(Status(), window_->Texts().Text(545) + "2");
    EXPECT_TRUE(QTest::qWaitFor([this] { return Game().StatusColour() != kAlarm; }, 3000));
    EXPECT_EQ(Status(), Count());
}

TEST_F(Window, SettingsThatCannotBeWrittenAreReportedAtShutDown) {
    window_.reset();
    Write("plain", "a file where a folder should be");
    StartOptions options;
    options.programFolder = QStringLiteral(VEMO_SOURCE_DIR "/data/");
    options.settingsPath = folder_.filePath(QStringLiteral("plain/VemoTarn.ini"));
    window_ = std::make_unique<MainWindow>(options);
    window_->ReportError = [this](const QString& m) { errors_ << m; };
    window_->show();
    errors_.clear();
    window_->close();
    ASSERT_EQ(errors_.size(), 1);
    EXPECT_TRUE(errors_[0].startsWith(window_->Texts().Text(549))) << errors_[0].toStdString();
}

TEST_F(Window, LanguageSwitchAndBack) {
    Open(Write("p.sku", kPuzzle));
    const QString frenchName = window_->Characteristics()->TechniqueGrid()->item(1, 0)->text();
    ASSERT_TRUE(window_->SwitchLanguage("English.lng"));
    EXPECT_EQ(window_->Pages()->tabText(0), window_->Texts().Text(3));
    EXPECT_NE(window_->Action(Command::Open)->text(), "&Ouvrir");
    EXPECT_NE(window_->Characteristics()->TechniqueGrid()->item(1, 0)->text(), frenchName);
    EXPECT_TRUE(window_->Action(Command::English)->isChecked());
    ASSERT_TRUE(window_->SwitchLanguage("Français.lng"));
    EXPECT_EQ(window_->Action(Command::Open)->text(), "&Ouvrir");
    EXPECT_EQ(window_->Pages()->tabText(1), "Caractéristiques");
    EXPECT_EQ(window_->Characteristics()->TechniqueGrid()->item(1, 0)->text(), frenchName);
    EXPECT_EQ(window_->Action(Command::Undo)->toolTip(), "Annuler (Ctrl+Z)");
    EXPECT_FALSE(window_->SwitchLanguage("Klingon.lng")); // keeps the language
    EXPECT_EQ(window_->Action(Command::Open)->text(), "&Ouvrir");
}

// The board picture against the colour table.
TEST_F(Window, BoardPictureColours) {
    Open(Write("p.sku", kPuzzle));
    const int cell = FirstEmpty(); // r1c2
    GoTo(cell);
    Digit(kSolved[cell] - '0');
    const QImage& picture = window_->Board()->Picture();
    const auto at = [&](int x, int y) {
        return picture.pixelColor(x * picture.devicePixelRatio(), y * picture.devicePixelRatio());
    };
    // Cell (r, c) spans x0 = c*57-1 .. ; inner rectangle from x0+4.
    EXPECT_EQ(at(57 * 0 + 8, 57 * 0 + 50), QColor(198, 243, 251));    // a given, clear of its digit
    EXPECT_EQ(at(57 * 2 + 8, 57 * 0 + 50), QColor(224, 255, 255));    // empty
    EXPECT_EQ(at(57 * 1 + 8, 57 * 0 + 30), QColor(0xD9, 0xF8, 0xFD)); // the player's digit
    EXPECT_EQ(at(57 * 3 - 1, 57 * 4 + 20), QColor(Qt::black));        // a box line
    EXPECT_EQ(at(57 * 1 - 1, 57 * 4 + 20), QColor(192, 192, 192));    // a thin line
    // The active-cell frame: a dark red band two pixels wide inside the inner
    // rectangle's outline, then a white line that sets it apart from any ground.
    const Look& light = LookOf(LookKind::Light);
    EXPECT_EQ(at(57 * 1 - 1 + 4, 57 * 0 + 20), QColor(light.activeFrame));
    EXPECT_EQ(at(57 * 1 - 1 + 5, 57 * 0 + 20), QColor(light.activeFrame));
    EXPECT_EQ(at(57 * 1 - 1 + 6, 57 * 0 + 20), QColor(light.activeFrameEdge));
}

TEST(BoardPainter, BarsEvenCellsDiagonalsAndHints) {
    Engine e;
    test::LoadPuzzle(e, kPuzzle, kConsecutive, 1);
    e.NeighbourMarks[1][1] = e.NeighbourMarks[2][3] = 1; // r1c2 - r1c3
    e.ParityMarks[2] = 2;
    BoardState board;
    board.CellHighlight[20] = kHintCell;
    e.HintTechnique = kXWing;
    QImage image(512, 512, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        DrawBoardPicture(p, e, board);
    }
    // The bar straddles x = 114 between the two cells, 10 pixels from the top.
    EXPECT_EQ(image.pixelColor(113, 25), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(116, 25), QColor(Qt::black));
    EXPECT_NE(image.pixelColor(113, 5), QColor(Qt::black));
    // Diagonal through the centre cell, in blue.
    EXPECT_EQ(image.pixelColor(57 * 4 + 20, 57 * 4 + 20), QColor(0, 0, 255));
    // The hint cell r3c3 in the X-wing's colour.
    const Rgb& c = TechniqueColours[kXWing];
    EXPECT_EQ(image.pixelColor(57 * 2 + 5, 57 * 2 + 50), QColor(c.red, c.green, c.blue));

    // Even cells are shaded on odd/even grids only, and lose it once filled.
    e.VariantKind = kOddEven;
    image.fill(Qt::white);
    {
        QPainter p(&image);
        DrawBoardPicture(p, e, board);
    }
    EXPECT_EQ(image.pixelColor(57 * 2 + 10, 57 * 0 + 48), QColor(LookOf(LookKind::Light).evenCell));
    EXPECT_EQ(image.pixelColor(113, 25) == QColor(Qt::black), false); // no bars on this kind
}

TEST_F(Window, TechniqueGridColoursAndRows) {
    Open(Write("p.sku", kPuzzle));
    QTableWidget* grid = window_->Characteristics()->TechniqueGrid();
    ASSERT_EQ(grid->rowCount(), 21);
    for (int row = 1; row <= 16; ++row) {
        const QString count = grid->item(row, 1)->text();
        EXPECT_EQ(count, QString::number(E().TechniqueCounters[row - 1])) << row;
    }
    EXPECT_EQ(grid->item(19, 1)->text(), QString::number(E().PuzzleScore()));
    EXPECT_EQ(grid->item(18, 0)->text(), window_->Texts().Text(531));
    // Counts in their technique's colour, zeros on white.
    for (int row = 1; row <= 16; ++row) {
        const QColor ground = grid->item(row, 1)->data(Qt::BackgroundRole).value<QColor>();
        const Rgb& c = TechniqueColours[row];
        EXPECT_EQ(ground, E().TechniqueCounters[row - 1] > 0 ? QColor(c.red, c.green, c.blue)
                                                             : QColor(Qt::white))
            << row;
    }
    // The consecutive layout puts the impossible neighbour third, in its colour.
    window_->Run(Command::Consecutive);
    std::string record = "3x3: :c";
    for (int c = 0; c < 81; ++c)
        record += ":" + std::to_string((kPuzzle[c] == '.' ? 0 : kPuzzle[c] - '0') * 256);
    Open(Write("c.sku", record + ":"));
    ASSERT_EQ(E().VariantKind, kNonConsecutive); // no bar: the non-consecutive family
    EXPECT_EQ(grid->rowCount(), 21);
    std::string barred = "3x3: :c";
    for (int c = 0; c < 81; ++c)
        barred += ":" + std::to_string((kPuzzle[c] == '.' ? 0 : kPuzzle[c] - '0') * 256 +
                                       (c == 80 ? 4 : 0));
    Open(Write("b.sku", barred + ":"));
    ASSERT_EQ(E().VariantKind, kConsecutive);
    EXPECT_EQ(grid->rowCount(), 22);
    EXPECT_EQ(grid->item(3, 0)->text(), TechniqueName(window_->Texts(), kImpossibleNeighbour));
}

} // namespace
} // namespace vemo::ui
