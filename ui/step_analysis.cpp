// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "step_analysis.h"

#include "hint_display.h"

#include "engine/advanced/ids.h"
#include "engine/scale/scale.h"
#include "engine/techniques/catalogue.h"

#include <algorithm>

namespace vemo::ui {

namespace {

constexpr int kMostSteps = 200;

GuessFreeStep StepFound(const Engine& e) {
    GuessFreeStep step;
    step.technique = e.HintTechnique;
    if (step.technique >= advanced::kFirstAdvanced) {
        const advanced::AdvancedStep& s = e.AdvancedHint;
        for (int i = 0; i < std::clamp(s.cellCount, 0, advanced::kMaxStepCells); ++i)
            if (s.cells[i] >= 0 && s.cells[i] < kCells) step.cells.push_back(s.cells[i]);
        for (int d = 1; d <= 9; ++d)
            if ((s.digits >> (d - 1) & 1) != 0) step.digits.push_back(d);
        return step;
    }
    const HintDisplay hint = DescribeHint(e);
    step.cells = hint.cells;
    step.digits = hint.digits;
    return step;
}

bool FindNext(Engine& e, bool advancedLayer) {
    e.HintTechnique = 0;
    e.AdvancedLayer = advancedLayer;
    e.FindNextTechnique();
    e.AdvancedLayer = false;
    return e.HintTechnique != 0 && !e.SearchAbandoned;
}

void StartFromGivens(Engine& e) {
    e.HistoryLevel = 0;
    e.CellGrid[0] = e.Givens;
    e.ComputeCandidates();
}

} // namespace

bool ReplaySteps(Engine& e, int steps, bool advancedLayer) {
    StartFromGivens(e);
    for (int n = 0; n < steps; ++n) {
        if (e.FilledCount >= kCells || !FindNext(e, advancedLayer)) return false;
        e.ApplyStep(e.HintTechnique);
    }
    return e.FilledCount < kCells;
}

StepAnalysis ListGuessFreeSteps(const Engine& engine) {
    StepAnalysis result;
    for (int n = 1; n < engine.StepCount && n <= kStepLogSize; ++n)
        if (engine.StepLog[n].technique == kBruteForce) {
            result.firstTrial = n - 1;
            break;
        }
    if (result.firstTrial < 0) return result;
    Engine e = engine;
    if (!ReplaySteps(e, result.firstTrial, false)) return result;
    for (int n = 0; n < kMostSteps && e.FilledCount < kCells; ++n) {
        if (!FindNext(e, true)) break;
        result.steps.push_back(StepFound(e));
        e.ApplyStep(e.HintTechnique);
    }
    return result;
}

void RateOnTheScale(const Engine& engine, StepAnalysis& result, const std::atomic<bool>* stop) {
    Engine e = engine;
    StartFromGivens(e);
    if (e.FilledCount >= kCells) return;
    scale::ScaleRater rater;
    rater.SetStop(stop);
    const scale::ScaleRating r = rater.Rate(e);
    if (stop != nullptr && stop->load()) return;
    result.rated = true;
    result.er = r.er;
    result.ep = r.ep;
    result.ed = r.ed;
    result.scaleStuck = r.er >= scale::kNothingFound;
    if (!result.scaleStuck) {
        result.hardestTechnique = r.hardestTechnique;
        result.hardestLevel = r.hardestLevel;
    }
}

StepAnalysis AnalyseSteps(const Engine& engine, const std::atomic<bool>* stop) {
    StepAnalysis result = ListGuessFreeSteps(engine);
    RateOnTheScale(engine, result, stop);
    return result;
}

} // namespace vemo::ui
