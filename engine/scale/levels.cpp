// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "levels.h"

#include "../engine.h"
#include "../generator/generation.h"

namespace vemo::scale {

long long GenerateOnScale(Engine& engine, int difficulty, ScaleRater& rater,
                          const std::atomic<bool>* cancel, long long maxGenerations,
                          const std::function<void(long long generations)>& progress) {
    const ScaleLevel& level = LevelOf(difficulty);
    const int scaleLevel = engine.ScaleLevel;
    for (long long n = 1; n <= maxGenerations; ++n) {
        if (cancel != nullptr && cancel->load()) break;
        if (progress) progress(n);
        // The generator's hardest band: a score of 120 and above, trials
        // allowed.
        engine.SetDifficulty(kAleatoire);
        engine.ScaleLevel = scaleLevel;
        if (!engine.GeneratePuzzle({}, cancel)) break;
        engine.HistoryLevel = 0;
        const Grid analysed = engine.CellGrid[0];
        engine.CellGrid[0] = engine.Givens;
        engine.ComputeCandidates();
        const int er = rater.Rate(engine).er;
        engine.CellGrid[0] = analysed;
        engine.ComputeCandidates();
        if (er >= level.erMin && er <= level.erMax) return n;
    }
    return 0;
}

} // namespace vemo::scale
