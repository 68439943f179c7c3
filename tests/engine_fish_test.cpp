// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// X-Wing and Swordfish: scan order, the elimination test, eliminations; and a
// property run of every subset and fish technique over real puzzles.
#include "test_support.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace vemo {
namespace {

using test::CellAt;

Engine Blank() {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'), kClassic, 0);
    return engine;
}

bool Listed(std::initializer_list<int> list, int value) {
    for (const int v : list)
        if (v == value) return true;
    return false;
}

// Digit d stays in row r only at the listed columns.
void ConfineRow(Engine& e, int d, int r, std::initializer_list<int> columns) {
    for (int c = 0; c < 9; ++c)
        if (!Listed(columns, c)) e.CandidateTable.Remove(CellAt(r, c), d);
}

// Digit d stays in column c only at the listed rows.
void ConfineColumn(Engine& e, int d, int c, std::initializer_list<int> rows) {
    for (int r = 0; r < 9; ++r)
        if (!Listed(rows, r)) e.CandidateTable.Remove(CellAt(r, c), d);
}

void ExpectFish(const FishResult& f, int found, int digit, std::initializer_list<int> base,
                std::initializer_list<int> cover) {
    EXPECT_EQ(f.found, found);
    EXPECT_EQ(f.digit, digit);
    int i = 0;
    for (const int b : base) EXPECT_EQ(f.base[i++], b) << "base slot " << i - 1;
    i = 0;
    for (const int c : cover) EXPECT_EQ(f.cover[i++], c) << "cover slot " << i - 1;
}

// ---- X-Wing ------------------------------------------------------------------

TEST(XWing, RowsOneAndFiveClearColumnsTwoAndSeven) {
    Engine e = Blank();
    ConfineRow(e, 4, 1, {2, 7});
    ConfineRow(e, 4, 5, {2, 7});
    // Outside the base rows, columns 2 and 7 keep 4 only in cells 2 and 79.
    ConfineColumn(e, 4, 2, {0, 1, 5});
    ConfineColumn(e, 4, 7, {1, 5, 8});
    e.FindXWing();
    ExpectFish(e.XWing, 1, 4, {1, 5}, {2, 7});
    e.ApplyXWing();
    EXPECT_FALSE(e.CandidateTable.Has(2, 4));
    EXPECT_FALSE(e.CandidateTable.Has(CellAt(8, 7), 4));
    EXPECT_EQ(e.CandidateTable.Count(2), 8);
    for (const int c : {CellAt(1, 2), CellAt(1, 7), CellAt(5, 2), CellAt(5, 7)})
        EXPECT_TRUE(e.CandidateTable.Has(c, 4)) << c;
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(0, 3), 4));
}

TEST(XWing, ApplyClearsEveryOtherCellOfTheCoverColumns) {
    Engine e = Blank();
    ConfineRow(e, 4, 1, {2, 7});
    ConfineRow(e, 4, 5, {2, 7});
    e.FindXWing();
    ASSERT_EQ(e.XWing.found, 1);
    e.ApplyXWing();
    for (int r = 0; r < 9; ++r) {
        const bool base = r == 1 || r == 5;
        EXPECT_EQ(e.CandidateTable.Has(CellAt(r, 2), 4), base) << r;
        EXPECT_EQ(e.CandidateTable.Has(CellAt(r, 7), 4), base) << r;
        EXPECT_EQ(e.CandidateTable.Has(CellAt(r, 6), 4), !base) << r;
    }
}

TEST(XWing, NothingToEliminateIsNotReported) {
    Engine e = Blank();
    ConfineRow(e, 4, 1, {2, 7});
    ConfineRow(e, 4, 5, {2, 7});
    ConfineColumn(e, 4, 2, {1, 5});
    ConfineColumn(e, 4, 7, {1, 5});
    e.FindXWing();
    EXPECT_EQ(e.XWing.found, 0);
}

TEST(XWing, EliminationInTheSecondCoverLineOnly) {
    Engine e = Blank();
    ConfineRow(e, 4, 1, {2, 7});
    ConfineRow(e, 4, 5, {2, 7});
    ConfineColumn(e, 4, 2, {1, 5});
    ConfineColumn(e, 4, 7, {1, 5, 8});
    e.FindXWing();
    ExpectFish(e.XWing, 1, 4, {1, 5}, {2, 7});
    const Candidates before = e.CandidateTable;
    e.ApplyXWing();
    Candidates expected = before;
    expected.Remove(CellAt(8, 7), 4);
    EXPECT_TRUE(e.CandidateTable == expected);
}

TEST(XWing, RowWithThreePlacesTakesNoPart) {
    Engine e = Blank();
    ConfineRow(e, 4, 1, {2, 7});
    ConfineRow(e, 4, 5, {2, 5, 7});
    e.FindXWing();
    EXPECT_EQ(e.XWing.found, 0);
}

TEST(XWing, SmallerDigitFirstAmongRowPatterns) {
    Engine e = Blank();
    ConfineRow(e, 3, 0, {0, 8});
    ConfineRow(e, 3, 1, {0, 8});
    ConfineRow(e, 2, 6, {3, 4});
    ConfineRow(e, 2, 8, {3, 4});
    e.FindXWing();
    ExpectFish(e.XWing, 1, 2, {6, 8}, {3, 4});
    e.ApplyXWing();
    e.FindXWing();
    ExpectFish(e.XWing, 1, 3, {0, 1}, {0, 8});
}

TEST(XWing, EveryRowPatternBeforeAnyColumnPattern) {
    Engine e = Blank();
    ConfineColumn(e, 1, 0, {2, 6}); // columns 0 and 3, digit 1
    ConfineColumn(e, 1, 3, {2, 6});
    ConfineRow(e, 9, 7, {1, 4}); // rows 7 and 8, digit 9
    ConfineRow(e, 9, 8, {1, 4});
    e.FindXWing();
    ExpectFish(e.XWing, 1, 9, {7, 8}, {1, 4});
    e.ApplyXWing();
    e.FindXWing();
    ExpectFish(e.XWing, 2, 1, {0, 3}, {2, 6});
    e.ApplyXWing();
    for (int c = 0; c < 9; ++c) {
        const bool base = c == 0 || c == 3;
        EXPECT_EQ(e.CandidateTable.Has(CellAt(2, c), 1), base) << c;
        EXPECT_EQ(e.CandidateTable.Has(CellAt(6, c), 1), base) << c;
    }
}

TEST(XWing, LeftmostColumnWinsOverSmallerDigit) {
    Engine e = Blank();
    ConfineColumn(e, 1, 1, {2, 6});
    ConfineColumn(e, 1, 4, {2, 6});
    ConfineColumn(e, 9, 0, {3, 8});
    ConfineColumn(e, 9, 5, {3, 8});
    e.FindXWing();
    ExpectFish(e.XWing, 2, 9, {0, 5}, {3, 8});
    e.ApplyXWing();
    EXPECT_FALSE(e.CandidateTable.Has(CellAt(3, 1), 9));
    EXPECT_FALSE(e.CandidateTable.Has(CellAt(8, 8), 9));
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(3, 0), 9));
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(8, 5), 9));
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(4, 1), 9));
    e.FindXWing();
    ExpectFish(e.XWing, 2, 1, {1, 4}, {2, 6});
}

// ---- Swordfish ---------------------------------------------------------------

TEST(Swordfish, TwoTwoThreeOverThreeColumns) {
    Engine e = Blank();
    ConfineRow(e, 6, 0, {1, 5});
    ConfineRow(e, 6, 4, {5, 7});
    ConfineRow(e, 6, 8, {1, 5, 7});
    e.FindXWing();
    EXPECT_EQ(e.XWing.found, 0);
    e.FindSwordfish();
    ExpectFish(e.Swordfish, 1, 6, {0, 4, 8}, {1, 5, 7});
    e.ApplySwordfish();
    for (int r = 0; r < 9; ++r) {
        for (const int c : {1, 5, 7}) {
            // Base rows keep exactly their places; every other row loses the 6.
            const bool kept = (r == 0 && c != 7) || (r == 4 && c != 1) || r == 8;
            EXPECT_EQ(e.CandidateTable.Has(CellAt(r, c), 6), kept) << r << "," << c;
        }
        EXPECT_EQ(e.CandidateTable.Has(CellAt(r, 3), 6), r != 0 && r != 4 && r != 8) << r;
    }
}

TEST(Swordfish, FourColumnsIsNoSwordfish) {
    Engine e = Blank();
    ConfineRow(e, 6, 0, {1, 5});
    ConfineRow(e, 6, 4, {5, 7});
    ConfineRow(e, 6, 8, {1, 3, 7});
    e.FindSwordfish();
    EXPECT_EQ(e.Swordfish.found, 0);
}

TEST(Swordfish, ThreeLinesOverTwoColumnsIsNoSwordfish) {
    Engine e = Blank();
    // The union must be exactly three columns; two is left to the X-Wing.
    ConfineRow(e, 6, 0, {1, 5});
    ConfineRow(e, 6, 4, {1, 5});
    ConfineRow(e, 6, 8, {1, 5});
    e.FindSwordfish();
    EXPECT_EQ(e.Swordfish.found, 0);
}

TEST(Swordfish, NothingToEliminateIsNotReported) {
    Engine e = Blank();
    ConfineRow(e, 6, 0, {1, 5});
    ConfineRow(e, 6, 4, {5, 7});
    ConfineRow(e, 6, 8, {1, 5, 7});
    ConfineColumn(e, 6, 1, {0, 8});
    ConfineColumn(e, 6, 5, {0, 4, 8});
    ConfineColumn(e, 6, 7, {4, 8, 2}); // the only place left to clear
    e.FindSwordfish();
    ExpectFish(e.Swordfish, 1, 6, {0, 4, 8}, {1, 5, 7});
    e.CandidateTable.Remove(CellAt(2, 7), 6);
    e.FindSwordfish();
    EXPECT_EQ(e.Swordfish.found, 0);
}

TEST(Swordfish, EveryRowPatternBeforeAnyColumnPattern) {
    Engine e = Blank();
    ConfineColumn(e, 1, 0, {1, 4});
    ConfineColumn(e, 1, 3, {4, 7});
    ConfineColumn(e, 1, 6, {1, 4, 7});
    ConfineRow(e, 9, 2, {0, 2});
    ConfineRow(e, 9, 5, {2, 8});
    ConfineRow(e, 9, 6, {0, 8});
    e.FindSwordfish();
    ExpectFish(e.Swordfish, 1, 9, {2, 5, 6}, {0, 2, 8});
    e.ApplySwordfish();
    e.FindSwordfish();
    ExpectFish(e.Swordfish, 2, 1, {0, 3, 6}, {1, 4, 7});
}

TEST(Swordfish, LeftmostColumnWinsOverSmallerDigit) {
    Engine e = Blank();
    ConfineColumn(e, 2, 1, {0, 2});
    ConfineColumn(e, 2, 4, {2, 5});
    ConfineColumn(e, 2, 7, {0, 2, 5});
    ConfineColumn(e, 8, 0, {1, 4});
    ConfineColumn(e, 8, 3, {4, 7});
    ConfineColumn(e, 8, 6, {1, 4, 7});
    e.FindSwordfish();
    ExpectFish(e.Swordfish, 2, 8, {0, 3, 6}, {1, 4, 7});
    e.ApplySwordfish();
    for (const int r : {1, 4, 7})
        for (int c = 0; c < 9; ++c) {
            const bool base = c == 0 || c == 3 || c == 6;
            if (!base) {
                EXPECT_FALSE(e.CandidateTable.Has(CellAt(r, c), 8)) << r << "," << c;
            }
        }
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(7, 6), 8));
    EXPECT_TRUE(e.CandidateTable.Has(CellAt(2, 1), 8));
    e.FindSwordfish();
    ExpectFish(e.Swordfish, 2, 2, {1, 4, 7}, {0, 2, 5});
}

// ---- Finders and appliers in general -------------------------------------------

TEST(FishFinders, ChangeNothingAndRepeatTheirResult) {
    Engine e = Blank();
    ConfineRow(e, 4, 1, {2, 7});
    ConfineRow(e, 4, 5, {2, 7});
    ConfineRow(e, 6, 0, {1, 5});
    ConfineRow(e, 6, 4, {5, 7});
    ConfineRow(e, 6, 8, {1, 5, 7});
    const Candidates before = e.CandidateTable;
    e.FindXWing();
    const FishResult wing = e.XWing;
    e.FindSwordfish();
    const FishResult sword = e.Swordfish;
    EXPECT_TRUE(e.CandidateTable == before);
    e.FindXWing();
    e.FindSwordfish();
    EXPECT_EQ(e.XWing.base, wing.base);
    EXPECT_EQ(e.XWing.cover, wing.cover);
    EXPECT_EQ(e.Swordfish.base, sword.base);
    EXPECT_EQ(e.Swordfish.cover, sword.cover);
    EXPECT_EQ(e.Swordfish.digit, 6);
}

TEST(FishAppliers, NothingFoundRemovesNothing) {
    Engine e = Blank();
    e.FindXWing();
    e.FindSwordfish();
    ASSERT_EQ(e.XWing.found, 0);
    ASSERT_EQ(e.Swordfish.found, 0);
    const Candidates before = e.CandidateTable;
    e.ApplyXWing();
    e.ApplySwordfish();
    EXPECT_TRUE(e.CandidateTable == before);
}

// ---- Property: no elimination ever removes the solution ---------------------------

// Each technique of this file and of the subsets, in the order the solve chain
// tries them, with locked candidates so that the run reaches later positions.
enum Step {
    kLocked,
    kNakedPair,
    kNakedTriple,
    kNakedQuad,
    kHiddenPair,
    kXWing,
    kSwordfish,
    kHiddenTriple,
    kHiddenQuad,
    kSteps
};

const char* const kStepNames[kSteps] = {"locked candidates", "naked pair",    "naked triple",
                                        "naked quadruplet",  "hidden pair",   "X-Wing",
                                        "swordfish",         "hidden triple", "hidden quadruplet"};

// Finds and applies the step; true when it was found.
bool FindAndApply(Engine& e, int step) {
    switch (step) {
    case kLocked:
        e.FindLockedCandidates();
        if (e.LockedCandidates.digit == 0) return false;
        e.ApplyLockedCandidates();
        return true;
    case kXWing:
        e.FindXWing();
        if (e.XWing.found == 0) return false;
        e.ApplyXWing();
        return true;
    case kSwordfish:
        e.FindSwordfish();
        if (e.Swordfish.found == 0) return false;
        e.ApplySwordfish();
        return true;
    default:
        break;
    }
    e.SubsetMode = step >= kHiddenPair ? 1 : 0;
    if (step == kNakedPair || step == kHiddenPair)
        e.FindPair();
    else if (step == kNakedTriple || step == kHiddenTriple)
        e.FindTriple();
    else
        e.FindQuadruplet();
    if (e.Subset.found == 0) return false;
    EXPECT_EQ(e.Subset.found, e.SubsetMode + 1);
    if (e.Subset.size == 2)
        e.ApplyPair();
    else if (e.Subset.size == 3)
        e.ApplyTriple();
    else
        e.ApplyQuadruplet();
    return true;
}

TEST(SubsetAndFishProperty, NoEliminationRemovesTheSolutionDigit) {
    const std::vector<std::string> puzzles = test::ReadCollection("top1465.txt");
    // The first X-Wing of the collection in this chain comes at puzzle 200.
    constexpr int kPuzzles = 250;
    ASSERT_GE(puzzles.size(), static_cast<std::size_t>(kPuzzles));
    std::array<int, kSteps> fired{};
    for (int p = 0; p < kPuzzles; ++p) {
        Engine e;
        test::LoadPuzzle(e, puzzles[p]);
        e.SolutionCount = 0;
        e.FindOneSolution();
        ASSERT_GT(e.SolutionCount, 0) << "puzzle " << p;
        const Grid solution = e.SearchSolution;
        ASSERT_TRUE(test::IsValidSolution(solution)) << "puzzle " << p;

        for (bool progress = true; progress && e.FilledCount < kCells;) {
            e.FindNakedSingle();
            if (e.NakedSingle.cell >= 0) {
                ASSERT_EQ(e.NakedSingle.digit, solution[e.NakedSingle.cell]) << "puzzle " << p;
                e.PlaceDigit(e.NakedSingle.cell, e.NakedSingle.digit);
                continue;
            }
            e.FindHiddenSingle();
            if (e.HiddenSingle.digit != 0) {
                ASSERT_EQ(e.HiddenSingle.digit, solution[e.HiddenSingle.cell]) << "puzzle " << p;
                e.PlaceDigit(e.HiddenSingle.cell, e.HiddenSingle.digit);
                continue;
            }
            progress = false;
            for (int step = 0; step < kSteps && !progress; ++step) {
                const Candidates before = e.CandidateTable;
                if (!FindAndApply(e, step)) continue;
                progress = true;
                ++fired[step];
                // A report always eliminates something ...
                ASSERT_FALSE(e.CandidateTable == before) << kStepNames[step] << ", puzzle " << p;
                // ... and never the solution.
                for (int c = 0; c < kCells; ++c) {
                    if (e.CellGrid[0][c] != 0) continue;
                    ASSERT_TRUE(e.CandidateTable.Has(c, solution[c]))
                        << kStepNames[step] << " removed " << int{solution[c]} << " from cell " << c
                        << ", puzzle " << p;
                }
            }
        }
    }
    // The run is only worth something if the techniques actually fired.
    for (const int step :
         {kNakedPair, kNakedTriple, kHiddenPair, kXWing, kSwordfish, kHiddenTriple})
        EXPECT_GT(fired[step], 0) << kStepNames[step];
}

// ---- Agreement with the plain search -------------------------------------------

namespace reference {

// The searches exactly as the rule reads, cell by cell. byRows: base lines are
// rows, positions along them are columns.
bool Has(const Engine& e, bool byRows, int line, int pos, int d) {
    return e.CandidateTable.Has(byRows ? line * 9 + pos : pos * 9 + line, d);
}

int Places(const Engine& e, bool byRows, int line, int d, std::array<int, 9>& out) {
    int n = 0;
    for (int pos = 0; pos < 9; ++pos)
        if (Has(e, byRows, line, pos, d)) out[n++] = pos;
    return n;
}

// A cell of the cover lines, outside the base lines, that still has d.
bool Eliminates(const Engine& e, bool byRows, const std::array<int, 3>& base,
                const std::array<int, 3>& cover, int n, int d) {
    for (int i = 0; i < n; ++i)
        for (int line = 0; line < 9; ++line) {
            bool isBase = false;
            for (int j = 0; j < n; ++j) isBase |= base[j] == line;
            if (!isBase && Has(e, byRows, line, cover[i], d)) return true;
        }
    return false;
}

bool XWingAt(const Engine& e, bool byRows, int l1, int d, FishResult& out) {
    std::array<int, 9> a{}, b{};
    if (Places(e, byRows, l1, d, a) != 2) return false;
    for (int l2 = l1 + 1; l2 < 9; ++l2) {
        if (Places(e, byRows, l2, d, b) != 2 || a[0] != b[0] || a[1] != b[1]) continue;
        const std::array<int, 3> base{l1, l2, 0}, cover{a[0], a[1], 0};
        if (!Eliminates(e, byRows, base, cover, 2, d)) continue;
        out = {byRows ? 1 : 2, d, base, cover};
        return true;
    }
    return false;
}

FishResult XWing(const Engine& e) {
    FishResult r;
    for (int d = 1; d <= 9; ++d)
        for (int r1 = 0; r1 < 8; ++r1)
            if (XWingAt(e, true, r1, d, r)) return r;
    for (int c1 = 0; c1 < 8; ++c1)
        for (int d = 1; d <= 9; ++d)
            if (XWingAt(e, false, c1, d, r)) return r;
    return {};
}

bool SwordfishAt(const Engine& e, bool byRows, int l1, int d, FishResult& out) {
    std::array<std::array<int, 9>, 3> p{};
    std::array<int, 3> n{};
    const auto fits = [&](int slot, int line) {
        n[slot] = Places(e, byRows, line, d, p[slot]);
        return n[slot] == 2 || n[slot] == 3;
    };
    if (!fits(0, l1)) return false;
    for (int l2 = l1 + 1; l2 < 8; ++l2) {
        if (!fits(1, l2)) continue;
        for (int l3 = l2 + 1; l3 < 9; ++l3) {
            if (!fits(2, l3)) continue;
            std::array<bool, 9> in{};
            for (int s = 0; s < 3; ++s)
                for (int i = 0; i < n[s]; ++i) in[p[s][i]] = true;
            std::array<int, 3> cover{};
            int count = 0;
            for (int pos = 0; pos < 9; ++pos) {
                if (!in[pos]) continue;
                if (count < 3) cover[count] = pos;
                ++count;
            }
            if (count != 3) continue;
            const std::array<int, 3> base{l1, l2, l3};
            if (!Eliminates(e, byRows, base, cover, 3, d)) continue;
            out = {byRows ? 1 : 2, d, base, cover};
            return true;
        }
    }
    return false;
}

FishResult Swordfish(const Engine& e) {
    FishResult r;
    for (int d = 1; d <= 9; ++d)
        for (int r1 = 0; r1 < 7; ++r1)
            if (SwordfishAt(e, true, r1, d, r)) return r;
    for (int c1 = 0; c1 < 7; ++c1)
        for (int d = 1; d <= 9; ++d)
            if (SwordfishAt(e, false, c1, d, r)) return r;
    return {};
}

void ExpectSame(const FishResult& got, const FishResult& want, int puzzle) {
    ASSERT_EQ(got.found, want.found) << "puzzle " << puzzle;
    if (want.found == 0) return;
    EXPECT_EQ(got.digit, want.digit) << "puzzle " << puzzle;
    EXPECT_EQ(got.base, want.base) << "puzzle " << puzzle;
    EXPECT_EQ(got.cover, want.cover) << "puzzle " << puzzle;
}

} // namespace reference

// Walks puzzles with every technique of the property run and compares both fish
// finders with the plain search at every position, and again on the transposed
// candidates, where row patterns become column patterns.
TEST(FishFinders, AgreeWithThePlainSearchOnRealPositions) {
    const std::vector<std::string> puzzles = test::ReadCollection("top1465.txt");
    std::array<int, 2> reports{};
    for (int p = 0; p < 300; ++p) {
        Engine e;
        test::LoadPuzzle(e, puzzles[p]);
        for (bool progress = true; progress && e.FilledCount < kCells;) {
            Engine t;
            t.CandidateTable = Candidates{};
            for (int c = 0; c < kCells; ++c)
                for (int d = 1; d <= 9; ++d)
                    if (e.CandidateTable.Has(c, d)) t.CandidateTable.Add((c % 9) * 9 + c / 9, d);
            for (Engine* x : {&e, &t}) {
                x->FindXWing();
                reference::ExpectSame(x->XWing, reference::XWing(*x), p);
                x->FindSwordfish();
                reference::ExpectSame(x->Swordfish, reference::Swordfish(*x), p);
                reports[0] += x->XWing.found != 0 ? 1 : 0;
                reports[1] += x->Swordfish.found != 0 ? 1 : 0;
            }
            e.FindNakedSingle();
            if (e.NakedSingle.cell >= 0) {
                e.PlaceDigit(e.NakedSingle.cell, e.NakedSingle.digit);
                continue;
            }
            e.FindHiddenSingle();
            if (e.HiddenSingle.digit != 0) {
                e.PlaceDigit(e.HiddenSingle.cell, e.HiddenSingle.digit);
                continue;
            }
            progress = false;
            for (int step = 0; step < kSteps && !progress; ++step) progress = FindAndApply(e, step);
        }
    }
    EXPECT_GT(reports[0], 10) << reports[0];
    EXPECT_GT(reports[1], 1000) << reports[1];
}

} // namespace
} // namespace vemo
