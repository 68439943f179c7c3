// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Naked and hidden pairs, triples and quadruplets: scan order, reports, modes,
// eliminations, and the diagonals of X-Sudoku.
#include "test_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <initializer_list>
#include <string>
#include <vector>

namespace vemo {
namespace {

using test::CandidateString;
using test::CellAt;

// An empty grid (every cell has all nine candidates) that a test then shapes.
Engine Blank(int x = 0) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'), kClassic, x);
    return engine;
}

unsigned MaskOf(const std::string& digits) {
    unsigned mask = 0;
    for (const char ch : digits) mask |= 1u << (ch - '1');
    return mask;
}

// The cell keeps only the listed digits.
void Keep(Engine& e, int cell, const std::string& digits) {
    e.CandidateTable.KeepOnly(cell, MaskOf(digits));
}

// The digits leave every cell of the unit except the listed ones.
void ClearUnitExcept(Engine& e, const std::array<int, 9>& unit, const std::string& digits,
                     std::initializer_list<int> spared) {
    for (const int c : unit) {
        bool spare = false;
        for (const int s : spared) spare |= s == c;
        if (spare) continue;
        for (const char ch : digits) e.CandidateTable.Remove(c, ch - '0');
    }
}

void RemoveDigits(Engine& e, int cell, const std::string& digits) {
    for (const char ch : digits) e.CandidateTable.Remove(cell, ch - '0');
}

void ExpectReport(const SubsetResult& r, int found, int unitType, int unit,
                  std::initializer_list<int> digits, std::initializer_list<int> cells) {
    EXPECT_EQ(r.found, found);
    EXPECT_EQ(r.unitType, unitType);
    EXPECT_EQ(r.unit, unit);
    ASSERT_EQ(r.size, static_cast<int>(digits.size()));
    int i = 0;
    for (const int d : digits) EXPECT_EQ(r.digits[i++], d) << "digit slot " << i - 1;
    i = 0;
    for (const int c : cells) EXPECT_EQ(r.cells[i++], c) << "cell slot " << i - 1;
}

// ---- Naked pairs -------------------------------------------------------------

TEST(NakedPair, RowPairRemovesItsDigitsFromTheThirdCell) {
    Engine e = Blank();
    // Cells 1 and 5 hold exactly {3, 7}; of the rest of row 0 only cell 8 has 3.
    Keep(e, 1, "37");
    Keep(e, 5, "37");
    ClearUnitExcept(e, RowCells[0], "37", {1, 5, 8});
    RemoveDigits(e, 8, "7");
    e.SubsetMode = 0;
    e.FindPair();
    ExpectReport(e.Subset, 1, 0, 0, {3, 7}, {1, 5});
    e.ApplyPair();
    EXPECT_EQ(CandidateString(e, 8), "1245689");
    EXPECT_EQ(e.CandidateTable.Count(8), 7);
    EXPECT_EQ(CandidateString(e, 1), "37");
    EXPECT_EQ(CandidateString(e, 5), "37");
    // The columns of the pair are not its unit: they keep their 3s and 7s.
    EXPECT_EQ(CandidateString(e, CellAt(4, 1)), "123456789");
}

TEST(NakedPair, ApplyClearsEveryOtherCellOfTheUnit) {
    Engine e = Blank();
    Keep(e, 1, "37");
    Keep(e, 5, "37");
    e.FindPair();
    ASSERT_EQ(e.Subset.found, 1);
    e.ApplyPair();
    for (const int c : RowCells[0]) {
        if (c == 1 || c == 5) continue;
        EXPECT_EQ(CandidateString(e, c), "1245689") << c;
    }
    EXPECT_EQ(CandidateString(e, 9), "123456789");
}

TEST(NakedPair, NothingToEliminateIsNotReported) {
    Engine e = Blank();
    // Cells 0 and 1 share row 0 and box 0; neither unit has another 3 or 7.
    Keep(e, 0, "37");
    Keep(e, 1, "37");
    ClearUnitExcept(e, RowCells[0], "37", {0, 1});
    ClearUnitExcept(e, BoxCells[0], "37", {0, 1});
    for (const int mode : {0, 1}) {
        e.SubsetMode = mode;
        e.FindPair();
        EXPECT_EQ(e.Subset.found, 0) << "mode " << mode;
    }
}

TEST(NakedPair, DigitSetsComeBeforeUnits) {
    Engine e = Blank();
    // {1, 3} in row 0 comes earlier by unit, {1, 2} in row 8 earlier by digits.
    Keep(e, CellAt(0, 0), "13");
    Keep(e, CellAt(0, 4), "13");
    Keep(e, CellAt(8, 2), "12");
    Keep(e, CellAt(8, 6), "12");
    e.FindPair();
    ExpectReport(e.Subset, 1, 0, 8, {1, 2}, {CellAt(8, 2), CellAt(8, 6)});
    e.ApplyPair();
    e.FindPair();
    ExpectReport(e.Subset, 1, 0, 0, {1, 3}, {CellAt(0, 0), CellAt(0, 4)});
}

TEST(NakedPair, RowsThenColumnsThenBoxesForTheSameDigits) {
    Engine e = Blank();
    // Three {4, 6} pairs, no two cells of different pairs in one unit.
    const int boxA = CellAt(6, 6), boxB = CellAt(8, 8);
    const int colA = CellAt(1, 2), colB = CellAt(7, 2);
    const int rowA = CellAt(5, 0), rowB = CellAt(5, 4);
    for (const int c : {boxA, boxB, colA, colB, rowA, rowB}) Keep(e, c, "46");
    e.FindPair();
    ExpectReport(e.Subset, 1, 0, 5, {4, 6}, {rowA, rowB});
    e.ApplyPair();
    e.FindPair();
    ExpectReport(e.Subset, 1, 1, 2, {4, 6}, {colA, colB});
    e.ApplyPair();
    EXPECT_EQ(CandidateString(e, CellAt(4, 2)), "1235789");
    e.FindPair();
    ExpectReport(e.Subset, 1, 2, 8, {4, 6}, {boxA, boxB});
    e.ApplyPair();
    EXPECT_EQ(CandidateString(e, CellAt(7, 7)), "1235789");
    e.FindPair();
    EXPECT_EQ(e.Subset.found, 0);
}

// ---- Hidden pairs ------------------------------------------------------------

TEST(HiddenPair, DigitsConfinedToTwoCellsLoseTheRest) {
    Engine e = Blank();
    const int a = CellAt(4, 3), b = CellAt(4, 7);
    ClearUnitExcept(e, RowCells[4], "28", {a, b});
    e.SubsetMode = 1;
    e.FindPair();
    ExpectReport(e.Subset, 2, 0, 4, {2, 8}, {a, b});
    e.ApplyPair();
    EXPECT_EQ(CandidateString(e, a), "28");
    EXPECT_EQ(CandidateString(e, b), "28");
    EXPECT_EQ(e.CandidateTable.Count(a), 2);
    // Only the pair's cells change.
    EXPECT_EQ(CandidateString(e, CellAt(4, 0)), "1345679");
    EXPECT_EQ(CandidateString(e, CellAt(3, 3)), "123456789");
}

TEST(HiddenPair, OneDigitInAThirdCellBreaksIt) {
    Engine e = Blank();
    const int a = CellAt(4, 3), b = CellAt(4, 7);
    ClearUnitExcept(e, RowCells[4], "28", {a, b});
    e.CandidateTable.Add(CellAt(4, 4), 8);
    e.SubsetMode = 1;
    e.FindPair();
    EXPECT_EQ(e.Subset.found, 0);
}

TEST(HiddenPair, ColumnsBeforeBoxes) {
    Engine e = Blank();
    // Digits 5 and 6: confined to two cells in box 4 and in column 7.
    ClearUnitExcept(e, BoxCells[4], "56", {30, 50});
    ClearUnitExcept(e, ColumnCells[7], "56", {CellAt(0, 7), CellAt(8, 7)});
    e.SubsetMode = 1;
    e.FindPair();
    ExpectReport(e.Subset, 2, 1, 7, {5, 6}, {CellAt(0, 7), CellAt(8, 7)});
    e.ApplyPair();
    e.FindPair();
    ExpectReport(e.Subset, 2, 2, 4, {5, 6}, {30, 50});
}

TEST(SubsetMode, NakedAndHiddenFindOnlyTheirOwnForm) {
    Engine naked = Blank();
    Keep(naked, 1, "37");
    Keep(naked, 5, "37");
    naked.SubsetMode = 1;
    naked.FindPair();
    EXPECT_EQ(naked.Subset.found, 0);

    Engine hidden = Blank();
    ClearUnitExcept(hidden, RowCells[4], "28", {CellAt(4, 3), CellAt(4, 7)});
    hidden.SubsetMode = 0;
    hidden.FindPair();
    EXPECT_EQ(hidden.Subset.found, 0);
}

// ---- Triples -----------------------------------------------------------------

TEST(NakedTriple, ThreeCellsOfThreeDigits) {
    Engine e = Blank();
    Keep(e, CellAt(3, 0), "12");
    Keep(e, CellAt(3, 4), "25");
    Keep(e, CellAt(3, 8), "15");
    e.SubsetMode = 0;
    e.FindPair();
    EXPECT_EQ(e.Subset.found, 0); // no two cells share a pair
    e.FindTriple();
    ExpectReport(e.Subset, 1, 0, 3, {1, 2, 5}, {CellAt(3, 0), CellAt(3, 4), CellAt(3, 8)});
    e.ApplyTriple();
    EXPECT_EQ(CandidateString(e, CellAt(3, 1)), "346789");
    EXPECT_EQ(CandidateString(e, CellAt(3, 4)), "25");
    EXPECT_EQ(CandidateString(e, CellAt(4, 4)), "123456789");
}

TEST(NakedTriple, EveryDigitMustAppearInTheCells) {
    Engine e = Blank();
    // Three cells of {1, 2}: no third digit lives there, so no triple.
    for (const int c : {1, 4, 7}) Keep(e, c, "12");
    e.SubsetMode = 0;
    e.FindTriple();
    EXPECT_EQ(e.Subset.found, 0);
}

TEST(NakedTriple, CellSetsInLexicographicOrder) {
    Engine e = Blank();
    // Four cells inside {1, 2, 3}: the first three positions of the list win.
    Keep(e, 1, "12");
    Keep(e, 2, "23");
    Keep(e, 4, "13");
    Keep(e, 6, "12");
    e.FindTriple();
    ExpectReport(e.Subset, 1, 0, 0, {1, 2, 3}, {1, 2, 4});
}

TEST(HiddenTriple, FoundWhenEachCellHoldsTwoOfTheDigits) {
    Engine e = Blank();
    ClearUnitExcept(e, RowCells[0], "456", {1, 4, 7});
    RemoveDigits(e, 1, "6");
    RemoveDigits(e, 4, "4");
    RemoveDigits(e, 7, "6");
    e.SubsetMode = 1;
    e.FindTriple();
    ExpectReport(e.Subset, 2, 0, 0, {4, 5, 6}, {1, 4, 7});
    e.ApplyTriple();
    EXPECT_EQ(CandidateString(e, 1), "45");
    EXPECT_EQ(CandidateString(e, 4), "56");
    EXPECT_EQ(CandidateString(e, 7), "45");
    EXPECT_EQ(CandidateString(e, 0), "123789");
}

TEST(HiddenTriple, CellWithOnlyOneOfTheDigitsDoesNotQualify) {
    Engine e = Blank();
    ClearUnitExcept(e, RowCells[0], "456", {1, 4, 7});
    RemoveDigits(e, 1, "6");
    RemoveDigits(e, 4, "4");
    RemoveDigits(e, 7, "56"); // 4 beside other candidates
    e.SubsetMode = 1;
    e.FindTriple();
    EXPECT_EQ(e.Subset.found, 0);
}

TEST(HiddenTriple, DigitMissingFromTheUnitIsNoTriple) {
    Engine e = Blank();
    // Row 0 has no 3 at all; 1 and 2 are confined to three cells.
    ClearUnitExcept(e, RowCells[0], "3", {});
    ClearUnitExcept(e, RowCells[0], "12", {0, 3, 6});
    e.SubsetMode = 1;
    e.FindTriple();
    EXPECT_EQ(e.Subset.found, 0);
}

// ---- Quadruplets -------------------------------------------------------------

TEST(NakedQuadruplet, FourCellsOfFourDigits) {
    Engine e = Blank();
    Keep(e, CellAt(2, 0), "12");
    Keep(e, CellAt(2, 2), "23");
    Keep(e, CellAt(2, 5), "34");
    Keep(e, CellAt(2, 8), "14");
    e.SubsetMode = 0;
    e.FindTriple();
    EXPECT_EQ(e.Subset.found, 0);
    e.FindQuadruplet();
    ExpectReport(e.Subset, 1, 0, 2, {1, 2, 3, 4},
                 {CellAt(2, 0), CellAt(2, 2), CellAt(2, 5), CellAt(2, 8)});
    e.ApplyQuadruplet();
    EXPECT_EQ(CandidateString(e, CellAt(2, 4)), "56789");
    EXPECT_EQ(CandidateString(e, CellAt(2, 5)), "34");
    // Cells 18 and 20 share box 0, but the box is not the unit of the report.
    EXPECT_EQ(CandidateString(e, CellAt(1, 1)), "123456789");
}

TEST(HiddenQuadruplet, FourDigitsConfinedToFourCellsOfAColumn) {
    Engine e = Blank();
    const int a = CellAt(0, 6), b = CellAt(3, 6), c = CellAt(4, 6), d = CellAt(8, 6);
    ClearUnitExcept(e, ColumnCells[6], "5679", {a, b, c, d});
    RemoveDigits(e, a, "79");
    RemoveDigits(e, b, "59");
    RemoveDigits(e, c, "56");
    RemoveDigits(e, d, "67");
    e.SubsetMode = 0;
    e.FindQuadruplet();
    EXPECT_EQ(e.Subset.found, 0);
    e.SubsetMode = 1;
    e.FindQuadruplet();
    ExpectReport(e.Subset, 2, 1, 6, {5, 6, 7, 9}, {a, b, c, d});
    e.ApplyQuadruplet();
    EXPECT_EQ(CandidateString(e, a), "56");
    EXPECT_EQ(CandidateString(e, b), "67");
    EXPECT_EQ(CandidateString(e, c), "79");
    EXPECT_EQ(CandidateString(e, d), "59");
    EXPECT_EQ(CandidateString(e, CellAt(1, 6)), "12348");
}

// ---- X-Sudoku diagonals ------------------------------------------------------

TEST(DiagonalPair, FoundAfterBoxesAndClearsTheOtherSevenCells) {
    Engine e = Blank(1);
    Keep(e, 0, "59");
    Keep(e, 40, "59");
    Keep(e, CellAt(6, 3), "59"); // box 7, on no diagonal
    Keep(e, CellAt(7, 5), "59");
    e.FindPair();
    ExpectReport(e.Subset, 1, 2, 7, {5, 9}, {CellAt(6, 3), CellAt(7, 5)});
    e.ApplyPair();
    e.FindPair();
    ExpectReport(e.Subset, 1, 3, 1, {5, 9}, {0, 40});
    e.ApplyPair();
    for (const int c : {10, 20, 30, 50, 60, 70, 80})
        EXPECT_EQ(CandidateString(e, c), "1234678") << c;
    for (const int c : {0, 40}) EXPECT_EQ(CandidateString(e, c), "59") << c;
    // The anti-diagonal and the pair's row are not the unit.
    for (const int c : {1, 8, 32, 72}) EXPECT_EQ(CandidateString(e, c), "123456789") << c;
    e.FindPair();
    EXPECT_EQ(e.Subset.found, 0);
}

TEST(DiagonalPair, AntiDiagonalIsUnitTwo) {
    Engine e = Blank(1);
    Keep(e, 16, "18");
    Keep(e, 64, "18");
    e.FindPair();
    ExpectReport(e.Subset, 1, 3, 2, {1, 8}, {16, 64});
    e.ApplyPair();
    for (const int c : {8, 24, 32, 40, 48, 56, 72})
        EXPECT_EQ(CandidateString(e, c), "2345679") << c;
    EXPECT_EQ(CandidateString(e, 0), "123456789");
}

TEST(DiagonalPair, DigitSetStillOutermost) {
    Engine e = Blank(1);
    Keep(e, 0, "12"); // diagonal pair {1, 2}
    Keep(e, 80, "12");
    Keep(e, 3, "13"); // row pair {1, 3}
    Keep(e, 6, "13");
    e.FindPair();
    ExpectReport(e.Subset, 1, 3, 1, {1, 2}, {0, 80});
}

TEST(DiagonalPair, OnlyInXSudoku) {
    Engine e = Blank(0);
    Keep(e, 0, "59");
    Keep(e, 40, "59");
    e.FindPair();
    EXPECT_EQ(e.Subset.found, 0);
}

TEST(DiagonalPair, NoTripleOrQuadrupletOnADiagonal) {
    Engine e = Blank(1);
    Keep(e, 0, "12");
    Keep(e, 40, "23");
    Keep(e, 80, "13");
    e.FindTriple();
    EXPECT_EQ(e.Subset.found, 0);
    Keep(e, 20, "34");
    Keep(e, 60, "14");
    e.FindQuadruplet();
    EXPECT_EQ(e.Subset.found, 0);
}

// ---- Finders and appliers in general -------------------------------------------

TEST(SubsetFinders, ChangeNothingAndRepeatTheirResult) {
    Engine e = Blank(1);
    Keep(e, CellAt(3, 0), "12");
    Keep(e, CellAt(3, 4), "25");
    Keep(e, CellAt(3, 8), "15");
    ClearUnitExcept(e, RowCells[4], "28", {CellAt(4, 3), CellAt(4, 7)});
    const Candidates before = e.CandidateTable;
    for (const int mode : {0, 1}) {
        e.SubsetMode = mode;
        for (void (Engine::*find)() :
             {&Engine::FindPair, &Engine::FindTriple, &Engine::FindQuadruplet}) {
            (e.*find)();
            const SubsetResult first = e.Subset;
            (e.*find)();
            EXPECT_EQ(e.Subset.found, first.found);
            EXPECT_EQ(e.Subset.cells, first.cells);
            EXPECT_EQ(e.Subset.digits, first.digits);
            EXPECT_TRUE(e.CandidateTable == before);
        }
    }
}

TEST(SubsetAppliers, NothingFoundRemovesNothing) {
    Engine e = Blank();
    Keep(e, 0, "37");
    e.FindPair();
    ASSERT_EQ(e.Subset.found, 0);
    const Candidates before = e.CandidateTable;
    e.ApplyPair();
    e.ApplyTriple();
    e.ApplyQuadruplet();
    EXPECT_TRUE(e.CandidateTable == before);
}

// ---- Agreement with the plain enumeration ------------------------------------------

namespace reference {

// The search exactly as the rule reads, without the finder's pruning: every digit
// set, every unit, every cell set of the qualifying cells.
void Combinations(int n, int k, std::vector<std::vector<int>>& out, std::vector<int>& cur,
                  int from = 0) {
    if (static_cast<int>(cur.size()) == k) {
        out.push_back(cur);
        return;
    }
    for (int i = from; i < n; ++i) {
        cur.push_back(i);
        Combinations(n, k, out, cur, i + 1);
        cur.pop_back();
    }
}

// Index sets of size k out of n, lexicographic; built once per (n, k).
const std::vector<std::vector<int>>& Combinations(int n, int k) {
    static std::array<std::array<std::vector<std::vector<int>>, 5>, 10> cache;
    auto& out = cache[n][k];
    if (out.empty()) {
        std::vector<int> cur;
        Combinations(n, k, out, cur);
    }
    return out;
}

SubsetResult Find(const Engine& e, int k, int mode) {
    struct Unit {
        int type, number;
        std::array<int, 9> cells;
    };
    std::vector<Unit> units;
    for (int u = 0; u < 9; ++u) units.push_back({0, u, RowCells[u]});
    for (int u = 0; u < 9; ++u) units.push_back({1, u, ColumnCells[u]});
    for (int u = 0; u < 9; ++u) units.push_back({2, u, BoxCells[u]});
    if (k == 2 && e.XSudoku == 1) {
        units.push_back({3, 1, MainDiagonal});
        units.push_back({3, 2, AntiDiagonal});
    }
    const Candidates& t = e.CandidateTable;
    for (const auto& digitIdx : Combinations(9, k)) {
        std::vector<int> digits;
        for (const int i : digitIdx) digits.push_back(i + 1);
        unsigned set = 0;
        for (const int d : digits) set |= 1u << (d - 1);
        for (const Unit& unit : units) {
            std::vector<int> qualifying;
            for (const int c : unit.cells) {
                int n = 0;
                for (const int d : digits) n += t.Has(c, d) ? 1 : 0;
                if (n >= 2) qualifying.push_back(c);
            }
            if (static_cast<int>(qualifying.size()) < k) continue;
            for (const auto& pick : Combinations(static_cast<int>(qualifying.size()), k)) {
                std::vector<int> cells;
                for (const int i : pick) cells.push_back(qualifying[i]);
                const auto chosen = [&](int c) {
                    for (const int x : cells)
                        if (x == c) return true;
                    return false;
                };
                bool covered = true;
                for (const int d : digits) {
                    bool any = false;
                    for (const int c : cells) any |= t.Has(c, d);
                    covered &= any;
                }
                if (k > 2 && !covered) continue;
                int inside = 0, outside = 0;
                for (const int c : unit.cells) {
                    const unsigned m = t.Mask(c);
                    if (chosen(c))
                        inside += std::popcount(m & ~set);
                    else
                        outside += std::popcount(m & set);
                }
                const bool report =
                    mode == 0 ? inside == 0 && outside >= 1 : outside == 0 && inside >= 1;
                if (!report) continue;
                SubsetResult r;
                r.found = mode + 1;
                r.unitType = unit.type;
                r.unit = unit.number;
                r.size = k;
                for (int i = 0; i < k; ++i) {
                    r.digits[i] = digits[i];
                    r.cells[i] = cells[i];
                }
                return r;
            }
        }
    }
    return {};
}

} // namespace reference

// Walks each puzzle with singles, locked candidates and the subsets, and at every
// position compares all six subset searches, with and without the diagonals.
TEST(SubsetFinders, AgreeWithThePlainEnumerationOnRealPositions) {
    const std::vector<std::string> puzzles = test::ReadCollection("top1465.txt");
    int positions = 0, reports = 0;
    for (int p = 0; p < 6; ++p) {
        Engine e;
        test::LoadPuzzle(e, puzzles[p]);
        for (bool progress = true; progress && e.FilledCount < kCells;) {
            for (const int x : {0, 1}) {
                e.XSudoku = x;
                // The diagonals only change the pair search.
                for (int k = 2; k <= (x == 0 ? 4 : 2); ++k)
                    for (const int mode : {0, 1}) {
                        e.SubsetMode = mode;
                        if (k == 2)
                            e.FindPair();
                        else if (k == 3)
                            e.FindTriple();
                        else
                            e.FindQuadruplet();
                        const SubsetResult want = reference::Find(e, k, mode);
                        ASSERT_EQ(e.Subset.found, want.found)
                            << "puzzle " << p << " k " << k << " mode " << mode << " x " << x;
                        if (want.found == 0) continue;
                        ++reports;
                        EXPECT_EQ(e.Subset.unitType, want.unitType);
                        EXPECT_EQ(e.Subset.unit, want.unit);
                        EXPECT_EQ(e.Subset.digits, want.digits);
                        EXPECT_EQ(e.Subset.cells, want.cells);
                    }
            }
            e.XSudoku = 0;
            ++positions;
            progress = false;
            e.FindNakedSingle();
            if (e.NakedSingle.cell >= 0) {
                e.PlaceDigit(e.NakedSingle.cell, e.NakedSingle.digit);
                progress = true;
                continue;
            }
            e.FindHiddenSingle();
            if (e.HiddenSingle.digit != 0) {
                e.PlaceDigit(e.HiddenSingle.cell, e.HiddenSingle.digit);
                progress = true;
                continue;
            }
            e.FindLockedCandidates();
            if (e.LockedCandidates.digit != 0) {
                e.ApplyLockedCandidates();
                progress = true;
                continue;
            }
            for (const int mode : {0, 1}) {
                e.SubsetMode = mode;
                e.FindPair();
                if (e.Subset.found == 0) e.FindTriple();
                if (e.Subset.found == 0) e.FindQuadruplet();
                if (e.Subset.found != 0) {
                    e.ApplyPair();
                    progress = true;
                    break;
                }
            }
        }
    }
    EXPECT_GT(positions, 200);
    EXPECT_GT(reports, 500);
}

} // namespace
} // namespace vemo
