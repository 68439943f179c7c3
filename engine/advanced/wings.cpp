// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Short wings: XYZ-Wing, WXYZ-Wing, W-Wing and Remote Pairs.
#include "finders.h"

#include <array>
#include <bit>
#include <cstdint>

namespace vemo::advanced {

namespace {

int DigitCount(unsigned mask) {
    return std::popcount(mask);
}

// A wing: n cells whose candidates together are n digits. A digit is
// restricted when every two of the cells holding it see each other, so that at
// most one of them takes it. When exactly one digit z is not restricted, the
// other digits fill at most n - 1 cells, so some cell of the wing holds z, and
// a cell that sees every z of the wing loses it. Returns the eliminations of z
// (0 when the cells are no such wing) and z itself.
Bits81 WingEliminations(const Board& board, const int* cells, int n, unsigned digits, int& z) {
    z = 0;
    for (int x = 1; x <= 9; ++x) {
        if ((digits >> (x - 1) & 1) == 0) continue;
        bool restricted = true;
        for (int i = 0; i < n && restricted; ++i) {
            if ((board.mask[cells[i]] >> (x - 1) & 1) == 0) continue;
            for (int j = i + 1; j < n && restricted; ++j)
                if ((board.mask[cells[j]] >> (x - 1) & 1) != 0 &&
                    !board.Sees(cells[i], x, cells[j], x))
                    restricted = false;
        }
        if (restricted) continue;
        if (z != 0) return 0; // two digits not restricted: no wing
        z = x;
    }
    if (z == 0) return 0;
    Bits81 out = board.places[z - 1];
    for (int i = 0; i < n; ++i) {
        out &= ~CellBit(cells[i]);
        if ((board.mask[cells[i]] >> (z - 1) & 1) != 0) out &= board.RuledOut(cells[i], z, z);
    }
    return out;
}

void RecordWing(AdvancedStep& step, const int* cells, int n, unsigned digits, int z, Bits81 out) {
    for (int i = 0; i < n; ++i) step.AddCell(cells[i]);
    step.digits = digits;
    EliminateAll(step, out, z);
}

} // namespace

// A pivot with three candidates xyz and two cells with two of them each, both
// holding z.
bool FindXYZWing(const Board& board, AdvancedStep& step) {
    for (int p = 0; p < kCells; ++p) {
        const unsigned pm = board.mask[p];
        if (DigitCount(pm) != 3) continue;
        for (int w1 = 0; w1 < kCells; ++w1) {
            const unsigned m1 = board.mask[w1];
            if (w1 == p || DigitCount(m1) != 2 || (m1 & ~pm) != 0) continue;
            for (int w2 = w1 + 1; w2 < kCells; ++w2) {
                const unsigned m2 = board.mask[w2];
                if (w2 == p || DigitCount(m2) != 2 || (m2 & ~pm) != 0 || m2 == m1) continue;
                const int cells[3] = {p, w1, w2};
                int z = 0;
                const Bits81 out = WingEliminations(board, cells, 3, pm, z);
                if (out == 0 || (m1 & m2) != (1u << (z - 1))) continue;
                RecordWing(step, cells, 3, pm, z, out);
                return true;
            }
        }
    }
    return false;
}

// Four cells with two to four candidates and four digits in all. The digits
// that each two of the candidate cells hold without seeing each other are
// worked out once per call (a wing's unrestricted digits are the union of its
// pairs'), so the scan over digit sets and cells, in the same order as before,
// only combines masks.
bool FindWXYZWing(const Board& board, AdvancedStep& step) {
    std::array<int, 81> cellOf;
    int total = 0;
    for (int c = 0; c < kCells; ++c) {
        const int count = DigitCount(board.mask[c]);
        if (count >= 2 && count <= 4) cellOf[total++] = c;
    }
    if (total < 4) return false;
    // [a][b], a < b indices into cellOf: the digits the two cells both hold
    // and do not see each other for. Only the pairs a < b < total are written
    // and read.
    std::array<std::array<std::uint16_t, 81>, 81> pairLoose;
    for (int a = 0; a < total; ++a)
        for (int b = a + 1; b < total; ++b) {
            const unsigned common = board.mask[cellOf[a]] & board.mask[cellOf[b]];
            // Whether two cells see each other for one digit is the same for
            // every digit (units and marks alike): asked once.
            const int x = std::countr_zero(common) + 1;
            const bool loose = common != 0 && !board.Sees(cellOf[a], x, cellOf[b], x);
            pairLoose[a][b] = static_cast<std::uint16_t>(loose ? common : 0);
        }
    // [m]: bit a for each cellOf[a] whose candidates are m. The cells of a
    // digit set q are those of its subsets, in the same ascending order.
    std::array<Bits81, 512> withMask{};
    for (int a = 0; a < total; ++a) withMask[board.mask[cellOf[a]]] |= CellBit(a);
    for (unsigned q = 0; q < 512; ++q) {
        if (DigitCount(q) != 4) continue;
        Bits81 inside = 0;
        for (unsigned sub = q; sub != 0; sub = (sub - 1) & q) inside |= withMask[sub];
        if (CountCells(inside) < 4) continue;
        std::array<int, 81> list;
        int n = 0;
        ForEachCell(inside, [&](int a) { list[n++] = a; });
        for (int i = 0; i < n; ++i) {
            const int a = list[i];
            for (int j = i + 1; j < n; ++j) {
                const int b = list[j];
                const unsigned loose2 = pairLoose[a][b];
                // Two digits unrestricted already: no wing holds these two.
                if (std::popcount(loose2) > 1) continue;
                const unsigned union2 = board.mask[cellOf[a]] | board.mask[cellOf[b]];
                for (int k = j + 1; k < n; ++k) {
                    const int c = list[k];
                    // Two digits already unrestricted among three cells: no
                    // fourth cell makes a wing of them.
                    const unsigned loose3 = loose2 | pairLoose[a][c] | pairLoose[b][c];
                    if (std::popcount(loose3) > 1) continue;
                    const unsigned union3 = union2 | board.mask[cellOf[c]];
                    for (int l = k + 1; l < n; ++l) {
                        const int d = list[l];
                        if ((union3 | board.mask[cellOf[d]]) != q) continue;
                        const unsigned loose =
                            loose3 | pairLoose[a][d] | pairLoose[b][d] | pairLoose[c][d];
                        // Exactly one digit z not restricted.
                        if (std::popcount(loose) != 1) continue;
                        const int z = std::countr_zero(loose) + 1;
                        const int cells[4] = {cellOf[a], cellOf[b], cellOf[c], cellOf[d]};
                        Bits81 out = board.places[z - 1];
                        for (const int cell : cells) {
                            out &= ~CellBit(cell);
                            if ((board.mask[cell] >> (z - 1) & 1) != 0)
                                out &= board.RuledOut(cell, z, z);
                        }
                        if (out == 0) continue;
                        RecordWing(step, cells, 4, q, z, out);
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

// Two cells with the same two candidates x and y, and a strong link of x whose
// ends see one cell each: if the first cell is not y it is x, the link's near
// end is not x, its far end is, and the second cell is y. So one of them is y,
// and a cell that sees both loses y.
bool FindWWing(const Board& board, AdvancedStep& step) {
    for (int a = 0; a < kCells; ++a) {
        const unsigned m = board.mask[a];
        if (DigitCount(m) != 2) continue;
        for (int b = a + 1; b < kCells; ++b) {
            if (board.mask[b] != m) continue;
            for (int x = 1; x <= 9; ++x) {
                if ((m >> (x - 1) & 1) == 0) continue;
                const int y = std::countr_zero(m & ~(1u << (x - 1))) + 1;
                const Bits81 out =
                    board.RuledOut(a, y, y) & board.RuledOut(b, y, y) & ~(CellBit(a) | CellBit(b));
                if (out == 0) continue;
                const StrongLinks s = StrongLinksOf(board, x);
                for (int i = 0; i < s.count; ++i) {
                    const StrongLink& l = s.links[i];
                    for (int k = 0; k < 2; ++k) {
                        const int p = k == 0 ? l.a : l.b;
                        const int q = k == 0 ? l.b : l.a;
                        if (p == a || p == b || q == a || q == b) continue;
                        if (!board.Sees(a, x, p, x) || !board.Sees(b, x, q, x)) continue;
                        for (const int c : {a, p, q, b}) step.AddCell(c);
                        step.AddUnit(l.unit);
                        step.digits = m;
                        const int cells[4] = {a, p, q, b};
                        const int digits[4] = {x, x, x, x};
                        for (int n = 0; n < 4; ++n)
                            step.nodes[n] = {CellBit(cells[n]), static_cast<std::int8_t>(digits[n]),
                                             static_cast<std::int8_t>(n % 2)};
                        step.links[0] = Link::kWeak;
                        step.links[1] = Link::kStrong;
                        step.links[2] = Link::kWeak;
                        step.nodeCount = 4;
                        EliminateAll(step, out, y);
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

// Cells with the same two candidates, each seeing the next: along the chain
// they alternate, so two cells an odd number of links apart hold the two
// digits between them, and a cell that sees both loses both. A pair one link
// apart is a plain naked pair; the chain needs three links or more.
bool FindRemotePairs(const Board& board, AdvancedStep& step) {
    for (int first = 0; first < kCells; ++first) {
        const unsigned m = board.mask[first];
        if (DigitCount(m) != 2) continue;
        // Only the first cell of each pair of digits starts the scan.
        bool earlier = false;
        for (int c = 0; c < first && !earlier; ++c) earlier = board.mask[c] == m;
        if (earlier) continue;
        const int x = std::countr_zero(m) + 1;
        const int y = std::countr_zero(m & (m - 1)) + 1;
        std::array<int, 81> cells{};
        int n = 0;
        for (int c = first; c < kCells; ++c)
            if (board.mask[c] == m) cells[n++] = c;
        if (n < 4) continue;
        auto linked = [&](int i, int j) {
            return board.Sees(cells[i], x, cells[j], x) && board.Sees(cells[i], y, cells[j], y);
        };
        for (int start = 0; start < n; ++start) {
            std::array<int, 81> dist{}, from{}, queue{};
            dist.fill(-1);
            dist[start] = 0;
            int head = 0, tail = 0;
            queue[tail++] = start;
            bool oddCycle = false;
            while (head < tail) {
                const int i = queue[head++];
                for (int j = 0; j < n; ++j) {
                    if (j == i || !linked(i, j)) continue;
                    if (dist[j] < 0) {
                        dist[j] = dist[i] + 1;
                        from[j] = i;
                        queue[tail++] = j;
                    } else if ((dist[j] - dist[i]) % 2 == 0) {
                        oddCycle = true; // no solution holds such a chain: be silent
                    }
                }
            }
            if (oddCycle) continue;
            for (int end = start + 1; end < n; ++end) {
                if (dist[end] < 3 || dist[end] % 2 == 0) continue;
                Bits81 chain = 0;
                for (int i = end;; i = from[i]) {
                    chain |= CellBit(cells[i]);
                    if (i == start) break;
                }
                const Bits81 outX =
                    board.RuledOut(cells[start], x, x) & board.RuledOut(cells[end], x, x) & ~chain;
                const Bits81 outY =
                    board.RuledOut(cells[start], y, y) & board.RuledOut(cells[end], y, y) & ~chain;
                if ((outX | outY) == 0) continue;
                for (int i = end;; i = from[i]) {
                    step.AddCell(cells[i]);
                    if (i == start) break;
                }
                step.digits = m;
                EliminateAll(step, outX, x);
                EliminateAll(step, outY, y);
                return true;
            }
        }
    }
    return false;
}

} // namespace vemo::advanced
