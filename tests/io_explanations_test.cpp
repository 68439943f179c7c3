// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Hints in words: positions built by hand where the step is known, and the
// sentences checked for the cells, units and digits a reader sees on the board.
#include "engine/advanced/ids.h"
#include "engine/engine.h"
#include "engine/scale/scale.h"
#include "engine/techniques/catalogue.h"
#include "io/explanations.h"
#include "io/language.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace vemo::io {
namespace {

using test::CellAt;

LanguageTable Shipped(const char* name) {
    LanguageTable t;
    const LanguageLoadReport r = t.Load(std::string(VEMO_SOURCE_DIR) + "/data/Langues/" + name);
    EXPECT_TRUE(r.ok) << name << " " << r.error;
    return t;
}

const LanguageTable& French() {
    static const LanguageTable t = Shipped("Français.lng");
    return t;
}
const LanguageTable& English() {
    static const LanguageTable t = Shipped("English.lng");
    return t;
}

// The cells a sentence names, in either notation, as "3,5".
std::multiset<std::string> NamedCells(const std::string& text) {
    std::multiset<std::string> cells;
    static const std::regex cell("[LR]([1-9])C([1-9])");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), cell);
         it != std::sregex_iterator(); ++it)
        cells.insert((*it)[1].str() + "," + (*it)[2].str());
    return cells;
}

// The technique's name as the French file gives it, leading blanks removed.
std::string TechniqueNameFor(int technique) {
    std::string name = French().LookupText(TechniqueCatalogue[technique].text);
    return name.substr(name.find_first_not_of(' '));
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class Position {
  public:
    Position() { test::LoadPuzzle(engine, std::string(81, '.')); }
    // The cell keeps only these digits.
    Position& Cell(int row, int column, const std::string& digits) {
        unsigned mask = 0;
        for (const char ch : digits) mask |= 1u << (ch - '1');
        engine.CandidateTable.KeepOnly(CellAt(row, column), mask);
        return *this;
    }
    // The digit stays a candidate only in these cells of the row.
    Position& RowOnly(int row, int digit, const std::set<int>& columns) {
        for (int c = 0; c < 9; ++c)
            if (!columns.contains(c)) engine.CandidateTable.Remove(CellAt(row, c), digit);
        return *this;
    }
    Position& ColumnOnly(int column, int digit, const std::set<int>& rows) {
        for (int r = 0; r < 9; ++r)
            if (!rows.contains(r)) engine.CandidateTable.Remove(CellAt(r, column), digit);
        return *this;
    }
    Engine& Hint() {
        engine.FindNextTechnique();
        return engine;
    }
    Engine engine;
};

TEST(HintInWords, NakedSingle) {
    Position p;
    p.Cell(2, 4, "7");
    const Engine& e = p.Hint();
    ASSERT_EQ(e.HintTechnique, kNakedSingle);
    const std::string fr = ExplainHint(e, French(), HintLevel::kFull);
    EXPECT_EQ(NamedCells(fr), (std::multiset<std::string>{"3,5"})) << fr;
    EXPECT_TRUE(Has(fr, "le 7")) << fr;
    const std::string en = ExplainHint(e, English(), HintLevel::kFull);
    EXPECT_TRUE(Has(en, "R3C5") && Has(en, "the 7")) << en;
    EXPECT_FALSE(Has(en, "L3C5")) << en;
    // The short hint names the technique and the cell's box (box 2, counted from 1).
    const std::string name = ExplainHint(e, French(), HintLevel::kName);
    EXPECT_TRUE(Has(name, French().LookupText(101)) && Has(name, "le bloc 2")) << name;
    EXPECT_TRUE(NamedCells(name).empty()) << name;
    // Playing it places the digit and says so, without the removals around it.
    const std::string played = ExplainHint(e, French(), HintLevel::kPlayed);
    EXPECT_TRUE(Has(played, "L3C5 = 7")) << played;
    EXPECT_EQ(NamedCells(played).size(), 1u) << played;
}

TEST(HintInWords, HiddenSingleNamesItsUnit) {
    Position row;
    row.RowOnly(2, 7, {4});
    const Engine& e = row.Hint();
    ASSERT_EQ(e.HintTechnique, kHiddenSingle);
    const std::string fr = ExplainHint(e, French(), HintLevel::kFull);
    EXPECT_TRUE(Has(fr, "la ligne 3") && Has(fr, "le 7")) << fr;
    EXPECT_EQ(NamedCells(fr), (std::multiset<std::string>{"3,5"})) << fr;
    const std::string en = ExplainHint(e, English(), HintLevel::kFull);
    EXPECT_TRUE(Has(en, "row 3") && Has(en, "R3C5") && Has(en, "the 7")) << en;
    EXPECT_TRUE(Has(ExplainHint(e, English(), HintLevel::kName), "row 3"));

    Position column;
    column.ColumnOnly(6, 2, {8});
    const Engine& c = column.Hint();
    ASSERT_EQ(c.HintTechnique, kHiddenSingle);
    const std::string fc = ExplainHint(c, French(), HintLevel::kFull);
    EXPECT_TRUE(Has(fc, "la colonne 7") && Has(fc, "le 2")) << fc;
    EXPECT_FALSE(Has(fc, "la ligne")) << fc;
    EXPECT_EQ(NamedCells(fc), (std::multiset<std::string>{"9,7"})) << fc;
}

TEST(HintInWords, LockedCandidatesNameOnlyTheCellsHoldingTheDigit) {
    // Box 1: the 5 only in its first row, at L1C1 and L1C2 (not L1C3).
    Position p;
    for (const int cell : {CellAt(0, 2), CellAt(1, 0), CellAt(1, 1), CellAt(1, 2), CellAt(2, 0),
                           CellAt(2, 1), CellAt(2, 2)})
        p.engine.CandidateTable.Remove(cell, 5);
    const Engine& e = p.Hint();
    ASSERT_EQ(e.HintTechnique, kLockedBoxToLine);
    const std::string fr = ExplainHint(e, French(), HintLevel::kFull);
    EXPECT_TRUE(Has(fr, "le bloc 1") && Has(fr, "la ligne 1") && Has(fr, "le 5")) << fr;
    EXPECT_EQ(NamedCells(fr), (std::multiset<std::string>{"1,1", "1,2"})) << fr;
    const std::string en = ExplainHint(e, English(), HintLevel::kFull);
    EXPECT_TRUE(Has(en, "box 1") && Has(en, "row 1") && Has(en, "R1C1") && Has(en, "R1C2")) << en;
    // Playing it removes the 5 from the six other cells of row 1.
    const std::string played = ExplainHint(e, French(), HintLevel::kPlayed);
    EXPECT_EQ(NamedCells(played),
              (std::multiset<std::string>{"1,4", "1,5", "1,6", "1,7", "1,8", "1,9"}))
        << played;
    EXPECT_TRUE(Has(played, "5 ")) << played;
}

TEST(HintInWords, NakedPair) {
    Position p;
    p.Cell(1, 3, "47").Cell(1, 7, "47");
    const Engine& e = p.Hint();
    ASSERT_EQ(e.HintTechnique, kNakedPair);
    const std::string fr = ExplainHint(e, French(), HintLevel::kFull);
    EXPECT_EQ(NamedCells(fr), (std::multiset<std::string>{"2,4", "2,8"})) << fr;
    EXPECT_TRUE(Has(fr, "4 et 7") && Has(fr, "la ligne 2")) << fr;
    const std::string en = ExplainHint(e, English(), HintLevel::kFull);
    EXPECT_TRUE(Has(en, "4 and 7") && Has(en, "row 2") && Has(en, "R2C4") && Has(en, "R2C8")) << en;
    // Played: the 4 and the 7 leave the seven other cells of row 2.
    const std::string played = ExplainHint(e, English(), HintLevel::kPlayed);
    std::multiset<std::string> expected;
    for (int digit = 0; digit < 2; ++digit) // the 4 and the 7
        for (const int column : {1, 2, 3, 5, 6, 7, 9})
            expected.insert("2," + std::to_string(column));
    EXPECT_EQ(NamedCells(played), expected) << played;
    EXPECT_TRUE(Has(played, "4 removed") && Has(played, "7 removed")) << played;
}

TEST(HintInWords, XWing) {
    // The 3 of rows 2 and 5 only in columns 3 and 7.
    Position p;
    p.RowOnly(1, 3, {2, 6}).RowOnly(4, 3, {2, 6});
    const Engine& e = p.Hint();
    ASSERT_EQ(e.HintTechnique, kXWing);
    const std::string fr = ExplainHint(e, French(), HintLevel::kFull);
    EXPECT_EQ(NamedCells(fr), (std::multiset<std::string>{"2,3", "2,7", "5,3", "5,7"})) << fr;
    for (const char* unit : {"la ligne 2", "la ligne 5", "la colonne 3", "la colonne 7", "le 3"})
        EXPECT_TRUE(Has(fr, unit)) << unit << ": " << fr;
    // The digit leaves the columns, not the rows it was found in.
    EXPECT_TRUE(Has(fr, "de la colonne 7") && !Has(fr, "de la ligne")) << fr;
    const std::string en = ExplainHint(e, English(), HintLevel::kName);
    EXPECT_TRUE(Has(en, "row 2") && Has(en, "row 5") && Has(en, "X-wing")) << en;
    EXPECT_FALSE(Has(en, "column")) << en;
}

// The finder's result as the non-consecutive rule leaves it: L1C1 loses 3
// and 4, L1C2 loses 5.
TEST(HintInWords, ImpossibleNeighbourSaysWhichDigitsLeaveWhichCell) {
    Engine e;
    e.HintTechnique = kImpossibleNeighbour;
    e.ImpossibleNeighbour.cellA = CellAt(0, 0);
    e.ImpossibleNeighbour.cellB = CellAt(0, 1);
    e.ImpossibleNeighbour.digitsA[0] = 3;
    e.ImpossibleNeighbour.digitsA[1] = 4;
    e.ImpossibleNeighbour.countA = 2;
    e.ImpossibleNeighbour.digitsB[0] = 5;
    e.ImpossibleNeighbour.countB = 1;
    const std::string fr = ExplainHint(e, French(), HintLevel::kFull);
    EXPECT_TRUE(Has(fr, "3 et 4 de L1C1") && Has(fr, "le 5 de L1C2")) << fr;
    const std::string en = ExplainHint(e, English(), HintLevel::kFull);
    EXPECT_TRUE(Has(en, "3 and 4 from R1C1") && Has(en, "the 5 from R1C2")) << en;
}

// An X-chain on the 5: R1C1 = R1C5 - R4C5 = R4C9, so one of R1C1 and R4C9 is
// the 5, and R1C9, which sees both, is not.
advanced::AdvancedStep XChain() {
    using namespace advanced;
    AdvancedStep step;
    step.technique = kXChain;
    const int cells[] = {CellAt(0, 0), CellAt(0, 4), CellAt(3, 4), CellAt(3, 8)};
    const Link links[] = {Link::kStrong, Link::kWeak, Link::kStrong};
    for (int i = 0; i < 4; ++i) {
        step.nodes[i].cells = CellBit(cells[i]);
        step.nodes[i].digit = 5;
        if (i < 3) step.links[i] = links[i];
    }
    step.nodeCount = 4;
    step.digits = 1u << 4;
    step.Eliminate(CellAt(0, 8), 5);
    return step;
}

TEST(HintInWords, ChainNamesItsNodesInOrderWithTheirLinks) {
    const advanced::AdvancedStep step = XChain();
    for (const LanguageTable* texts : {&French(), &English()}) {
        const std::string text = ExplainAdvancedStep(step, *texts, HintLevel::kFull);
        const std::string prefix = texts == &French() ? "L" : "R";
        std::vector<std::size_t> at;
        for (const char* cell : {"1C1", "1C5", "4C5", "4C9"})
            at.push_back(text.find(prefix + cell));
        for (std::size_t i = 0; i < at.size(); ++i) ASSERT_NE(at[i], std::string::npos) << text;
        for (std::size_t i = 1; i < at.size(); ++i) ASSERT_LT(at[i - 1], at[i]) << text;
        const auto between = [&](std::size_t i) {
            const std::string s = text.substr(at[i], at[i + 1] - at[i]);
            return s.substr(s.find(')') + 1);
        };
        EXPECT_TRUE(Has(between(0), "=")) << text;
        EXPECT_TRUE(Has(between(1), "-") && !Has(between(1), "=")) << text;
        EXPECT_TRUE(Has(between(2), "=")) << text;
        // The eliminated candidate is named after the chain.
        EXPECT_GT(text.rfind(prefix + "1C9"), at[3]) << text;
        EXPECT_TRUE(Has(text, texts->LookupText(880))) << text;
        const std::string played = ExplainAdvancedStep(step, *texts, HintLevel::kPlayed);
        EXPECT_EQ(NamedCells(played), (std::multiset<std::string>{"1,9"})) << played;
        EXPECT_TRUE(Has(played, "5 ")) << played;
    }
}

TEST(HintInWords, AdvancedPlacementAndBranches) {
    using namespace advanced;
    // Two branches from the candidates of R5C1 both end on 8 in R5C5.
    AdvancedStep step;
    step.technique = kCellForcingChain;
    step.placeCell = CellAt(4, 4);
    step.placeDigit = 8;
    const int premises[] = {2, 6};
    for (int b = 0; b < 2; ++b) {
        step.nodes[2 * b] = {CellBit(CellAt(4, 0)), static_cast<std::int8_t>(premises[b]), 1};
        step.nodes[2 * b + 1] = {CellBit(CellAt(4, 4)), 8, 1};
        step.links[2 * b] = Link::kStrong;
        step.branchStart[b] = static_cast<std::uint8_t>(2 * b);
    }
    step.nodeCount = 4;
    step.branchCount = 2;
    step.branchStart[2] = 4;
    step.AddCell(CellAt(4, 0));
    const std::string fr = ExplainAdvancedStep(step, French(), HintLevel::kFull);
    EXPECT_TRUE(Has(fr, "L5C1(2)") && Has(fr, "L5C1(6)")) << fr;
    EXPECT_TRUE(Has(fr, "Branche 1") && Has(fr, "Branche 2")) << fr;
    EXPECT_TRUE(Has(fr, "le 8 en L5C5")) << fr;
    const std::string en = ExplainAdvancedStep(step, English(), HintLevel::kPlayed);
    EXPECT_TRUE(Has(en, "R5C5 = 8")) << en;
    EXPECT_EQ(NamedCells(en).size(), 1u) << en;
}

TEST(HintInWords, ATranslatorMayReorderThePlaceholders) {
    LanguageTable t;
    ASSERT_TRUE(t.LoadText("#0800 0000  C%2L%1\r\n"
                           "#0801 0000  row %1\r\n"
                           "#0821 0000  %3 <- %2 (%1)\r\n"
                           "#0812 0000  %2 & %1\r\n")
                    .ok);
    Position p;
    p.RowOnly(2, 7, {4});
    const std::string text = ExplainHint(p.Hint(), t, HintLevel::kFull);
    EXPECT_EQ(text, "C5L3 <- 7 (row 3)");
    // Lists follow the reordered joining part too: cells R1C1, R1C2 in that order.
    advanced::AdvancedStep step;
    step.technique = advanced::kSkyscraper;
    step.AddCell(CellAt(0, 0));
    step.AddCell(CellAt(0, 1));
    const std::string pattern = ExplainAdvancedStep(step, t, HintLevel::kFull);
    EXPECT_TRUE(Has(pattern, "C2L1 & C1L1")) << pattern;
}

TEST(HintInWords, MissingTextsFallBackAndNothingBreaks) {
    const LanguageTable empty; // nothing loaded: the built-in texts
    Position p;
    p.Cell(2, 4, "7");
    const std::string text = ExplainHint(p.Hint(), empty, HintLevel::kFull);
    EXPECT_TRUE(Has(text, "L3C5") && Has(text, "7")) << text;
    EXPECT_EQ(text.find('%'), std::string::npos) << text;
    EXPECT_EQ(text, ExplainHint(p.engine, French(), HintLevel::kFull)); // French is built in

    // A file that lacks most parts and has one with a number it cannot fill.
    LanguageTable partial;
    ASSERT_TRUE(partial.LoadText("#0820 0000  %1 %9 %2 100%%\r\n").ok);
    EXPECT_EQ(ExplainHint(p.engine, partial, HintLevel::kFull), "L3C5  7 100%");

    // A record out of every range still gives a sentence.
    advanced::AdvancedStep wild;
    wild.technique = 999;
    wild.eliminationCount = 100000;
    wild.cellCount = -4;
    wild.nodeCount = 1000;
    wild.branchCount = 40;
    wild.unitCount = 99;
    for (const HintLevel level : {HintLevel::kName, HintLevel::kFull, HintLevel::kPlayed})
        EXPECT_FALSE(ExplainAdvancedStep(wild, French(), level).empty());
    EXPECT_TRUE(ExplainAdvancedStep({}, French(), HintLevel::kFull).empty());
    EXPECT_EQ(CellText(-1, French()), "?");
    EXPECT_EQ(UnitText(40, French()), "?");

    // No hint found: nothing to say.
    Engine none;
    EXPECT_TRUE(ExplainHint(none, French(), HintLevel::kFull).empty());
}

// Every language file holds every part, with the French part's placeholders.
TEST(HintInWords, ShippedFilesHoldEveryPartWithItsPlaceholders) {
    const auto placeholders = [](const std::string& text) {
        std::set<char> found;
        for (std::size_t i = 0; i + 1 < text.size(); ++i)
            if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9')
                found.insert(text[i + 1]);
        return found;
    };
    for (const char* name :
         {"Français.lng", "English.lng", "Deutsch.lng", "Español.lng", "Italiano.lng"}) {
        const LanguageTable t = Shipped(name);
        for (const int id : ExplanationTextIdentifiers()) {
            ASSERT_TRUE(t.Has(id)) << name << " " << id;
            EXPECT_FALSE(t.LookupText(id).empty()) << name << " " << id;
            EXPECT_EQ(placeholders(t.LookupText(id)), placeholders(French().LookupText(id)))
                << name << " " << id;
        }
        for (int id = advanced::kFirstAdvanced; id < advanced::kAdvancedEnd; ++id)
            EXPECT_FALSE(AdvancedTechniqueName(id, t).empty()) << name << " " << id;
    }
    EXPECT_NE(AdvancedTechniqueName(advanced::kXChain, English()),
              AdvancedTechniqueName(advanced::kXYChain, English()));
}

// Solving real puzzles hint by hint: every step met is said in full in both
// languages, without a placeholder left, naming the cells that the complete
// hint highlights, and its played form names what the move changed.
TEST(HintInWords, EveryStepOfRealSolvesIsSaid) {
    const auto puzzles = test::ReadCollection("top1465.txt");
    ASSERT_FALSE(puzzles.empty());
    std::set<int> seen;
    for (std::size_t i = 0; i < puzzles.size() && i < 250; ++i) {
        Engine engine;
        test::LoadPuzzle(engine, puzzles[i]);
        for (int steps = 0; engine.FilledCount < 81 && steps < 400; ++steps) {
            engine.HintTechnique = 0;
            engine.FindNextTechnique();
            const int t = engine.HintTechnique;
            ASSERT_NE(t, 0) << puzzles[i];
            seen.insert(t);
            for (const LanguageTable* texts : {&French(), &English()}) {
                const std::string full = ExplainHint(engine, *texts, HintLevel::kFull);
                ASSERT_FALSE(full.empty()) << t;
                EXPECT_EQ(full.find('%'), std::string::npos) << full;
                const std::multiset<std::string> named = NamedCells(full);
                const auto name = [](int cell) {
                    return std::to_string(cell / 9 + 1) + "," + std::to_string(cell % 9 + 1);
                };
                int highlighted = 0; // the cells of the complete hint
                if (t == kNakedSingle || t == kHiddenSingle || t == kBruteForce) highlighted = 1;
                if (t >= kNakedPair && t <= kHiddenQuadruplet)
                    highlighted = 2 + (t - kNakedPair) / 2;
                if (t == kColouring || t == kMultiColouring) highlighted = engine.HintRecord.count;
                if (t == kXYWing) highlighted = 3;
                for (int k = 0; k < highlighted; ++k)
                    EXPECT_TRUE(named.contains(name(engine.HintRecord.cells[k])))
                        << name(engine.HintRecord.cells[k]) << " missing from: " << full;
                if (t == kLockedBoxToLine || t == kLockedLineToBox)
                    for (const std::string& cell : named) {
                        bool listed = false;
                        for (int k = 0; k < engine.HintRecord.count; ++k)
                            listed = listed || name(engine.HintRecord.cells[k]) == cell;
                        EXPECT_TRUE(listed) << cell << " not in the segment: " << full;
                    }
            }
            const Grid grid = engine.CellGrid[0];
            const Candidates candidates = engine.CandidateTable;
            const std::string played = ExplainHint(engine, French(), HintLevel::kPlayed);
            engine.ApplyStep(t);
            EXPECT_EQ(played, TechniqueNameFor(t) + " : " +
                                  DescribeChanges(grid, candidates, engine.CellGrid[0],
                                                  engine.CandidateTable, French()));
        }
    }
    // The sample is broad enough to reach the rarer steps.
    for (const int t : {kNakedSingle, kHiddenSingle, kLockedBoxToLine, kNakedPair, kXWing,
                        kColouring, kXYWing, kBruteForce})
        EXPECT_TRUE(seen.contains(t)) << t << " among " << seen.size();
}

} // namespace
} // namespace vemo::io

namespace vemo::io {
namespace {

// The steps of the community's scale are named in the interface's language:
// every technique in every shipped file, the program's own names where it has the technique, and
// the forms of the forcing chains.
TEST(ScaleNames, EveryTechniqueIsNamedInEachLanguage) {
    for (const char* file :
         {"Français.lng", "English.lng", "Deutsch.lng", "Español.lng", "Italiano.lng"}) {
        const LanguageTable t = Shipped(file);
        std::set<std::string> names;
        for (int k = scale::kFullHouse; k < scale::kScaleTechniqueEnd; ++k) {
            const std::string name = ScaleTechniqueName(k, 0, t);
            EXPECT_FALSE(name.empty()) << file << " " << k;
            names.insert(name);
        }
        // No two techniques share a name.
        EXPECT_EQ(names.size(), static_cast<std::size_t>(scale::kScaleTechniqueEnd - 1)) << file;
    }
    // The French page says French where French has its own words.
    EXPECT_EQ(ScaleTechniqueName(scale::kFullHouse, 0, French()), "Dernière case libre");
    EXPECT_EQ(ScaleTechniqueName(scale::kDirectPointing, 0, French()),
              "Candidats Vérouillés (1) directs");
    EXPECT_EQ(ScaleTechniqueName(scale::kHiddenPair, 0, French()), "Paire cachée");
    EXPECT_EQ(ScaleTechniqueName(scale::kTwoStrongLinks, 0, French()), "Deux liens forts");
    EXPECT_EQ(ScaleTechniqueName(scale::kTwoStrongLinks, 0, English()), "Two strong links");
    EXPECT_EQ(ScaleTechniqueName(scale::kHiddenSingleBox, 0, English()), "Hidden single in a box");
    EXPECT_EQ(ScaleTechniqueName(scale::kCellForcingChains, 1, French()),
              "Chaîne forcée de case (dynamique)");
    EXPECT_EQ(ScaleTechniqueName(scale::kCellForcingChains, 4, French()),
              "Chaîne forcée de case (imbriquée, niveau 3)");
    EXPECT_EQ(ScaleTechniqueName(scale::kUnitForcingChains, 2, English()),
              "Unit forcing chain (dynamic +)");
    // A file without the texts falls back on the scale's own names.
    const LanguageTable none;
    EXPECT_EQ(ScaleTechniqueName(scale::kXCycle, 0, none), "X-cycle");
    EXPECT_EQ(ScaleTechniqueName(scale::kNoTechnique, 0, French()), "");
}

} // namespace
} // namespace vemo::io
