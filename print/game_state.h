// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game put aside while the four-grid sheet generates its puzzles, and
// brought back afterwards: the position, the puzzle, its marks, its analysis
// and its rules.
#pragma once

#include "engine/engine.h"

namespace vemo::print {

struct GameState {
    Grid position{};
    Grid givens{};
    Grid solution{};
    std::array<int, 81> parityMarks{};
    std::array<NeighbourRecord, 81> neighbourMarks{};
    Candidates candidates{};
    std::array<StepEntry, kStepLogSize + 1> stepLog{};
    int stepCount = 1;
    int ratingDone = 0;
    std::array<int, 20> techniqueCounters{};
    int filledCount = 0;
    // The restored game is played under its own rules, whatever the menus
    // chose for the sheet.
    int variantKind = kClassic;
    int xSudoku = 0;
};

GameState SaveGameState(const Engine& game);
void RestoreGameState(const GameState& state, Engine& game);

} // namespace vemo::print
