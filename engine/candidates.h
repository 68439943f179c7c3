// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The candidate table: for every digit, the set of cells that may still hold it.
//
// A cell's candidate count is the number of digits whose set contains it, so the
// count always equals the sum of the cell's flags; a filled cell has no flags and
// count 0. Stored per digit because the search and the unit scans ask "where can
// digit d go in this unit", which is one AND and one population count.
#pragma once

#include "bits.h"
#include "tables.h"

#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vemo {

class Candidates {
  public:
    // Every cell with all nine digits.
    static constexpr Candidates Full() {
        Candidates t;
        t.cells_.fill(kAllCells);
        return t;
    }

    constexpr bool Has(int cell, int digit) const { return HasCell(cells_[digit - 1], cell); }

    constexpr int Count(int cell) const {
        int n = 0;
        for (const Bits81 set : cells_) n += HasCell(set, cell) ? 1 : 0;
        return n;
    }

    // Bit d-1 set when digit d is a candidate.
    constexpr unsigned Mask(int cell) const {
        unsigned mask = 0;
        for (int d = 0; d < 9; ++d) mask |= static_cast<unsigned>((cells_[d] >> cell) & 1) << d;
        return mask;
    }

    // Lowest candidate digit, 0 when there is none.
    constexpr int LowestDigit(int cell) const {
        for (int d = 1; d <= 9; ++d)
            if (Has(cell, d)) return d;
        return 0;
    }

    // Clears one flag; true when it was set.
    constexpr bool Remove(int cell, int digit) {
        const Bits81 bit = CellBit(cell);
        Bits81& set = cells_[digit - 1];
        const bool had = (set & bit) != 0;
        set &= ~bit;
        return had;
    }

    constexpr void Add(int cell, int digit) { cells_[digit - 1] |= CellBit(cell); }

    constexpr void ClearCell(int cell) {
        const Bits81 keep = ~CellBit(cell);
        for (Bits81& set : cells_) set &= keep;
    }

    // Keeps only the digits of mask (bit d-1 for digit d) in the cell.
    constexpr void KeepOnly(int cell, unsigned mask) {
        const Bits81 bit = CellBit(cell);
        for (int d = 0; d < 9; ++d)
            if ((mask >> d & 1) == 0) cells_[d] &= ~bit;
    }

    constexpr Bits81 CellsWith(int digit) const { return cells_[digit - 1]; }
    constexpr Bits81& CellsWith(int digit) { return cells_[digit - 1]; }
    // The nine sets, digit 1 first, 16-byte aligned.
    constexpr const std::array<Bits81, 9>& AllSets() const { return cells_; }

    // Cells with exactly one candidate, and cells with at least one.
    constexpr Bits81 SingleCells() const { return SingleAndAny().single; }
    constexpr Bits81 AnyCells() const { return SingleAndAny().any; }

    struct SingleAndAnyCells {
        Bits81 single = 0;
        Bits81 any = 0;
    };
    // Both sets in one pass over the nine digits.
    constexpr SingleAndAnyCells SingleAndAny() const {
#if defined(__SSE2__)
        if (!std::is_constant_evaluated()) {
            const auto* p = reinterpret_cast<const __m128i*>(cells_.data());
            __m128i once = _mm_load_si128(p), twice = _mm_setzero_si128();
            for (int d = 1; d < 9; ++d) {
                const __m128i set = _mm_load_si128(p + d);
                twice = _mm_or_si128(twice, _mm_and_si128(once, set));
                once = _mm_or_si128(once, set);
            }
            SingleAndAnyCells r;
            const __m128i single = _mm_andnot_si128(twice, once);
            std::memcpy(&r.single, &single, sizeof single);
            std::memcpy(&r.any, &once, sizeof once);
            return r;
        }
#endif
        Bits81 once = 0, twice = 0;
        for (const Bits81 set : cells_) {
            twice |= once & set;
            once |= set;
        }
        return {once & ~twice, once};
    }

    // Clears every flag of the given cells.
    constexpr void ClearCells(Bits81 cells) {
        const Bits81 keep = ~cells;
        for (Bits81& set : cells_) set &= keep;
    }

    // The cells whose candidate count is exactly n, for n = 0..9 (bit-sliced sum).
    struct CountPlanes {
        std::array<Bits81, 4> plane{};
        constexpr Bits81 WithCount(int n) const {
            Bits81 r = kAllCells;
            for (int p = 0; p < 4; ++p) r &= ((n >> p) & 1) ? plane[p] : ~plane[p];
            return r & kAllCells;
        }
    };
    constexpr CountPlanes Planes() const {
        CountPlanes c;
        for (const Bits81 set : cells_) {
            Bits81 carry = set;
            for (int p = 0; p < 4 && carry != 0; ++p) {
                const Bits81 next = c.plane[p] & carry;
                c.plane[p] ^= carry;
                carry = next;
            }
        }
        return c;
    }

    constexpr bool operator==(const Candidates&) const = default;

  private:
    std::array<Bits81, 9> cells_{};
};

} // namespace vemo
