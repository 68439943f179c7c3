// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The search against a line-by-line reference of the trial procedure: same
// counts, same first branch, same brute-force cell and digit, same first
// solution, same candidates afterwards. The engine's search takes shortcuts
// (batched singles, hopeless positions left early, candidates restored instead
// of recomputed); this test pins down that none of them shows.
#include "test_support.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

class ReferenceSearch {
  public:
    explicit ReferenceSearch(Engine& engine) : e_(engine) {}

    void Run(bool findOne) {
        findOne_ = findOne;
        Level();
    }

  private:
    int ChooseCell() const {
        int best = 9, chosen = -1;
        for (int c = 0; c < 81; ++c) {
            const int n = e_.CandidateTable.Count(c);
            if (e_.CellGrid[e_.HistoryLevel][c] == 0 && n == 0) break;
            if (n >= 1 && n < best) {
                best = n;
                chosen = c;
            }
        }
        if (chosen >= 0) return chosen;
        // Every empty cell with 9 candidates: the first one.
        for (int c = 0; c < 81; ++c)
            if (e_.CellGrid[e_.HistoryLevel][c] == 0 && e_.CandidateTable.Count(c) != 9) return -1;
        for (int c = 0; c < 81; ++c)
            if (e_.CellGrid[e_.HistoryLevel][c] == 0) return c;
        return -1;
    }

    void Level() {
        const int L = e_.HistoryLevel;
        e_.CellGrid[L + 1] = e_.CellGrid[L];
        const int cell = e_.SolutionCount >= e_.SolutionLimit ? -1 : ChooseCell();
        if (cell >= 0 && e_.SolutionCount < e_.SolutionLimit) {
            e_.HistoryLevel = L + 1;
            for (int d = 1; d <= 9; ++d) {
                if (e_.SolutionCount >= e_.SolutionLimit) break;
                if (!e_.CandidateTable.Has(cell, d)) continue;
                e_.PlaceDigit(cell, d);
                if (e_.HistoryLevel == 1) e_.FirstBranch = {cell, d};
                e_.PropagateSingles();
                if (e_.FilledCount == 81) {
                    if (findOne_) {
                        e_.SolutionCount = 2;
                        e_.SearchSolution = e_.CellGrid[L + 1];
                    } else {
                        ++e_.SolutionCount;
                    }
                    e_.BruteForceCell = e_.FirstBranch.cell;
                    e_.BruteForceDigit = e_.FirstBranch.digit;
                    e_.CellGrid[L + 1] = e_.CellGrid[L];
                    e_.ComputeCandidates();
                } else {
                    Level();
                }
            }
            e_.HistoryLevel = L;
        }
        if (e_.HistoryLevel > 0) e_.CellGrid[L] = e_.CellGrid[L - 1];
        e_.ComputeCandidates();
    }

    Engine& e_;
    bool findOne_ = false;
};

struct Outcome {
    int count, cell, digit, firstCell, firstDigit;
    std::string solution;
    Candidates candidates;
    bool operator==(const Outcome&) const = default;
};

// Runs one search from the engine's current table (which may hold eliminations).
Outcome Run(Engine& engine, bool findOne, bool reference) {
    engine.SolutionCount = 0;
    engine.BruteForceCell = engine.BruteForceDigit = -1;
    engine.FirstBranch = {};
    engine.SearchSolution = Grid{};
    if (reference) {
        ReferenceSearch(engine).Run(findOne);
    } else if (findOne) {
        engine.FindOneSolution();
    } else {
        engine.CountSolutions();
    }
    return {engine.SolutionCount,    engine.BruteForceCell,    engine.BruteForceDigit,
            engine.FirstBranch.cell, engine.FirstBranch.digit, test::TextOf(engine.SearchSolution),
            engine.CandidateTable};
}

void Compare(const std::string& puzzle, int kind = kClassic, int x = 0, int seed = -1) {
    for (const bool findOne : {false, true}) {
        Engine a, b;
        test::LoadPuzzle(a, puzzle, kind, x);
        test::LoadPuzzle(b, puzzle, kind, x);
        if (seed >= 0) {
            // Eliminations as a technique would leave them: solution digits stay.
            a.SolutionCount = 0;
            a.FindOneSolution();
            const Grid solution = a.SearchSolution;
            test::LoadPuzzle(a, puzzle, kind, x);
            Random rng(seed);
            for (int i = 0; i < 25; ++i) {
                const int c = rng.Below(81), d = rng.Below(9) + 1;
                if (solution[c] != d && solution[c] != 0) {
                    a.CandidateTable.Remove(c, d);
                    b.CandidateTable.Remove(c, d);
                }
            }
        }
        const Outcome fast = Run(a, findOne, false);
        const Outcome slow = Run(b, findOne, true);
        ASSERT_EQ(fast.count, slow.count) << puzzle << " findOne " << findOne;
        ASSERT_EQ(fast.cell, slow.cell) << puzzle;
        ASSERT_EQ(fast.digit, slow.digit) << puzzle;
        ASSERT_EQ(fast.firstCell, slow.firstCell) << puzzle;
        ASSERT_EQ(fast.firstDigit, slow.firstDigit) << puzzle;
        ASSERT_EQ(fast.solution, slow.solution) << puzzle;
        ASSERT_TRUE(fast.candidates == slow.candidates) << puzzle;
        ASSERT_EQ(a.HistoryLevel, 0);
        ASSERT_EQ(test::TextOf(a.CellGrid[0]), test::TextOf(b.CellGrid[0]));
    }
}

TEST(SearchReference, Top1465) {
    const auto puzzles = test::ReadCollection("top1465.txt");
    for (std::size_t i = 0; i < puzzles.size(); i += 3) Compare(puzzles[i]);
}

TEST(SearchReference, SeventeenClueSample) {
    const auto puzzles = test::ReadCollection("17clue.txt");
    for (std::size_t i = 0; i < puzzles.size(); i += 200) Compare(puzzles[i]);
}

TEST(SearchReference, SeveralSolutions) {
    const auto puzzles = test::ReadCollection("serg_benchmark.txt");
    for (std::size_t i = 0; i < puzzles.size(); i += 100) Compare(puzzles[i]);
}

TEST(SearchReference, CallerEliminationsAtTheTop) {
    const auto puzzles = test::ReadCollection("top1465.txt");
    for (int i = 0; i < 120; ++i) Compare(puzzles[i * 7], kClassic, 0, i);
}

TEST(SearchReference, NoSolution) {
    // Unique puzzles with one wrong extra clue.
    const auto puzzles = test::ReadCollection("top1465.txt");
    for (int i = 0; i < 60; ++i) {
        std::string p = puzzles[i * 11];
        Engine e;
        test::LoadPuzzle(e, p);
        e.SolutionCount = 0;
        e.FindOneSolution();
        const int cell = static_cast<int>(p.find('.'));
        for (int d = 1; d <= 9; ++d) {
            if (d != e.SearchSolution[cell] && e.CandidateTable.Has(cell, d)) {
                p[cell] = static_cast<char>('0' + d);
                break;
            }
        }
        Compare(p);
    }
}

TEST(SearchReference, Variants) {
    const auto puzzles = test::ReadCollection("top1465.txt");
    for (int i = 0; i < 20; ++i) {
        // Fewer clues make the variant rules matter; several solutions are fine.
        std::string p = puzzles[i];
        for (int c = 0; c < 81; c += 10) p[c] = '.';
        Compare(p, kClassic, 1);
        Compare(p, kNonConsecutive, 0);
    }
}

TEST(SearchReference, EmptyGrids) {
    const std::string empty(81, '.');
    Compare(empty);
    Compare(empty, kClassic, 1);
    Compare(empty, kNonConsecutive, 0);
    Compare(empty, kConsecutive, 1);
}

} // namespace
} // namespace vemo
