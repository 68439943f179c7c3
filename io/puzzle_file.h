// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Puzzle files as the open and save commands use them. The loader checks the
// text completely before it touches the engine, so a rejected file leaves the
// puzzle that was loaded as it was.
#pragma once

#include "engine/engine.h"
#include "io/puzzle_text.h"

#include <string>
#include <vector>

namespace vemo::io {

// Message numbers of the language file that the loader reports.
inline constexpr int kTextFileTooShort = 503;
inline constexpr int kTextInvalidGrid = 504;
inline constexpr int kTextSeveralSolutions = 505;
inline constexpr int kTextNoCandidate = 506;
inline constexpr int kTextBadField = 542;
inline constexpr int kTextCannotRead = 543;
inline constexpr int kTextCannotWrite = 544;
inline constexpr int kTextBinaryFile = 580;
inline constexpr int kTextTooManyCells = 581;

enum class LoadOutcome {
    kInstalled,   // read and copied into the engine; see ValidityStatus
    kCannotRead,  // the file could not be opened or read: nothing changed
    kTooFewCells, // free layout ending before 81 cells: nothing changed
    kBadField,    // a record field that is not a number: nothing changed
    kNotAPuzzle,  // binary data, or cells past the grid: nothing changed
};

// Why a text is not a puzzle file at all, whatever its cells would give.
enum class PuzzleTextFault {
    kNone,
    kBinary,       // a NUL byte or another control character than tab, line and page ends
    kTooManyCells, // in the free layout, cells on the lines after the 81st cell's
};

// The text checked before its cells are read. Characters after the 81st cell
// on its own line are ignored, as the reading stops there; comments and frame
// lines after the grid are welcome as long as they hold no cell character.
PuzzleTextFault CheckPuzzleText(std::string_view text);

struct LoadReport {
    LoadOutcome outcome = LoadOutcome::kInstalled;
    // Language texts making up the status message, in order (empty when the
    // puzzle is valid).
    std::vector<int> messages;
    std::string caption; // the file name without folder and extension
    std::string detail;  // the system's reason, or which field was wrong
};

// Installs a parsed puzzle the way a file load does: variant, X flag and marks
// from the record (a free layout makes the grid classic), the whole model
// cleared, the grid copied into CellGrid, Givens and SolutionGrid, checked and
// its candidates computed; when valid, SolutionGrid is cleared again and
// HistoryLevel is 0. Returns the messages for an invalid grid.
std::vector<int> InstallParsedPuzzle(const ParsedPuzzle& puzzle, Engine& engine);

// Reads the file at `path` into the engine.
LoadReport LoadPuzzleFile(const std::string& path, Engine& engine);

// The messages for a ValidityStatus: none for 0, 504 for 1, 504 505 for 2 and
// 504 506 for 3.
std::vector<int> ValidityMessages(int validityStatus);

// What "Enregistrer Grille" writes: the framed grid of CellGrid for a classic
// grid without diagonals, otherwise the one-line record of the givens and the
// marks; lines end in CR LF.
std::string PuzzleFileText(const Engine& engine);

// The framed 13-line grid of `cells` ("." for empty), every line ending in `eol`.
std::string FramedGrid(const Grid& cells, std::string_view eol);

// The "3x3" record of the givens and the marks, without a line end.
std::string RecordLine(const Engine& engine);

// Writes PuzzleFileText to `path` through a temporary file.
bool SavePuzzleFile(const std::string& path, const Engine& engine, std::string* error = nullptr);

} // namespace vemo::io
