// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chain_harness.h"

#include "test_support.h"

#include <sstream>

namespace vemo::test {

using advanced::AdvancedStep;
using advanced::Board;

Grid UniqueSolution(const Engine& engine) {
    Engine copy = engine;
    copy.HistoryLevel = 0;
    copy.SolutionCount = 0;
    copy.CountSolutions();
    if (copy.SolutionCount != 1 || copy.SearchAbandoned) return Grid{};
    Engine finder = engine;
    finder.HistoryLevel = 0;
    finder.SolutionCount = 0;
    finder.FindOneSolution();
    for (int c = 0; c < 81; ++c)
        if (finder.SearchSolution[c] == 0) return Grid{};
    return finder.SearchSolution;
}

std::string StepFault(const AdvancedStep& step, int id, const Board& board, const Grid& solution) {
    std::ostringstream out;
    if (step.technique != id) out << "technique " << step.technique << " instead of " << id << "; ";
    if (step.placeCell < 0 && step.eliminationCount == 0) out << "no conclusion; ";
    if (step.placeCell >= 0) {
        const int c = step.placeCell;
        const int d = step.placeDigit;
        if (c >= 81 || d < 1 || d > 9 || (board.mask[c] >> (d - 1) & 1) == 0)
            out << "places a non-candidate " << d << " in " << c << "; ";
        else if (solution[c] != d)
            out << "places " << d << " in " << c << " where the solution has " << int(solution[c])
                << "; ";
    }
    for (int i = 0; i < step.eliminationCount; ++i) {
        const int c = step.eliminations[i].cell;
        const int d = step.eliminations[i].digit;
        if (c < 0 || c >= 81 || d < 1 || d > 9 || (board.mask[c] >> (d - 1) & 1) == 0)
            out << "removes a non-candidate " << d << " from " << c << "; ";
        else if (solution[c] == d)
            out << "removes the solution digit " << d << " from " << c << "; ";
        for (int j = 0; j < i; ++j)
            if (step.eliminations[j] == step.eliminations[i])
                out << "removes " << d << " from " << c << " twice; ";
    }
    for (int i = 0; i < step.nodeCount; ++i) {
        const auto& n = step.nodes[i];
        if (n.digit < 1 || n.digit > 9 || n.cells == 0) {
            out << "node " << i << " is empty; ";
            continue;
        }
        if ((n.cells & ~board.places[n.digit - 1]) != 0)
            out << "node " << i << " holds a non-candidate; ";
    }
    return out.str();
}

void ApplyAdvancedStep(Engine& engine, const AdvancedStep& step) {
    if (step.placeCell >= 0) engine.PlaceDigit(step.placeCell, step.placeDigit);
    for (int i = 0; i < step.eliminationCount; ++i)
        engine.CandidateTable.Remove(step.eliminations[i].cell, step.eliminations[i].digit);
}

bool SolveLogically(Engine& engine, const Grid& solution, int first, int last, LogicTally& tally) {
    ++tally.puzzles;
    for (int guard = 0; guard < 2000 && engine.FilledCount < 81; ++guard) {
        engine.HintTechnique = 0;
        engine.FindNextTechnique();
        if (engine.HintTechnique == 0) return false;
        if (engine.HintTechnique != kBruteForce) {
            engine.ApplyStep(engine.HintTechnique);
            continue;
        }
        ++tally.positions;
        const Board board = advanced::TakeBoard(engine);
        bool found = false;
        for (int i = first; i <= last && !found; ++i) {
            AdvancedStep step;
            if (!kChainFinders[i].find(board, step)) continue;
            found = true;
            const std::string fault = StepFault(step, kChainFinders[i].id, board, solution);
            if (!fault.empty()) {
                tally.fault = std::string(kChainFinders[i].name) + ": " + fault + " on " +
                              TextOf(engine.CellGrid[0]);
                return false;
            }
            ++tally.steps;
            ++tally.uses[i];
            tally.removed += step.eliminationCount;
            tally.placed += step.placeCell >= 0 ? 1 : 0;
            ApplyAdvancedStep(engine, step);
        }
        if (!found) return false;
    }
    if (engine.FilledCount < 81) return false;
    ++tally.solved;
    return true;
}

} // namespace vemo::test
