// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a player meets in the real window, offscreen: the keyboard after the
// cell chooser, refused files, puzzles without a solution, the chooser's place
// and size, digits of every keyboard, the window on a small screen, and the
// high-contrast look read from the widgets' own pixels.
#include "io/data_folder.h"
#include "ui/chooser_widget.h"
#include "ui_window_fixture.h"

#include <QApplication>
#include <QKeyEvent>
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

} // namespace
} // namespace vemo::ui

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
