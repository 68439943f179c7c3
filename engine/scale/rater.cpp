// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The rating driver: the fixed order of the scale's techniques.
#include "chaining.h"
#include "position.h"

#include "../engine.h"

#include <string>

namespace vemo::scale {

struct ScaleWorkspace {
    Chaining chaining;
    ScaleStep step;
    ScaleStep best;
};

namespace {

constexpr std::array<const char*, kScaleTechniqueEnd> kNames = {
    "",
    "Full house",
    "Hidden single in a box",
    "Hidden single in a line",
    "Direct pointing",
    "Direct claiming",
    "Direct hidden pair",
    "Naked single",
    "Direct hidden triple",
    "Pointing",
    "Claiming",
    "Naked pair",
    "X-Wing",
    "Hidden pair",
    "Naked triple",
    "Swordfish",
    "Hidden triple",
    "Two strong links",
    "XY-Wing",
    "XYZ-Wing",
    "Unique rectangle",
    "Naked quadruple",
    "Jellyfish",
    "Hidden quadruple",
    "Three strong links",
    "WXYZ-Wing",
    "Bivalue universal grave",
    "Four strong links",
    "Aligned pair exclusion",
    "VWXYZ-Wing",
    "X-cycle",
    "Y-cycle",
    "Forcing X-chain",
    "Forcing Y-chain",
    "XY-cycle",
    "Forcing XY-chain",
    "Aligned triple exclusion",
    "Nishio forcing chain",
    "Cell forcing chains",
    "Unit forcing chains",
    "Contradiction forcing chains",
    "Double implication forcing chains",
};

// Finds the first step of the simple techniques, in the scale's order, into
// step. A technique whose steps differ in difficulty (strong links, wings,
// uniqueness) offers its easiest one, the first of them on a tie. The chaining
// techniques come after.
bool FindSimple(const Rules& rules, const Position& pos, ScaleStep& step) {
    const Emit take = [&](const ScaleStep& s) {
        step = s;
        return true;
    };
    bool any = false;
    const Emit easiest = [&](const ScaleStep& s) {
        if (!any || s.difficulty < step.difficulty) step = s;
        any = true;
        return false;
    };
    const auto varied = [&](auto&& find) {
        any = false;
        find(easiest);
        return any;
    };
    return FindFullHouse(rules, pos, take) || FindHiddenSingles(rules, pos, take) ||
           FindLocked(rules, pos, true, true, take) || FindLocked(rules, pos, false, true, take) ||
           FindHiddenSubset(rules, pos, 2, true, take) || FindNakedSingles(rules, pos, take) ||
           FindHiddenSubset(rules, pos, 3, true, take) ||
           FindLocked(rules, pos, true, false, take) ||
           FindLocked(rules, pos, false, false, take) || FindNakedSubset(rules, pos, 2, take) ||
           FindFish(rules, pos, 2, take) || FindHiddenSubset(rules, pos, 2, false, take) ||
           FindNakedSubset(rules, pos, 3, take) || FindFish(rules, pos, 3, take) ||
           FindHiddenSubset(rules, pos, 3, false, take) ||
           varied([&](const Emit& e) { return FindStrongLinks(rules, pos, 2, e); }) ||
           FindWing(rules, pos, 3, 2, take) || FindWing(rules, pos, 3, 3, take) ||
           varied([&](const Emit& e) { return FindUniqueRectangles(rules, pos, e); }) ||
           FindNakedSubset(rules, pos, 4, take) || FindFish(rules, pos, 4, take) ||
           FindHiddenSubset(rules, pos, 4, false, take) ||
           varied([&](const Emit& e) { return FindStrongLinks(rules, pos, 3, e); }) ||
           varied([&](const Emit& e) { return FindWing(rules, pos, 4, 0, e); }) ||
           varied([&](const Emit& e) { return FindBug(rules, pos, e); }) ||
           varied([&](const Emit& e) { return FindStrongLinks(rules, pos, 4, e); }) ||
           FindAlignedExclusion(rules, pos, 2, take) ||
           varied([&](const Emit& e) { return FindWing(rules, pos, 5, 0, e); });
}

bool FindChain(const Rules& rules, const Position& pos, ScaleWorkspace& w) {
    ScaleStep& best = w.best;
    const auto reset = [&] {
        best = ScaleStep{};
        best.difficulty = 1 << 20;
        best.complexity = 1 << 20;
    };
    reset();
    if (w.chaining.FindUnary(rules, pos, best)) return true;
    const Emit take = [&](const ScaleStep& s) {
        best = s;
        return true;
    };
    if (FindAlignedExclusion(rules, pos, 3, take)) return true;
    reset();
    if (w.chaining.FindMultiple(rules, pos, false, true, true, 0, best)) return true;
    if (w.chaining.FindMultiple(rules, pos, true, false, false, 0, best)) return true;
    if (w.chaining.FindMultiple(rules, pos, true, true, false, 0, best)) return true;
    // Dynamic forcing chains "+" (level 1), then nested ones (levels 2 to 4).
    for (int level = 1; level <= 4; ++level)
        if (w.chaining.FindMultiple(rules, pos, true, true, false, level, best)) return true;
    return false;
}

bool Solved(const Position& pos) {
    return pos.empty == 0;
}

bool Broken(const Position& pos) {
    bool broken = false;
    ForEachCell(pos.empty, [&](int c) {
        if (pos.mask[c] == 0) broken = true;
    });
    return broken;
}

} // namespace

const char* ScaleTechniqueName(int technique) {
    if (technique <= 0 || technique >= kScaleTechniqueEnd) return "";
    return kNames[technique];
}

std::string ScaleTechniqueName(int technique, int chainLevel) {
    std::string name = ScaleTechniqueName(technique);
    if (technique < kCellForcingChains || chainLevel == 0) return name;
    if (chainLevel == 1)
        return "Dynamic " + std::string(1, static_cast<char>(name[0] + 32)) + name.substr(1);
    if (chainLevel == 2)
        return "Dynamic " + std::string(1, static_cast<char>(name[0] + 32)) + name.substr(1) +
               " (+)";
    return "Nested " + std::string(1, static_cast<char>(name[0] + 32)) + name.substr(1) +
           " (level " + std::to_string(chainLevel - 1) + ")";
}

std::string ScaleStepName(const ScaleStep& step) {
    return ScaleTechniqueName(step.technique, step.chainLevel);
}

std::string FormatScale(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

ScaleRater::ScaleRater() : work_(std::make_unique<ScaleWorkspace>()) {}
ScaleRater::~ScaleRater() = default;

void ScaleRater::SetStop(const std::atomic<bool>* stop) {
    work_->chaining.SetStop(stop);
}

ScaleRating ScaleRater::Rate(const Engine& engine, const ScaleStepObserver& observer) {
    const advanced::Board board = advanced::TakeBoard(engine);
    return Rate(board, observer);
}

ScaleRating ScaleRater::Rate(const advanced::Board& board, const ScaleStepObserver& observer) {
    const Rules rules = MakeRules(board);
    Position pos = MakePosition(board);
    ScaleRating r;
    bool placed = false;
    ScaleStep& step = work_->step;
    while (!Solved(pos)) {
        if (Broken(pos)) {
            r.er = kNothingFound;
            return r;
        }
        const ScaleStep* s = nullptr;
        if (FindSimple(rules, pos, step)) {
            s = &step;
        } else if (FindChain(rules, pos, *work_)) {
            s = &work_->best;
        }
        if (s == nullptr) {
            r.er = kNothingFound;
            if (!placed) r.ep = kNothingFound;
            if (r.steps == 0) r.ed = kNothingFound;
            return r;
        }
        if (observer) observer(*s);
        if (r.steps == 0) r.ed = s->difficulty;
        if (s->difficulty > r.er) {
            r.er = s->difficulty;
            r.hardestTechnique = s->technique;
            r.hardestLevel = s->chainLevel;
        }
        if (!placed) {
            if (s->difficulty > r.ep) r.ep = s->difficulty;
            if (s->placeCell >= 0) placed = true;
        }
        ++r.steps;
        ApplyScaleStep(rules, pos, *s);
    }
    r.complete = true;
    return r;
}

ScaleRating RateOnScale(const Engine& engine, const ScaleStepObserver& observer) {
    ScaleRater rater;
    return rater.Rate(engine, observer);
}

} // namespace vemo::scale
