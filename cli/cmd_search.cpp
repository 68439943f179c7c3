// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// count and solve: the exhaustive search from the start position.
#include "commands.h"
#include "puzzle_lines.h"

#include <iostream>

namespace vemo::cli {

namespace {

// A grid that repeats a digit in a row, column or box has no solution, but the
// search cannot see the repetition and may take very long to exhaust the grid:
// such grids are answered at once with the result the search would reach.
bool Searchable(const Engine& engine) {
    return engine.ValidityStatus != 1;
}

int RunCount(const std::vector<std::string>& args);
int RunSolve(const std::vector<std::string>& args);

const Command kCount{"count", "FILE|-",
                     "validity, solutions (up to 2), first branch cell and digit", RunCount};
const Command kSolve{"solve", "FILE|-", "validity and the grid completed by the search", RunSolve};

int RunCount(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError(kCount, "count takes one file");
    Engine engine;
    return ForEachPuzzleLine(args[0], [&](const std::string&, const LinePuzzle& puzzle) {
        InstallLinePuzzle(engine, puzzle);
        engine.SolutionCount = 0;
        engine.BruteForceCell = engine.BruteForceDigit = -1;
        if (Searchable(engine)) engine.CountSolutions();
        std::cout << engine.ValidityStatus << ' ' << engine.SolutionCount << ' '
                  << engine.BruteForceCell << ' ' << engine.BruteForceDigit << '\n';
    });
}

int RunSolve(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError(kSolve, "solve takes one file");
    Engine engine;
    return ForEachPuzzleLine(args[0], [&](const std::string&, const LinePuzzle& puzzle) {
        InstallLinePuzzle(engine, puzzle);
        engine.SolutionCount = 0;
        if (Searchable(engine)) engine.FindOneSolution();
        const Grid& shown = engine.SolutionCount > 0 ? engine.SearchSolution : engine.CellGrid[0];
        std::cout << engine.ValidityStatus << ' ' << GridText(shown) << '\n';
    });
}

const bool kRegistered = RegisterCommand(kCount) && RegisterCommand(kSolve);

} // namespace

} // namespace vemo::cli
