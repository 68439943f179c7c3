// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Everyone can play: the board and the status message for screen readers,
// the keyboard everywhere, the contrast of every look, and any font size.
#include "ui_window_fixture.h"

#include "ui/board_accessible.h"
#include "ui/board_painter.h"
#include "ui/characteristics_page.h"
#include "ui/chooser_widget.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/congratulations_dialog.h"
#include "ui/dialogs/examples_dialog.h"
#include "ui/dialogs/link_label.h"
#include "ui/look.h"
#include "ui/status_panel.h"

#include "engine/techniques/catalogue.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

namespace vemo::ui {
namespace {

// Two grounds a player tells apart: by lightness, or clearly by hue.
bool Distinct(const QColor& a, const QColor& b) {
    const double dr = a.red() - b.red(), dg = a.green() - b.green(), db = a.blue() - b.blue();
    return WcagContrast(a, b) >= 1.5 || std::sqrt(dr * dr + dg * dg + db * db) >= 80;
}

std::string Hex(const QColor& c) {
    return c.name().toStdString();
}

// ---- Screen readers -------------------------------------------------------

TEST_F(Window, BoardHas81NamedCells) {
    Open(Write("p.sku", kPuzzle));
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(window_->Board());
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->role(), QAccessible::Table);
    EXPECT_EQ(board->text(QAccessible::Name), "Grille de jeu");
    ASSERT_EQ(board->childCount(), 81);
    // r1c1 holds the given 4; r1c2 is empty.
    EXPECT_EQ(board->child(0)->text(QAccessible::Name), "L1C1 4 donné");
    EXPECT_EQ(board->child(0)->role(), QAccessible::Cell);
    const QString empty = board->child(1)->text(QAccessible::Name);
    EXPECT_TRUE(empty.startsWith("L1C2 vide, candidats ")) << empty.toStdString();
    for (int d = 1; d <= 9; ++d)
        EXPECT_EQ(empty.contains(QString::number(d)), E().CandidateTable.Has(1, d)) << d;
    EXPECT_EQ(board->indexOfChild(board->child(40)), 40);
    EXPECT_EQ(board->child(80)->text(QAccessible::Name).left(5), "L9C9 ");

    // A move changes the name of that cell only.
    std::vector<QString> before;
    for (int c = 0; c < 81; ++c) before.push_back(board->child(c)->text(QAccessible::Name));
    GoTo(1);
    Digit(kSolved[1] - '0');
    EXPECT_EQ(board->child(1)->text(QAccessible::Name), QStringLiteral("L1C2 %1").arg(kSolved[1]));
    for (int c = 0; c < 81; ++c) {
        if (c == 1) continue;
        // Candidates of the cell's row, column and box may go; nothing else.
        const bool peer = c / 9 == 0 || c % 9 == 1 || (c / 27 == 0 && c % 9 / 3 == 0);
        if (!peer) {
            EXPECT_EQ(board->child(c)->text(QAccessible::Name), before[c]) << c;
        }
    }

    // The active cell is the focused child.
    window_->Board()->setFocus();
    QApplication::processEvents();
    GoTo(30);
    ASSERT_NE(board->focusChild(), nullptr);
    EXPECT_EQ(board->indexOfChild(board->focusChild()), 30);
    EXPECT_TRUE(board->child(30)->state().focused);
    EXPECT_FALSE(board->child(31)->state().focused);
}

TEST_F(Window, BoardNamesInEnglishWithHintsAndFilters) {
    ASSERT_TRUE(window_->SwitchLanguage("English.lng"));
    Open(Write("p.sku", kPuzzle));
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(window_->Board());
    EXPECT_EQ(board->text(QAccessible::Name), "Game board");
    EXPECT_EQ(board->child(0)->text(QAccessible::Name), "R1C1 4 given");
    EXPECT_TRUE(board->child(1)->text(QAccessible::Name).startsWith("R1C2 empty, candidates "));
    // A hint marks its cells, a filter its own.
    window_->Run(Command::Start);
    window_->Run(Command::CompleteHint);
    int hinted = 0;
    for (int c = 0; c < 81; ++c)
        if (IsHintMark(Game().Board().CellHighlight[c])) {
            ++hinted;
            EXPECT_TRUE(board->child(c)->text(QAccessible::Name).endsWith(", hint")) << c;
        }
    EXPECT_GT(hinted, 0);
    Game().CancelFilter();
    Game().FilterDigit(1);
    int filtered = 0;
    for (int c = 0; c < 81; ++c)
        if (Game().Board().CellHighlight[c] == kFilteredCell) {
            ++filtered;
            EXPECT_TRUE(board->child(c)->text(QAccessible::Name).endsWith(", filter")) << c;
        }
    EXPECT_GT(filtered, 0);
}

// What the update handler hears.
std::vector<std::pair<QAccessible::Event, QString>> heard;
void Hear(QAccessibleEvent* event) {
    QAccessibleInterface* iface = event->accessibleInterface();
    heard.emplace_back(event->type(), iface ? iface->text(QAccessible::Name) : QString());
}

TEST_F(Window, ChangesAreAnnounced) {
    Open(Write("p.sku", kPuzzle));
    window_->Board()->setFocus();
    QApplication::processEvents();
    heard.clear();
    SetAnnouncementListener(Hear);
    GoTo(1);
    Digit(kSolved[1] - '0');
    SetAnnouncementListener(nullptr);
    const auto has = [](QAccessible::Event type, const QString& name) {
        for (const auto& [t, n] : heard)
            if (t == type && n.startsWith(name)) return true;
        return false;
    };
    EXPECT_TRUE(has(QAccessible::Focus, "L1C2 vide"));
    EXPECT_TRUE(has(QAccessible::NameChanged, QStringLiteral("L1C2 %1").arg(kSolved[1])));
    // The status message is exposed and told.
    EXPECT_TRUE(has(QAccessible::NameChanged, Count()));
}

TEST_F(Window, StatusMessageIsExposedAsText) {
    Open(Write("p.sku", kPuzzle));
    QAccessibleInterface* status =
        QAccessible::queryAccessibleInterface(window_->StatusMessagePanel());
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(QAccessible::Name), Count());
    EXPECT_EQ(status->text(QAccessible::Value), Count());
    // A wrong move: the warning is read.
    heard.clear();
    SetAnnouncementListener(Hear);
    GoTo(1);
    Digit(kSolved[1] == '9' ? 8 : 9);
    SetAnnouncementListener(nullptr);
    if (Status() == window_->Texts().Text(507)) {
        EXPECT_EQ(status->text(QAccessible::Name), "Coup erroné !");
        bool alerted = false;
        for (const auto& [t, n] : heard) alerted |= t == QAccessible::Alert && n == Status();
        EXPECT_TRUE(alerted);
    }
}

TEST_F(Window, SolutionPictureReadOnlyCells) {
    Open(Write("p.sku", kPuzzle));
    QAccessibleInterface* solution =
        QAccessible::queryAccessibleInterface(window_->SolutionPicture());
    ASSERT_EQ(solution->childCount(), 81);
    EXPECT_EQ(solution->text(QAccessible::Name), "Solution");
    EXPECT_EQ(solution->child(1)->text(QAccessible::Name),
              QStringLiteral("L1C2 %1").arg(kSolved[1]));
    EXPECT_EQ(solution->child(0)->text(QAccessible::Name), "L1C1 4 donné");
    EXPECT_TRUE(solution->child(5)->state().readOnly);
    // Its arrows move the reading place and play nothing.
    window_->Pages()->setCurrentIndex(kSolutionPage);
    window_->SolutionPicture()->setFocus();
    QApplication::processEvents();
    const auto filled = E().FilledCount;
    QTest::keyClick(window_->SolutionPicture(), Qt::Key_Right);
    QTest::keyClick(window_->SolutionPicture(), Qt::Key_5);
    EXPECT_EQ(solution->indexOfChild(solution->focusChild()), 41);
    EXPECT_EQ(E().FilledCount, filled);
    EXPECT_EQ(window_->Pages()->currentIndex(), kSolutionPage);
}

TEST_F(Window, ThePageTablesAreNamedAfterTheirLabels) {
    for (const bool english : {false, true}) {
        if (english) {
            ASSERT_TRUE(window_->SwitchLanguage("English.lng"));
        }
        for (const auto& [table, text] :
             {std::pair{window_->Characteristics()->Listing(), 85},
              std::pair{window_->Characteristics()->TechniqueGrid(), 86}}) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(table);
            ASSERT_NE(accessible, nullptr);
            const QString name = accessible->text(QAccessible::Name);
            EXPECT_FALSE(name.isEmpty());
            EXPECT_TRUE(window_->Texts().Text(text).startsWith(name.trimmed()))
                << name.toStdString();
        }
    }
}

TEST_F(Window, EveryToolbarButtonHasAName) {
    int buttons = 0;
    for (QToolBar* bar : {window_->CommandBar(), window_->FilterBar()})
        for (QToolButton* button : bar->findChildren<QToolButton*>()) {
            if (!button->defaultAction() || button->defaultAction()->isSeparator()) continue;
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(button);
            ASSERT_NE(iface, nullptr);
            EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty())
                << button->defaultAction()->toolTip().toStdString();
            ++buttons;
        }
    EXPECT_EQ(buttons, 11 + 11);
    QAccessibleInterface* one = QAccessible::queryAccessibleInterface(
        window_->FilterBar()->widgetForAction(window_->FilterButton(1)));
    EXPECT_EQ(one->text(QAccessible::Name), "Filtrer 1");
}

// ---- The keyboard ---------------------------------------------------------

TEST_F(Window, ArrowsInAnOpenMenuLeaveTheBoard) {
    window_->Board()->setFocus();
    const int row = Game().Board().ActiveRow, column = Game().Board().ActiveColumn;
    QMenu* menu = window_->menuBar()->actions().first()->menu();
    menu->popup(window_->mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    ASSERT_TRUE(QApplication::activePopupWidget());
    QTest::keyClick(window_->Board(), Qt::Key_Right);
    QTest::keyClick(window_->Board(), Qt::Key_Down);
    EXPECT_EQ(Game().Board().ActiveRow, row);
    EXPECT_EQ(Game().Board().ActiveColumn, column);
    menu->close();
    // Without the menu the same keys move the active cell.
    QTest::keyClick(window_->Board(), Qt::Key_Right);
    EXPECT_EQ(Game().Board().ActiveColumn, column + 1);
}

TEST_F(Window, KeysElsewhereDoNotPlay) {
    Open(Write("p.sku", kPuzzle));
    window_->Pages()->setCurrentIndex(kCharacteristicsPage);
    QTableWidget* listing = window_->Characteristics()->Listing();
    listing->setFocus();
    const int column = Game().Board().ActiveColumn;
    QTest::keyClick(listing, Qt::Key_Right);
    QTest::keyClick(listing, Qt::Key_Down);
    EXPECT_EQ(Game().Board().ActiveColumn, column);
    // No key jumps back to the "Grille" page.
    EXPECT_EQ(window_->Pages()->currentIndex(), kCharacteristicsPage);
    EXPECT_NE(listing->focusPolicy(), Qt::NoFocus);
    EXPECT_NE(window_->Characteristics()->TechniqueGrid()->focusPolicy(), Qt::NoFocus);
}

TEST_F(Window, TabReachesTheToolbarAndThePages) {
    window_->Board()->setFocus();
    QApplication::processEvents();
    std::vector<QWidget*> seen;
    for (int k = 0; k < 40; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen.push_back(QApplication::focusWidget());
    }
    const auto reached = [&](QWidget* w) {
        return std::find(seen.begin(), seen.end(), w) != seen.end();
    };
    EXPECT_TRUE(reached(window_->CommandBar()->widgetForAction(window_->Action(Command::Open))));
    EXPECT_TRUE(reached(window_->FilterBar()->widgetForAction(window_->FilterButton(5))));
    EXPECT_TRUE(reached(window_->Board()));
    EXPECT_TRUE(reached(window_->Pages()->tabBar()));
    // Tab never played a digit nor moved the cell.
    EXPECT_EQ(Game().Board().ActiveRow * 9 + Game().Board().ActiveColumn, 40);
}

TEST_F(Window, F10OpensTheMenuBarAndAboutFromTheKeyboard) {
    EXPECT_EQ(window_->Action(Command::About)->shortcut(), QKeySequence(QStringLiteral("Ctrl+F1")));
    EXPECT_EQ(window_->Texts().Text(67), "&Aide");
    window_->Board()->setFocus();
    bool opened = false;
    QTimer::singleShot(0, window_.get(), [&] {
        opened = window_->About()->isVisible();
        window_->About()->reject();
    });
    QTest::keyClick(window_->Board(), Qt::Key_F1, Qt::ControlModifier);
    EXPECT_TRUE(opened);

    // F10, then Left to the last menu ("Aide"), Up to its last entry, Enter.
    opened = false;
    QTimer::singleShot(0, window_.get(), [&] {
        QWidget* popup = QApplication::activePopupWidget();
        ASSERT_TRUE(popup);
        QTest::keyClick(popup, Qt::Key_Left);
        QWidget* help = QApplication::activePopupWidget();
        ASSERT_TRUE(help);
        QTimer::singleShot(0, window_.get(), [&] {
            opened = window_->About()->isVisible();
            window_->About()->reject();
        });
        QTest::keyClick(help, Qt::Key_Up);
        QTest::keyClick(help, Qt::Key_Return);
    });
    QTest::keyClick(window_->Board(), Qt::Key_F10);
    QApplication::processEvents();
    EXPECT_TRUE(opened);
}

// The Alt letter of a caption ("&Aide" -> 'a'), or 0 without one.
QChar AccessLetter(const QString& caption) {
    for (qsizetype k = 0; k + 1 < caption.size(); ++k) {
        if (caption[k] != QLatin1Char('&')) continue;
        if (caption[k + 1] != QLatin1Char('&')) return caption[k + 1].toLower();
        ++k; // "&&" is a plain ampersand
    }
    return QChar();
}

// Two entries of one menu, or two menus of the bar, never share an Alt
// letter: the second would only be reached by pressing it twice.
void ExpectDistinctLetters(const QList<QAction*>& actions, const std::string& where) {
    std::map<QChar, QString> seen;
    for (const QAction* action : actions) {
        if (action->isSeparator() || !action->isVisible()) continue;
        const QChar letter = AccessLetter(action->text());
        if (letter.isNull()) continue;
        const auto [at, added] = seen.emplace(letter, action->text());
        EXPECT_TRUE(added) << where << ": " << action->text().toStdString() << " and "
                           << at->second.toStdString();
        if (action->menu()) ExpectDistinctLetters(action->menu()->actions(), where);
    }
}

TEST_F(Window, AltLettersDistinctInEveryLanguage) {
    const QStringList languages =
        QDir(QStringLiteral(VEMO_SOURCE_DIR "/data/Langues"))
            .entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name);
    ASSERT_GE(languages.size(), 5);
    for (const QString& language : languages) {
        ASSERT_TRUE(window_->SwitchLanguage(language)) << language.toStdString();
        ExpectDistinctLetters(window_->menuBar()->actions(), language.toStdString());
    }
}

TEST_F(Window, TheFocusedBoardIsRingedWithoutHidingItsEdgeCells) {
    Open(Write("p.sku", kPuzzle));
    window_->Board()->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(window_->Board()->hasFocus());
    for (const Command look : {Command::LookLight, Command::LookHighContrast}) {
        window_->Run(look);
        QApplication::processEvents();
        const QColor ring(CurrentLook().focusRing);
        const QImage frame = window_->Board()->parentWidget()->grab().toImage();
        EXPECT_EQ(frame.pixelColor(0, frame.height() / 2), ring);
        EXPECT_EQ(frame.pixelColor(frame.width() - 1, frame.height() / 2), ring);
        // The board shows its picture to the edge: the given in the top-left
        // corner keeps its outline.
        const QImage shown = window_->Board()->grab().toImage().scaled(512, 512);
        const QImage picture = window_->Board()->LogicalPicture();
        for (int at = 0; at < 6; ++at) {
            EXPECT_EQ(shown.pixelColor(at, 30), picture.pixelColor(at, 30)) << at;
            EXPECT_EQ(shown.pixelColor(511 - at, 30), picture.pixelColor(511 - at, 30)) << at;
        }
    }
    window_->Pages()->setFocus();
    QApplication::processEvents();
    const QImage frame = window_->Board()->parentWidget()->grab().toImage();
    EXPECT_NE(frame.pixelColor(0, frame.height() / 2), QColor(CurrentLook().focusRing));
}

TEST_F(Window, ChooserFromTheKeyboard) {
    Open(Write("p.sku", kPuzzle));
    window_->Board()->setFocus();
    GoTo(1);
    QTest::keyClick(window_->Board(), Qt::Key_Space);
    ASSERT_TRUE(window_->CellChooser()->isVisible());
    EXPECT_TRUE(window_->CellChooser()->hasFocus());
    // Down to the first digit offered, Enter plays it.
    const QStringList items = Game().CellChooser().items;
    int row = 0;
    while (row < items.size() && items[row] != QString(QChar(kSolved[1]))) ++row;
    ASSERT_LT(row, items.size());
    for (int k = 0; k < row; ++k) QTest::keyClick(window_->CellChooser(), Qt::Key_Down);
    QTest::keyClick(window_->CellChooser(), Qt::Key_Return);
    EXPECT_EQ(E().Position()[1], kSolved[1] - '0');
    // Escape closes it and gives the keys back to the board.
    GoTo(2);
    QTest::keyClick(window_->Board(), Qt::Key_Space);
    ASSERT_TRUE(window_->CellChooser()->isVisible());
    QTest::keyClick(window_->CellChooser(), Qt::Key_Escape);
    EXPECT_FALSE(window_->CellChooser()->isVisible());
    EXPECT_TRUE(window_->Board()->hasFocus());
}

TEST(AboutLinks, OpenWithEnter) {
    AboutDialog about;
    std::vector<QUrl> opened;
    about.SetUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    about.show();
    auto& web = const_cast<LinkLabel&>(about.WebLink());
    EXPECT_NE(web.focusPolicy(), Qt::NoFocus);
    QTest::keyClick(&web, Qt::Key_Return);
    auto& mail = const_cast<LinkLabel&>(about.ContactLink());
    QTest::keyClick(&mail, Qt::Key_Enter);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl(QString::fromLatin1(kWebSite)));
    EXPECT_EQ(opened[1].scheme(), "mailto");
}

// ---- Looks ----------------------------------------------------------------

// Every text on its ground, as the painter and the pages draw them.
struct Pair {
    std::string what;
    QColor text, ground;
    double least;
};

std::vector<Pair> TextPairs(const Look& look) {
    constexpr double kText = 4.5, kLarge = 3.0;
    std::vector<Pair> pairs;
    const auto add = [&](std::string what, const QColor& t, const QColor& g, double least) {
        pairs.push_back({std::move(what), t, g, least});
    };
    const QColor candidate(look.candidateDigit);
    // The board: candidates (small) on every ground an empty cell can have
    // (the hints and the filters mark empty cells), digits (large) on the
    // filled cells.
    for (const auto& [name, ground] : {std::pair<std::string, QRgb>{"empty", look.emptyCell},
                                       {"even", look.evenCell},
                                       {"filter", look.filterMark}})
        add("candidate on " + name, candidate, QColor(ground), kText);
    for (const int technique : EveryHintTechnique()) {
        const QColor hint = HintCellColour(look, technique);
        add("candidate on hint " + std::to_string(technique), candidate, hint, kText);
    }
    for (int k = 0; k < 4; ++k)
        add("candidate on chain " + std::to_string(k), candidate, QColor(look.chainShades[k]),
            kText);
    add("given digit", QColor(look.givenDigit), QColor(look.givenCell), kLarge);
    add("player digit", QColor(look.playerDigit), QColor(look.playerCell), kLarge);
    add("solution given", QColor(look.givenDigit), QColor(look.solutionGiven), kLarge);
    add("solution other", QColor(look.playerDigit), QColor(look.solutionOther), kLarge);
    // The status bar on every colour a message takes.
    std::vector<QColor> tints = {QColor(LookOf(LookKind::Light).face), QColor(237, 122, 116),
                                 QColor(0xA6, 0xCA, 0xF0), QColor(224, 255, 255)};
    for (int technique = 1; technique <= kTechniqueCount; ++technique) {
        const Rgb& c = TechniqueColours[technique];
        tints.emplace_back(c.red, c.green, c.blue);
    }
    for (const QColor& t : tints) {
        add("status on " + Hex(t), QColor(look.statusText), Tint(look, t), kText);
        add("listing on " + Hex(t), QColor(look.countText), Tint(look, t), kText);
    }
    // The pages and the window.
    add("window text", QColor(look.windowText), QColor(look.window), kText);
    add("base text", QColor(look.baseText), QColor(look.base), kText);
    add("face text", QColor(look.faceText), QColor(look.face), kText);
    add("selection", QColor(look.highlightText), QColor(look.highlight), kText);
    add("tooltip", QColor(look.tooltipText), QColor(look.tooltip), kText);
    add("technique name", QColor(look.techniqueName), QColor(look.face), kText);
    add("listing number", QColor(look.listingNumber), QColor(look.face), kText);
    add("count", QColor(look.countText), QColor(look.countGround), kText);
    add("missing count", QColor(look.missingCount), QColor(look.countGround), kText);
    add("chooser", QColor(look.chooserText), QColor(look.chooserGround), kText);
    add("chooser selected", QColor(look.chooserText), QColor(look.chooserSelected), kText);
    add("Exclure", QColor(look.excludeText), QColor(look.chooserGround), kText);
    add("Exclure selected", QColor(look.excludeText), QColor(look.chooserSelected), kText);
    // The About box.
    for (const auto& [name, colour] : {std::pair<std::string, QRgb>{"title", look.title},
                                       {"link", look.link},
                                       {"link hover", look.linkHover},
                                       {"version link", look.checkLink},
                                       {"version link hover", look.checkLinkHover}})
        add(name, QColor(colour), QColor(look.window), kText);
    // The congratulations box (a 27-pixel bold title) and the examples' banner.
    add("congratulations title", QColor(look.cheerTitle), QColor(look.window), kLarge);
    add("congratulations title blinking", QColor(look.cheerTitleBlink), QColor(look.window),
        kLarge);
    add("statistics", QColor(look.statisticsText), QColor(look.statisticsGround), kText);
    add("statistics heading", QColor(look.statisticsHeading), QColor(look.statisticsGround), kText);
    add("record", QColor(look.recordText), QColor(look.window), kText);
    add("examples banner", QColor(look.bannerText), QColor(look.window), kText);
    return pairs;
}

class EveryLook : public ::testing::TestWithParam<LookKind> {};

TEST_P(EveryLook, TextsReachTheirContrast) {
    const Look& look = LookOf(GetParam());
    for (const Pair& p : TextPairs(look))
        EXPECT_GE(WcagContrast(p.text, p.ground), p.least)
            << p.what << ": " << Hex(p.text) << " on " << Hex(p.ground);
}

TEST_P(EveryLook, MarksStayDistinct) {
    const Look& look = LookOf(GetParam());
    const QColor empty(look.emptyCell);
    std::vector<std::pair<std::string, QColor>> grounds = {{"empty", empty},
                                                           {"player", QColor(look.playerCell)},
                                                           {"given", QColor(look.givenCell)},
                                                           {"even", QColor(look.evenCell)},
                                                           {"filter", QColor(look.filterMark)}};
    for (const int technique : EveryHintTechnique())
        grounds.emplace_back("hint " + std::to_string(technique), HintCellColour(look, technique));
    for (int k = 0; k < 4; ++k)
        grounds.emplace_back("chain " + std::to_string(k), QColor(look.chainShades[k]));
    // The active-cell frame and the bars stand out from every ground (3:1).
    for (const auto& [name, ground] : grounds) {
        const double frame = std::max(WcagContrast(QColor(look.activeFrame), ground),
                                      WcagContrast(QColor(look.activeFrameEdge), ground));
        EXPECT_GE(frame, 3.0) << "frame on " << name;
        EXPECT_GE(WcagContrast(QColor(look.bars), ground), 3.0) << "bars on " << name;
    }
    // The marks and the hint colours from an empty cell, and from each other.
    for (std::size_t i = 1; i < grounds.size(); ++i) {
        if (grounds[i].first == "player" || grounds[i].first == "given") continue;
        EXPECT_TRUE(Distinct(grounds[i].second, empty))
            << grounds[i].first << " " << Hex(grounds[i].second) << " " << Hex(empty);
    }
    // The ring of the focused board, between the window and the cells.
    EXPECT_GE(WcagContrast(QColor(look.focusRing), QColor(look.window)), 3.0);
    EXPECT_GE(WcagContrast(QColor(look.focusRing), empty), 3.0);
    EXPECT_GE(WcagContrast(QColor(look.filterMark), empty), 2.0);
    EXPECT_GE(WcagContrast(QColor(look.evenCell), empty), 2.0);
    EXPECT_TRUE(Distinct(QColor(look.filterMark), QColor(look.evenCell)));
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            EXPECT_TRUE(Distinct(QColor(look.chainShades[a]), QColor(look.chainShades[b])))
                << a << " " << b;
    EXPECT_TRUE(Distinct(HintCellColour(look, 1), QColor(look.filterMark)));
    EXPECT_TRUE(Distinct(HintCellColour(look, 1), QColor(look.evenCell)));
}

INSTANTIATE_TEST_SUITE_P(Looks, EveryLook,
                         ::testing::Values(LookKind::Light, LookKind::Dark,
                                           LookKind::HighContrast));

TEST(Looks, TheFourPairsOfTheLightLookAreMended) {
    const Look& light = LookOf(LookKind::Light);
    EXPECT_GE(WcagContrast(QColor(light.excludeText), QColor(light.chooserGround)), 4.5);
    EXPECT_GE(WcagContrast(QColor(light.link), QColor(light.window)), 4.5);
    EXPECT_GE(WcagContrast(QColor(light.missingCount), QColor(light.countGround)), 4.5);
    // The brute-force hint, the reddest ground the frame meets.
    const QColor bruteForce = HintCellColour(light, 16);
    EXPECT_GE(std::max(WcagContrast(QColor(light.activeFrame), bruteForce),
                       WcagContrast(QColor(light.activeFrameEdge), bruteForce)),
              3.0);
}

TEST(Looks, DarkDesktopStartsDarkUntilChosen) {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
    QPalette light;
    light.setColor(QPalette::Window, QColor(239, 239, 239));
    light.setColor(QPalette::WindowText, Qt::black);
    EXPECT_EQ(StartingLook(-1, dark), LookKind::Dark);
    EXPECT_EQ(StartingLook(-1, light), LookKind::Light);
    EXPECT_EQ(StartingLook(0, dark), LookKind::Light);
    EXPECT_EQ(StartingLook(2, light), LookKind::HighContrast);
}

// The strongest contrast between the ink of a label, as drawn in the box's
// picture, and the ground at the label's corner.
double DrawnContrast(const QImage& picture, const QWidget& box, const QLabel& label) {
    const QRect area(label.mapTo(&box, QPoint(0, 0)), label.size());
    const QColor ground = picture.pixelColor(area.topLeft());
    double best = 1.0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = std::max(best, WcagContrast(picture.pixelColor(x, y), ground));
    return best;
}

TEST_F(Window, CongratulationsAndExamplesFollowTheLook) {
    QTemporaryDir silent;
    CongratulationsDialog* box = window_->Congratulations();
    box->SetMusicFolder(silent.path());
    GameStatistics statistics;
    statistics.clockText = QStringLiteral("Temps :  00:03:07");
    statistics.recordText = QStringLiteral("Nouveau record !");
    for (const Command look : {Command::LookLight, Command::LookDark, Command::LookHighContrast}) {
        window_->Run(look);
        SCOPED_TRACE(static_cast<int>(window_->CurrentLookKind()));
        box->SetStatistics(statistics);
        box->show();
        QApplication::processEvents();
        // Both colours of the blinking title, the statistics and the record.
        for (int blink = 0; blink < 2; ++blink) {
            const QImage picture = box->grab().toImage();
            const auto* title = box->findChild<QLabel*>(QStringLiteral("Congratulations306"));
            ASSERT_NE(title, nullptr);
            EXPECT_GE(DrawnContrast(picture, *box, *title), 3.0);
            const auto* record = box->findChild<QLabel*>(QStringLiteral("RecordLine"));
            ASSERT_NE(record, nullptr);
            EXPECT_GE(DrawnContrast(picture, *box, *record), 4.5);
            for (const QLabel* line : box->findChildren<QLabel*>()) {
                if (line->parentWidget() != box && !line->text().isEmpty()) {
                    EXPECT_GE(DrawnContrast(picture, *box, *line), 4.5)
                        << line->text().toStdString();
                }
            }
            const QColor before = box->TitleColour();
            EXPECT_TRUE(QTest::qWaitFor([&] { return box->TitleColour() != before; }, 1000));
        }
        box->done(QDialog::Accepted);
        // The red lines of the examples' banner.
        ExamplesDialog* examples = window_->Examples();
        examples->show();
        QApplication::processEvents();
        const QImage picture = examples->grab().toImage();
        for (const char* name : {"Examples125", "Examples126"}) {
            const auto* line = examples->findChild<QLabel*>(QString::fromLatin1(name));
            ASSERT_NE(line, nullptr);
            EXPECT_GE(DrawnContrast(picture, *examples, *line), 4.5) << name;
        }
        examples->hide();
    }
}

TEST_F(Window, LookChosenInOptionsAndRemembered) {
    EXPECT_EQ(window_->CurrentLookKind(), LookKind::Light);
    window_->Run(Command::LookDark);
    EXPECT_EQ(window_->CurrentLookKind(), LookKind::Dark);
    EXPECT_TRUE(window_->Action(Command::LookDark)->isChecked());
    EXPECT_FALSE(window_->Action(Command::LookLight)->isChecked());
    // The board and the status bar take the look's colours.
    EXPECT_EQ(window_->Board()->LogicalPicture().pixelColor(57 * 2 + 8, 57 * 0 + 50),
              QColor(LookOf(LookKind::Dark).emptyCell));
    EXPECT_EQ(QApplication::palette().color(QPalette::Window),
              QColor(LookOf(LookKind::Dark).window));
    window_->close();
    window_ = Make();
    EXPECT_EQ(window_->CurrentLookKind(), LookKind::Dark);
    window_->Run(Command::LookHighContrast);
    window_->close();
    window_ = Make();
    EXPECT_EQ(window_->CurrentLookKind(), LookKind::HighContrast);
    window_->Run(Command::LookLight);
}

// ---- Font sizes -----------------------------------------------------------

using FontSize = SizedTypeWindow<int>;

void ExpectFits(const QLabel& label) {
    if (!label.isVisible() || label.text().isEmpty()) return;
    const QFontMetrics m(label.font());
    EXPECT_GE(label.width(), m.horizontalAdvance(label.text()))
        << label.objectName().toStdString() << " " << label.text().toStdString();
    EXPECT_GE(label.height(), m.height()) << label.objectName().toStdString();
}

TEST_P(FontSize, TheSmallestWindowKeepsTheWholeBoard) {
    window_->resize(window_->minimumSize());
    QApplication::processEvents();
    EXPECT_EQ(window_->Board()->size(), QSize(kLeastBoardSide, kLeastBoardSide));
    // Above the status bar and inside the window.
    const QRect board(window_->Board()->mapTo(window_.get(), QPoint(0, 0)),
                      window_->Board()->size());
    EXPECT_LE(board.bottom(), window_->statusBar()->geometry().top());
    EXPECT_TRUE(window_->rect().contains(board));
    EXPECT_GE(window_->statusBar()->geometry().top(),
              window_->centralWidget()->geometry().bottom());
}

TEST_P(FontSize, NothingNarrowerThanItsText) {
    Open(Write("p.sku", kPuzzle));
    Game().ShowHint();
    window_->Run(Command::Start);
    QTest::qWait(1100); // the clock shows its seconds
    QApplication::processEvents();
    // The status bar: the message and the clock with its seconds.
    const QFontMetrics status(window_->StatusMessagePanel()->font());
    EXPECT_GE(window_->StatusMessagePanel()->width(),
              status.horizontalAdvance(window_->Texts().Text(502) + "81"));
    EXPECT_GE(window_->StatusMessagePanel()->height(), status.height());
    ASSERT_FALSE(window_->ClockPanel()->text().isEmpty());
    ExpectFits(*window_->ClockPanel());
    // The pages' labels, the listing's header and every column.
    window_->Pages()->setCurrentIndex(kCharacteristicsPage);
    QApplication::processEvents();
    for (QLabel* label : window_->Characteristics()->findChildren<QLabel*>()) ExpectFits(*label);
    for (QTableWidget* table :
         {window_->Characteristics()->Listing(), window_->Characteristics()->TechniqueGrid()}) {
        QFont cells = table->font();
        cells.setPointSizeF(std::max(8.0, cells.pointSizeF() * 8.0 / 9.0));
        const QFontMetrics m(cells);
        for (int c = 0; c < table->columnCount(); ++c)
            for (int r = 0; r < table->rowCount(); ++r)
                if (const QTableWidgetItem* item = table->item(r, c)) {
                    // Only a text that carries itself whole as a tooltip (the
                    // cells of a long step without guessing) may be cut.
                    if (table->columnWidth(c) < m.horizontalAdvance(item->text())) {
                        EXPECT_EQ(item->toolTip(), item->text()) << item->text().toStdString();
                    }
                    EXPECT_GE(table->rowHeight(r), m.height()) << r;
                }
        if (table->horizontalHeader()->isVisible()) {
            EXPECT_GE(table->horizontalHeader()->height(),
                      table->horizontalHeader()->fontMetrics().height());
        }
    }
    // The technique grid lies inside the page; what a large type pushes out of
    // its view is reached by scrolling.
    const QTableWidget* grid = window_->Characteristics()->TechniqueGrid();
    EXPECT_LE(grid->geometry().right(), window_->Characteristics()->width());
    EXPECT_LE(grid->geometry().bottom(), window_->Characteristics()->height());
    const int lastRow = grid->rowCount() - 1;
    const int rowsBottom = grid->rowViewportPosition(lastRow) + grid->rowHeight(lastRow);
    if (rowsBottom > grid->viewport()->height()) {
        EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    }
    // The About box: every label and link whole and inside the box.
    AboutDialog* about = window_->About();
    QTimer::singleShot(0, about, [about] {
        for (QLabel* label : about->findChildren<QLabel*>()) {
            ExpectFits(*label);
            const QRect r(label->mapTo(about, QPoint(0, 0)), label->size());
            EXPECT_TRUE(about->rect().contains(r)) << label->text().toStdString();
        }
        about->reject();
    });
    window_->Run(Command::About);
}

INSTANTIATE_TEST_SUITE_P(Points, FontSize, ::testing::Values(9, 12, 16));

} // namespace
} // namespace vemo::ui
