// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the finders remember from one call to the next. A solving driver calls
// the chain of finders once per step, and a step changes only a few
// candidates, so most of what a finder worked out at the last step still holds.
// Every entry is tied to the candidates it was worked out from (the places
// themselves, or a unit's version, which changes with the unit's candidates)
// and is used only while they are the same: whoever changed the table and
// however, an entry can never be used for other candidates than its own.
#pragma once

#include "../bits.h"
#include "../candidates.h"
#include "../tables.h"

#include <array>
#include <cstdint>

namespace vemo {

// The units of the subset finders in their scan order: rows, columns, boxes,
// then the two diagonals (pairs in X-Sudoku only). unitType/unit are what a
// subset result records.
struct ScanUnit {
    int unitType;
    int unit;
    std::array<int, 9> cells;
};

inline constexpr int kMemoUnits = 29;

inline constexpr std::array<ScanUnit, kMemoUnits> kScanUnits = [] {
    std::array<ScanUnit, kMemoUnits> t{};
    for (int u = 0; u < 9; ++u) {
        t[u] = {0, u, RowCells[u]};
        t[9 + u] = {1, u, ColumnCells[u]};
        t[18 + u] = {2, u, BoxCells[u]};
    }
    t[27] = {3, 1, MainDiagonal};
    t[28] = {3, 2, AntiDiagonal};
    return t;
}();

// Per digit, the places for which a finder found nothing for that digit; the
// finder skips the digit while its places stay the same.
struct DigitMemo {
    std::array<Bits81, 9> places{};
    unsigned known = 0; // bit d-1: places[d-1] holds a finding of nothing

    bool Nothing(int digit, Bits81 now) const {
        return (known >> (digit - 1) & 1) != 0 && places[digit - 1] == now;
    }
    void SetNothing(int digit, Bits81 now) {
        places[digit - 1] = now;
        known |= 1u << (digit - 1);
    }
};

struct FinderMemo {
    // The candidate masks of the cells (bit d-1 for digit d) for `table`, and
    // per unit a version that changes whenever the unit's candidates differ
    // from those of the refresh before.
    Candidates table{};
    bool masksKnown = false;
    std::array<std::uint16_t, 81> masks{};
    std::array<std::uint64_t, kMemoUnits> unitVersions{};
    // Brings the masks and the unit versions up to date with `now`.
    void RefreshMasks(const Candidates& now);

    // The first report of a subset finder in one unit, worked out at the
    // unit's version `version`; [form][size - 2][unit].
    struct UnitSubset {
        std::uint64_t version = 0;
        bool known = false;
        bool found = false;
        std::uint16_t digits = 0;
        std::array<std::int8_t, 4> cells{}; // positions in the unit
    };
    std::array<std::array<std::array<UnitSubset, kMemoUnits>, 3>, 2> subsets{};

    // Findings of nothing per digit.
    DigitMemo colouring;
    DigitMemo xWing;
    DigitMemo swordfish;
    // Hidden single: a digit without a lone place in any unit. Locked
    // candidates: nothing found for the digit. Both depend on X-Sudoku as well,
    // which `x` remembers; another value forgets them.
    DigitMemo hiddenSingle;
    DigitMemo locked;
    int x = 0;
    void Variant(int xSudoku) {
        if (xSudoku == x) return;
        x = xSudoku;
        hiddenSingle.known = 0;
        locked.known = 0;
    }
};

} // namespace vemo
