// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board.h"

#include "../engine.h"

namespace vemo::advanced {

namespace {

bool BarRules(int variant) {
    return variant == kNonConsecutive || variant == kConsecutive;
}

} // namespace

Board TakeBoard(const Engine& engine) {
    Board b;
    const Grid& grid = engine.CellGrid[0];
    for (int d = 1; d <= 9; ++d) b.places[d - 1] = engine.CandidateTable.CellsWith(d);
    for (int c = 0; c < kCells; ++c) {
        b.value[c] = static_cast<std::int8_t>(grid[c]);
        b.mask[c] = grid[c] != 0 ? 0 : static_cast<std::uint16_t>(engine.CandidateTable.Mask(c));
        if (grid[c] != 0)
            for (auto& set : b.places) set &= ~CellBit(c);
    }
    for (int u = 0; u < 9; ++u) {
        b.unit[u] = kRowMask[u];
        b.unit[9 + u] = kColumnMask[u];
        b.unit[18 + u] = kBoxMask[u];
    }
    b.xSudoku = engine.XSudoku != 0;
    b.unitCount = b.xSudoku ? 29 : 27;
    if (b.xSudoku) {
        b.unit[27] = kDiagonalMask[0];
        b.unit[28] = kDiagonalMask[1];
    }
    for (int c = 0; c < kCells; ++c) {
        b.cellUnits[c] = {CellUnits[c][0], 9 + CellUnits[c][1], 18 + CellUnits[c][2]};
        Bits81 peers = kPeers[c];
        for (int u = 27; u < b.unitCount; ++u)
            if (HasCell(b.unit[u], c)) peers |= b.unit[u];
        b.peers[c] = peers & ~CellBit(c);
    }
    b.variant = engine.VariantKind;
    for (int c = 0; c < kCells; ++c) {
        b.bars[c][0] = 0;
        for (int k = 1; k <= 4; ++k)
            b.bars[c][k] = BarRules(b.variant)
                               ? static_cast<std::int8_t>(engine.NeighbourMarks[c][k])
                               : std::int8_t{-1};
    }
    // Swapping two digits everywhere keeps rows, columns and boxes; a bar or
    // a parity mark can tell the two digits apart, so no uniqueness argument
    // holds there. The diagonals are checked rectangle by rectangle.
    b.uniquenessAllowed = engine.VariantKind == kClassic;
    return b;
}

bool SameRules(const Board& a, const Board& b) {
    return a.variant == b.variant && a.xSudoku == b.xSudoku && a.bars == b.bars;
}

Bits81 Board::CommonPeers(Bits81 cells, int digit) const {
    Bits81 common = places[digit - 1] & ~cells;
    ForEachCell(cells, [&](int c) { common &= RuledOut(c, digit, digit); });
    return common;
}

} // namespace vemo::advanced
