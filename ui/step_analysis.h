// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the characteristics page adds to the logged solve: the solve without
// guessing from the first trial of the logged one on (the advanced steps that
// stand in for "Force brute"), and the rating on the community's scale. Pure
// work on a copy of the engine, safe on a worker thread.
#pragma once

#include "engine/engine.h"

#include <atomic>
#include <string>
#include <vector>

namespace vemo::ui {

struct GuessFreeStep {
    int technique = 0; // 1..17 or an advanced id
    std::vector<int> cells;
    std::vector<int> digits;
};

struct StepAnalysis {
    // The logged solve's steps done before its first trial: the steps below
    // are numbered on from there. -1 when the logged solve needed no trial.
    int firstTrial = -1;
    std::vector<GuessFreeStep> steps;
    // Tenths; er 0 when not rated.
    int er = 0, ep = 0, ed = 0;
    bool rated = false;
    bool scaleStuck = false;
    // The hardest step on the scale: its technique (scale::ScaleTechnique) and
    // chain level, named in the interface's language where it is shown.
    int hardestTechnique = 0;
    int hardestLevel = 0;
};

// `engine` holds the installed puzzle with its analysis (Givens, StepLog).
// The scale rating gives up (not rated) once *stop is true.
StepAnalysis AnalyseSteps(const Engine& engine, const std::atomic<bool>* stop = nullptr);
// Its two parts: the steps without guessing (firstTrial and steps), quick;
// then the rating, which may take many seconds on the hardest puzzles.
StepAnalysis ListGuessFreeSteps(const Engine& engine);
void RateOnTheScale(const Engine& engine, StepAnalysis& result, const std::atomic<bool>* stop);

// The position of `engine`'s puzzle (its givens) after the first `steps`
// steps of the hint driver: the seventeen techniques, then the advanced
// catalogue when `advancedLayer`, then a trial, as the logged solve and the
// hints go. Returns false when the grid fills up or nothing is found first.
bool ReplaySteps(Engine& engine, int steps, bool advancedLayer);

} // namespace vemo::ui
