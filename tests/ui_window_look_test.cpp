// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as a player sees it: a board that scales with the window, the
// captions, Qt's own dialogs in the interface's language, columns wide enough
// for their texts, readable colours, and the colouring hints' chains.
#include "ui_window_fixture.h"

#include "ui/board_painter.h"
#include "ui/characteristics_page.h"
#include "ui/chooser_widget.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/link_label.h"
#include "ui/hint_display.h"
#include "ui/icons.h"

#include "engine/techniques/catalogue.h"
#include "io/settings.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QToolTip>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace vemo::ui {
namespace {

// The highest contrast of any pixel of `image` inside `area` against `ground`:
// that of the text's core.
double InkContrast(const QImage& image, const QRect& area, const QColor& ground) {
    double best = 1.0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = std::max(best, WcagContrast(image.pixelColor(x, y), ground));
    return best;
}

// The centre of cell `cell` on the board, in widget pixels.
QPoint CellCentre(const BoardWidget& board, int cell) {
    return board.FromPicture(
        QPoint((cell % 9) * kCellSize + kCellSize / 2, (cell / 9) * kCellSize + kCellSize / 2));
}

TEST_F(Window, ResizableFromTheSmallestSize) {
    const QSize smallest = window_->minimumSize();
    window_->resize(smallest);
    QApplication::processEvents();
    EXPECT_LT(window_->minimumSize().width(), window_->maximumSize().width());
    EXPECT_EQ(window_->Board()->size(), QSize(kLeastBoardSide, kLeastBoardSide));

    window_->resize(2 * smallest);
    QApplication::processEvents();
    EXPECT_GT(window_->Board()->width(), 2 * kLeastBoardSide);
    EXPECT_EQ(window_->Board()->width(), window_->Board()->height());
    window_->Pages()->setCurrentIndex(kSolutionPage);
    QApplication::processEvents();
    EXPECT_EQ(window_->SolutionPicture()->width(), window_->Board()->width());
    // The picture has the widget's pixels: drawn, not stretched.
    EXPECT_EQ(window_->Board()->Picture().width(),
              qRound(window_->Board()->width() * window_->Board()->devicePixelRatioF()));

    window_->resize(smallest);
    window_->Pages()->setCurrentIndex(kBoardPage);
    QApplication::processEvents();
    EXPECT_EQ(window_->Board()->size(), QSize(kLeastBoardSide, kLeastBoardSide));
}

TEST_F(Window, AClickFindsTheSameCellOnALargerBoard) {
    Open(Write("p.sku", kPuzzle));
    const int cell = 4 * 9 + 7; // r5c8, empty
    ASSERT_EQ(kPuzzle[cell], '.');
    BoardWidget& board = *window_->Board();
    QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, CellCentre(board, cell));
    ASSERT_TRUE(Game().CellChooser().visible);
    EXPECT_EQ(Game().CellChooser().cell, cell);
    Game().HideChooser();

    window_->resize(2 * window_->size());
    QApplication::processEvents();
    ASSERT_GT(board.width(), 900);
    // Near the cell's far corner: a wrong scale lands in another cell.
    const QPoint corner =
        board.FromPicture(QPoint((cell % 9 + 1) * kCellSize - 3, (cell / 9 + 1) * kCellSize - 3));
    QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, corner);
    ASSERT_TRUE(Game().CellChooser().visible);
    EXPECT_EQ(Game().CellChooser().cell, cell);
    // The chooser opens beside the cell on the larger board.
    const QPoint cellRight =
        board.mapTo(window_->centralWidget(),
                    board.FromPicture(QPoint((cell % 9 + 1) * kCellSize, (cell / 9) * kCellSize)));
    EXPECT_EQ(window_->CellChooser()->pos(), cellRight);
}

TEST_F(Window, TheClipboardPictureKeepsItsSize) {
    Open(Write("p.sku", kPuzzle));
    window_->resize(2 * window_->size());
    QApplication::processEvents();
    window_->Run(Command::CopyImage);
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(516, 516));
}

TEST_F(Window, TheSizeIsRememberedInTheSettings) {
    // Larger than the smallest, and still on the screen.
    const QSize larger = window_->minimumSize() + QSize(200, 50);
    window_->resize(larger);
    window_->close();
    const io::Settings written = io::ReadSettingsFile(window_->SettingsPath().toStdString());
    EXPECT_EQ(written.Width, larger.width());
    EXPECT_EQ(written.Height, larger.height());

    auto again = Make();
    EXPECT_EQ(again->size(), larger);
}

// A size in the settings far beyond any screen is cut to the screen before
// the window uses it, and written back so.
TEST_F(Window, AHugeSizeInTheSettingsIsCutToTheScreen) {
    window_->close();
    window_.reset();
    Write("VemoTarn.ini", "[Divers]\r\nWidth=100000\r\nHeight=2000000000\r\n");
    auto again = Make();
    const QSize room = again->screen()->availableGeometry().size().expandedTo(again->minimumSize());
    EXPECT_LE(again->width(), room.width());
    EXPECT_LE(again->height(), room.height());
    again->close();
    const io::Settings written = io::ReadSettingsFile(again->SettingsPath().toStdString());
    EXPECT_LE(written.Width, room.width());
    EXPECT_LE(written.Height, room.height());
}

TEST_F(Window, ASettingsFileWithoutTheSizeOpensForTheWholeBoardOrTheScreen) {
    window_->resize(window_->size() + QSize(300, 300));
    window_->close();
    window_.reset();
    Write("VemoTarn.ini", "[Divers]\r\nLangue=Français.lng\r\n");
    auto again = Make();
    // The board at its own 512 pixels, unless the screen is too low for it.
    const QRect free = again->screen()->availableGeometry();
    EXPECT_TRUE(free.contains(again->frameGeometry()));
    EXPECT_TRUE(again->Board()->width() == 512 || again->frameGeometry().height() == free.height());
    EXPECT_LE(again->Board()->width(), 512);
}

TEST_F(Window, CaptionWithoutMnemonicAndInTheLanguage) {
    window_->Run(Command::BlankGrid);
    for (int c = 0; c < 81; ++c) {
        if (kPuzzle[c] == '.') continue;
        GoTo(c);
        Digit(kPuzzle[c] - '0', Qt::NoModifier);
    }
    window_->Run(Command::Start);
    EXPECT_EQ(window_->windowTitle(), " Vemo Tarn :Nouveau");
    EXPECT_FALSE(window_->windowTitle().contains('&'));
    window_->Run(Command::English);
    EXPECT_EQ(window_->windowTitle(), " Vemo Tarn :New");
    window_->Run(Command::French);
    EXPECT_EQ(window_->windowTitle(), " Vemo Tarn :Nouveau");
}

TEST_F(Window, FileDialogTitlesWithoutMnemonic) {
    EXPECT_EQ(WithoutMnemonic(window_->Texts().Text(50)), "Ouvrir");
    EXPECT_EQ(WithoutMnemonic(window_->Texts().Text(49)), "Enregistrer Grille");
    EXPECT_EQ(WithoutMnemonic("Fish && Chips &Co"), "Fish & Chips Co");
}

// A standard button's text as Qt's own dialogs show it.
QString CancelText() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Cancel);
    return box.button(QMessageBox::Cancel)->text();
}

TEST_F(Window, QtDialogsSpeakTheInterfaceLanguage) {
    EXPECT_EQ(CancelText(), "Annuler");
    window_->Run(Command::English);
    EXPECT_EQ(CancelText(), "Cancel");
    window_->Run(Command::French);
    EXPECT_EQ(CancelText(), "Annuler");
}

// Each column at least as wide as the widest of its texts, as the delegate
// writes them (8 points, after their offset); only a text that carries itself
// whole as a tooltip (the cells of a long step without guessing) may be cut.
void ExpectColumnsFit(const QTableWidget& table, const char* which) {
    QFont font = table.font();
    font.setPointSize(8);
    const QFontMetrics metrics(font);
    for (int c = 0; c < table.columnCount(); ++c) {
        for (int r = 0; r < table.rowCount(); ++r) {
            const QTableWidgetItem* item = table.item(r, c);
            if (!item) continue;
            const int offset = item->data(Qt::UserRole + 2).toInt();
            if (table.columnWidth(c) < offset + metrics.horizontalAdvance(item->text())) {
                EXPECT_EQ(item->toolTip(), item->text())
                    << which << " column " << c << ": " << item->text().toStdString();
            }
        }
        if (const QTableWidgetItem* header = table.horizontalHeaderItem(c)) {
            EXPECT_GE(table.columnWidth(c),
                      table.horizontalHeader()->fontMetrics().horizontalAdvance(header->text()))
                << which << " header " << c;
        }
    }
    // And the table shows all its columns at the smallest window size.
    int width = 0;
    for (int c = 0; c < table.columnCount(); ++c) width += table.columnWidth(c);
    EXPECT_LE(width, table.viewport()->width())
        << which << " " << table.columnWidth(0) << " " << table.columnWidth(1) << " "
        << table.columnWidth(2) << " " << table.columnWidth(3) << " page "
        << table.parentWidget()->width();
}

TEST_F(Window, EveryColumnShowsItsWholeText) {
    for (const Command language : {Command::French, Command::English}) {
        window_->Run(language);
        Open(Write("p.sku", kPuzzle)); // an analysed puzzle fills the listing
        window_->Pages()->setCurrentIndex(kCharacteristicsPage);
        QApplication::processEvents();
        // With the steps without guessing below the logged ones, whose chains
        // name many cells.
        window_->Characteristics()->FinishAnalysis();
        ASSERT_TRUE(window_->Characteristics()->AnalysisShown());
        const QTableWidget& listing = *window_->Characteristics()->Listing();
        int guessFree = 0;
        for (int r = 0; r < listing.rowCount(); ++r)
            if (listing.item(r, 2) && !listing.item(r, 2)->toolTip().isEmpty()) ++guessFree;
        ASSERT_GT(guessFree, 0);
        ExpectColumnsFit(*window_->Characteristics()->TechniqueGrid(), "techniques");
        ExpectColumnsFit(*window_->Characteristics()->Listing(), "listing");
    }
}

TEST_F(Window, GenerateTooltipOnThreeLines) {
    const QString tip = window_->Action(Command::Generate)->toolTip();
    EXPECT_EQ(tip.count('\n'), 2) << tip.toStdString();
    EXPECT_FALSE(tip.contains('\r'));
}

TEST_F(Window, TooltipsOnLightCyan) {
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(224, 255, 255));
}

TEST_F(Window, InvalidPasteKeepsTheClock) {
    Open(Write("p.sku", kPuzzle));
    ASSERT_FALSE(Game().ClockText().isEmpty());
    QApplication::clipboard()->setText(QStringLiteral("garbage"));
    window_->Run(Command::Paste);
    EXPECT_EQ(Status(), window_->Texts().Text(513));
    EXPECT_FALSE(Game().ClockText().isEmpty());
    EXPECT_FALSE(window_->ClockPanel()->text().isEmpty());
}

TEST_F(Window, ExcludeItemReadable) {
    Open(Write("p.sku", kPuzzle));
    const int cell = FirstEmpty(); // in play, an empty cell's chooser offers "Exclure"
    BoardWidget& board = *window_->Board();
    QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, CellCentre(board, cell));
    ASSERT_TRUE(Game().CellChooser().visible);
    const int exclude = Game().CellChooser().excludeIndex;
    ASSERT_GT(exclude, 0);
    ChooserWidget& chooser = *window_->CellChooser();
    const QRect row = chooser.visualItemRect(chooser.item(exclude + 1));
    chooser.setCurrentRow(0); // the row not selected
    const QImage image = chooser.viewport()->grab().toImage();
    EXPECT_GE(InkContrast(image, row, QColor(194, 232, 255)), 4.5);
}

TEST_F(Window, WebLinkReadable) {
    AboutDialog& about = *window_->About();
    const LinkLabel& link = about.WebLink();
    const QColor ground = about.palette().color(QPalette::Window);
    EXPECT_GE(WcagContrast(link.palette().color(QPalette::WindowText), ground), 4.5);
}

TEST_F(Window, DistinctIconsEverywhere) {
    for (const Command c : {Command::BlankGrid, Command::Generate, Command::Start, Command::Hint,
                            Command::CompleteHint, Command::PlayHint, Command::Open, Command::Save,
                            Command::Undo, Command::Redo, Command::Print, Command::About}) {
        const QIcon icon = window_->Action(c)->icon();
        ASSERT_FALSE(icon.isNull()) << Index(c);
        // Drawn, sharp, at 1x and 2x.
        for (const qreal ratio : {1.0, 2.0}) {
            const QPixmap p = icon.pixmap(QSize(24, 24), ratio);
            EXPECT_EQ(p.width(), qRound(24 * ratio)) << Index(c);
        }
    }
    std::set<QByteArray> pictures;
    for (int button = 1; button <= 11; ++button) {
        const QImage image = window_->FilterButton(button)->icon().pixmap(24).toImage();
        ASSERT_FALSE(image.isNull()) << button;
        pictures.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(pictures.size(), 11u);
    for (const Command c : {Command::BlankGrid, Command::Generate, Command::Start, Command::Hint,
                            Command::CompleteHint, Command::PlayHint}) {
        const QImage image = window_->Action(c)->icon().pixmap(24).toImage();
        pictures.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(pictures.size(), 17u);
    EXPECT_FALSE(ApplicationIcon().pixmap(512).isNull());
}

// Plays hints until the next one is `technique`; false when it never comes.
bool PlayUntil(MainWindow& window, int technique) {
    Engine& e = window.Game().Game();
    for (int step = 0; step < 81 && e.FilledCount < 81; ++step) {
        e.HintTechnique = 0;
        Engine probe = e;
        probe.FindNextTechnique();
        if (probe.HintTechnique == technique) return true;
        if (probe.HintTechnique == 0) return false;
        window.Run(Command::PlayHint);
    }
    return false;
}

void ExpectChainsShown(MainWindow& window, const QString& file, int technique, int shades) {
    window.ChooseOpenPath = [file] { return file; };
    window.Run(Command::Open);
    ASSERT_TRUE(PlayUntil(window, technique)) << file.toStdString();
    window.Run(Command::CompleteHint);
    const Engine& e = window.Game().Game();
    ASSERT_EQ(e.HintTechnique, technique);
    const HintDisplay hint = DescribeHint(e);
    // The status text is the complete hint's, as before.
    EXPECT_EQ(window.Game().StatusMessage(),
              QString::fromStdString(CompleteHintText(
                  hint, TechniqueName(window.Texts(), hint.technique).toStdString(),
                  window.Texts().Text(536).toStdString())));
    const auto& marks = window.Game().Board().CellHighlight;
    std::array<int, kChainShades> counted{};
    int targets = 0;
    for (int c = 0; c < 81; ++c) {
        if (marks[c] == kHintCell) {
            ++targets;
            EXPECT_TRUE(e.CandidateTable.Has(c, hint.digits[0])) << c;
        }
        if (marks[c] >= kChainCell && marks[c] < kChainCell + kChainShades) {
            ++counted[marks[c] - kChainCell];
            EXPECT_TRUE(e.CandidateTable.Has(c, hint.digits[0])) << c;
        }
    }
    EXPECT_GT(targets, 0);
    for (int shade = 0; shade < kChainShades; ++shade) {
        // A wrap's false colour shows as the targets: its chain keeps one shade.
        if (shade < shades) {
            EXPECT_GE(counted[shade] + (shade % 2 == 1 ? targets : 0), 1) << shade;
        }
        if (shade >= shades) {
            EXPECT_EQ(counted[shade], 0) << shade;
        }
    }
    // Painted in their shades.
    for (int c = 0; c < 81; ++c) {
        if (marks[c] < kChainCell || marks[c] >= kChainCell + kChainShades) continue;
        const QImage picture = window.Board()->LogicalPicture();
        EXPECT_EQ(picture.pixelColor((c % 9) * kCellSize + 6, (c / 9) * kCellSize + 50),
                  QColor(LookOf(LookKind::Light).chainShades[marks[c] - kChainCell]));
        break;
    }
}

TEST_F(Window, ColouringHintShowsItsChain) {
    ExpectChainsShown(*window_, QStringLiteral(VEMO_SOURCE_DIR "/data/exemples/couleur1.sku"),
                      kColouring, 2);
}

TEST_F(Window, MultiColouringHintShowsBothChains) {
    ExpectChainsShown(*window_, QStringLiteral(VEMO_SOURCE_DIR "/data/exemples/multicouleur1.sku"),
                      kMultiColouring, 4);
}

} // namespace
} // namespace vemo::ui
