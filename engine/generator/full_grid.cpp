// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random complete grids and the variant marks drawn from them.
#include "../engine.h"

namespace vemo {

void Engine::MakeFullGrid() {
    for (;;) {
        ClearPuzzle();
        ResetNeighbourMarks();
        HistoryLevel = 0;
        ComputeCandidates();
        // Only the first two rows are random; the search completes the rest.
        int excluded = 0;
        int i = 0;
        while (i < 18) {
            std::array<int, 9> choices{};
            int n = 0;
            for (int d = 1; d <= 9; ++d)
                if (CandidateTable.Has(i, d) && d != excluded) choices[n++] = d;
            excluded = 0; // it blocks one draw only
            const int d = n > 0 ? choices[rnd(n)] : 0;
            if (d >= 1) {
                PlaceDigit(i, d);
                ++i;
                continue;
            }
            // Dead end: back up a few cells and forbid the digit found there.
            int k = rnd(5) + 2;
            i -= k;
            if (i < 0) {
                i = 0;
                k = 8;
            }
            excluded = CellGrid[0][i];
            for (int c = i; c <= i + k && c < kCells; ++c) CellGrid[0][c] = 0;
            ComputeCandidates();
        }
        SolutionCount = 0;
        HistoryLevel = 0;
        FindOneSolution();
        if (SolutionCount == 0) continue;
        CellGrid[0] = SearchSolution;
        CandidateTable = Candidates{};
        FilledCount = kCells;
        return;
    }
}

void Engine::MarkConsecutivePairs() {
    const Grid& grid = CellGrid[0];
    for (int c = 0; c < kCells; ++c) {
        NeighbourRecord& marks = NeighbourMarks[c];
        marks[0] = 0;
        for (int k = 1; k <= 4; ++k) {
            if (marks[k] == -1) continue;
            const int n = c + NeighbourOffsets[k];
            if (n < 0 || n >= kCells) continue;
            const int difference = grid[n] - grid[c];
            marks[k] = difference == 1 || difference == -1 ? 1 : 0;
            marks[0] += marks[k];
        }
    }
}

void Engine::MarkParityFromSolution() {
    for (int c = 0; c < kCells; ++c) ParityMarks[c] = CellGrid[0][c] % 2 == 0 ? 2 : 1;
}

} // namespace vemo
