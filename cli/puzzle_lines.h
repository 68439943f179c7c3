// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading puzzles one per line from a file or standard input.
#pragma once

#include "engine/engine.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace vemo::cli {

// A puzzle as read from one line: the givens and, for a "3x3" record, the variant.
struct LinePuzzle {
    Grid givens;
    int variantKind = kClassic;
    int xSudoku = 0;
    std::array<NeighbourRecord, 81> neighbourMarks{};
    std::array<int, 81> parityMarks{};
};

// Parses an 81-character line ("1".."9" digits, "." or "0" empty). On failure
// returns nothing and says why in error.
std::optional<LinePuzzle> ParsePuzzleLine(const std::string& line, std::string& error);

// Calls onPuzzle for every puzzle line of the source ("-" for standard input),
// with the line's place ("file:12") for messages, and reports the others on
// standard error with their place. Blank lines are skipped. Returns kExitOk,
// kExitBadInput when a line could not be read, or kExitUsage when the source
// cannot be opened.
int ForEachPuzzleLine(const std::string& source,
                      const std::function<void(const std::string& line, const std::string& where,
                                               const LinePuzzle&)>& onPuzzle);

// Puts the puzzle into the engine as a fixed puzzle at level 0 and checks it.
void InstallLinePuzzle(Engine& engine, const LinePuzzle& puzzle);

// Text as a JSON string, quoted, with quotes and backslashes escaped and
// control characters as blanks.
void JsonString(std::ostream& out, const std::string& text);

// The 81 characters of a grid, "." for an empty cell.
std::string GridText(const Grid& grid);

// The one-line "3x3" record of a puzzle's givens and variant marks.
std::string RecordLine(const Grid& givens, int variantKind, int xSudoku,
                       const std::array<NeighbourRecord, 81>& marks,
                       const std::array<int, 81>& parity);

} // namespace vemo::cli
