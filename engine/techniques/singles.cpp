// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
// The places of the digit are cut into three 27-bit bands (three rows each), so
// that every row, column and box test is a 32-bit mask and population count.
bool Engine::FindHiddenSingleOf(int digit) {
    const Bits81 places = CandidateTable.CellsWith(digit);
    if (places == 0) return false;
    // Without a lone place in any unit there is nothing to find, whatever the
    // grid holds; the places alone decide that.
    memo_.Variant(XSudoku);
    if (memo_.hiddenSingle.Nothing(digit, places)) return false;
    const Grid& grid = Level();
    const auto holds = [&](const std::array<int, 9>& unit) {
        for (const int c : unit)
            if (grid[c] == digit) return true;
        return false;
    };
    const auto report = [&](int cell, int diagonal) {
        HiddenSingle = {cell, digit, diagonal};
        return true;
    };
    bool lone = false;
    constexpr std::uint32_t kBand = (1u << 27) - 1;
    const std::array<std::uint32_t, 3> band = {static_cast<std::uint32_t>(places) & kBand,
                                               static_cast<std::uint32_t>(places >> 27) & kBand,
                                               static_cast<std::uint32_t>(places >> 54) & kBand};
    const auto alone = [](std::uint32_t x) { return x != 0 && (x & (x - 1)) == 0; };

    for (int r = 0; r < 9; ++r) {
        const std::uint32_t row = (band[r / 3] >> (9 * (r % 3))) & 0x1FF;
        if (!alone(row)) continue;
        if (!holds(RowCells[r])) return report(r * 9 + std::countr_zero(row), 0);
        lone = true;
    }
    // Columns with exactly one place: fold the nine rows.
    std::uint32_t once = 0, twice = 0;
    for (int r = 0; r < 9; ++r) {
        const std::uint32_t row = (band[r / 3] >> (9 * (r % 3))) & 0x1FF;
        twice |= once & row;
        once |= row;
    }
    for (std::uint32_t columns = once & ~twice; columns != 0; columns &= columns - 1) {
        const int c = std::countr_zero(columns);
        if (!holds(ColumnCells[c])) return report(FirstCell(places & kColumnMask[c]), 0);
        lone = true;
    }
    for (int b = 0; b < 9; ++b) {
        constexpr std::uint32_t kBoxInBand = 0x7u | (0x7u << 9) | (0x7u << 18);
        const std::uint32_t box = band[b / 3] & (kBoxInBand << (3 * (b % 3)));
        if (!alone(box)) continue;
        if (!holds(BoxCells[b])) return report(FirstCell(places & kBoxMask[b]), 0);
        lone = true;
    }
    if (XSudoku == 1) {
        for (int k = 0; k < 2; ++k) {
            const Bits81 here = places & kDiagonalMask[k];
            if (here == 0 || (here & (here - 1)) != 0) continue;
            if (!holds(Diagonals[k])) return report(FirstCell(here), 1);
            lone = true;
        }
    }
    if (!lone) memo_.hiddenSingle.SetNothing(digit, places);
    return false;
}

void Engine::FindHiddenSingle() {
    HiddenSingle = {};
    for (int d = 1; d <= 9; ++d)
        if (FindHiddenSingleOf(d)) return;
}

} // namespace vemo
