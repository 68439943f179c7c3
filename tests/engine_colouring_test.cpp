// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Colouring and multi-colouring: which digits are coloured, the wrap and trap
// rules, and that no elimination ever takes a solution digit.
#include "test_support.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::CellAt;

// A blank grid where digit d keeps only the given cells.
Engine DigitOnly(int d, std::initializer_list<int> cells) {
    Engine e;
    test::LoadPuzzle(e, std::string(81, '.'), kNonConsecutive);
    for (int c = 0; c < 81; ++c) {
        bool keep = false;
        for (const int k : cells) keep |= k == c;
        if (!keep) e.CandidateTable.Remove(c, d);
    }
    // Other digits must not be coloured: give each at most four places.
    for (int other = 1; other <= 9; ++other) {
        if (other == d) continue;
        for (int c = 4; c < 81; ++c) e.CandidateTable.Remove(c, other);
    }
    return e;
}

TEST(Colouring, FourPlacesAreNeverColoured) {
    // Two conjugate pairs that would wrap, but only four places.
    Engine e = DigitOnly(5, {CellAt(0, 0), CellAt(0, 4), CellAt(4, 0), CellAt(4, 4)});
    e.FindColouring();
    EXPECT_EQ(e.Colouring.found, 0);
}

TEST(Colouring, WrapInABox) {
    // (2,2) keeps box 0 from being a conjugate pair itself.
    Engine e = DigitOnly(7, {CellAt(0, 0), CellAt(0, 6), CellAt(3, 6), CellAt(3, 1), CellAt(1, 1),
                             CellAt(1, 5), CellAt(2, 2)});
    // Rows colour (0,0)+1 (0,6)-1, (1,1)+2 (1,5)-2, (3,1)+3 (3,6)-3. Column 1
    // merges chain 3 into 2 ((3,1) -2, (3,6) +2), column 6 chain 2 into 1
    // ((1,1) and (3,6) +1, (1,5) and (3,1) -1). Box 0 then holds +1 twice.
    e.FindColouring();
    ASSERT_EQ(e.Colouring.found, 1);
    EXPECT_EQ(e.Colouring.digit, 7);
    std::vector<int> list;
    for (const int c : e.Colouring.eliminations)
        if (c >= 0) list.push_back(c);
    EXPECT_EQ(list, (std::vector<int>{CellAt(0, 0), CellAt(1, 1), CellAt(3, 6)}));
    e.ApplyColouring();
    EXPECT_FALSE(e.CandidateTable.Has(CellAt(0, 0), 7));
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(0, 6), 7));
}

TEST(Colouring, SameColourPairTurnsTheChainIntoOneColour) {
    // With (1,8) for (1,5) and no (2,2), box 2 pairs two cells of one colour:
    // only a puzzle without solution does that, and every cell of the chain goes.
    Engine e = DigitOnly(
        7, {CellAt(0, 0), CellAt(0, 6), CellAt(3, 6), CellAt(3, 1), CellAt(1, 1), CellAt(1, 8)});
    e.FindColouring();
    ASSERT_EQ(e.Colouring.found, 1);
    int listed = 0;
    for (const int c : e.Colouring.eliminations) listed += c >= 0 ? 1 : 0;
    EXPECT_EQ(listed, 6);
}

TEST(Colouring, TrapThroughRowAndColumn) {
    // Row 0 colours (0,0)+1 (0,7)-1; column 0 gives (4,0) -1; box 2 gives (2,8)
    // +1. (4,8) sees -1 through its row and +1 through its column; (4,4) sees
    // -1 through its row only and keeps the digit.
    Engine e = DigitOnly(5, {CellAt(0, 0), CellAt(0, 7), CellAt(4, 0), CellAt(2, 8), CellAt(4, 8),
                             CellAt(4, 4), CellAt(7, 8)});
    e.FindColouring();
    ASSERT_EQ(e.Colouring.found, 2);
    EXPECT_EQ(e.Colouring.unitPair, 1);
    EXPECT_EQ(e.Colouring.digit, 5);
    EXPECT_EQ(e.Colouring.eliminations[0], CellAt(4, 8));
    EXPECT_EQ(e.Colouring.eliminations[1], -1);
    e.ApplyColouring();
    EXPECT_FALSE(e.CandidateTable.Has(CellAt(4, 8), 5));
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(4, 4), 5));
}

TEST(Colouring, MultiColouringThroughColumnAndBox) {
    // Rows 0 and 8 make two chains: (0,1)+1 (0,7)-1 and (8,1)+2 (8,6)-2.
    // Column 1 holds +1 and +2, so one of -1 and -2 is true; (6,7) sees -1
    // through its column and -2 through its box.
    Engine e = DigitOnly(4, {CellAt(0, 1), CellAt(0, 7), CellAt(8, 1), CellAt(8, 6), CellAt(4, 1),
                             CellAt(6, 7), CellAt(3, 7), CellAt(7, 8)});
    e.FindColouring();
    ASSERT_EQ(e.Colouring.found, 3);
    EXPECT_EQ(e.Colouring.unitPair, 3);
    EXPECT_EQ(e.Colouring.eliminations[0], CellAt(6, 7));
    EXPECT_EQ(e.Colouring.eliminations[1], -1);
}

TEST(Colouring, EliminationsKeepTheSolution) {
    const auto puzzles = test::ReadCollection("top1465.txt");
    int found = 0;
    for (std::size_t i = 0; i < puzzles.size(); i += 5) {
        Engine e;
        test::LoadPuzzle(e, puzzles[i]);
        e.SolutionCount = 0;
        e.FindOneSolution();
        const Grid solution = e.SearchSolution;
        for (int step = 0; step < 200 && e.FilledCount < 81; ++step) {
            e.FindColouring();
            if (e.Colouring.found != 0) {
                ++found;
                for (const int c : e.Colouring.eliminations) {
                    if (c >= 0) {
                        ASSERT_NE(solution[c], e.Colouring.digit) << puzzles[i];
                    }
                }
                e.ApplyColouring();
                continue;
            }
            e.HintTechnique = 0;
            e.FindNextTechnique();
            if (e.HintTechnique == 0) break;
            e.ApplyStep(e.HintTechnique);
        }
    }
    EXPECT_GT(found, 10);
}

} // namespace
} // namespace vemo
