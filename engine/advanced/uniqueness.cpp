// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Uniqueness arguments. Four empty cells at the corners of a rectangle over two
// rows, two columns and two boxes, which could all end as two digits a and b
// (a b / b a), would let the solution swap a and b in those four cells and stay
// a solution: the rows, columns and boxes still hold each digit once. A puzzle
// with one solution can therefore never end in that pattern, and each
// technique below removes what would force it.
//
// The swap is only harmless where no rule can tell a from b. A bar or its
// absence between neighbours, or a parity mark, can (swapping 4 and 7 next to
// a 5 breaks a bar), so these finders work only where board.uniquenessAllowed
// (classic rules, with or without the diagonals). In X-Sudoku a diagonal that
// passes through exactly one corner would hold a twice, or b twice, after the
// swap, so the rectangle is refused; a diagonal through two corners passes
// through opposite ones, which would then hold the same digit, so the pattern
// is impossible anyway and the conclusion still holds. BUG+1 rests on the
// whole grid rather than on one rectangle; it is kept to grids without
// diagonals.
#include "finders.h"
#include "links.h"

#include <bit>

namespace vemo::advanced {

namespace {

struct Rectangle {
    std::array<int, 4> cells{}; // (r1, c1), (r1, c2), (r2, c1), (r2, c2)
    int a = 0, b = 0;
    unsigned ab = 0;
};

bool DiagonalsAgree(const Board& board, const std::array<int, 4>& cells) {
    for (int u = 27; u < board.unitCount; ++u) {
        int n = 0;
        for (const int c : cells) n += HasCell(board.unit[u], c) ? 1 : 0;
        if (n == 1 || n == 3) return false;
    }
    return true;
}

// The rectangles of a board whose four corners share two candidates or more,
// in the scan order (rows, then columns), with those candidates. Worked out
// once per position: the uniqueness finders run one after the other on it.
struct RectangleTable {
    Board board; // the position the table was worked out on
    bool filled = false;
    int count = 0;
    // Two rows in one band and two columns in two stacks, or the other way.
    static constexpr int kMax = 2 * 9 * 27;
    std::array<std::array<int, 4>, kMax> cells{};
    std::array<unsigned, kMax> common{};
};

const RectangleTable& Rectangles(const Board& board) {
    RectangleTable& t = ThreadTable<RectangleTable>();
    if (t.filled && SameBoard(t.board, board)) return t;
    t.board = board;
    t.filled = true;
    t.count = 0;
    for (int r1 = 0; r1 < 9; ++r1)
        for (int r2 = r1 + 1; r2 < 9; ++r2)
            for (int c1 = 0; c1 < 9; ++c1)
                for (int c2 = c1 + 1; c2 < 9; ++c2) {
                    const bool sameBand = r1 / 3 == r2 / 3, sameStack = c1 / 3 == c2 / 3;
                    if (sameBand == sameStack) continue; // one box or four boxes
                    const std::array<int, 4> cells = {r1 * 9 + c1, r1 * 9 + c2, r2 * 9 + c1,
                                                      r2 * 9 + c2};
                    unsigned common = 0x1FF;
                    for (const int c : cells) common &= board.mask[c];
                    if (std::popcount(common) < 2) continue;
                    if (!DiagonalsAgree(board, cells)) continue;
                    t.cells[t.count] = cells;
                    t.common[t.count] = common;
                    ++t.count;
                }
    return t;
}

// Calls f(rectangle) for every rectangle and pair of digits in the scan order
// (rows, then columns, then digits ascending) until f returns true.
template <typename F> bool ForEachRectangle(const Board& board, F&& f) {
    if (!board.uniquenessAllowed) return false;
    const RectangleTable& t = Rectangles(board);
    for (int i = 0; i < t.count; ++i) {
        Rectangle rect;
        rect.cells = t.cells[i];
        const unsigned common = t.common[i];
        for (int a = 1; a <= 9; ++a)
            for (int b = a + 1; b <= 9; ++b) {
                const unsigned ab = (1u << (a - 1)) | (1u << (b - 1));
                if ((common & ab) != ab) continue;
                rect.a = a;
                rect.b = b;
                rect.ab = ab;
                if (f(rect)) return true;
            }
    }
    return false;
}

void RecordRectangle(AdvancedStep& step, const Rectangle& rect, const Board& board) {
    for (const int c : rect.cells) step.AddCell(c);
    step.digits = rect.ab;
    for (const int c : rect.cells)
        if (board.mask[c] != rect.ab) step.fins |= CellBit(c);
}

// The corners with more than a and b.
int Extras(const Board& board, const Rectangle& rect, std::array<int, 4>& extra) {
    int n = 0;
    for (const int c : rect.cells)
        if (board.mask[c] != rect.ab) extra[n++] = c;
    return n;
}

bool SameRow(int x, int y) {
    return x / 9 == y / 9;
}
bool SameColumn(int x, int y) {
    return x % 9 == y % 9;
}

// The units (row or column, then box) holding both cells.
int SharedUnits(int x, int y, std::array<int, 2>& units) {
    int n = 0;
    if (SameRow(x, y)) units[n++] = x / 9;
    if (SameColumn(x, y)) units[n++] = 9 + x % 9;
    if (CellUnits[x][2] == CellUnits[y][2]) units[n++] = 18 + CellUnits[x][2];
    return n;
}

} // namespace

// Three corners hold only a and b: the fourth is neither.
bool FindUniqueRectangle1(const Board& board, AdvancedStep& step) {
    return ForEachRectangle(board, [&](const Rectangle& rect) {
        std::array<int, 4> extra{};
        if (Extras(board, rect, extra) != 1) return false;
        RecordRectangle(step, rect, board);
        step.Eliminate(extra[0], rect.a);
        step.Eliminate(extra[0], rect.b);
        return true;
    });
}

// Two corners on one side hold a, b and one more digit c, the same: one of
// them is c, and a cell that sees both loses c.
bool FindUniqueRectangle2(const Board& board, AdvancedStep& step) {
    return ForEachRectangle(board, [&](const Rectangle& rect) {
        std::array<int, 4> extra{};
        if (Extras(board, rect, extra) != 2) return false;
        const int x = extra[0], y = extra[1];
        if (!SameRow(x, y) && !SameColumn(x, y)) return false;
        const unsigned cx = board.mask[x] & ~rect.ab;
        if (board.mask[x] != board.mask[y] || std::popcount(cx) != 1) return false;
        const int c = std::countr_zero(cx) + 1;
        const Bits81 out = board.CommonPeers(CellBit(x) | CellBit(y), c);
        if (out == 0) return false;
        RecordRectangle(step, rect, board);
        EliminateAll(step, out, c);
        return true;
    });
}

// Two corners on one side with extra digits E: one of them holds a digit of
// E, so together they act as one cell with the candidates E. With k cells of
// a unit they share, whose candidates and E make k + 1 digits, they lock those
// digits in the unit.
bool FindUniqueRectangle3(const Board& board, AdvancedStep& step) {
    return ForEachRectangle(board, [&](const Rectangle& rect) {
        std::array<int, 4> extra{};
        if (Extras(board, rect, extra) != 2) return false;
        const int x = extra[0], y = extra[1];
        const unsigned e = (board.mask[x] | board.mask[y]) & ~rect.ab;
        std::array<int, 2> units{};
        const int nu = SharedUnits(x, y, units);
        for (int iu = 0; iu < nu; ++iu) {
            const int u = units[iu];
            std::array<int, 9> others{};
            int n = 0;
            ForEachCell(board.unit[u], [&](int c) {
                if (c != x && c != y && board.mask[c] != 0) others[n++] = c;
            });
            // Subsets of 1..3 cells, in ascending order of their bit sets.
            for (unsigned pick = 1; pick < (1u << n); ++pick) {
                const int k = std::popcount(pick);
                if (k > 3) continue;
                unsigned digits = e;
                Bits81 chosen = 0;
                for (int i = 0; i < n; ++i)
                    if ((pick >> i & 1) != 0) {
                        digits |= board.mask[others[i]];
                        chosen |= CellBit(others[i]);
                    }
                if (std::popcount(digits) != k + 1) continue;
                const Bits81 rest = board.unit[u] & ~chosen & ~CellBit(x) & ~CellBit(y);
                bool any = false;
                for (int d = 1; d <= 9; ++d)
                    if ((digits >> (d - 1) & 1) != 0 && (board.places[d - 1] & rest) != 0)
                        any = true;
                if (!any) continue;
                RecordRectangle(step, rect, board);
                ForEachCell(chosen, [&](int c) { step.AddCell(c); });
                step.AddUnit(u);
                for (int d = 1; d <= 9; ++d)
                    if ((digits >> (d - 1) & 1) != 0)
                        EliminateAll(step, board.places[d - 1] & rest, d);
                return true;
            }
        }
        return false;
    });
}

// Two corners on one side, and a unit they share in which a lies only in them:
// one of them is a, so neither can be b.
bool FindUniqueRectangle4(const Board& board, AdvancedStep& step) {
    return ForEachRectangle(board, [&](const Rectangle& rect) {
        std::array<int, 4> extra{};
        if (Extras(board, rect, extra) != 2) return false;
        const int x = extra[0], y = extra[1];
        if (!SameRow(x, y) && !SameColumn(x, y)) return false;
        std::array<int, 2> units{};
        const int nu = SharedUnits(x, y, units);
        const Bits81 pair = CellBit(x) | CellBit(y);
        for (int iu = 0; iu < nu; ++iu)
            for (const int locked : {rect.a, rect.b}) {
                if ((board.places[locked - 1] & board.unit[units[iu]]) != pair) continue;
                const int other = locked == rect.a ? rect.b : rect.a;
                RecordRectangle(step, rect, board);
                step.AddUnit(units[iu]);
                step.Eliminate(x, other);
                step.Eliminate(y, other);
                return true;
            }
        return false;
    });
}

// Two opposite corners, or three corners, hold a, b and the same one more
// digit c: one of them is c, and a cell that sees all of them loses c.
bool FindUniqueRectangle5(const Board& board, AdvancedStep& step) {
    return ForEachRectangle(board, [&](const Rectangle& rect) {
        std::array<int, 4> extra{};
        const int n = Extras(board, rect, extra);
        if (n < 2 || n > 3) return false;
        if (n == 2 && (SameRow(extra[0], extra[1]) || SameColumn(extra[0], extra[1]))) return false;
        const unsigned cx = board.mask[extra[0]] & ~rect.ab;
        if (std::popcount(cx) != 1) return false;
        Bits81 cells = 0;
        for (int i = 0; i < n; ++i) {
            if (board.mask[extra[i]] != board.mask[extra[0]]) return false;
            cells |= CellBit(extra[i]);
        }
        const int c = std::countr_zero(cx) + 1;
        const Bits81 out = board.CommonPeers(cells, c);
        if (out == 0) return false;
        RecordRectangle(step, rect, board);
        EliminateAll(step, out, c);
        return true;
    });
}

// Two opposite corners hold only a and b, and a lies in both rows (or both
// columns) only at the corners: the other two corners cannot be a, or all four
// would end in the pattern.
bool FindUniqueRectangle6(const Board& board, AdvancedStep& step) {
    return ForEachRectangle(board, [&](const Rectangle& rect) {
        std::array<int, 4> extra{};
        if (Extras(board, rect, extra) != 2) return false;
        const int x = extra[0], y = extra[1];
        if (SameRow(x, y) || SameColumn(x, y)) return false;
        const auto& k = rect.cells;
        const Bits81 row1 = CellBit(k[0]) | CellBit(k[1]), row2 = CellBit(k[2]) | CellBit(k[3]);
        const Bits81 col1 = CellBit(k[0]) | CellBit(k[2]), col2 = CellBit(k[1]) | CellBit(k[3]);
        for (const int d : {rect.a, rect.b}) {
            const Bits81 p = board.places[d - 1];
            const bool rows = (p & kRowMask[k[0] / 9]) == row1 && (p & kRowMask[k[2] / 9]) == row2;
            const bool cols =
                (p & kColumnMask[k[0] % 9]) == col1 && (p & kColumnMask[k[1] % 9]) == col2;
            if (!rows && !cols) continue;
            RecordRectangle(step, rect, board);
            step.Eliminate(x, d);
            step.Eliminate(y, d);
            return true;
        }
        return false;
    });
}

// One corner holds only a and b. If the opposite corner's row and column hold
// a only at the rectangle, that corner cannot be b: it would force a into the
// two other corners and b into the first, the whole pattern.
bool FindHiddenRectangle(const Board& board, AdvancedStep& step) {
    return ForEachRectangle(board, [&](const Rectangle& rect) {
        for (int i = 0; i < 4; ++i) {
            if (board.mask[rect.cells[i]] != rect.ab) continue;
            const int opposite = rect.cells[3 - i];
            const int inRow = rect.cells[(3 - i) ^ 1]; // the corner in the opposite's row
            const int inColumn = rect.cells[(3 - i) ^ 2];
            for (const int d : {rect.a, rect.b}) {
                const Bits81 p = board.places[d - 1];
                if ((p & kRowMask[opposite / 9]) != (CellBit(opposite) | CellBit(inRow))) continue;
                if ((p & kColumnMask[opposite % 9]) != (CellBit(opposite) | CellBit(inColumn)))
                    continue;
                const int other = d == rect.a ? rect.b : rect.a;
                RecordRectangle(step, rect, board);
                step.Eliminate(opposite, other);
                return true;
            }
        }
        return false;
    });
}

// Every empty cell holds two candidates but one, which holds three, and every
// unit holds each of its digits twice, but the units of that cell hold one
// digit x three times. Without x there, the grid would be a deadly pattern of
// pairs with no solution or several, so that cell is x.
bool FindBugPlusOne(const Board& board, AdvancedStep& step) {
    if (!board.uniquenessAllowed || board.xSudoku) return false;
    int three = -1;
    for (int c = 0; c < kCells; ++c) {
        const int n = std::popcount(static_cast<unsigned>(board.mask[c]));
        if (board.value[c] != 0 || n == 2) continue;
        if (n != 3 || three >= 0) return false;
        three = c;
    }
    if (three < 0) return false;
    int x = 0;
    for (int d = 1; d <= 9; ++d)
        if ((board.mask[three] >> (d - 1) & 1) != 0 &&
            CountCells(board.places[d - 1] & kRowMask[three / 9]) == 3)
            x = d;
    if (x == 0) return false;
    for (int u = 0; u < 27; ++u)
        for (int d = 1; d <= 9; ++d) {
            int n = CountCells(board.places[d - 1] & board.unit[u]);
            if (d == x && HasCell(board.unit[u], three)) --n;
            if (n != 0 && n != 2) return false;
        }
    step.placeCell = three;
    step.placeDigit = x;
    step.AddCell(three);
    step.digits = 1u << (x - 1);
    return true;
}

} // namespace vemo::advanced
