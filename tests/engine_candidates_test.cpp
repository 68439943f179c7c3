// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Candidates under every variant, placing digits, and the validity check.
#include "test_support.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

using test::CandidateString;
using test::CellAt;

// The first puzzle of the 17-clue collection.
const std::string kSeventeen =
    ".................1.....2.3......3.2...1.4......5....6..3......4.7..8...962...7...";

TEST(Validity, EmptyClassicGridHasTooFewClues) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'));
    engine.CheckValidity();
    EXPECT_EQ(engine.ValidityStatus, 2);
    EXPECT_EQ(engine.FilledCount, 0);
    for (int c = 0; c < 81; ++c) EXPECT_EQ(engine.CandidateTable.Count(c), 9);
}

TEST(Validity, RepeatedDigitWinsOverTooFewClues) {
    Engine engine;
    test::LoadPuzzle(engine, "5....5" + std::string(75, '.'));
    engine.CheckValidity();
    EXPECT_EQ(engine.ValidityStatus, 1);
}

TEST(Validity, SeventeenCluesPassSixteenOnlyOutsideClassic) {
    Engine engine;
    test::LoadPuzzle(engine, kSeventeen);
    engine.CheckValidity();
    EXPECT_EQ(engine.ValidityStatus, 0);

    std::string sixteen = kSeventeen;
    sixteen[17] = '.';
    for (const int kind : {kClassic, kNonConsecutive, kConsecutive, kOddEven}) {
        test::LoadPuzzle(engine, sixteen, kind);
        engine.PuzzleFixed = false; // as during hand entry: unmarked cells are free
        // Bars between neighbouring givens that differ by one, as the rules ask.
        for (int c = 0; c < 81; ++c) {
            for (const int k : {1, 2}) {
                const int n = c + NeighbourOffsets[k];
                if (engine.NeighbourMarks[c][k] == -1 || sixteen[c] == '.' || sixteen[n] == '.' ||
                    std::abs(sixteen[c] - sixteen[n]) != 1)
                    continue;
                engine.NeighbourMarks[c][k] = engine.NeighbourMarks[n][k + 2] = 1;
                ++engine.NeighbourMarks[c][0];
                ++engine.NeighbourMarks[n][0];
            }
        }
        engine.CheckValidity();
        EXPECT_EQ(engine.ValidityStatus, kind == kClassic ? 2 : 0) << kind;
    }
    // An X-Sudoku grid of the classic kind obeys the clue rule too.
    test::LoadPuzzle(engine, sixteen, kClassic, 1);
    engine.CheckValidity();
    EXPECT_EQ(engine.ValidityStatus, 2);
}

TEST(Validity, DeadCellOverridesTooFewClues) {
    Engine engine;
    // Row 0 holds 1..8, column 0 holds a 9 lower down: cell 0 has no candidate left.
    test::LoadPuzzle(engine, ".12345678" + std::string(27, '.') + "9" + std::string(44, '.'));
    engine.CheckValidity();
    EXPECT_EQ(engine.ValidityStatus, 3);
}

TEST(Validity, DigitWithoutPlaceInAUnit) {
    Engine engine;
    // Row 0 needs 7, 8 and 9 in cells 0..2, but box 0 already holds a 9 lower down.
    std::string text = "...123456" + std::string(72, '.');
    text[CellAt(1, 0)] = '9';
    test::LoadPuzzle(engine, text);
    engine.CheckValidity();
    EXPECT_EQ(engine.ValidityStatus, 3);
}

TEST(Validity, EqualDigitsOnADiagonalAreNoDuplicate) {
    Engine engine;
    std::string text(81, '.');
    // Two 7s on the main diagonal, in different rows, columns and boxes.
    text[0] = '7';
    text[80] = '7';
    test::LoadPuzzle(engine, text, kNonConsecutive, 1);
    engine.CheckValidity();
    EXPECT_NE(engine.ValidityStatus, 1);
}

// A bar (or its absence) between cells 40 and 41, both holding givens, in an
// otherwise empty grid of the given kind.
Engine BarredPair(int kind, bool bar, char left, char right) {
    std::string text(81, '.');
    text[40] = left;
    text[41] = right;
    Engine engine;
    test::LoadPuzzle(engine, text, kind);
    if (bar) {
        engine.NeighbourMarks[40][1] = engine.NeighbourMarks[41][3] = 1;
        engine.NeighbourMarks[40][0] = engine.NeighbourMarks[41][0] = 1;
    }
    engine.CheckValidity();
    return engine;
}

TEST(Validity, BarBetweenGivensThatAreNotConsecutive) {
    for (const int kind : {kNonConsecutive, kConsecutive}) {
        EXPECT_EQ(BarredPair(kind, true, '1', '5').ValidityStatus, 1) << kind;
        EXPECT_TRUE(BarredPair(kind, true, '1', '5').BreaksRules()) << kind;
        EXPECT_EQ(BarredPair(kind, true, '4', '5').ValidityStatus, 0) << kind;
        EXPECT_EQ(BarredPair(kind, true, '6', '5').ValidityStatus, 0) << kind;
    }
}

TEST(Validity, ConsecutiveGivensWithoutBar) {
    for (const int kind : {kNonConsecutive, kConsecutive}) {
        EXPECT_EQ(BarredPair(kind, false, '4', '5').ValidityStatus, 1) << kind;
        EXPECT_EQ(BarredPair(kind, false, '5', '4').ValidityStatus, 1) << kind;
        EXPECT_EQ(BarredPair(kind, false, '3', '5').ValidityStatus, 0) << kind;
    }
    // The same pair one above the other.
    std::string text(81, '.');
    text[31] = '8';
    text[40] = '9';
    Engine engine;
    test::LoadPuzzle(engine, text, kNonConsecutive);
    engine.CheckValidity();
    EXPECT_EQ(engine.ValidityStatus, 1);
    // Neighbours across the right edge of the grid are no pair: cells 44 and 45.
    text = std::string(81, '.');
    text[44] = '8';
    text[45] = '9';
    test::LoadPuzzle(engine, text, kNonConsecutive);
    engine.CheckValidity();
    EXPECT_EQ(engine.ValidityStatus, 0);
    // A classic grid has no bars to contradict.
    EXPECT_EQ(BarredPair(kClassic, true, '1', '5').ValidityStatus, 2);
}

TEST(Validity, ParityMarkContradictedByAGiven) {
    Engine engine;
    test::LoadPuzzle(engine, kSeventeen);
    engine.SolutionCount = 0;
    engine.FindOneSolution();
    const Grid solution = engine.SearchSolution;
    // The marks of the solution: every given agrees with its mark.
    test::LoadPuzzle(engine, kSeventeen, kOddEven);
    for (int c = 0; c < 81; ++c) engine.ParityMarks[c] = solution[c] % 2 == 0 ? 2 : 1;
    engine.CheckValidity();
    EXPECT_EQ(engine.ValidityStatus, 0);

    const int odd = static_cast<int>(kSeventeen.find_first_of("13579"));
    const int even = static_cast<int>(kSeventeen.find_first_of("2468"));
    engine.ParityMarks[odd] = 2;
    engine.CheckValidity();
    EXPECT_EQ(engine.ValidityStatus, 1); // an odd given on an even mark
    engine.ParityMarks[odd] = 1;
    engine.ParityMarks[even] = 1;
    engine.CheckValidity();
    EXPECT_EQ(engine.ValidityStatus, 1); // an even given on an odd mark
    // During hand entry a mark of 1 only means that the cell is not marked yet.
    engine.PuzzleFixed = false;
    engine.CheckValidity();
    EXPECT_NE(engine.ValidityStatus, 1);
    engine.PuzzleFixed = true;
    engine.VariantKind = kClassic;
    engine.CheckValidity();
    EXPECT_EQ(engine.ValidityStatus, 0); // marks only count in their variant
}

TEST(ConsecutiveRules, ThreeBarsRemoveOneAndNine) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'), kConsecutive);
    engine.NeighbourMarks[40] = {3, 1, 1, 1, 0};
    engine.ComputeCandidates();
    EXPECT_EQ(CandidateString(engine, 40), "2345678");
    engine.NeighbourMarks[40] = {2, 1, 1, 0, 0};
    engine.ComputeCandidates();
    EXPECT_EQ(CandidateString(engine, 40), "123456789");
}

TEST(ConsecutiveRules, BarAndNoBarAfterPlacing) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'), kConsecutive);
    engine.NeighbourMarks[40][1] = 1;
    engine.NeighbourMarks[41][3] = 1;
    engine.NeighbourMarks[40][0] = engine.NeighbourMarks[41][0] = 1;
    engine.ComputeCandidates();
    engine.PlaceDigit(40, 5);
    EXPECT_EQ(CandidateString(engine, 41), "46");
    EXPECT_EQ(CandidateString(engine, 39), "123789"); // no bar: 4 and 6 leave, 5 by the row

    test::LoadPuzzle(engine, std::string(81, '.'), kConsecutive);
    engine.PlaceDigit(40, 9);
    EXPECT_EQ(CandidateString(engine, 41), "1234567");
    EXPECT_EQ(CandidateString(engine, 49), "1234567");
}

TEST(ConsecutiveRules, ClassicGridIgnoresMarks) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'));
    engine.NeighbourMarks[40] = {3, 1, 1, 1, 0};
    engine.ComputeCandidates();
    engine.PlaceDigit(40, 5);
    EXPECT_EQ(CandidateString(engine, 41), "12346789");
}

TEST(OddEvenRules, OddMarksOnlyConstrainAFixedPuzzle) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'), kOddEven);
    engine.ParityMarks[3] = 2;
    engine.PuzzleFixed = false;
    engine.ComputeCandidates();
    EXPECT_EQ(CandidateString(engine, 0), "123456789");
    EXPECT_EQ(CandidateString(engine, 3), "2468");
    engine.PuzzleFixed = true;
    engine.ComputeCandidates();
    EXPECT_EQ(CandidateString(engine, 0), "13579");
    engine.PuzzleFixed = false;
    engine.Generating = true;
    engine.ComputeCandidates();
    EXPECT_EQ(CandidateString(engine, 0), "13579");
}

TEST(XSudokuRules, PlacingOnTheDiagonals) {
    Engine engine;
    test::LoadPuzzle(engine, std::string(81, '.'), kClassic, 1);
    engine.PlaceDigit(40, 3);
    for (const int c : MainDiagonal) EXPECT_FALSE(engine.CandidateTable.Has(c, 3)) << c;
    for (const int c : AntiDiagonal) EXPECT_FALSE(engine.CandidateTable.Has(c, 3)) << c;

    test::LoadPuzzle(engine, std::string(81, '.'), kClassic, 1);
    engine.PlaceDigit(20, 3);
    EXPECT_FALSE(engine.CandidateTable.Has(80, 3));
    EXPECT_TRUE(engine.CandidateTable.Has(72, 3));

    test::LoadPuzzle(engine, std::string(81, '.'), kClassic, 1);
    engine.PlaceDigit(16, 3);
    EXPECT_FALSE(engine.CandidateTable.Has(72, 3));
    EXPECT_TRUE(engine.CandidateTable.Has(80, 3));

    test::LoadPuzzle(engine, std::string(81, '.'), kClassic, 0);
    engine.PlaceDigit(40, 3);
    EXPECT_TRUE(engine.CandidateTable.Has(80, 3));
}

TEST(PlaceDigit, FillsTheCellAndCountsIt) {
    Engine engine;
    test::LoadPuzzle(engine, kSeventeen);
    const int before = engine.FilledCount;
    engine.PlaceDigit(0, 6);
    EXPECT_EQ(engine.CellGrid[0][0], 6);
    EXPECT_EQ(engine.FilledCount, before + 1);
    EXPECT_EQ(engine.CandidateTable.Count(0), 0);
    EXPECT_FALSE(engine.CandidateTable.Has(1, 6));
    EXPECT_FALSE(engine.CandidateTable.Has(9, 6));
    EXPECT_FALSE(engine.CandidateTable.Has(20, 6));
}

// Placing digit by digit must give the table that a full recomputation gives,
// under every set of rules.
TEST(PlaceDigit, AgreesWithRecomputationUnderEveryVariant) {
    const Grid solution = test::GridFrom(
        "534678912672195348198342567859761423426853791713924856961537284287419635345286179");
    ASSERT_TRUE(test::IsValidSolution(solution));
    Random order(7);
    for (const int kind : {kClassic, kNonConsecutive, kConsecutive, kOddEven}) {
        for (const int x : {0, 1}) {
            Engine engine;
            test::LoadPuzzle(engine, std::string(81, '.'), kind, x);
            for (int c = 0; c < 81; ++c) {
                const int d = solution[c];
                for (int k = 1; k <= 4; ++k) {
                    const int n = c + NeighbourOffsets[k];
                    if (engine.NeighbourMarks[c][k] == -1) continue;
                    const bool bar =
                        kind == kConsecutive && (solution[n] == d + 1 || solution[n] == d - 1);
                    engine.NeighbourMarks[c][k] = bar ? 1 : 0;
                    engine.NeighbourMarks[c][0] += bar ? 1 : 0;
                }
                engine.ParityMarks[c] = d % 2 == 0 ? 2 : 1;
            }
            engine.ComputeCandidates();
            for (int step = 0; step < 40; ++step) {
                const int c = order.Below(81);
                if (engine.CellGrid[0][c] != 0) continue;
                engine.PlaceDigit(c, solution[c]);
                const Candidates incremental = engine.CandidateTable;
                const int filled = engine.FilledCount;
                engine.ComputeCandidates();
                ASSERT_EQ(incremental, engine.CandidateTable) << "kind " << kind << " x " << x;
                ASSERT_EQ(filled, engine.FilledCount);
            }
        }
    }
}

TEST(Candidates, CountsFollowTheFlags) {
    Candidates t = Candidates::Full();
    EXPECT_EQ(t.Count(5), 9);
    EXPECT_TRUE(t.Remove(5, 3));
    EXPECT_FALSE(t.Remove(5, 3));
    EXPECT_EQ(t.Count(5), 8);
    t.KeepOnly(5, 0b000010010); // 2 and 5
    EXPECT_EQ(t.Count(5), 2);
    EXPECT_EQ(t.Mask(5), 0b000010010u);
    EXPECT_EQ(t.LowestDigit(5), 2);
    const auto planes = t.Planes();
    EXPECT_TRUE(HasCell(planes.WithCount(2), 5));
    EXPECT_TRUE(HasCell(planes.WithCount(9), 6));
    EXPECT_FALSE(HasCell(planes.WithCount(9), 5));
    t.ClearCell(6);
    EXPECT_TRUE(HasCell(planes.WithCount(9), 6));
    EXPECT_TRUE(HasCell(t.Planes().WithCount(0), 6));
}

} // namespace
} // namespace vemo
