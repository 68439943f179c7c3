// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Clue removal by symmetry orbits with a uniqueness count after every step, and
// the thinning pass under the rating.
#include "../engine.h"
#include "../techniques/catalogue.h"
#include "symmetry.h"

namespace vemo {

namespace {

constexpr int kMaxEntries = 48 + 18 + 3;

struct RemovalEntry {
    Orbit orbit;
    std::array<int, 4> digits{};
    int swapIndex = 0; // swap entries: the blind entry that the swap puts back
    int swapCell = 0;  // swap entries: the representative drawn for it
};

void ClearOrbit(Grid& grid, const Orbit& orbit) {
    for (int i = 0; i < orbit.size; ++i) grid[orbit.cells[i]] = 0;
}

bool OrbitFilled(const Grid& grid, const Orbit& orbit) {
    for (int i = 0; i < orbit.size; ++i)
        if (grid[orbit.cells[i]] == 0) return false;
    return true;
}

} // namespace

// A random orbit representative; the row is drawn before the column.
int Engine::DrawRepresentative(bool firstPhase) {
    switch (SymmetryChoice) {
    case kCentral:
        return rnd(41);
    case kAxial: {
        const int row = rnd(9);
        return 9 * row + rnd(5);
    }
    case kReflective: {
        const int row = firstPhase ? rnd(5) : rnd(9);
        return 9 * row + rnd(5);
    }
    default:
        return rnd(81);
    }
}

int Engine::BruteForceSteps() const {
    return TechniqueCounters[kBruteForce - 1];
}

void Engine::RemoveClues() {
    const int symmetry = SymmetryChoice >= 0 && SymmetryChoice <= 3 ? SymmetryChoice : 0;
    const RemovalPhases& phases = kRemovalPhases[symmetry];
    const int firstReserve = phases.blind + 1;
    const int firstSwap = phases.blind + phases.reserve + 1;
    const int entries = firstSwap + phases.swaps - 1;

    std::array<RemovalEntry, kMaxEntries + 1> list{}; // entries numbered from 1
    Grid w = CellGrid[0];
    Grid best{};
    int swapStep = 1;
    bool foundUnique = false;

    for (int e = 1; e <= entries; ++e) {
        RemovalEntry& entry = list[e];
        int representative = 0;
        do {
            representative = DrawRepresentative(e < firstReserve);
            entry.orbit = OrbitOf(symmetry, representative);
        } while (!OrbitFilled(w, entry.orbit));
        for (int i = 0; i < entry.orbit.size; ++i) entry.digits[i] = w[entry.orbit.cells[i]];
        if (e >= firstSwap) {
            const int stored = e - firstSwap; // swap indices already drawn
            int j = 0;
            do {
                j = rnd(phases.swapRange) + 1;
            } while ((stored >= 1 && j == list[firstSwap].swapIndex) ||
                     (stored >= 2 && j == list[firstSwap + 1].swapIndex));
            entry.swapIndex = j;
            entry.swapCell = representative;
        }
        ClearOrbit(w, entry.orbit);
        if (e < firstReserve) ClearOrbit(CellGrid[0], entry.orbit); // blind: gone at once
    }

    for (;;) {
        w = CellGrid[0];
        ComputeCandidates();
        SolutionCount = 0;
        CountSolutions();
        if (SearchAbandoned) SolutionCount = 2; // no answer: not known to be unique
        if (SolutionCount >= 2 && swapStep <= 3) {
            const RemovalEntry& swap = list[firstSwap + swapStep - 1];
            const RemovalEntry& restored = list[swap.swapIndex];
            for (int i = 0; i < restored.orbit.size; ++i)
                CellGrid[0][restored.orbit.cells[i]] =
                    static_cast<std::uint8_t>(restored.digits[i]);
            ClearOrbit(CellGrid[0], OrbitOf(symmetry, swap.swapCell));
            ++swapStep;
            continue;
        }
        if (SolutionCount >= 2 || FilledCount <= phases.limit) break;
        swapStep = 1;
        if (SolutionCount == 1) {
            foundUnique = true;
            best = w;
        }
        // With the table's numbers a reserve entry is always left here; the
        // check only keeps a broken table from looping for ever.
        bool anyLeft = false;
        for (int e = firstReserve; e < firstSwap; ++e)
            anyLeft |= OrbitFilled(CellGrid[0], list[e].orbit);
        if (!anyLeft) break;
        for (;;) {
            const int e = rnd(phases.reserve) + firstReserve;
            if (!OrbitFilled(CellGrid[0], list[e].orbit)) continue;
            ClearOrbit(CellGrid[0], list[e].orbit);
            break;
        }
    }

    if (!foundUnique) {
        SolutionCount = 2;
        return;
    }
    SolutionCount = 1;
    CellGrid[0] = best;
    ComputeCandidates();
    RatePuzzle();
    CellGrid[0] = best;
    ComputeCandidates();
}

void Engine::ThinCluesImpl(bool withinBand) {
    const int symmetry = SymmetryChoice >= 0 && SymmetryChoice <= 3 ? SymmetryChoice : 0;
    std::array<int, 81> list{};
    int n = 0;
    const auto consider = [&](int cell) {
        if (CellGrid[0][cell] != 0) list[n++] = cell;
    };
    switch (symmetry) {
    case kCentral:
        for (int c = 0; c <= 40; ++c) consider(c);
        break;
    case kAxial:
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 5; ++c) consider(9 * r + c);
        break;
    case kReflective:
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c) consider(9 * r + c);
        break;
    default:
        for (int c = 0; c < 81; ++c) consider(c);
        break;
    }
    // A partial shuffle: many entries keep their order.
    for (int k = 0; k < kRemovalPhases[symmetry].exchanges; ++k) {
        const int a = rnd(n), b = rnd(n);
        if (n > 0) std::swap(list[a], list[b]);
    }

    Grid w = CellGrid[0];
    for (int e = 0; e < n; ++e) {
        const Orbit orbit = OrbitOf(symmetry, list[e]);
        std::array<int, 4> digits{};
        for (int i = 0; i < orbit.size; ++i) digits[i] = CellGrid[0][orbit.cells[i]];
        ClearOrbit(CellGrid[0], orbit);
        w = CellGrid[0];
        ComputeCandidates();
        SolutionCount = 0;
        RatePuzzle();
        CellGrid[0] = w;
        bool keep = SolutionCount == 1;
        if (withinBand)
            keep = keep && PuzzleScore() <= ScoreMax && BruteForceSteps() <= BruteForceLimit;
        if (!keep) {
            for (int i = 0; i < orbit.size; ++i) {
                CellGrid[0][orbit.cells[i]] = static_cast<std::uint8_t>(digits[i]);
                w[orbit.cells[i]] = static_cast<std::uint8_t>(digits[i]);
            }
        }
    }
    ComputeCandidates();
    RatePuzzle();
    CellGrid[0] = w;
    ComputeCandidates();
}

void Engine::ThinClues() {
    ThinCluesImpl(false);
}

void Engine::ThinCluesWithinBand() {
    ThinCluesImpl(true);
}

} // namespace vemo
