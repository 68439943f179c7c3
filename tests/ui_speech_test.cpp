// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A game played by ear: every result said by the notification without moving
// the focus, where the active cell is, the keyboard leaving every table, and
// the names screen readers read in each language.
#include "ui_window_fixture.h"

#include "ui/announcer.h"
#include "ui/board_accessible.h"
#include "ui/board_painter.h"
#include "ui/characteristics_page.h"
#include "ui/chooser_widget.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/congratulations_dialog.h"
#include "ui/dialogs/examples_dialog.h"
#include "ui/dialogs/link_label.h"
#include "ui/move_history.h"
#include "ui/records_dialog.h"
#include "ui/status_panel.h"
#include "ui/texts.h"

#include "engine/techniques/catalogue.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
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
        SetAnnouncementListener(HearNotifications);
        Settle();
    }
    void TearDown() override {
        SetAnnouncementListener(nullptr);
        Window::TearDown();
    }

    // Lets what the window has to say be said, and forgets it.
    static void Settle() {
        QTest::qWait(20);
        shown.clear();
    }
    // Plays the puzzle, focuses the board and forgets what was said so far.
    void Play() {
        Open(Write("p.sku", kPuzzle));
        window_->Board()->setFocus();
        Settle();
    }
    // The notification is shown once the event at hand is handled.
    QString Said() const {
        QApplication::processEvents();
        QApplication::processEvents();
        return shown.empty() ? QString() : shown.back();
    }
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
    EXPECT_TRUE(shown.empty()); // not before the event at hand is handled
    QApplication::processEvents();
    EXPECT_TRUE(speech->isVisible());
    EXPECT_EQ(iface->text(QAccessible::Name), "essai");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "essai");
    // Said again, the same text is shown again: a repeated move is heard.
    speech->Say(QStringLiteral("essai"));
    QApplication::processEvents();
    EXPECT_EQ(shown.size(), 2u);
    speech->Say(QString());
    QApplication::processEvents();
    EXPECT_EQ(shown.size(), 2u);
    // The texts of one event are shown once, one sentence after the other,
    // so that none is lost.
    speech->Say(QStringLiteral("L9C9 : 1 placé"));
    speech->Say(QStringLiteral("Grille terminée !"));
    speech->Say(QStringLiteral("Temps"));
    QApplication::processEvents();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2], "L9C9 : 1 placé. Grille terminée ! Temps");
    EXPECT_EQ(speech->LastSaid(), shown[2]);
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
    EXPECT_EQ(Said(), "Coup erroné !");
    EXPECT_EQ(shown.size(), before + 1);
    EXPECT_TRUE(window_->Board()->hasFocus());
}

TEST_F(Speech, EnterOnTheLastCandidateSaysThePlacement) {
    Play();
    GoTo(2);
    for (int d = WrongCandidate(2); d != 0; d = WrongCandidate(2))
        Digit(d, Qt::KeypadModifier | Qt::ControlModifier);
    ASSERT_EQ(E().CandidateTable.Count(2), 1);
    Settle();
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
    Settle();
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
        const QString said = Said();
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
    // One hint after the other, each said once handled.
    while (E().FilledCount < 81 && finished_ == 0) {
        Settle();
        window_->Run(Command::PlayHint);
    }
    ASSERT_EQ(finished_, 1);
    // The last hint with what it placed, then the end with the time.
    const QString end = window_->Texts().Text(711) + QLatin1Char(' ') + Game().ClockText();
    EXPECT_TRUE(Said().endsWith(QStringLiteral("placé. ") + end)) << Said().toStdString();
    EXPECT_TRUE(Said().startsWith(TechniqueName(window_->Texts(), E().HintTechnique)));
}

// ---- Where am I -----------------------------------------------------------

TEST_F(Speech, ArrivingOnTheBoardSaysTheActiveCell) {
    Play();
    window_->Pages()->tabBar()->setFocus();
    Settle();
    window_->Board()->setFocus(Qt::TabFocusReason);
    ASSERT_FALSE(Said().isEmpty());
    EXPECT_EQ(Said(), window_->Board()->CellName(40));
    EXPECT_TRUE(Said().startsWith(QStringLiteral("L5C5 vide, candidats ")));
    // Not while a menu has the keys.
    Settle();
    QMenu* menu = window_->menuBar()->actions().first()->menu();
    menu->popup(window_->mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    const std::size_t menuSaid = shown.size();
    window_->Pages()->tabBar()->setFocus();
    window_->Board()->setFocus(Qt::PopupFocusReason);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(shown.size(), menuSaid);
    menu->close();
}

TEST_F(Speech, TheLKeySaysTheCellAndItsUnits) {
    Play();
    GoTo(41); // row 5, column 6, box 5
    Settle();
    Key(Qt::Key_L);
    ASSERT_FALSE(Said().isEmpty());
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
    // Each menu's name, a moment after it opens.
    const auto next = [&](Qt::Key key) {
        QTest::qWait(400);
        said << Said();
        if (key != Qt::Key_unknown) QTest::keyClick(QApplication::activePopupWidget(), key);
    };
    QTimer::singleShot(0, window_.get(), [&] {
        ASSERT_TRUE(QApplication::activePopupWidget());
        next(Qt::Key_Right);
        next(Qt::Key_Right);
        next(Qt::Key_Left);
        next(Qt::Key_unknown);
        QApplication::activePopupWidget()->close();
    });
    window_->Board()->setFocus();
    QTest::keyClick(window_->Board(), Qt::Key_F10);
    QApplication::processEvents();
    ASSERT_EQ(said.size(), 4);
    // The first menu, opened from the board, is read by the screen reader itself.
    EXPECT_NE(said[0], WithoutMnemonic(menus[0]->text()));
    EXPECT_EQ(said[1], WithoutMnemonic(menus[1]->text()));
    EXPECT_EQ(said[2], WithoutMnemonic(menus[2]->text()));
    EXPECT_EQ(said[3], WithoutMnemonic(menus[1]->text()));
}

// While the menus of the bar are open, and from one to the next, the keys
// stay on the bar: Qt hands them back for a moment to the widget holding them
// at each step, and screen readers read a board holding them out before the
// menu's name. Escape gives them back to the board, said once.
TEST_F(Speech, GoingFromMenuToMenuNeverPassesOverTheBoard) {
    Play();
    // Who holds the keys of the window while each menu is open.
    std::vector<QWidget*> holders;
    bool leftAndRight = false;
    QTimer::singleShot(0, window_.get(), [&] {
        ASSERT_TRUE(QApplication::activePopupWidget());
        holders.push_back(window_->focusWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);
        QApplication::processEvents();
        ASSERT_TRUE(QApplication::activePopupWidget());
        holders.push_back(window_->focusWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Left);
        QApplication::processEvents();
        ASSERT_TRUE(QApplication::activePopupWidget());
        holders.push_back(window_->focusWidget());
        leftAndRight = true;
        Settle();
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    });
    QTest::keyClick(window_->Board(), Qt::Key_F10);
    // The keys come back from a queued call, which a busy machine may leave
    // for later than a fixed wait.
    (void)QTest::qWaitFor([&] { return leftAndRight && window_->Board()->hasFocus(); }, 5000);
    ASSERT_TRUE(leftAndRight);
    ASSERT_EQ(holders.size(), 3U);
    for (QWidget* holder : holders) EXPECT_EQ(holder, window_->menuBar());
    // Back on the board: the keys, and the active cell said once.
    EXPECT_FALSE(QApplication::activePopupWidget());
    EXPECT_TRUE(window_->Board()->hasFocus());
    EXPECT_EQ(Said(), window_->Board()->CellName(window_->Board()->ActiveCell()));
    const int cell = window_->Board()->ActiveCell();
    QTest::keyClick(window_->Board(), Qt::Key_Right);
    EXPECT_NE(window_->Board()->ActiveCell(), cell);
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

// ---- Marks and focus that every look shows ------------------------------------

// sRGB to CIELAB (D65).
struct Lab {
    double l, a, b;
};
double Linear(double v) {
    v /= 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}
Lab ToLab(double r, double g, double b) {
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    const auto f = [](double t) {
        constexpr double d = 6.0 / 29.0;
        return t > d * d * d ? std::cbrt(t) : t / (3 * d * d) + 4.0 / 29.0;
    };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

// CIEDE2000 colour difference (Sharma, Wu and Dalal's formulation).
double Ciede2000(const Lab& p, const Lab& q) {
    constexpr double kPi = 3.14159265358979323846;
    const auto deg = [](double r) { return r * 180.0 / kPi; };
    const auto rad = [](double d) { return d * kPi / 180.0; };
    const double c1 = std::hypot(p.a, p.b), c2 = std::hypot(q.a, q.b);
    const double cm = (c1 + c2) / 2, cm7 = std::pow(cm, 7);
    const double g = 0.5 * (1 - std::sqrt(cm7 / (cm7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * p.a, a2 = (1 + g) * q.a;
    const double c1p = std::hypot(a1, p.b), c2p = std::hypot(a2, q.b);
    const auto hue = [&](double b, double a) {
        const double h = deg(std::atan2(b, a));
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hue(p.b, a1), h2 = hue(q.b, a2);
    double dh = 0;
    if (c1p * c2p != 0) {
        dh = h2 - h1;
        if (dh > 180) dh -= 360;
        if (dh < -180) dh += 360;
    }
    const double dL = q.l - p.l, dC = c2p - c1p;
    const double dH = 2 * std::sqrt(c1p * c2p) * std::sin(rad(dh / 2));
    const double lm = (p.l + q.l) / 2, cmp = (c1p + c2p) / 2;
    double hm = h1 + h2;
    if (c1p * c2p != 0) {
        if (std::abs(h1 - h2) <= 180)
            hm = (h1 + h2) / 2;
        else
            hm = h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(rad(hm - 30)) + 0.24 * std::cos(rad(2 * hm)) +
                     0.32 * std::cos(rad(3 * hm + 6)) - 0.20 * std::cos(rad(4 * hm - 63));
    const double theta = 30 * std::exp(-std::pow((hm - 275) / 25, 2));
    const double cmp7 = std::pow(cmp, 7);
    const double rc = 2 * std::sqrt(cmp7 / (cmp7 + std::pow(25.0, 7)));
    const double sl = 1 + 0.015 * (lm - 50) * (lm - 50) / std::sqrt(20 + (lm - 50) * (lm - 50));
    const double sc = 1 + 0.045 * cmp, sh = 1 + 0.015 * cmp * t;
    const double rt = -std::sin(rad(2 * theta)) * rc;
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) +
                     rt * (dC / sc) * (dH / sh));
}

// A colour as a viewer with protanopia or deuteranopia sees it (Machado,
// Oliveira and Fernandes 2009, full severity, on linear RGB).
using Matrix = std::array<std::array<double, 3>, 3>;
constexpr Matrix kProtanopia = {{{0.152286, 1.052583, -0.204868},
                                 {0.114503, 0.786281, 0.099216},
                                 {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeuteranopia = {{{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};
Lab Seen(const QColor& c, const Matrix& m) {
    const double in[3] = {Linear(c.red()), Linear(c.green()), Linear(c.blue())};
    double out[3];
    for (int i = 0; i < 3; ++i)
        out[i] = std::clamp(m[i][0] * in[0] + m[i][1] * in[1] + m[i][2] * in[2], 0.0, 1.0);
    return ToLab(out[0], out[1], out[2]);
}

TEST(CiedeReference, SharmaPairs) {
    // Pairs 1, 7 and 17 of the published test data.
    EXPECT_NEAR(Ciede2000({50, 2.6772, -79.7751}, {50, 0, -82.7485}), 2.0425, 1e-4);
    EXPECT_NEAR(Ciede2000({50, 0, 0}, {50, -1, 2}), 2.3669, 1e-4);
    EXPECT_NEAR(Ciede2000({50, 2.5, 0}, {73, 25, -18}), 27.1492, 1e-4);
}

class EachLook : public ::testing::TestWithParam<LookKind> {};

TEST_P(EachLook, HintFilterAndEvenMarksReachThreeToOne) {
    const Look& look = LookOf(GetParam());
    const QColor empty(look.emptyCell);
    // The band inside every hint cell, whatever the technique's colour.
    EXPECT_GE(WcagContrast(QColor(look.hintOutline), empty), 3.0);
    for (const int technique : EveryHintTechnique())
        EXPECT_GE(std::max(WcagContrast(QColor(look.hintOutline), empty),
                           WcagContrast(HintCellColour(look, technique), empty)),
                  3.0)
            << technique;
    EXPECT_GE(WcagContrast(QColor(look.filterMark), empty), 3.0);
    EXPECT_GE(WcagContrast(QColor(look.evenCell), empty), 3.0);
}

TEST_P(EachLook, ChainsAndEliminationApartForRedGreenBlindness) {
    const Look& look = LookOf(GetParam());
    std::vector<QColor> colours(look.chainShades.begin(), look.chainShades.end());
    colours.push_back(HintCellColour(look, 14)); // the cells that lose the digit
    for (const Matrix* m : {&kProtanopia, &kDeuteranopia})
        for (std::size_t i = 0; i < colours.size(); ++i)
            for (std::size_t j = i + 1; j < colours.size(); ++j)
                EXPECT_GE(Ciede2000(Seen(colours[i], *m), Seen(colours[j], *m)), 10.0)
                    << (m == &kProtanopia ? "protanopia " : "deuteranopia ") << i << " " << j << " "
                    << colours[i].name().toStdString() << " " << colours[j].name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Looks, EachLook,
                         ::testing::Values(LookKind::Light, LookKind::Dark,
                                           LookKind::HighContrast));

// How many pixels changed by at least 3:1 between two pictures of a widget.
int StrongChanges(const QImage& before, const QImage& after) {
    int n = 0;
    for (int y = 0; y < std::min(before.height(), after.height()); ++y)
        for (int x = 0; x < std::min(before.width(), after.width()); ++x)
            n += WcagContrast(before.pixelColor(x, y), after.pixelColor(x, y)) >= 3.0;
    return n;
}

TEST_F(Speech, DrawnHintAndFilterCellsStandOut) {
    Open(QStringLiteral(VEMO_SOURCE_DIR "/data/exemples/Xwing1.sku"));
    for (int k = 0; k < 100 && E().HintTechnique != 11; ++k) {
        window_->Run(Command::CompleteHint);
        if (E().HintTechnique != 11) window_->Run(Command::PlayHint);
    }
    ASSERT_EQ(E().HintTechnique, 11); // the tint nearest an empty cell
    int hinted = -1, plain = -1;
    for (int c = 0; c < 81; ++c) {
        if (E().Position()[c] != 0) continue;
        if (Game().Board().CellHighlight[c] == kHintCell && hinted < 0) hinted = c;
        if (Game().Board().CellHighlight[c] == kNoMark && plain < 0) plain = c;
    }
    ASSERT_GE(hinted, 0);
    ASSERT_GE(plain, 0);
    const auto at = [](int cell, int dx, int dy) {
        return QPoint(cell % 9 * kCellSize + dx, cell / 9 * kCellSize + dy);
    };
    for (const Command look : {Command::LookLight, Command::LookDark, Command::LookHighContrast}) {
        window_->Run(look);
        const QImage picture = window_->Board()->LogicalPicture();
        // Along the hint cell's left edge, against the same place of an empty cell.
        for (const int dy : {10, 28, 45})
            EXPECT_GE(WcagContrast(picture.pixelColor(at(hinted, 1, dy)),
                                   picture.pixelColor(at(plain, 1, dy))),
                      3.0)
                << static_cast<int>(window_->CurrentLookKind()) << " " << dy;
    }
    // A filtered cell, beside its candidates.
    window_->Run(Command::CancelFilter);
    Game().FilterDigit(E().SolutionGrid[plain]);
    ASSERT_EQ(Game().Board().CellHighlight[plain], kFilteredCell);
    int unmarked = -1;
    for (int c = 0; c < 81 && unmarked < 0; ++c)
        if (E().Position()[c] == 0 && Game().Board().CellHighlight[c] == kNoMark) unmarked = c;
    ASSERT_GE(unmarked, 0);
    for (const Command look : {Command::LookLight, Command::LookDark, Command::LookHighContrast}) {
        window_->Run(look);
        const QImage picture = window_->Board()->LogicalPicture();
        EXPECT_GE(WcagContrast(picture.pixelColor(at(plain, 7, 30)),
                               picture.pixelColor(at(unmarked, 7, 30))),
                  3.0)
            << static_cast<int>(window_->CurrentLookKind());
    }
    window_->Run(Command::LookLight);
}

TEST_F(Speech, TheKeyboardFocusShowsInEveryLook) {
    Open(Write("p.sku", kPuzzle));
    QWidget* button = window_->CommandBar()->widgetForAction(window_->Action(Command::Open));
    QWidget* tabs = window_->Pages()->tabBar();
    QTableWidget* listing = window_->Characteristics()->Listing();
    // The keyboard has moved the focus in the window: the focus is shown.
    window_->Board()->setFocus();
    QTest::keyClick(window_->Board(), Qt::Key_Tab);
    for (const Command look : {Command::LookLight, Command::LookDark, Command::LookHighContrast}) {
        window_->Run(look);
        SCOPED_TRACE(static_cast<int>(window_->CurrentLookKind()));
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        for (QWidget* w : {button, tabs}) {
            window_->Board()->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            const QImage before = w->grab().toImage();
            w->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            ASSERT_TRUE(w->hasFocus());
            EXPECT_GE(StrongChanges(before, w->grab().toImage()), w->width() + w->height())
                << w->metaObject()->className();
        }
        // The listing's current row, on every technique's tint of its steps.
        window_->Pages()->setCurrentIndex(kCharacteristicsPage);
        for (int r = 1; r < std::min(listing->rowCount(), 20); ++r) {
            listing->setCurrentCell(r, 1);
            tabs->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            const QImage before = listing->viewport()->grab().toImage();
            listing->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            const QRect row(0, listing->rowViewportPosition(r), listing->viewport()->width(),
                            listing->rowHeight(r));
            const QImage after = listing->viewport()->grab().toImage();
            EXPECT_GE(StrongChanges(before.copy(row), after.copy(row)), row.width()) << r;
        }
        // The menu-bar entry that F10 opens.
        window_->Pages()->setCurrentIndex(kBoardPage);
        window_->Board()->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        const QImage bar = window_->menuBar()->grab().toImage();
        int changed = 0;
        QTimer::singleShot(0, window_.get(), [&] {
            changed = StrongChanges(bar, window_->menuBar()->grab().toImage());
            QApplication::activePopupWidget()->close();
        });
        QTest::keyClick(window_->Board(), Qt::Key_F10);
        QApplication::processEvents();
        const QRect entry = window_->menuBar()->actionGeometry(window_->menuBar()->actions()[0]);
        EXPECT_GE(changed, entry.width() + entry.height());
    }
    window_->Run(Command::LookLight);
}

// ---- Large type --------------------------------------------------------------

class LargeType : public SizedTypeWindow<double> {
  protected:
    // Against the 9 points the dialogs were drawn for.
    double Scale() const { return GetParam() / 9.0; }
};

QRect InDialog(const QWidget* w, const QWidget* dialog) {
    return QRect(w->mapTo(dialog, QPoint(0, 0)), w->size());
}

TEST_P(LargeType, TheExampleButtonsShowTheirWholeCaptions) {
    ExamplesDialog* examples = window_->Examples();
    examples->show();
    QApplication::processEvents();
    const QRect box = examples->rect();
    for (const QPushButton* button : examples->findChildren<QPushButton*>()) {
        const QFontMetrics m(button->font());
        const QString text = button->text();
        EXPECT_GE(button->width(), m.horizontalAdvance(text) + 8) << text.toStdString();
        EXPECT_GE(button->height(), m.height()) << text.toStdString();
        EXPECT_TRUE(button->parentWidget()->rect().contains(button->geometry()))
            << text.toStdString();
        EXPECT_TRUE(box.contains(InDialog(button, examples))) << text.toStdString();
    }
    const QList<QGroupBox*> groups = examples->findChildren<QGroupBox*>();
    ASSERT_EQ(groups.size(), 5);
    for (int i = 0; i < groups.size(); ++i)
        for (int j = i + 1; j < groups.size(); ++j)
            EXPECT_FALSE(groups[i]->geometry().intersects(groups[j]->geometry()))
                << groups[i]->title().toStdString() << " / " << groups[j]->title().toStdString();
    for (const QLabel* line : examples->findChildren<QLabel*>()) {
        const QFontMetrics m(line->font());
        EXPECT_GE(line->width(), m.horizontalAdvance(line->text())) << line->text().toStdString();
        EXPECT_TRUE(box.contains(InDialog(line, examples))) << line->text().toStdString();
    }
    examples->hide();
}

TEST_P(LargeType, TheCongratulationsLinesAndHeadingsGrowApart) {
    CongratulationsDialog* cheers = window_->Congratulations();
    GameStatistics statistics;
    statistics.clockText = QStringLiteral("Temps :  01:23:45");
    statistics.hintsShown = 12;
    statistics.recordText = QStringLiteral("Nouveau record !");
    cheers->SetStatistics(statistics);
    const QRect box = cheers->rect();
    std::vector<const QLabel*> lines;
    for (const QLabel* label : cheers->findChildren<QLabel*>())
        if (label->parentWidget() != cheers && !label->text().isEmpty()) lines.push_back(label);
    ASSERT_GE(lines.size(), 6u); // the heading and the five lines
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QFontMetrics m(lines[i]->font());
        EXPECT_GE(lines[i]->height(), m.height()) << lines[i]->text().toStdString();
        EXPECT_GE(lines[i]->width(), m.horizontalAdvance(lines[i]->text()))
            << lines[i]->text().toStdString();
        EXPECT_TRUE(lines[i]->parentWidget()->rect().contains(lines[i]->geometry()))
            << lines[i]->text().toStdString();
        for (std::size_t j = i + 1; j < lines.size(); ++j)
            EXPECT_FALSE(lines[i]->geometry().intersects(lines[j]->geometry()))
                << lines[i]->text().toStdString() << " / " << lines[j]->text().toStdString();
    }
    // The title, the record line and the button lie apart, inside the box.
    const auto* title = cheers->findChild<QLabel*>(QStringLiteral("Congratulations306"));
    const auto* record = cheers->findChild<QLabel*>(QStringLiteral("RecordLine"));
    const auto* ok = cheers->findChild<QPushButton*>(QStringLiteral("Congratulations300"));
    ASSERT_TRUE(title && record && ok);
    const QWidget* panel = lines[0]->parentWidget();
    for (const QWidget* w :
         {static_cast<const QWidget*>(title), static_cast<const QWidget*>(record),
          static_cast<const QWidget*>(ok), panel}) {
        EXPECT_TRUE(box.contains(w->geometry())) << w->objectName().toStdString();
        for (const QWidget* v :
             {static_cast<const QWidget*>(title), static_cast<const QWidget*>(record),
              static_cast<const QWidget*>(ok), panel})
            if (v != w) {
                EXPECT_FALSE(w->geometry().intersects(v->geometry()))
                    << w->objectName().toStdString() << " / " << v->objectName().toStdString();
            }
    }
    // The headings follow the type: 27 and 16 pixels at 9 points.
    EXPECT_EQ(title->font().pixelSize(), std::lround(27 * Scale()));
    const QLabel* heading = nullptr;
    for (const QLabel* line : lines)
        if (line->text() == QStringLiteral("STATISTIQUES")) heading = line;
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->font().pixelSize(), std::lround(16 * Scale()));
    const auto* name = window_->About()->findChild<QLabel*>();
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), "VEMO TARN");
    EXPECT_EQ(name->font().pixelSize(), std::lround(23 * Scale()));
}

// A laptop's screen of 1366 x 768 pixels, beside the desk's screen the other
// tests use.
QScreen* LaptopScreen() {
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == QLatin1String("laptop")) return screen;
    return nullptr;
}

TEST_P(LargeType, EveryDialogFitsALaptopScreenAndReachesEachButton) {
    QScreen* laptop = LaptopScreen();
    ASSERT_NE(laptop, nullptr);
    const QRect free = laptop->availableGeometry();
    ASSERT_EQ(free.size(), QSize(1366, 768));
    window_->setScreen(laptop);
    window_->move(free.topLeft());
    QApplication::processEvents();
    ASSERT_EQ(window_->screen(), laptop);
    const QList<QDialog*> dialogs = {window_->Examples(), window_->Congratulations(),
                                     window_->About(), window_->Statistics()};
    for (QDialog* dialog : dialogs) {
        const std::string name = dialog->metaObject()->className();
        dialog->show();
        QApplication::processEvents();
        EXPECT_TRUE(free.contains(dialog->frameGeometry()))
            << name << " " << dialog->frameGeometry().width() << "x"
            << dialog->frameGeometry().height();
        const QRect box(dialog->mapToGlobal(QPoint(0, 0)), dialog->size());
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (!button->isVisibleTo(dialog)) continue;
            // Brought into sight as the focus brings it.
            QRect seen = box;
            for (QWidget* p = button->parentWidget(); p != dialog; p = p->parentWidget())
                if (auto* area = qobject_cast<QScrollArea*>(p)) {
                    area->ensureWidgetVisible(button, 0, 0);
                    QApplication::processEvents();
                    seen = QRect(area->viewport()->mapToGlobal(QPoint(0, 0)),
                                 area->viewport()->size());
                }
            const QRect shown(button->mapToGlobal(QPoint(0, 0)), button->size());
            EXPECT_TRUE(box.contains(shown)) << name << " " << button->text().toStdString();
            EXPECT_TRUE(seen.contains(shown)) << name << " " << button->text().toStdString();
        }
        dialog->hide();
    }
}

INSTANTIATE_TEST_SUITE_P(OneAndAHalfAndTwice, LargeType, ::testing::Values(13.5, 18.0));

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
    // A desk's screen, and a laptop's beside it.
    QTemporaryDir screens;
    const QString config = screens.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly))
        file.write(R"({"screens": [
            {"name": "desk", "x": 0, "y": 0, "width": 1920, "height": 1200,
             "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
            {"name": "laptop", "x": 1920, "y": 0, "width": 1366, "height": 768,
             "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
