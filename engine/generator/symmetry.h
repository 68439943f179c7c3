// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Symmetry orbits: the cells that the generator removes together.
#pragma once

#include <array>

namespace vemo {

enum Symmetry : int { kNoSymmetry = 0, kCentral = 1, kAxial = 2, kReflective = 3 };

// An orbit as the list of its cells, duplicates included where the orbit is
// smaller than the symmetry's usual size (clearing a cell twice is harmless).
struct Orbit {
    std::array<int, 4> cells{};
    int size = 0;
};

constexpr Orbit OrbitOf(int symmetry, int cell) {
    const int r = cell / 9, c = cell % 9;
    switch (symmetry) {
    case kCentral: return {{cell, 80 - cell, 0, 0}, 2};
    case kAxial: return {{cell, r * 9 + (8 - c), 0, 0}, 2};
    case kReflective:
        return {{cell, r * 9 + (8 - c), (8 - r) * 9 + c, (8 - r) * 9 + (8 - c)}, 4};
    default: return {{cell, 0, 0, 0}, 1};
    }
}

// How the removal list is cut into phases, per symmetry.
struct RemovalPhases {
    int blind;     // entries 1..blind
    int reserve;   // the next `reserve` entries
    int swaps;     // the next three entries
    int swapRange; // swap index drawn as rnd(swapRange) + 1
    int limit;     // the loop ends once the clues are no more than this
    int exchanges; // random exchanges of the thinning list
};

inline constexpr std::array<RemovalPhases, 4> kRemovalPhases = {{
    {48, 18, 3, 48, 15, 20},
    {21, 11, 3, 21, 18, 10},
    {21, 13, 3, 21, 22, 12},
    {13, 6, 3, 13, 24, 12},
}};

} // namespace vemo
