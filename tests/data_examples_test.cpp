// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The example puzzles beside the program: every family has its files, and each
// file needs its family's technique and nothing the family excludes.
#include "test_support.h"

#include "devtools/statistics.h"
#include "engine/advanced/ids.h"
#include "engine/advanced/practice.h"
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

// The examples of the advanced techniques: each file, named after its
// technique as the others are, has one solution, and its hardest step is that
// technique, or for one that the hints pre-empt the puzzle practises it;
// every step of its solve keeps the solution's digits.
TEST(ExamplePuzzles, AdvancedFilesAreHardestAtTheirTechnique) {
    const std::filesystem::path folder =
        std::filesystem::path(VEMO_SOURCE_DIR) / "data" / "exemples";
    int files = 0, techniques = 0;
    for (const practice::PracticeTechnique& entry : practice::PracticeTechniques()) {
        if (entry.technique < advanced::kFirstAdvanced) continue; // the basic ones are above
        int n = 1;
        for (;; ++n) {
            const auto path = folder / std::filesystem::u8path(std::string(entry.stem) +
                                                               std::to_string(n) + ".sku");
            std::ifstream in(path, std::ios::binary);
            if (!in) break;
            std::stringstream text;
            text << in.rdbuf();
            const io::ReadResult read = io::ReadPuzzleFile(text.str());
            ASSERT_EQ(read.outcome, io::ReadOutcome::kOk) << path;
            Engine e;
            test::LoadPuzzle(e, test::TextOf(read.puzzle.cells));
            e.SolutionCount = 0;
            e.CountSolutions();
            ASSERT_EQ(e.SolutionCount, 1) << path;
            test::LoadPuzzle(e, test::TextOf(read.puzzle.cells));
            e.AnalysePuzzle();
            const Grid solution = e.SolutionGrid;
            std::vector<advanced::AdvancedStep> steps;
            const practice::HardestStep hardest = practice::FindHardestStep(e, &steps);
            // A technique that the hints pre-empt: the puzzle practises it
            // (see the practice tests); any other is the hardest step.
            ASSERT_GE(practice::PracticeStepIndex(e, entry.technique, hardest, steps), 0) << path;
            if (practice::PreemptersOf(entry.technique).empty()) {
                EXPECT_EQ(hardest.technique, entry.technique) << path;
                ASSERT_GE(hardest.first, 0) << path;
                EXPECT_EQ(steps[static_cast<std::size_t>(hardest.first)].technique,
                          entry.technique);
            }
            for (const advanced::AdvancedStep& step : steps) {
                if (step.placeCell >= 0) {
                    EXPECT_EQ(step.placeDigit, solution[step.placeCell]) << path;
                }
                for (int i = 0; i < step.eliminationCount; ++i)
                    EXPECT_NE(step.eliminations[i].digit, solution[step.eliminations[i].cell])
                        << path << " removes a true digit";
            }
            ++files;
        }
        if (n > 1) ++techniques;
    }
    // Two or three files for every advanced technique, the rarest too.
    EXPECT_EQ(techniques, advanced::kAdvancedCount);
    EXPECT_GE(files, 2 * advanced::kAdvancedCount);
}

} // namespace
} // namespace vemo
