// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The puzzles of a file, answered one by one on one or several threads and
// printed in the order of the file.
#pragma once

#include "puzzle_lines.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vemo::cli {

// The arguments "FILE [--jobs J]" (in either order) of a command that answers
// every puzzle of a file.
struct SourceArgs {
    std::string source;
    int jobs = 1;
};

// Nothing, with the reason in error, when the arguments are not one file and an
// optional --jobs from 1 to 64.
std::optional<SourceArgs> ParseSourceArgs(const std::vector<std::string>& args, std::string& error);

// The answer to one puzzle: the text to print for it (with its line breaks).
// The engine belongs to the calling thread; the answer must not depend on what
// an earlier puzzle left in it.
using Answer =
    std::function<std::string(Engine& engine, const std::string& line, const LinePuzzle&)>;

// Thrown by an Answer for a puzzle it has no answer for: nothing is printed for
// the puzzle, its place and the reason go to standard error, and the command
// exits with kExitBadInput.
struct Unanswered {
    std::string reason;
};

// Throws Unanswered when the engine's last search spent its trial budget.
void RequireAnswer(const Engine& engine);

// Answers every puzzle of the source and prints the answers in the order of the
// source, whatever the number of jobs (an unanswered puzzle's message in its
// place on standard error). A file laid out as the window saves or
// reads a single puzzle (a framed grid, nine rows of nine, ".ss", ".sdk", ...)
// is read as the window opens it; otherwise the source holds one puzzle a line,
// as ForEachPuzzleLine reads it. Returns what ForEachPuzzleLine returns, or
// kExitBadInput when a layout could not be read or a puzzle was unanswered.
int ForEachPuzzle(const SourceArgs& args, const Answer& answer);

} // namespace vemo::cli
