// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// count and solve: the exhaustive search from the start position.
#include "commands.h"
#include "logic_commands.h"
#include "puzzle_lines.h"
#include "puzzle_source.h"

#include <sstream>

namespace vemo::cli {

namespace {

// A grid whose givens break a rule (a repeated digit, in X-Sudoku on a
// diagonal too, or a contradicted bar or parity mark) has no solution: it is
// answered at once, without a search that could only find grids breaking it.
bool Searchable(const Engine& engine) {
    return !engine.BreaksRules();
}

int RunCount(const std::vector<std::string>& args);
int RunSolve(const std::vector<std::string>& args);

const Command kCount{"count", "FILE|- [--jobs J]",
                     "validity, solutions (up to 2), first branch cell and digit", RunCount};
const Command kSolve{"solve", "FILE|- [--logic] [--techniques LIST]",
                     "validity and the grid completed by the search; --logic: the logical path",
                     RunSolve};

int RunCount(const std::vector<std::string>& args) {
    std::string error;
    const auto source = ParseSourceArgs(args, error);
    if (!source) return UsageError(kCount, error);
    return ForEachPuzzle(*source, [](Engine& engine, const std::string&, const LinePuzzle& puzzle) {
        InstallLinePuzzle(engine, puzzle);
        engine.SolutionCount = 0;
        engine.BruteForceCell = engine.BruteForceDigit = -1;
        if (Searchable(engine)) engine.CountSolutions();
        RequireAnswer(engine);
        std::ostringstream out;
        out << engine.ValidityStatus << ' ' << engine.SolutionCount << ' ' << engine.BruteForceCell
            << ' ' << engine.BruteForceDigit << '\n';
        return out.str();
    });
}

int RunSolve(const std::vector<std::string>& args) {
    std::string error;
    const auto options = TakeLogicOptions(args, error);
    if (!options || options->advanced)
        return UsageError(kSolve, options ? "unexpected --advanced" : error);
    if (options->logic) return RunLogicSolve(kSolve, *options);
    if (options->techniquesGiven) return UsageError(kSolve, "--techniques needs --logic");
    if (args.size() != 1) return UsageError(kSolve, "solve takes one file");
    return ForEachPuzzle({args[0]}, [](Engine& engine, const std::string&,
                                       const LinePuzzle& puzzle) {
        InstallLinePuzzle(engine, puzzle);
        engine.SolutionCount = 0;
        if (Searchable(engine)) engine.FindOneSolution();
        RequireAnswer(engine);
        const Grid& shown = engine.SolutionCount > 0 ? engine.SearchSolution : engine.CellGrid[0];
        return std::to_string(engine.ValidityStatus) + ' ' + GridText(shown) + '\n';
    });
}

const bool kRegistered = RegisterCommand(kCount) && RegisterCommand(kSolve);

} // namespace

} // namespace vemo::cli
