// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A game played by ear: every result said by the notification without moving
// the focus, where the active cell is, the keyboard leaving every table, and
// the names screen readers read in each language.
#include "ui_window_fixture.h"

#include "ui/announcer.h"
#include "ui/board_accessible.h"
#include "ui/characteristics_page.h"
#include "ui/chooser_widget.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/congratulations_dialog.h"
#include "ui/dialogs/link_label.h"
#include "ui/move_history.h"
#include "ui/records_dialog.h"
#include "ui/status_panel.h"
#include "ui/texts.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace vemo::ui {
namespace {

// What the notification was shown with, as the listener hears it.
std::vector<QString> shown;
void HearNotifications(QAccessibleEvent* event) {
    QAccessibleInterface* iface = event->accessibleInterface();
    if (event->type() == QAccessible::ObjectShow && iface &&
        iface->role() == QAccessible::Notification)
        shown.push_back(iface->text(QAccessible::Name));
}

class Speech : public Window {
  protected:
    void SetUp() override {
        Window::SetUp();
        shown.clear();
        SetAnnouncementListener(HearNotifications);
    }
    void TearDown() override {
        SetAnnouncementListener(nullptr);
        Window::TearDown();
    }

    // Plays the puzzle, focuses the board and forgets what was said so far.
    void Play() {
        Open(Write("p.sku", kPuzzle));
        window_->Board()->setFocus();
        QApplication::processEvents();
        shown.clear();
    }
    QString Said() const { return shown.empty() ? QString() : shown.back(); }
    int Solution(int cell) const { return kSolved[static_cast<std::size_t>(cell)] - '0'; }
    // A candidate of the cell that is not its solution digit.
    int WrongCandidate(int cell) {
        for (int d = 1; d <= 9; ++d)
            if (d != Solution(cell) && E().CandidateTable.Has(cell, d)) return d;
        return 0;
    }
};

TEST_F(Speech, TheNotificationNeverTakesTheFocusNorAClick) {
    Announcer* speech = window_->Speech();
    ASSERT_NE(speech, nullptr);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(speech);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Notification);
    EXPECT_FALSE(iface->state().focusable);
    EXPECT_EQ(speech->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(speech->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_LE(speech->width() * speech->height(), 1);
    speech->Say(QStringLiteral("essai"));
    EXPECT_TRUE(speech->isVisible());
    EXPECT_EQ(iface->text(QAccessible::Name), "essai");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "essai");
    // Said again, the same text is shown again: a repeated move is heard.
    speech->Say(QStringLiteral("essai"));
    EXPECT_EQ(shown.size(), 2u);
    speech->Say(QString());
    EXPECT_EQ(shown.size(), 2u);
}

TEST_F(Speech, PlacedRefusedAndRemovedAreSaidWhereTheFocusStays) {
    Play();
    GoTo(1);
    Digit(Solution(1));
    EXPECT_EQ(Said(), QStringLiteral("L1C2 : %1 placé").arg(Solution(1)));
    EXPECT_TRUE(window_->Board()->hasFocus());
    // A wrong digit, and a digit on a filled cell.
    GoTo(2);
    const int wrong = WrongCandidate(2);
    ASSERT_GT(wrong, 0);
    Digit(wrong);
    EXPECT_EQ(Said(), "Coup erroné !");
    GoTo(1);
    Digit(Solution(1));
    EXPECT_EQ(Said(), window_->Texts().Text(508));
    // A candidate removed with Ctrl, and the solution's digit refused.
    GoTo(2);
    Digit(wrong, Qt::KeypadModifier | Qt::ControlModifier);
    EXPECT_FALSE(E().CandidateTable.Has(2, wrong));
    EXPECT_EQ(Said(), QStringLiteral("L1C3 : %1 retiré").arg(wrong));
    const std::size_t before = shown.size();
    Digit(Solution(2), Qt::KeypadModifier | Qt::ControlModifier);
    EXPECT_EQ(shown.size(), before + 1);
    EXPECT_EQ(Said(), "Coup erroné !");
    EXPECT_TRUE(window_->Board()->hasFocus());
}

TEST_F(Speech, EnterOnTheLastCandidateSaysThePlacement) {
    Play();
    GoTo(2);
    for (int d = WrongCandidate(2); d != 0; d = WrongCandidate(2))
        Digit(d, Qt::KeypadModifier | Qt::ControlModifier);
    ASSERT_EQ(E().CandidateTable.Count(2), 1);
    Key(Qt::Key_Return);
    EXPECT_EQ(E().Position()[2], Solution(2));
    EXPECT_EQ(Said(), QStringLiteral("L1C3 : %1 placé").arg(Solution(2)));
}

TEST_F(Speech, UndoAndRedoSayWhatTheyTookBack) {
    Play();
    GoTo(1);
    Digit(Solution(1));
    GoTo(2);
    const int wrong = WrongCandidate(2);
    Digit(wrong, Qt::KeypadModifier | Qt::ControlModifier);
    window_->Run(Command::Undo);
    EXPECT_EQ(Said(), QStringLiteral("Annulé : L1C3 : %1 retiré").arg(wrong));
    window_->Run(Command::Undo);
    EXPECT_EQ(Said(), QStringLiteral("Annulé : L1C2 : %1 placé").arg(Solution(1)));
    window_->Run(Command::Redo);
    EXPECT_EQ(Said(), QStringLiteral("Rétabli : L1C2 : %1 placé").arg(Solution(1)));
    EXPECT_TRUE(window_->Board()->hasFocus());
}

TEST_F(Speech, EachHintIsSaidAsTheStatusBarShowsIt) {
    // A puzzle that needs an X-wing: hints that place and hints that remove.
    Open(QStringLiteral(VEMO_SOURCE_DIR "/data/exemples/Xwing1.sku"));
    ASSERT_TRUE(E().PuzzleFixed);
    window_->Board()->setFocus();
    QApplication::processEvents();
    int removals = 0;
    window_->Run(Command::Hint);
    EXPECT_EQ(Said(), TechniqueName(window_->Texts(), E().HintTechnique));
    window_->Run(Command::CompleteHint);
    EXPECT_EQ(Said(), Status());
    EXPECT_TRUE(Said().contains(window_->Texts().Text(536)));
    // A played hint: its text, then every digit it placed or candidate it
    // removed, each read against the position before and after.
    for (int k = 0; k < 200 && E().FilledCount < 81; ++k) {
        const Grid cells = E().Position();
        const Candidates candidates = E().CandidateTable;
        const int filled = E().FilledCount;
        window_->Run(Command::PlayHint);
        // The last hint is followed by the end of the game.
        ASSERT_GE(shown.size(), 2u);
        const QString said = E().FilledCount == 81 ? shown[shown.size() - 2] : Said();
        ASSERT_TRUE(said.startsWith(Status() + QStringLiteral(". "))) << said.toStdString();
        for (int cell = 0; cell < 81; ++cell) {
            const QString label = QStringLiteral("L%1C%2 : ").arg(cell / 9 + 1).arg(cell % 9 + 1);
            if (cells[cell] == 0 && E().Position()[cell] != 0) {
                EXPECT_TRUE(said.contains(label + QString::number(E().Position()[cell]) +
                                          QStringLiteral(" placé")))
                    << said.toStdString();
            } else if (E().FilledCount == filled && E().Position()[cell] == 0 &&
                       candidates.Count(cell) != E().CandidateTable.Count(cell)) {
                // A step that placed nothing: each cell it took candidates from.
                EXPECT_TRUE(said.contains(label)) << said.toStdString();
                ++removals;
            } else {
                EXPECT_FALSE(said.contains(label)) << said.toStdString();
            }
        }
    }
    EXPECT_GT(removals, 0);
    EXPECT_TRUE(window_->Board()->hasFocus());
}

TEST_F(Speech, TheEndOfTheGameIsSaid) {
    Play();
    while (E().FilledCount < 81 && finished_ == 0) window_->Run(Command::PlayHint);
    ASSERT_EQ(finished_, 1);
    // The last hint, then the end with the time.
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(Said(), window_->Texts().Text(711) + QLatin1Char(' ') + Game().ClockText());
    EXPECT_TRUE(shown[shown.size() - 2].contains(QStringLiteral("placé")));
}

// ---- Where am I -----------------------------------------------------------

TEST_F(Speech, ArrivingOnTheBoardSaysTheActiveCell) {
    Play();
    window_->Pages()->tabBar()->setFocus();
    QApplication::processEvents();
    shown.clear();
    window_->Board()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(Said(), window_->Board()->CellName(40));
    EXPECT_TRUE(Said().startsWith(QStringLiteral("L5C5 vide, candidats ")));
    // Not while a menu has the keys.
    shown.clear();
    QMenu* menu = window_->menuBar()->actions().first()->menu();
    menu->popup(window_->mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    const std::size_t menuSaid = shown.size();
    window_->Pages()->tabBar()->setFocus();
    window_->Board()->setFocus(Qt::PopupFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(shown.size(), menuSaid);
    menu->close();
}

TEST_F(Speech, TheLKeySaysTheCellAndItsUnits) {
    Play();
    GoTo(41); // row 5, column 6, box 5
    shown.clear();
    Key(Qt::Key_L);
    ASSERT_EQ(shown.size(), 1u);
    int row = 0, column = 0, box = 0;
    for (int k = 0; k < 9; ++k) {
        row += E().Position()[36 + k] != 0;
        column += E().Position()[5 + 9 * k] != 0;
        box += E().Position()[30 + k / 3 * 9 + k % 3] != 0;
    }
    const QString expected = window_->Board()->CellName(41) +
                             QStringLiteral(". ligne 5 : %1 chiffres placés, colonne 6 : %2 "
                                            "chiffres placés, bloc 5 : %3 chiffres placés")
                                 .arg(row)
                                 .arg(column)
                                 .arg(box);
    EXPECT_EQ(Said(), expected);
    // Nothing was played and the cell did not move.
    EXPECT_EQ(Game().Board().ActiveRow * 9 + Game().Board().ActiveColumn, 41);
    EXPECT_EQ(Status(), Count());
}

TEST_F(Speech, TheStatusBarReadsTheCountAndTheClock) {
    Play();
    QTest::qWait(1100);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(window_->statusBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::StatusBar);
    bool count = false, clock = false;
    for (int k = 0; k < bar->childCount(); ++k) {
        QAccessibleInterface* child = bar->child(k);
        // No status bar inside the status bar: its texts are read directly.
        EXPECT_NE(child->role(), QAccessible::StatusBar);
        count |= child->text(QAccessible::Name) == Count();
        clock |=
            !Game().ClockText().isEmpty() && child->text(QAccessible::Name) == Game().ClockText();
    }
    EXPECT_TRUE(count);
    EXPECT_TRUE(clock);
}

// ---- No trap ----------------------------------------------------------------

// Tab from `table` lands outside it and Shift+Tab from there comes back; the
// arrows in it move its current cell.
void ExpectTabLeaves(QTableWidget* table) {
    table->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(table->hasFocus());
    table->setCurrentCell(1, 0);
    QTest::keyClick(table, Qt::Key_Down);
    EXPECT_EQ(table->currentRow(), 2);
    QTest::keyClick(table, Qt::Key_Tab);
    QWidget* next = QApplication::focusWidget();
    EXPECT_NE(next, table);
    QTest::keyClick(next, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), table);
    QTest::keyClick(table, Qt::Key_Backtab);
    EXPECT_NE(QApplication::focusWidget(), table);
}

TEST_F(Speech, TabLeavesTheTablesOfThePages) {
    Open(Write("p.sku", kPuzzle));
    window_->Pages()->setCurrentIndex(kCharacteristicsPage);
    QApplication::processEvents();
    CharacteristicsPage* page = window_->Characteristics();
    ExpectTabLeaves(page->Listing());
    ExpectTabLeaves(page->TechniqueGrid());
    // The technique grid is reached by Tab from the page's tab.
    window_->Pages()->tabBar()->setFocus();
    QApplication::processEvents();
    bool reached = false;
    for (int k = 0; k < 30 && !reached; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached = QApplication::focusWidget() == page->TechniqueGrid();
    }
    EXPECT_TRUE(reached);
    window_->Statistics()->show();
    window_->Statistics()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_->Statistics()));
    ExpectTabLeaves(window_->Statistics()->Table());
    window_->Statistics()->hide();
}

TEST_F(Speech, F10ThenRightSaysTheNextMenu) {
    const QList<QAction*> menus = window_->menuBar()->actions();
    ASSERT_GE(menus.size(), 3);
    QStringList said;
    QTimer::singleShot(0, window_.get(), [&] {
        said << Said();
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_TRUE(popup);
        QTest::keyClick(popup, Qt::Key_Right);
        said << Said();
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);
        said << Said();
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Left);
        said << Said();
        QApplication::activePopupWidget()->close();
    });
    window_->Board()->setFocus();
    QTest::keyClick(window_->Board(), Qt::Key_F10);
    QApplication::processEvents();
    ASSERT_EQ(said.size(), 4);
    EXPECT_EQ(said[0], WithoutMnemonic(menus[0]->text()));
    EXPECT_EQ(said[1], WithoutMnemonic(menus[1]->text()));
    EXPECT_EQ(said[2], WithoutMnemonic(menus[2]->text()));
    EXPECT_EQ(said[3], WithoutMnemonic(menus[1]->text()));
}

// ---- Names ----------------------------------------------------------------

TEST_F(Speech, TheChoosersDigitsAreNamedBySection) {
    Play();
    GoTo(1);
    QTest::keyClick(window_->Board(), Qt::Key_Space);
    ChooserWidget* chooser = window_->CellChooser();
    ASSERT_TRUE(chooser->isVisible());
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(chooser);
    ASSERT_NE(list, nullptr);
    QStringList names;
    const auto collect = [&names](QAccessibleInterface* iface, const auto& self) -> void {
        for (int k = 0; k < iface->childCount(); ++k) {
            QAccessibleInterface* child = iface->child(k);
            if (!child) continue;
            if (child->role() == QAccessible::ListItem) names << child->text(QAccessible::Name);
            self(child, self);
        }
    };
    collect(list, collect);
    for (int d = 1; d <= 9; ++d) {
        const bool candidate = E().CandidateTable.Has(1, d);
        EXPECT_EQ(names.contains(QStringLiteral("jouer %1").arg(d)), candidate) << d;
        EXPECT_EQ(names.contains(QStringLiteral("exclure %1").arg(d)), candidate) << d;
    }
    EXPECT_TRUE(names.contains("Jouer"));
    EXPECT_TRUE(names.contains("Exclure"));
}

TEST_F(Speech, CellNamesFollowTheLanguageAndTheListingKeepsItsNotation) {
    const std::pair<const char*, const char*> languages[] = {{"English.lng", "R5C6 "},
                                                             {"Deutsch.lng", "Z5S6 "},
                                                             {"Español.lng", "F5C6 "},
                                                             {"Italiano.lng", "R5C6 "},
                                                             {"Français.lng", "L5C6 "}};
    Open(Write("p.sku", kPuzzle));
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(window_->Board());
    for (const auto& [file, label] : languages) {
        ASSERT_TRUE(window_->SwitchLanguage(QString::fromUtf8(file))) << file;
        EXPECT_TRUE(board->child(41)->text(QAccessible::Name).startsWith(QString::fromUtf8(label)))
            << file << " " << board->child(41)->text(QAccessible::Name).toStdString();
        // The listing's cells keep the program's own notation.
        const QTableWidget* listing = window_->Characteristics()->Listing();
        ASSERT_NE(listing->item(1, 2), nullptr);
        EXPECT_TRUE(listing->item(1, 2)->text().startsWith(QLatin1Char('L'))) << file;
    }
}

TEST_F(Speech, AboutAndCongratulationsAreNamedAndDescribed) {
    AboutDialog* about = window_->About();
    QTimer::singleShot(0, about, [about] { about->reject(); });
    window_->Run(Command::About);
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(about);
    EXPECT_EQ(box->text(QAccessible::Name), "Vemo Tarn");
    EXPECT_TRUE(box->text(QAccessible::Description)
                    .contains(about->findChild<QLabel*>(QStringLiteral("About207"))->text()));
    for (const LinkLabel* link : {&about->WebLink(), &about->ContactLink()}) {
        QAccessibleInterface* iface =
            QAccessible::queryAccessibleInterface(const_cast<LinkLabel*>(link));
        EXPECT_EQ(iface->role(), QAccessible::Link);
        EXPECT_EQ(iface->text(QAccessible::Name), link->text());
        ASSERT_NE(iface->actionInterface(), nullptr);
        bool clicked = false;
        QObject::connect(link, &LinkLabel::Clicked, [&clicked] { clicked = true; });
        about->SetUrlOpener([](const QUrl&) { return true; });
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_TRUE(clicked);
    }

    CongratulationsDialog* cheers = window_->Congratulations();
    GameStatistics statistics;
    statistics.clockText = QStringLiteral("Temps :  00:03:07");
    statistics.errorsMade = 2;
    cheers->SetStatistics(statistics);
    QAccessibleInterface* congratulations = QAccessible::queryAccessibleInterface(cheers);
    EXPECT_EQ(congratulations->text(QAccessible::Name), "FELICITATIONS");
    const QString description = congratulations->text(QAccessible::Description);
    for (const QString& line : cheers->StatisticsText())
        EXPECT_TRUE(description.contains(line)) << line.toStdString();
    EXPECT_TRUE(description.contains(QStringLiteral("03 min07 s")));
}

// ---- The spoken texts themselves --------------------------------------------

TEST(SpokenTexts, ChangesListPlacementsThenRemovalsInCellOrder) {
    const BuiltInTexts texts;
    Snapshot before;
    Snapshot after = before;
    EXPECT_EQ(ChangesSpeech(texts, before, after), QString());
    after.candidates.Remove(3, 2);
    after.candidates.Remove(3, 9);
    after.candidates.Remove(12, 5);
    // A filled cell's candidates are not read out.
    before.cells[80] = 4;
    after.cells[80] = 4;
    after.candidates.Remove(80, 1);
    EXPECT_EQ(ChangesSpeech(texts, before, after), "L1C4 : 2 9 retirés, L2C4 : 5 retiré");
    // The candidates a placement takes from its peers go unsaid.
    after.cells[0] = 2;
    after.cells[9] = 5;
    EXPECT_EQ(ChangesSpeech(texts, before, after), "L1C1 : 2 placé, L2C1 : 5 placé");
    EXPECT_EQ(ChangesSpeech(texts, after, after), QString());
    EXPECT_EQ(SpokenCellLabel(texts, 0), "L1C1");
    EXPECT_EQ(SpokenCellLabel(texts, 80), "L9C9");
}

} // namespace
} // namespace vemo::ui

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
