#include "engine.h"

namespace vemo {

void Engine::PropagateSingles() {
    for (;;) {
        FindNakedSingle();
        if (NakedSingle.cell >= 0) {
            PlaceDigit(NakedSingle.cell, NakedSingle.digit);
        } else {
            FindHiddenSingle();
            if (HiddenSingle.digit == 0) return;
            PlaceDigit(HiddenSingle.cell, HiddenSingle.digit);
        }
        if (FilledCount >= kCells) return;
    }
}

// The first cell, in cell order, with the fewest candidates between 1 and 8,
// looking only at the cells before the first dead one (empty, no candidate).
int Engine::ChooseBranchCell() const {
    const auto planes = CandidateTable.Planes();
    const Bits81 empty = kAllCells & ~Level().FilledCells();
    const Bits81 dead = empty & planes.WithCount(0);
    const Bits81 scanned = dead != 0 ? CellBit(FirstCell(dead)) - 1 : kAllCells;
    for (int n = 1; n <= 8; ++n) {
        const Bits81 cells = planes.WithCount(n) & scanned & empty;
        if (cells != 0) return FirstCell(cells);
    }
    return -1;
}

// A position whose rules-derived candidates leave an empty cell without
// candidate, or a digit without place in a row, column or box, has no
// completion: candidates only shrink as cells fill, and a cell or unit that
// cannot take a digit now never will.
bool Engine::Hopeless() const {
    const Grid& grid = Level();
    const Bits81 filled = grid.FilledCells();
    if ((kAllCells & ~filled & ~CandidateTable.AnyCells()) != 0) return true;
    std::array<Bits81, 10> places{};
    ForEachCell(filled, [&](int c) {
        if (grid[c] <= 9) places[grid[c]] |= CellBit(c);
    });
    for (int d = 1; d <= 9; ++d) {
        const Bits81 p = places[d] | CandidateTable.CellsWith(d);
        for (int u = 0; u < 9; ++u)
            if ((p & kRowMask[u]) == 0 || (p & kColumnMask[u]) == 0 || (p & kBoxMask[u]) == 0)
                return true;
    }
    return false;
}

// One level of the trial search. Level L is the position; each digit of the
// branch cell is tried at level L + 1, which is restored from level L after
// every trial. kFindOne stops at the first complete grid and keeps it.
//
// entryPure says that CandidateTable holds exactly what the rules give for
// level L (no technique eliminations from the caller). Below level 0 such a
// hopeless position is left at once: its subtree could find no solution and
// would only cost time (exponential time when the contradiction sits late in
// cell order). Level 0 always runs its trials, which set FirstBranch.
template <bool kFindOne> void Engine::Search(bool entryPure) {
    if (kFindOne || Generating) Pump();
    const int level = HistoryLevel;
    if (level + 1 >= kGridLevels) { // unreachable: every level fills one more cell
        ComputeCandidates();
        return;
    }
    CellGrid[level + 1] = CellGrid[level];

    const bool prune = level > 0 && entryPure && Hopeless();
    const int cell = SolutionCount < SolutionLimit && !prune ? ChooseBranchCell() : -1;
    if (cell >= 0) {
        HistoryLevel = level + 1;
        bool pure = entryPure;
        for (int d = 1; d <= 9 && SolutionCount < SolutionLimit; ++d) {
            if (!CandidateTable.Has(cell, d)) continue;
            PlaceDigit(cell, d);
            if (HistoryLevel == 1) FirstBranch = {cell, d};
            PropagateSingles();
            if (FilledCount == kCells) {
                if constexpr (kFindOne) {
                    SolutionCount = 2;
                    SearchSolution = CellGrid[level + 1];
                } else {
                    ++SolutionCount;
                }
                BruteForceCell = FirstBranch.cell;
                BruteForceDigit = FirstBranch.digit;
                CellGrid[level + 1] = CellGrid[level];
                ComputeCandidates();
            } else {
                Search<kFindOne>(pure);
            }
            pure = true; // every trial ends with ComputeCandidates
        }
        HistoryLevel = level;
    }
    if (HistoryLevel > 0) CellGrid[level] = CellGrid[level - 1];
    ComputeCandidates();
}

void Engine::CountSolutions() { Search<false>(CandidateTable == RulesCandidates()); }

void Engine::FindOneSolution() { Search<true>(CandidateTable == RulesCandidates()); }

} // namespace vemo
