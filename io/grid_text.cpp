// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/grid_text.h"

#include "io/puzzle_file.h"

namespace vemo::io {

namespace {

constexpr std::string_view kEol = "\r\n";

} // namespace

std::string CandidateGrid(const Engine& engine, std::string_view eol) {
    const std::string border = " *" + std::string(83, '-') + "*" + std::string(eol);
    const std::string separator =
        " |---------------------------+---------------------------+---------------------------|" +
        std::string(eol);
    const Grid& grid = engine.CellGrid[0];
    std::string text = border;
    for (int row = 0; row < 9; ++row) {
        if (row == 3 || row == 6) text += separator;
        text += " |";
        for (int column = 0; column < 9; ++column) {
            const int cell = row * 9 + column;
            std::string entry;
            if (grid[cell] >= 1 && grid[cell] <= 9) {
                entry = static_cast<char>('0' + grid[cell]);
            } else {
                for (int d = 1; d <= 9; ++d)
                    if (engine.CandidateTable.Has(cell, d)) entry += static_cast<char>('0' + d);
            }
            entry.resize(9, ' ');
            text += entry;
            if (column % 3 == 2) text += '|';
        }
        text += eol;
    }
    return text + border;
}

std::string BuildGridText(const Engine& engine, bool positionOnly, bool moved) {
    if (engine.VariantKind > kClassic || engine.XSudoku == 1) return RecordLine(engine);
    std::string text;
    if (!positionOnly) {
        text += FramedGrid(engine.Givens, kEol);
        text += kEol; // two empty lines
        text += kEol;
    }
    if (moved || positionOnly) {
        text += FramedGrid(engine.CellGrid[0], kEol);
        text += kEol;
        text += kEol;
    }
    return text + CandidateGrid(engine, kEol);
}

PasteResult ParsePastedText(std::string_view text) {
    PasteResult result;
    ReadResult read;
    if (IsRecord(text)) {
        std::string joined;
        joined.reserve(text.size());
        for (const char c : text)
            if (c != '\r' && c != '\n') joined += c;
        read = ReadRecord(joined);
        // A record that does not hold 81 fields fills fewer than 81 cells.
        if (read.outcome == ReadOutcome::kOk && read.cellsRead < 81) {
            read.outcome = ReadOutcome::kTooFewCells;
            read.detail = "only " + std::to_string(read.cellsRead) + " fields";
        }
    } else {
        read = ReadFreeLayout(text);
    }
    result.outcome = read.outcome;
    result.puzzle = read.puzzle;
    result.cellsRead = read.cellsRead;
    result.detail = read.detail;
    return result;
}

} // namespace vemo::io
