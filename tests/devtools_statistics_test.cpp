// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The batch statistics: collection reading, the results layout, the example rules.
#include "test_support.h"

#include "devtools/statistics.h"

#include <gtest/gtest.h>

#include <map>

namespace vemo {
namespace {

using devtools::StatisticsRow;

TEST(StatisticsCollection, CellsGatherAcrossLinesAndSurplusIsIgnored) {
    const std::string first =
        "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";
    std::string text;
    // Nine lines of nine with frames, then one bare line with a surplus.
    for (int r = 0; r < 9; ++r) text += "| " + first.substr(r * 9, 9) + " |\n";
    text += first + "987\n";
    text += "12345\n"; // an incomplete puzzle at the end
    const auto puzzles = devtools::ReadCollection(text);
    ASSERT_EQ(puzzles.size(), 2u);
    EXPECT_EQ(test::TextOf(puzzles[0]), first);
    EXPECT_EQ(test::TextOf(puzzles[1]), first);
}

TEST(StatisticsResults, HeaderAveragesAndRows) {
    StatisticsRow a, b;
    a.counters[0] = 10;
    b.counters[0] = 20;
    a.counters[18] = 100;
    b.counters[18] = 300;
    a.clues = 24;
    b.clues = 26;
    a.ratingSeconds = 0.5;
    const std::string text = devtools::ResultsText({a, b});
    const auto firstLine = text.substr(0, text.find('\n'));
    EXPECT_EQ(firstLine, devtools::kStatisticsHeader);
    EXPECT_NE(text.find("\n\nMoyenne 15.0000    "), std::string::npos);
    EXPECT_NE(text.find("200.0000    0.0000    0.0000    25.0000    0    0    \n\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n1   10  0  "), std::string::npos);
    EXPECT_NE(text.find("  24  0.500000000  0.000000000  \n"), std::string::npos);
    EXPECT_NE(text.find("\n2   20  "), std::string::npos);
}

TEST(StatisticsResults, AnAbandonedSearchGivesNoRatingAndLeavesTheAverages) {
    const std::string hard =
        "4...3.......6..8..........1....5..9..8....6...7.2........1.27..5.3....4.9........";
    Engine e;
    e.TrialBudget = 3;
    const StatisticsRow cut = devtools::RateRow(e, test::GridFrom(hard));
    EXPECT_TRUE(cut.abandoned);
    Engine whole;
    const StatisticsRow rated = devtools::RateRow(whole, test::GridFrom(hard));
    ASSERT_FALSE(rated.abandoned);
    EXPECT_EQ(rated.counters[17], 1); // one solution
    const std::string text = devtools::ResultsText({rated, cut});
    // The averages are those of the rated row alone.
    char average[32];
    std::snprintf(average, sizeof average, "\n\nMoyenne %.4f    ", double(rated.counters[0]));
    EXPECT_NE(text.find(average), std::string::npos) << text;
    EXPECT_NE(text.find(std::string("\n2   ") + devtools::kAbandonedRow + "\n"), std::string::npos);
}

TEST(StatisticsExamples, RulesAndNumbering) {
    std::map<std::string, int> written;
    devtools::ExamplePicker picker([&](const std::string& name, const Grid&) { ++written[name]; });
    StatisticsRow row;
    row.counters[0] = 40;
    row.counters[1] = 10;
    row.counters[2] = 2; // locked candidates (1) twice, nothing harder
    row.counters[18] = 150;
    picker.Generated(row);
    picker.Generated(row);
    EXPECT_EQ(written["pluspetit.sku"], 1); // 150 < 200, then not below 150 again
    EXPECT_EQ(written["verouille1-1.sku"], 1);
    EXPECT_EQ(written["verouille1-2.sku"], 1);
    EXPECT_EQ(written.count("plusgrand.sku"), 0u);

    row.counters[15] = 1; // a trial: no longer a locked-candidates example
    row.counters[18] = 1200;
    picker.Generated(row);
    EXPECT_EQ(written.count("verouille1-3.sku"), 0u);
    EXPECT_EQ(written["plusgrand.sku"], 1);
    EXPECT_EQ(written.count("plusgrandsansforcebrute1.sku"), 0u);

    StatisticsRow singles;
    singles.counters[0] = 56; // more naked singles than the record of 54, nothing else
    picker.Generated(singles);
    EXPECT_EQ(written["candidatunique56.sku"], 1);
    picker.Generated(singles);
    EXPECT_EQ(written["candidatunique56.sku"], 1); // not more than the new record
}

TEST(StatisticsRows, GeneratedRowIsUniqueAndThinned) {
    Engine e;
    e.Rng.Seed(11);
    const StatisticsRow row = devtools::GenerateRow(e);
    EXPECT_EQ(row.counters[17], 1); // the solution count of the rating
    EXPECT_GT(row.counters[18], 0);
    EXPECT_LE(row.clues, row.cluesBefore);
    EXPECT_EQ(row.clues, row.puzzle.FilledCount());
    Engine check;
    test::LoadPuzzle(check, test::TextOf(row.puzzle));
    check.SolutionCount = 0;
    check.CountSolutions();
    EXPECT_EQ(check.SolutionCount, 1);
}

} // namespace
} // namespace vemo
