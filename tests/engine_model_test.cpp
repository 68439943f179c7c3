// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The grid model: unit tables, diagonals, neighbour and parity marks, clearing.
#include "test_support.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(UnitTables, BoxesInRowAndColumnOrder) {
    EXPECT_EQ(BoxCells[4], (std::array<int, 9>{30, 31, 32, 39, 40, 41, 48, 49, 50}));
    EXPECT_EQ(BoxCellsByColumn[4], (std::array<int, 9>{30, 39, 48, 31, 40, 49, 32, 41, 50}));
    EXPECT_EQ(BoxCells[8][0], 60);
    EXPECT_EQ(ColumnCells[3][2], 21);
    EXPECT_EQ(RowCells[2][5], 23);
}

TEST(UnitTables, CellUnitsMatchTheTables) {
    for (int u = 0; u < 9; ++u) {
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(CellUnits[RowCells[u][i]][0], u);
            EXPECT_EQ(CellUnits[ColumnCells[u][i]][1], u);
            EXPECT_EQ(CellUnits[BoxCells[u][i]][2], u);
        }
    }
    for (int c = 0; c < 81; ++c) EXPECT_EQ(CountCells(kPeers[c]), 20) << c;
}

TEST(UnitTables, DiagonalsAndTheirMarks) {
    EXPECT_EQ(MainDiagonal, (std::array<int, 9>{0, 10, 20, 30, 40, 50, 60, 70, 80}));
    EXPECT_EQ(AntiDiagonal, (std::array<int, 9>{8, 16, 24, 32, 40, 48, 56, 64, 72}));
    EXPECT_EQ(DiagonalMark[40], 2);
    EXPECT_EQ(DiagonalMark[20], 1);
    EXPECT_EQ(DiagonalMark[16], 2);
    EXPECT_EQ(DiagonalMark[1], 0);
    for (int c = 0; c < 81; ++c) {
        EXPECT_EQ(OnMainDiagonal(c), c / 9 == c % 9) << c;
        EXPECT_EQ(OnAntiDiagonal(c), c / 9 + c % 9 == 8) << c;
    }
}

TEST(NeighbourMarks, EdgesAfterReset) {
    Engine engine;
    engine.NeighbourMarks[5] = {3, 1, 1, 1, 0};
    engine.ResetNeighbourMarks();
    EXPECT_EQ(engine.NeighbourMarks[0], (NeighbourRecord{0, 0, 0, -1, -1}));
    EXPECT_EQ(engine.NeighbourMarks[80], (NeighbourRecord{0, -1, -1, 0, 0}));
    EXPECT_EQ(engine.NeighbourMarks[5], (NeighbourRecord{0, 0, 0, 0, -1}));
    for (int c = 1; c < 9; ++c) EXPECT_EQ(engine.NeighbourMarks[c][3], 0) << c;
    EXPECT_EQ(engine.NeighbourMarks[44][1], -1);
    EXPECT_EQ(engine.NeighbourMarks[36][3], -1);
}

TEST(GridModel, ClearingLeavesNineCandidatesEverywhere) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(80, '.') + "5");
    engine.ClearPuzzle();
    for (int c = 0; c < 81; ++c) {
        EXPECT_EQ(engine.CandidateTable.Count(c), 9);
        EXPECT_EQ(engine.CellGrid[0][c], 0);
        EXPECT_EQ(engine.Givens[c], 0);
    }
    EXPECT_EQ(engine.ParityMarks[10], 1);
}

TEST(GridModel, FilledCellsSeesEveryCellOnce) {
    Grid grid;
    grid[0] = 1;
    grid[63] = 2;
    grid[64] = 3;
    grid[80] = 9;
    EXPECT_EQ(grid.FilledCells(), CellBit(0) | CellBit(63) | CellBit(64) | CellBit(80));
    EXPECT_EQ(grid.FilledCount(), 4);
}

TEST(RandomSource, SeededDrawsRepeatAndStayInRange) {
    Random a(42), b(42);
    std::array<int, 7> seen{};
    for (int i = 0; i < 10000; ++i) {
        const int x = a.Below(7);
        ASSERT_EQ(x, b.Below(7));
        ASSERT_GE(x, 0);
        ASSERT_LT(x, 7);
        ++seen[x];
    }
    for (const int n : seen) EXPECT_GT(n, 1200); // roughly 1428 each
    EXPECT_EQ(a.Below(0), 0);
    EXPECT_EQ(a.Below(1), 0);
}

} // namespace
} // namespace vemo
