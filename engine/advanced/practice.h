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

// Some advanced techniques are never, or hardly ever, the hardest step of a
// puzzle: at the positions where one of them finds a step, a technique that
// the hint order tries before it nearly always finds one too and takes its
// place. The colouring and the multi-colouring of the seventeen take every
// Skyscraper, 2-String Kite and Turbot Fish that is not already a single, a
// subset, a pair of locked candidates or an X-Wing (each is two strong links
// of one digit joined by a weak one); a naked pair, an X-Wing or the
// colouring take the Remote Pairs; a Sue de Coq is met first as a nice loop
// or an ALS-XZ, and only now and then as itself; a contradiction forcing
// chain is a cell or unit forcing chain first. (In the 1465 puzzles of
// top1465, the hints took a Skyscraper, a Kite, a Turbot Fish, Remote Pairs
// or a contradiction forcing chain nowhere, and a Sue de Coq 14 times among
// the thousands of positions where its finder finds one.) The Unique Rectangle Type 5 is not
// pre-empted but rare: its finder finds a step at a dozen positions of those puzzles, and the hints
// take it once; its practice comes from its examples, puzzles made from such positions of
// exchange_diabolical by vemo-practice-derive.
//
// For such a technique T a puzzle practises T when the hardest step of its
// solve is one of the techniques that pre-empt T, and at the position of the
// first step of the solve made by one of them T's own finder finds a step:
// the puzzle needs nothing harder than T's place in the order, and the
// practice game's first hint, at that position, asks T's finder directly
// (FindPracticeStep), so that it shows and explains T rather than the
// technique that comes first; after it the hints go in their usual order.
// For every other technique a puzzle practises T when its hardest step is T,
// at the first T step of its solve. The hint order of a normal game is the
// same for every puzzle.

// The techniques that take the place of a pre-empted technique in the hint
// order; empty for one that the hints reach.
std::span<const int> PreemptersOf(int technique);

// The index in the solve `steps` of the puzzle, whose hardest step is
// `hardest`, of the step before which the practice of `technique` begins
// (the position of its first hint); -1 when the puzzle does not practise it.
int PracticeStepIndex(const Engine& puzzle, int technique, const HardestStep& hardest,
                      const std::vector<advanced::AdvancedStep>& steps);
// The same for a puzzle solved afresh.
int PracticeStepIndex(const Engine& puzzle, int technique);

// The technique a puzzle is kept for in the practice pool: the first
// pre-empted technique it practises, else its hardest step.
int PractisedTechnique(const Engine& puzzle, const HardestStep& hardest,
                       const std::vector<advanced::AdvancedStep>& steps);

// The step of `technique` on level 0 of `position` as its own finder finds
// it, whatever the hint order would take first; false when it finds none or
// the position has not exactly one solution.
bool FindPracticeStep(const Engine& position, int technique, advanced::AdvancedStep& step);

// Generates puzzles for the technique's variant (no X) and band, with the
// engine's symmetry, until one practises `technique` (PracticeStepIndex), and
// leaves it set up as GeneratePuzzle does; the engine's band (ScoreMin,
// ScoreMax, BruteForceLimit, ScaleLevel) is left as it was. Every puzzle made
// is shown to `made` with the technique it is kept for (PractisedTechnique),
// so that the caller may keep those of other techniques.
// Returns the number of generations, or 0 when cancel turned true or
// maxGenerations were spent. `progress` receives the generations begun.
long long GenerateForPractice(Engine& engine, int technique, const std::atomic<bool>* cancel,
                              long long maxGenerations,
                              const std::function<void(long long generations)>& progress = {},
                              const std::function<void(const Engine&, int technique)>& made = {});

} // namespace vemo::practice
