// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine.h"

namespace vemo {

namespace {

constexpr unsigned kOddDigits = 0b101010101;  // 1, 3, 5, 7, 9 as bits d-1
constexpr unsigned kEvenDigits = 0b010101010; // 2, 4, 6, 8

bool ConsecutiveRules(int variantKind) {
    return variantKind == kNonConsecutive || variantKind == kConsecutive;
}

} // namespace

// Removes digit d, just placed in cell x, from every cell that x sees: its row,
// column and box; its diagonals in X-Sudoku; its neighbours under the bar rules.
void Engine::RemoveSeenBy(Candidates& table, int x, int d) const {
    Bits81& cellsOfDigit = table.CellsWith(d);
    cellsOfDigit &= ~kPeers[x];
    if (XSudoku == 1) {
        if (OnMainDiagonal(x)) cellsOfDigit &= ~kDiagonalMask[0];
        if (OnAntiDiagonal(x)) cellsOfDigit &= ~kDiagonalMask[1];
    }
    if (!ConsecutiveRules(VariantKind)) return;
    for (int k = 1; k <= 4; ++k) {
        const int mark = NeighbourMarks[x][k];
        const int n = x + NeighbourOffsets[k];
        if (mark == -1 || n < 0 || n >= kCells) continue;
        if (mark == 0) {
            if (d < 9) table.Remove(n, d + 1);
            if (d > 1) table.Remove(n, d - 1);
        } else if (mark == 1) {
            unsigned keep = 0;
            if (d > 1) keep |= 1u << (d - 2);
            if (d < 9) keep |= 1u << d;
            table.KeepOnly(n, keep);
        }
    }
}

void Engine::ComputeCandidates() {
    CandidateTable = RulesCandidates();
    FilledCount = Level().FilledCount();
}

Candidates Engine::RulesCandidates() const {
    Candidates table;
    const Grid& grid = Level();
    const Bits81 filled = grid.FilledCells();

    // Which rows, columns, boxes and diagonals already hold each digit.
    std::array<unsigned, 16> rows{}, columns{}, boxes{}, diagonals{};
    ForEachCell(filled, [&](int c) {
        const int d = grid[c];
        if (d > 9) return;
        rows[d] |= 1u << CellUnits[c][0];
        columns[d] |= 1u << CellUnits[c][1];
        boxes[d] |= 1u << CellUnits[c][2];
        if (OnMainDiagonal(c)) diagonals[d] |= 1u;
        if (OnAntiDiagonal(c)) diagonals[d] |= 2u;
    });

    const Bits81 empty = kAllCells & ~filled;
    for (int d = 1; d <= 9; ++d) {
        Bits81 cells =
            empty & ~(kRowUnions[rows[d]] | kColumnUnions[columns[d]] | kBoxUnions[boxes[d]]);
        if (XSudoku == 1) {
            if (diagonals[d] & 1u) cells &= ~kDiagonalMask[0];
            if (diagonals[d] & 2u) cells &= ~kDiagonalMask[1];
        }
        table.CellsWith(d) = cells;
    }

    if (ConsecutiveRules(VariantKind)) {
        // The bar rules only ever remove flags, so applying them after the unit
        // rules gives the same table as applying them cell by cell.
        ForEachCell(filled, [&](int c) {
            if (grid[c] <= 9) RemoveSeenBy(table, c, grid[c]);
        });
    }
    if (VariantKind > 0) ApplyVariantPostPassTo(table);
    return table;
}

void Engine::ApplyVariantPostPass() {
    ApplyVariantPostPassTo(CandidateTable);
}

void Engine::ApplyVariantPostPassTo(Candidates& table) const {
    const bool parityKnown = PuzzleFixed || Generating;
    for (int c = 0; c < kCells; ++c) {
        if (ConsecutiveRules(VariantKind)) {
            // Three bars around a 1 or a 9 would force two neighbours in one line to
            // the same digit.
            if (NeighbourMarks[c][0] > 2) {
                table.Remove(c, 1);
                table.Remove(c, 9);
            }
        } else if (VariantKind == kOddEven) {
            if (ParityMarks[c] == 2)
                table.KeepOnly(c, kEvenDigits);
            else if (ParityMarks[c] == 1 && parityKnown)
                table.KeepOnly(c, kOddDigits);
        }
    }
}

void Engine::PlaceDigit(int cell, int digit) {
    if (cell < 0 || cell >= kCells || digit < 1 || digit > 9) return;
    Level()[cell] = static_cast<std::uint8_t>(digit);
    ++FilledCount;
    CandidateTable.ClearCell(cell);
    RemoveSeenBy(CandidateTable, cell, digit);
}

namespace {

bool Repeats(const Grid& grid, const std::array<int, 9>& unit) {
    unsigned seen = 0;
    for (const int c : unit) {
        const int v = grid[c];
        if (v < 1 || v > 9) continue;
        if (seen & (1u << v)) return true;
        seen |= 1u << v;
    }
    return false;
}

} // namespace

// A digit twice in a row, column or box.
bool Engine::LinesRepeat(const Grid& grid) const {
    // The digits each row, column and box has shown so far, filled cells only.
    std::array<unsigned, 9> rows{}, columns{}, boxes{};
    bool repeat = false;
    ForEachCell(grid.FilledCells(), [&](int c) {
        const int v = grid[c];
        if (v > 9 || repeat) return;
        const unsigned bit = 1u << v;
        const auto& units = CellUnits[c];
        repeat = ((rows[units[0]] | columns[units[1]] | boxes[units[2]]) & bit) != 0;
        rows[units[0]] |= bit;
        columns[units[1]] |= bit;
        boxes[units[2]] |= bit;
    });
    return repeat;
}

// Two filled neighbours against their bar, or a filled cell against its parity
// mark. As for the candidates, a mark of 1 only means odd once the parity is
// known (a fixed puzzle, or generation); during hand entry the cell is merely
// not marked yet.
bool Engine::MarksContradicted(const Grid& grid) const {
    if (ConsecutiveRules(VariantKind)) {
        for (int c = 0; c < kCells; ++c) {
            if (grid[c] < 1 || grid[c] > 9) continue;
            // Right and down: every pair of neighbours once.
            for (const int k : {1, 2}) {
                const int mark = NeighbourMarks[c][k];
                const int n = c + NeighbourOffsets[k];
                if (mark == -1 || n >= kCells || (k == 1 && c % 9 == 8)) continue;
                if (grid[n] < 1 || grid[n] > 9) continue;
                const bool consecutive = grid[n] == grid[c] + 1 || grid[n] + 1 == grid[c];
                if (consecutive != (mark == 1)) return true;
            }
        }
    } else if (VariantKind == kOddEven) {
        const bool parityKnown = PuzzleFixed || Generating;
        for (int c = 0; c < kCells; ++c) {
            if (grid[c] < 1 || grid[c] > 9) continue;
            const bool even = grid[c] % 2 == 0;
            if ((ParityMarks[c] == 2 && !even) || (ParityMarks[c] == 1 && even && parityKnown))
                return true;
        }
    }
    return false;
}

bool Engine::BreaksRules() const {
    const Grid& grid = Level();
    if (LinesRepeat(grid) || MarksContradicted(grid)) return true;
    return XSudoku == 1 && (Repeats(grid, MainDiagonal) || Repeats(grid, AntiDiagonal));
}

void Engine::CheckValidity() {
    ComputeCandidates();
    ValidityStatus = 0;

    if (LinesRepeat(ValidityGrid) || MarksContradicted(ValidityGrid)) {
        ValidityStatus = 1;
        return;
    }

    if (ValidityGrid.FilledCount() < 17 && VariantKind == kClassic) ValidityStatus = 2;

    const Grid& grid = Level();
    const Bits81 filled = grid.FilledCells();
    if ((kAllCells & ~filled & ~CandidateTable.AnyCells()) != 0) ValidityStatus = 3;

    // Every digit needs a place, given or possible, in every row, column and box.
    std::array<Bits81, 10> holding{};
    ForEachCell(filled, [&](int c) {
        if (grid[c] <= 9) holding[grid[c]] |= CellBit(c);
    });
    for (int i = 0; i < 9; ++i) {
        for (int d = 1; d <= 9; ++d) {
            const Bits81 places = holding[d] | CandidateTable.CellsWith(d);
            if ((places & kRowMask[i]) == 0 || (places & kColumnMask[i]) == 0 ||
                (places & kBoxMask[i]) == 0) {
                ValidityStatus = 3;
                return;
            }
        }
    }
}

} // namespace vemo
