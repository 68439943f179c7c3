// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The chain, set and forcing finders: every step they take on the collections'
// hard positions and on variant grids is checked against the unique solution.
#include "chain_harness.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace vemo {
namespace {

using namespace advanced;

// The logic-only solve of the first `count` puzzles of a collection with the
// finders first..last; every advanced step is checked on the way.
test::LogicTally SolveCollection(const std::string& file, std::size_t count, int first, int last) {
    const auto puzzles = test::ReadCollection(file);
    test::LogicTally tally;
    for (std::size_t i = 0; i < puzzles.size() && i < count; ++i) {
        Engine e;
        test::LoadPuzzle(e, puzzles[i]);
        const Grid solution = test::UniqueSolution(e);
        test::SolveLogically(e, solution, first, last, tally);
        if (!tally.fault.empty()) break;
    }
    std::printf("%s: %d of %d solved, %d stuck positions, %d steps (%d removals, %d placements)\n",
                file.c_str(), tally.solved, tally.puzzles, tally.positions, tally.steps,
                tally.removed, tally.placed);
    for (int i = first; i <= last; ++i)
        if (tally.uses[i] > 0)
            std::printf("  %-28s %d\n", test::kChainFinders[i].name, tally.uses[i]);
    return tally;
}

TEST(AdvancedChainsCollections, ChainsAreSoundOnTop1465) {
    const auto tally = SolveCollection("top1465.txt", 300, 0, 3);
    EXPECT_EQ(tally.fault, "");
    EXPECT_GT(tally.steps, 100);
}

TEST(AdvancedChainsCollections, EveryFinderIsSoundAndLogicSolvesTop1465) {
    const auto tally = SolveCollection("top1465.txt", 300, 0, 12);
    EXPECT_EQ(tally.fault, "");
    EXPECT_EQ(tally.solved, tally.puzzles);
}

TEST(AdvancedChainsCollections, EveryFinderIsSoundOnForumHardest) {
    const auto tally = SolveCollection("forum_hardest_1106.txt", 40, 0, 12);
    EXPECT_EQ(tally.fault, "");
    EXPECT_GE(tally.solved * 10, tally.puzzles * 9);
}

} // namespace
} // namespace vemo
