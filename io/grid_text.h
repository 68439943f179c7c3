// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Puzzle text for the clipboard: what the copy commands put there and how a
// pasted text is read.
#pragma once

#include "engine/engine.h"
#include "io/puzzle_text.h"

#include <string>
#include <string_view>

namespace vemo::io {

inline constexpr int kTextPasteTooShort = 513;

// The text "Copier Sudoku" (positionOnly false) or "Copier position actuelle"
// (true) puts on the clipboard. `moved` is true once the player has made a
// move. A variant or an X-Sudoku gives the record of its givens; a classic
// grid gives the narrow grids and the wide candidate grid, every line ending in
// CR LF.
std::string BuildGridText(const Engine& engine, bool positionOnly, bool moved);

// The wide grid of every empty cell's candidates, every line ending in `eol`.
std::string CandidateGrid(const Engine& engine, std::string_view eol);

struct PasteResult {
    ReadOutcome outcome = ReadOutcome::kOk;
    ParsedPuzzle puzzle; // VariantChoice is puzzle.variantKind
    int cellsRead = 0;
    std::string detail;
};

// Reads pasted text: a text starting with "3x3" has its lines joined and is
// read as a record; anything else is read as the free layout. Fewer than 81
// cells gives kTooFewCells (message 513).
PasteResult ParsePastedText(std::string_view text);

} // namespace vemo::io
