// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Soundness of the advanced catalogue: at every position met, every finder of
// the catalogue is asked, and whatever it reports must agree with the puzzle's
// unique solution: no elimination of a solution digit, no wrong placement,
// nothing that is not a candidate. Positions come from logic-only solves of the
// collections (each recorded step replayed), from random eliminations that the
// solution allows, and from generated puzzles of every variant.
#include "engine/advanced/catalogue.h"
#include "engine/generator/generation.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace vemo {
namespace {

using advanced::AdvancedCatalogue;
using advanced::AdvancedStep;
using advanced::Board;

struct Sweep {
    long positions = 0;
    long findings = 0;
    long steps = 0;
    std::array<long, 128> perTechnique{};
};

// False (with failures reported) when the step contradicts the solution.
bool StepAgrees(const Board& board, const AdvancedStep& s, const Grid& solution,
                const std::string& where) {
    bool ok = true;
    const std::string name = std::to_string(s.technique) + " at " + where;
    if (s.eliminationCount == 0 && s.placeCell < 0) {
        ADD_FAILURE() << "a step that does nothing: " << name;
        ok = false;
    }
    for (int i = 0; i < s.eliminationCount; ++i) {
        const auto e = s.eliminations[i];
        if (e.cell < 0 || e.cell >= 81 || e.digit < 1 || e.digit > 9 ||
            (board.mask[e.cell] >> (e.digit - 1) & 1) == 0) {
            ADD_FAILURE() << "eliminates a non-candidate " << int(e.digit) << " from "
                          << int(e.cell) << ": " << name;
            ok = false;
        } else if (solution[e.cell] == e.digit) {
            ADD_FAILURE() << "eliminates the solution digit " << int(e.digit) << " from "
                          << int(e.cell) << ": " << name;
            ok = false;
        }
    }
    if (s.placeCell >= 0 && solution[s.placeCell] != s.placeDigit) {
        ADD_FAILURE() << "places " << s.placeDigit << " in " << s.placeCell << ": " << name;
        ok = false;
    }
    return ok;
}

// Asks every finder of the catalogue on the engine's level 0.
void CheckEveryFinder(const Engine& e, const Grid& solution, Sweep& sweep,
                      const std::string& where) {
    const Board board = advanced::TakeBoard(e);
    ++sweep.positions;
    for (const auto& t : AdvancedCatalogue) {
        AdvancedStep s;
        if (!t.find(board, s)) continue;
        s.technique = t.id;
        ++sweep.findings;
        ++sweep.perTechnique[static_cast<std::size_t>(t.id - advanced::kFirstAdvanced)];
        if (!StepAgrees(board, s, solution, where)) return;
    }
}

Grid SolutionOf(Engine& e) {
    e.HistoryLevel = 0;
    e.SolutionCount = 0;
    e.CountSolutions();
    EXPECT_EQ(e.SolutionCount, 1);
    e.SolutionCount = 0;
    e.FindOneSolution();
    e.HistoryLevel = 0;
    e.ComputeCandidates();
    return e.SearchSolution;
}

// Solves logically, then replays the recorded steps from the start, checking
// every finder at every position and each step itself.
void SweepSolve(Engine& e, const Grid& solution, Sweep& sweep, const std::string& where) {
    const Grid start = e.CellGrid[0];
    const Candidates candidates = e.CandidateTable;
    std::vector<AdvancedStep> steps;
    steps.reserve(200);
    e.SolveLogically(&steps);
    const Grid reached = e.CellGrid[0];
    const Candidates reachedCandidates = e.CandidateTable;
    e.CellGrid[0] = start;
    e.ComputeCandidates();
    e.CandidateTable = candidates;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        CheckEveryFinder(e, solution, sweep, where + " step " + std::to_string(i));
        const Board board = advanced::TakeBoard(e);
        if (!StepAgrees(board, steps[i], solution, where + " applied step " + std::to_string(i)))
            return;
        e.ApplyAdvancedStep(steps[i]);
        ++sweep.steps;
    }
    // The records alone lead to the same position.
    EXPECT_EQ(test::TextOf(e.CellGrid[0]), test::TextOf(reached)) << where;
    EXPECT_TRUE(e.CandidateTable == reachedCandidates) << where;
}

// Removes, with probability 1/3, every candidate that is not the solution's.
void RandomEliminations(Engine& e, const Grid& solution, std::mt19937& rng) {
    for (int c = 0; c < 81; ++c) {
        if (e.CellGrid[0][c] != 0) continue;
        for (int d = 1; d <= 9; ++d)
            if (d != solution[c] && e.CandidateTable.Has(c, d) && rng() % 3 == 0)
                e.CandidateTable.Remove(c, d);
    }
}

void SweepRandom(Engine& e, const Grid& solution, Sweep& sweep, std::mt19937& rng, int rounds,
                 const std::string& where) {
    const Candidates candidates = e.CandidateTable;
    for (int r = 0; r < rounds; ++r) {
        e.CandidateTable = candidates;
        RandomEliminations(e, solution, rng);
        CheckEveryFinder(e, solution, sweep, where + " random " + std::to_string(r));
    }
    e.CandidateTable = candidates;
}

void Report(const char* what, const Sweep& sweep) {
    std::string per;
    for (const auto& t : AdvancedCatalogue)
        per += ' ' + std::to_string(t.id) + ':' +
               std::to_string(
                   sweep.perTechnique[static_cast<std::size_t>(t.id - advanced::kFirstAdvanced)]);
    std::printf("%s: %ld positions, %ld steps replayed, %ld findings checked;%s\n", what,
                sweep.positions, sweep.steps, sweep.findings, per.c_str());
}

void SweepCollection(const char* file, int every, int limit, Sweep& sweep) {
    const auto puzzles = test::ReadCollection(file);
    ASSERT_FALSE(puzzles.empty()) << file;
    std::mt19937 rng(1465);
    int n = 0;
    for (std::size_t i = 0; i < puzzles.size() && n < limit; i += static_cast<std::size_t>(every)) {
        ++n;
        Engine e;
        test::LoadPuzzle(e, puzzles[i]);
        const Grid solution = SolutionOf(e);
        const std::string where = std::string(file) + ":" + std::to_string(i + 1);
        SweepRandom(e, solution, sweep, rng, 2, where);
        SweepSolve(e, solution, sweep, where);
        if (testing::Test::HasFailure()) return;
    }
}

// One test a collection, so that they run side by side.
TEST(AdvancedSoundness, LogicOnlySolvesOfTop1465) {
    Sweep sweep;
    SweepCollection("top1465.txt", 7, 210, sweep);
    Report("top1465", sweep);
    EXPECT_GT(sweep.positions, 3000);
}

TEST(AdvancedSoundness, LogicOnlySolvesOfExchangeDiabolical) {
    Sweep sweep;
    SweepCollection("exchange_diabolical.txt", 97, 60, sweep);
    Report("exchange_diabolical", sweep);
    EXPECT_GT(sweep.positions, 1000);
}

TEST(AdvancedSoundness, LogicOnlySolvesOfForumHardest) {
    Sweep sweep;
    SweepCollection("forum_hardest_1106.txt", 11, 35, sweep);
    Report("forum_hardest_1106", sweep);
    EXPECT_GT(sweep.positions, 500);
}

// Generated puzzles of every variant, their logic-only solves and random
// eliminations along the way.
TEST(AdvancedSoundness, EveryVariant) {
    struct Kind {
        int variant, x;
    };
    const std::array<Kind, 6> kinds = {{{kClassic, 0},
                                        {kClassic, 1},
                                        {kNonConsecutive, 0},
                                        {kConsecutive, 0},
                                        {kOddEven, 0},
                                        {kConsecutive, 1}}};
    Sweep sweep;
    std::mt19937 rng(22);
    for (const Kind& k : kinds) {
        Sweep kindSweep;
        for (int seed = 0; seed < 6; ++seed) {
            Engine e;
            e.Rng.Seed(2200 + seed * 7 + k.variant * 100 + k.x * 1000);
            e.SetDifficulty(seed % 2 == 0 ? kAleatoire : kExtreme);
            e.VariantKind = k.variant;
            e.XSudoku = k.x;
            ASSERT_TRUE(e.GeneratePuzzle());
            const Grid solution = e.SolutionGrid;
            const std::string where = "variant " + std::to_string(k.variant) + " x " +
                                      std::to_string(k.x) + " seed " + std::to_string(seed);
            e.HistoryLevel = 0;
            e.ComputeCandidates();
            SweepRandom(e, solution, kindSweep, rng, 20, where);
            SweepSolve(e, solution, kindSweep, where);
            // Positions along the way with random eliminations too.
            e.CellGrid[0] = e.Givens;
            e.ComputeCandidates();
            for (int c = 0; c < 81; c += 3)
                if (e.CellGrid[0][c] == 0) e.PlaceDigit(c, solution[c]);
            SweepRandom(e, solution, kindSweep, rng, 10, where + " half");
            if (HasFailure()) return;
        }
        Report(("variant " + std::to_string(k.variant) + " x " + std::to_string(k.x)).c_str(),
               kindSweep);
        sweep.positions += kindSweep.positions;
    }
    EXPECT_GT(sweep.positions, 300);
}

} // namespace
} // namespace vemo
