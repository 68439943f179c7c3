// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Sets of cells as 81-bit boards: bit c stands for cell c (row-major).
#pragma once

#include <bit>
#include <cstdint>

namespace vemo {

__extension__ using Bits81 = unsigned __int128;

inline constexpr Bits81 kNoCells = 0;
inline constexpr Bits81 kAllCells = (Bits81{1} << 81) - 1;

constexpr Bits81 CellBit(int cell) {
    return Bits81{1} << cell;
}

constexpr bool HasCell(Bits81 set, int cell) {
    return ((set >> cell) & 1) != 0;
}

constexpr int CountCells(Bits81 set) {
    return std::popcount(static_cast<std::uint64_t>(set)) +
           std::popcount(static_cast<std::uint64_t>(set >> 64));
}

// Lowest cell of a non-empty set.
constexpr int FirstCell(Bits81 set) {
    const auto low = static_cast<std::uint64_t>(set);
    return low != 0 ? std::countr_zero(low)
                    : 64 + std::countr_zero(static_cast<std::uint64_t>(set >> 64));
}

// Calls f(cell) for every cell of the set in ascending order.
template <typename F> constexpr void ForEachCell(Bits81 set, F&& f) {
    auto low = static_cast<std::uint64_t>(set);
    auto high = static_cast<std::uint64_t>(set >> 64);
    while (low != 0) {
        f(std::countr_zero(low));
        low &= low - 1;
    }
    while (high != 0) {
        f(64 + std::countr_zero(high));
        high &= high - 1;
    }
}

} // namespace vemo
