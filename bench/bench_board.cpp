// One full board drawing, as after every mouse move: a puzzle in play with all
// candidates shown, hint and filter marks, bars and diagonals.
#include "engine/engine.h"
#include "ui/board_painter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

vemo::Engine Puzzle(int variant, int x) {
    vemo::Engine e;
    const char* text =
        "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";
    e.VariantKind = variant;
    e.XSudoku = x;
    for (int c = 0; c < 81; ++c) e.CellGrid[0][c] = text[c] == '.' ? 0 : text[c] - '0';
    e.Givens = e.CellGrid[0];
    e.ValidityGrid = e.CellGrid[0];
    e.CheckValidity();
    for (int c = 0; c < 81; c += 7) e.NeighbourMarks[c][1] = 1;
    return e;
}

// range(0): the variant; range(1): the side of the drawn board in device
// pixels, the 512 x 512 picture scaled to it (512 x 2: a 2x screen; 1000: an
// enlarged window).
void DrawBoard(benchmark::State& state) {
    const vemo::Engine e = Puzzle(static_cast<int>(state.range(0)), 1);
    const int side = static_cast<int>(state.range(1));
    const qreal ratio = side / 512.0;
    vemo::ui::BoardState board;
    board.CandidateDisplay = vemo::ui::kShowAllCandidates;
    board.ActiveCellShown = 1;
    for (int c = 0; c < 81; c += 5) board.CellHighlight[c] = vemo::ui::kFilteredCell;
    QImage image(side, side, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        vemo::ui::DrawBoardPicture(painter, e, board);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(DrawBoard)
    ->Args({vemo::kClassic, 512})
    ->Args({vemo::kConsecutive, 512})
    ->Args({vemo::kClassic, 1024})
    ->Args({vemo::kClassic, 1000})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
