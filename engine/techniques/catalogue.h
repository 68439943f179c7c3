// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The catalogue of techniques: what each step kind weighs in the score, the
// colour of its hint and the language text that names it.
#pragma once

#include <array>

namespace vemo {

enum TechniqueId : int {
    kNakedSingle = 1,
    kHiddenSingle = 2,
    kLockedBoxToLine = 3,
    kLockedLineToBox = 4,
    kNakedPair = 5,
    kHiddenPair = 6,
    kNakedTriple = 7,
    kHiddenTriple = 8,
    kNakedQuadruplet = 9,
    kHiddenQuadruplet = 10,
    kXWing = 11,
    kSwordfish = 12,
    kColouring = 13,
    kMultiColouring = 14,
    kXYWing = 15,
    kBruteForce = 16,
    kImpossibleNeighbour = 17,
};

inline constexpr int kTechniqueCount = 17;

struct Rgb {
    int red, green, blue;
    constexpr bool operator==(const Rgb&) const = default;
};

struct TechniqueInfo {
    int id;
    double weight;      // factor of the step weight in the score
    Rgb colour;         // tint of the hint line and the hint cells
    int text;           // language text that names it
    const char* french; // built-in name; empty where only the language file names it
};

// Indexed by technique id; entry 0 stands for "no technique" (white).
inline constexpr std::array<TechniqueInfo, kTechniqueCount + 1> TechniqueCatalogue = {{
    {0, 0, {255, 255, 255}, 0, ""},
    {1, 0, {224, 255, 255}, 101, "Candidat unique"},
    {2, 1, {194, 232, 255}, 102, "Candidat caché"},
    {3, 23, {82, 181, 194}, 103, "Candidats Vérouillés (1)"},
    {4, 25, {107, 237, 195}, 104, "Candidats Vérouillés (2)"},
    {5, 20, {35, 170, 251}, 107, "Paire nue"},
    {6, 140, {9, 159, 7}, 110, "Paire cachée"},
    {7, 100, {3, 189, 124}, 108, "Triplet nu"},
    {8, 400, {251, 145, 51}, 118, "Triplet caché"},
    {9, 250, {50, 247, 39}, 109, "Quadruplet nu"},
    {10, 600, {252, 118, 134}, 120, "Quadruplet caché"},
    {11, 180, {251, 250, 113}, 114, "X-wing"},
    {12, 240, {235, 232, 9}, 115, "Swordfish"},
    {13, 220, {235, 200, 9}, 116, "Couleurs"},
    {14, 260, {251, 178, 51}, 117, "Couleurs multiples"},
    {15, 280, {252, 149, 118}, 119, "XY-wing"},
    {16, 200, {249, 37, 61}, 530, ""},
    {17, 1.5, {196, 184, 254}, 541, ""},
}};

// The language texts of TechniqueNames[1..17], in technique order.
inline constexpr std::array<int, kTechniqueCount> TechniqueNameTexts = {
    101, 102, 103, 104, 107, 110, 108, 118, 109, 120, 114, 115, 116, 117, 119, 530, 541};

// The weight of one step taken with `filled` cells filled: about 3.40 on an
// empty grid, 1.62 at 40 filled cells, 1.00 at 80.
constexpr double StepWeight(int filled) {
    const double n = filled;
    return 0.00036621 * n * n - 0.059326 * n + 3.4027;
}

// Score bands of the level names shown for a rated puzzle: text 62 "Facile",
// 61 "Moyen", 60 "Difficile", 59 "Extrême"; 0 for an unrated score (0).
constexpr int LevelText(int score) {
    if (score >= 650) return 59;
    if (score >= 320) return 60;
    if (score >= 106) return 61;
    if (score >= 1) return 62;
    return 0;
}

} // namespace vemo

namespace vemo {

inline constexpr std::array<Rgb, kTechniqueCount + 1> TechniqueColours = [] {
    std::array<Rgb, kTechniqueCount + 1> colours{};
    for (const auto& t : TechniqueCatalogue) colours[t.id] = t.colour;
    return colours;
}();

} // namespace vemo
