// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The example puzzles beside the program: every family has its files, and each
// file needs its family's technique and nothing the family excludes.
#include "test_support.h"

#include "devtools/statistics.h"
#include "io/puzzle_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vemo {
namespace {

TEST(ExamplePuzzles, EveryFileNeedsItsTechnique) {
    const std::filesystem::path folder =
        std::filesystem::path(VEMO_SOURCE_DIR) / "data" / "exemples";
    int files = 0;
    for (const auto& family : devtools::ExampleFamilies()) {
        for (int n = 1; n <= family.files; ++n) {
            const auto path =
                folder / std::filesystem::u8path(family.stem + std::to_string(n) + ".sku");
            std::ifstream in(path, std::ios::binary);
            ASSERT_TRUE(in) << path;
            std::stringstream text;
            text << in.rdbuf();
            const io::ReadResult read = io::ReadPuzzleFile(text.str());
            ASSERT_EQ(read.outcome, io::ReadOutcome::kOk) << path;
            Engine e;
            test::LoadPuzzle(e, test::TextOf(read.puzzle.cells));
            e.CheckValidity();
            ASSERT_EQ(e.ValidityStatus, 0) << path;
            e.SolutionCount = 0;
            e.CountSolutions();
            ASSERT_EQ(e.SolutionCount, 1) << path;
            test::LoadPuzzle(e, test::TextOf(read.puzzle.cells));
            e.AnalysePuzzle();
            std::array<int, 19> counters{};
            for (int k = 0; k < 19; ++k) counters[k] = e.TechniqueCounters[k];
            EXPECT_TRUE(devtools::FitsFamily(family, counters))
                << path << " score " << e.PuzzleScore();
            ++files;
        }
    }
    EXPECT_EQ(files, 72);
}

} // namespace
} // namespace vemo
