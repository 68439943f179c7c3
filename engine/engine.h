// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Sudoku engine: one object owns every table of a puzzle, its candidates,
// the exhaustive search, the logical techniques and the generator.
//
// Conventions a caller relies on:
// - Cells are 0..80, row-major (row * 9 + column); digits 1..9, 0 is empty.
// - CellGrid holds the working position at level 0; the levels above belong to
//   the search. Every operation works on level HistoryLevel, which is 0 outside
//   the search.
// - After writing CellGrid, the marks or the variant directly, call
//   ComputeCandidates(): it rebuilds CandidateTable and FilledCount.
// - No operation throws or reports an error: results are status values
//   (ValidityStatus, SolutionCount, the finders' result fields).
// - Long searches call MessagePump (when set) so that a window stays alive; the
//   engine itself never touches a user interface.
//
// Several engines may live side by side (a test, the command-line tool, a
// background generation): they share nothing but the constant unit tables.
#pragma once

#include "advanced/board.h"
#include "advanced/catalogue.h"
#include "candidates.h"
#include "grid.h"
#include "random.h"
#include "results.h"
#include "tables.h"
#include "techniques/memo.h"

#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace vemo {

// The search writes level L + 1 while it works at level L; a level holds at least
// one more filled cell than the one below, so 82 levels cover any grid.
inline constexpr int kGridLevels = 82;

enum Variant : int { kClassic = 0, kNonConsecutive = 1, kConsecutive = 2, kOddEven = 3 };

// Per cell: [0] the number of bars touching it, [1..4] the mark towards the
// neighbour right, down, left, up: 1 bar, 0 no bar, -1 grid edge.
using NeighbourRecord = std::array<int, 5>;

class Engine {
  public:
    Engine();

    // ---- Grid model -------------------------------------------------------
    std::array<Grid, kGridLevels> CellGrid{};
    int HistoryLevel = 0;
    Grid Givens{};
    Grid SolutionGrid{};
    Grid ValidityGrid{};
    Grid SearchSolution{};
    int FilledCount = 0;
    Candidates CandidateTable = Candidates::Full();
    Candidates SavedCandidates = Candidates::Full();

    int VariantKind = kClassic;
    int VariantChoice = kClassic;
    int XSudoku = 0;
    int XSudokuChoice = 0;
    std::array<NeighbourRecord, 81> NeighbourMarks{};
    std::array<int, 81> ParityMarks{};
    bool PuzzleFixed = false;
    bool Generating = false;

    // The result of CheckValidity:
    // 0 valid;
    // 1 the givens break a rule between themselves or with the marks, so that
    //   the grid has no solution: a digit twice in a row, column or box; in the
    //   consecutive variants a bar between two givens that are not consecutive,
    //   or two consecutive givens side by side without a bar; in the odd/even
    //   variant a given against its cell's mark (an even mark, or an odd one
    //   once the parity is known: a fixed puzzle, or generation);
    // 2 a classic grid with fewer than 17 clues;
    // 3 an empty cell without candidate, or a digit without place in a row,
    //   column or box.
    // Equal digits on an X-Sudoku diagonal are no status 1: they show up, if at
    // all, as status 3 (BreaksRules below does count them).
    int ValidityStatus = 0;

    // ---- Search -----------------------------------------------------------
    int SolutionCount = 0;
    int SolutionLimit = 2;
    struct Branch {
        int cell = -1;
        int digit = 0;
    } FirstBranch;
    int BruteForceCell = -1;
    int BruteForceDigit = -1;
    // The most trials (digits placed on a branch cell) that one search may make.
    // Measured, the most that one search takes: 2,496 trials on top1465, 4,178
    // on 17clue, 3,916 on forum_hardest_1905_11plus, 3,742 on
    // forum_hardest_1106 (the counts; on top1465 and forum_hardest_1106 every
    // search of the analysis and the hint too), and 47,423
    // in the generator (80 generations over every variant and band). A grid
    // without solution whose contradiction hides deep, such as a sparse
    // consecutive grid with a few bars, can take billions. The default is about
    // 100 times the generator's most and answers within a few seconds (under
    // a microsecond per trial).
    long long TrialBudget = kDefaultTrialBudget;
    static constexpr long long kDefaultTrialBudget = 5'000'000;
    // The trials of the last search, and whether it spent its budget. An
    // abandoned search has no answer: SolutionCount then only says how many
    // solutions were met before it stopped.
    long long SearchTrials = 0;
    bool SearchAbandoned = false;

    // Called from inside long searches (always by FindOneSolution, by
    // CountSolutions while Generating); may be empty.
    std::function<void()> MessagePump;

    // ---- Finder results (each held until the finder's next call) ----------
    NakedSingleResult NakedSingle;
    HiddenSingleResult HiddenSingle;
    LockedCandidatesResult LockedCandidates;
    int SubsetMode = 0; // 0 naked, 1 hidden
    SubsetResult Subset;
    FishResult XWing;
    FishResult Swordfish;
    ColouringResult Colouring;
    XYWingResult XYWing;
    ImpossibleNeighbourResult ImpossibleNeighbour;

    // ---- Solver statistics and records --------------------------------------
    std::array<int, 20> TechniqueCounters{}; // [id - 1] per technique, [18] the score
    int RatingDone = 0;
    int BruteForceLimit = 0;
    std::array<StepEntry, kStepLogSize + 1> StepLog{}; // entries 1..100
    int StepCount = 1;
    int HintTechnique = 0;
    HintRecordData HintRecord;

    int PuzzleScore() const { return TechniqueCounters[18]; }

    // ---- Generator settings and random source -------------------------------
    int SymmetryChoice = 1;
    int ScoreMin = 0;
    int ScoreMax = 105;
    // 0, or kDiabolique / kDemoniaque (scale/levels.h): the next generation is
    // for a level of the community's scale, made by the scale's generation
    // over the "Aléatoire" band that ScoreMin..ScoreMax then hold.
    int ScaleLevel = 0;
    Random Rng;
    int rnd(int n) { return Rng.Below(n); }

    // ---- Grid model operations ------------------------------------------------
    void BuildUnitTables();
    void SetEdgeMarks();
    void ResetNeighbourMarks();
    void ResetParityMarks();
    // Zeroes the grids and the givens, puts every candidate back.
    void ClearPuzzle();

    // ---- Candidates and validity ------------------------------------------------
    void ComputeCandidates();
    // The candidates that the rules alone give for level HistoryLevel.
    Candidates RulesCandidates() const;
    void ApplyVariantPostPass();
    void PlaceDigit(int cell, int digit);
    void CheckValidity();
    // True when the filled cells of level HistoryLevel break a rule between
    // themselves or with the marks: everything that status 1 covers, and in
    // X-Sudoku a digit twice on one diagonal. Such a position has no solution.
    // The drivers stop on it at once; the searches stop at once on a digit
    // repeated in a row, column or box.
    bool BreaksRules() const;

    // ---- Search -------------------------------------------------------------------
    void PropagateSingles();
    void CountSolutions();
    void FindOneSolution();

    // ---- Techniques -----------------------------------------------------------------
    void FindNakedSingle();
    void FindHiddenSingle();
    void FindLockedCandidates();
    void ApplyLockedCandidates();
    // The empty cells (at level 0) of the last locked segment, in line order.
    CellList ListLockedCells() const;

    void FindPair();
    void FindTriple();
    void FindQuadruplet();
    void ApplyPair();
    void ApplyTriple();
    void ApplyQuadruplet();

    void FindXWing();
    void FindSwordfish();
    void ApplyXWing();
    void ApplySwordfish();

    void FindColouring();
    void ApplyColouring();

    void FindXYWing();
    void ApplyXYWing();
    void FindImpossibleNeighbour();
    void ImpossibleNeighbourDigits(int cellA, int cellB);
    void ApplyImpossibleNeighbour();
    // Receives the diagnostic line of the impossible-neighbour finder; may be empty.
    std::function<void(const std::string&)> DeveloperLine;

    // ---- Drivers ------------------------------------------------------------------
    // The three drivers stop at once on a position that BreaksRules(): no hint,
    // an empty log, no rating and SolutionCount 0, as for a puzzle whose trial
    // finds no solution. They stop in the same way when a trial's search spends
    // its budget, and leave SearchAbandoned set: the puzzle then has no answer
    // (no hint, no rating, no complete log). SearchAbandoned is cleared on entry.
    void FindNextTechnique();
    void SolveWithLog();
    void RatePuzzle();
    // Analysis of a newly fixed puzzle: rating, logged solve into SolutionGrid,
    // then level 0 and its candidates as they were. When the rating's search
    // is abandoned, the solve is skipped: an empty log, SolutionGrid the
    // position, SearchAbandoned set.
    void AnalysePuzzle();
    // The record of the technique just found, as the log writes it; fish lines
    // are stored plus lineOffset (1 in the log, 0 in the hint).
    StepRecord DescribeStep(int technique, int lineOffset) const;
    // Performs the step of the technique just found (a placement, or the
    // applier's eliminations), as the solving drivers do.
    void ApplyStep(int technique);

    // ---- Advanced layer -------------------------------------------------------------
    // The second catalogue (advanced/catalogue.h), tried where the seventeen
    // techniques above find nothing. Only a caller that asks for it gets it:
    // with AdvancedLayer false nothing below runs and every driver behaves as
    // without it. With AdvancedLayer true, FindNextTechnique reports the first
    // advanced step (HintTechnique its AdvancedId, 101 and above, HintRecord its
    // cells and digits, AdvancedHint the whole step) before any trial; the trial
    // remains for a position with no solution or several, or one that the whole
    // catalogue cannot crack. ApplyStep of an advanced id applies AdvancedHint.
    bool AdvancedLayer = false;
    unsigned AdvancedFamilies = advanced::kAllFamilies; // advanced::Family bits
    advanced::AdvancedStep AdvancedHint;

    // The first advanced step on level 0, whatever the basic techniques would
    // find; false when none is found or the position's solution is not unique
    // (the uniqueness arguments need it). Leaves the tables as they were.
    bool FindNextAdvancedTechnique(advanced::AdvancedStep& step);
    // Makes `step` the hint, as FindNextTechnique reports an advanced step:
    // HintTechnique its technique, HintRecord its cells and digits,
    // AdvancedHint the step.
    void TakeAdvancedHint(const advanced::AdvancedStep& step);
    // Removes the step's eliminations from CandidateTable and places its digit
    // (PlaceDigit) at level 0, as the basic appliers do.
    void ApplyAdvancedStep(const advanced::AdvancedStep& step);

    // How a logic-only solve ended.
    enum class LogicStop { kSolved, kNoSolution, kSeveralSolutions, kStuck, kAbandoned };
    struct LogicResult {
        LogicStop stop = LogicStop::kStuck;
        int steps = 0;    // every step applied
        int advanced = 0; // of them, advanced steps
    };
    // Solves level 0 with the seventeen techniques and the advanced catalogue
    // (AdvancedFamilies), never guessing: stops solved, stuck, or at once on a
    // position without a single solution. Appends every step to `steps` when
    // given, basic ones in the same record (technique 1..17, with the
    // eliminations it made). Writes level 0 and CandidateTable like the basic
    // solve, and none of StepLog, TechniqueCounters, the score, HintRecord,
    // SolutionCount or the brute-force cell and digit; SearchAbandoned says
    // whether the count of the solutions was abandoned (kAbandoned).
    LogicResult SolveLogically(std::vector<advanced::AdvancedStep>* steps = nullptr);
    // The record of the basic technique just found (before it is applied):
    // its placement, cells, units and digits; no eliminations yet.
    advanced::AdvancedStep BasicStepRecord(int technique) const;

    // ---- Generator ------------------------------------------------------------------
    void MakeFullGrid();
    void MarkConsecutivePairs();
    void MarkParityFromSolution();
    void RemoveClues();
    void ThinClues();
    void ThinCluesWithinBand();
    // ScoreMin, ScoreMax and BruteForceLimit of a band (generation.h), and
    // ScaleLevel: kDiabolique and kDemoniaque take the "Aléatoire" band.
    void SetDifficulty(int difficulty);
    // One attempt: a full grid, its variant marks, removal and thinning; true
    // when the puzzle lands in the band.
    bool GenerationAttempt();
    // Repeats attempts until one lands in the band, then sets the puzzle up as a
    // fixed puzzle with its analysis (Givens, SolutionGrid, counters, log), for
    // VariantKind, XSudoku and SymmetryChoice as they stand. progress receives
    // the attempt count. When cancel turns true, the engine is put back exactly
    // as it was and false is returned. Safe on a worker thread for an engine of
    // its own.
    bool GeneratePuzzle(const std::function<void(int attempts)>& progress = {},
                        const std::atomic<bool>* cancel = nullptr);
    // The brute-force count of the last rating.
    int BruteForceSteps() const;

    // The position as a player or a file sees it.
    Grid& Position() { return CellGrid[0]; }
    const Grid& Position() const { return CellGrid[0]; }
    Grid& Level() { return CellGrid[HistoryLevel]; }
    const Grid& Level() const { return CellGrid[HistoryLevel]; }

  private:
    // empty: the empty cells of the level, when checked (else worked out).
    template <bool kFindOne> void Search(bool entryPure, bool checked, Bits81 empty);
    bool Hopeless(const Candidates& table) const;
    bool PropagateSinglesFast(int cell, int digit, Bits81& emptyCells);
    bool PropagateInOrder(Bits81& empty);
    bool ScanDigit(int digit, Bits81& alone) const;
    void CountPlaced();
    Bits81 UnitPeers(int cell) const;
    std::array<int, 16> placed_{}; // per digit, at the level of the fast propagation
    bool UnitsDistinct() const;
    bool LinesRepeat(const Grid& grid) const;
    bool SearchRefused();
    bool MarksContradicted(const Grid& grid) const;
    int DrawRepresentative(bool firstPhase);
    void ThinCluesImpl(bool withinBand);
    int FindChainTechnique();
    // 1 when level 0 has one solution, 0 none, 2 several, -1 when the search
    // was abandoned; the candidates and the search's results are kept.
    int CountLevelZeroSolutions();
    int FindAdvancedHint();
    bool BruteForceTrial();
    FinderMemo memo_;                 // what the finders worked out at their last calls
    bool shortcuts_ = false;          // set by the outermost search call
    long long abandonedSearches_ = 0; // every search that spent its budget
    // The hidden singles of every digit (alone[d - 1], written for the digits
    // that have any): returns the digits with singles (bit d - 1 for digit d),
    // or -1 when a row, column or box has neither a place for a digit nor that
    // digit placed.
    int ScanDigits(std::array<Bits81, 9>& alone) const;

    int ChooseBranchCell(Bits81 emptyCells) const;
    bool FindHiddenSingleOf(int digit);
    void RemoveSeenBy(Candidates& table, int cell, int digit) const;
    void ApplyVariantPostPassTo(Candidates& table) const;
    void Pump() {
        if (MessagePump) MessagePump();
    }
};

} // namespace vemo
