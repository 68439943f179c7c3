// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "levels.h"

#include "../engine.h"
#include "../generator/generation.h"

namespace vemo::scale {

long long GenerateOnScale(Engine& engine, int difficulty, ScaleRater& rater,
                          const std::atomic<bool>* cancel, long long maxGenerations) {
    const ScaleLevel& level = LevelOf(difficulty);
    for (long long n = 1; n <= maxGenerations; ++n) {
        if (cancel != nullptr && cancel->load()) return 0;
        // The generator's hardest band: a score of 120 and above, trials
        // allowed.
        engine.SetDifficulty(kAleatoire);
        if (!engine.GeneratePuzzle({}, cancel)) return 0;
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
