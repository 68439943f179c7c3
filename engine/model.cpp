// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine.h"

#include <chrono>

namespace vemo {

Engine::Engine() {
    BuildUnitTables();
    Rng.SeedFromClock();
}

void Random::SeedFromClock() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    const auto address = reinterpret_cast<std::uintptr_t>(this);
    Seed(static_cast<std::uint64_t>(ticks) ^ (static_cast<std::uint64_t>(address) << 16));
}

void Engine::BuildUnitTables() {
    // The unit tables themselves are constants (tables.h); what is built here is
    // the per-puzzle state they frame.
    SetEdgeMarks();
    ResetParityMarks();
}

void Engine::SetEdgeMarks() {
    for (int i = 0; i < 9; ++i) {
        NeighbourMarks[RowCells[0][i]][4] = -1;
        NeighbourMarks[RowCells[8][i]][2] = -1;
        NeighbourMarks[ColumnCells[0][i]][3] = -1;
        NeighbourMarks[ColumnCells[8][i]][1] = -1;
    }
}

void Engine::ResetNeighbourMarks() {
    for (auto& record : NeighbourMarks) record.fill(0);
    SetEdgeMarks();
}

void Engine::ResetParityMarks() {
    ParityMarks.fill(1);
}

void Engine::ClearPuzzle() {
    Givens.Clear();
    SolutionGrid.Clear();
    for (auto& level : CellGrid) level.Clear();
    CandidateTable = Candidates::Full();
    SearchAbandoned = false;
}

} // namespace vemo
