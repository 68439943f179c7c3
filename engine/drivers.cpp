// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The three drivers of the logical solver: the hint search, the logged solve
// and the rating. They share one chain of finders, tried in a fixed order from
// the simplest technique to the most advanced, falling back on a trial.
#include "engine.h"
#include "techniques/catalogue.h"

#include <cmath>

namespace vemo {

namespace {

// Room for every placement and every elimination of a grid, with a margin: a
// step always places a digit or removes a candidate, so no solve takes more.
constexpr int kMaxSteps = 81 + 729 + 16;

struct StepExtent {
    int cells;
    int digits;
    bool counted;
};

// How many cell and digit slots a technique's record fills, and whether it
// writes the count.
StepExtent ExtentOf(int technique, const StepRecord& r) {
    switch (technique) {
    case kNakedSingle:
    case kHiddenSingle:
    case kBruteForce:
        return {1, 1, false};
    case kLockedBoxToLine:
    case kLockedLineToBox:
        return {r.count, 1, true};
    case kNakedPair:
    case kHiddenPair:
        return {2, 2, false};
    case kNakedTriple:
    case kHiddenTriple:
        return {3, 3, false};
    case kNakedQuadruplet:
    case kHiddenQuadruplet:
        return {4, 4, false};
    case kXWing:
        return {4, 1, false};
    case kSwordfish:
        return {6, 1, false};
    case kColouring:
    case kMultiColouring:
        return {r.count, 1, true};
    case kXYWing:
        return {3, 1, false};
    case kImpossibleNeighbour:
        return {2, r.count < 15 ? r.count : 15, true};
    default:
        return {0, 0, false};
    }
}

} // namespace

// The first finder of the chain that reports something; 0 when none of the
// logical techniques applies (the caller then tries the brute-force step).
int Engine::FindChainTechnique() {
    FindNakedSingle();
    if (NakedSingle.cell >= 0) return kNakedSingle;
    FindHiddenSingle();
    if (HiddenSingle.digit != 0) return kHiddenSingle;
    SubsetMode = 0;
    FindPair();
    if (Subset.found != 0) return kNakedPair;
    FindImpossibleNeighbour();
    if (ImpossibleNeighbour.countA + ImpossibleNeighbour.countB > 0) return kImpossibleNeighbour;
    FindLockedCandidates();
    if (LockedCandidates.digit != 0)
        return LockedCandidates.kind == 1 ? kLockedBoxToLine : kLockedLineToBox;
    SubsetMode = 0;
    FindTriple();
    if (Subset.found != 0) return kNakedTriple;
    FindQuadruplet();
    if (Subset.found != 0) return kNakedQuadruplet;
    SubsetMode = 1;
    FindPair();
    if (Subset.found != 0) return kHiddenPair;
    FindXWing();
    if (XWing.found != 0) return kXWing;
    FindSwordfish();
    if (Swordfish.found != 0) return kSwordfish;
    FindColouring();
    if (Colouring.found != 0) return Colouring.found == 3 ? kMultiColouring : kColouring;
    SubsetMode = 1;
    FindTriple();
    if (Subset.found != 0) return kHiddenTriple;
    FindXYWing();
    if (XYWing.found != 0) return kXYWing;
    SubsetMode = 1;
    FindQuadruplet();
    if (Subset.found != 0) return kHiddenQuadruplet;
    return 0;
}

// The trial of the brute-force step. False when the position has no solution
// or the search was abandoned (SearchAbandoned); otherwise BruteForceCell and
// BruteForceDigit hold the digit to place.
bool Engine::BruteForceTrial() {
    BruteForceCell = BruteForceDigit = -1;
    const int remembered = SolutionCount > 1 ? SolutionCount : 0;
    SolutionCount = 0;
    SavedCandidates = CandidateTable;
    CountSolutions();
    CandidateTable = SavedCandidates;
    if (SearchAbandoned) {
        BruteForceCell = BruteForceDigit = -1;
        SolutionCount = 0; // no answer: nothing to place
        return false;
    }
    if (SolutionCount < 1) return false;
    if (remembered > 1) SolutionCount = remembered;
    return true;
}

// What the step found, as the log records it; fish lines are stored plus
// lineOffset (1 in the log, 0 in the hint).
StepRecord Engine::DescribeStep(int technique, int lineOffset) const {
    StepRecord r;
    switch (technique) {
    case kNakedSingle:
        r.cells[0] = NakedSingle.cell;
        r.digits[0] = NakedSingle.digit;
        break;
    case kHiddenSingle:
        r.diagonal = HiddenSingle.diagonal;
        r.cells[0] = HiddenSingle.cell;
        r.digits[0] = HiddenSingle.digit;
        break;
    case kBruteForce:
        r.cells[0] = BruteForceCell;
        r.digits[0] = BruteForceDigit;
        break;
    case kLockedBoxToLine:
    case kLockedLineToBox: {
        r.diagonal = LockedCandidates.lineType == 3 ? 1 : 0;
        const CellList cells = ListLockedCells();
        for (int i = 0; i < cells.count; ++i) r.cells[i] = cells.cells[i];
        r.count = cells.count;
        r.digits[0] = LockedCandidates.digit;
        break;
    }
    case kNakedPair:
    case kHiddenPair:
    case kNakedTriple:
    case kHiddenTriple:
    case kNakedQuadruplet:
    case kHiddenQuadruplet:
        r.diagonal = Subset.unitType == 3 ? 1 : 0;
        for (int i = 0; i < Subset.size && i < 4; ++i) {
            r.cells[i] = Subset.cells[i];
            r.digits[i] = Subset.digits[i];
        }
        break;
    case kXWing:
    case kSwordfish: {
        const FishResult& f = technique == kXWing ? XWing : Swordfish;
        const int n = technique == kXWing ? 2 : 3;
        // Rows first, whichever lines the pattern was found on.
        const auto& rows = f.found == 1 ? f.base : f.cover;
        const auto& columns = f.found == 1 ? f.cover : f.base;
        for (int i = 0; i < n; ++i) {
            r.cells[i] = rows[i] + lineOffset;
            r.cells[n + i] = columns[i] + lineOffset;
        }
        r.digits[0] = f.digit;
        break;
    }
    case kColouring:
    case kMultiColouring: {
        // The record has 14 cell slots for an elimination list of 15: a
        // fifteenth cell is eliminated but not listed.
        int n = 0;
        for (int i = 0; i < kColouringSlots && n < 14; ++i) {
            const int c = Colouring.eliminations[i];
            if (c < 0) break;
            if (CandidateTable.Has(c, Colouring.digit)) r.cells[n++] = c;
        }
        r.count = n;
        r.digits[0] = Colouring.digit;
        break;
    }
    case kXYWing:
        for (int i = 0; i < 3; ++i) r.cells[i] = XYWing.cells[i];
        r.digits[0] = XYWing.digit;
        break;
    case kImpossibleNeighbour: {
        const ImpossibleNeighbourResult& n = ImpossibleNeighbour;
        r.cells[0] = n.cellA;
        r.cells[1] = n.cellB;
        int k = 0;
        for (int i = 0; i < n.countA && k < 15; ++i) r.digits[k++] = n.digitsA[i];
        for (int i = 0; i < n.countB && k < 15; ++i) r.digits[k++] = n.digitsB[i];
        r.count = n.countA + n.countB;
        break;
    }
    default:
        break;
    }
    return r;
}

void Engine::ApplyStep(int technique) {
    switch (technique) {
    case kNakedSingle:
        PlaceDigit(NakedSingle.cell, NakedSingle.digit);
        break;
    case kHiddenSingle:
        PlaceDigit(HiddenSingle.cell, HiddenSingle.digit);
        break;
    case kBruteForce:
        PlaceDigit(BruteForceCell, BruteForceDigit);
        break;
    case kLockedBoxToLine:
    case kLockedLineToBox:
        ApplyLockedCandidates();
        break;
    case kNakedPair:
    case kHiddenPair:
        ApplyPair();
        break;
    case kNakedTriple:
    case kHiddenTriple:
        ApplyTriple();
        break;
    case kNakedQuadruplet:
    case kHiddenQuadruplet:
        ApplyQuadruplet();
        break;
    case kXWing:
        ApplyXWing();
        break;
    case kSwordfish:
        ApplySwordfish();
        break;
    case kColouring:
    case kMultiColouring:
        ApplyColouring();
        break;
    case kXYWing:
        ApplyXYWing();
        break;
    case kImpossibleNeighbour:
        ApplyImpossibleNeighbour();
        break;
    default:
        if (technique > kTechniqueCount) ApplyAdvancedStep(AdvancedHint);
        break;
    }
}

void Engine::FindNextTechnique() {
    for (int i = 0; i < 9; ++i) {
        HintRecord.cells[i] = 0;
        HintRecord.digits[i] = 0;
    }
    SearchAbandoned = false;
    if (FilledCount >= kCells) return;
    if (BreaksRules()) return; // no solution: nothing to hint
    int technique = FindChainTechnique();
    if (technique == 0 && AdvancedLayer) {
        technique = FindAdvancedHint();
        if (technique != 0) {
            TakeAdvancedHint(AdvancedHint);
            return;
        }
    }
    if (technique == 0) {
        if (!BruteForceTrial()) return; // HintTechnique keeps its value
        technique = kBruteForce;
    }
    HintTechnique = technique;
    // The hint keeps whatever lies beyond the slots that this technique writes.
    const StepRecord r = DescribeStep(technique, 0);
    const StepExtent extent = ExtentOf(technique, r);
    for (int i = 0; i < extent.cells; ++i) HintRecord.cells[i] = r.cells[i];
    for (int i = 0; i < extent.digits; ++i) HintRecord.digits[i] = r.digits[i];
    if (extent.counted) HintRecord.count = r.count;
}

void Engine::SolveWithLog() {
    for (auto& entry : StepLog) entry = {};
    StepCount = 1;
    SearchAbandoned = false;
    if (BreaksRules()) return; // no solution: nothing to log
    for (int steps = 0; FilledCount < kCells && steps < kMaxSteps; ++steps) {
        int technique = FindChainTechnique();
        if (technique == 0) {
            if (!BruteForceTrial()) return;
            technique = kBruteForce;
        }
        // The log holds 100 steps; a longer solve goes on unlogged.
        if (StepCount <= kStepLogSize) {
            StepLog[StepCount] = {technique, DescribeStep(technique, 1)};
            ++StepCount;
        }
        ApplyStep(technique);
    }
}

void Engine::RatePuzzle() {
    TechniqueCounters.fill(0);
    RatingDone = 0;
    SolutionCount = 1;
    SearchAbandoned = false;
    if (BreaksRules()) {
        SolutionCount = 0; // no solution, as when a trial finds none
        return;
    }
    double score = kCells - FilledCount;
    int bruteForceSteps = 0;
    for (int steps = 0; FilledCount < kCells && steps < kMaxSteps; ++steps) {
        int technique = FindChainTechnique();
        if (technique == 0) {
            if (Generating && bruteForceSteps >= BruteForceLimit) {
                SolutionCount = 2; // over budget: the generator rejects the puzzle
                return;
            }
            if (!BruteForceTrial()) return;
            technique = kBruteForce;
            ++bruteForceSteps;
        }
        ++TechniqueCounters[technique - 1];
        score += TechniqueCatalogue[technique].weight * StepWeight(FilledCount);
        ApplyStep(technique);
    }
    if (FilledCount < kCells) return;
    TechniqueCounters[18] = static_cast<int>(std::nearbyint(score)); // halves to even
    RatingDone = 1;
}

void Engine::AnalysePuzzle() {
    const Grid position = CellGrid[0];
    HistoryLevel = 0;
    ComputeCandidates();
    RatePuzzle();
    CellGrid[0] = position;
    ComputeCandidates();
    if (SearchAbandoned) {
        // No answer: the logged solve would only spend the budget again.
        for (auto& entry : StepLog) entry = {};
        StepCount = 1;
        SolutionGrid = position;
        return;
    }
    SolveWithLog();
    SolutionGrid = SearchAbandoned ? position : CellGrid[0];
    CellGrid[0] = position;
    ComputeCandidates();
}

} // namespace vemo
