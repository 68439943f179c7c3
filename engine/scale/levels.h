// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The two levels beyond the generator's five bands, defined on the
// community's scale: "Diabolique" (ER 6.0 to 7.9) and "Démoniaque" (ER 8.0
// and above). Such puzzles are rare among random ones: a generation makes
// random puzzles, trials allowed, until one's ER falls in the level.
#pragma once

#include "scale.h"

#include <atomic>
#include <functional>

namespace vemo {

// Beside kFacile..kAleatoire (generation.h).
enum ScaleDifficulty : int { kDiabolique = 5, kDemoniaque = 6 };

namespace scale {

struct ScaleLevel {
    int erMin; // tenths, inclusive
    int erMax;
    int text; // language text of its name
};

inline constexpr ScaleLevel kDiaboliqueLevel = {60, 79, 721};
inline constexpr ScaleLevel kDemoniaqueLevel = {80, kNothingFound - 1, 722};

// The level of kDiabolique or kDemoniaque.
constexpr const ScaleLevel& LevelOf(int difficulty) {
    return difficulty == kDemoniaque ? kDemoniaqueLevel : kDiaboliqueLevel;
}

// Generates random puzzles with the engine's variant, X-Sudoku and symmetry
// until one rates within the level, and leaves it set up as GeneratePuzzle
// does. Returns the number of generations, or 0 when cancel turned true or
// maxGenerations were spent (the engine then holds the last puzzle made).
// progress receives the number of generations begun. The engine's
// ScaleLevel is left as it was.
long long GenerateOnScale(Engine& engine, int difficulty, ScaleRater& rater,
                          const std::atomic<bool>* cancel = nullptr,
                          long long maxGenerations = 1000000,
                          const std::function<void(long long generations)>& progress = {});

} // namespace scale
} // namespace vemo
