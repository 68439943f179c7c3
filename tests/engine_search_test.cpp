// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The trial search: counting solutions up to two and completing a grid.
#include "test_support.h"

#include "engine/generator/generation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace vemo {
namespace {

using test::CellAt;

const std::string kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

void Count(Engine& engine) {
    engine.SolutionCount = 0;
    engine.BruteForceCell = engine.BruteForceDigit = -1;
    engine.CountSolutions();
}

TEST(CountSolutions, UniqueAndSeveral) {
    Engine engine;
    test::LoadPuzzle(engine, test::ReadCollection("top1465.txt").front());
    Count(engine);
    EXPECT_EQ(engine.SolutionCount, 1);

    // Two clues only: a vast number of solutions, reported as 2.
    test::LoadPuzzle(engine, "12" + std::string(79, '.'));
    Count(engine);
    EXPECT_EQ(engine.SolutionCount, 2);
}

TEST(CountSolutions, LeavesLevelZeroAndItsCandidates) {
    Engine engine;
    const std::string puzzle = test::ReadCollection("top1465.txt")[5];
    test::LoadPuzzle(engine, puzzle);
    const Candidates fresh = engine.CandidateTable;
    Count(engine);
    EXPECT_EQ(engine.HistoryLevel, 0);
    EXPECT_EQ(test::TextOf(engine.CellGrid[0]), test::TextOf(test::GridFrom(puzzle)));
    EXPECT_EQ(engine.CandidateTable, fresh);
    EXPECT_EQ(engine.FilledCount, engine.CellGrid[0].FilledCount());
}

TEST(CountSolutions, DeadFirstCellOpensNoTrial) {
    Engine engine;
    test::LoadPuzzle(engine, ".12345678" + std::string(27, '.') + "9" + std::string(44, '.'));
    Count(engine);
    EXPECT_EQ(engine.SolutionCount, 0);
    EXPECT_EQ(engine.BruteForceCell, -1);
    EXPECT_EQ(engine.FirstBranch.cell, -1);
}

TEST(CountSolutions, DeadCellAfterAFewerCandidateCell) {
    Engine engine;
    // Row 2 holds 3..8 and column 2 holds 1, 2 and 9: cell 20 is dead, while
    // cell 18 before it keeps {1, 2, 9}, the fewest of the cells before 20.
    std::string text(81, '.');
    for (int i = 0; i < 6; ++i) text[21 + i] = static_cast<char>('3' + i);
    text[CellAt(3, 2)] = '1';
    text[CellAt(4, 2)] = '2';
    text[CellAt(5, 2)] = '9';
    test::LoadPuzzle(engine, text);
    ASSERT_EQ(engine.CandidateTable.Count(20), 0);
    ASSERT_EQ(engine.CandidateTable.Count(18), 3);
    Count(engine);
    EXPECT_EQ(engine.SolutionCount, 0);
    EXPECT_EQ(engine.FirstBranch.cell, 18);
    EXPECT_EQ(engine.FirstBranch.digit, 9);
    EXPECT_EQ(engine.BruteForceCell, -1);
}

TEST(CountSolutions, TechniqueEliminationsOnlyShapeTheFirstTrial) {
    // A dead cell made by the caller's eliminations, not by the rules: only the
    // trials that inherit those eliminations see it; the later trials work on
    // recomputed candidates and find the solutions of the near-empty grid.
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'));
    for (int d = 3; d <= 9; ++d) engine.CandidateTable.Remove(2, d);
    engine.CandidateTable.ClearCell(20);
    Count(engine);
    EXPECT_EQ(engine.SolutionCount, 2);
    EXPECT_EQ(engine.FirstBranch.cell, 2);
}

TEST(CountSolutions, BranchesOnTheFirstCellWithFewestCandidates) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'));
    for (int d = 3; d <= 9; ++d) {
        engine.CandidateTable.Remove(7, d);
        engine.CandidateTable.Remove(3, d);
    }
    Count(engine);
    EXPECT_EQ(engine.FirstBranch.cell, 3);
    EXPECT_EQ(engine.SolutionCount, 2);
    // The second solution was found on the first digit already: digits ascend.
    EXPECT_EQ(engine.BruteForceCell, 3);
    EXPECT_EQ(engine.BruteForceDigit, 1);
}

TEST(CountSolutions, LastSolutionGivesTheBruteForceDigit) {
    // Empty a deadly rectangle: two solutions that differ in the first branch cell.
    std::string puzzle = kSolution;
    const Grid solved = test::GridFrom(kSolution);
    bool done = false;
    for (int r1 = 0; r1 < 9 && !done; ++r1)
        for (int r2 = r1 + 1; r2 < 9 && !done; ++r2) {
            if (r1 / 3 == r2 / 3) continue;
            for (int c1 = 0; c1 < 9 && !done; ++c1)
                for (int c2 = c1 + 1; c2 < 9 && !done; ++c2) {
                    if (c1 / 3 != c2 / 3) continue;
                    const int a = solved[CellAt(r1, c1)], b = solved[CellAt(r1, c2)];
                    if (solved[CellAt(r2, c1)] != b || solved[CellAt(r2, c2)] != a) continue;
                    for (const int c :
                         {CellAt(r1, c1), CellAt(r1, c2), CellAt(r2, c1), CellAt(r2, c2)})
                        puzzle[c] = '.';
                    done = true;
                }
        }
    ASSERT_TRUE(done) << "no deadly rectangle in the sample grid";
    Engine engine;
    test::LoadPuzzle(engine, puzzle);
    Count(engine);
    EXPECT_EQ(engine.SolutionCount, 2);
    const int first = static_cast<int>(puzzle.find('.'));
    EXPECT_EQ(engine.BruteForceCell, first);
    const int a = solved[first];
    int other = 0;
    for (int d = 1; d <= 9; ++d)
        if (d != a && engine.CandidateTable.Has(first, d)) other = d;
    EXPECT_EQ(engine.BruteForceDigit, std::max(a, other));
}

TEST(CountSolutions, FullGridOpensNoBranch) {
    Engine engine;
    test::LoadPuzzle(engine, kSolution);
    Count(engine);
    EXPECT_EQ(engine.SolutionCount, 0);
    EXPECT_EQ(engine.FilledCount, 81);
}

// Every empty cell with 9 candidates: the search branches on the first one.
TEST(CountSolutions, EmptyGridBranchesOnItsFirstCell) {
    for (const int kind : {kClassic, kNonConsecutive, kConsecutive}) {
        for (const int x : {0, 1}) {
            Engine engine;
            test::LoadPuzzle(engine, std::string(81, '.'), kind, x);
            Count(engine);
            EXPECT_EQ(engine.SolutionCount, 2) << kind << x;
            EXPECT_EQ(engine.BruteForceCell, 0) << kind << x;
            EXPECT_EQ(engine.HistoryLevel, 0);
            EXPECT_EQ(engine.FilledCount, 0);
            engine.SolutionCount = 0;
            engine.FindOneSolution();
            ASSERT_EQ(engine.SolutionCount, 2) << kind << x;
            const Grid& s = engine.SearchSolution;
            EXPECT_TRUE(test::IsValidSolution(s, x == 1)) << kind << x;
            if (kind != kClassic) {
                // No bar anywhere: no two neighbours differ by one.
                for (int c = 0; c < 81; ++c) {
                    if (c % 9 < 8) {
                        EXPECT_NE(std::abs(s[c] - s[c + 1]), 1) << c;
                    }
                    if (c < 72) {
                        EXPECT_NE(std::abs(s[c] - s[c + 9]), 1) << c;
                    }
                }
            }
        }
    }
    // An odd/even grid being entered: no parity known yet, nine candidates.
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'), kOddEven);
    engine.PuzzleFixed = false;
    engine.ComputeCandidates();
    Count(engine);
    EXPECT_EQ(engine.SolutionCount, 2);
}

// Two 1s in the first row, nothing else: no solution, and the trials could take
// astronomically long to see it.
TEST(CountSolutions, DigitRepeatedInARowIsRefusedAtOnce) {
    const std::string puzzle = "11" + std::string(79, '.');
    Engine engine;
    test::LoadPuzzle(engine, puzzle);
    const Candidates before = engine.CandidateTable;
    Count(engine);
    EXPECT_EQ(engine.SolutionCount, 0);
    EXPECT_EQ(engine.BruteForceCell, -1);
    EXPECT_EQ(engine.HistoryLevel, 0);
    EXPECT_EQ(test::TextOf(engine.CellGrid[0]), puzzle);
    EXPECT_TRUE(engine.CandidateTable == before);
    engine.SolutionCount = 0;
    engine.FindOneSolution();
    EXPECT_EQ(engine.SolutionCount, 0);
    // The same in a column and in a box.
    for (const int second : {CellAt(5, 0), CellAt(2, 2)}) {
        std::string p(81, '.');
        p[0] = p[second] = '7';
        test::LoadPuzzle(engine, p);
        Count(engine);
        EXPECT_EQ(engine.SolutionCount, 0) << second;
    }
}

// A digit twice on an X-Sudoku diagonal: the search follows its procedure to
// the end (rows, columns and boxes hold every digit once in any grid it
// completes), and a grid it completes keeps the givens.
TEST(Search, RepeatOnAnXDiagonalIsSearchedToTheEnd) {
    for (const char* puzzle :
         {"....................1.......9............................9..1......1.............",
          "........9..5.....................6....1..2.......1..............9................"}) {
        Engine engine;
        test::LoadPuzzle(engine, puzzle, kClassic, 1);
        ASSERT_TRUE(engine.BreaksRules());
        Count(engine);
        EXPECT_EQ(engine.HistoryLevel, 0);
        EXPECT_EQ(test::TextOf(engine.CellGrid[0]), puzzle);
        engine.SolutionCount = 0;
        engine.FindOneSolution();
        if (engine.SolutionCount == 0) continue;
        EXPECT_TRUE(test::IsValidSolution(engine.SearchSolution)) << puzzle;
        for (int c = 0; c < 81; ++c)
            if (puzzle[c] != '.') {
                EXPECT_EQ(engine.SearchSolution[c], puzzle[c] - '0');
            }
    }
}

TEST(CountSolutions, MultiSolutionCollectionStopsAtTwo) {
    Engine engine;
    const auto puzzles = test::ReadCollection("serg_benchmark.txt");
    for (std::size_t i = 0; i < puzzles.size(); i += 50) {
        test::LoadPuzzle(engine, puzzles[i]);
        Count(engine);
        ASSERT_EQ(engine.SolutionCount, 2) << puzzles[i];
    }
}

TEST(FindOneSolution, CompletesAndKeepsTheGrid) {
    Engine engine;
    const std::string puzzle = test::ReadCollection("top1465.txt")[10];
    test::LoadPuzzle(engine, puzzle);
    int pumps = 0;
    engine.MessagePump = [&] { ++pumps; };
    engine.SolutionCount = 0;
    engine.FindOneSolution();
    EXPECT_EQ(engine.SolutionCount, 2);
    EXPECT_GT(pumps, 0);
    EXPECT_TRUE(test::IsValidSolution(engine.SearchSolution));
    for (int c = 0; c < 81; ++c)
        if (puzzle[c] != '.') {
            EXPECT_EQ(engine.SearchSolution[c], puzzle[c] - '0');
        }
    EXPECT_EQ(test::TextOf(engine.CellGrid[0]), test::TextOf(test::GridFrom(puzzle)));
}

TEST(FindOneSolution, NoSolutionLeavesTheCountAtZero) {
    // A unique puzzle with one more clue that contradicts its solution.
    Engine engine;
    std::string puzzle = test::ReadCollection("top1465.txt")[0];
    test::LoadPuzzle(engine, puzzle);
    engine.SolutionCount = 0;
    engine.FindOneSolution();
    const Grid solution = engine.SearchSolution;
    const int cell = static_cast<int>(puzzle.find('.'));
    int wrong = 0;
    for (int d = 1; d <= 9; ++d)
        if (d != solution[cell] && engine.CandidateTable.Has(cell, d)) wrong = d;
    ASSERT_GT(wrong, 0);
    puzzle[cell] = static_cast<char>('0' + wrong);
    test::LoadPuzzle(engine, puzzle);
    engine.SolutionCount = 0;
    engine.BruteForceCell = -1;
    engine.FindOneSolution();
    EXPECT_EQ(engine.SolutionCount, 0);
    EXPECT_EQ(engine.BruteForceCell, -1);
    engine.SolutionCount = 0;
    engine.CountSolutions();
    EXPECT_EQ(engine.SolutionCount, 0);
}

TEST(CountSolutions, PumpsOnlyWhileGenerating) {
    Engine engine;
    int pumps = 0;
    engine.MessagePump = [&] { ++pumps; };
    test::LoadPuzzle(engine, test::ReadCollection("top1465.txt")[0]);
    Count(engine);
    EXPECT_EQ(pumps, 0);
    engine.Generating = true;
    Count(engine);
    EXPECT_GT(pumps, 0);
}

// The deepest searches start from a grid with no clue at all, which only the
// variant rules can make branch; the search must stay within its levels.
TEST(Search, DeepestSearchStaysInsideTheStack) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'), kConsecutive);
    // Bars from cell 39 to its left, right and lower neighbours (38, 40, 48).
    const auto bar = [&](int a, int ka, int b, int kb) {
        engine.NeighbourMarks[a][ka] = engine.NeighbourMarks[b][kb] = 1;
        ++engine.NeighbourMarks[a][0];
        ++engine.NeighbourMarks[b][0];
    };
    bar(39, 3, 38, 1);
    bar(39, 1, 40, 3);
    bar(39, 2, 48, 4);
    engine.ComputeCandidates();
    ASSERT_EQ(engine.CandidateTable.Count(39), 7);
    int deepest = 0;
    engine.MessagePump = [&] { deepest = std::max(deepest, engine.HistoryLevel); };
    engine.SolutionCount = 0;
    engine.FindOneSolution();
    EXPECT_LT(deepest + 1, kGridLevels);
    EXPECT_GT(deepest, 1);
    EXPECT_EQ(engine.HistoryLevel, 0);
    ASSERT_EQ(engine.SolutionCount, 2);
    const Grid& s = engine.SearchSolution;
    EXPECT_TRUE(test::IsValidSolution(s));
    for (const int n : {38, 40, 48}) EXPECT_EQ(std::abs(s[39] - s[n]), 1) << n;
}

TEST(Search, VariantSolutionsObeyTheirRules) {
    // X-Sudoku from a single clue.
    Engine engine;
    test::LoadPuzzle(engine, "5" + std::string(80, '.'), kClassic, 1);
    engine.SolutionCount = 0;
    engine.FindOneSolution();
    ASSERT_EQ(engine.SolutionCount, 2);
    EXPECT_TRUE(test::IsValidSolution(engine.SearchSolution, true));

    // Non-consecutive: no two orthogonal neighbours differ by one.
    test::LoadPuzzle(engine, "5" + std::string(80, '.'), kNonConsecutive);
    engine.SolutionCount = 0;
    engine.FindOneSolution();
    ASSERT_EQ(engine.SolutionCount, 2);
    const Grid& s = engine.SearchSolution;
    EXPECT_TRUE(test::IsValidSolution(s));
    for (int c = 0; c < 81; ++c) {
        if (c % 9 < 8) {
            EXPECT_NE(std::abs(s[c] - s[c + 1]), 1) << c;
        }
        if (c < 72) {
            EXPECT_NE(std::abs(s[c] - s[c + 9]), 1) << c;
        }
    }

    // Odd/even: the shading of a known grid, a few clues, a completion that keeps it.
    const Grid known = test::GridFrom(kSolution);
    std::string clues(81, '.');
    for (const int c : {0, 10, 20, 30, 40, 50, 60, 70, 80, 8, 16, 24}) clues[c] = kSolution[c];
    test::LoadPuzzle(engine, clues, kOddEven);
    for (int c = 0; c < 81; ++c) engine.ParityMarks[c] = known[c] % 2 == 0 ? 2 : 1;
    engine.ComputeCandidates();
    engine.SolutionCount = 0;
    engine.FindOneSolution();
    ASSERT_EQ(engine.SolutionCount, 2);
    for (int c = 0; c < 81; ++c) EXPECT_EQ(engine.SearchSolution[c] % 2, known[c] % 2) << c;
}

// A consecutive grid with two givens and seven bars: it has no solution, and
// the trials take tens of millions before the search runs out of them.
void LoadBarredGridWithoutSolution(Engine& engine) {
    std::string givens(81, '.');
    givens[2] = '1';
    givens[80] = '5';
    test::LoadPuzzle(engine, givens, kConsecutive);
    const auto bar = [&](int a, int ka, int b, int kb) {
        engine.NeighbourMarks[a][ka] = engine.NeighbourMarks[b][kb] = 1;
        ++engine.NeighbourMarks[a][0];
        ++engine.NeighbourMarks[b][0];
    };
    for (const int c : {4, 23, 24, 25, 43}) bar(c, 1, c + 1, 3); // to the right
    for (const int c : {36, 39}) bar(c, 2, c + 9, 4);            // downwards
    engine.ComputeCandidates();
}

TEST(SearchBudget, ABarredGridWithoutSolutionSpendsASmallBudget) {
    for (const bool findOne : {false, true}) {
        Engine engine;
        LoadBarredGridWithoutSolution(engine);
        ASSERT_EQ(engine.ValidityStatus, 0);
        const Grid before = engine.CellGrid[0];
        const Candidates candidates = engine.CandidateTable;
        engine.TrialBudget = 20'000;
        engine.SolutionCount = 0;
        if (findOne)
            engine.FindOneSolution();
        else
            engine.CountSolutions();
        EXPECT_TRUE(engine.SearchAbandoned) << findOne;
        EXPECT_GT(engine.SearchTrials, engine.TrialBudget);
        EXPECT_EQ(engine.SolutionCount, 0);
        // The position is left as it was.
        EXPECT_EQ(engine.HistoryLevel, 0);
        EXPECT_TRUE(engine.CellGrid[0] == before);
        EXPECT_TRUE(engine.CandidateTable == candidates);
    }
}

TEST(SearchBudget, TheDriversGiveNoAnswerOnAnAbandonedSearch) {
    Engine engine;
    LoadBarredGridWithoutSolution(engine);
    engine.TrialBudget = 20'000;
    const Grid position = engine.CellGrid[0];
    engine.HintTechnique = 0;
    engine.FindNextTechnique();
    EXPECT_TRUE(engine.SearchAbandoned);
    EXPECT_EQ(engine.HintTechnique, 0);
    engine.AnalysePuzzle();
    EXPECT_TRUE(engine.SearchAbandoned);
    EXPECT_EQ(engine.RatingDone, 0);
    EXPECT_EQ(engine.SolutionCount, 0);
    EXPECT_EQ(engine.StepCount, 1);
    EXPECT_TRUE(engine.SolutionGrid == position);
    EXPECT_TRUE(engine.CellGrid[0] == position);
}

// A trial whose search met one solution and then ran out of trials has not
// shown that the solution is the only one: the hint gives nothing.
TEST(SearchBudget, AHintNeedsAFinishedTrial) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'));
    engine.SolutionCount = 0;
    engine.FindOneSolution();
    ASSERT_FALSE(engine.SearchAbandoned);
    engine.TrialBudget = engine.SearchTrials; // enough for the first solution only
    engine.SolutionCount = 0;
    engine.CountSolutions();
    ASSERT_TRUE(engine.SearchAbandoned);
    ASSERT_EQ(engine.SolutionCount, 1);
    engine.HintTechnique = 0;
    engine.FindNextTechnique();
    EXPECT_TRUE(engine.SearchAbandoned);
    EXPECT_EQ(engine.HintTechnique, 0);
    EXPECT_EQ(engine.BruteForceCell, -1);
}

// Within the budget nothing changes: the same counts, branches and solutions
// with a budget just above what the searches take as with none to speak of.
TEST(SearchBudget, SearchesWithinTheBudgetAnswerAsWithout) {
    const auto puzzles = test::ReadCollection("top1465.txt");
    for (std::size_t i = 0; i < puzzles.size(); i += 50) {
        Engine unbounded, bounded;
        unbounded.TrialBudget = std::numeric_limits<long long>::max();
        test::LoadPuzzle(unbounded, puzzles[i]);
        unbounded.SolutionCount = 0;
        unbounded.CountSolutions();
        ASSERT_FALSE(unbounded.SearchAbandoned);
        test::LoadPuzzle(bounded, puzzles[i]);
        bounded.TrialBudget = unbounded.SearchTrials;
        bounded.SolutionCount = 0;
        bounded.CountSolutions();
        EXPECT_FALSE(bounded.SearchAbandoned) << i;
        EXPECT_EQ(bounded.SolutionCount, unbounded.SolutionCount) << i;
        EXPECT_EQ(bounded.BruteForceCell, unbounded.BruteForceCell) << i;
        EXPECT_EQ(bounded.BruteForceDigit, unbounded.BruteForceDigit) << i;
        EXPECT_EQ(bounded.FirstBranch.cell, unbounded.FirstBranch.cell) << i;
        // One trial fewer is not enough.
        test::LoadPuzzle(bounded, puzzles[i]);
        bounded.TrialBudget = unbounded.SearchTrials - 1;
        bounded.SolutionCount = 0;
        bounded.CountSolutions();
        EXPECT_TRUE(bounded.SearchAbandoned) << i;
    }
}

TEST(SearchBudget, GenerationKeepsNoAttemptWithAnAbandonedSearch) {
    Engine engine;
    engine.Rng.Seed(7);
    engine.SetDifficulty(kFacile);
    engine.TrialBudget = 40; // enough to complete a full grid, not to count the puzzles
    EXPECT_FALSE(engine.GenerationAttempt());
}

} // namespace
} // namespace vemo
