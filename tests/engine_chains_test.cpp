// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The chain, set and forcing finders: every step they take on the collections'
// hard positions and on variant grids is checked against the unique solution.
#include "chain_harness.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "engine/generator/generation.h"

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

// Every finder on `engine`'s position after taking out, at random, some of the
// candidates that the solution does not need; returns the first fault.
std::string CheckWithRandomRemovals(const Engine& engine, const Grid& solution, Random& rng,
                                    int percent, int& checked) {
    Engine e = engine;
    for (int c = 0; c < 81; ++c)
        for (int d = 1; d <= 9; ++d)
            if (d != solution[c] && e.CandidateTable.Has(c, d) &&
                static_cast<int>(rng.Below(100)) < percent)
                e.CandidateTable.Remove(c, d);
    const Board board = TakeBoard(e);
    for (const auto& finder : test::kChainFinders) {
        AdvancedStep step;
        if (!finder.find(board, step)) continue;
        ++checked;
        const std::string fault = test::StepFault(step, finder.id, board, solution);
        if (!fault.empty())
            return std::string(finder.name) + ": " + fault + " on " + test::TextOf(e.CellGrid[0]);
    }
    return "";
}

TEST(AdvancedChainsSoundness, RandomRemovalsOnHardPuzzles) {
    const auto puzzles = test::ReadCollection("top1465.txt");
    Random rng(77);
    int checked = 0;
    for (std::size_t i = 0; i < 60; ++i) {
        Engine e;
        test::LoadPuzzle(e, puzzles[i * 20]);
        const Grid solution = test::UniqueSolution(e);
        for (const int percent : {10, 25, 40})
            ASSERT_EQ(CheckWithRandomRemovals(e, solution, rng, percent, checked), "");
    }
    EXPECT_GT(checked, 300);
}

struct VariantCase {
    const char* name;
    int kind;
    int x;
};

constexpr VariantCase kVariants[] = {
    {"X-Sudoku", kClassic, 1},
    {"non-consecutive", kNonConsecutive, 0},
    {"consecutive", kConsecutive, 0},
    {"odd/even", kOddEven, 0},
    {"non-consecutive X-Sudoku", kNonConsecutive, 1},
};

// Generated puzzles of every variant: the logic-only solve, whose every
// advanced step is checked, and random removals around the puzzle.
TEST(AdvancedChainsSoundness, EveryVariant) {
    for (const auto& v : kVariants) {
        test::LogicTally tally;
        Random rng(11 + v.kind);
        int checked = 0;
        for (int seed = 0; seed < 10; ++seed) {
            Engine e;
            e.Rng.Seed(500 + seed * 7 + v.kind);
            e.SetDifficulty(kAleatoire);
            e.VariantKind = v.kind;
            e.XSudoku = v.x;
            ASSERT_TRUE(e.GeneratePuzzle()) << v.name;
            const Grid solution = e.SolutionGrid;
            for (const int percent : {15, 35})
                ASSERT_EQ(CheckWithRandomRemovals(e, solution, rng, percent, checked), "")
                    << v.name;
            Engine solve = e;
            test::SolveLogically(solve, solution, 0, 12, tally);
            ASSERT_EQ(tally.fault, "") << v.name;
        }
        std::printf("%s: %d of %d solved by logic, %d advanced steps, %d finder results checked\n",
                    v.name, tally.solved, tally.puzzles, tally.steps, checked);
        EXPECT_EQ(tally.solved, tally.puzzles) << v.name;
        EXPECT_GT(checked, 0) << v.name;
    }
}

} // namespace
} // namespace vemo
