// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The hint drawn on the board, offscreen: its colours against every cell
// ground of each look, when it comes and goes (a complete hint shows it; a
// move, a new hint or Esc takes it off), its scaling with the board and its
// place on the printed position.
#include "ui_window_fixture.h"

#include "engine/techniques/catalogue.h"
#include "print/hint_drawing_paint.h"
#include "print/print_layout.h"
#include "ui/board_painter.h"
#include "ui/look.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <tuple>
#include <vector>

namespace vemo::ui {
namespace {

// Every ground a cell can have in a look.
std::vector<QColor> CellGrounds(const Look& look) {
    std::vector<QColor> out = {QColor(look.emptyCell), QColor(look.playerCell),
                               QColor(look.givenCell), QColor(look.evenCell),
                               QColor(look.filterMark)};
    for (const QRgb shade : look.chainShades) out.emplace_back(shade);
    for (const int t : EveryHintTechnique()) out.push_back(HintCellColour(look, t));
    return out;
}

TEST(HintDrawingInk, ContrastOfThreeToOneWithEveryCellInEveryLook) {
    for (const LookKind kind : {LookKind::Light, LookKind::Dark, LookKind::HighContrast}) {
        const Look& look = LookOf(kind);
        const print::DrawingInk ink = HintDrawingInk(look);
        for (const QColor& ground : CellGrounds(look)) {
            for (const QColor& mark : {ink.link, ink.eliminated, ink.fin, ink.placed})
                EXPECT_GE(WcagContrast(mark, ground), 3.0)
                    << "look " << int(kind) << ": " << mark.name().toStdString() << " on "
                    << ground.name().toStdString();
        }
        // A placement's digit and a written candidate on the placement's ground.
        EXPECT_GE(WcagContrast(ink.placed, ink.ground), 3.0) << int(kind);
        EXPECT_GE(WcagContrast(ink.digit, ink.ground), 3.0) << int(kind);
    }
}

// The pixels of one colour in an image.
int PixelsOf(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
    return n;
}

class DrawnHint : public Window {
  protected:
    // The XY-Wing example, played by hints up to its XY-Wing.
    void OpenXYWing() {
        Open(QStringLiteral(VEMO_SOURCE_DIR "/data/exemples/XYwing1.sku"));
        for (int i = 0; i < 81 && E().FilledCount < 81; ++i) {
            Game().ShowHint();
            if (E().HintTechnique == kXYWing) break;
            window_->Run(Command::PlayHint);
        }
        ASSERT_EQ(E().HintTechnique, kXYWing);
    }
    const advanced::HintDrawing& Drawing() { return Game().Board().Drawing; }
};

// A link between two candidates along an edge of the grid curves inward:
// nothing of it is painted outside the grid, where the board would clip it.
// Each link runs so that a bend to the left of its direction would leave the
// grid: along the first row from right to left, down the first column, along
// the last row from left to right and up the last column.
TEST(HintDrawingPaint, ALinkAlongTheGridsEdgeStaysInsideIt) {
    constexpr double kCell = 40;
    constexpr double kMargin = 2 * kCell;
    const print::DrawingFrame frame{kMargin, kMargin, kCell};
    print::DrawingInk ink;
    ink.link = QColor(255, 0, 0);
    const QRectF grid(kMargin, kMargin, 9 * kCell, 9 * kCell);
    for (const auto& [from, to, digit] : std::vector<std::tuple<int, int, int>>{
             {8, 0, 2}, {2, 5, 2}, {0, 72, 4}, {9, 27, 4}, {72, 80, 8}, {80, 8, 6}}) {
        advanced::HintDrawing d;
        d.technique = advanced::kXChain;
        const int a = d.AddNode(CellBit(from), digit, advanced::NodeKind::kInvolved);
        const int b = d.AddNode(CellBit(to), digit, advanced::NodeKind::kInvolved);
        d.AddLink(a, b, advanced::Link::kStrong, true);
        QImage image(int(grid.width() + 2 * kMargin), int(grid.height() + 2 * kMargin),
                     QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            print::PaintHintDrawing(painter, d, frame, ink, false);
        }
        int inside = 0, outside = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() < 200 || c.green() > 160) continue; // not the link's ink
                if (grid.adjusted(-1, -1, 1, 1).contains(QPointF(x + 0.5, y + 0.5)))
                    ++inside;
                else
                    ++outside;
            }
        EXPECT_GT(inside, 0) << from << " to " << to;
        EXPECT_EQ(outside, 0) << from << " to " << to << " bends out of the grid";
    }
}

TEST_F(DrawnHint, CompleteHintDrawsTheChainAndAMoveANewHintOrEscTakeItOff) {
    OpenXYWing();
    EXPECT_TRUE(Drawing().Empty()); // the simple hint draws nothing
    window_->Run(Command::CompleteHint);
    ASSERT_FALSE(Drawing().Empty());
    EXPECT_EQ(Drawing().technique, kXYWing);
    // The XY-Wing as its chain: six candidates, five links, strong and weak in turn.
    ASSERT_EQ(Drawing().links.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(Drawing().links[i].kind,
                  i % 2 == 0 ? advanced::Link::kStrong : advanced::Link::kWeak);
    // Today's cell highlights stay beside it.
    int highlighted = 0;
    for (const int mark : Game().Board().CellHighlight) highlighted += mark == kHintCell;
    EXPECT_EQ(highlighted, 3);

    // The board shows it in the look's ink, and not once it is gone.
    const QColor ink = HintDrawingInk(CurrentLook()).link;
    window_->Board()->Redraw();
    EXPECT_GT(PixelsOf(window_->Board()->LogicalPicture(), ink), 20);

    Key(Qt::Key_Escape);
    EXPECT_TRUE(Drawing().Empty());
    EXPECT_EQ(PixelsOf(window_->Board()->LogicalPicture(), ink), 0);

    window_->Run(Command::CompleteHint);
    ASSERT_FALSE(Drawing().Empty());
    window_->Run(Command::Hint); // a new hint
    EXPECT_TRUE(Drawing().Empty());

    window_->Run(Command::CompleteHint);
    ASSERT_FALSE(Drawing().Empty());
    window_->Run(Command::PlayHint); // a move
    EXPECT_TRUE(Drawing().Empty());

    window_->Run(Command::CompleteHint);
    ASSERT_FALSE(Drawing().Empty());
    window_->Run(Command::Undo); // a move too
    EXPECT_TRUE(Drawing().Empty());

    // A digit typed in a cell.
    window_->Run(Command::CompleteHint);
    ASSERT_FALSE(Drawing().Empty());
    const int cell = FirstEmpty();
    GoTo(cell);
    EXPECT_FALSE(Drawing().Empty()); // moving the active cell is no move
    Digit(E().SolutionGrid[cell]);
    EXPECT_NE(E().CellGrid[0][cell], 0);
    EXPECT_TRUE(Drawing().Empty());
}

TEST_F(DrawnHint, TheWidgetTakesADrawingAndClearsIt) {
    OpenXYWing();
    window_->Run(Command::CompleteHint);
    const advanced::HintDrawing drawing = Drawing();
    window_->Board()->ClearHintDrawing();
    EXPECT_TRUE(Drawing().Empty());
    window_->Board()->SetHintDrawing(drawing);
    EXPECT_EQ(Drawing(), drawing);
}

TEST_F(DrawnHint, ItScalesWithTheBoard) {
    OpenXYWing();
    window_->Run(Command::CompleteHint);
    const QColor ink = HintDrawingInk(CurrentLook()).link;
    // The first candidate of the chain: its circle passes a radius from its
    // centre, at one size and at twice that size.
    const advanced::DrawnNode& node = Drawing().nodes.front();
    const int cell = FirstCell(node.cells);
    for (const int scale : {1, 2}) {
        QImage image(kPictureSize * scale, kPictureSize * scale, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(scale, scale);
        DrawBoardPicture(painter, E(), Game().Board(), CurrentLook());
        painter.end();
        const QPointF centre = print::CandidateCentre({0, 0, double(kCellSize)}, cell, node.digit);
        const double r = 0.122 * kCellSize;
        int onRing = 0;
        for (int k = 0; k < 16; ++k) {
            const double a = k * 3.14159265 / 8;
            const QPoint at((centre.x() + r * std::cos(a)) * scale,
                            (centre.y() + r * std::sin(a)) * scale);
            // The ring is anti-aliased: its darkest pixel near the point.
            bool dark = false;
            for (int dy = -scale; dy <= scale; ++dy)
                for (int dx = -scale; dx <= scale; ++dx) {
                    const QColor c = image.pixelColor(at + QPoint(dx, dy));
                    dark = dark || WcagContrast(c, ink) < 1.6;
                }
            onRing += dark;
        }
        EXPECT_GE(onRing, 12) << "scale " << scale;
    }
}

TEST_F(DrawnHint, ThePrintedPositionCarriesIt) {
    OpenXYWing();
    window_->Run(Command::CompleteHint);
    ASSERT_FALSE(Drawing().Empty());
    // The page painted as the printer gets it, with and without the drawing.
    const auto page = [&](const advanced::HintDrawing* drawing, print::PrintKind kind) {
        QImage image(1240, 1754, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        print::PaintSingleGrid(
            painter, image.width(), image.height(), 150, E(), kind,
            print::MakeTitleTexts(E(), [this](int id) { return window_->Texts().Text(id); }), {},
            drawing);
        painter.end();
        return image;
    };
    const print::DrawingInk ink;
    const QImage with = page(&Drawing(), print::PrintKind::kPosition);
    EXPECT_GT(PixelsOf(with, ink.link), 100);
    EXPECT_GT(PixelsOf(with, ink.eliminated), 10);
    EXPECT_EQ(PixelsOf(page(nullptr, print::PrintKind::kPosition), ink.link), 0);
    // Only the position carries it, not the puzzle or the solution.
    EXPECT_EQ(page(&Drawing(), print::PrintKind::kPuzzle),
              page(nullptr, print::PrintKind::kPuzzle));

    // Through the command: the PDF of the position differs with the drawing.
    const auto printed = [&](const QString& name) {
        const QString pdf = folder_.filePath(name);
        window_->ChoosePrinter = [pdf](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        window_->Run(Command::PrintPosition);
        QFile file(pdf);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().size();
    };
    const qint64 drawn = printed(QStringLiteral("drawn.pdf"));
    EXPECT_FALSE(Drawing().Empty()); // printing is no move
    Key(Qt::Key_Escape);
    const qint64 plain = printed(QStringLiteral("plain.pdf"));
    EXPECT_GT(drawn, plain);
}

} // namespace
} // namespace vemo::ui
