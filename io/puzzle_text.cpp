// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "puzzle_text.h"

namespace vemo::io {

namespace {

ParsedPuzzle Blank() {
    ParsedPuzzle p;
    p.parityMarks.fill(1);
    for (int c = 0; c < 81; ++c) {
        p.neighbourMarks[c] = {0, c % 9 == 8 ? -1 : 0, c >= 72 ? -1 : 0, c % 9 == 0 ? -1 : 0,
                               c < 9 ? -1 : 0};
    }
    return p;
}

ReadResult Bad(std::string detail) {
    ReadResult r;
    r.puzzle = Blank();
    r.puzzle.record = true;
    r.outcome = ReadOutcome::kBadField;
    r.detail = std::move(detail);
    return r;
}

} // namespace

bool IsRecord(std::string_view text) {
    return text.substr(0, 3) == "3x3";
}

ReadResult ReadRecord(std::string_view line) {
    ReadResult result;
    ParsedPuzzle& p = result.puzzle;
    p = Blank();
    p.record = true;
    p.xSudoku = line.size() > 4 && line[4] == 'd' ? 1 : 0;
    const char type = line.size() > 6 ? line[6] : ' ';
    p.variantKind = type == 'c' ? kNonConsecutive : type == 'o' ? kOddEven : kClassic;

    std::size_t position = 7; // the eighth character
    int cell = 0;
    while (cell < 81) {
        if (position >= line.size() || line[position] != ':') break;
        const std::size_t close = line.find(':', position + 1);
        if (close == std::string_view::npos) break; // an unclosed last field is dropped
        const std::string_view field = line.substr(position + 1, close - position - 1);
        if (field.empty() || field.size() > 9)
            return Bad("field " + std::to_string(cell + 1) + " is not a number");
        long value = 0;
        for (const char ch : field) {
            if (ch < '0' || ch > '9')
                return Bad("field " + std::to_string(cell + 1) + " is not a number");
            value = value * 10 + (ch - '0');
        }
        int digit = 0;
        if (type == 'c') {
            digit = static_cast<int>(value / 256);
            for (int k = 1; k <= 4; ++k) {
                if ((value % 256 >> (k - 1) & 1) != 0) {
                    p.neighbourMarks[cell][k] = 1;
                    p.variantKind = kConsecutive;
                }
            }
        } else if (type == 'o') {
            digit = static_cast<int>(value % 256);
            if (value / 256 > 1)
                return Bad("field " + std::to_string(cell + 1) + " has no such shading");
            p.parityMarks[cell] = static_cast<int>(value / 256) + 1;
        } else {
            digit = static_cast<int>(value);
        }
        if (digit > 9) return Bad("field " + std::to_string(cell + 1) + " is not a digit");
        p.cells[cell] = static_cast<std::uint8_t>(digit);
        ++cell;
        position = close;
    }
    result.cellsRead = cell;
    // Marks pointing off the grid are not marks.
    for (int c = 0; c < 81; ++c) {
        NeighbourRecord& m = p.neighbourMarks[c];
        if (c % 9 == 8) m[1] = -1;
        if (c >= 72) m[2] = -1;
        if (c % 9 == 0) m[3] = -1;
        if (c < 9) m[4] = -1;
    }
    // A bar lies between two cells: marked on one side only, it is marked on
    // both, so that every rule sees the same bar from either cell.
    for (int c = 0; c < 81; ++c) {
        NeighbourRecord& m = p.neighbourMarks[c];
        if (c % 9 != 8 && (m[1] == 1 || p.neighbourMarks[c + 1][3] == 1))
            m[1] = p.neighbourMarks[c + 1][3] = 1;
        if (c < 72 && (m[2] == 1 || p.neighbourMarks[c + 9][4] == 1))
            m[2] = p.neighbourMarks[c + 9][4] = 1;
    }
    // The counts follow what is left.
    for (int c = 0; c < 81; ++c) {
        NeighbourRecord& m = p.neighbourMarks[c];
        m[0] = 0;
        for (int k = 1; k <= 4; ++k) m[0] += m[k] == 1 ? 1 : 0;
    }
    return result;
}

ReadResult ReadFreeLayout(std::string_view text) {
    ReadResult result;
    result.puzzle = Blank();
    int cell = 0;
    for (const char ch : text) {
        if (cell == 81) break;
        if (ch >= '1' && ch <= '9')
            result.puzzle.cells[cell++] = static_cast<std::uint8_t>(ch - '0');
        else if (ch == '.' || ch == 'x' || ch == 'X' || ch == '0')
            result.puzzle.cells[cell++] = 0;
    }
    result.cellsRead = cell;
    if (cell < 81) {
        result.outcome = ReadOutcome::kTooFewCells;
        result.detail = "only " + std::to_string(cell) + " cells";
    }
    return result;
}

ReadResult ReadPuzzleFile(std::string_view text) {
    if (!IsRecord(text)) return ReadFreeLayout(text);
    std::size_t end = text.find_first_of("\r\n");
    return ReadRecord(text.substr(0, end));
}

} // namespace vemo::io
