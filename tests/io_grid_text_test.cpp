// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Clipboard text: the copied grids and the reading of pasted text.
#include "io/grid_text.h"
#include "io/puzzle_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vemo::io {
namespace {

const std::string kPuzzle =
    "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";

Engine Loaded(const std::string& cells) {
    Engine e;
    ReadResult read = ReadFreeLayout(cells);
    InstallParsedPuzzle(read.puzzle, e);
    return e;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            if (lines.back().empty()) lines.pop_back(); // the last line's end
            return lines;
        }
        start = end + 2;
    }
}

TEST(CopyText, WideCandidateGridHasItsExactFrame) {
    Engine e = Loaded(kPuzzle);
    const std::vector<std::string> lines = Lines(CandidateGrid(e, "\r\n"));
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], " *" + std::string(83, '-') + "*");
    EXPECT_EQ(lines[0].size(), 86u);
    EXPECT_EQ(
        lines[4],
        " |---------------------------+---------------------------+---------------------------|");
    EXPECT_EQ(lines[8], lines[4]);
    EXPECT_EQ(lines[12], lines[0]);
    for (const int i : {1, 2, 3, 5, 6, 7, 9, 10, 11}) {
        EXPECT_EQ(lines[i].size(), 2u + 3 * (27 + 1)) << i;
        EXPECT_EQ(lines[i][1], '|');
        EXPECT_EQ(lines[i][29], '|');
        EXPECT_EQ(lines[i][57], '|');
        EXPECT_EQ(lines[i][85], '|');
    }
    // r1c1 holds the given 4: the digit and eight blanks.
    EXPECT_EQ(lines[1].substr(2, 9), "4        ");
    // Every empty cell lists its candidates in order, blank-padded to nine.
    for (int c = 0; c < 81; ++c) {
        const int row = c / 9, column = c % 9;
        const int line = 1 + row + row / 3;
        const std::string field =
            Lines(CandidateGrid(e, "\r\n"))[line].substr(2 + column * 9 + column / 3, 9);
        std::string expected = e.CellGrid[0][c] ? std::string(1, char('0' + e.CellGrid[0][c]))
                                                : test::CandidateString(e, c);
        expected.resize(9, ' ');
        EXPECT_EQ(field, expected) << c;
    }
}

TEST(CopyText, CandidatesOneFourSeven) {
    Engine e = Loaded(kPuzzle);
    e.CandidateTable.ClearCell(2);
    for (const int d : {7, 1, 4}) e.CandidateTable.Add(2, d);
    EXPECT_EQ(Lines(CandidateGrid(e, "\r\n"))[1].substr(2 + 18, 9), "147      ");
}

TEST(CopyText, ThreeGridsOnceMovedAndPasteReadsTheGivens) {
    Engine e = Loaded(kPuzzle);
    e.PlaceDigit(1, 1);
    const std::string before = BuildGridText(e, false, false);
    EXPECT_EQ(Lines(before).size(), 13u + 2 + 13);
    const std::string copied = BuildGridText(e, false, true);
    const std::vector<std::string> lines = Lines(copied);
    ASSERT_EQ(lines.size(), 13u + 2 + 13 + 2 + 13);
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14], "");
    EXPECT_EQ(lines[1], " |4..|.3.|...|");  // the puzzle
    EXPECT_EQ(lines[16], " |41.|.3.|...|"); // the position
    // Pasted back: the first 81 cells, the givens.
    const PasteResult pasted = ParsePastedText(copied);
    ASSERT_EQ(pasted.outcome, ReadOutcome::kOk);
    EXPECT_EQ(test::TextOf(pasted.puzzle.cells), kPuzzle);
    // The position copied alone pastes back as the whole current position.
    const std::string position = BuildGridText(e, true, true);
    std::string expected = kPuzzle;
    expected[1] = '1';
    EXPECT_EQ(test::TextOf(ParsePastedText(position).puzzle.cells), expected);
}

TEST(CopyText, VariantsAndXSudokuCopyTheirRecord) {
    Engine e = Loaded(kPuzzle);
    e.XSudoku = 1;
    e.PlaceDigit(1, 1);
    const std::string record = BuildGridText(e, false, true);
    EXPECT_EQ(record, BuildGridText(e, true, true));
    EXPECT_TRUE(record.starts_with("3x3:d: :4:0:0:0:3:"));
    EXPECT_EQ(record.find('\n'), std::string::npos);
    e.XSudoku = 0;
    e.VariantKind = kOddEven;
    e.ParityMarks[1] = 2;
    EXPECT_TRUE(BuildGridText(e, true, false).starts_with("3x3: :o:4:256:0:"));
}

TEST(Paste, RecordsSpreadOverLinesAndTheirTypes) {
    std::string record = "3x3:d:o";
    for (int c = 0; c < 81; ++c) record += ":" + std::to_string(c == 0 ? 256 + 4 : 0);
    record += ":";
    std::string wrapped;
    for (std::size_t i = 0; i < record.size(); i += 30) wrapped += record.substr(i, 30) + "\r\n";
    const PasteResult r = ParsePastedText(wrapped);
    ASSERT_EQ(r.outcome, ReadOutcome::kOk);
    EXPECT_EQ(r.puzzle.xSudoku, 1);
    EXPECT_EQ(r.puzzle.variantKind, kOddEven);
    EXPECT_EQ(r.puzzle.cells[0], 4);
    EXPECT_EQ(r.puzzle.parityMarks[0], 2);

    // A classic header decodes plain digits.
    std::string classic = "3x3: : ";
    for (int c = 0; c < 81; ++c) classic += ":" + std::to_string(c % 10);
    const PasteResult plain = ParsePastedText(classic + ":");
    ASSERT_EQ(plain.outcome, ReadOutcome::kOk);
    EXPECT_EQ(plain.puzzle.variantKind, kClassic);
    EXPECT_EQ(plain.puzzle.cells[9], 9);
}

TEST(Paste, TooFewCellsInEitherShape) {
    EXPECT_EQ(ParsePastedText("").outcome, ReadOutcome::kTooFewCells);
    EXPECT_EQ(ParsePastedText(kPuzzle.substr(0, 80)).outcome, ReadOutcome::kTooFewCells);
    EXPECT_EQ(ParsePastedText("3x3: : :1:2:3:").outcome, ReadOutcome::kTooFewCells);
    EXPECT_EQ(ParsePastedText("3x3: : :1:2:zz:").outcome, ReadOutcome::kBadField);
    EXPECT_EQ(ParsePastedText("Hello, world: 12 apples").cellsRead, 2);
}

} // namespace
} // namespace vemo::io

namespace vemo::io {
namespace {

// A bar lies between two cells: a record that marks it on one of them reads
// as marked on both, with the counts of both cells.
TEST(RecordMarks, OneSidedBarIsMarkedOnBothCells) {
    std::string line = "3x3: :c";
    for (int c = 0; c < 81; ++c) {
        int field = 0;
        if (c == 40) field = 1;    // towards the right, not seen from cell 41
        if (c == 58) field = 8;    // up, not seen from cell 49
        if (c == 8) field = 1 | 2; // right is off the grid; down towards 17
        line += ":" + std::to_string(field);
    }
    line += ":";
    const ReadResult read = ReadRecord(line);
    const auto& m = read.puzzle.neighbourMarks;
    EXPECT_EQ(m[40][1], 1);
    EXPECT_EQ(m[41][3], 1);
    EXPECT_EQ(m[49][2], 1);
    EXPECT_EQ(m[58][4], 1);
    EXPECT_EQ(m[8][1], -1);
    EXPECT_EQ(m[17][4], 1);
    EXPECT_EQ(m[41][0], 1);
    EXPECT_EQ(m[49][0], 1);
    EXPECT_EQ(m[8][0], 1);
    int bars = 0;
    for (const auto& cell : m) bars += cell[0];
    EXPECT_EQ(bars, 6) << "three bars, each seen from its two cells";
}

} // namespace
} // namespace vemo::io
