// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the complete hint highlights and says, checked against the rules of
// each technique on real solving paths.
#include "engine/techniques/catalogue.h"
#include "example_file.h"
#include "io/puzzle_file.h"
#include "test_support.h"
#include "ui/hint_display.h"

#include <gtest/gtest.h>

#include <set>

namespace vemo::ui {
namespace {

// Plays hints until the chain names `technique`; false when the grid is
// solved first.
bool PlayUntil(Engine& e, int technique) {
    for (int step = 0; step < 400 && e.FilledCount < 81; ++step) {
        e.FindNextTechnique();
        if (e.HintTechnique == technique) return true;
        e.ApplyStep(e.HintTechnique);
    }
    return false;
}

TEST(HintDisplay, NakedSingleOneCellItsOnlyCandidate) {
    Engine e = AnalysedExample("candidatunique1.sku");
    ASSERT_TRUE(PlayUntil(e, kNakedSingle));
    const HintDisplay h = DescribeHint(e);
    ASSERT_EQ(h.cells.size(), 1u);
    ASSERT_EQ(h.digits.size(), 1u);
    EXPECT_EQ(e.CandidateTable.Count(h.cells[0]), 1);
    EXPECT_TRUE(e.CandidateTable.Has(h.cells[0], h.digits[0]));
    EXPECT_FALSE(h.diagonal);
    EXPECT_EQ(HintDetail(h, "Chiffres"), std::string(" Chiffres : ") + char('0' + h.digits[0]));
    EXPECT_EQ(CompleteHintText(h, "Candidat unique", "Chiffres"),
              std::string("Candidat unique Chiffres : ") + char('0' + h.digits[0]));
}

TEST(HintDisplay, XWingCrossingsAllHoldTheDigit) {
    for (const char* name : {"Xwing1.sku", "Xwing2.sku", "Xwing3.sku", "Xwing4.sku"}) {
        Engine e = AnalysedExample(name);
        ASSERT_TRUE(PlayUntil(e, kXWing)) << name;
        const HintDisplay h = DescribeHint(e);
        ASSERT_EQ(h.cells.size(), 4u) << name;
        ASSERT_EQ(h.digits.size(), 1u);
        std::set<int> rows, columns;
        for (const int c : h.cells) {
            EXPECT_TRUE(e.CandidateTable.Has(c, h.digits[0])) << name << " " << c;
            rows.insert(c / 9);
            columns.insert(c % 9);
        }
        EXPECT_EQ(rows.size(), 2u); // a rectangle
        EXPECT_EQ(columns.size(), 2u);
    }
}

TEST(HintDisplay, SwordfishSkipsFilledCrossings) {
    int withFilledCrossing = 0;
    for (const char* name :
         {"swordfish1.sku", "swordfish2.sku", "swordfish3.sku", "swordfish4.sku"}) {
        Engine e = AnalysedExample(name);
        ASSERT_TRUE(PlayUntil(e, kSwordfish)) << name;
        const HintDisplay h = DescribeHint(e);
        EXPECT_LE(h.cells.size(), 9u);
        EXPECT_GE(h.cells.size(), 6u) << name; // at least two per line of the fish
        for (const int c : h.cells) EXPECT_EQ(e.CellGrid[0][c], 0) << name;
        withFilledCrossing += h.cells.size() < 9 ? 1 : 0;
    }
    EXPECT_GT(withFilledCrossing, 0); // the filter was exercised
}

TEST(HintDisplay, SubsetsListTheirCellsAndDigits) {
    const std::pair<const char*, int> cases[] = {{"pairenue1.sku", kNakedPair},
                                                 {"tripletnu1.sku", kNakedTriple},
                                                 {"quadrupletnu1.sku", kNakedQuadruplet}};
    for (const auto& [name, technique] : cases) {
        Engine e = AnalysedExample(name);
        ASSERT_TRUE(PlayUntil(e, technique)) << name;
        const HintDisplay h = DescribeHint(e);
        const std::size_t n = technique == kNakedPair ? 2 : technique == kNakedTriple ? 3 : 4;
        ASSERT_EQ(h.cells.size(), n);
        ASSERT_EQ(h.digits.size(), n);
        // A naked subset: the cells' candidates lie within the listed digits.
        unsigned listed = 0;
        for (const int d : h.digits) listed |= 1u << (d - 1);
        for (const int c : h.cells) EXPECT_EQ(e.CandidateTable.Mask(c) & ~listed, 0u) << name;
        std::string detail = " Chiffres : ";
        for (std::size_t i = 0; i < n; ++i) {
            if (i > 0) detail += ' ';
            detail += static_cast<char>('0' + h.digits[i]);
        }
        EXPECT_EQ(HintDetail(h, "Chiffres"), detail);
    }
}

TEST(HintDisplay, ImpossibleNeighbourListsEveryDigitWithATrailingBlank) {
    // A consecutive puzzle that needs the impossible neighbour.
    Engine e;
    bool found = false;
    for (std::uint64_t seed = 1; seed < 400 && !found; ++seed) {
        e = Engine();
        e.Rng.Seed(seed);
        e.SetDifficulty(3);
        e.VariantKind = kConsecutive;
        ASSERT_TRUE(e.GeneratePuzzle());
        if (e.TechniqueCounters[kImpossibleNeighbour - 1] == 0) continue;
        e.CellGrid[0] = e.Givens;
        e.ComputeCandidates();
        found = PlayUntil(e, kImpossibleNeighbour);
    }
    ASSERT_TRUE(found);
    const HintDisplay h = DescribeHint(e);
    ASSERT_EQ(h.cells.size(), 2u);
    ASSERT_FALSE(h.digits.empty());
    EXPECT_EQ(h.digits.size(), static_cast<std::size_t>(e.HintRecord.count));
    std::string detail = " Chiffres : ";
    for (const int d : h.digits) detail += std::to_string(d) + " ";
    EXPECT_EQ(HintDetail(h, "Chiffres"), detail);
    // The two cells are orthogonal neighbours.
    const int a = h.cells[0], b = h.cells[1];
    EXPECT_TRUE(std::abs(a - b) == 9 || (std::abs(a - b) == 1 && a / 9 == b / 9)) << a << " " << b;
}

TEST(HintDisplay, NothingFound) {
    Engine e;
    e.HintTechnique = 0;
    const HintDisplay h = DescribeHint(e);
    EXPECT_EQ(h.technique, 0);
    EXPECT_TRUE(h.cells.empty());
    EXPECT_TRUE(h.digits.empty());
}

} // namespace
} // namespace vemo::ui
