// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Fish on rows and columns: n base lines whose candidates of a digit lie in n
// cover lines. Each base line holds the digit once, in a cover line, so the
// cover lines hold it nowhere else. A finned fish has a few more candidates,
// the fins, all in one box: either a fin is the digit, or the fish holds; a
// cell of a cover line (off the base lines) that sees every fin loses the digit
// either way. Sashimi: a base line keeps at most one candidate without its fins.
#include "finders.h"

#include <bit>

namespace vemo::advanced {

namespace {

// The cell at position `along` of line `line`; rows when byRows, else columns.
int CellOf(bool byRows, int line, int along) {
    return byRows ? line * 9 + along : along * 9 + line;
}

Bits81 LineMask(bool byRows, int line) {
    return byRows ? kRowMask[line] : kColumnMask[line];
}

struct FishLines {
    std::array<int, 9> lines{};
    std::array<unsigned, 9> positions{}; // along the line, bit p for position p
    int count = 0;
};

bool TryFish(const Board& board, int d, bool byRows, const int* base, int n, unsigned cover,
             bool finned, AdvancedStep& step) {
    const Bits81 places = board.places[d - 1];
    Bits81 baseCells = 0, coverCells = 0;
    for (int i = 0; i < n; ++i) baseCells |= places & LineMask(byRows, base[i]);
    for (int p = 0; p < 9; ++p)
        if ((cover >> p & 1) != 0) coverCells |= LineMask(!byRows, p);
    const Bits81 fins = baseCells & ~coverCells;
    Bits81 out = places & coverCells & ~baseCells;
    bool sashimi = false;
    for (int i = 0; i < n; ++i) {
        const int inCover = CountCells(places & LineMask(byRows, base[i]) & coverCells);
        if (inCover == 0) return false;
        if (inCover == 1) sashimi = true;
    }
    if (finned) {
        if (fins == 0) return false;
        const int box = CellUnits[FirstCell(fins)][2];
        if ((fins & ~kBoxMask[box]) != 0) return false;
        out &= kBoxMask[box];
        if (out == 0) return false;
        out &= board.CommonPeers(fins, d);
    } else if (fins != 0) {
        return false;
    }
    if (out == 0) return false;
    step.digits = 1u << (d - 1);
    ForEachCell(baseCells & ~fins, [&](int c) { step.AddCell(c); });
    for (int i = 0; i < n; ++i) step.AddUnit(byRows ? base[i] : 9 + base[i]);
    for (int p = 0; p < 9; ++p)
        if ((cover >> p & 1) != 0) step.AddUnit(byRows ? 9 + p : p);
    step.fins = fins;
    step.sashimi = finned && sashimi;
    EliminateAll(step, out, d);
    return true;
}

// What TryFish asks of a finned fish first, read from the positions alone:
// every base line meets the cover, and the fins (the places off the cover,
// all in one stack of positions here) lie in one band of base lines, so in
// one box. False when TryFish would find nothing.
bool MayHoldFins(const FishLines& lines, const int* pick, int n, unsigned cover) {
    int band = -1;
    for (int i = 0; i < n; ++i) {
        const unsigned positions = lines.positions[pick[i]];
        if ((positions & cover) == 0) return false;
        if ((positions & ~cover) == 0) continue;
        const int lineBand = lines.lines[pick[i]] / 3;
        if (band >= 0 && lineBand != band) return false;
        band = lineBand;
    }
    return true;
}

// Rows as base lines for every digit, then columns.
bool FindFish(const Board& board, int n, bool finned, unsigned digits, AdvancedStep& step) {
    for (const bool byRows : {true, false}) {
        for (int d = 1; d <= 9; ++d) {
            if ((digits >> (d - 1) & 1) == 0) continue;
            FishLines lines;
            const Bits81 places = board.places[d - 1];
            for (int line = 0; line < 9; ++line) {
                unsigned pos = 0;
                for (int p = 0; p < 9; ++p)
                    if (HasCell(places, CellOf(byRows, line, p))) pos |= 1u << p;
                const int k = std::popcount(pos);
                // With fins in one box, a base line has at most n + 3 places.
                if (k < (finned ? 1 : 2) || k > (finned ? n + 3 : n)) continue;
                lines.lines[lines.count] = line;
                lines.positions[lines.count++] = pos;
            }
            if (lines.count < n) continue;
            std::array<int, 4> pick{};
            for (int i = 0; i < n; ++i) pick[i] = i;
            while (true) {
                unsigned all = 0;
                int base[4] = {};
                for (int i = 0; i < n; ++i) {
                    all |= lines.positions[pick[i]];
                    base[i] = lines.lines[pick[i]];
                }
                const int spread = std::popcount(all);
                if (!finned && spread == n) {
                    if (TryFish(board, d, byRows, base, n, all, false, step)) return true;
                } else if (finned && spread > n) {
                    // The fins lie in one box, so in one stack of positions
                    // (a band for columns): the cover holds every position of
                    // the other two stacks, and some of this one. Stacks in
                    // order, then the cover's extra positions ascending.
                    for (int stack = 0; stack < 3; ++stack) {
                        const unsigned stackBits = 7u << (3 * stack);
                        const unsigned required = all & ~stackBits;
                        if (std::popcount(required) > n) continue;
                        const unsigned optional = all & stackBits;
                        for (unsigned extra = 0; extra < 8; ++extra) {
                            const unsigned add = (extra << (3 * stack)) & optional;
                            if (add != (extra << (3 * stack))) continue;
                            const unsigned cover = required | add;
                            if (std::popcount(cover) != n || cover == all) continue;
                            if (!MayHoldFins(lines, pick.data(), n, cover)) continue;
                            if (TryFish(board, d, byRows, base, n, cover, true, step)) return true;
                        }
                    }
                }
                int i = n - 1;
                while (i >= 0 && pick[i] == lines.count - n + i) --i;
                if (i < 0) break;
                ++pick[i];
                for (int j = i + 1; j < n; ++j) pick[j] = pick[j - 1] + 1;
            }
        }
    }
    return false;
}

} // namespace

bool FindJellyfishIn(const Board& board, unsigned digits, AdvancedStep& step) {
    return FindFish(board, 4, false, digits, step);
}

bool FindFinnedXWingIn(const Board& board, unsigned digits, AdvancedStep& step) {
    return FindFish(board, 2, true, digits, step);
}

bool FindFinnedSwordfishIn(const Board& board, unsigned digits, AdvancedStep& step) {
    return FindFish(board, 3, true, digits, step);
}

bool FindFinnedJellyfishIn(const Board& board, unsigned digits, AdvancedStep& step) {
    return FindFish(board, 4, true, digits, step);
}

bool FindJellyfish(const Board& board, AdvancedStep& step) {
    return FindJellyfishIn(board, kEveryDigit, step);
}

bool FindFinnedXWing(const Board& board, AdvancedStep& step) {
    return FindFinnedXWingIn(board, kEveryDigit, step);
}

bool FindFinnedSwordfish(const Board& board, AdvancedStep& step) {
    return FindFinnedSwordfishIn(board, kEveryDigit, step);
}

bool FindFinnedJellyfish(const Board& board, AdvancedStep& step) {
    return FindFinnedJellyfishIn(board, kEveryDigit, step);
}

} // namespace vemo::advanced
