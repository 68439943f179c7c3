// Naked singles (a cell with one candidate) and hidden singles (a digit with one
// place left in a unit).
#include "../engine.h"

namespace vemo {

void Engine::FindNakedSingle() {
    const Bits81 singles = CandidateTable.SingleCells();
    if (singles == 0) {
        NakedSingle = {};
        return;
    }
    const int cell = FirstCell(singles);
    NakedSingle = {cell, CandidateTable.LowestDigit(cell)};
}

// Units in scan order: rows, columns, boxes, then (X-Sudoku) the two diagonals.
bool Engine::FindHiddenSingleOf(int digit) {
    const Bits81 places = CandidateTable.CellsWith(digit);
    if (places == 0) return false;
    const Grid& grid = Level();
    const auto holds = [&](const std::array<int, 9>& unit) {
        for (const int c : unit)
            if (grid[c] == digit) return true;
        return false;
    };
    const auto tryUnits = [&](const std::array<Bits81, 9>& masks, const UnitTable& units) {
        for (int u = 0; u < 9; ++u) {
            const Bits81 here = places & masks[u];
            if (here == 0 || (here & (here - 1)) != 0 || holds(units[u])) continue;
            HiddenSingle = {FirstCell(here), digit, 0};
            return true;
        }
        return false;
    };
    if (tryUnits(kRowMask, RowCells) || tryUnits(kColumnMask, ColumnCells) ||
        tryUnits(kBoxMask, BoxCells))
        return true;
    if (XSudoku == 1) {
        for (int k = 0; k < 2; ++k) {
            const Bits81 here = places & kDiagonalMask[k];
            if (here == 0 || (here & (here - 1)) != 0 || holds(Diagonals[k])) continue;
            HiddenSingle = {FirstCell(here), digit, 1};
            return true;
        }
    }
    return false;
}

void Engine::FindHiddenSingle() {
    HiddenSingle = {};
    for (int d = 1; d <= 9; ++d)
        if (FindHiddenSingleOf(d)) return;
}

} // namespace vemo
