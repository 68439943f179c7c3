// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The fixed tables of the 9 x 9 grid: units, diagonals, neighbour directions and
// the cell sets derived from them. They never change, so they are compile-time
// constants shared by every engine instance.
#pragma once

#include "bits.h"

#include <array>

namespace vemo {

inline constexpr int kCells = 81;
inline constexpr int kDigits = 9;

using UnitTable = std::array<std::array<int, 9>, 9>;

namespace detail {

constexpr UnitTable MakeRowCells() {
    UnitTable t{};
    for (int r = 0; r < 9; ++r)
        for (int i = 0; i < 9; ++i) t[r][i] = r * 9 + i;
    return t;
}

constexpr UnitTable MakeColumnCells() {
    UnitTable t{};
    for (int c = 0; c < 9; ++c)
        for (int i = 0; i < 9; ++i) t[c][i] = i * 9 + c;
    return t;
}

constexpr UnitTable MakeBoxCells() {
    UnitTable t{};
    for (int b = 0; b < 9; ++b)
        for (int i = 0; i < 9; ++i) t[b][i] = (b / 3) * 27 + (b % 3) * 3 + (i / 3) * 9 + (i % 3);
    return t;
}

constexpr UnitTable MakeBoxCellsByColumn() {
    UnitTable t{};
    for (int b = 0; b < 9; ++b)
        for (int i = 0; i < 9; ++i) t[b][i] = (b / 3) * 27 + (b % 3) * 3 + (i % 3) * 9 + (i / 3);
    return t;
}

constexpr std::array<std::array<int, 3>, 81> MakeCellUnits() {
    std::array<std::array<int, 3>, 81> t{};
    for (int c = 0; c < 81; ++c) t[c] = {c / 9, c % 9, (c / 27) * 3 + (c % 9) / 3};
    return t;
}

// Diagonal 1 (main) then diagonal 2 (anti), stored one after the other.
constexpr std::array<std::array<int, 9>, 2> MakeDiagonals() {
    std::array<std::array<int, 9>, 2> t{};
    for (int i = 0; i < 9; ++i) {
        t[0][i] = 10 * i;
        t[1][i] = 8 * (i + 1);
    }
    return t;
}

// 0 off the diagonals, 1 main, 2 anti; the centre is written last and keeps 2.
constexpr std::array<int, 81> MakeDiagonalMark() {
    std::array<int, 81> t{};
    const auto diagonals = MakeDiagonals();
    for (int i = 0; i < 9; ++i) {
        t[diagonals[0][i]] = 1;
        t[diagonals[1][i]] = 2;
    }
    return t;
}

constexpr std::array<Bits81, 9> MakeUnitMasks(const UnitTable& units) {
    std::array<Bits81, 9> t{};
    for (int u = 0; u < 9; ++u)
        for (int i = 0; i < 9; ++i) t[u] |= CellBit(units[u][i]);
    return t;
}

constexpr std::array<Bits81, 2> MakeDiagonalMasks() {
    std::array<Bits81, 2> t{};
    const auto diagonals = MakeDiagonals();
    for (int k = 0; k < 2; ++k)
        for (int i = 0; i < 9; ++i) t[k] |= CellBit(diagonals[k][i]);
    return t;
}

constexpr std::array<Bits81, 81> MakePeers() {
    std::array<Bits81, 81> t{};
    const auto rows = MakeUnitMasks(MakeRowCells());
    const auto columns = MakeUnitMasks(MakeColumnCells());
    const auto boxes = MakeUnitMasks(MakeBoxCells());
    const auto units = MakeCellUnits();
    for (int c = 0; c < 81; ++c)
        t[c] = (rows[units[c][0]] | columns[units[c][1]] | boxes[units[c][2]]) & ~CellBit(c);
    return t;
}

// For every subset of the nine units of one kind, the union of their cells.
constexpr std::array<Bits81, 512> MakeUnitUnions(const UnitTable& units) {
    const auto masks = MakeUnitMasks(units);
    std::array<Bits81, 512> t{};
    for (int s = 1; s < 512; ++s) {
        const int low = std::countr_zero(static_cast<unsigned>(s));
        t[s] = t[s & (s - 1)] | masks[low];
    }
    return t;
}

} // namespace detail

inline constexpr UnitTable RowCells = detail::MakeRowCells();
inline constexpr UnitTable ColumnCells = detail::MakeColumnCells();
inline constexpr UnitTable BoxCells = detail::MakeBoxCells();
inline constexpr UnitTable BoxCellsByColumn = detail::MakeBoxCellsByColumn();
// Row, column and box of every cell.
inline constexpr std::array<std::array<int, 3>, 81> CellUnits = detail::MakeCellUnits();
inline constexpr std::array<std::array<int, 9>, 2> Diagonals = detail::MakeDiagonals();
inline constexpr const std::array<int, 9>& MainDiagonal = Diagonals[0];
inline constexpr const std::array<int, 9>& AntiDiagonal = Diagonals[1];
inline constexpr std::array<int, 81> DiagonalMark = detail::MakeDiagonalMark();
// Index 1 right, 2 down, 3 left, 4 up; index 0 is unused.
inline constexpr std::array<int, 5> NeighbourOffsets = {0, +1, +9, -1, -9};

inline constexpr std::array<Bits81, 9> kRowMask = detail::MakeUnitMasks(RowCells);
inline constexpr std::array<Bits81, 9> kColumnMask = detail::MakeUnitMasks(ColumnCells);
inline constexpr std::array<Bits81, 9> kBoxMask = detail::MakeUnitMasks(BoxCells);
inline constexpr std::array<Bits81, 2> kDiagonalMask = detail::MakeDiagonalMasks();
// Row, column and box companions of a cell (the cell itself excluded).
inline constexpr std::array<Bits81, 81> kPeers = detail::MakePeers();
inline constexpr std::array<Bits81, 512> kRowUnions = detail::MakeUnitUnions(RowCells);
inline constexpr std::array<Bits81, 512> kColumnUnions = detail::MakeUnitUnions(ColumnCells);
inline constexpr std::array<Bits81, 512> kBoxUnions = detail::MakeUnitUnions(BoxCells);

constexpr bool OnMainDiagonal(int cell) {
    return cell % 10 == 0;
}
constexpr bool OnAntiDiagonal(int cell) {
    return cell % 8 == 0 && cell >= 1 && cell <= 79;
}

} // namespace vemo
