// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Practice by technique in the engine: the list and the ranks follow the hint
// driver's order, the hardest step of a puzzle is the highest-ranked step of
// its solve, and the search finds a puzzle of the technique asked for; a
// technique that the hint order pre-empts is practised where the technique
// that takes its place first comes, with its own finder's step.
#include "engine/advanced/catalogue.h"
#include "engine/advanced/ids.h"
#include "engine/advanced/practice.h"
#include "engine/engine.h"
#include "engine/generator/generation.h"
#include "example_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace vemo {
namespace {

TEST(PracticeList, EveryTechniqueButTheTrialOnceInRankOrder) {
    const auto list = practice::PracticeTechniques();
    std::set<int> seen;
    std::set<std::string> stems;
    int previous = -1;
    for (const practice::PracticeTechnique& entry : list) {
        EXPECT_TRUE(seen.insert(entry.technique).second) << entry.technique;
        EXPECT_TRUE(stems.insert(entry.stem).second) << entry.stem;
        const int rank = practice::StepRank(entry.technique);
        EXPECT_GT(rank, previous) << entry.technique;
        previous = rank;
        EXPECT_EQ(practice::PracticeEntry(entry.technique), &entry);
    }
    for (int t = 1; t <= kTechniqueCount; ++t) EXPECT_EQ(seen.contains(t), t != kBruteForce) << t;
    for (int t = advanced::kFirstAdvanced; t < advanced::kAdvancedEnd; ++t)
        EXPECT_TRUE(seen.contains(t)) << t;
    EXPECT_EQ(list.size(), static_cast<std::size_t>(16 + advanced::kAdvancedCount));
    // The trial comes after every technique; anything else has no rank.
    EXPECT_GT(practice::StepRank(kBruteForce), previous);
    EXPECT_EQ(practice::StepRank(0), -1);
    EXPECT_EQ(practice::StepRank(advanced::kAdvancedEnd), -1);
    EXPECT_EQ(practice::PracticeEntry(kBruteForce), nullptr);
    // The basic techniques come as the chain tries them: the naked pair before
    // the locked candidates, the hidden pair after the naked quadruplet.
    EXPECT_LT(practice::StepRank(kNakedPair), practice::StepRank(kLockedBoxToLine));
    EXPECT_LT(practice::StepRank(kNakedQuadruplet), practice::StepRank(kHiddenPair));
    EXPECT_LT(practice::StepRank(kHiddenQuadruplet), practice::StepRank(advanced::kSkyscraper));
    // Only the impossible neighbour needs a variant.
    for (const practice::PracticeTechnique& entry : list)
        EXPECT_EQ(entry.variant, entry.technique == kImpossibleNeighbour ? kConsecutive : kClassic);
}

Engine Generated(int band, std::uint64_t seed) {
    Engine e;
    e.Rng.Seed(seed);
    e.SetDifficulty(band);
    EXPECT_TRUE(e.GeneratePuzzle());
    return e;
}

TEST(HardestStep, IsTheHighestRankedStepOfTheSolveAndItsFirstPlace) {
    for (const int band : {kFacile, kDifficile, kAleatoire}) {
        for (std::uint64_t seed = 1; seed <= 4; ++seed) {
            const Engine e = Generated(band, seed * 97 + static_cast<std::uint64_t>(band));
            std::vector<advanced::AdvancedStep> steps;
            const practice::HardestStep hardest = practice::FindHardestStep(e, &steps);
            ASSERT_NE(hardest.technique, 0);
            ASSERT_FALSE(steps.empty());
            EXPECT_EQ(hardest.steps, static_cast<int>(steps.size()));
            ASSERT_GE(hardest.first, 0);
            EXPECT_EQ(steps[static_cast<std::size_t>(hardest.first)].technique, hardest.technique);
            const int top = practice::StepRank(hardest.technique);
            for (std::size_t i = 0; i < steps.size(); ++i) {
                EXPECT_LE(practice::StepRank(steps[i].technique), top);
                if (static_cast<int>(i) < hardest.first)
                    EXPECT_NE(steps[i].technique, hardest.technique);
            }
            // The puzzle is solved: the steps placed every missing digit.
            int placed = 0;
            for (const auto& s : steps) placed += s.placeCell >= 0 ? 1 : 0;
            int givens = 0;
            for (int c = 0; c < kCells; ++c) givens += e.Givens[c] != 0 ? 1 : 0;
            EXPECT_EQ(placed + givens, kCells);
        }
    }
}

TEST(HardestStep, NothingForAGridOfSeveralSolutions) {
    Engine e;
    test::LoadPuzzle(e, std::string(81, '.'));
    EXPECT_EQ(practice::FindHardestStep(e).technique, 0);
}

TEST(PracticeSearch, FindsThePuzzleAskedForAndKeepsTheEnginesBand) {
    Engine e;
    e.Rng.Seed(2026);
    e.SetDifficulty(kMoyen);
    const int scoreMin = e.ScoreMin, scoreMax = e.ScoreMax;
    int made = 0;
    const long long n = practice::GenerateForPractice(e, kXYWing, nullptr, 400, {},
                                                      [&](const Engine&, int) { ++made; });
    ASSERT_GT(n, 0);
    EXPECT_EQ(made, n); // every puzzle made is shown
    EXPECT_EQ(practice::FindHardestStep(e).technique, kXYWing);
    EXPECT_EQ(e.VariantKind, kClassic);
    EXPECT_EQ(e.ScoreMin, scoreMin);
    EXPECT_EQ(e.ScoreMax, scoreMax);
    EXPECT_TRUE(e.PuzzleFixed);

    // The impossible neighbour on a grid with bars.
    Engine v;
    v.Rng.Seed(7);
    ASSERT_GT(practice::GenerateForPractice(v, kImpossibleNeighbour, nullptr, 400), 0);
    EXPECT_EQ(v.VariantKind, kConsecutive);
    EXPECT_EQ(practice::FindHardestStep(v).technique, kImpossibleNeighbour);

    // A cancelled search and one out of budget make nothing.
    const std::atomic<bool> cancel{true};
    EXPECT_EQ(practice::GenerateForPractice(e, kXYWing, &cancel, 100), 0);
    EXPECT_EQ(practice::GenerateForPractice(e, kBruteForce, nullptr, 100), 0);
}

// The techniques that the hints pre-empt, each with its example files: at the
// position where the practice begins, the hint order takes one of the
// techniques that pre-empt it (the hints of a normal game are as they were),
// while the technique's own finder finds a step there that keeps the
// solution's digits.
TEST(PreemptedPractice, EachExampleBeginsWhereAnotherTechniqueTakesItsPlace) {
    int techniques = 0;
    for (const practice::PracticeTechnique& entry : practice::PracticeTechniques()) {
        const std::span<const int> preempters = practice::PreemptersOf(entry.technique);
        if (preempters.empty()) continue;
        ++techniques;
        for (int n = 1; n <= 3; ++n) {
            const std::string name = std::string(entry.stem) + std::to_string(n) + ".sku";
            const Engine e = AnalysedExample(name);
            std::vector<advanced::AdvancedStep> steps;
            const practice::HardestStep hardest = practice::FindHardestStep(e, &steps);
            const int at = practice::PracticeStepIndex(e, entry.technique, hardest, steps);
            ASSERT_GE(at, 0) << name;
            EXPECT_EQ(practice::PracticeStepIndex(e, entry.technique), at) << name;
            // Nothing harder than the techniques that take its place.
            EXPECT_NE(std::find(preempters.begin(), preempters.end(), hardest.technique),
                      preempters.end())
                << name;
            // The position of the practice, as the hints of a normal game come to it.
            Engine game = e;
            game.HistoryLevel = 0;
            game.CellGrid[0] = game.Givens;
            game.ComputeCandidates();
            for (int i = 0; i <= at; ++i) {
                game.AdvancedLayer = true;
                game.FindNextTechnique();
                game.AdvancedLayer = false;
                ASSERT_EQ(game.HintTechnique, steps[static_cast<std::size_t>(i)].technique)
                    << name << " step " << i;
                if (i == at) break;
                game.ApplyStep(game.HintTechnique);
            }
            const int usual = game.HintTechnique;
            EXPECT_NE(std::find(preempters.begin(), preempters.end(), usual), preempters.end())
                << name;
            advanced::AdvancedStep step;
            ASSERT_TRUE(practice::FindPracticeStep(game, entry.technique, step)) << name;
            EXPECT_EQ(step.technique, entry.technique);
            EXPECT_TRUE(step.eliminationCount > 0 || step.placeCell >= 0) << name;
            if (step.placeCell >= 0) EXPECT_EQ(step.placeDigit, e.SolutionGrid[step.placeCell]);
            for (int i = 0; i < step.eliminationCount; ++i) {
                const auto& x = step.eliminations[i];
                EXPECT_TRUE(game.CandidateTable.Has(x.cell, x.digit)) << name;
                EXPECT_NE(x.digit, e.SolutionGrid[x.cell]) << name << " removes a true digit";
            }
            // Asking the technique's finder leaves the hint order alone.
            game.AdvancedLayer = true;
            game.FindNextTechnique();
            game.AdvancedLayer = false;
            EXPECT_EQ(game.HintTechnique, usual) << name;
            // The puzzle does not practise the techniques it has nothing of.
            EXPECT_EQ(practice::PracticeStepIndex(e, advanced::kForcingNet, hardest, steps), -1);
        }
    }
    EXPECT_EQ(techniques, 6);
    for (const int t :
         {advanced::kSkyscraper, advanced::kTwoStringKite, advanced::kTurbotFish,
          advanced::kRemotePairs, advanced::kSueDeCoq, advanced::kContradictionForcingChain})
        EXPECT_FALSE(practice::PreemptersOf(t).empty()) << t;
    EXPECT_TRUE(practice::PreemptersOf(advanced::kXChain).empty());
}

} // namespace
} // namespace vemo
