// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Single-digit patterns: two strong links of one digit whose inner ends see
// each other. One outer end is the digit whichever way the inner ends fall, so
// a cell that sees both outer ends loses it.
//   Skyscraper: two row links (or two column links) with inner ends in one
//   column (one row); 2-String Kite: a row link and a column link with inner
//   ends in one box; Turbot Fish: any other two links (boxes, diagonals, and
//   the bar rules as weak links); Empty Rectangle: a box whose candidates lie
//   in one row and one column, and a line's strong link.
#include "finders.h"

namespace vemo::advanced {

StrongLinks StrongLinksOf(const Board& board, int digit) {
    StrongLinks out;
    const Bits81 places = board.places[digit - 1];
    for (int u = 0; u < board.unitCount; ++u) {
        const Bits81 in = places & board.unit[u];
        if (CountCells(in) != 2) continue;
        const int a = FirstCell(in);
        out.links[out.count++] = {a, FirstCell(in & ~CellBit(a)), u};
    }
    return out;
}

int EliminateAll(AdvancedStep& step, Bits81 cells, int digit) {
    int n = 0;
    ForEachCell(cells, [&](int c) {
        step.Eliminate(c, digit);
        ++n;
    });
    return n;
}

namespace {

enum class Shape { kSkyscraper, kKite, kTurbot };

bool IsRow(int unit) {
    return unit < 9;
}
bool IsColumn(int unit) {
    return unit >= 9 && unit < 18;
}
int Row(int cell) {
    return cell / 9;
}
int Column(int cell) {
    return cell % 9;
}
int Box(int cell) {
    return CellUnits[cell][2];
}

// The shape of links first (ends a, b) and second (ends c, e) joined at b, c.
Shape ShapeOf(const StrongLink& first, int b, const StrongLink& second, int c, int a, int e) {
    if (IsRow(first.unit) && IsRow(second.unit) && Column(b) == Column(c) && Column(a) != Column(e))
        return Shape::kSkyscraper;
    if (IsColumn(first.unit) && IsColumn(second.unit) && Row(b) == Row(c) && Row(a) != Row(e))
        return Shape::kSkyscraper;
    const bool lines = (IsRow(first.unit) && IsColumn(second.unit)) ||
                       (IsColumn(first.unit) && IsRow(second.unit));
    if (lines && Box(b) == Box(c) && Box(a) != Box(b) && Box(e) != Box(c)) return Shape::kKite;
    return Shape::kTurbot;
}

void Record(AdvancedStep& step, int digit, int a, int b, int c, int e, int unitAB, int unitCE,
            Bits81 eliminated) {
    step.digits = 1u << (digit - 1);
    for (const int cell : {a, b, c, e}) step.AddCell(cell);
    step.AddUnit(unitAB);
    step.AddUnit(unitCE);
    const int ends[4] = {a, b, c, e};
    for (int i = 0; i < 4; ++i) {
        step.nodes[i] = {CellBit(ends[i]), static_cast<std::int8_t>(digit),
                         static_cast<std::int8_t>(i % 2 == 0 ? 0 : 1)};
    }
    step.links[0] = Link::kStrong;
    step.links[1] = Link::kWeak;
    step.links[2] = Link::kStrong;
    step.nodeCount = 4;
    EliminateAll(step, eliminated, digit);
}

bool FindTwoLinks(const Board& board, Shape wanted, unsigned digits, AdvancedStep& step) {
    for (int d = 1; d <= 9; ++d) {
        if ((digits >> (d - 1) & 1) == 0) continue;
        const StrongLinks s = StrongLinksOf(board, d);
        for (int i = 0; i < s.count; ++i) {
            for (int j = i + 1; j < s.count; ++j) {
                const StrongLink& l1 = s.links[i];
                const StrongLink& l2 = s.links[j];
                // The four ways to join the two links: inner ends b and c.
                for (int k = 0; k < 4; ++k) {
                    const int b = (k & 1) ? l1.a : l1.b;
                    const int a = (k & 1) ? l1.b : l1.a;
                    const int c = (k & 2) ? l2.b : l2.a;
                    const int e = (k & 2) ? l2.a : l2.b;
                    if (a == c || a == e || b == c || b == e) continue;
                    if (!board.Sees(b, d, c, d)) continue;
                    if (ShapeOf(l1, b, l2, c, a, e) != wanted) continue;
                    const Bits81 out =
                        board.CommonPeers(CellBit(a) | CellBit(e), d) & ~(CellBit(b) | CellBit(c));
                    if (out == 0) continue;
                    Record(step, d, a, b, c, e, l1.unit, l2.unit, out);
                    return true;
                }
            }
        }
    }
    return false;
}

} // namespace

bool FindSkyscraperIn(const Board& board, unsigned digits, AdvancedStep& step) {
    return FindTwoLinks(board, Shape::kSkyscraper, digits, step);
}

bool FindTwoStringKiteIn(const Board& board, unsigned digits, AdvancedStep& step) {
    return FindTwoLinks(board, Shape::kKite, digits, step);
}

bool FindTurbotFishIn(const Board& board, unsigned digits, AdvancedStep& step) {
    return FindTwoLinks(board, Shape::kTurbot, digits, step);
}

bool FindSkyscraper(const Board& board, AdvancedStep& step) {
    return FindSkyscraperIn(board, kEveryDigit, step);
}

bool FindTwoStringKite(const Board& board, AdvancedStep& step) {
    return FindTwoStringKiteIn(board, kEveryDigit, step);
}

bool FindTurbotFish(const Board& board, AdvancedStep& step) {
    return FindTurbotFishIn(board, kEveryDigit, step);
}

// Box b's candidates of the digit lie in its row r and its column c, with some
// outside each. A column c2 outside the box's stack holding the digit only in
// row r and a row r2 outside the box's band: if (r2, c) held the digit, the box
// would hold it in row r, so (r, c2) would not, so (r2, c2) would, and (r2, c)
// sees it. So (r2, c) loses the digit. The same with rows and columns swapped.
bool FindEmptyRectangleIn(const Board& board, unsigned digits, AdvancedStep& step) {
    for (int d = 1; d <= 9; ++d) {
        if ((digits >> (d - 1) & 1) == 0) continue;
        const Bits81 places = board.places[d - 1];
        for (int box = 0; box < 9; ++box) {
            const Bits81 inBox = places & kBoxMask[box];
            if (CountCells(inBox) < 2) continue;
            const int band = box / 3 * 3, stack = box % 3 * 3;
            for (int r = band; r < band + 3; ++r) {
                for (int c = stack; c < stack + 3; ++c) {
                    const Bits81 row = kRowMask[r] & kBoxMask[box];
                    const Bits81 column = kColumnMask[c] & kBoxMask[box];
                    if ((inBox & ~(row | column)) != 0) continue;
                    if ((inBox & row & ~column) == 0 || (inBox & column & ~row) == 0) continue;
                    // A column link outside the stack, one end in row r.
                    for (int c2 = 0; c2 < 9; ++c2) {
                        if (c2 / 3 * 3 == stack) continue;
                        const Bits81 link = places & kColumnMask[c2];
                        if (CountCells(link) != 2 || !HasCell(link, r * 9 + c2)) continue;
                        const int other = FirstCell(link & ~CellBit(r * 9 + c2));
                        const int r2 = other / 9;
                        if (r2 / 3 * 3 == band) continue;
                        const int target = r2 * 9 + c;
                        if (!HasCell(places, target)) continue;
                        step.digits = 1u << (d - 1);
                        step.AddCell(r * 9 + c2);
                        step.AddCell(other);
                        ForEachCell(inBox, [&](int x) { step.AddCell(x); });
                        step.AddUnit(18 + box);
                        step.AddUnit(9 + c2);
                        step.Eliminate(target, d);
                        return true;
                    }
                    // A row link outside the band, one end in column c.
                    for (int r2 = 0; r2 < 9; ++r2) {
                        if (r2 / 3 * 3 == band) continue;
                        const Bits81 link = places & kRowMask[r2];
                        if (CountCells(link) != 2 || !HasCell(link, r2 * 9 + c)) continue;
                        const int other = FirstCell(link & ~CellBit(r2 * 9 + c));
                        const int c2 = other % 9;
                        if (c2 / 3 * 3 == stack) continue;
                        const int target = r * 9 + c2;
                        if (!HasCell(places, target)) continue;
                        step.digits = 1u << (d - 1);
                        step.AddCell(r2 * 9 + c);
                        step.AddCell(other);
                        ForEachCell(inBox, [&](int x) { step.AddCell(x); });
                        step.AddUnit(18 + box);
                        step.AddUnit(r2);
                        step.Eliminate(target, d);
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

bool FindEmptyRectangle(const Board& board, AdvancedStep& step) {
    return FindEmptyRectangleIn(board, kEveryDigit, step);
}

} // namespace vemo::advanced
