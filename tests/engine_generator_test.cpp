// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The generator: full grids, variant marks, clue removal by orbits, thinning and
// the generation loop with its bands.
#include "test_support.h"

#include "engine/generator/generation.h"
#include "engine/generator/symmetry.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace vemo {
namespace {

std::set<int> Distinct(const Orbit& o) {
    return {o.cells.begin(), o.cells.begin() + o.size};
}

TEST(Orbits, CentreAndMiddleLines) {
    EXPECT_EQ(Distinct(OrbitOf(kCentral, 40)), std::set<int>{40});
    EXPECT_EQ(Distinct(OrbitOf(kCentral, 3)), (std::set<int>{3, 77}));
    EXPECT_EQ(Distinct(OrbitOf(kAxial, 4)), std::set<int>{4});
    EXPECT_EQ(Distinct(OrbitOf(kAxial, 10)), (std::set<int>{10, 16}));
    EXPECT_EQ(Distinct(OrbitOf(kReflective, 40)), std::set<int>{40});
    EXPECT_EQ(Distinct(OrbitOf(kReflective, 37)), (std::set<int>{37, 43})); // row 4
    EXPECT_EQ(Distinct(OrbitOf(kReflective, 13)), (std::set<int>{13, 67})); // column 4
    EXPECT_EQ(Distinct(OrbitOf(kReflective, 0)), (std::set<int>{0, 8, 72, 80}));
    EXPECT_EQ(OrbitOf(kReflective, 40).size, 4); // the centre listed four times
}

TEST(FullGrid, ValidUnderEveryRuleSet) {
    for (const int kind : {kClassic, kNonConsecutive}) {
        for (const int x : {0, 1}) {
            Engine e;
            e.Rng.Seed(1234 + kind * 10 + x);
            e.VariantKind = kind;
            e.XSudoku = x;
            e.Generating = true;
            e.MakeFullGrid();
            const Grid& g = e.CellGrid[0];
            ASSERT_TRUE(test::IsValidSolution(g, x == 1)) << test::TextOf(g);
            EXPECT_EQ(e.CandidateTable.AnyCells(), kNoCells);
            if (kind == kNonConsecutive) {
                for (int c = 0; c < 81; ++c) {
                    if (c % 9 < 8) {
                        EXPECT_NE(std::abs(g[c] - g[c + 1]), 1);
                    }
                    if (c < 72) {
                        EXPECT_NE(std::abs(g[c] - g[c + 9]), 1);
                    }
                }
            }
        }
    }
}

TEST(FullGrid, SeedRepeatsTheGrid) {
    Engine a, b;
    a.Rng.Seed(99);
    b.Rng.Seed(99);
    a.MakeFullGrid();
    b.MakeFullGrid();
    EXPECT_EQ(test::TextOf(a.CellGrid[0]), test::TextOf(b.CellGrid[0]));
    b.MakeFullGrid();
    EXPECT_NE(test::TextOf(a.CellGrid[0]), test::TextOf(b.CellGrid[0]));
}

TEST(VariantMarks, BarsFollowConsecutiveDigitsAndKeepEdges) {
    Engine e;
    e.Rng.Seed(5);
    e.MakeFullGrid();
    e.MarkConsecutivePairs();
    const Grid& g = e.CellGrid[0];
    for (int c = 0; c < 81; ++c) {
        int bars = 0;
        for (int k = 1; k <= 4; ++k) {
            const bool edge = (k == 1 && c % 9 == 8) || (k == 2 && c >= 72) ||
                              (k == 3 && c % 9 == 0) || (k == 4 && c < 9);
            if (edge) {
                EXPECT_EQ(e.NeighbourMarks[c][k], -1);
                continue;
            }
            const int n = c + NeighbourOffsets[k];
            EXPECT_EQ(e.NeighbourMarks[c][k], std::abs(g[c] - g[n]) == 1 ? 1 : 0);
            bars += e.NeighbourMarks[c][k];
        }
        EXPECT_EQ(e.NeighbourMarks[c][0], bars);
    }
    e.MarkParityFromSolution();
    for (int c = 0; c < 81; ++c) EXPECT_EQ(e.ParityMarks[c], g[c] % 2 == 0 ? 2 : 1);
}

bool Symmetric(const Grid& g, int symmetry) {
    for (int c = 0; c < 81; ++c) {
        const Orbit o = OrbitOf(symmetry, c);
        for (int i = 0; i < o.size; ++i)
            if ((g[o.cells[i]] != 0) != (g[c] != 0)) return false;
    }
    return true;
}

TEST(RemoveClues, UniqueSymmetricAndAboveTheLimit) {
    const int minimum[] = {16, 19, 23, 25};
    for (int symmetry = 0; symmetry < 4; ++symmetry) {
        int successes = 0;
        for (int seed = 0; seed < 40; ++seed) {
            Engine e;
            e.Rng.Seed(100 + seed);
            e.SymmetryChoice = symmetry;
            e.Generating = true;
            e.BruteForceLimit = 2;
            e.MakeFullGrid();
            const Grid full = e.CellGrid[0];
            e.RemoveClues();
            if (e.SolutionCount != 1) continue;
            ++successes;
            const Grid& puzzle = e.CellGrid[0];
            EXPECT_GE(puzzle.FilledCount(), minimum[symmetry]) << symmetry;
            EXPECT_TRUE(Symmetric(puzzle, symmetry)) << symmetry << test::TextOf(puzzle);
            for (int c = 0; c < 81; ++c) {
                if (puzzle[c] != 0) {
                    EXPECT_EQ(puzzle[c], full[c]);
                }
            }
            Engine check;
            test::LoadPuzzle(check, test::TextOf(puzzle));
            check.SolutionCount = 0;
            check.CountSolutions();
            EXPECT_EQ(check.SolutionCount, 1);
        }
        EXPECT_GT(successes, 0) << "symmetry " << symmetry;
    }
}

// Sixty seeded generations per band, over the four symmetries: unique, inside
// the band, within the trial budget, symmetric; the analysis set up as for play.
TEST(Generation, PuzzlesLandInTheirBand) {
    for (int difficulty = kFacile; difficulty <= kAleatoire; ++difficulty) {
        for (int seed = 0; seed < 60; ++seed) {
            Engine e;
            e.Rng.Seed(7000 + difficulty * 1000 + seed);
            e.SetDifficulty(difficulty);
            e.SymmetryChoice = seed % 4;
            int attempts = 0;
            ASSERT_TRUE(e.GeneratePuzzle([&](int n) { attempts = n; }));
            EXPECT_GE(attempts, 1);
            const DifficultyBand& band = kDifficultyBands[difficulty];
            EXPECT_GE(e.PuzzleScore(), band.scoreMin);
            EXPECT_LE(e.PuzzleScore(), band.scoreMax);
            EXPECT_LE(e.BruteForceSteps(), band.bruteForceLimit);
            EXPECT_TRUE(e.PuzzleFixed);
            EXPECT_FALSE(e.Generating);
            EXPECT_TRUE(Symmetric(e.Givens, seed % 4));
            EXPECT_EQ(test::TextOf(e.Givens), test::TextOf(e.CellGrid[0]));
            ASSERT_TRUE(test::IsValidSolution(e.SolutionGrid));
            Engine check;
            test::LoadPuzzle(check, test::TextOf(e.Givens));
            check.SolutionCount = 0;
            check.CountSolutions();
            EXPECT_EQ(check.SolutionCount, 1);
            // The rating of the installed puzzle is the one a fresh analysis gives.
            test::LoadPuzzle(check, test::TextOf(e.Givens));
            check.AnalysePuzzle();
            EXPECT_EQ(check.PuzzleScore(), e.PuzzleScore());
        }
    }
}

TEST(Generation, VariantsKeepTheirRules) {
    for (const int kind : {kNonConsecutive, kConsecutive, kOddEven}) {
        for (const int x : {0, 1}) {
            Engine e;
            e.Rng.Seed(300 + kind * 2 + x);
            e.SetDifficulty(kMoyen);
            e.VariantKind = kind;
            e.XSudoku = x;
            ASSERT_TRUE(e.GeneratePuzzle());
            EXPECT_TRUE(test::IsValidSolution(e.SolutionGrid, x == 1)) << kind << x;
            EXPECT_GE(e.PuzzleScore(), 106);
            EXPECT_LE(e.PuzzleScore(), 320);
            const Grid& s = e.SolutionGrid;
            for (int c = 0; c < 81; ++c) {
                if (kind == kOddEven) {
                    EXPECT_EQ(e.ParityMarks[c], s[c] % 2 == 0 ? 2 : 1);
                }
                if (kind == kNonConsecutive && c % 9 < 8) {
                    EXPECT_NE(std::abs(s[c] - s[c + 1]), 1);
                }
                if (kind == kConsecutive && c % 9 < 8) {
                    EXPECT_EQ(e.NeighbourMarks[c][1], std::abs(s[c] - s[c + 1]) == 1 ? 1 : 0);
                }
            }
        }
    }
}

TEST(Generation, SeedRepeatsThePuzzle) {
    Engine a, b;
    a.Rng.Seed(42);
    b.Rng.Seed(42);
    a.SetDifficulty(kMoyen);
    b.SetDifficulty(kMoyen);
    ASSERT_TRUE(a.GeneratePuzzle());
    ASSERT_TRUE(b.GeneratePuzzle());
    EXPECT_EQ(test::TextOf(a.Givens), test::TextOf(b.Givens));
    EXPECT_EQ(a.PuzzleScore(), b.PuzzleScore());
}

TEST(Generation, CancellingKeepsThePreviousPuzzle) {
    Engine e;
    test::LoadPuzzle(e, test::ReadCollection("top1465.txt")[0]);
    e.AnalysePuzzle();
    const Engine before = e;
    std::atomic<bool> cancel{false};
    int pumps = 0;
    e.MessagePump = [&] {
        if (++pumps == 50) cancel = true;
    };
    e.SetDifficulty(kExtreme);
    EXPECT_FALSE(e.GeneratePuzzle({}, &cancel));
    EXPECT_EQ(test::TextOf(e.CellGrid[0]), test::TextOf(before.CellGrid[0]));
    EXPECT_EQ(test::TextOf(e.SolutionGrid), test::TextOf(before.SolutionGrid));
    EXPECT_EQ(e.CandidateTable, before.CandidateTable);
    EXPECT_EQ(e.TechniqueCounters, before.TechniqueCounters);
    EXPECT_EQ(e.PuzzleFixed, before.PuzzleFixed);
    EXPECT_FALSE(e.Generating);
    EXPECT_TRUE(static_cast<bool>(e.MessagePump)); // the caller's pump is back
}

// ---- Stored puzzles of fixed seeds ----------------------------------------------

struct GoldenPuzzle {
    int seed, difficulty, symmetry, variant, x;
    std::string givens, marks;
    int score;
};

std::vector<GoldenPuzzle> ReadGolden() {
    std::ifstream in(std::string(VEMO_SOURCE_DIR) + "/tests/data/generator_golden.txt");
    std::vector<GoldenPuzzle> puzzles;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        GoldenPuzzle p{};
        fields >> p.seed >> p.difficulty >> p.symmetry >> p.variant >> p.x >> p.givens >> p.marks >>
            p.score;
        if (fields && p.givens.size() == 81 && p.marks.size() == 81) puzzles.push_back(p);
    }
    return puzzles;
}

// The stored puzzle, fixed and ready for play, with its marks.
void LoadGolden(Engine& e, const GoldenPuzzle& p) {
    test::LoadPuzzle(e, p.givens, p.variant, p.x);
    for (int c = 0; c < 81; ++c) {
        if (p.variant == kNonConsecutive || p.variant == kConsecutive) {
            const int bits = std::stoi(std::string(1, p.marks[c]), nullptr, 16);
            e.NeighbourMarks[c][0] = 0;
            for (int k = 1; k <= 4; ++k) {
                e.NeighbourMarks[c][k] = (bits >> (k - 1)) & 1;
                e.NeighbourMarks[c][0] += e.NeighbourMarks[c][k];
            }
        } else if (p.variant == kOddEven) {
            e.ParityMarks[c] = p.marks[c] - '0';
        }
    }
    e.SetEdgeMarks();
    e.ComputeCandidates();
}

std::string MarksOf(const Engine& e) {
    std::string marks(81, '-');
    for (int c = 0; c < 81; ++c) {
        if (e.VariantKind == kNonConsecutive || e.VariantKind == kConsecutive) {
            int bits = 0;
            for (int k = 1; k <= 4; ++k)
                if (e.NeighbourMarks[c][k] == 1) bits |= 1 << (k - 1);
            marks[c] = "0123456789abcdef"[bits];
        } else if (e.VariantKind == kOddEven) {
            marks[c] = static_cast<char>('0' + e.ParityMarks[c]);
        }
    }
    return marks;
}

// The stored lines are puzzles that the generator may make: unique under their
// rules, symmetric, in their band, with the marks of their solution.
TEST(GeneratorGolden, StoredPuzzlesAreSound) {
    const std::vector<GoldenPuzzle> puzzles = ReadGolden();
    ASSERT_GE(puzzles.size(), 6u);
    for (const GoldenPuzzle& p : puzzles) {
        Engine e;
        LoadGolden(e, p);
        e.CheckValidity();
        EXPECT_NE(e.ValidityStatus, 1) << p.seed;
        e.SolutionCount = 0;
        e.CountSolutions();
        EXPECT_EQ(e.SolutionCount, 1) << p.seed;
        for (int c = 0; c < 81; ++c) {
            const Orbit orbit = OrbitOf(p.symmetry, c);
            for (int i = 0; i < orbit.size; ++i)
                EXPECT_EQ(p.givens[c] == '.', p.givens[orbit.cells[i]] == '.')
                    << p.seed << ' ' << c;
        }
        e.AnalysePuzzle();
        const DifficultyBand& band = kDifficultyBands[p.difficulty];
        EXPECT_EQ(e.PuzzleScore(), p.score) << p.seed;
        EXPECT_GE(p.score, band.scoreMin) << p.seed;
        EXPECT_LE(p.score, band.scoreMax) << p.seed;
        EXPECT_LE(e.BruteForceSteps(), band.bruteForceLimit) << p.seed;
        const Grid& s = e.SolutionGrid;
        ASSERT_TRUE(test::IsValidSolution(s, p.x == 1)) << p.seed;
        for (int c = 0; c < 81; ++c) {
            if (p.variant == kOddEven) {
                EXPECT_EQ(p.marks[c] == '2', s[c] % 2 == 0) << p.seed << ' ' << c;
            }
            if (p.variant == kNonConsecutive || p.variant == kConsecutive) {
                if (c % 9 < 8) {
                    EXPECT_EQ(e.NeighbourMarks[c][1] == 1, std::abs(s[c] - s[c + 1]) == 1) << c;
                }
                if (c < 72) {
                    EXPECT_EQ(e.NeighbourMarks[c][2] == 1, std::abs(s[c] - s[c + 9]) == 1) << c;
                }
            }
        }
    }
}

// Fixed seeds give exactly the stored puzzles: a change in the order or the
// number of the draws changes them.
TEST(GeneratorGolden, SeedsGiveTheStoredPuzzles) {
    for (const GoldenPuzzle& p : ReadGolden()) {
        Engine e;
        e.Rng.Seed(static_cast<std::uint64_t>(p.seed));
        e.SetDifficulty(p.difficulty);
        e.SymmetryChoice = p.symmetry;
        e.VariantKind = p.variant;
        e.XSudoku = p.x;
        ASSERT_TRUE(e.GeneratePuzzle());
        EXPECT_EQ(test::TextOf(e.Givens), p.givens) << p.seed;
        EXPECT_EQ(MarksOf(e), p.marks) << p.seed;
        EXPECT_EQ(e.PuzzleScore(), p.score) << p.seed;
    }
}

// ---- Minimality of the thinning ---------------------------------------------------

// The thinning of a classic puzzle tries every orbit once and removes it when
// the rating under generation still accepts the puzzle: a unique solution with
// no more trials than the band allows (the score is not bounded then). So no
// orbit of the finished puzzle can go: without it the puzzle has several
// solutions, or needs more trials than its band allows.
TEST(Thinning, NoOrbitOfAClassicPuzzleCanGo) {
    for (const int symmetry : {kNoSymmetry, kCentral, kAxial, kReflective}) {
        for (const int difficulty : {kFacile, kMoyen, kAleatoire}) {
            Engine e;
            e.Rng.Seed(static_cast<std::uint64_t>(700 + 10 * symmetry + difficulty));
            e.SetDifficulty(difficulty);
            e.SymmetryChoice = symmetry;
            ASSERT_TRUE(e.GeneratePuzzle());
            const Grid puzzle = e.Givens;
            std::set<int> tried;
            for (int c = 0; c < 81; ++c) {
                if (puzzle[c] == 0) continue;
                const Orbit orbit = OrbitOf(symmetry, c);
                const std::set<int> cells = Distinct(orbit);
                if (tried.contains(*cells.begin())) continue;
                tried.insert(*cells.begin());
                Engine f = e;
                f.HistoryLevel = 0;
                f.CellGrid[0] = puzzle;
                for (const int cell : cells) f.CellGrid[0][cell] = 0;
                f.ComputeCandidates();
                f.SolutionCount = 0;
                f.CountSolutions();
                if (f.SolutionCount >= 2) continue; // uniqueness lost
                ASSERT_EQ(f.SolutionCount, 1);
                f.Generating = false;
                f.RatePuzzle(); // counts every trial, past the band's allowance
                EXPECT_GT(f.BruteForceSteps(), e.BruteForceLimit)
                    << "orbit of cell " << c << " can go from " << test::TextOf(puzzle)
                    << " (symmetry " << symmetry << ", difficulty " << difficulty << ")";
            }
        }
    }
}

} // namespace
} // namespace vemo
