// The printed sheets, painted on images and PDF files.
#include "print/game_state.h"
#include "print/print_job.h"
#include "print/print_layout.h"
#include "test_support.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace vemo::print {
namespace {

const std::string kPuzzle =
    "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";

TEST(PrintGeometry, QuantitiesRoundHalvesToEven) {
    // One layout unit per pixel; (4677 - 3676) / 2 = 500.5 rounds to 500.
    GridGeometry g = SingleGridGeometry(4677, 4676);
    EXPECT_EQ(g.grid, 3676);
    EXPECT_EQ(g.left, 500);
    EXPECT_EQ(g.top, 500);
    EXPECT_EQ(g.cell, 408);
    EXPECT_EQ(g.inset, 30);
    EXPECT_EQ(g.boxLine, 12);
    EXPECT_EQ(g.outerFrame, 50);
    // A quarter: 7.5 and 12.5 round to 8 and 12.
    g = SingleGridGeometry(1169, 1169);
    EXPECT_EQ(g.grid, 919);
    EXPECT_EQ(g.inset, 8);
    EXPECT_EQ(g.outerFrame, 12);
    EXPECT_EQ(g.boxLine, 3);
    EXPECT_EQ(g.cell, 102);
}

TEST(PrintGeometry, TheShorterSideSetsTheGrid) {
    const GridGeometry landscape = SingleGridGeometry(2000, 1000);
    const GridGeometry portrait = SingleGridGeometry(1000, 2000);
    EXPECT_EQ(landscape.grid, 786); // 3676 × 1000 / 4676
    EXPECT_EQ(portrait.grid, 786);
    EXPECT_EQ(landscape.left, 607);
    EXPECT_EQ(landscape.top, 107);
    EXPECT_EQ(portrait.left, 107);
    EXPECT_EQ(portrait.top, 607);
}

TEST(PrintGeometry, FourGridsTwoByTwoWithEqualGaps) {
    // A4 portrait at 141 dpi.
    const GridGeometry g0 = FourGridGeometry(1169, 1654, 0);
    EXPECT_EQ(g0.grid, 511); // 919 / 1.8
    EXPECT_EQ(g0.cell, 57);
    EXPECT_EQ(g0.inset, 5);
    EXPECT_EQ(g0.left, 49);
    EXPECT_EQ(g0.top, 211);
    const GridGeometry g1 = FourGridGeometry(1169, 1654, 1);
    const GridGeometry g2 = FourGridGeometry(1169, 1654, 2);
    const GridGeometry g3 = FourGridGeometry(1169, 1654, 3);
    EXPECT_EQ(g1.left, 49 + 511 + 49);
    EXPECT_EQ(g1.top, 211);
    EXPECT_EQ(g2.left, 49);
    EXPECT_EQ(g2.top, 211 + 511 + 211);
    EXPECT_EQ(g3.left, g1.left);
    EXPECT_EQ(g3.top, g2.top);
    EXPECT_EQ(g3.left + g3.grid + 49, 1169); // the right-hand gap is the same
}

QString French(int id) {
    switch (id) {
    case 3:
        return "Grille";
    case 532:
        return "Score";
    case 533:
        return "Niveau";
    case 540:
        return "Type";
    case 59:
        return "Extrême";
    case 60:
        return "Difficile";
    case 61:
        return "Moyen";
    case 62:
        return "Facile";
    case 89:
        return "Classique";
    case 90:
        return "(Non) Consécutif";
    case 91:
        return " Consécutif";
    case 93:
        return "Pair/Impair";
    default:
        return {};
    }
}

TEST(PrintTitles, LevelAndVariantNames) {
    Engine e;
    e.TechniqueCounters[18] = 0;
    EXPECT_EQ(MakeTitleTexts(e, French).levelName, "");
    for (const auto& [score, name] :
         std::initializer_list<std::pair<int, const char*>>{{1, "Facile"},
                                                            {105, "Facile"},
                                                            {106, "Moyen"},
                                                            {319, "Moyen"},
                                                            {320, "Difficile"},
                                                            {649, "Difficile"},
                                                            {650, "Extrême"},
                                                            {9000, "Extrême"}}) {
        e.TechniqueCounters[18] = score;
        EXPECT_EQ(MakeTitleTexts(e, French).levelName, QString::fromUtf8(name)) << score;
    }
    e.VariantKind = kConsecutive;
    EXPECT_EQ(MakeTitleTexts(e, French).variantName, "Consécutif"); // leading blank removed
    e.VariantKind = kOddEven;
    EXPECT_EQ(MakeTitleTexts(e, French).variantName, "Pair/Impair");
}

// The puzzle with a placed digit and its solution, in a chosen variant.
Engine Game(int kind = kClassic, int x = 0) {
    Engine e;
    test::LoadPuzzle(e, kPuzzle, kind, x);
    e.SolutionGrid = test::GridFrom(
        "468931527751624839392578461134756298289413675675289314846192753513867942927345186");
    e.PlaceDigit(1, 6); // r1c2, a digit of the player
    return e;
}

QImage Page(const Engine& e, PrintKind kind, int side = 1169) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintSingleGrid(painter, side, side, 141, e, kind, MakeTitleTexts(e, French));
    return image;
}

QColor At(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

// On a 1169-pixel page: grid at 125, cells of 102, inset 8.
constexpr int kLeft = 125, kCell = 102, kInset = 8;
int CellX(int c) {
    return kLeft + (c % 9) * kCell;
}
int CellY(int c) {
    return kLeft + (c / 9) * kCell;
}
// A point inside the inner square, clear of the digit.
QPoint InnerCorner(int c) {
    return {CellX(c) + kInset + 2, CellY(c) + kInset + 2};
}

TEST(PrintPage, ColoursOfTheThreePrints) {
    const Engine e = Game();
    const QImage puzzle = Page(e, PrintKind::kPuzzle);
    const QImage position = Page(e, PrintKind::kPosition);
    const QImage solution = Page(e, PrintKind::kSolution);
    const QPoint given = InnerCorner(0), placed = InnerCorner(1), empty = InnerCorner(2);

    EXPECT_EQ(At(puzzle, given.x(), given.y()), QColor(198, 243, 251));
    EXPECT_EQ(At(position, given.x(), given.y()), QColor(198, 243, 251));
    EXPECT_EQ(At(solution, given.x(), given.y()), QColor(255, 255, 203));

    EXPECT_EQ(At(puzzle, placed.x(), placed.y()), QColor(224, 255, 255)); // the background
    EXPECT_EQ(At(position, placed.x(), placed.y()), QColor(217, 248, 253));
    EXPECT_EQ(At(solution, placed.x(), placed.y()), QColor(255, 255, 224));

    EXPECT_EQ(At(position, empty.x(), empty.y()), QColor(224, 255, 255));
    EXPECT_EQ(At(solution, empty.x(), empty.y()), QColor(255, 255, 224));

    // Given digits in black, the player's and the solution's in blue.
    const auto count = [](const QImage& image, int c, const QColor& colour) {
        int n = 0;
        for (int y = CellY(c) + kInset; y < CellY(c) + kCell - kInset; ++y)
            for (int x = CellX(c) + kInset; x < CellX(c) + kCell - kInset; ++x)
                n += image.pixelColor(x, y) == colour;
        return n;
    };
    EXPECT_GT(count(puzzle, 0, Qt::black), 20);
    EXPECT_GT(count(position, 1, QColor(0, 0, 255)), 20);
    EXPECT_EQ(count(puzzle, 1, QColor(0, 0, 255)), 0);
    EXPECT_GT(count(solution, 2, QColor(0, 0, 255)), 20);
}

TEST(PrintPage, LinesAndFrames) {
    const QImage page = Page(Game(), PrintKind::kPuzzle);
    const int middle = kLeft + kCell / 2; // between the inner squares of a row
    EXPECT_EQ(At(page, kLeft + 2 * kCell, CellY(2) + kCell / 2),
              QColor(120, 120, 120)); // cell line
    EXPECT_EQ(At(page, kLeft + 3 * kCell - 2, CellY(2) + kCell / 2), QColor(Qt::black)); // box line
    EXPECT_EQ(At(page, CellX(2) + kCell / 2, kLeft + 6 * kCell - 2), QColor(Qt::black));
    EXPECT_EQ(At(page, kLeft - 2, middle), QColor(Qt::black));       // inner frame
    EXPECT_EQ(At(page, kLeft - 12, middle), QColor(Qt::black));      // outer frame
    EXPECT_EQ(At(page, kLeft - 7, middle), QColor(Qt::white));       // between them
    EXPECT_EQ(At(page, kLeft + 919 + 1, middle), QColor(Qt::black)); // right-hand frame
    // No diagonal on a classic grid: the centre of r5c5 is background.
    EXPECT_EQ(At(page, kLeft + 919 / 2, kLeft + 919 / 2), QColor(224, 255, 255));
}

TEST(PrintPage, DiagonalsBarsAndEvenCells) {
    const QImage x = Page(Game(kClassic, 1), PrintKind::kSolution);
    EXPECT_EQ(At(x, kLeft + 460, kLeft + 460), QColor(Qt::black));
    EXPECT_EQ(At(x, kLeft + 919 - 460, kLeft + 460), QColor(Qt::black));

    Engine bars = Game(kConsecutive);
    bars.NeighbourMarks[2][1] = 1; // r1c3 - r1c4
    bars.NeighbourMarks[2][2] = 1; // r1c3 above r2c3
    bars.NeighbourMarks[2][0] = 2;
    for (const PrintKind kind : {PrintKind::kPuzzle, PrintKind::kPosition, PrintKind::kSolution}) {
        const QImage page = Page(bars, kind);
        EXPECT_EQ(At(page, CellX(2) + kCell - kInset + 1, CellY(2) + kCell / 2), QColor(Qt::black));
        EXPECT_EQ(At(page, CellX(2) + kCell + kInset - 1, CellY(2) + kCell / 2), QColor(Qt::black));
        EXPECT_EQ(At(page, CellX(2) + kCell / 2, CellY(2) + kCell + kInset - 1), QColor(Qt::black));
        // Outside the bar's length, the line between the cells shows again.
        EXPECT_NE(At(page, CellX(2) + kCell - kInset + 1, CellY(2) + kInset), QColor(Qt::black));
    }
    bars.VariantKind = kNonConsecutive; // the marks mean nothing there
    EXPECT_EQ(
        At(Page(bars, PrintKind::kPuzzle), CellX(2) + kCell - kInset + 1, CellY(2) + kCell / 2),
        QColor(224, 255, 255));

    Engine even = Game(kOddEven);
    even.ParityMarks[2] = 2;
    const QPoint p = InnerCorner(2);
    EXPECT_EQ(At(Page(even, PrintKind::kPuzzle), p.x(), p.y()), QColor(173, 223, 214));
    EXPECT_EQ(At(Page(even, PrintKind::kPosition), p.x(), p.y()), QColor(224, 255, 255));
}

// A4 in device pixels at `dpi`.
QSize A4(int dpi) {
    return {Round(210 / 25.4 * dpi), Round(297 / 25.4 * dpi)};
}

// The title lines' boxes lie on the page, apart from each other and clear of
// every grid's outer frame, and each is at least as tall as 16-point type.
void ExpectApart(const std::vector<QRect>& boxes, const std::vector<QRect>& frames,
                 const QSize& page, int dpi) {
    const int type = Round(16 * dpi / 72.0);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_GE(boxes[i].height(), type) << dpi;
        EXPECT_TRUE(QRect(QPoint(0, 0), page).contains(boxes[i])) << dpi << " box " << i;
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(boxes[i].intersects(boxes[j])) << dpi << " boxes " << i << ", " << j;
        for (const QRect& frame : frames)
            EXPECT_FALSE(boxes[i].intersects(frame)) << dpi << " box " << i;
    }
}

// Paints the page through `paint` onto an image of the region around the
// title boxes only (a whole page at 1200 dpi is half a gigabyte) and checks
// that the ink lies in the boxes and that every box has some.
template <typename Paint>
void ExpectInkInBoxes(const TitleBlock& block, const QRect& frame, int dpi, Paint paint) {
    const int margin = block.font.pixelSize();
    QRect region = block.boxes[0].united(block.boxes[1]).united(block.boxes[2]);
    region.adjust(-margin, -margin, margin, margin);
    region.setTop(std::max(0, region.top()));
    region.setBottom(std::min(region.bottom(), frame.top() - 1));
    QImage image(region.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.translate(-region.topLeft());
        paint(painter);
    }
    std::array<int, 3> ink{};
    int stray = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 255, 255)) continue;
            const QPoint at = QPoint(x, y) + region.topLeft();
            bool inside = false;
            for (int i = 0; i < 3; ++i)
                if (block.boxes[i].adjusted(-1, -1, 1, 1).contains(at)) {
                    ++ink[i];
                    inside = true;
                }
            if (!inside && stray == 0)
                ADD_FAILURE() << "ink at " << at.x() << "," << at.y() << " boxes "
                              << block.boxes[0].x() << "," << block.boxes[0].y() << " "
                              << block.boxes[0].width() << "x" << block.boxes[0].height();
            stray += !inside;
        }
    EXPECT_EQ(stray, 0) << dpi;
    for (int i = 0; i < 3; ++i) EXPECT_GT(ink[i], 10 * dpi / 300) << dpi << " line " << i;
}

TEST(PrintPage, SingleGridTitlesApartAtEveryResolution) {
    Engine e = Game(kConsecutive, 1);
    e.TechniqueCounters[18] = 320; // a score, so that the level line has a name
    const TitleTexts texts = MakeTitleTexts(e, French);
    for (const int dpi : {300, 600, 1200}) {
        const QSize page = A4(dpi);
        const TitleBlock block = SingleGridTitles(page.width(), page.height(), dpi, e, texts);
        const QRect frame = OuterFrame(SingleGridGeometry(page.width(), page.height()));
        ExpectApart({block.boxes.begin(), block.boxes.end()}, {frame}, page, dpi);
        // Top to bottom in their order, as the lines read.
        EXPECT_LT(block.boxes[0].top(), block.boxes[1].top());
        EXPECT_LT(block.boxes[1].top(), block.boxes[2].top());
        EXPECT_EQ(block.lines[0], "Type :  Consécutif");
        ExpectInkInBoxes(block, frame, dpi, [&](QPainter& painter) {
            PaintSingleGrid(painter, page.width(), page.height(), dpi, e, PrintKind::kPuzzle,
                            texts);
        });
    }
}

TEST(PrintPage, SheetTitlesApartAtEveryResolution) {
    Engine e = Game();
    e.TechniqueCounters[18] = 320;
    const TitleTexts texts = MakeTitleTexts(e, French);
    for (const int dpi : {300, 600, 1200}) {
        const QSize page = A4(dpi);
        std::vector<QRect> boxes, frames;
        for (int k = 0; k < 4; ++k) {
            const TitleBlock block = SheetGridTitles(page.width(), page.height(), dpi, k, e, texts);
            boxes.insert(boxes.end(), block.boxes.begin(), block.boxes.end());
            frames.push_back(OuterFrame(FourGridGeometry(page.width(), page.height(), k)));
        }
        ExpectApart(boxes, frames, page, dpi);
        // A lower grid's titles, painted, stay in their boxes.
        const TitleBlock lower = SheetGridTitles(page.width(), page.height(), dpi, 2, e, texts);
        ExpectInkInBoxes(lower, frames[2], dpi, [&](QPainter& painter) {
            PaintSheetGrid(painter, page.width(), page.height(), dpi, 2, e, texts);
        });
    }
}

TEST(PrintPage, PdfThroughThePrinter) {
    QTemporaryDir dir;
    const QString path = dir.filePath("grid.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const Engine e = Game(kConsecutive, 1);
    PrintSingleGridOn(printer, e, PrintKind::kSolution, MakeTitleTexts(e, French));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    EXPECT_GT(file.size(), 1000);
}

TEST(PrintPage, FourGridSheet) {
    // Each grid painted alone: on a page this coarse the fixed title offsets
    // of the lower grids reach into the upper ones.
    const int width = 1169, height = 1654;
    for (int k = 0; k < 4; ++k) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        Engine e = Game(k == 3 ? kOddEven : kClassic, k == 1 ? 1 : 0);
        e.ParityMarks[2] = 2;
        {
            QPainter painter(&image);
            PaintSheetGrid(painter, width, height, 141, k, e, MakeTitleTexts(e, French));
        }
        const GridGeometry g = FourGridGeometry(width, height, k);
        const auto at = [&](int c) {
            // The bottom-left corner of the inner square: clear of digit and diagonal.
            return image.pixelColor(g.left + (c % 9) * g.cell + g.inset + 2,
                                    g.top + (c / 9) * g.cell + g.cell - g.inset - 3);
        };
        EXPECT_EQ(at(0), QColor(198, 243, 251)) << k; // a given
        EXPECT_EQ(at(1), QColor(224, 255, 255)) << k; // no player's digit
        EXPECT_EQ(at(2), k == 3 ? QColor(173, 223, 214) : QColor(224, 255, 255)) << k; // even cell
        EXPECT_EQ(image.pixelColor(g.left + g.grid / 2, g.top + g.grid / 2),
                  k == 1 ? QColor(Qt::black) : QColor(224, 255, 255))
            << k; // the diagonals of the X grid
        // Nothing drawn on another grid's place.
        const GridGeometry other = FourGridGeometry(width, height, 3 - k);
        EXPECT_EQ(image.pixelColor(other.left + other.grid / 2, other.top + other.grid / 2),
                  QColor(Qt::white));
    }
}

TEST(GameState, FourGenerationsLeaveTheSavedGameExactly) {
    Engine e = Game(kConsecutive, 1);
    e.NeighbourMarks[2][1] = 1;
    e.NeighbourMarks[2][0] = 1;
    e.PuzzleFixed = true;
    e.AnalysePuzzle();
    e.CandidateTable.Remove(2, 5); // a candidate the player removed
    const Engine before = e;
    const GameState saved = SaveGameState(e);
    for (int k = 0; k < 4; ++k) {
        e.Rng.Seed(70 + k);
        e.SetDifficulty(1);
        e.VariantKind = kOddEven; // the menus chose another type for the sheet
        e.XSudoku = 0;
        ASSERT_TRUE(e.GeneratePuzzle());
    }
    RestoreGameState(saved, e);
    EXPECT_EQ(test::TextOf(e.CellGrid[0]), test::TextOf(before.CellGrid[0]));
    EXPECT_EQ(test::TextOf(e.Givens), test::TextOf(before.Givens));
    EXPECT_EQ(test::TextOf(e.SolutionGrid), test::TextOf(before.SolutionGrid));
    for (int c = 0; c < 81; ++c)
        EXPECT_EQ(test::CandidateString(e, c), test::CandidateString(before, c));
    EXPECT_EQ(e.NeighbourMarks, before.NeighbourMarks);
    EXPECT_EQ(e.ParityMarks, before.ParityMarks);
    EXPECT_EQ(e.TechniqueCounters, before.TechniqueCounters);
    EXPECT_EQ(e.StepCount, before.StepCount);
    for (int n = 1; n < e.StepCount; ++n)
        EXPECT_EQ(e.StepLog[n].record.Flatten(), before.StepLog[n].record.Flatten());
    EXPECT_EQ(e.RatingDone, before.RatingDone);
    EXPECT_EQ(e.FilledCount, before.FilledCount);
    EXPECT_EQ(e.VariantKind, kConsecutive);
    EXPECT_EQ(e.XSudoku, 1);
    EXPECT_EQ(e.HistoryLevel, 0);
}

// A4 at 300 dpi in both orientations, every kind and X, all three prints:
// the grid's side and centring, a box line, a bar, the even square on the
// puzzle print only, the diagonals.
TEST(PrintPage, EveryVariantOnA4InBothOrientations) {
    for (const auto& [width, height] : {std::pair{2480, 3508}, std::pair{3508, 2480}}) {
        const GridGeometry g = SingleGridGeometry(width, height);
        ASSERT_EQ(g.grid, 1950); // 3676 x 2480 / 4676, the shorter side
        ASSERT_EQ(g.left, Round((width - 1950) / 2.0));
        ASSERT_EQ(g.top, Round((height - 1950) / 2.0));
        for (const int kind : {kClassic, kNonConsecutive, kConsecutive, kOddEven}) {
            for (const int x : {0, 1}) {
                Engine e = Game(kind, x);
                e.NeighbourMarks[2][1] = e.NeighbourMarks[3][3] = 1;
                e.NeighbourMarks[2][0] = e.NeighbourMarks[3][0] = 1;
                e.ParityMarks[5] = 2;
                for (const PrintKind print :
                     {PrintKind::kPuzzle, PrintKind::kPosition, PrintKind::kSolution}) {
                    QImage image(width, height, QImage::Format_RGB32);
                    image.fill(Qt::white);
                    {
                        QPainter painter(&image);
                        PaintSingleGrid(painter, width, height, 300, e, print,
                                        MakeTitleTexts(e, French));
                    }
                    const auto at = [&](int px, int py) {
                        return image.pixelColor(g.left + px, g.top + py);
                    };
                    const int cell = g.cell, inset = g.inset;
                    // Frames just outside the grid on all four sides.
                    EXPECT_EQ(at(-2, g.grid / 3 + 5), QColor(Qt::black));
                    EXPECT_EQ(at(g.grid + 1, g.grid / 3 + 5), QColor(Qt::black));
                    // The box line between columns 3 and 4, in row 5 away from the diagonals.
                    EXPECT_EQ(at(3 * cell - Round(g.boxLine / 2.0), 4 * cell + inset / 2),
                              QColor(Qt::black));
                    // The bar between r1c3 and r1c4 on consecutive grids only.
                    const QColor bar = at(3 * cell - inset + 1, cell / 2);
                    EXPECT_EQ(bar == QColor(Qt::black), kind == kConsecutive) << kind << x;
                    // r1c6 is empty: shaded even on the odd/even puzzle print only.
                    const QColor even = at(5 * cell + inset + 2, cell - inset - 3);
                    EXPECT_EQ(even == QColor(173, 223, 214),
                              kind == kOddEven && print == PrintKind::kPuzzle)
                        << kind << x << int(print);
                    // The diagonals cross at the centre of the grid.
                    EXPECT_EQ(at(g.grid / 2, g.grid / 2) == QColor(Qt::black), x == 1);
                }
            }
        }
    }
}

} // namespace
} // namespace vemo::print

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
