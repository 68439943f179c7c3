// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Puzzle files: loading into the engine, saving, and the round trips of every
// variant.
#include "io/puzzle_file.h"
#include "io/text_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

namespace vemo::io {
namespace {

namespace fs = std::filesystem;

const std::string kPuzzle =
    "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";

class PuzzleFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("vemo_files_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Read(const std::string& path) {
        return ReadWholeFile(path).value_or("<none>");
    }

    fs::path folder_;
};

// Everything a load may change.
std::string Snapshot(const Engine& e) {
    std::string s = test::TextOf(e.CellGrid[0]) + test::TextOf(e.Givens) +
                    test::TextOf(e.SolutionGrid) + test::TextOf(e.ValidityGrid);
    s += std::to_string(e.VariantKind) + std::to_string(e.XSudoku) +
         std::to_string(e.ValidityStatus);
    for (const auto& m : e.NeighbourMarks)
        for (const int v : m) s += std::to_string(v);
    for (const int v : e.ParityMarks) s += std::to_string(v);
    for (int c = 0; c < 81; ++c) s += test::CandidateString(e, c) + ",";
    return s;
}

TEST_F(PuzzleFiles, ValidClassicFileIsReadyForPlay) {
    Engine e;
    e.XSudoku = e.XSudokuChoice = 1;
    e.VariantKind = kOddEven;
    const LoadReport r = LoadPuzzleFile(Write("first try.sku", kPuzzle + "\r\n"), e);
    ASSERT_EQ(r.outcome, LoadOutcome::kInstalled);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.caption, "first try");
    EXPECT_EQ(test::TextOf(e.CellGrid[0]), kPuzzle);
    EXPECT_EQ(test::TextOf(e.Givens), kPuzzle);
    EXPECT_EQ(test::TextOf(e.SolutionGrid), std::string(81, '.')); // filled by the analysis later
    EXPECT_EQ(e.VariantKind, kClassic);
    EXPECT_EQ(e.XSudoku, 0);
    EXPECT_EQ(e.XSudokuChoice, 0);
    EXPECT_EQ(e.HistoryLevel, 0);
    // Candidates of the new grid, not of whatever was there: r1c2 sees 4 and 3.
    EXPECT_EQ(test::CandidateString(e, 1).find('4'), std::string::npos);
    EXPECT_EQ(test::CandidateString(e, 1).find('3'), std::string::npos);
}

TEST_F(PuzzleFiles, InvalidGridsAreShownWithTheirMessages) {
    Engine e;
    std::string duplicate = kPuzzle;
    duplicate[1] = '4';
    LoadReport r = LoadPuzzleFile(Write("dup.sku", duplicate), e);
    EXPECT_EQ(r.outcome, LoadOutcome::kInstalled);
    EXPECT_EQ(r.messages, (std::vector<int>{504}));
    EXPECT_EQ(e.ValidityStatus, 1);
    EXPECT_EQ(test::TextOf(e.CellGrid[0]), duplicate); // the invalid grid stays on the board
    EXPECT_EQ(test::TextOf(e.SolutionGrid), duplicate);

    r = LoadPuzzleFile(Write("few.sku", "123456789"
                                        "4567891" +
                                            std::string(65, '.')),
                       e); // 16 givens
    EXPECT_EQ(r.messages, (std::vector<int>{504, 505}));

    // r1c9 empty with 1..8 in its row and 9 in its column.
    const std::string stuck = "12345678." + std::string(71, '.') + "9";
    r = LoadPuzzleFile(Write("stuck.sku", stuck), e);
    EXPECT_EQ(r.messages, (std::vector<int>{504, 506}));
}

TEST_F(PuzzleFiles, RejectedFilesChangeNothing) {
    Engine e;
    ASSERT_EQ(LoadPuzzleFile(Write("good.sku", kPuzzle), e).outcome, LoadOutcome::kInstalled);
    const std::string before = Snapshot(e);

    LoadReport r = LoadPuzzleFile(Write("short.sku", kPuzzle.substr(0, 80) + "\r\nThe end\r\n"), e);
    EXPECT_EQ(r.outcome, LoadOutcome::kTooFewCells);
    EXPECT_EQ(r.messages, (std::vector<int>{503}));
    EXPECT_EQ(Snapshot(e), before);

    r = LoadPuzzleFile(Write("bad.sku", "3x3:d:o:1:2:x7:4:"), e);
    EXPECT_EQ(r.outcome, LoadOutcome::kBadField);
    EXPECT_EQ(r.messages, (std::vector<int>{542}));
    EXPECT_EQ(Snapshot(e), before);

    r = LoadPuzzleFile((folder_ / "missing.sku").string(), e);
    EXPECT_EQ(r.outcome, LoadOutcome::kCannotRead);
    EXPECT_NE(r.detail.find("missing.sku"), std::string::npos);
    EXPECT_EQ(Snapshot(e), before);

    r = LoadPuzzleFile(folder_.string(), e); // a folder is no file
    EXPECT_EQ(r.outcome, LoadOutcome::kCannotRead);
    EXPECT_EQ(Snapshot(e), before);
}

TEST_F(PuzzleFiles, TextsThatAreNoPuzzleAreRefusedBeforeTheirCellsAreRead) {
    Engine e;
    ASSERT_EQ(LoadPuzzleFile(Write("good.sku", kPuzzle), e).outcome, LoadOutcome::kInstalled);
    const std::string before = Snapshot(e);
    const std::string framed = FramedGrid(e.Givens, "\r\n");
    struct Case {
        std::string text;
        PuzzleTextFault fault;
    };
    const Case cases[] = {
        {kPuzzle + std::string("\0", 1), PuzzleTextFault::kBinary},
        {"\x01" + kPuzzle, PuzzleTextFault::kBinary},
        {kPuzzle + "\x7f", PuzzleTextFault::kBinary},
        {"3x3: : :1:2:\x1b:", PuzzleTextFault::kBinary},
        {kPuzzle + "\r\n" + kPuzzle + "\r\n", PuzzleTextFault::kTooManyCells},
        {framed + " 1\r\n", PuzzleTextFault::kTooManyCells},
        {framed + "Note: X\r\n", PuzzleTextFault::kTooManyCells},
        // What a grid may carry: blanks and tabs, frames, comments without a
        // cell, a page end, the rest of the 81st cell's own line.
        {"\t" + kPuzzle + "123456789\r\n\f", PuzzleTextFault::kNone},
        {"Grid\r\n" + framed + "*-+|\r\nThe end\r\n", PuzzleTextFault::kNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckPuzzleText(c.text), c.fault) << c.text;
        const LoadReport r = LoadPuzzleFile(Write("t.sdu", c.text), e);
        if (c.fault == PuzzleTextFault::kNone) {
            EXPECT_EQ(r.outcome, LoadOutcome::kInstalled) << c.text;
            EXPECT_EQ(test::TextOf(e.Givens), kPuzzle);
            continue;
        }
        EXPECT_EQ(r.outcome, LoadOutcome::kNotAPuzzle) << c.text;
        EXPECT_EQ(r.messages, (std::vector<int>{c.fault == PuzzleTextFault::kBinary ? 580 : 581}));
        EXPECT_EQ(Snapshot(e), before);
    }
}

TEST_F(PuzzleFiles, ShortRecordLeavesNoStaleCells) {
    Engine e;
    ASSERT_EQ(LoadPuzzleFile(Write("full.sku", kPuzzle), e).outcome, LoadOutcome::kInstalled);
    // Three fields only: the other 78 cells are empty, not the old puzzle's.
    LoadPuzzleFile(Write("three.sku", "3x3: : :1:2:3:"), e);
    EXPECT_EQ(test::TextOf(e.ValidityGrid), "123" + std::string(78, '.'));
}

TEST_F(PuzzleFiles, ExactFramedGridWithThePlayersDigits) {
    Engine e;
    ASSERT_EQ(LoadPuzzleFile(Write("p.sku", kPuzzle), e).outcome, LoadOutcome::kInstalled);
    e.PlaceDigit(1, 1); // a digit of the player at r1c2
    const std::string expected = " *-----------*\r\n"
                                 " |41.|.3.|...|\r\n"
                                 " |...|6..|8..|\r\n"
                                 " |...|...|..1|\r\n"
                                 " |---+---+---|\r\n"
                                 " |...|.5.|.9.|\r\n"
                                 " |.8.|...|6..|\r\n"
                                 " |.7.|2..|...|\r\n"
                                 " |---+---+---|\r\n"
                                 " |...|1.2|7..|\r\n"
                                 " |5.3|...|.4.|\r\n"
                                 " |9..|...|...|\r\n"
                                 " *-----------*\r\n";
    EXPECT_EQ(PuzzleFileText(e), expected);
    const std::string path = (folder_ / "out.sku").string();
    ASSERT_TRUE(SavePuzzleFile(path, e));
    EXPECT_EQ(Read(path), expected);
    // Read back, the player's digit is a given now.
    Engine f;
    LoadPuzzleFile(path, f);
    EXPECT_EQ(f.Givens[1], 1);
}

// Generated puzzles of every variant, saved and read back.
TEST_F(PuzzleFiles, RoundTripOfEveryVariant) {
    for (const int kind : {kClassic, kNonConsecutive, kConsecutive, kOddEven}) {
        for (const int x : {0, 1}) {
            Engine e;
            e.Rng.Seed(1000 + kind * 2 + x);
            e.SetDifficulty(0);
            e.VariantKind = kind;
            e.XSudoku = x;
            ASSERT_TRUE(e.GeneratePuzzle());
            ASSERT_EQ(e.VariantKind, kind);
            // A variant writes its givens only, even after the player's moves.
            int free = 0;
            while (e.CellGrid[0][free] != 0) ++free;
            const bool record = kind != kClassic || x == 1;
            if (record) e.PlaceDigit(free, e.SolutionGrid[free]);

            const std::string path =
                (folder_ / ("v" + std::to_string(kind) + std::to_string(x) + ".sku")).string();
            ASSERT_TRUE(SavePuzzleFile(path, e));
            const std::string text = Read(path);
            EXPECT_EQ(text.starts_with("3x3:"), record);
            EXPECT_TRUE(text.ends_with("\r\n"));

            Engine f;
            const LoadReport r = LoadPuzzleFile(path, f);
            ASSERT_EQ(r.outcome, LoadOutcome::kInstalled);
            EXPECT_TRUE(r.messages.empty()) << kind << x;
            EXPECT_EQ(test::TextOf(f.Givens), test::TextOf(e.Givens)) << kind << x;
            EXPECT_EQ(f.XSudoku, x);
            const bool anyBar = [&] {
                for (const auto& m : e.NeighbourMarks)
                    if (m[0] > 0) return true;
                return false;
            }();
            EXPECT_EQ(f.VariantKind, kind == kConsecutive && !anyBar ? kNonConsecutive : kind);
            if (kind == kConsecutive || kind == kNonConsecutive) {
                EXPECT_EQ(f.NeighbourMarks, e.NeighbourMarks);
            }
            if (kind == kOddEven) {
                EXPECT_EQ(f.ParityMarks, e.ParityMarks);
            }
        }
    }
}

TEST_F(PuzzleFiles, ConsecutiveRecordWithoutMarksLoadsAsNonConsecutive) {
    Engine e;
    e.ClearPuzzle();
    e.VariantKind = kConsecutive;
    e.ResetNeighbourMarks();
    e.Givens = test::GridFrom(kPuzzle);
    const std::string record = RecordLine(e);
    EXPECT_TRUE(record.starts_with("3x3: :c:1024:0:0:0:768:"));
    Engine f;
    LoadPuzzleFile(Write("c.sku", record), f);
    EXPECT_EQ(f.VariantKind, kNonConsecutive);
    e.NeighbourMarks[0][1] = 1;
    e.NeighbourMarks[0][0] = 1;
    LoadPuzzleFile(Write("c2.sku", RecordLine(e)), f);
    EXPECT_EQ(f.VariantKind, kConsecutive);
    EXPECT_EQ(f.NeighbourMarks[0][1], 1);
    EXPECT_EQ(f.NeighbourMarks[0][3], -1); // the grid edge
}

TEST_F(PuzzleFiles, FailedSaveKeepsTheOldFile) {
    Engine e;
    ASSERT_EQ(LoadPuzzleFile(Write("p.sku", kPuzzle), e).outcome, LoadOutcome::kInstalled);
    const std::string path = Write("keep.sku", "old content");

    // A file-size limit makes the write fail half-way, whoever runs the test.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 20;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    std::string error;
    const bool saved_ok = SavePuzzleFile(path, e, &error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved_ok);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Read(path), "old content");
    for (const auto& entry : fs::directory_iterator(folder_)) // no temporary left behind
        EXPECT_TRUE(entry.path().filename() == "p.sku" || entry.path().filename() == "keep.sku")
            << entry.path();

    EXPECT_FALSE(SavePuzzleFile((folder_ / "no such folder" / "x.sku").string(), e, &error));
}

} // namespace
} // namespace vemo::io
