// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading puzzles from text: the one-line "3x3" record, which carries the
// variant with the givens, and the free grid layout, in which every digit or
// empty-cell character fills the next cell. Pure functions: the caller decides
// what to do with the result, so a rejected text changes nothing.
#pragma once

#include "engine/engine.h"

#include <string>
#include <string_view>

namespace vemo::io {

struct ParsedPuzzle {
    Grid cells{};
    bool record = false; // read from a "3x3" record
    int variantKind = kClassic;
    int xSudoku = 0;
    // From the record: the bars (edges -1, counts recomputed) and the even marks.
    std::array<NeighbourRecord, 81> neighbourMarks{};
    std::array<int, 81> parityMarks{};
};

enum class ReadOutcome {
    kOk,
    kTooFewCells, // the free layout ended before 81 cells
    kBadField,    // a record field that is not a decimal number or not a digit
};

struct ReadResult {
    ReadOutcome outcome = ReadOutcome::kOk;
    ParsedPuzzle puzzle;
    int cellsRead = 0;
    std::string detail; // what was wrong, for a message
};

// True when the text starts with "3x3".
bool IsRecord(std::string_view text);

// A "3x3" record (the whole text is taken as one line). Fields after the 81st
// are ignored; a record with fewer well-formed fields leaves the other cells
// empty.
ReadResult ReadRecord(std::string_view line);

// The free layout: "1".."9" a digit, "." "x" "X" "0" an empty cell, anything
// else ignored; reading stops at 81 cells.
ReadResult ReadFreeLayout(std::string_view text);

// A puzzle file: the first line decides the layout; a record ignores the lines
// after it.
ReadResult ReadPuzzleFile(std::string_view text);

} // namespace vemo::io
