// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The chain, set and forcing finders on positions built by hand around one
// solution grid: each cell keeps its solution digit, most cells keep all nine
// digits (so that they link to nothing), and a few cells or digits are cut
// down to the pattern. The expected eliminations are worked out beside each
// position; every step is also checked against the solution.
#include "chain_harness.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace vemo {
namespace {

using namespace advanced;
using test::CellAt;

// Digit 1 of this grid: r0c7, r1c3, r2c0, r3c5, r4c8, r5c1, r6c2, r7c4, r8c6.
const std::string kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

class Position {
  public:
    Position() { test::LoadPuzzle(engine_, std::string(81, '.')); }

    // The cell keeps only these digits.
    Position& Cell(int row, int column, const std::string& digits) {
        unsigned mask = 0;
        for (const char ch : digits) mask |= 1u << (ch - '1');
        engine_.CandidateTable.KeepOnly(CellAt(row, column), mask);
        return *this;
    }
    // The digit is a candidate in these cells only.
    Position& DigitOnly(int digit, const std::set<int>& cells) {
        for (int c = 0; c < 81; ++c)
            if (cells.count(c) == 0) engine_.CandidateTable.Remove(c, digit);
        return *this;
    }
    Position& Remove(int row, int column, int digit) {
        engine_.CandidateTable.Remove(CellAt(row, column), digit);
        return *this;
    }
    // Digit 1 at its solution cells and at `extra`.
    Position& Ones(const std::set<int>& extra) {
        std::set<int> cells = {CellAt(0, 7), CellAt(1, 3), CellAt(2, 0), CellAt(3, 5), CellAt(4, 8),
                               CellAt(5, 1), CellAt(6, 2), CellAt(7, 4), CellAt(8, 6)};
        cells.insert(extra.begin(), extra.end());
        return DigitOnly(1, cells);
    }
    Board Take() const { return TakeBoard(engine_); }

  private:
    Engine engine_;
};

using Removals = std::set<std::pair<int, int>>; // (cell, digit)

Removals RemovalsOf(const AdvancedStep& step) {
    Removals out;
    for (int i = 0; i < step.eliminationCount; ++i)
        out.insert({step.eliminations[i].cell, step.eliminations[i].digit});
    return out;
}

// Runs one finder; checks the step against the solution and its chain's links.
AdvancedStep Find(test::AdvancedFinder find, int id, const Board& board) {
    AdvancedStep step;
    EXPECT_TRUE(find(board, step));
    EXPECT_EQ(test::StepFault(step, id, board, test::GridFrom(kSolution)), "");
    return step;
}

// The links of a chain alternate strong and weak, the first one strong.
void ExpectAlternating(const AdvancedStep& step) {
    for (int i = 0; i + 1 < step.nodeCount; ++i) {
        EXPECT_EQ(step.links[i], i % 2 == 0 ? Link::kStrong : Link::kWeak) << i;
        EXPECT_EQ(step.nodes[i].on, i % 2 == 0 ? 0 : 1) << i;
    }
}

// ---- Chains ---------------------------------------------------------------

// Digit 1 with a skyscraper: row 0 holds it at r0c1 and r0c7 only, row 5 at
// r5c1 and r5c6 only, joined by column 1. So r0c7 or r5c6 holds it, and r2c6,
// which sees both (box 2, column 6), does not.
Position Skyscraper(bool withVictim) {
    Position p;
    std::set<int> extra = {CellAt(0, 1), CellAt(5, 6)};
    if (withVictim) extra.insert(CellAt(2, 6));
    p.Ones(extra);
    return p;
}

TEST(AdvancedChainsHand, XChainSkyscraper) {
    const Board board = Skyscraper(true).Take();
    const AdvancedStep step = Find(FindXChain, kXChain, board);
    EXPECT_EQ(step.nodeCount, 4);
    ExpectAlternating(step);
    EXPECT_EQ(step.digits, 1u);
    EXPECT_TRUE(RemovalsOf(step).count({CellAt(2, 6), 1}));
}

TEST(AdvancedChainsHand, XChainNeedsAVictim) {
    AdvancedStep step;
    EXPECT_FALSE(FindXChain(Skyscraper(false).Take(), step));
    EXPECT_EQ(step.technique, 0); // left alone
}

// Four bivalue cells: r0c0 {5,7}, r0c3 {5,6}, r4c3 {6,8}, r4c6 {7,8}. If
// r0c0 is not 7 it is 5, r0c3 is 6, r4c3 is 8 and r4c6 is 7: so one of the
// two ends is 7, and r0c6 and r4c0, which see both ends, lose 7.
Position FourCells(bool withVictims) {
    Position p;
    p.Cell(0, 0, "57").Cell(0, 3, "56").Cell(4, 3, "68").Cell(4, 6, "78");
    if (!withVictims) p.Remove(0, 6, 7).Remove(4, 0, 7);
    return p;
}

TEST(AdvancedChainsHand, XYChainOfFourCells) {
    const Board board = FourCells(true).Take();
    const AdvancedStep step = Find(FindXYChain, kXYChain, board);
    EXPECT_EQ(step.nodeCount, 8);
    ExpectAlternating(step);
    EXPECT_EQ(RemovalsOf(step), (Removals{{CellAt(0, 6), 7}, {CellAt(4, 0), 7}}));
}

TEST(AdvancedChainsHand, XYChainWithoutVictims) {
    AdvancedStep step;
    EXPECT_FALSE(FindXYChain(FourCells(false).Take(), step));
}

// A W-wing as an alternating chain: r0c0 {5,7} and r4c6 {5,7}, and row 2
// holding 5 only at r2c1 (seen by r0c0) and r2c6 (seen by r4c6). If r0c0 is
// not 7 it is 5, r2c1 is not, r2c6 is, r4c6 is not 5 and so is 7: r0c6 and
// r4c0 lose 7.
Position WWing(bool strongRow) {
    Position p;
    p.Cell(0, 0, "57").Cell(4, 6, "57");
    std::set<int> fives;
    for (int c = 0; c < 81; ++c)
        if (c / 9 != 2) fives.insert(c);
    fives.insert(CellAt(2, 1));
    fives.insert(CellAt(2, 6));
    if (!strongRow) fives.insert(CellAt(2, 3));
    p.DigitOnly(5, fives);
    return p;
}

TEST(AdvancedChainsHand, NiceLoopMixesCellsAndUnits) {
    const Board board = WWing(true).Take();
    const AdvancedStep step = Find(FindNiceLoop, kNiceLoop, board);
    EXPECT_EQ(step.nodeCount, 6);
    ExpectAlternating(step);
    EXPECT_EQ(RemovalsOf(step), (Removals{{CellAt(0, 6), 7}, {CellAt(4, 0), 7}}));
}

TEST(AdvancedChainsHand, NiceLoopNeedsItsStrongLink) {
    AdvancedStep step;
    EXPECT_FALSE(FindNiceLoop(WWing(false).Take(), step));
}

// Digit 1 with a group: row 0 holds it at r0c7 and at the group r0c0-r0c1
// of box 0; box 0 holds it there and at r2c0; row 2 at r2c0 and r2c6. So
// r0c7 = group - r2c0 = r2c6, and r2c6 sees r0c7: a loop, whose weak link
// r2c6 - r0c7 in box 2 takes 1 out of r1c6. Columns 0 and 1 and row 8 get
// one more 1 each, so that no chain without the group exists.
Position Grouped(bool withVictim) {
    Position p;
    std::set<int> extra = {CellAt(0, 0), CellAt(0, 1), CellAt(2, 6), CellAt(8, 0), CellAt(8, 1)};
    if (withVictim) extra.insert(CellAt(1, 6));
    p.Ones(extra);
    return p;
}

TEST(AdvancedChainsHand, GroupedLoopNeedsItsGroup) {
    const Board board = Grouped(true).Take();
    AdvancedStep plain;
    EXPECT_FALSE(FindNiceLoop(board, plain));
    EXPECT_FALSE(FindXChain(board, plain));
    const AdvancedStep step = Find(FindGroupedNiceLoop, kGroupedNiceLoop, board);
    EXPECT_EQ(step.nodeCount, 4);
    EXPECT_TRUE(step.loop);
    ExpectAlternating(step);
    EXPECT_EQ(RemovalsOf(step), (Removals{{CellAt(1, 6), 1}}));
    int groups = 0;
    for (int i = 0; i < step.nodeCount; ++i) groups += CountCells(step.nodes[i].cells) > 1 ? 1 : 0;
    EXPECT_EQ(groups, 1);
}

TEST(AdvancedChainsHand, GroupedLoopWithoutVictim) {
    AdvancedStep step;
    EXPECT_FALSE(FindGroupedNiceLoop(Grouped(false).Take(), step));
}

// ---- Sets -----------------------------------------------------------------

// r0c0 {5,9} and the set r0c6 {2,5,9}, r0c8 {2,5}: 5 can be in only one of
// them (all in row 0), so 9 is in r0c0 or r0c6 and leaves the rest of row 0.
Position AlsPair(const std::string& first) {
    Position p;
    p.Cell(0, 0, first).Cell(0, 6, "259").Cell(0, 8, "25");
    return p;
}

TEST(AdvancedChainsHand, AlsXZ) {
    const Board board = AlsPair("59").Take();
    const AdvancedStep step = Find(FindAlsXZ, kAlsXZ, board);
    Removals expected;
    for (const int column : {1, 2, 3, 4, 5, 7}) expected.insert({CellAt(0, column), 9});
    EXPECT_EQ(RemovalsOf(step), expected);
}

TEST(AdvancedChainsHand, AlsXZNeedsASecondCommonDigit) {
    AdvancedStep step;
    EXPECT_FALSE(FindAlsXZ(AlsPair("58").Take(), step));
}

// Pivot r0c0 {4,5}, r0c6 {5,9} linked to it by 5, r4c0 {4,9} (or {4,8})
// linked by 4: 9 is in r0c6 or r4c0, and r4c6 loses it.
Position Wing(const std::string& third) {
    Position p;
    p.Cell(0, 0, "45").Cell(0, 6, "59").Cell(4, 0, third);
    return p;
}

TEST(AdvancedChainsHand, AlsXYWing) {
    const Board board = Wing("49").Take();
    const AdvancedStep step = Find(FindAlsXYWing, kAlsXYWing, board);
    EXPECT_EQ(RemovalsOf(step), (Removals{{CellAt(4, 6), 9}}));
}

TEST(AdvancedChainsHand, AlsXYWingNeedsACommonDigit) {
    AdvancedStep step;
    EXPECT_FALSE(FindAlsXYWing(Wing("48").Take(), step));
}

TEST(AdvancedChainsHand, AlsChainOfFourSets) {
    const Board board = FourCells(true).Take();
    const AdvancedStep step = Find(FindAlsChain, kAlsChain, board);
    EXPECT_EQ(RemovalsOf(step), (Removals{{CellAt(0, 6), 7}, {CellAt(4, 0), 7}}));
}

TEST(AdvancedChainsHand, AlsChainWithoutVictims) {
    AdvancedStep step;
    EXPECT_FALSE(FindAlsChain(FourCells(false).Take(), step));
}

// Stem r0c0 {4,5}: its 4 makes r4c0 9, its 5 makes r0c6 9; r4c6 sees both.
TEST(AdvancedChainsHand, DeathBlossom) {
    const Board board = Wing("49").Take();
    const AdvancedStep step = Find(FindDeathBlossom, kDeathBlossom, board);
    EXPECT_EQ(RemovalsOf(step), (Removals{{CellAt(4, 6), 9}}));
    EXPECT_EQ(step.cells[0], CellAt(0, 0));
}

TEST(AdvancedChainsHand, DeathBlossomNeedsACommonDigit) {
    AdvancedStep step;
    EXPECT_FALSE(FindDeathBlossom(Wing("48").Take(), step));
}

// r0c0 {5,7} and r0c1 {3,8} in the crossing of row 0 and box 0, r0c4 {5,7}
// in the row and r2c2 {3,8} (or {3,8,9}) in the box: four cells, four
// digits. 5 and 7 stay in the row part, 3 and 8 in the box part.
Position Crossing(const std::string& boxCell) {
    Position p;
    p.Cell(0, 0, "57").Cell(0, 1, "38").Cell(0, 4, "57").Cell(2, 2, boxCell);
    return p;
}

TEST(AdvancedChainsHand, SueDeCoq) {
    const Board board = Crossing("38").Take();
    const AdvancedStep step = Find(FindSueDeCoq, kSueDeCoq, board);
    Removals expected;
    for (const int column : {2, 3, 5, 6, 7, 8}) {
        expected.insert({CellAt(0, column), 5});
        expected.insert({CellAt(0, column), 7});
    }
    for (const int cell :
         {CellAt(0, 2), CellAt(1, 0), CellAt(1, 1), CellAt(1, 2), CellAt(2, 0), CellAt(2, 1)}) {
        expected.insert({cell, 3});
        expected.insert({cell, 8});
    }
    EXPECT_EQ(RemovalsOf(step), expected);
}

TEST(AdvancedChainsHand, SueDeCoqNeedsAsManyDigitsAsCells) {
    AdvancedStep step;
    EXPECT_FALSE(FindSueDeCoq(Crossing("389").Take(), step));
}

// ---- Forcing --------------------------------------------------------------

// Cell r0c0 {4,5} of the wing: both of its digits lead to r4c6 losing 9.
TEST(AdvancedChainsHand, CellForcingChain) {
    const Board board = Wing("49").Take();
    const AdvancedStep step = Find(FindCellForcingChain, kCellForcingChain, board);
    EXPECT_EQ(RemovalsOf(step), (Removals{{CellAt(4, 6), 9}}));
    ASSERT_EQ(step.branchCount, 2);
    for (int b = 0; b < 2; ++b) {
        const ChainNode& premise = step.nodes[step.branchStart[b]];
        EXPECT_EQ(premise.cells, CellBit(CellAt(0, 0)));
        EXPECT_EQ(premise.on, 1);
        const ChainNode& last = step.nodes[step.branchStart[b + 1] - 1];
        EXPECT_EQ(last.cells, CellBit(CellAt(4, 6)));
        EXPECT_EQ(last.digit, 9);
        EXPECT_EQ(last.on, 0);
    }
}

TEST(AdvancedChainsHand, CellForcingChainFindsNothingWithoutACommonEnd) {
    AdvancedStep step;
    EXPECT_FALSE(FindCellForcingChain(Wing("48").Take(), step));
}

// Every place of 4 in row 0 of the wing leads to r4c6 losing 9: r0c0 through
// r4c0, any other through r0c0 being 5 and r0c6 being 9.
TEST(AdvancedChainsHand, UnitForcingChain) {
    const Board board = Wing("49").Take();
    const AdvancedStep step = Find(FindUnitForcingChain, kUnitForcingChain, board);
    EXPECT_EQ(RemovalsOf(step), (Removals{{CellAt(4, 6), 9}}));
    EXPECT_GE(step.branchCount, 2);
    EXPECT_EQ(step.unitCount, 1);
}

// r0c1 {3,7} and r0c4 {3,7} are a pair in row 0: 7 in r0c0 {5,7} would make
// both of them 3.
Position Pair(const std::string& second) {
    Position p;
    p.Cell(0, 0, "57").Cell(0, 1, second).Cell(0, 4, "37");
    return p;
}

TEST(AdvancedChainsHand, ContradictionForcingChain) {
    const Board board = Pair("37").Take();
    const AdvancedStep step =
        Find(FindContradictionForcingChain, kContradictionForcingChain, board);
    EXPECT_EQ(RemovalsOf(step), (Removals{{CellAt(0, 0), 7}}));
    ASSERT_EQ(step.branchCount, 2);
    // The two branches end on one candidate, true in one and false in the other.
    const ChainNode& a = step.nodes[step.branchStart[1] - 1];
    const ChainNode& b = step.nodes[step.branchStart[2] - 1];
    EXPECT_EQ(a.cells, b.cells);
    EXPECT_EQ(a.digit, b.digit);
    EXPECT_NE(a.on, b.on);
}

TEST(AdvancedChainsHand, ContradictionForcingChainNeedsAContradiction) {
    AdvancedStep step;
    EXPECT_FALSE(FindContradictionForcingChain(Pair("38").Take(), step));
}

TEST(AdvancedChainsHand, ForcingNetContradiction) {
    const Board board = Pair("37").Take();
    const AdvancedStep step = Find(FindForcingNet, kForcingNet, board);
    EXPECT_EQ(RemovalsOf(step), (Removals{{CellAt(0, 0), 7}}));
    ASSERT_GE(step.branchCount, 1);
    EXPECT_EQ(step.nodes[0].cells, CellBit(CellAt(0, 0)));
    EXPECT_EQ(step.nodes[0].digit, 7);
}

TEST(AdvancedChainsHand, ForcingNetFindsNothingOnAnOpenGrid) {
    AdvancedStep step;
    EXPECT_FALSE(FindForcingNet(Pair("38").Take(), step));
}

// r0c1 {3,7,8}: 7 in r0c0 makes r0c4 3 and r0c5 {7,8} 8, which together
// leave r0c1 nothing: a net, as r0c1 rests on two placements.
TEST(AdvancedChainsHand, ForcingNetOnTwoPremises) {
    Position p;
    p.Cell(0, 0, "57").Cell(0, 1, "378").Cell(0, 4, "37").Cell(0, 5, "78");
    const Board board = p.Take();
    const AdvancedStep step = Find(FindForcingNet, kForcingNet, board);
    EXPECT_EQ(RemovalsOf(step), (Removals{{CellAt(0, 0), 7}}));
}

// ---- Boards with nothing to find -------------------------------------------

// A solved grid has no candidate left: no finder reports anything, and each
// leaves the step as it was.
TEST(AdvancedChainsHand, NothingOnASolvedGrid) {
    Engine e;
    test::LoadPuzzle(e, kSolution);
    const Board board = TakeBoard(e);
    for (const auto& finder : test::kChainFinders) {
        AdvancedStep step;
        step.eliminationCount = 3; // a mark that must stay
        EXPECT_FALSE(finder.find(board, step)) << finder.name;
        EXPECT_EQ(step.eliminationCount, 3) << finder.name;
        EXPECT_EQ(step.technique, 0) << finder.name;
    }
}

// An empty grid has no strong link, no set and no contradiction within reach:
// every finder gives up, the nested nets within their budget of trials.
TEST(AdvancedChainsHand, NothingOnAnEmptyGrid) {
    const Board board = Position().Take();
    for (const auto& finder : test::kChainFinders) {
        AdvancedStep step;
        EXPECT_FALSE(finder.find(board, step)) << finder.name;
    }
}

} // namespace
} // namespace vemo
