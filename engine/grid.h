// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One 9 x 9 grid of digits (0 empty, 1..9), padded to 96 bytes so that whole-grid
// copies and scans work on aligned 16-byte blocks.
#pragma once

#include "bits.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vemo {

struct Grid {
    alignas(16) std::array<std::uint8_t, 96> digits{};

    constexpr std::uint8_t& operator[](int cell) { return digits[cell]; }
    constexpr std::uint8_t operator[](int cell) const { return digits[cell]; }

    constexpr void Clear() { digits.fill(0); }

    constexpr bool operator==(const Grid& other) const {
        return std::equal(digits.begin(), digits.begin() + 81, other.digits.begin());
    }

    // The set of filled cells.
    Bits81 FilledCells() const {
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        Bits81 empty = 0;
        for (int block = 0; block < 6; ++block) {
            const __m128i v =
                _mm_load_si128(reinterpret_cast<const __m128i*>(digits.data()) + block);
            const auto bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)));
            empty |= Bits81{bits} << (16 * block);
        }
        return ~empty & kAllCells;
#else
        Bits81 filled = 0;
        for (int c = 0; c < 81; ++c)
            if (digits[c] != 0) filled |= CellBit(c);
        return filled;
#endif
    }

    int FilledCount() const {
        return CountCells(FilledCells());
    }
};

} // namespace vemo
