// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "print/game_state.h"

namespace vemo::print {

GameState SaveGameState(const Engine& game) {
    GameState s;
    s.position = game.CellGrid[0];
    s.givens = game.Givens;
    s.solution = game.SolutionGrid;
    s.parityMarks = game.ParityMarks;
    s.neighbourMarks = game.NeighbourMarks;
    s.candidates = game.CandidateTable;
    s.stepLog = game.StepLog;
    s.stepCount = game.StepCount;
    s.ratingDone = game.RatingDone;
    s.techniqueCounters = game.TechniqueCounters;
    s.filledCount = game.FilledCount;
    s.variantKind = game.VariantKind;
    s.xSudoku = game.XSudoku;
    return s;
}

void RestoreGameState(const GameState& s, Engine& game) {
    game.HistoryLevel = 0;
    game.CellGrid[0] = s.position;
    game.Givens = s.givens;
    game.SolutionGrid = s.solution;
    game.ParityMarks = s.parityMarks;
    game.NeighbourMarks = s.neighbourMarks;
    game.CandidateTable = s.candidates;
    game.StepLog = s.stepLog;
    game.StepCount = s.stepCount;
    game.RatingDone = s.ratingDone;
    game.TechniqueCounters = s.techniqueCounters;
    game.FilledCount = s.filledCount;
    game.VariantKind = s.variantKind;
    game.XSudoku = s.xSudoku;
}

} // namespace vemo::print
