// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Naked and hidden singles, locked candidates: scan order, reports, eliminations.
#include "test_support.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::CellAt;

// An empty grid whose candidates the test then shapes by hand.
Engine Blank(int x = 0) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'), kNonConsecutive, x);
    return engine;
}

void KeepOnlyDigit(Engine& e, int cell, int digit) {
    e.CandidateTable.KeepOnly(cell, 1u << (digit - 1));
}

// Leaves digit d in the given cells of a unit only.
void ConfineDigit(Engine& e, const std::array<int, 9>& unit, int digit,
                  std::initializer_list<int> keep) {
    for (const int c : unit) {
        bool kept = false;
        for (const int k : keep) kept |= k == c;
        if (!kept) e.CandidateTable.Remove(c, digit);
    }
}

TEST(NakedSingle, FirstCellInOrderWins) {
    Engine e = Blank();
    KeepOnlyDigit(e, 50, 1);
    KeepOnlyDigit(e, 30, 7);
    e.FindNakedSingle();
    EXPECT_EQ(e.NakedSingle.cell, 30);
    EXPECT_EQ(e.NakedSingle.digit, 7);
    // A hidden single of a smaller digit in an earlier cell does not matter here.
    ConfineDigit(e, RowCells[0], 1, {4});
    e.FindNakedSingle();
    EXPECT_EQ(e.NakedSingle.cell, 30);
}

TEST(NakedSingle, NoneReportsMinusOne) {
    Engine e = Blank();
    e.FindNakedSingle();
    EXPECT_EQ(e.NakedSingle.cell, -1);
}

TEST(HiddenSingle, RowBeforeColumnForTheSameDigit) {
    Engine e = Blank();
    const int cell = CellAt(4, 6);
    ConfineDigit(e, RowCells[4], 3, {cell});
    ConfineDigit(e, ColumnCells[6], 3, {cell});
    e.FindHiddenSingle();
    EXPECT_EQ(e.HiddenSingle.cell, cell);
    EXPECT_EQ(e.HiddenSingle.digit, 3);
    EXPECT_EQ(e.HiddenSingle.diagonal, 0);
}

TEST(HiddenSingle, DigitIsTheOuterLoop) {
    Engine e = Blank();
    ConfineDigit(e, BoxCells[8], 1, {80});
    ConfineDigit(e, RowCells[0], 2, {5});
    e.FindHiddenSingle();
    EXPECT_EQ(e.HiddenSingle.cell, 80);
    EXPECT_EQ(e.HiddenSingle.digit, 1);
}

TEST(HiddenSingle, UnitHoldingTheDigitIsSkipped) {
    Engine e = Blank();
    // Row 0 holds a 4 (written without recomputing), and one cell still shows 4.
    e.CellGrid[0][0] = 4;
    e.CandidateTable.ClearCell(0);
    ConfineDigit(e, RowCells[0], 4, {5});
    e.FindHiddenSingle();
    EXPECT_NE(e.HiddenSingle.cell, 5);
}

TEST(HiddenSingle, DiagonalsOnlyInXSudoku) {
    for (const int x : {0, 1}) {
        Engine e = Blank(x);
        ConfineDigit(e, AntiDiagonal, 6, {32});
        e.FindHiddenSingle();
        if (x == 1) {
            EXPECT_EQ(e.HiddenSingle.cell, 32);
            EXPECT_EQ(e.HiddenSingle.diagonal, 1);
        } else {
            EXPECT_EQ(e.HiddenSingle.digit, 0);
        }
    }
}

TEST(LockedCandidates, LineToBoxInARow) {
    Engine e = Blank();
    // Digit 5 in row 1 only in columns 3..5 (box 1): it leaves the rest of box 1.
    ConfineDigit(e, RowCells[1], 5, {CellAt(1, 3), CellAt(1, 4)});
    e.FindLockedCandidates();
    const auto& r = e.LockedCandidates;
    EXPECT_EQ(r.digit, 5);
    EXPECT_EQ(r.kind, 2);
    EXPECT_EQ(r.lineType, 1);
    EXPECT_EQ(r.line, 1);
    EXPECT_EQ(r.box, 1);
    EXPECT_EQ(r.segment, 1); // the box's row
    const CellList cells = e.ListLockedCells();
    EXPECT_EQ(cells.count, 3);
    EXPECT_EQ(cells.cells, (std::array<int, 3>{12, 13, 14}));
    e.ApplyLockedCandidates();
    EXPECT_FALSE(e.CandidateTable.Has(CellAt(0, 4), 5));
    EXPECT_FALSE(e.CandidateTable.Has(CellAt(2, 5), 5));
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(1, 3), 5));
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(0, 0), 5));
    EXPECT_EQ(e.CandidateTable.Count(CellAt(0, 4)), 8);
}

TEST(LockedCandidates, BoxToLineInAColumn) {
    Engine e = Blank();
    // In box 3, digit 2 only in column 1 (rows 3 and 5): it leaves the rest of column 1.
    ConfineDigit(e, BoxCells[3], 2, {CellAt(3, 1), CellAt(5, 1)});
    // Rows come first: make sure no row segment of digit 2 qualifies earlier.
    e.FindLockedCandidates();
    const auto& r = e.LockedCandidates;
    ASSERT_EQ(r.digit, 2);
    EXPECT_EQ(r.kind, 1);
    EXPECT_EQ(r.lineType, 2);
    EXPECT_EQ(r.line, 1);
    EXPECT_EQ(r.box, 3);
    EXPECT_EQ(r.segment, 1); // counted along the column
    const CellList cells = e.ListLockedCells();
    EXPECT_EQ(cells.count, 3);
    e.ApplyLockedCandidates();
    EXPECT_FALSE(e.CandidateTable.Has(CellAt(0, 1), 2));
    EXPECT_FALSE(e.CandidateTable.Has(CellAt(8, 1), 2));
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(3, 1), 2)); // inside the segment
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(5, 1), 2));
}

TEST(LockedCandidates, ListSkipsFilledCells) {
    Engine e = Blank();
    ConfineDigit(e, RowCells[1], 5, {CellAt(1, 3), CellAt(1, 4)});
    e.CellGrid[0][CellAt(1, 5)] = 9;
    e.FindLockedCandidates();
    const CellList cells = e.ListLockedCells();
    EXPECT_EQ(cells.count, 2);
    EXPECT_EQ(cells.cells[0], 12);
    EXPECT_EQ(cells.cells[1], 13);
}

TEST(LockedCandidates, NeedsTwoPlacesAndSomethingToRemove) {
    Engine e = Blank();
    // One place in the segment and nothing else in the row: not locked candidates.
    ConfineDigit(e, RowCells[1], 5, {CellAt(1, 3)});
    // Rest of box 1 without 5, so only the row and its segment could tell.
    ConfineDigit(e, BoxCells[1], 5, {CellAt(1, 3)});
    e.FindLockedCandidates();
    EXPECT_NE(e.LockedCandidates.digit, 5);

    // Both rests empty: nothing to eliminate.
    Engine f = Blank();
    ConfineDigit(f, RowCells[1], 5, {CellAt(1, 3), CellAt(1, 4)});
    ConfineDigit(f, BoxCells[1], 5, {CellAt(1, 3), CellAt(1, 4)});
    f.FindLockedCandidates();
    EXPECT_FALSE(f.LockedCandidates.digit == 5 && f.LockedCandidates.lineType == 1 &&
                 f.LockedCandidates.line == 1);
}

TEST(LockedCandidates, DiagonalLineToBoxKeepsTheCentre) {
    Engine e = Blank(1);
    // Digit 8 on the main diagonal only inside box 4 (cells 30, 40, 50).
    ConfineDigit(e, MainDiagonal, 8, {30, 40, 50});
    // Keep every row and column segment of 8 from qualifying first.
    for (int c = 0; c < 81; ++c)
        if (c != 30 && c != 40 && c != 50 && !HasCell(kBoxMask[4], c))
            e.CandidateTable.Remove(c, 8);
    // Only box 4 holds 8 now: a row segment would see boxRest... keep one more
    // place per row of box 4 outside it so no box-to-line case exists.
    e.CandidateTable.Add(CellAt(3, 0), 8);
    e.CandidateTable.Add(CellAt(4, 8), 8);
    e.CandidateTable.Add(CellAt(5, 0), 8);
    e.CandidateTable.Add(CellAt(0, 3), 8);
    e.CandidateTable.Add(CellAt(8, 4), 8);
    e.CandidateTable.Add(CellAt(0, 5), 8);
    e.FindLockedCandidates();
    const auto& r = e.LockedCandidates;
    ASSERT_EQ(r.digit, 8);
    EXPECT_EQ(r.lineType, 3);
    EXPECT_EQ(r.line, 1);
    EXPECT_EQ(r.kind, 2);
    EXPECT_EQ(r.box, 4);
    e.ApplyLockedCandidates();
    for (const int c : {31, 32, 39, 41, 48, 49}) EXPECT_FALSE(e.CandidateTable.Has(c, 8)) << c;
    for (const int c : {30, 40, 50}) EXPECT_TRUE(e.CandidateTable.Has(c, 8)) << c;
}

TEST(Finders, ChangeNothingAndRepeat) {
    Engine e;
    test::LoadPuzzle(e, test::ReadCollection("top1465.txt")[3]);
    const Candidates before = e.CandidateTable;
    e.FindLockedCandidates();
    const auto first = e.LockedCandidates;
    e.FindLockedCandidates();
    EXPECT_EQ(e.LockedCandidates.digit, first.digit);
    EXPECT_EQ(e.LockedCandidates.line, first.line);
    e.FindHiddenSingle();
    e.FindNakedSingle();
    EXPECT_EQ(e.CandidateTable, before);
}

} // namespace
} // namespace vemo
