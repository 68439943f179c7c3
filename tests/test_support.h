// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Helpers shared by the engine tests.
#pragma once

#include "engine/engine.h"

#include <string>
#include <vector>

namespace vemo::test {

// A grid from 81 characters: "1".."9" digits, anything else empty.
Grid GridFrom(const std::string& text);
std::string TextOf(const Grid& grid);

// Puts a classic puzzle at level 0 of a fresh engine, fixed, with fresh candidates.
void LoadPuzzle(Engine& engine, const std::string& text, int variantKind = kClassic,
                int xSudoku = 0);

// The steps of a logic-only solve of the engine's level 0, which is then put
// back as it was (its grid and candidates), ready to replay them.
std::vector<advanced::AdvancedStep> LogicSteps(Engine& engine);

// The puzzles of a collection in the shared data folder, one 81-character line each.
std::vector<std::string> ReadCollection(const std::string& fileName);

// True when a complete grid obeys the classic rules, and the diagonals when x is set.
bool IsValidSolution(const Grid& grid, bool x = false);

// Candidates of a cell as a string of digits, e.g. "147".
std::string CandidateString(const Engine& engine, int cell);

inline int CellAt(int row, int column) {
    return row * 9 + column;
}

} // namespace vemo::test
