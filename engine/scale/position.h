// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The working position of the scale rater, and what its finders share.
#pragma once

#include "scale.h"

#include <array>
#include <bit>
#include <cstdint>

namespace vemo::scale {

inline int Bit(int digit) {
    return 1 << (digit - 1);
}
inline int Count(unsigned mask) {
    return std::popcount(mask);
}
// Lowest digit of a non-empty mask.
inline int FirstDigit(unsigned mask) {
    return std::countr_zero(mask) + 1;
}

struct Position {
    std::array<std::uint16_t, 81> mask{};
    std::array<std::int8_t, 81> value{};
    std::array<Bits81, 9> places{};
    Bits81 empty = 0;

    bool Has(int cell, int digit) const { return ((mask[cell] >> (digit - 1)) & 1) != 0; }
    Bits81 Places(int digit) const { return places[digit - 1]; }
    void Remove(int cell, int digit) {
        mask[cell] = static_cast<std::uint16_t>(mask[cell] & ~Bit(digit));
        places[digit - 1] &= ~CellBit(cell);
    }
};

// The rules of the grid as the rater reads them.
struct Rules {
    const advanced::Board* board = nullptr;
    // Units in the rater's scan order: boxes, rows, columns, then diagonals;
    // the numbers are the board's.
    std::array<int, advanced::kMaxUnits> order{};
    int unitCount = 27;
    // The units of a cell in the same order: box, row, column, diagonals.
    std::array<std::array<std::int8_t, 5>, 81> cellUnits{};
    std::array<std::int8_t, 81> cellUnitCount{};
    // Uniqueness arguments: classic grids only (a swap of two digits breaks
    // the diagonals, the bars and the parity marks).
    bool uniqueness = false;

    const Bits81& Unit(int u) const { return board->unit[u]; }
    static bool IsBox(int u) { return u >= 18 && u < 27; }
    static bool IsRow(int u) { return u < 9; }
    static bool IsColumn(int u) { return u >= 9 && u < 18; }
    bool HasBars(int cell) const {
        const auto& b = board->bars[cell];
        return b[1] >= 0 || b[2] >= 0 || b[3] >= 0 || b[4] >= 0;
    }
};

Rules MakeRules(const advanced::Board& board);
Position MakePosition(const advanced::Board& board);

// Places digit in cell and takes out what it rules out.
void Place(const Rules& rules, Position& pos, int cell, int digit);
// Applies a step: its placement, then its eliminations.
void ApplyScaleStep(const Rules& rules, Position& pos, const ScaleStep& step);

// The cells holding `digit` that `digit` in `cell` rules out, by the units;
// the bars are read apart by Sees().
inline Bits81 SameDigitPeers(const Rules& rules, const Position& pos, int cell, int digit) {
    return rules.board->peers[cell] & pos.Places(digit);
}
// The cells that see every cell of `cells` for `digit` (by the units).
inline Bits81 CommonPeers(const Rules& rules, const Position& pos, Bits81 cells, int digit) {
    Bits81 common = pos.Places(digit) & ~cells;
    ForEachCell(cells, [&](int c) { common &= rules.board->peers[c]; });
    return common;
}

// The simple techniques. Each calls emit(step) for every step it finds, in its
// scan order, and stops when emit returns true. Return: true when stopped.
using Emit = std::function<bool(const ScaleStep&)>;
bool FindFullHouse(const Rules& rules, const Position& pos, const Emit& emit);
bool FindHiddenSingles(const Rules& rules, const Position& pos, const Emit& emit);
bool FindNakedSingles(const Rules& rules, const Position& pos, const Emit& emit);
// Locked candidates; `direct` keeps only those that leave a hidden single of the
// digit, as a placement.
bool FindLocked(const Rules& rules, const Position& pos, bool pointing, bool direct,
                const Emit& emit);
bool FindNakedSubset(const Rules& rules, const Position& pos, int size, const Emit& emit);
bool FindHiddenSubset(const Rules& rules, const Position& pos, int size, bool direct,
                      const Emit& emit);
bool FindFish(const Rules& rules, const Position& pos, int size, const Emit& emit);
bool FindStrongLinks(const Rules& rules, const Position& pos, int links, const Emit& emit);
// Wings of `size` cells holding `size` digits; for three cells, `largest` 2 is
// the XY-Wing and 3 the XYZ-Wing (0 takes any).
bool FindWing(const Rules& rules, const Position& pos, int size, int largest, const Emit& emit);
bool FindUniqueRectangles(const Rules& rules, const Position& pos, const Emit& emit);
bool FindBug(const Rules& rules, const Position& pos, const Emit& emit);
bool FindAlignedExclusion(const Rules& rules, const Position& pos, int size, const Emit& emit);

// The length increment of a chain of this complexity, in tenths.
int LengthIncrement(int complexity);

} // namespace vemo::scale
