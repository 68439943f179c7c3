// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Helpers of the chain, set and forcing tests: the finders by name, a check of
// a step against the solution, and a logic-only solve (the basic techniques,
// then the finders) that checks every step it takes.
#pragma once

#include "engine/advanced/board.h"
#include "engine/advanced/chains.h"
#include "engine/advanced/ids.h"
#include "engine/engine.h"
#include "engine/techniques/catalogue.h"

#include <array>
#include <string>

namespace vemo::test {

using AdvancedFinder = bool (*)(const advanced::Board&, advanced::AdvancedStep&);

struct NamedFinder {
    int id;
    const char* name;
    AdvancedFinder find;
};

// In the order of the technique numbers.
inline constexpr std::array<NamedFinder, 13> kChainFinders = {{
    {advanced::kXChain, "X-Chain", advanced::FindXChain},
    {advanced::kXYChain, "XY-Chain", advanced::FindXYChain},
    {advanced::kNiceLoop, "Nice loop", advanced::FindNiceLoop},
    {advanced::kGroupedNiceLoop, "Grouped nice loop", advanced::FindGroupedNiceLoop},
    {advanced::kAlsXZ, "ALS-XZ", advanced::FindAlsXZ},
    {advanced::kAlsXYWing, "ALS-XY-Wing", advanced::FindAlsXYWing},
    {advanced::kAlsChain, "ALS chain", advanced::FindAlsChain},
    {advanced::kDeathBlossom, "Death Blossom", advanced::FindDeathBlossom},
    {advanced::kSueDeCoq, "Sue de Coq", advanced::FindSueDeCoq},
    {advanced::kCellForcingChain, "Cell forcing chain", advanced::FindCellForcingChain},
    {advanced::kUnitForcingChain, "Unit forcing chain", advanced::FindUnitForcingChain},
    {advanced::kContradictionForcingChain, "Contradiction forcing chain",
     advanced::FindContradictionForcingChain},
    {advanced::kForcingNet, "Forcing net", advanced::FindForcingNet},
}};

inline int FinderIndex(int id) {
    for (int i = 0; i < static_cast<int>(kChainFinders.size()); ++i)
        if (kChainFinders[i].id == id) return i;
    return -1;
}

// The unique solution of the engine's position (all zeros when it has none or several).
Grid UniqueSolution(const Engine& engine);

// What is wrong with a step found on `board`, empty when nothing: the wrong
// technique number, no conclusion, a removed or placed candidate that is not
// on the board, a removed solution digit, a wrong placement, a malformed chain.
std::string StepFault(const advanced::AdvancedStep& step, int id, const advanced::Board& board,
                      const Grid& solution);

// Performs the step on the engine's candidates (a placement through PlaceDigit).
void ApplyAdvancedStep(Engine& engine, const advanced::AdvancedStep& step);

struct LogicTally {
    int puzzles = 0;
    int solved = 0;
    int positions = 0; // positions where the basic techniques were stuck
    int steps = 0;     // advanced steps checked and applied
    int removed = 0;
    int placed = 0;
    std::array<int, 13> uses{};
    std::string fault; // the first unsound or malformed step
};

// Solves the engine's position with the basic techniques and the finders
// kChainFinders[first..last], in that order, checking each advanced step
// against the solution; stops at a faulty step. True when the grid is full.
bool SolveLogically(Engine& engine, const Grid& solution, int first, int last, LogicTally& tally);

} // namespace vemo::test
