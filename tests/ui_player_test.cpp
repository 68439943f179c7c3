// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a player meets in the real window, offscreen: the keyboard after the
// cell chooser, refused files, puzzles without a solution, the chooser's place
// and size, digits of every keyboard, the window on a small screen, and the
// high-contrast look read from the widgets' own pixels.
#include "engine/generator/generation.h"
#include "engine/scale/levels.h"
#include "io/data_folder.h"
#include "ui/chooser_widget.h"
#include "ui/dialogs/congratulations_dialog.h"
#include "ui/dialogs/examples_dialog.h"
#include "ui/dialogs/type_size.h"
#include "ui/look.h"
#include "ui/status_panel.h"
#include "ui_window_fixture.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOption>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <random>

namespace vemo::ui {
namespace {

QPoint CellCentre(const BoardWidget& board, int cell) {
    return board.FromPicture(
        QPoint((cell % 9) * kCellSize + kCellSize / 2, (cell / 9) * kCellSize + kCellSize / 2));
}

// The row of `digit` in the "Jouer" section of the open chooser.
int PlayRow(const GameController& g, int digit) {
    const QStringList& items = g.CellChooser().items;
    for (int row = 2; row <= g.CellChooser().excludeIndex; ++row)
        if (items[row] == QString::number(digit)) return row;
    return -1;
}

// ---- The keyboard after the chooser -------------------------------------------

TEST_F(Window, AfterTheChooserTheKeysGoToTheBoard) {
    Open(Write("p.sku", kPuzzle));
    BoardWidget& board = *window_->Board();
    board.setFocus();
    const int first = FirstEmpty();
    // Chosen with the mouse.
    QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, CellCentre(board, first));
    ASSERT_TRUE(window_->CellChooser()->isVisible());
    ChooserWidget& chooser = *window_->CellChooser();
    const int row = PlayRow(Game(), kSolved[first] - '0');
    ASSERT_GT(row, 1);
    QTest::mouseClick(chooser.viewport(), Qt::LeftButton, Qt::NoModifier,
                      chooser.visualItemRect(chooser.item(row)).center());
    ASSERT_EQ(E().Position()[first], kSolved[first] - '0');
    EXPECT_TRUE(board.hasFocus()) << QApplication::focusWidget()->metaObject()->className();
    // The next digit typed lands on the board, and Space opens the chooser
    // again instead of pressing a toolbar button.
    const int next = [&] {
        for (int c = first + 1; c < 81; ++c)
            if (E().Position()[c] == 0) return c;
        return -1;
    }();
    GoTo(next);
    Digit(kSolved[next] - '0');
    EXPECT_EQ(E().Position()[next], kSolved[next] - '0');
    const int undoLevel = Game().History().MoveLevel();
    Key(Qt::Key_Space);
    EXPECT_EQ(Game().History().MoveLevel(), undoLevel);

    // Chosen with Enter.
    int third = next + 1;
    while (E().Position()[third] != 0) ++third;
    GoTo(third);
    Key(Qt::Key_Space);
    ASSERT_TRUE(chooser.isVisible());
    const int r3 = PlayRow(Game(), kSolved[third] - '0');
    for (int k = 0; k < r3; ++k) QTest::keyClick(&chooser, Qt::Key_Down);
    QTest::keyClick(&chooser, Qt::Key_Return);
    ASSERT_EQ(E().Position()[third], kSolved[third] - '0');
    EXPECT_TRUE(board.hasFocus());
    Key(Qt::Key_Left);
    EXPECT_EQ(Game().Board().ActiveColumn, third % 9 - 1);
}

TEST_F(Window, ActivatingTheWindowGivesTheKeysToTheBoard) {
    Open(Write("p.sku", kPuzzle));
    QWidget* button = window_->CommandBar()->widgetForAction(window_->Action(Command::Open));
    ASSERT_NE(button, nullptr);
    button->setFocus();
    ASSERT_FALSE(window_->Board()->hasFocus());
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    EXPECT_TRUE(window_->Board()->hasFocus());
}

// After a menu closed with Escape, typed keys reach the board at once, whether
// the menu was opened by the keyboard or by the mouse.
TEST_F(Window, OneEscapeAfterAMenuGivesTheKeysBackToTheBoard) {
    Open(Write("p.sku", kPuzzle));
    QMenuBar* bar = window_->menuBar();
    const auto activate = [&] {
        QApplication::setActiveWindow(window_.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    };
    const auto typed = [](Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key);
    };
    // Escape in the open menu; then the window's keys belong to the board and
    // no menu title stays lit, before the window is active again (offscreen,
    // the menu took the activation).
    const auto closeMenuWithEscape = [&] {
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
        QApplication::processEvents();
        EXPECT_EQ(window_->focusWidget(), window_->Board())
            << (window_->focusWidget() ? window_->focusWidget()->metaObject()->className()
                                       : "no focus");
        EXPECT_EQ(bar->activeAction(), nullptr);
        activate();
    };
    activate();
    window_->Board()->setFocus();
    ASSERT_TRUE(window_->Board()->hasFocus());
    int cell = FirstEmpty();
    GoTo(cell);

    // Opened with F10, closed with Escape: the next digit plays.
    typed(Qt::Key_F10);
    closeMenuWithEscape();
    EXPECT_TRUE(window_->Board()->hasFocus());
    typed(static_cast<Qt::Key>(Qt::Key_0 + (kSolved[cell] - '0')));
    EXPECT_EQ(E().Position()[cell], kSolved[cell] - '0');

    // Opened with a click on the menu bar: the next arrow moves the cell.
    cell = FirstEmpty();
    GoTo(cell);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->actionGeometry(bar->actions().at(1)).center());
    closeMenuWithEscape();
    EXPECT_TRUE(window_->Board()->hasFocus());
    const int column = Game().Board().ActiveColumn;
    typed(column > 0 ? Qt::Key_Left : Qt::Key_Right);
    EXPECT_NE(Game().Board().ActiveColumn, column);
}

// ---- Files that are not puzzles, and puzzles without a solution ----------------

// The window with a data folder of its own: the game in progress is kept at
// closing and resumed at the next start.
class Kept : public Window {
  protected:
    void SetUp() override {
        qputenv("XDG_DATA_HOME", folder_.path().toUtf8());
        window_ = WithData();
    }

    std::unique_ptr<MainWindow> WithData(bool asTheProgramStarts = false) {
        window_.reset();
        StartOptions options;
        options.newGameAtFirstStart = asTheProgramStarts;
        options.programFolder = QStringLiteral(VEMO_SOURCE_DIR "/data/");
        options.settingsPath = folder_.filePath(QStringLiteral("VemoTarn.ini"));
        options.dataFolder = QString::fromStdString(io::DataFolder());
        auto w = std::make_unique<MainWindow>(options);
        w->SetFinishHandler([this] { ++finished_; });
        w->ReportError = [this](const QString& m) { errors_ << m; };
        w->AskAbandon = [this](bool*) {
            ++asked_;
            return true;
        };
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    void Restart(bool asTheProgramStarts = false) {
        window_->close();
        window_ = WithData(asTheProgramStarts);
        window_->ResumeSavedGame();
    }

    // A game with two digits played.
    void PlayTwoDigits() {
        Open(Write("p.sku", kPuzzle));
        int played = 0;
        for (int c = 0; c < 81 && played < 2; ++c)
            if (E().Position()[c] == 0) {
                GoTo(c);
                Digit(kSolved[c] - '0');
                ++played;
            }
        ASSERT_EQ(Game().History().MoveLevel(), 3);
    }

    std::string Cells() { return test::TextOf(E().Position()); }
};

std::string RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string bytes(n, '\0');
    for (char& b : bytes) b = static_cast<char>(rng() & 0xFF);
    return bytes;
}

TEST_F(Kept, AFileThatIsNoPuzzleLeavesTheGameAndTheKeptGameAsTheyWere) {
    PlayTwoDigits();
    const std::string before = Cells();
    const std::string givens = test::TextOf(E().Givens);
    const io::RecentList recent = Game().RecentFiles;
    const QString caption = window_->windowTitle();
    const std::string twoGrids = kPuzzle + "\r\n" + kPuzzle + "\r\n";
    const std::string lines = kPuzzle.substr(0, 40) + "\r\n" + kPuzzle.substr(40) + "\r\n" +
                              "and more digits 123456789 123456789\r\n";
    int k = 0;
    for (const std::string& bytes :
         {RandomBytes(3000, 1), RandomBytes(3000, 2), twoGrids, lines, std::string("1234\r\n")}) {
        const QString name = QStringLiteral("random%1.sdu").arg(k++);
        Open(Write(name, bytes));
        EXPECT_EQ(Cells(), before) << name.toStdString();
        EXPECT_EQ(test::TextOf(E().Givens), givens);
        EXPECT_TRUE(E().PuzzleFixed);
        EXPECT_EQ(Game().History().MoveLevel(), 3);
        EXPECT_TRUE(Game().ClockRunning());
        EXPECT_EQ(window_->windowTitle(), caption);
        // Said in red, and the file is not a recent one.
        EXPECT_EQ(Game().StatusColour(), kAlarm);
        EXPECT_FALSE(Status().isEmpty());
        EXPECT_EQ(Game().RecentFiles, recent);
    }
    // Closed and started again: the game played, nothing of the files.
    Restart();
    EXPECT_EQ(Cells(), before);
    EXPECT_EQ(test::TextOf(E().Givens), givens);
    EXPECT_TRUE(E().PuzzleFixed);
    EXPECT_EQ(E().SolutionCount, 1);
}

TEST_F(Kept, AnInvalidGridIsShownForCorrectionAndNeverKept) {
    PlayTwoDigits();
    std::string dup = kPuzzle;
    dup[1] = '4'; // a second 4 in the first row
    const QString path = Write("dup.sku", dup);
    Open(path);
    EXPECT_EQ(Status().left(window_->Texts().Text(504).size()), window_->Texts().Text(504));
    // The grid is on the board, in hand entry, with no clock running.
    EXPECT_EQ(E().Position()[1], 4);
    EXPECT_FALSE(E().PuzzleFixed);
    EXPECT_TRUE(Game().HandEntry());
    EXPECT_FALSE(Game().ClockRunning());
    EXPECT_NE(Game().RecentFiles[0], path.toStdString());
    // Mended by hand and started.
    GoTo(1);
    Digit(0, Qt::NoModifier);
    EXPECT_EQ(E().Position()[1], 0);
    window_->Run(Command::Start);
    EXPECT_TRUE(E().PuzzleFixed);

    // Refused again and closed: no mixture of the two grids comes back.
    Open(path);
    Restart();
    EXPECT_FALSE(E().PuzzleFixed);
    EXPECT_NE(E().Position()[1], 4);
    for (int c = 0; c < 81; ++c) EXPECT_EQ(E().Givens[c], 0) << c;
}

TEST_F(Window, APuzzleWithoutSolutionIsReportedAndNotStarted) {
    const std::string none =
        "41..3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";
    Open(Write("none.sku", none));
    const QString expected = window_->Texts().Text(504) + window_->Texts().Text(583);
    EXPECT_EQ(Status(), expected);
    EXPECT_EQ(Game().StatusColour(), kAlarm);
    EXPECT_FALSE(E().PuzzleFixed);
    EXPECT_FALSE(Game().ClockRunning());
    EXPECT_FALSE(window_->Action(Command::Hint)->isEnabled());

    // An empty odd/even grid entered by hand and started.
    window_->Run(Command::OddEven);
    window_->Run(Command::BlankGrid);
    // One cell shaded with Shift and a click, which enables "Commencer".
    QTest::mouseClick(window_->Board(), Qt::LeftButton, Qt::ShiftModifier,
                      CellCentre(*window_->Board(), 0));
    window_->Run(Command::Start);
    EXPECT_EQ(E().VariantKind, kOddEven);
    EXPECT_EQ(Status(), expected);
    EXPECT_FALSE(E().PuzzleFixed);
    EXPECT_TRUE(Game().HandEntry());
    EXPECT_FALSE(Game().ClockRunning());

    // In every language the message has its words.
    for (const char* language : {"English.lng", "Deutsch.lng", "Espa\xc3\xb1ol.lng", "Italiano.lng",
                                 "Fran\xc3\xa7"
                                 "ais.lng"}) {
        ASSERT_TRUE(window_->SwitchLanguage(QString::fromUtf8(language))) << language;
        EXPECT_FALSE(window_->Texts().Text(583).trimmed().isEmpty()) << language;
    }
}

// ---- The chooser's place and size ------------------------------------------------

// The empty cell of the last row with the most candidates.
int CrowdedLastRowCell(const Engine& e) {
    int best = -1;
    for (int c = 72; c < 81; ++c)
        if (e.Position()[c] == 0 &&
            (best < 0 || e.CandidateTable.Count(c) > e.CandidateTable.Count(best)))
            best = c;
    return best;
}

// Every row of the open chooser lies inside the window's client area.
void ExpectWholeChooserInside(MainWindow& w) {
    ChooserWidget& chooser = *w.CellChooser();
    ASSERT_TRUE(chooser.isVisible());
    const QRect client = w.centralWidget()->rect();
    EXPECT_TRUE(client.contains(chooser.geometry()))
        << chooser.geometry().y() << " " << chooser.geometry().bottom() << " in "
        << client.bottom();
    for (int row = 0; row < chooser.count(); ++row) {
        const QRect r = chooser.visualItemRect(chooser.item(row));
        EXPECT_TRUE(chooser.viewport()->rect().contains(r)) << "row " << row;
    }
}

TEST_F(Window, TheChooserOfALastRowCellFitsAndGrowsWithTheBoard) {
    Open(Write("p.sku", kPuzzle));
    BoardWidget& board = *window_->Board();
    const int cell = CrowdedLastRowCell(E());
    ASSERT_GE(E().CandidateTable.Count(cell), 5);
    QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, CellCentre(board, cell));
    ExpectWholeChooserInside(*window_);
    ChooserWidget& chooser = *window_->CellChooser();
    // Above the cell, beside it: the cell itself stays in sight.
    const QRect cellRect(
        board.mapTo(window_->centralWidget(),
                    board.FromPicture(QPoint((cell % 9) * kCellSize, (cell / 9) * kCellSize))),
        QSize(kCellSize, kCellSize));
    EXPECT_FALSE(chooser.geometry().intersects(cellRect));
    const int smallRow = chooser.visualItemRect(chooser.item(0)).height();

    // On a board twice as large the rows are larger too, and still in sight.
    window_->resize(window_->size() * 2);
    QApplication::processEvents();
    ASSERT_GT(board.width(), 900);
    QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, CellCentre(board, cell));
    ExpectWholeChooserInside(*window_);
    EXPECT_GE(chooser.visualItemRect(chooser.item(0)).height(), smallRow * 3 / 2);

    // The item under the pointer is the one highlighted.
    const QRect third = chooser.visualItemRect(chooser.item(3));
    QTest::mouseMove(chooser.viewport(), third.center());
    QApplication::processEvents();
    EXPECT_EQ(chooser.currentRow(), 3);
    const QImage shot = chooser.viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(third.left() + 1, third.center().y()),
              QColor(CurrentLook().chooserSelected));
}

// A type given in pixels, as a font resolution of 192 or a desktop's pixel
// setting gives it, has no point size: the chooser still grows with the board
// and keeps every row whole.
TEST_F(Window, TheChooserGrowsWithTheBoardWhenTheTypeCountsInPixels) {
    QFont pixels = window_->font();
    pixels.setPixelSize(24);
    window_->setFont(pixels);
    Open(Write("p.sku", kPuzzle));
    BoardWidget& board = *window_->Board();
    const int cell = CrowdedLastRowCell(E());
    window_->resize(window_->size() * 2);
    QApplication::processEvents();
    ASSERT_GT(board.width(), 900);
    QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, CellCentre(board, cell));
    ExpectWholeChooserInside(*window_);
    const ChooserWidget& chooser = *window_->CellChooser();
    EXPECT_GT(QFontInfo(chooser.font()).pixelSize(), 24);
    const QFontMetrics metrics(chooser.font());
    for (int row = 0; row < chooser.count(); ++row) {
        EXPECT_GE(chooser.visualItemRect(chooser.item(row)).height(), metrics.height()) << row;
        EXPECT_GE(chooser.visualItemRect(chooser.item(row)).width(),
                  metrics.horizontalAdvance(chooser.item(row)->text()))
            << row;
    }
}

// ---- Digits from every keyboard --------------------------------------------------

// A key as a keyboard layout sends it: key code, text and, on X11, the
// physical key's code (0: none known).
void SendKey(QWidget* target, int key, const QString& text, Qt::KeyboardModifiers modifiers = {},
             quint32 scanCode = 0) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, scanCode, 0, 0, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, scanCode, 0, 0, text);
    QApplication::sendEvent(target, &release);
}

TEST_F(Window, ADigitTypedAnyWayPlays) {
    Open(Write("p.sku", kPuzzle));
    QWidget* board = window_->Board();
    board->setFocus();
    std::vector<int> empty;
    for (int c = 0; c < 81; ++c)
        if (E().Position()[c] == 0) empty.push_back(c);
    std::size_t next = 0;
    const auto play = [&](auto send) {
        const int cell = empty[next++];
        GoTo(cell);
        const int d = kSolved[cell] - '0';
        send(d);
        EXPECT_EQ(E().Position()[cell], d) << "cell " << cell;
    };
    // The top row of an English, German, Spanish or Italian keyboard.
    play([&](int d) { SendKey(board, Qt::Key_0 + d, QString::number(d)); });
    play([&](int d) { SendKey(board, Qt::Key_0 + d, QString::number(d), {}, 9 + d); });
    // A layout whose key code says nothing, only the text.
    play([&](int d) { SendKey(board, Qt::Key_unknown, QString::number(d)); });
    // The French top row without Shift, known by its physical key.
    const QString french = QStringLiteral("&\u00e9\"'(-\u00e8_\u00e7");
    play([&](int d) { SendKey(board, Qt::Key_unknown, french.mid(d - 1, 1), {}, 9 + d); });
    // The keypad and Shift still play.
    play([&](int d) { Digit(d); });
    play([&](int d) { Digit(d, Qt::ShiftModifier); });
    EXPECT_EQ(Game().ErrorsMade, 0);

    // A key beside the digits is no digit on a real keyboard: "-" is not 6.
    while (E().CandidateTable.Count(empty[next]) < 2) ++next;
    const int cell = empty[next];
    GoTo(cell);
    const int filled = E().FilledCount;
    SendKey(board, Qt::Key_Minus, QStringLiteral("-"), {}, 20);
    EXPECT_EQ(E().FilledCount, filled);
    EXPECT_EQ(Game().ErrorsMade, 0);

    // Ctrl with a top-row digit removes the candidate.
    int wrong = 1;
    while (wrong == kSolved[cell] - '0' || !E().CandidateTable.Has(cell, wrong)) ++wrong;
    SendKey(board, Qt::Key_0 + wrong, QString(), Qt::ControlModifier, 9 + wrong);
    EXPECT_FALSE(E().CandidateTable.Has(cell, wrong));
    EXPECT_EQ(E().Position()[cell], 0);
    Key(static_cast<Qt::Key>(Qt::Key_0 + kSolved[cell] - '0'), Qt::ControlModifier);
    EXPECT_EQ(Game().ErrorsMade, 1); // the solution digit is never removed
}

// ---- The window on a laptop screen -----------------------------------------------

// The whole of `w`, the status bar and the nine rows of the board lie on the
// screen's free area.
void ExpectOnScreen(MainWindow& w) {
    const QRect free = w.screen()->availableGeometry();
    EXPECT_TRUE(free.contains(w.frameGeometry()))
        << w.frameGeometry().width() << "x" << w.frameGeometry().height() << " on " << free.width()
        << "x" << free.height();
    const QWidget* bar = w.StatusMessagePanel();
    EXPECT_TRUE(free.contains(QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size())));
    const BoardWidget* board = w.Board();
    EXPECT_TRUE(free.contains(QRect(board->mapToGlobal(QPoint(0, 0)), board->size())));
    // The board's page shows the whole board.
    const QWidget* page = board->parentWidget()->parentWidget();
    EXPECT_TRUE(page->rect().contains(QRect(board->mapTo(page, QPoint(0, 0)), board->size())));
}

// A laptop screen of 1366 x 768 pixels at 150 %: 911 x 512 of the window's
// own pixels. It is the second screen of the test's desktop.
QScreen* LaptopScreen() {
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == QLatin1String("laptop")) return screen;
    return nullptr;
}

// A new window with the settings of `folder`, shown on `screen`.
std::unique_ptr<MainWindow> WindowOnScreen(const QTemporaryDir& folder, QScreen* screen) {
    StartOptions options;
    options.programFolder = QStringLiteral(VEMO_SOURCE_DIR "/data/");
    options.settingsPath = folder.filePath(QStringLiteral("VemoTarn.ini"));
    auto window = std::make_unique<MainWindow>(options);
    window->AskAbandon = [](bool*) { return true; };
    window->setScreen(screen);
    window->move(screen->geometry().topLeft());
    window->show();
    window->activateWindow();
    return window;
}

TEST_F(Window, AtOneAndAHalfTimesTheWindowFitsALaptopScreen) {
    QScreen* laptop = LaptopScreen();
    ASSERT_NE(laptop, nullptr);
    const QSize pixels = laptop->geometry().size() * laptop->devicePixelRatio();
    ASSERT_NEAR(pixels.width(), 1366, 1);
    ASSERT_EQ(pixels.height(), 768);
    window_.reset();
    window_ = WindowOnScreen(folder_, laptop);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    ASSERT_EQ(window_->screen(), laptop);
    Open(Write("p.sku", kPuzzle));
    ExpectOnScreen(*window_);
    EXPECT_LE(window_->minimumHeight(), laptop->availableGeometry().height());

    window_->showMaximized();
    QApplication::processEvents();
    ExpectOnScreen(*window_);
    // The smallest window still plays: a click finds its cell.
    window_->showNormal();
    window_->resize(window_->minimumSize());
    QApplication::processEvents();
    ExpectOnScreen(*window_);
    EXPECT_LT(window_->Board()->width(), 512);
    // The whole picture is drawn, shrunk: the lines between the boxes lie at a
    // third and two thirds of the board.
    const QImage shown = window_->Board()->grab().toImage();
    const int y = shown.height() / 18; // the middle of the first row
    for (const int x : {shown.width() / 3, 2 * shown.width() / 3}) {
        int darkest = 255;
        for (int dx = -3; dx <= 3; ++dx) darkest = std::min(darkest, qGray(shown.pixel(x + dx, y)));
        EXPECT_LT(darkest, 80) << "a box line at " << x << " of " << shown.width();
    }
    // And the digits shrink with it: the board looks like its picture.
    const QImage logical = window_->Board()->LogicalPicture();
    const QImage back =
        shown.scaled(logical.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double difference = 0;
    for (int py = 0; py < logical.height(); ++py)
        for (int px = 0; px < logical.width(); ++px)
            difference += std::abs(qGray(back.pixel(px, py)) - qGray(logical.pixel(px, py)));
    EXPECT_LT(difference / (logical.width() * logical.height()), 12.0);
    const int cell = FirstEmpty();
    QTest::mouseClick(window_->Board(), Qt::LeftButton, Qt::NoModifier,
                      CellCentre(*window_->Board(), cell));
    EXPECT_EQ(Game().CellChooser().cell, cell);
    ExpectWholeChooserInside(*window_);
}

// Large type on the laptop screen: the room around the board no longer leaves
// the least board's height, so the board shrinks further and the window, the
// status bar and the nine rows still lie on the screen.
TEST_F(Window, LargeTypeOnALaptopScreenKeepsTheWholeWindowOnIt) {
    QScreen* laptop = LaptopScreen();
    ASSERT_NE(laptop, nullptr);
    window_.reset();
    const QFont saved = QApplication::font();
    QFont large = saved;
    large.setPixelSize(32);
    QApplication::setFont(large);
    window_ = WindowOnScreen(folder_, laptop);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    Open(Write("p.sku", kPuzzle));
    EXPECT_LE(window_->minimumHeight(), laptop->availableGeometry().height());
    ExpectOnScreen(*window_);
    window_->resize(window_->minimumSize());
    QApplication::processEvents();
    ExpectOnScreen(*window_);
    EXPECT_GE(window_->Board()->width(), kSmallestBoardSide);
    const int cell = FirstEmpty();
    QTest::mouseClick(window_->Board(), Qt::LeftButton, Qt::NoModifier,
                      CellCentre(*window_->Board(), cell));
    EXPECT_EQ(Game().CellChooser().cell, cell);
    window_.reset();
    QApplication::setFont(saved);
}

// A type drawn twice as large, as a font resolution of 192 draws the usual 9
// points (the font then counts in pixels): the examples dialog follows the
// pixels, not the points. Taller than the laptop's screen, it scrolls there,
// with every caption whole.
TEST(LargeType, TheExamplesDialogFollowsThePixelsOfTheTypeAndScrolls) {
    QScreen* laptop = nullptr;
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == QStringLiteral("laptop")) laptop = screen;
    ASSERT_NE(laptop, nullptr);
    const QFont saved = QApplication::font();
    QFont doubled = saved;
    doubled.setPixelSize(24);
    QApplication::setFont(doubled);
    EXPECT_NEAR(TypeScale(), 2.0, 1e-9);
    {
        QWidget owner;
        owner.setScreen(laptop);
        owner.setGeometry(QRect(laptop->availableGeometry().topLeft(), QSize(300, 200)));
        owner.show();
        ExamplesDialog dialog(&owner);
        dialog.show();
        QApplication::processEvents();
        const QRect free = laptop->availableGeometry();
        EXPECT_LE(dialog.height(), free.height());
        EXPECT_LE(dialog.width(), free.width());
        const auto* area = dialog.findChild<QScrollArea*>();
        ASSERT_NE(area, nullptr);
        EXPECT_GT(area->widget()->height(), area->viewport()->height());
        EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
        for (const int result : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, -1}) {
            const QAbstractButton* button = dialog.ButtonFor(result);
            ASSERT_NE(button, nullptr);
            const QFontMetrics metrics(button->font());
            EXPECT_GE(button->width(), metrics.horizontalAdvance(button->text().trimmed()))
                << button->text().toStdString();
            EXPECT_GE(button->height(), metrics.height()) << button->text().toStdString();
        }
        for (const QLabel* line : dialog.findChildren<QLabel*>()) {
            if (line->text().isEmpty()) continue;
            const QFontMetrics metrics(line->font());
            EXPECT_GE(line->width(), metrics.horizontalAdvance(line->text()))
                << line->text().toStdString();
        }
    }
    QApplication::setFont(saved);
}

// ---- The high-contrast look, read from the widgets' pixels -----------------------

// The highest contrast of a pixel of `area` against `ground`.
double BestContrast(const QImage& image, const QRect& area, const QColor& ground) {
    double best = 1.0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            best = std::max(best, WcagContrast(image.pixelColor(x, y), ground));
    return best;
}

// The brightest pixel of `area`.
int Brightest(const QImage& image, const QRect& area) {
    int best = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            best = std::max(best, qGray(image.pixel(x, y)));
    return best;
}

QImage Shot(QWidget& w) {
    w.show();
    QApplication::processEvents();
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(Window, InHighContrastEveryPartOfEveryControlShows) {
    window_->ChooseLook(LookKind::HighContrast);
    const QColor ground(CurrentLook().window);

    // "Ne plus demander": its box, empty and ticked.
    QCheckBox box(window_->Texts().Text(551));
    const QImage empty = Shot(box);
    QStyleOptionButton option;
    option.initFrom(&box);
    const QRect square = box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box);
    EXPECT_GE(BestContrast(empty, square, ground), 3.0);
    box.setChecked(true);
    const QImage ticked = Shot(box);
    const QRect middle = square.adjusted(square.width() / 3, square.height() / 3,
                                         -square.width() / 3, -square.height() / 3);
    EXPECT_LT(BestContrast(empty, middle, ground), 1.5);
    EXPECT_GE(BestContrast(ticked, middle, ground), 3.0);

    // A dialog button's outline.
    QPushButton button(QStringLiteral("OK"));
    button.resize(90, 30);
    const QImage b = Shot(button);
    EXPECT_GE(BestContrast(b, QRect(0, 0, 3, b.height()), ground), 3.0);
    EXPECT_GE(BestContrast(b, QRect(0, 0, b.width(), 3), ground), 3.0);

    // A menu: its border, a separator, a disabled entry, a ticked entry with
    // its picture.
    QMenu menu;
    QAction* first = menu.addAction(QStringLiteral("Classique"));
    menu.addSeparator();
    QAction* off = menu.addAction(QStringLiteral("Recommencer"));
    off->setEnabled(false);
    QAction* x =
        menu.addAction(window_->Action(Command::XSudoku)->icon(), QStringLiteral("X Sudoku"));
    x->setCheckable(true);
    x->setChecked(true);
    menu.popup(QPoint(10, 10));
    QApplication::processEvents();
    const QImage m = menu.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GE(BestContrast(m, QRect(0, 0, 1, m.height()), ground), 3.0) << "border";
    const QRect a1 = menu.actionGeometry(first);
    const QRect a2 = menu.actionGeometry(off);
    const QRect a3 = menu.actionGeometry(x);
    const QRect separator(a1.left() + 8, a1.bottom() + 1, a1.width() - 16,
                          a2.top() - a1.bottom() - 1);
    EXPECT_GE(BestContrast(m, separator, ground), 3.0) << "separator";
    // Inside the border.
    const int enabledInk = Brightest(m, a1.adjusted(4, 0, -4, 0));
    const int disabledInk = Brightest(m, a2.adjusted(4, 0, -4, 0));
    EXPECT_LT(disabledInk, enabledInk - 60) << "a disabled entry looks disabled";
    EXPECT_GE(BestContrast(m, a2.adjusted(4, 0, -4, 0), ground), 3.0) << "and can still be read";
    EXPECT_GE(BestContrast(m, QRect(a3.left() + 2, a3.top(), 4, a3.height()), ground), 3.0)
        << "the tick of X Sudoku";
    menu.close();

    // The chooser stands out from the black board.
    Open(Write("p.sku", kPuzzle));
    QTest::mouseClick(window_->Board(), Qt::LeftButton, Qt::NoModifier,
                      CellCentre(*window_->Board(), FirstEmpty()));
    ChooserWidget& chooser = *window_->CellChooser();
    ASSERT_TRUE(chooser.isVisible());
    const QImage c = Shot(chooser);
    const QColor board(CurrentLook().emptyCell);
    EXPECT_GE(BestContrast(c, QRect(0, 0, 1, c.height()), board), 3.0);
    EXPECT_GE(BestContrast(
                  c, chooser.visualItemRect(chooser.item(2)).translated(chooser.viewport()->pos()),
                  QColor(CurrentLook().chooserGround)),
              4.5);
}

// A clipboard text that is refused, or a paste the player declines, leaves the
// clock and the game as they were.
TEST_F(Window, ARefusedPasteLeavesTheClockAndTheGame) {
    Open(Write("p.sku", kPuzzle));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Game().ClockText().isEmpty(); }, 3000));
    const int cell = FirstEmpty();
    GoTo(cell);
    Digit(kSolved[cell] - '0');
    const std::string position = test::TextOf(E().Position());
    for (const char* text : {"hello world", "1 2 3 4 5", "12345678912345678912345"}) {
        QApplication::clipboard()->setText(QString::fromLatin1(text));
        window_->Run(Command::Paste);
        EXPECT_EQ(Game().StatusColour(), kAlarm) << text;
        EXPECT_FALSE(Game().ClockText().isEmpty()) << text;
        EXPECT_TRUE(Game().ClockRunning()) << text;
        EXPECT_EQ(test::TextOf(E().Position()), position) << text;
    }
    // A puzzle that would replace the game, and the player keeps the game.
    window_->AskAbandon = [](bool*) { return false; };
    QApplication::clipboard()->setText(QString::fromStdString(kPuzzle));
    window_->Run(Command::Paste);
    EXPECT_FALSE(Game().ClockText().isEmpty());
    EXPECT_TRUE(Game().ClockRunning());
    EXPECT_EQ(test::TextOf(E().Position()), position);
}

// ---- The abandon question ---------------------------------------------------------

TEST_F(Window, TheAbandonQuestionComesOnlyWhenAMoveWouldBeLost) {
    Open(Write("p.sku", kPuzzle));
    QTest::qWait(1100); // a second played, no move
    asked_ = 0;
    window_->Run(Command::BlankGrid);
    EXPECT_EQ(asked_, 0);
    EXPECT_TRUE(Game().HandEntry());

    // A move, then a paste that is no grid: nothing asked, nothing lost.
    Open(Write("p.sku", kPuzzle));
    const int cell = FirstEmpty();
    GoTo(cell);
    Digit(kSolved[cell] - '0');
    QApplication::clipboard()->setText(QStringLiteral("hello world"));
    window_->Run(Command::Paste);
    EXPECT_EQ(asked_, 0);
    EXPECT_EQ(E().Position()[cell], kSolved[cell] - '0');
    window_->Run(Command::BlankGrid);
    EXPECT_EQ(asked_, 1);

    // "Ne plus demander", then the Options entry turns the question back on.
    window_->AskAbandon = [this](bool* dontAsk) {
        ++asked_;
        *dontAsk = true;
        return true;
    };
    Open(Write("p.sku", kPuzzle));
    GoTo(cell);
    Digit(kSolved[cell] - '0');
    window_->Run(Command::BlankGrid);
    EXPECT_EQ(asked_, 2);
    QAction* entry = window_->AskBeforeAbandonAction();
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->isChecked());
    EXPECT_EQ(entry->text(), window_->Texts().Text(586));
    entry->trigger();
    EXPECT_TRUE(entry->isChecked());
    Open(Write("p.sku", kPuzzle));
    GoTo(cell);
    Digit(kSolved[cell] - '0');
    window_->Run(Command::BlankGrid);
    EXPECT_EQ(asked_, 3);
}

// ---- Pages --------------------------------------------------------------------------

TEST_F(Window, ANewPuzzleOrAHintShowsTheBoardAndDigitKeysSwitchPages) {
    Open(Write("p.sku", kPuzzle));
    QTabWidget* pages = window_->Pages();
    const QString path = Write("q.sku", kPuzzle);
    window_->ChooseOpenPath = [path] { return path; };
    window_->ChooseExample = [] { return 1; };
    QApplication::clipboard()->setText(QString::fromStdString(kPuzzle));
    for (const Command c : {Command::Open, Command::Paste, Command::Examples, Command::Hint,
                            Command::CompleteHint, Command::PlayHint}) {
        pages->setCurrentIndex(kSolutionPage);
        window_->Run(c);
        EXPECT_EQ(pages->currentIndex(), kBoardPage) << Index(c);
    }
    // The keys of the pages, from wherever the keyboard is.
    pages->setFocus();
    QTest::keyClick(pages, Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(pages->currentIndex(), kCharacteristicsPage);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), kSolutionPage);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), kBoardPage);
    EXPECT_TRUE(window_->Board()->hasFocus());
    // On the board Ctrl+1 stays a candidate removal.
    Open(path);
    const int before = Game().History().MoveLevel();
    int cell = 0;
    while (E().Position()[cell] != 0 || kSolved[cell] == '1' || !E().CandidateTable.Has(cell, 1))
        ++cell;
    GoTo(cell);
    Key(Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), kBoardPage);
    EXPECT_EQ(Game().History().MoveLevel(), before + 1);
}

// ---- Tooltips ------------------------------------------------------------------------

TEST_F(Window, TooltipsShowAtOnceAndGoAfterFourSeconds) {
    EXPECT_EQ(window_->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 0);
    int buttons = 0;
    for (QToolBar* bar : {window_->CommandBar(), window_->FilterBar()})
        for (QToolButton* b : bar->findChildren<QToolButton*>()) {
            if (b->toolTip().isEmpty()) continue;
            EXPECT_EQ(b->toolTipDuration(), 4000) << b->toolTip().toStdString();
            ++buttons;
        }
    EXPECT_GE(buttons, 20);
}

// ---- Small things ----------------------------------------------------------------------

TEST_F(Window, TheStatisticsHeadingSpeaksTheLanguageInUse) {
    ASSERT_TRUE(window_->SwitchLanguage(QStringLiteral("English.lng")));
    EXPECT_EQ(window_->Congratulations()->Heading()->text(), QStringLiteral("STATISTICS"));
    ASSERT_TRUE(window_->SwitchLanguage(QStringLiteral("Italiano.lng")));
    EXPECT_EQ(window_->Congratulations()->Heading()->text(), QStringLiteral("STATISTICHE"));
    ASSERT_TRUE(window_->SwitchLanguage(QString::fromUtf8("Fran\xc3\xa7"
                                                          "ais.lng")));
    EXPECT_EQ(window_->Congratulations()->Heading()->text(), QStringLiteral("STATISTIQUES"));
}

TEST_F(Window, TheLanguageTickFollowsTheLanguageInUse) {
    // A program folder whose English file is damaged.
    const QString program = folder_.filePath(QStringLiteral("program/"));
    ASSERT_TRUE(QDir().mkpath(program + QStringLiteral("Langues")));
    const QDir source(QStringLiteral(VEMO_SOURCE_DIR "/data/Langues"));
    for (const QString& name : source.entryList({QStringLiteral("*.lng")}))
        ASSERT_TRUE(QFile::copy(source.filePath(name), program + "Langues/" + name));
    QFile english(program + QStringLiteral("Langues/English.lng"));
    ASSERT_TRUE(english.open(QIODevice::WriteOnly | QIODevice::Truncate));
    english.write("#05x2 0000  broken\r\n");
    english.close();
    window_.reset();
    StartOptions options;
    options.programFolder = program;
    options.settingsPath = folder_.filePath(QStringLiteral("VemoTarn.ini"));
    window_ = std::make_unique<MainWindow>(options);
    window_->Action(Command::English)->trigger();
    EXPECT_EQ(window_->Texts().LanguageFile(), QString::fromUtf8("Fran\xc3\xa7"
                                                                 "ais.lng"));
    EXPECT_FALSE(window_->Action(Command::English)->isChecked());
    EXPECT_TRUE(window_->Action(Command::French)->isChecked());
}

TEST_F(Kept, AFirstStartOpensAGameOfTheDefaultLevel) {
    const QString settings = folder_.filePath(QStringLiteral("VemoTarn.ini"));
    ASSERT_FALSE(QFile::exists(settings));
    window_ = WithData(true);
    window_->ResumeSavedGame();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return E().PuzzleFixed && !Game().GenerationRunning(); }, 60000));
    EXPECT_EQ(Game().DifficultyBand(), kFacile);
    EXPECT_LE(E().PuzzleScore(), 105);
    EXPECT_TRUE(Game().ClockRunning());
    EXPECT_EQ(Game().Board().HandEntry, 0);
    // Its status line says how to start another, in the window's language.
    EXPECT_EQ(Game().StatusMessage(), window_->Texts().Text(584));
    // Played, closed, started again: the game comes back, no new one.
    const int cell = FirstEmpty();
    GoTo(cell);
    Digit(E().SolutionGrid[cell]);
    const std::string played = Cells();
    Restart(true);
    EXPECT_EQ(Cells(), played);
    // With settings and no game kept, the start is the empty board.
    window_->close();
    ASSERT_TRUE(QFile::exists(settings));
    QFile::remove(window_->SavedGamePath());
    window_ = WithData(true);
    window_->ResumeSavedGame();
    QApplication::processEvents();
    EXPECT_FALSE(Game().GenerationRunning());
    EXPECT_FALSE(E().PuzzleFixed);
}

TEST_F(Kept, TheScalesLevelsAreRememberedAcrossARestart) {
    for (const int level : {kDiabolique, kDemoniaque}) {
        window_->Run(level == kDiabolique ? Command::Diabolique : Command::Demoniaque);
        ASSERT_EQ(Game().DifficultyBand(), level);
        Restart();
        EXPECT_EQ(Game().DifficultyBand(), level);
        EXPECT_TRUE(
            window_->Action(level == kDiabolique ? Command::Diabolique : Command::Demoniaque)
                ->isChecked());
        EXPECT_FALSE(window_->Action(Command::RandomLevel)->isChecked());
    }
}

TEST_F(Kept, AResumedGameShowsItsActiveCell) {
    PlayTwoDigits();
    Restart();
    ASSERT_TRUE(E().PuzzleFixed);
    EXPECT_EQ(Game().Board().ActiveCellShown, 1);
}

TEST_F(Window, RecentFilesSaveNoticeLooksAndTheAlarmColour) {
    // No recent file: the entry is disabled.
    QMenu* file = window_->menuBar()->actions().first()->menu();
    ASSERT_NE(file, nullptr);
    emit file->aboutToShow();
    QMenu* recent = nullptr;
    for (QObject* owner : window_->Action(Command::Recent1)->associatedObjects())
        if ((recent = qobject_cast<QMenu*>(owner))) break;
    ASSERT_NE(recent, nullptr);
    EXPECT_FALSE(recent->menuAction()->isEnabled());
    Open(Write("p.sku", kPuzzle));
    emit file->aboutToShow();
    EXPECT_TRUE(recent->menuAction()->isEnabled());

    // A save says so.
    const QString saved = folder_.filePath(QStringLiteral("saved.sku"));
    window_->ChooseSavePath = [saved] { return saved; };
    window_->Run(Command::Save);
    EXPECT_EQ(Status(), window_->Texts().Text(587) + QStringLiteral("saved.sku"));

    // The looks are one choice: radio marks.
    QActionGroup* looks = window_->Action(Command::LookDark)->actionGroup();
    ASSERT_NE(looks, nullptr);
    EXPECT_TRUE(looks->isExclusive());
    EXPECT_EQ(window_->Action(Command::LookLight)->actionGroup(), looks);

    // After an alarm, the next normal message is on the normal ground.
    const int cell = FirstEmpty();
    GoTo(cell);
    Digit(kSolved[cell] - '0' == 9 ? 1 : kSolved[cell] - '0' + 1);
    ASSERT_EQ(Game().StatusColour(), kAlarm);
    Digit(kSolved[cell] - '0');
    EXPECT_EQ(Status(), Count());
    EXPECT_NE(Game().StatusColour(), kAlarm);
}

TEST_F(Window, TheSaveDialogProposesTheFileAndAnArgumentKeepsTheTypeChoice) {
    // Nothing to propose for a puzzle that came from no file.
    EXPECT_TRUE(Game().ProposedSavePath().isEmpty());
    // An opened file is proposed as it is, a file of another kind beside it
    // as a Sudoku file.
    const QString path = Write("p.sku", kPuzzle);
    Open(path);
    EXPECT_EQ(Game().ProposedSavePath(), QFileInfo(path).absoluteFilePath());
    Open(Write("other.txt", kPuzzle));
    EXPECT_EQ(Game().ProposedSavePath(),
              QFileInfo(folder_.filePath("other.sku")).absoluteFilePath());
    // Saved under another name, that name is the next proposal.
    const QString saved = folder_.filePath(QStringLiteral("saved.sku"));
    window_->ChooseSavePath = [saved] { return saved; };
    window_->Run(Command::Save);
    EXPECT_EQ(Game().ProposedSavePath(), QFileInfo(saved).absoluteFilePath());
    window_->Run(Command::BlankGrid);
    EXPECT_TRUE(Game().ProposedSavePath().isEmpty());

    // The stored type choice stays when the command line names a file of
    // another type; the open command follows the file.
    window_->Run(Command::Consecutive);
    ASSERT_EQ(E().VariantChoice, kConsecutive);
    window_->OpenArgument(path.toStdString());
    ASSERT_TRUE(E().PuzzleFixed);
    EXPECT_EQ(E().VariantKind, kClassic);
    EXPECT_EQ(E().VariantChoice, kConsecutive);
    EXPECT_TRUE(window_->Action(Command::Consecutive)->isChecked());
    Open(path);
    EXPECT_EQ(E().VariantChoice, kClassic);
}

TEST_F(Window, TheFilterAfterACompleteHint) {
    Open(Write("p.sku", kPuzzle));
    window_->Run(Command::CompleteHint);
    int shown = 0;
    for (int d = 1; d <= 9 && shown == 0; ++d)
        if (window_->FilterButton(d)->isChecked() && !Game().Filter().InFilter(d)) shown = d;
    ASSERT_GT(shown, 0) << "the hint shows a digit button pressed";
    // Its click filters that digit alone.
    window_->FilterButton(shown)->trigger();
    EXPECT_EQ(Game().Filter().FilterCount(), 1);
    EXPECT_TRUE(Game().Filter().InFilter(shown));
    EXPECT_TRUE(window_->FilterButton(shown)->isChecked());
    // A second click releases it, and the count never goes below zero.
    window_->FilterButton(shown)->trigger();
    EXPECT_EQ(Game().Filter().FilterCount(), 0);
    EXPECT_FALSE(window_->FilterButton(shown)->isChecked());
    // Another digit picks out exactly its cells.
    const int other = shown % 9 + 1;
    window_->FilterButton(other)->trigger();
    EXPECT_EQ(Game().Filter().FilterCount(), 1);
    for (int c = 0; c < 81; ++c) {
        if (IsHintMark(Game().Board().CellHighlight[c])) continue;
        EXPECT_EQ(Game().Board().CellHighlight[c] == kFilteredCell,
                  E().CandidateTable.Has(c, other))
            << c;
    }
}

TEST_F(Window, TheStatusLineSaysHowToStartAndThatHandEntryIsOn) {
    EXPECT_EQ(Status(), QString::fromUtf8("Ctrl+N : nouvelle grille, F1 : exemples"));
    window_->Run(Command::BlankGrid);
    EXPECT_EQ(Status(), window_->Texts().Text(585));
    EXPECT_FALSE(Status().isEmpty());
    Digit(5, Qt::NoModifier);
    EXPECT_EQ(Status(), Count()); // then the count, as the grid fills
    for (const char* language :
         {"English.lng", "Deutsch.lng", "Espa\xc3\xb1ol.lng", "Italiano.lng"}) {
        ASSERT_TRUE(window_->SwitchLanguage(QString::fromUtf8(language)));
        EXPECT_FALSE(window_->Texts().Text(584).isEmpty()) << language;
        EXPECT_NE(window_->Texts().Text(585),
                  QString::fromUtf8(
                      "Saisie à la main : tapez les chiffres donnés, puis F3 pour commencer"))
            << language;
    }
}

} // namespace
} // namespace vemo::ui

int main(int argc, char** argv) {
    // A desk's screen, and a laptop's beside it.
    QTemporaryDir screens;
    const QString config = screens.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly))
        file.write(R"({"screens": [
            {"name": "desk", "x": 0, "y": 0, "width": 1920, "height": 1200,
             "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
            {"name": "laptop", "x": 1920, "y": 0, "width": 911, "height": 512,
             "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1.5}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
