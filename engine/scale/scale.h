// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The rating on the community's difficulty scale: ER, EP and ED, from 1.0 to
// about 12, one decimal.
//
// The rater repeats: try the techniques of its own fixed order, take the first
// step found (among the chaining techniques, the easiest one: lowest
// difficulty, then lowest complexity), apply it, start again. ER is the
// hardest step of the whole solve, EP the hardest up to and including the
// first step that places a digit, ED the first step's difficulty.
//
// Every figure is held in tenths (an ER of 7.2 is 72), so that no rounding
// enters. 200 (20.0) means that the rater found no step at some point: it is
// not a rating.
//
// Variants: the rules enter only through advanced::Board (units, X diagonals,
// bars), so every technique reasons on the same weak links on every grid: two
// candidates are weakly linked when they cannot both be true. The uniqueness
// techniques and the BUG run on classic grids only, since swapping two digits
// breaks a bar, a parity mark or a diagonal.
#pragma once

#include "../advanced/board.h"

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace vemo {
class Engine;
}

namespace vemo::scale {

enum ScaleTechnique : int {
    kNoTechnique = 0,
    kFullHouse,
    kHiddenSingleBox,
    kHiddenSingleLine,
    kDirectPointing,
    kDirectClaiming,
    kDirectHiddenPair,
    kNakedSingle,
    kDirectHiddenTriple,
    kPointing,
    kClaiming,
    kNakedPair,
    kXWing,
    kHiddenPair,
    kNakedTriple,
    kSwordfish,
    kHiddenTriple,
    kTwoStrongLinks,
    kXYWing,
    kXYZWing,
    kUniqueRectangle,
    kNakedQuadruple,
    kJellyfish,
    kHiddenQuadruple,
    kThreeStrongLinks,
    kWXYZWing,
    kBug,
    kFourStrongLinks,
    kAlignedPairExclusion,
    kVWXYZWing,
    kXCycle,
    kYCycle,
    kForcingXChain,
    kForcingYChain,
    kXYCycle,
    kForcingXYChain,
    kAlignedTripleExclusion,
    kNishio,
    kCellForcingChains,
    kUnitForcingChains,
    kContradictionForcingChains,
    kDoubleImplicationForcingChains,
    kScaleTechniqueEnd
};

// The English name of a technique.
const char* ScaleTechniqueName(int technique);
// With the chain level of ScaleStep: "Dynamic cell forcing chains", "... (+)",
// "Nested ... (level 2)".
std::string ScaleTechniqueName(int technique, int chainLevel);

inline constexpr int kNothingFound = 200;
inline constexpr int kMaxScaleEliminations = 729;

struct ScaleStep {
    int technique = kNoTechnique;
    // 0 the plain technique; for forcing chains 1 dynamic, 2 dynamic with the
    // simple techniques inside ("+"), 3.. nested levels 2..
    int chainLevel = 0;
    int difficulty = 0; // tenths
    int complexity = 0; // chains: the ancestors of the conclusions
    int placeCell = -1;
    int placeDigit = 0;
    std::array<advanced::Candidate, kMaxScaleEliminations> eliminations{};
    int eliminationCount = 0;
    // The candidates whose absence the step rests on are among these cells and
    // digits (a locked unit's cells and its digit, a subset's cells...): a
    // chain that uses the step inside counts the ones it removed.
    Bits81 basisCells = 0;
    unsigned basisDigits = 0;

    void Eliminate(int cell, int digit) {
        if (eliminationCount < kMaxScaleEliminations)
            eliminations[eliminationCount++] = {static_cast<std::int8_t>(cell),
                                                static_cast<std::int8_t>(digit)};
    }
};

std::string ScaleStepName(const ScaleStep& step);

struct ScaleRating {
    int er = 0; // tenths, kNothingFound when the rater got stuck
    int ep = 0;
    int ed = 0;
    int hardestTechnique = kNoTechnique;
    int hardestLevel = 0;
    int steps = 0;
    bool complete = false; // every cell was placed
};

// Called with every step before it is applied.
using ScaleStepObserver = std::function<void(const ScaleStep&)>;

struct ScaleWorkspace;

// Holds the working memory of the rating (chains need a few hundred
// kilobytes), so that rating many puzzles allocates once. One per thread.
class ScaleRater {
  public:
    ScaleRater();
    ~ScaleRater();
    ScaleRater(const ScaleRater&) = delete;
    ScaleRater& operator=(const ScaleRater&) = delete;

    // Rates the position at level 0 of the engine, with its candidates and
    // rules. The engine is not changed.
    ScaleRating Rate(const Engine& engine, const ScaleStepObserver& observer = {});
    // The same from a board already taken.
    ScaleRating Rate(const advanced::Board& board, const ScaleStepObserver& observer = {});

    // A rating that takes long (nested chains on the hardest puzzles, seconds)
    // stops once *stop is true; it then ends as if nothing were found.
    void SetStop(const std::atomic<bool>* stop);

  private:
    std::unique_ptr<ScaleWorkspace> work_;
};

ScaleRating RateOnScale(const Engine& engine, const ScaleStepObserver& observer = {});

// "7.2" from 72.
std::string FormatScale(int tenths);

} // namespace vemo::scale
