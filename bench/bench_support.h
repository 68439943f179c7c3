// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading the shared puzzle collections for the benchmarks.
#pragma once

#include "engine/engine.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace vemo::bench {

// The first `limit` puzzles of a collection (all of them by default).
inline std::vector<Grid> ReadGrids(const std::string& fileName, std::size_t limit = SIZE_MAX) {
    std::ifstream in(std::string(VEMO_SHARED_DATA) + "/" + fileName);
    std::vector<Grid> grids;
    std::string line;
    while (grids.size() < limit && std::getline(in, line)) {
        if (line.size() < 81) continue;
        Grid g;
        for (int c = 0; c < 81; ++c)
            if (line[c] >= '1' && line[c] <= '9') g[c] = static_cast<std::uint8_t>(line[c] - '0');
        grids.push_back(g);
    }
    return grids;
}

inline void Install(Engine& engine, const Grid& puzzle) {
    engine.HistoryLevel = 0;
    engine.CellGrid[0] = puzzle;
    engine.ComputeCandidates();
}

} // namespace vemo::bench
