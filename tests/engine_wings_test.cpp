// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// XY-wing and the impossible neighbour: scan order, records, eliminations.
#include "test_support.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::CellAt;

Engine Blank(int kind = kNonConsecutive) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'), kind);
    return engine;
}

unsigned Digits(std::initializer_list<int> digits) {
    unsigned m = 0;
    for (const int d : digits) m |= 1u << (d - 1);
    return m;
}

void Set(Engine& e, int cell, std::initializer_list<int> digits) {
    e.CandidateTable.KeepOnly(cell, Digits(digits));
}

TEST(XYWing, ColumnFormRemovesTheCommonDigit) {
    Engine e = Blank();
    Set(e, CellAt(0, 0), {1, 2});
    Set(e, CellAt(0, 5), {2, 3});
    Set(e, CellAt(4, 0), {1, 3});
    e.FindXYWing();
    EXPECT_EQ(e.XYWing.found, 1);
    EXPECT_EQ(e.XYWing.digit, 3);
    EXPECT_EQ(e.XYWing.cells,
              (std::array<int, 4>{CellAt(0, 0), CellAt(0, 5), CellAt(4, 0), CellAt(4, 5)}));
    e.ApplyXYWing();
    EXPECT_FALSE(e.CandidateTable.Has(CellAt(4, 5), 3));
    EXPECT_EQ(e.CandidateTable.Count(CellAt(4, 5)), 8);
}

TEST(XYWing, NothingWithoutTheDigitToRemove) {
    Engine e = Blank();
    Set(e, CellAt(0, 0), {1, 2});
    Set(e, CellAt(0, 5), {2, 3});
    Set(e, CellAt(4, 0), {1, 3});
    e.CandidateTable.Remove(CellAt(4, 5), 3);
    e.FindXYWing();
    EXPECT_EQ(e.XYWing.found, 0);
}

TEST(XYWing, EqualPairsAreNoWing) {
    Engine e = Blank();
    Set(e, CellAt(0, 0), {4, 7});
    Set(e, CellAt(0, 5), {4, 7});
    Set(e, CellAt(4, 0), {4, 7});
    e.FindXYWing();
    EXPECT_EQ(e.XYWing.found, 0);
}

TEST(XYWing, BoxFormCollectsAlternately) {
    Engine e = Blank();
    Set(e, CellAt(0, 0), {1, 2}); // pivot, box 0
    Set(e, CellAt(0, 5), {2, 3}); // pincer on the row, box 1
    Set(e, CellAt(1, 1), {1, 3}); // pincer in the pivot's box
    e.FindXYWing();
    ASSERT_EQ(e.XYWing.found, 2);
    EXPECT_EQ(e.XYWing.digit, 3);
    EXPECT_EQ(e.XYWing.eliminationCount, 5);
    // j = 0: the pivot itself is skipped, then (1,3); j = 1: (0,1), (1,4); j = 2: (0,2), (1,5).
    EXPECT_EQ(e.XYWing.eliminations, (std::array<int, 5>{CellAt(1, 3), CellAt(0, 1), CellAt(1, 4),
                                                         CellAt(0, 2), CellAt(1, 5)}));
    EXPECT_EQ(e.XYWing.cells[3], 0);
    e.ApplyXYWing();
    for (const int c : {CellAt(1, 3), CellAt(0, 1), CellAt(1, 4), CellAt(0, 2), CellAt(1, 5)})
        EXPECT_FALSE(e.CandidateTable.Has(c, 3)) << c;
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(2, 4), 3));
}

TEST(XYWing, SecondPivotAndColumnPairs) {
    // The pair of row 3 with B as the pivot: {5,6} at (3,8) is the pivot, {6,7}
    // at (3,2) its row pincer, {5,7} at (7,8) the pincer below it.
    Engine e = Blank();
    Set(e, CellAt(3, 2), {6, 7});
    Set(e, CellAt(3, 8), {5, 6});
    Set(e, CellAt(7, 8), {5, 7});
    e.FindXYWing();
    ASSERT_EQ(e.XYWing.found, 1);
    EXPECT_EQ(e.XYWing.digit, 7);
    EXPECT_EQ(e.XYWing.cells,
              (std::array<int, 4>{CellAt(3, 2), CellAt(3, 8), CellAt(7, 8), CellAt(7, 2)}));
}

Engine Barred(std::initializer_list<int> a, std::initializer_list<int> b) {
    Engine e = Blank(kConsecutive);
    e.NeighbourMarks[40][1] = e.NeighbourMarks[41][3] = 1;
    e.NeighbourMarks[40][0] = e.NeighbourMarks[41][0] = 1;
    Set(e, 40, a);
    Set(e, 41, b);
    return e;
}

TEST(ImpossibleNeighbour, NeighbourLosesWhatHasNoNeighbouringValue) {
    Engine e = Barred({2, 5}, {1, 3, 6, 8});
    std::string line;
    e.DeveloperLine = [&](const std::string& text) { line = text; };
    e.FindImpossibleNeighbour();
    const auto& r = e.ImpossibleNeighbour;
    EXPECT_EQ(r.cellA, 40);
    EXPECT_EQ(r.cellB, 41);
    EXPECT_EQ(r.countA, 0);
    ASSERT_EQ(r.countB, 1);
    EXPECT_EQ(r.digitsB[0], 8);
    EXPECT_NE(line.find("case1 :"), std::string::npos);
    EXPECT_NE(line.find(" case2 :"), std::string::npos);
    e.ApplyImpossibleNeighbour();
    EXPECT_EQ(test::CandidateString(e, 41), "136");
    EXPECT_EQ(test::CandidateString(e, 40), "25");
}

TEST(ImpossibleNeighbour, BothCellsLoseADigit) {
    Engine e = Barred({1, 9}, {2, 5});
    e.FindImpossibleNeighbour();
    const auto& r = e.ImpossibleNeighbour;
    ASSERT_EQ(r.countA, 1);
    EXPECT_EQ(r.digitsA[0], 9);
    ASSERT_EQ(r.countB, 1);
    EXPECT_EQ(r.digitsB[0], 5);
}

TEST(ImpossibleNeighbour, TriesFewerCandidatesFirst) {
    // Cell 41 has two candidates, cell 40 three: 41 is the barred cell A.
    Engine e = Barred({1, 2, 9}, {4, 5});
    e.FindImpossibleNeighbour();
    EXPECT_EQ(e.ImpossibleNeighbour.cellA, 41);
    EXPECT_EQ(e.ImpossibleNeighbour.cellB, 40);
}

TEST(ImpossibleNeighbour, SilentWithoutBars) {
    Engine classic;
    test::LoadPuzzle(classic, test::ReadCollection("top1465.txt")[0]);
    classic.FindImpossibleNeighbour();
    EXPECT_EQ(classic.ImpossibleNeighbour.countA + classic.ImpossibleNeighbour.countB, 0);
    Engine nonConsecutive = Blank(kNonConsecutive);
    Set(nonConsecutive, 40, {2, 5});
    Set(nonConsecutive, 41, {8, 9});
    nonConsecutive.FindImpossibleNeighbour();
    EXPECT_EQ(nonConsecutive.ImpossibleNeighbour.cellA, -1);
}

} // namespace
} // namespace vemo
