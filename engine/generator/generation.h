// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The difficulty bands of the generator.
#pragma once

#include <array>

namespace vemo {

enum Difficulty : int { kFacile = 0, kMoyen = 1, kDifficile = 2, kExtreme = 3, kAleatoire = 4 };

struct DifficultyBand {
    int scoreMin;
    int scoreMax;
    int bruteForceLimit;
    int text; // language text of its name
};

// "Aléatoire" is the only band that admits trials, up to two.
inline constexpr std::array<DifficultyBand, 5> kDifficultyBands = {{
    {0, 105, 0, 62},
    {106, 320, 0, 61},
    {321, 650, 0, 60},
    {651, 10000, 0, 59},
    {120, 10000, 2, 58},
}};

} // namespace vemo
