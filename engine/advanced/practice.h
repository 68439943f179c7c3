// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Practice by technique: which techniques can be practised, how hard a step
// is, the hardest step of a puzzle, and the search for a puzzle whose hardest
// step is a chosen technique.
//
// A step's rank is its place in the order in which the hint driver tries the
// techniques: the seventeen basic ones in the order of their chain (naked
// single first, hidden quadruplet last), then the advanced catalogue in its
// own order (Skyscraper first, Forcing Net last), and last the trial of
// "Force brute". The hardest step of a puzzle is the step of highest rank in
// its solve without guessing (the seventeen techniques, then the whole
// advanced catalogue), and "Force brute" when that solve gets stuck. So a
// puzzle whose hardest step is T is solved by the techniques up to T in that
// order, needs T, and the first time the hints come to T is the first T step
// of that solve. The practice list shows the techniques in the same order.
#pragma once

#include "board.h"

#include <atomic>
#include <functional>
#include <span>
#include <vector>

namespace vemo {
class Engine;
}

namespace vemo::practice {

struct PracticeTechnique {
    int technique;    // 1..17 or an advanced id
    int variant;      // the variant its puzzles are made for: classic first
    int band;         // the generator's band (kFacile..kAleatoire) its puzzles come from
    const char* stem; // the examples folder's file name stem (UTF-8)
};

// Every technique that can be practised, in rank order: the basic techniques
// but "Force brute" (the trial is no technique to practise), then every
// advanced one.
std::span<const PracticeTechnique> PracticeTechniques();
// The entry of a technique; nullptr when it cannot be practised.
const PracticeTechnique* PracticeEntry(int technique);

// The rank of a step (0 for the naked single); -1 for any other number.
int StepRank(int technique);

struct HardestStep {
    int technique = 0; // 0 when the puzzle has no single solution
    int first = -1;    // the index of its first step in the solve (-1 for a trial)
    int steps = 0;     // the steps of the solve
};

// The hardest step of the puzzle given in `puzzle` (its Givens and marks),
// solved afresh on a copy; `steps`, when given, receives every step.
HardestStep FindHardestStep(const Engine& puzzle,
                            std::vector<advanced::AdvancedStep>* steps = nullptr);

// Generates puzzles for the technique's variant (no X) and band, with the
// engine's symmetry, until one's hardest step is `technique`, and leaves it
// set up as GeneratePuzzle does; the engine's band (ScoreMin, ScoreMax,
// BruteForceLimit, ScaleLevel) is left as it was. Every puzzle made is shown to `made` with its
// hardest step, so that the caller may keep those of other techniques.
// Returns the number of generations, or 0 when cancel turned true or
// maxGenerations were spent. `progress` receives the generations begun.
long long GenerateForPractice(Engine& engine, int technique, const std::atomic<bool>* cancel,
                              long long maxGenerations,
                              const std::function<void(long long generations)>& progress = {},
                              const std::function<void(const Engine&, int hardest)>& made = {});

} // namespace vemo::practice
