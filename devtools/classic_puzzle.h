// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A classic puzzle of a collection line installed in an engine, as the
// practice tools read them.
#pragma once

#include "engine/engine.h"

#include <cstdint>
#include <string>

namespace vemo::devtools {

// The grid of an 81-character line: digits 1 to 9, anything else empty.
inline Grid GridOfLine(const std::string& line) {
    Grid g{};
    for (int c = 0; c < kCells && c < static_cast<int>(line.size()); ++c)
        g[c] = line[c] >= '1' && line[c] <= '9' ? static_cast<std::uint8_t>(line[c] - '0') : 0;
    return g;
}

// `givens` as a classic puzzle set up for play, with no marks and no X.
inline void InstallClassicPuzzle(Engine& e, const Grid& givens) {
    e.HistoryLevel = 0;
    e.ClearPuzzle();
    e.ResetNeighbourMarks();
    e.ResetParityMarks();
    e.VariantKind = kClassic;
    e.XSudoku = 0;
    e.PuzzleFixed = true;
    e.CellGrid[0] = givens;
    e.Givens = givens;
    e.SolutionGrid = givens;
    e.ValidityGrid = givens;
    e.ComputeCandidates();
}

} // namespace vemo::devtools
