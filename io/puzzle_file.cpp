// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/puzzle_file.h"

#include "io/checked_writer.h"
#include "io/text_file.h"

namespace vemo::io {

std::vector<int> ValidityMessages(int validityStatus) {
    switch (validityStatus) {
    case 0:
        return {};
    case 2:
        return {kTextInvalidGrid, kTextSeveralSolutions};
    case 3:
        return {kTextInvalidGrid, kTextNoCandidate};
    default:
        return {kTextInvalidGrid};
    }
}

std::vector<int> InstallParsedPuzzle(const ParsedPuzzle& puzzle, Engine& engine) {
    engine.XSudoku = engine.XSudokuChoice = puzzle.record ? puzzle.xSudoku : 0;
    engine.VariantKind = puzzle.record ? puzzle.variantKind : kClassic;
    engine.NeighbourMarks = puzzle.neighbourMarks;
    engine.SetEdgeMarks();
    engine.ParityMarks = puzzle.parityMarks;
    engine.ValidityGrid = puzzle.cells;

    engine.HistoryLevel = 0;
    engine.ClearPuzzle();
    engine.CellGrid[0] = engine.ValidityGrid;
    engine.Givens = engine.ValidityGrid;
    engine.SolutionGrid = engine.ValidityGrid;
    engine.CheckValidity();
    engine.ComputeCandidates();
    if (engine.ValidityStatus != 0) return ValidityMessages(engine.ValidityStatus);

    engine.ClearPuzzle();
    engine.CellGrid[0] = engine.ValidityGrid;
    engine.Givens = engine.ValidityGrid;
    engine.HistoryLevel = 0;
    engine.ComputeCandidates();
    return {};
}

PuzzleTextFault CheckPuzzleText(std::string_view text) {
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        const bool blank = ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f' || ch == '\v';
        if ((byte < 0x20 && !blank) || byte == 0x7F) return PuzzleTextFault::kBinary;
    }
    if (IsRecord(text)) return PuzzleTextFault::kNone;
    int cells = 0;
    bool pastGrid = false; // on a line after the one of the 81st cell
    for (const char ch : text) {
        if (ch == '\n' && cells >= 81) pastGrid = true;
        const bool cell = (ch >= '0' && ch <= '9') || ch == '.' || ch == 'x' || ch == 'X';
        if (!cell) continue;
        if (pastGrid) return PuzzleTextFault::kTooManyCells;
        ++cells;
    }
    return PuzzleTextFault::kNone;
}

LoadReport LoadPuzzleFile(const std::string& path, Engine& engine) {
    LoadReport report;
    const std::optional<std::string> bytes = ReadWholeFile(path, &report.detail);
    if (!bytes) {
        report.outcome = LoadOutcome::kCannotRead;
        report.messages = {kTextCannotRead};
        return report;
    }
    if (const PuzzleTextFault fault = CheckPuzzleText(*bytes); fault != PuzzleTextFault::kNone) {
        report.outcome = LoadOutcome::kNotAPuzzle;
        const bool binary = fault == PuzzleTextFault::kBinary;
        report.messages = {binary ? kTextBinaryFile : kTextTooManyCells};
        report.detail = binary ? "binary data" : "cells after the grid";
        return report;
    }
    const ReadResult read = ReadPuzzleFile(*bytes);
    if (read.outcome == ReadOutcome::kTooFewCells) {
        report.outcome = LoadOutcome::kTooFewCells;
        report.messages = {kTextFileTooShort};
        report.detail = read.detail;
        return report;
    }
    if (read.outcome == ReadOutcome::kBadField) {
        report.outcome = LoadOutcome::kBadField;
        report.messages = {kTextBadField};
        report.detail = read.detail;
        return report;
    }
    report.caption = BaseName(path);
    report.messages = InstallParsedPuzzle(read.puzzle, engine);
    return report;
}

std::string FramedGrid(const Grid& cells, std::string_view eol) {
    const std::string border = std::string(" *-----------*") + std::string(eol);
    const std::string separator = std::string(" |---+---+---|") + std::string(eol);
    std::string text = border;
    for (int row = 0; row < 9; ++row) {
        if (row == 3 || row == 6) text += separator;
        text += " |";
        for (int column = 0; column < 9; ++column) {
            const int v = cells[row * 9 + column];
            text += v >= 1 && v <= 9 ? static_cast<char>('0' + v) : '.';
            if (column % 3 == 2) text += '|';
        }
        text += eol;
    }
    return text + border;
}

std::string RecordLine(const Engine& engine) {
    const int kind = engine.VariantKind;
    const bool consecutive = kind == kNonConsecutive || kind == kConsecutive;
    std::string line = "3x3:";
    line += engine.XSudoku == 1 ? 'd' : ' ';
    line += consecutive ? ":c" : kind == kOddEven ? ":o" : ": ";
    for (int c = 0; c < 81; ++c) {
        int value = engine.Givens[c];
        if (consecutive) {
            value *= 256;
            for (int k = 1; k <= 4; ++k)
                if (engine.NeighbourMarks[c][k] == 1) value += 1 << (k - 1);
        } else if (kind == kOddEven && engine.ParityMarks[c] == 2) {
            value += 256;
        }
        line += ':';
        line += std::to_string(value);
    }
    return line + ':';
}

std::string PuzzleFileText(const Engine& engine) {
    if (engine.VariantKind == kClassic && engine.XSudoku != 1)
        return FramedGrid(engine.CellGrid[0], "\r\n");
    return RecordLine(engine) + "\r\n";
}

bool SavePuzzleFile(const std::string& path, const Engine& engine, std::string* error) {
    return WriteFileChecked(path, PuzzleFileText(engine), error);
}

} // namespace vemo::io
