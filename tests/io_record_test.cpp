// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading puzzles from text: "3x3" records and the free layout.
#include "io/puzzle_text.h"

#include "engine/random.h"

#include <gtest/gtest.h>

namespace vemo::io {
namespace {

std::string Record(const std::string& header, const std::array<int, 81>& fields) {
    std::string line = header;
    for (const int v : fields) {
        line += ':';
        line += std::to_string(v);
    }
    return line + ":";
}

TEST(Record, ClassicXSudoku) {
    std::array<int, 81> fields{};
    fields[0] = 5;
    fields[80] = 9;
    const ReadResult r = ReadRecord(Record("3x3:d: ", fields));
    ASSERT_EQ(r.outcome, ReadOutcome::kOk);
    EXPECT_TRUE(r.puzzle.record);
    EXPECT_EQ(r.puzzle.xSudoku, 1);
    EXPECT_EQ(r.puzzle.variantKind, kClassic);
    EXPECT_EQ(r.puzzle.cells[0], 5);
    EXPECT_EQ(r.puzzle.cells[80], 9);
    EXPECT_EQ(r.cellsRead, 81);
}

TEST(Record, ConsecutiveMarksAndTheWorkedExample) {
    std::array<int, 81> fields{};
    fields[10] = 1283; // a given 5 with a bar to the right and one below
    const ReadResult r = ReadRecord(Record("3x3: :c", fields));
    ASSERT_EQ(r.outcome, ReadOutcome::kOk);
    EXPECT_EQ(r.puzzle.variantKind, kConsecutive);
    EXPECT_EQ(r.puzzle.cells[10], 5);
    EXPECT_EQ(r.puzzle.neighbourMarks[10], (NeighbourRecord{2, 1, 1, 0, 0}));
    // Without any mark the same header reads as non-consecutive.
    fields[10] = 5 * 256;
    EXPECT_EQ(ReadRecord(Record("3x3: :c", fields)).puzzle.variantKind, kNonConsecutive);
}

TEST(Record, MarksOffTheGridAreDropped) {
    std::array<int, 81> fields{};
    fields[8] = 1 | 8; // right and up from the top right corner: both off the grid
    const ReadResult r = ReadRecord(Record("3x3: :c", fields));
    EXPECT_EQ(r.puzzle.neighbourMarks[8], (NeighbourRecord{0, -1, 0, 0, -1}));
}

TEST(Record, OddEvenShading) {
    std::array<int, 81> fields{};
    fields[3] = 256;     // a shaded empty cell
    fields[4] = 256 + 4; // a shaded given 4
    fields[5] = 7;
    const ReadResult r = ReadRecord(Record("3x3: :o", fields));
    ASSERT_EQ(r.outcome, ReadOutcome::kOk);
    EXPECT_EQ(r.puzzle.variantKind, kOddEven);
    EXPECT_EQ(r.puzzle.parityMarks[3], 2);
    EXPECT_EQ(r.puzzle.parityMarks[4], 2);
    EXPECT_EQ(r.puzzle.cells[4], 4);
    EXPECT_EQ(r.puzzle.parityMarks[5], 1);
}

TEST(Record, ShortRecordLeavesTheRestEmpty) {
    const ReadResult r = ReadRecord("3x3: : :1:2:3");
    EXPECT_EQ(r.outcome, ReadOutcome::kOk);
    EXPECT_EQ(r.cellsRead, 2); // the unclosed third field is dropped
    EXPECT_EQ(r.puzzle.cells[0], 1);
    EXPECT_EQ(r.puzzle.cells[1], 2);
    EXPECT_EQ(r.puzzle.cells[2], 0);
}

TEST(Record, BadFieldsAreRejected) {
    for (const char* line : {"3x3: : :1:x:3:", "3x3: : :1:12:3:", "3x3: : :1::3:", "3x3: :o:600:",
                             "3x3: :c:3000:", "3x3: : :-1:", "3x3: : :99999999999:"}) {
        EXPECT_EQ(ReadRecord(line).outcome, ReadOutcome::kBadField) << line;
    }
}

TEST(FreeLayout, FramesBlanksAndEmptyCharacters) {
    const std::string bare =
        "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";
    std::string framed = " *-----------*\r\n";
    for (int r = 0; r < 9; ++r) {
        if (r == 3 || r == 6) framed += " |---+---+---|\r\n";
        std::string row = bare.substr(r * 9, 9);
        framed +=
            " |" + row.substr(0, 3) + "|" + row.substr(3, 3) + "|" + row.substr(6, 3) + "|\r\n";
    }
    framed += " *-----------*\r\n";
    const ReadResult a = ReadFreeLayout(bare), b = ReadFreeLayout(framed);
    ASSERT_EQ(a.outcome, ReadOutcome::kOk);
    ASSERT_EQ(b.outcome, ReadOutcome::kOk);
    EXPECT_EQ(a.puzzle.cells, b.puzzle.cells);
    std::string mixed = bare;
    mixed[1] = '0';
    mixed[2] = 'x';
    mixed[3] = 'X';
    EXPECT_EQ(ReadFreeLayout(mixed).puzzle.cells, a.puzzle.cells);
    EXPECT_EQ(ReadFreeLayout(bare + "123456789").puzzle.cells, a.puzzle.cells); // 90 digits
    const ReadResult shortText = ReadFreeLayout(bare.substr(0, 80));
    EXPECT_EQ(shortText.outcome, ReadOutcome::kTooFewCells);
    EXPECT_EQ(ReadFreeLayout("1 2 3 4").cellsRead, 4); // blanks are no cells
}

TEST(PuzzleFile, FirstLineDecidesAndLaterLinesAreIgnored) {
    const ReadResult r = ReadPuzzleFile("3x3: : :7:\r\n123456789\r\n");
    EXPECT_TRUE(r.puzzle.record);
    EXPECT_EQ(r.puzzle.cells[0], 7);
    EXPECT_EQ(r.puzzle.cells[1], 0);
}

} // namespace
} // namespace vemo::io

namespace vemo::io {
namespace {

// Thousands of random and mutated texts: the readers never crash, never read a
// digit outside 0..9, and a record either reads or is refused as a whole.
TEST(Robustness, RandomAndMutatedTexts) {
    Random rng(2026);
    const std::string seeds[] = {
        "3x3:d:c:1283:0:256:2:3:4:5:6:7:8:9:",
        "3x3: :o:256:260:7:0:0:0:",
        " *-----------*\r\n |4..|.3.|...|\r\n |---+---+---|\r\n",
        "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........",
    };
    const char alphabet[] = "0123456789:.xX 3x|-+*\r\ncdo\xe9\xff";
    for (int i = 0; i < 5000; ++i) {
        std::string text = seeds[i % 4];
        const int edits = rng.Below(12);
        for (int k = 0; k < edits; ++k) {
            const int op = rng.Below(3);
            const std::size_t at =
                text.empty() ? 0
                             : static_cast<std::size_t>(rng.Below(static_cast<int>(text.size())));
            const char ch = alphabet[rng.Below(static_cast<int>(sizeof alphabet) - 1)];
            if (op == 0 && !text.empty())
                text[at] = ch;
            else if (op == 1)
                text.insert(text.begin() + static_cast<long>(at), ch);
            else if (!text.empty())
                text.erase(at, 1);
        }
        if (i % 10 == 0) { // now and then pure noise
            text.clear();
            for (int k = rng.Below(300); k > 0; --k) text += static_cast<char>(rng.Below(256));
        }
        const ReadResult r = ReadPuzzleFile(text);
        for (int c = 0; c < 81; ++c) ASSERT_LE(r.puzzle.cells[c], 9);
        for (int c = 0; c < 81; ++c) {
            ASSERT_TRUE(r.puzzle.parityMarks[c] == 1 || r.puzzle.parityMarks[c] == 2);
            const auto& m = r.puzzle.neighbourMarks[c];
            int bars = 0;
            for (int k = 1; k <= 4; ++k) bars += m[k] == 1;
            ASSERT_EQ(m[0], bars);
        }
        if (r.outcome == ReadOutcome::kBadField) {
            ASSERT_FALSE(r.detail.empty());
        }
    }
}

} // namespace
} // namespace vemo::io
