// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole collections: every proper puzzle has exactly one solution, and the grid
// the search completes obeys the rules and keeps the clues.
#include "test_support.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

void ExpectUnique(Engine& engine, const std::string& puzzle) {
    test::LoadPuzzle(engine, puzzle);
    engine.CheckValidity();
    ASSERT_EQ(engine.ValidityStatus, 0) << puzzle;
    engine.SolutionCount = 0;
    engine.BruteForceCell = engine.BruteForceDigit = -1;
    engine.CountSolutions();
    ASSERT_EQ(engine.SolutionCount, 1) << puzzle;

    engine.SolutionCount = 0;
    engine.FindOneSolution();
    ASSERT_EQ(engine.SolutionCount, 2) << puzzle;
    const Grid& solution = engine.SearchSolution;
    ASSERT_TRUE(test::IsValidSolution(solution)) << puzzle;
    for (int c = 0; c < 81; ++c)
        if (puzzle[c] != '.') {
            ASSERT_EQ(solution[c], puzzle[c] - '0') << puzzle;
        }
    // The brute-force cell and digit belong to the solution.
    ASSERT_GE(engine.BruteForceCell, 0);
    ASSERT_EQ(solution[engine.BruteForceCell], engine.BruteForceDigit) << puzzle;
}

TEST(Collections, Top1465AllUnique) {
    Engine engine;
    const auto puzzles = test::ReadCollection("top1465.txt");
    ASSERT_EQ(puzzles.size(), 1465u);
    for (const auto& p : puzzles) ExpectUnique(engine, p);
}

TEST(Collections, SeventeenClueSampleUnique) {
    Engine engine;
    const auto puzzles = test::ReadCollection("17clue.txt");
    ASSERT_GT(puzzles.size(), 49000u);
    for (std::size_t i = 0; i < puzzles.size(); i += 25) ExpectUnique(engine, puzzles[i]);
}

TEST(Collections, HardestListUnique) {
    Engine engine;
    for (const auto& p : test::ReadCollection("forum_hardest_1106.txt")) ExpectUnique(engine, p);
}

} // namespace
} // namespace vemo
