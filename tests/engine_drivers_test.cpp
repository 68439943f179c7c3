// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The solving drivers: hint search, logged solve and rating, and the analysis
// of a newly fixed puzzle.
#include "test_support.h"

#include "engine/techniques/catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace vemo {
namespace {

const std::string kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

Grid Solve(const std::string& puzzle) {
    Engine e;
    test::LoadPuzzle(e, puzzle);
    e.SolutionCount = 0;
    e.FindOneSolution();
    return e.SearchSolution;
}

TEST(Drivers, FullGridNeedsNothing) {
    Engine e;
    test::LoadPuzzle(e, kSolution);
    e.HintTechnique = 7;
    e.FindNextTechnique();
    EXPECT_EQ(e.HintTechnique, 7);
    e.RatePuzzle();
    EXPECT_EQ(e.PuzzleScore(), 0);
    EXPECT_EQ(e.RatingDone, 1);
    e.SolveWithLog();
    EXPECT_EQ(e.StepCount, 1);
}

TEST(Drivers, NakedSinglesScoreTheirEmptyCells) {
    // One cell missing in each row, column and box: nine naked singles.
    std::string puzzle = kSolution;
    for (int r = 0; r < 9; ++r) puzzle[r * 9 + (r % 3) * 3 + r / 3] = '.';
    Engine e;
    test::LoadPuzzle(e, puzzle);
    e.RatePuzzle();
    EXPECT_EQ(e.PuzzleScore(), 9);
    EXPECT_EQ(e.TechniqueCounters[0], 9);
    EXPECT_EQ(e.RatingDone, 1);
    EXPECT_EQ(e.SolutionCount, 1);
}

TEST(Drivers, StepWeightAndRounding) {
    EXPECT_NEAR(StepWeight(0), 3.4027, 1e-9);
    EXPECT_NEAR(StepWeight(40), 1.62, 0.01);
    EXPECT_NEAR(StepWeight(80), 1.00, 0.01);
    EXPECT_NEAR(51 + StepWeight(30), 52.95, 0.01);
    EXPECT_EQ(LevelText(0), 0);
    EXPECT_EQ(LevelText(105), 62);
    EXPECT_EQ(LevelText(106), 61);
    EXPECT_EQ(LevelText(320), 60);
    EXPECT_EQ(LevelText(650), 59);
}

// The score recomputed from the logged steps, with the filled count each step
// started from, agrees with the rating.
TEST(Drivers, RatingAgreesWithTheLog) {
    const auto puzzles = test::ReadCollection("top1465.txt");
    for (std::size_t i = 0; i < puzzles.size(); i += 15) {
        Engine e;
        test::LoadPuzzle(e, puzzles[i]);
        e.AnalysePuzzle();
        if (e.StepCount > kStepLogSize) continue; // the log holds 100 steps
        int filled = e.CellGrid[0].FilledCount();
        double score = 81 - filled;
        std::array<int, 20> counted{};
        for (int n = 1; n < e.StepCount; ++n) {
            const int id = e.StepLog[n].technique;
            ASSERT_GE(id, 1);
            ASSERT_LE(id, kTechniqueCount);
            score += TechniqueCatalogue[id].weight * StepWeight(filled);
            ++counted[id - 1];
            if (id == kNakedSingle || id == kHiddenSingle || id == kBruteForce) ++filled;
        }
        EXPECT_EQ(filled, 81) << puzzles[i];
        EXPECT_EQ(e.PuzzleScore(), static_cast<int>(std::nearbyint(score))) << puzzles[i];
        for (int k = 0; k < kTechniqueCount; ++k) EXPECT_EQ(e.TechniqueCounters[k], counted[k]);
    }
}

// Every step keeps every solution digit, counts stay the flag sums, and the
// solve ends on the grid that the search finds.
TEST(Drivers, StepsKeepTheSolution) {
    const auto puzzles = test::ReadCollection("top1465.txt");
    for (std::size_t i = 0; i < puzzles.size(); i += 4) {
        const Grid solution = Solve(puzzles[i]);
        Engine e;
        test::LoadPuzzle(e, puzzles[i]);
        for (int steps = 0; e.FilledCount < 81 && steps < 900; ++steps) {
            e.HintTechnique = 0;
            e.FindNextTechnique();
            ASSERT_GT(e.HintTechnique, 0) << puzzles[i];
            e.ApplyStep(e.HintTechnique);
            for (int c = 0; c < 81; ++c) {
                const int placed = e.CellGrid[0][c];
                ASSERT_TRUE(placed == solution[c] ||
                            (placed == 0 && e.CandidateTable.Has(c, solution[c])))
                    << puzzles[i] << " technique " << e.HintTechnique << " cell " << c;
            }
        }
        EXPECT_EQ(test::TextOf(e.CellGrid[0]), test::TextOf(solution));
    }
}

TEST(Drivers, AnalysisKeepsThePositionAndFillsTheSolution) {
    const std::string puzzle = test::ReadCollection("top1465.txt")[20];
    Engine e;
    test::LoadPuzzle(e, puzzle);
    const Candidates before = e.CandidateTable;
    e.AnalysePuzzle();
    EXPECT_EQ(test::TextOf(e.CellGrid[0]), test::TextOf(test::GridFrom(puzzle)));
    EXPECT_EQ(e.CandidateTable, before);
    EXPECT_EQ(test::TextOf(e.SolutionGrid), test::TextOf(Solve(puzzle)));
    EXPECT_EQ(e.RatingDone, 1);
    EXPECT_GT(e.PuzzleScore(), 0);
}

TEST(Drivers, HintChangesNothing) {
    const auto puzzles = test::ReadCollection("top1465.txt");
    for (int i = 0; i < 40; ++i) {
        Engine e;
        test::LoadPuzzle(e, puzzles[i]);
        const Candidates before = e.CandidateTable;
        e.FindNextTechnique();
        EXPECT_EQ(e.CandidateTable, before);
        EXPECT_EQ(test::TextOf(e.CellGrid[0]), test::TextOf(test::GridFrom(puzzles[i])));
        EXPECT_GT(e.HintTechnique, 0);
    }
}

TEST(Drivers, TwoSolutionsAreSolvedToTheEnd) {
    Engine e;
    test::LoadPuzzle(e, test::ReadCollection("serg_benchmark.txt")[0]);
    e.RatePuzzle();
    EXPECT_EQ(e.SolutionCount, 2);
    EXPECT_GE(e.TechniqueCounters[kBruteForce - 1], 1);
    EXPECT_EQ(e.FilledCount, 81);
    EXPECT_EQ(e.RatingDone, 1);
}

TEST(Drivers, NoSolutionStopsTheRating) {
    // A unique puzzle with one more clue that contradicts its solution.
    std::string puzzle = test::ReadCollection("top1465.txt")[0];
    const Grid solution = Solve(puzzle);
    const int cell = static_cast<int>(puzzle.find('.'));
    Engine probe;
    test::LoadPuzzle(probe, puzzle);
    for (int d = 1; d <= 9; ++d)
        if (d != solution[cell] && probe.CandidateTable.Has(cell, d))
            puzzle[cell] = static_cast<char>('0' + d);
    Engine e;
    test::LoadPuzzle(e, puzzle);
    e.RatePuzzle();
    EXPECT_EQ(e.PuzzleScore(), 0);
    EXPECT_EQ(e.RatingDone, 0);
    EXPECT_EQ(e.SolutionCount, 0);
    test::LoadPuzzle(e, puzzle);
    e.HintTechnique = 5;
    e.FindNextTechnique();
    EXPECT_NE(e.HintTechnique, 0);
}

// What every driver leaves on a position that has no solution because its
// givens break a rule: nothing found, nothing logged, nothing rated.
void ExpectEveryDriverStopsAtOnce(Engine& e) {
    const Grid position = e.CellGrid[0];
    const std::string text = test::TextOf(position);
    e.HintTechnique = 0;
    e.HintRecord.cells[0] = 33;
    e.FindNextTechnique();
    EXPECT_EQ(e.HintTechnique, 0) << text;
    EXPECT_EQ(e.HintRecord.cells[0], 0) << text;
    EXPECT_EQ(test::TextOf(e.CellGrid[0]), text);

    e.TechniqueCounters.fill(3);
    e.RatePuzzle();
    EXPECT_EQ(e.SolutionCount, 0) << text;
    EXPECT_EQ(e.RatingDone, 0) << text;
    for (const int n : e.TechniqueCounters) EXPECT_EQ(n, 0) << text;
    EXPECT_EQ(test::TextOf(e.CellGrid[0]), text);

    e.ComputeCandidates();
    e.SolveWithLog();
    EXPECT_EQ(e.StepCount, 1) << text;
    EXPECT_EQ(test::TextOf(e.CellGrid[0]), text);

    e.AnalysePuzzle();
    EXPECT_EQ(test::TextOf(e.SolutionGrid), text);
    EXPECT_EQ(e.PuzzleScore(), 0);
    EXPECT_EQ(e.SolutionCount, 0);
    EXPECT_EQ(test::TextOf(e.CellGrid[0]), text);
}

TEST(Drivers, RepeatedDigitStopsEveryDriverAtOnce) {
    Engine e;
    test::LoadPuzzle(e, "11" + std::string(79, '.'));
    ExpectEveryDriverStopsAtOnce(e);
    // A unique puzzle with a second copy of one of its givens in the same row.
    std::string puzzle = test::ReadCollection("top1465.txt")[3];
    const std::size_t given = puzzle.find_first_not_of('.');
    const std::size_t row = given / 9 * 9;
    for (std::size_t c = row; c < row + 9; ++c)
        if (puzzle[c] == '.') {
            puzzle[c] = puzzle[given];
            break;
        }
    test::LoadPuzzle(e, puzzle);
    ExpectEveryDriverStopsAtOnce(e);
}

// Under X-Sudoku rules a digit twice on a diagonal leaves no solution; the
// drivers used to solve such grids into grids that break the diagonal, or run
// without end.
TEST(Drivers, RepeatOnAnXDiagonalStopsEveryDriver) {
    for (const std::string& puzzle :
         {"1" + std::string(79, '.') + "1",
          std::string("........9..5.....................6....1..2.......1..............9......"
                      "..........")}) {
        Engine e;
        test::LoadPuzzle(e, puzzle, kClassic, 1);
        ExpectEveryDriverStopsAtOnce(e);
        // The same grid without the diagonal rules is an ordinary grid.
        test::LoadPuzzle(e, puzzle);
        e.RatePuzzle();
        EXPECT_EQ(e.RatingDone, 1) << puzzle;
    }
}

TEST(Drivers, ContradictedBarOrParityStopsEveryDriver) {
    // The top1465 puzzle as a non-consecutive grid: no bar anywhere, so two
    // neighbouring givens that differ by one contradict it.
    const std::string puzzle = test::ReadCollection("top1465.txt")[0];
    int pair = -1;
    for (int c = 0; c < 80 && pair < 0; ++c)
        if (c % 9 < 8 && puzzle[c] != '.' && puzzle[c + 1] != '.' &&
            std::abs(puzzle[c] - puzzle[c + 1]) == 1)
            pair = c;
    Engine e;
    if (pair >= 0) {
        test::LoadPuzzle(e, puzzle, kNonConsecutive);
        ExpectEveryDriverStopsAtOnce(e);
    }
    // A bar between 1 and 5.
    std::string two(81, '.');
    two[40] = '1';
    two[41] = '5';
    test::LoadPuzzle(e, two, kConsecutive);
    e.NeighbourMarks[40][1] = e.NeighbourMarks[41][3] = 1;
    e.NeighbourMarks[40][0] = e.NeighbourMarks[41][0] = 1;
    e.ComputeCandidates();
    ExpectEveryDriverStopsAtOnce(e);
    // An odd given on an even mark.
    test::LoadPuzzle(e, puzzle, kOddEven);
    for (int c = 0; c < 81; ++c) e.ParityMarks[c] = puzzle[c] != '.' && puzzle[c] % 2 == 0 ? 2 : 1;
    const int odd = static_cast<int>(puzzle.find_first_of("13579"));
    e.ParityMarks[odd] = 2;
    e.ComputeCandidates();
    ExpectEveryDriverStopsAtOnce(e);
}

// An empty variant grid is solved to the end by trials.
TEST(Drivers, EmptyVariantGridIsSolved) {
    Engine e;
    test::LoadPuzzle(e, std::string(81, '.'), kNonConsecutive, 1);
    e.AnalysePuzzle();
    EXPECT_EQ(e.SolutionCount, 2);
    EXPECT_EQ(e.RatingDone, 1);
    EXPECT_GT(e.TechniqueCounters[kBruteForce - 1], 0);
    EXPECT_TRUE(test::IsValidSolution(e.SolutionGrid, true));
    EXPECT_EQ(test::TextOf(e.CellGrid[0]), std::string(81, '.'));
}

TEST(Drivers, GenerationBudgetRejectsBruteForce) {
    // A hard puzzle that needs a trial: over budget while generating.
    for (const auto& p : test::ReadCollection("top1465.txt")) {
        Engine e;
        test::LoadPuzzle(e, p);
        e.RatePuzzle();
        if (e.TechniqueCounters[kBruteForce - 1] == 0) continue;
        const int trials = e.TechniqueCounters[kBruteForce - 1];
        test::LoadPuzzle(e, p);
        e.Generating = true;
        e.BruteForceLimit = trials - 1;
        e.RatePuzzle();
        EXPECT_EQ(e.SolutionCount, 2);
        EXPECT_EQ(e.PuzzleScore(), 0);
        test::LoadPuzzle(e, p);
        e.BruteForceLimit = trials;
        e.RatePuzzle();
        EXPECT_EQ(e.SolutionCount, 1);
        EXPECT_GT(e.PuzzleScore(), 0);
        return;
    }
    GTEST_SKIP() << "no puzzle of the collection needs a trial";
}

TEST(StepRecords, FishRowsFirstAndLinesPlusOneInTheLog) {
    Engine e;
    test::LoadPuzzle(e, std::string(81, '.'));
    e.XWing = {2, 4, {2, 7, 0}, {1, 5, 0}}; // found on columns 2 and 7, cover rows 1 and 5
    StepRecord log = e.DescribeStep(kXWing, 1);
    EXPECT_EQ((std::array<int, 4>{log.cells[0], log.cells[1], log.cells[2], log.cells[3]}),
              (std::array<int, 4>{2, 6, 3, 8}));
    EXPECT_EQ(log.digits[0], 4);
    StepRecord hint = e.DescribeStep(kXWing, 0);
    EXPECT_EQ(hint.cells[0], 1);
    EXPECT_EQ(hint.cells[2], 2);
    e.Swordfish = {1, 9, {0, 4, 8}, {2, 3, 6}};
    log = e.DescribeStep(kSwordfish, 1);
    EXPECT_EQ((std::array<int, 6>{log.cells[0], log.cells[1], log.cells[2], log.cells[3],
                                  log.cells[4], log.cells[5]}),
              (std::array<int, 6>{1, 5, 9, 3, 4, 7}));
}

TEST(StepRecords, ColouringListsTheHeldCellsAtMostFourteen) {
    Engine e;
    test::LoadPuzzle(e, std::string(81, '.'));
    e.Colouring.found = 1;
    e.Colouring.digit = 3;
    for (int i = 0; i < kColouringSlots; ++i) e.Colouring.eliminations[i] = i * 5;
    e.CandidateTable.Remove(10, 3); // no longer holds the digit: not listed
    const StepRecord r = e.DescribeStep(kColouring, 1);
    EXPECT_EQ(r.count, 14);
    EXPECT_EQ(r.cells[1], 5);
    EXPECT_EQ(r.cells[2], 15);
    EXPECT_EQ(r.cells[13], 70);
}

TEST(StepRecords, ImpossibleNeighbourDigitsOfBothCells) {
    Engine e;
    test::LoadPuzzle(e, std::string(81, '.'), kConsecutive);
    e.ImpossibleNeighbour = {40, 41, {9, 0, 0, 0, 0, 0, 0, 0, 0}, 1, {5, 7, 0, 0, 0, 0, 0, 0, 0},
                             2};
    const StepRecord r = e.DescribeStep(kImpossibleNeighbour, 1);
    EXPECT_EQ(r.cells[0], 40);
    EXPECT_EQ(r.cells[1], 41);
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ((std::array<int, 3>{r.digits[0], r.digits[1], r.digits[2]}),
              (std::array<int, 3>{9, 5, 7}));
}

TEST(Hint, SlotsBeyondTheTechniqueKeepTheirValues) {
    Engine e;
    test::LoadPuzzle(e, test::ReadCollection("top1465.txt")[0]);
    e.HintRecord.cells.fill(77);
    e.HintRecord.digits.fill(8);
    e.HintRecord.count = 5;
    e.FindNextTechnique();
    ASSERT_EQ(e.HintTechnique, kHiddenSingle);
    EXPECT_EQ(e.HintRecord.cells[1], 0);  // the first nine slots are cleared
    EXPECT_EQ(e.HintRecord.cells[9], 77); // the others are left as they were
    EXPECT_EQ(e.HintRecord.digits[9], 8);
    EXPECT_EQ(e.HintRecord.count, 5); // a single does not write the count
}

// Everything the finders report on the engine's position, each finder called
// on its own, as text.
std::string Findings(Engine& e) {
    std::string out;
    const auto add = [&](const char* name, std::initializer_list<int> values) {
        out += name;
        for (const int v : values) out += ' ' + std::to_string(v);
        out += '\n';
    };
    const auto addArray = [&](const auto& values) {
        for (const auto v : values) out += ' ' + std::to_string(v);
        out += '\n';
    };
    e.FindNakedSingle();
    add("naked single", {e.NakedSingle.cell, e.NakedSingle.digit});
    e.FindHiddenSingle();
    add("hidden single", {e.HiddenSingle.cell, e.HiddenSingle.digit, e.HiddenSingle.diagonal});
    e.FindLockedCandidates();
    const LockedCandidatesResult& l = e.LockedCandidates;
    add("locked", {l.digit, l.kind, l.lineType, l.line, l.box, l.segment});
    for (const int mode : {0, 1})
        for (const int size : {2, 3, 4}) {
            e.SubsetMode = mode;
            if (size == 2) e.FindPair();
            if (size == 3) e.FindTriple();
            if (size == 4) e.FindQuadruplet();
            const SubsetResult& r = e.Subset;
            add("subset", {mode, size, r.found, r.unitType, r.unit, r.size});
            addArray(r.digits);
            addArray(r.cells);
        }
    for (const bool sword : {false, true}) {
        if (sword)
            e.FindSwordfish();
        else
            e.FindXWing();
        const FishResult& f = sword ? e.Swordfish : e.XWing;
        add(sword ? "swordfish" : "x-wing", {f.found, f.digit});
        addArray(f.base);
        addArray(f.cover);
    }
    e.FindColouring();
    const ColouringResult& c = e.Colouring;
    add("colouring", {c.found, c.unitPair, c.digit, c.chains[0], c.chains[1]});
    addArray(c.eliminations);
    addArray(c.colours);
    e.FindXYWing();
    const XYWingResult& w = e.XYWing;
    add("xy-wing", {w.found, w.digit, w.eliminationCount});
    addArray(w.eliminations);
    addArray(w.cells);
    return out;
}

// One engine solves puzzle after puzzle, classic and X-Sudoku, step by step:
// at every step each finder reports what it reports on a fresh engine given
// the same position and candidates, whatever it found on the steps before.
TEST(Drivers, FindersAgreeWithAFreshEngineAtEveryStep) {
    std::vector<std::pair<std::string, int>> puzzles;
    const auto top = test::ReadCollection("top1465.txt");
    for (std::size_t i = 0; i < top.size(); i += 97) puzzles.emplace_back(top[i], 0);
    // X-Sudoku puzzles, each between two classic ones.
    const std::array<std::string, 3> x = {
        "16.....3....5.3..........8....6.5.2...89.13...2.3.4....1..........7.2....7.....53",
        "....8...5.......8.1.94....6.9....1..64.....97..3....2.3....96.2.7.......9...1....",
        ".6.17.3....8.6.......4.....3....6.9...2...8...9.7....3.....1.......9.1....7.35.2."};
    for (std::size_t i = 0; i < x.size(); ++i)
        puzzles.insert(puzzles.begin() + static_cast<std::ptrdiff_t>(2 * i + 1), {x[i], 1});
    Engine e;
    int advanced = 0; // steps beyond the singles
    for (const auto& [puzzle, xSudoku] : puzzles) {
        test::LoadPuzzle(e, puzzle, kClassic, xSudoku);
        for (int steps = 0; e.FilledCount < 81 && steps < 900; ++steps) {
            e.HintTechnique = 0;
            e.FindNextTechnique();
            const int technique = e.HintTechnique;
            ASSERT_GT(technique, 0) << puzzle;
            if (technique != kNakedSingle && technique != kHiddenSingle) ++advanced;
            // The same candidates under both rules: a finding that rests on the
            // diagonals must not outlive a change of rules.
            for (const int rules : {xSudoku, 1 - xSudoku, xSudoku}) {
                e.XSudoku = rules;
                Engine fresh;
                test::LoadPuzzle(fresh, test::TextOf(e.CellGrid[0]), kClassic, rules);
                fresh.CandidateTable = e.CandidateTable;
                ASSERT_EQ(Findings(e), Findings(fresh))
                    << puzzle << " step " << steps << " x " << rules;
            }
            // The findings overwrote the step's result: find it again.
            e.FindNextTechnique();
            ASSERT_EQ(e.HintTechnique, technique);
            e.ApplyStep(technique);
        }
        EXPECT_EQ(e.FilledCount, 81) << puzzle;
    }
    EXPECT_GT(advanced, 100);
}

} // namespace
} // namespace vemo
