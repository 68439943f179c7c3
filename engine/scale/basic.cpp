// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The simple techniques of the scale, from the singles to the wings, the
// uniqueness patterns and the BUG.
#include "position.h"

#include <cstdlib>

namespace vemo::scale {

Rules MakeRules(const advanced::Board& board) {
    Rules r;
    r.board = &board;
    int n = 0;
    for (int u = 18; u < 27; ++u) r.order[n++] = u;
    for (int u = 0; u < 18; ++u) r.order[n++] = u;
    for (int u = 27; u < board.unitCount; ++u) r.order[n++] = u;
    r.unitCount = n;
    r.uniqueness = board.uniquenessAllowed && !board.xSudoku;
    for (int c = 0; c < kCells; ++c) {
        int k = 0;
        r.cellUnits[c][k++] = static_cast<std::int8_t>(board.cellUnits[c][2]);
        r.cellUnits[c][k++] = static_cast<std::int8_t>(board.cellUnits[c][0]);
        r.cellUnits[c][k++] = static_cast<std::int8_t>(board.cellUnits[c][1]);
        for (int u = 27; u < board.unitCount; ++u)
            if (HasCell(board.unit[u], c)) r.cellUnits[c][k++] = static_cast<std::int8_t>(u);
        r.cellUnitCount[c] = static_cast<std::int8_t>(k);
    }
    return r;
}

Position MakePosition(const advanced::Board& board) {
    Position p;
    for (int c = 0; c < kCells; ++c) {
        p.value[c] = board.value[c];
        p.mask[c] = board.value[c] != 0 ? 0 : board.mask[c];
        if (board.value[c] == 0) p.empty |= CellBit(c);
    }
    for (int d = 1; d <= 9; ++d) {
        Bits81 s = 0;
        ForEachCell(p.empty, [&](int c) {
            if (p.Has(c, d)) s |= CellBit(c);
        });
        p.places[d - 1] = s;
    }
    return p;
}

void Place(const Rules& rules, Position& pos, int cell, int digit) {
    const unsigned others = pos.mask[cell] & ~Bit(digit);
    for (int e = 1; e <= 9; ++e)
        if ((others >> (e - 1)) & 1) pos.Remove(cell, e);
    pos.Remove(cell, digit);
    pos.value[cell] = static_cast<std::int8_t>(digit);
    pos.empty &= ~CellBit(cell);
    ForEachCell(SameDigitPeers(rules, pos, cell, digit), [&](int c) { pos.Remove(c, digit); });
    if (!rules.HasBars(cell)) return;
    for (int k = 1; k <= 4; ++k) {
        if (rules.board->bars[cell][k] < 0) continue;
        const int n = cell + NeighbourOffsets[k];
        if (pos.value[n] != 0) continue;
        for (int e = 1; e <= 9; ++e)
            if (pos.Has(n, e) && rules.board->Sees(cell, digit, n, e)) pos.Remove(n, e);
    }
}

void ApplyScaleStep(const Rules& rules, Position& pos, const ScaleStep& step) {
    if (step.placeCell >= 0 && pos.value[step.placeCell] == 0)
        Place(rules, pos, step.placeCell, step.placeDigit);
    for (int i = 0; i < step.eliminationCount; ++i) {
        const auto& e = step.eliminations[i];
        if (pos.value[e.cell] == 0) pos.Remove(e.cell, e.digit);
    }
}

namespace {

ScaleStep Placement(int technique, int difficulty, int cell, int digit) {
    ScaleStep s;
    s.technique = technique;
    s.difficulty = difficulty;
    s.placeCell = cell;
    s.placeDigit = digit;
    return s;
}

// Calls f(indices) for every combination of k of the n items, in lexical order;
// stops when f returns true.
template <typename F> bool Combinations(int n, int k, F&& f) {
    if (k > n || k <= 0) return false;
    std::array<int, 9> idx{};
    for (int i = 0; i < k; ++i) idx[i] = i;
    while (true) {
        if (f(idx)) return true;
        int i = k - 1;
        while (i >= 0 && idx[i] == n - k + i) --i;
        if (i < 0) return false;
        ++idx[i];
        for (int j = i + 1; j < k; ++j) idx[j] = idx[j - 1] + 1;
    }
}

// The hidden single of one of `digits` that removing the step's eliminations
// leaves in some unit: true and the placement when there is one.
bool DirectSingle(const Rules& rules, const Position& pos, const ScaleStep& step, int& cell,
                  int& digit) {
    std::array<Bits81, 9> removed{};
    for (int i = 0; i < step.eliminationCount; ++i)
        removed[step.eliminations[i].digit - 1] |= CellBit(step.eliminations[i].cell);
    for (int k = 0; k < rules.unitCount; ++k) {
        const int u = rules.order[k];
        for (int d = 1; d <= 9; ++d) {
            if (removed[d - 1] == 0) continue;
            const Bits81 before = pos.Places(d) & rules.Unit(u);
            if ((before & removed[d - 1]) == 0) continue;
            const Bits81 after = before & ~removed[d - 1];
            if (CountCells(after) == 1) {
                cell = FirstCell(after);
                digit = d;
                return true;
            }
        }
    }
    return false;
}

} // namespace

bool FindFullHouse(const Rules& rules, const Position& pos, const Emit& emit) {
    for (int k = 0; k < rules.unitCount; ++k) {
        const int u = rules.order[k];
        const Bits81 open = pos.empty & rules.Unit(u);
        if (CountCells(open) != 1) continue;
        const int c = FirstCell(open);
        unsigned missing = 0x1ff;
        ForEachCell(rules.Unit(u) & ~open, [&](int x) { missing &= ~Bit(pos.value[x]); });
        if (Count(missing) != 1 || (pos.mask[c] & missing) == 0) continue;
        if (emit(Placement(kFullHouse, 10, c, FirstDigit(missing)))) return true;
    }
    return false;
}

bool FindHiddenSingles(const Rules& rules, const Position& pos, const Emit& emit) {
    for (int k = 0; k < rules.unitCount; ++k) {
        const int u = rules.order[k];
        const bool box = Rules::IsBox(u);
        for (int d = 1; d <= 9; ++d) {
            const Bits81 at = pos.Places(d) & rules.Unit(u);
            if (CountCells(at) != 1) continue;
            if (emit(Placement(box ? kHiddenSingleBox : kHiddenSingleLine, box ? 12 : 15,
                               FirstCell(at), d)))
                return true;
        }
    }
    return false;
}

bool FindNakedSingles(const Rules&, const Position& pos, const Emit& emit) {
    bool stop = false;
    ForEachCell(pos.empty, [&](int c) {
        if (!stop && Count(pos.mask[c]) == 1)
            stop = emit(Placement(kNakedSingle, 23, c, FirstDigit(pos.mask[c])));
    });
    return stop;
}

bool FindLocked(const Rules& rules, const Position& pos, bool pointing, bool direct,
                const Emit& emit) {
    for (int k = 0; k < rules.unitCount; ++k) {
        const int a = rules.order[k];
        if (Rules::IsBox(a) != pointing) continue;
        for (int d = 1; d <= 9; ++d) {
            const Bits81 at = pos.Places(d) & rules.Unit(a);
            if (CountCells(at) < 2) continue;
            for (int j = 0; j < rules.unitCount; ++j) {
                const int b = rules.order[j];
                if (b == a || Rules::IsBox(b) == pointing) continue;
                if ((at & ~rules.Unit(b)) != 0) continue;
                const Bits81 out = pos.Places(d) & rules.Unit(b) & ~rules.Unit(a);
                if (out == 0) continue;
                ScaleStep s;
                s.technique = pointing ? kPointing : kClaiming;
                s.difficulty = pointing ? 26 : 28;
                s.basisCells = rules.Unit(a);
                s.basisDigits = Bit(d);
                ForEachCell(out, [&](int c) { s.Eliminate(c, d); });
                if (direct) {
                    int cell = -1, digit = 0;
                    if (!DirectSingle(rules, pos, s, cell, digit)) continue;
                    s.technique = pointing ? kDirectPointing : kDirectClaiming;
                    s.difficulty = pointing ? 17 : 19;
                    s.placeCell = cell;
                    s.placeDigit = digit;
                }
                if (emit(s)) return true;
            }
        }
    }
    return false;
}

bool FindNakedSubset(const Rules& rules, const Position& pos, int size, const Emit& emit) {
    static constexpr std::array<int, 5> kTech = {0, 0, kNakedPair, kNakedTriple, kNakedQuadruple};
    static constexpr std::array<int, 5> kDiff = {0, 0, 30, 36, 50};
    for (int k = 0; k < rules.unitCount; ++k) {
        const int u = rules.order[k];
        std::array<int, 9> cells{};
        int n = 0;
        ForEachCell(pos.empty & rules.Unit(u), [&](int c) {
            const int m = Count(pos.mask[c]);
            if (m >= 2 && m <= size) cells[n++] = c;
        });
        if (n < size) continue;
        const bool stop = Combinations(n, size, [&](const std::array<int, 9>& idx) {
            unsigned all = 0;
            Bits81 set = 0;
            for (int i = 0; i < size; ++i) {
                all |= pos.mask[cells[idx[i]]];
                set |= CellBit(cells[idx[i]]);
            }
            if (Count(all) != size) return false;
            ScaleStep s;
            s.technique = kTech[size];
            s.difficulty = kDiff[size];
            s.basisCells = set;
            s.basisDigits = 0x1ff;
            for (int d = 1; d <= 9; ++d)
                if ((all >> (d - 1)) & 1) {
                    ForEachCell(pos.Places(d) & rules.Unit(u) & ~set,
                                [&](int c) { s.Eliminate(c, d); });
                }
            return s.eliminationCount > 0 && emit(s);
        });
        if (stop) return true;
    }
    return false;
}

bool FindHiddenSubset(const Rules& rules, const Position& pos, int size, bool direct,
                      const Emit& emit) {
    static constexpr std::array<int, 5> kTech = {0, 0, kHiddenPair, kHiddenTriple,
                                                 kHiddenQuadruple};
    static constexpr std::array<int, 5> kDiff = {0, 0, 34, 40, 54};
    for (int k = 0; k < rules.unitCount; ++k) {
        const int u = rules.order[k];
        std::array<int, 9> digits{};
        int n = 0;
        for (int d = 1; d <= 9; ++d) {
            const int m = CountCells(pos.Places(d) & rules.Unit(u));
            if (m >= 2 && m <= size) digits[n++] = d;
        }
        if (n < size) continue;
        const bool stop = Combinations(n, size, [&](const std::array<int, 9>& idx) {
            Bits81 cells = 0;
            unsigned set = 0;
            for (int i = 0; i < size; ++i) {
                cells |= pos.Places(digits[idx[i]]) & rules.Unit(u);
                set |= Bit(digits[idx[i]]);
            }
            if (CountCells(cells) != size) return false;
            ScaleStep s;
            s.technique = kTech[size];
            s.difficulty = kDiff[size];
            s.basisCells = rules.Unit(u);
            s.basisDigits = set;
            ForEachCell(cells, [&](int c) {
                const unsigned extra = pos.mask[c] & ~set;
                for (int d = 1; d <= 9; ++d)
                    if ((extra >> (d - 1)) & 1) s.Eliminate(c, d);
            });
            if (s.eliminationCount == 0) return false;
            if (direct) {
                int cell = -1, digit = 0;
                if (!DirectSingle(rules, pos, s, cell, digit)) return false;
                s.technique = size == 2 ? kDirectHiddenPair : kDirectHiddenTriple;
                s.difficulty = size == 2 ? 20 : 25;
                s.placeCell = cell;
                s.placeDigit = digit;
            }
            return emit(s);
        });
        if (stop) return true;
    }
    return false;
}

bool FindFish(const Rules& rules, const Position& pos, int size, const Emit& emit) {
    static constexpr std::array<int, 5> kTech = {0, 0, kXWing, kSwordfish, kJellyfish};
    static constexpr std::array<int, 5> kDiff = {0, 0, 32, 38, 52};
    for (int d = 1; d <= 9; ++d) {
        for (int orient = 0; orient < 2; ++orient) {
            const int baseFirst = orient == 0 ? 0 : 9;
            const int coverFirst = orient == 0 ? 9 : 0;
            std::array<int, 9> lines{};
            int n = 0;
            for (int i = 0; i < 9; ++i) {
                const int m = CountCells(pos.Places(d) & rules.Unit(baseFirst + i));
                if (m >= 2 && m <= size) lines[n++] = baseFirst + i;
            }
            if (n < size) continue;
            const bool stop = Combinations(n, size, [&](const std::array<int, 9>& idx) {
                Bits81 base = 0;
                for (int i = 0; i < size; ++i) base |= pos.Places(d) & rules.Unit(lines[idx[i]]);
                Bits81 cover = 0;
                int covers = 0;
                for (int i = 0; i < 9; ++i)
                    if ((base & rules.Unit(coverFirst + i)) != 0) {
                        cover |= rules.Unit(coverFirst + i);
                        ++covers;
                    }
                if (covers != size) return false;
                const Bits81 out = pos.Places(d) & cover & ~base;
                if (out == 0) return false;
                ScaleStep s;
                s.technique = kTech[size];
                s.difficulty = kDiff[size];
                for (int i = 0; i < size; ++i) s.basisCells |= rules.Unit(lines[idx[i]]);
                s.basisDigits = Bit(d);
                ForEachCell(out, [&](int c) { s.Eliminate(c, d); });
                return emit(s);
            });
            if (stop) return true;
        }
    }
    return false;
}

namespace {

// A strong link: the places of a digit in a unit fall into two nodes, each a
// cell or a group of cells of one box and one line.
struct StrongLink {
    Bits81 a = 0, b = 0;
    int unit = 0;
};

enum LinkKind { kRowLink = 1, kColumnLink = 2, kBoxLink = 4, kDiagonalLink = 8 };

int KindOf(int unit) {
    if (Rules::IsRow(unit)) return kRowLink;
    if (Rules::IsColumn(unit)) return kColumnLink;
    if (Rules::IsBox(unit)) return kBoxLink;
    return kDiagonalLink;
}

// True when the cells lie in one box and one row or column.
bool IsNode(Bits81 cells) {
    if (CountCells(cells) == 1) return true;
    const int f = FirstCell(cells);
    if ((cells & ~kBoxMask[CellUnits[f][2]]) != 0) return false;
    return (cells & ~kRowMask[f / 9]) == 0 || (cells & ~kColumnMask[f % 9]) == 0;
}

// Every cell of `to` sees every cell of `from` for one digit.
bool SeesAll(const Rules& rules, Bits81 from, Bits81 to) {
    bool all = (from & to) == 0;
    ForEachCell(to, [&](int c) {
        if ((from & ~rules.board->peers[c]) != 0) all = false;
    });
    return all;
}

} // namespace

bool FindStrongLinks(const Rules& rules, const Position& pos, int links, const Emit& emit) {
    const int base = links == 2 ? 40 : links == 3 ? 54 : 58;
    const int tech = links == 2   ? kTwoStrongLinks
                     : links == 3 ? kThreeStrongLinks
                                  : kFourStrongLinks;
    for (int d = 1; d <= 9; ++d) {
        std::array<StrongLink, 96> all{};
        int n = 0;
        const auto add = [&](Bits81 x, Bits81 y, int u) {
            if (x == 0 || y == 0 || !IsNode(x) || !IsNode(y) || n >= 96) return;
            for (int i = 0; i < n; ++i)
                if ((all[i].a == x && all[i].b == y) || (all[i].a == y && all[i].b == x)) return;
            all[n++] = {x, y, u};
        };
        for (int k = 0; k < rules.unitCount; ++k) {
            const int u = rules.order[k];
            const Bits81 at = pos.Places(d) & rules.Unit(u);
            const int m = CountCells(at);
            if (m < 2) continue;
            if (m == 2) {
                const int x = FirstCell(at);
                add(CellBit(x), at & ~CellBit(x), u);
                continue;
            }
            if (Rules::IsBox(u)) {
                for (int i = 0; i < 9; ++i) {
                    add(at & kRowMask[i], at & ~kRowMask[i], u);
                    add(at & kColumnMask[i], at & ~kColumnMask[i], u);
                }
            } else {
                for (int i = 0; i < 9; ++i) add(at & kBoxMask[i], at & ~kBoxMask[i], u);
            }
        }
        // Depth-first over oriented links: each link entered by one node and
        // left by the other; the next link starts in a node that sees the
        // previous end.
        std::array<int, 4> chainLink{};
        std::array<Bits81, 4> chainStart{};
        std::array<Bits81, 4> chainEnd{};
        bool stop = false;
        auto search = [&](auto&& self, int depth, Bits81 used) -> void {
            if (stop) return;
            if (depth == links) {
                const Bits81 first = chainStart[0];
                const Bits81 last = chainEnd[links - 1];
                if (FirstCell(first) > FirstCell(last)) return; // each chain once
                const Bits81 out = CommonPeers(rules, pos, first | last, d) & ~used;
                if (out == 0) return;
                int kinds = 0;
                bool grouped = false;
                for (int i = 0; i < links; ++i) {
                    kinds |= KindOf(all[chainLink[i]].unit);
                    grouped = grouped || CountCells(all[chainLink[i]].a) > 1 ||
                              CountCells(all[chainLink[i]].b) > 1;
                }
                const bool box = (kinds & kBoxLink) != 0;
                const bool mix = Count(kinds & (kRowLink | kColumnLink | kDiagonalLink)) > 1;
                ScaleStep s;
                s.technique = tech;
                s.difficulty = base + (grouped ? 3 : (box ? 1 : 0) + (mix ? 1 : 0));
                ForEachCell(out, [&](int c) { s.Eliminate(c, d); });
                stop = emit(s);
                return;
            }
            for (int i = 0; i < n && !stop; ++i) {
                for (int side = 0; side < 2; ++side) {
                    const Bits81 from = side == 0 ? all[i].a : all[i].b;
                    const Bits81 to = side == 0 ? all[i].b : all[i].a;
                    if (((from | to) & used) != 0) continue;
                    if (depth > 0 && !SeesAll(rules, chainEnd[depth - 1], from)) continue;
                    chainLink[depth] = i;
                    chainStart[depth] = from;
                    chainEnd[depth] = to;
                    self(self, depth + 1, used | from | to);
                }
            }
        };
        search(search, 0, 0);
        if (stop) return true;
    }
    return false;
}

bool FindWing(const Rules& rules, const Position& pos, int size, int largest, const Emit& emit) {
    std::array<int, 81> cand{};
    for (unsigned set = 0; set < 512; ++set) {
        if (Count(set) != size) continue;
        int n = 0;
        ForEachCell(pos.empty, [&](int c) {
            const unsigned m = pos.mask[c];
            if ((m & ~set) == 0 && Count(m) >= 2 && (largest == 0 || Count(m) <= largest))
                cand[n++] = c;
        });
        if (n < size) continue;
        std::array<int, 5> pick{};
        bool stop = false;
        auto search = [&](auto&& self, int depth, int from, unsigned all, int big) -> void {
            if (stop) return;
            if (depth == size) {
                if (all != set || (largest != 0 && big != largest)) return;
                int loose = 0;
                int z = 0;
                for (int d = 1; d <= 9 && loose < 2; ++d) {
                    if (((set >> (d - 1)) & 1) == 0) continue;
                    bool restricted = true;
                    for (int i = 0; i < size && restricted; ++i)
                        for (int j = i + 1; j < size && restricted; ++j)
                            if (pos.Has(pick[i], d) && pos.Has(pick[j], d) &&
                                !HasCell(rules.board->peers[pick[i]], pick[j]))
                                restricted = false;
                    if (!restricted) {
                        ++loose;
                        z = d;
                    }
                }
                if (loose != 1) return;
                Bits81 zCells = 0;
                Bits81 wing = 0;
                for (int i = 0; i < size; ++i) {
                    wing |= CellBit(pick[i]);
                    if (pos.Has(pick[i], z)) zCells |= CellBit(pick[i]);
                }
                const Bits81 out = CommonPeers(rules, pos, zCells, z) & ~wing;
                if (out == 0) return;
                ScaleStep s;
                if (size == 3) {
                    s.technique = big == 2 ? kXYWing : kXYZWing;
                    s.difficulty = big == 2 ? 42 : 44;
                } else if (size == 4) {
                    s.technique = kWXYZWing;
                    s.difficulty = 55 + (1 - std::abs(3 - big));
                } else {
                    s.technique = kVWXYZWing;
                    s.difficulty = 62 + (2 - std::abs(3 - big));
                }
                ForEachCell(out, [&](int c) { s.Eliminate(c, z); });
                s.basisCells = wing;
                s.basisDigits = set;
                stop = emit(s);
                return;
            }
            for (int i = from; i < n && !stop; ++i) {
                const int c = cand[i];
                if (depth > 0 && size == 3) {
                    // Three cells: each new cell shares a digit with, and sees, a cell
                    // before it.
                    bool linked = false;
                    for (int j = 0; j < depth && !linked; ++j)
                        linked = (pos.mask[pick[j]] & pos.mask[c]) != 0 &&
                                 HasCell(rules.board->peers[pick[j]], c);
                    if (!linked) continue;
                } else if (depth > 0 && !HasCell(rules.board->peers[pick[0]], c)) {
                    // Four and five cells: a pivot, first, that sees every other cell.
                    continue;
                }
                pick[depth] = c;
                const int m = Count(pos.mask[c]);
                // After the pivot, the other cells are taken from the start again.
                const int next = size > 3 && depth == 0 ? 0 : i + 1;
                self(self, depth + 1, next, all | pos.mask[c], m > big ? m : big);
            }
        };
        search(search, 0, 0, 0u, 0);
        if (stop) return true;
    }
    return false;
}

namespace {

// Type 3 of a deadly pattern: the extra digits `digits` of its `extra` cells,
// with the digits of one to three of the `n` cells `others` of unit u, form a
// naked set, whose digits go from the rest of the unit. Rated `base` plus 0.1
// for each digit of the set but one.
bool ExtraDigitsNakedSet(const Rules& rules, const Position& pos, int u,
                         const std::array<int, 9>& others, int n, unsigned digits, Bits81 extra,
                         const ScaleStep& s, int base, const Emit& emit) {
    for (int size = 1; size <= 3 && size <= n; ++size) {
        const bool stop = Combinations(n, size, [&](const std::array<int, 9>& idx) {
            unsigned all = digits;
            Bits81 set = 0;
            for (int i = 0; i < size; ++i) {
                all |= pos.mask[others[idx[i]]];
                set |= CellBit(others[idx[i]]);
            }
            if (Count(all) != size + 1) return false;
            ScaleStep s3 = s;
            s3.difficulty = base + Count(all) - 1;
            ForEachCell(pos.empty & rules.Unit(u) & ~extra & ~set, [&](int c) {
                const unsigned hit = pos.mask[c] & all;
                for (int d = 1; d <= 9; ++d)
                    if ((hit >> (d - 1)) & 1) s3.Eliminate(c, d);
            });
            return s3.eliminationCount > 0 && emit(s3);
        });
        if (stop) return true;
    }
    return false;
}

// The steps of a deadly pattern: `cells` (a rectangle or a loop) all hold a
// and b, and would swap them if nothing else were in them, so one of the cells
// with more digits ("extra" cells) takes another. `base` is the difficulty of
// types 1, 2 and 4; type 3 adds 0.1 for each digit of its naked set but one.
bool DeadlyPatternSteps(const Rules& rules, const Position& pos, Bits81 cells, int a, int b,
                        int base, const Emit& emit) {
    const unsigned ab = Bit(a) | Bit(b);
    Bits81 extra = 0;
    ForEachCell(cells, [&](int c) {
        if (pos.mask[c] != ab) extra |= CellBit(c);
    });
    const int extras = CountCells(extra);
    if (extras == 0) return false;
    ScaleStep s;
    s.technique = kUniqueRectangle;
    s.difficulty = base;
    if (extras == 1) { // type 1
        const int x = FirstCell(extra);
        s.Eliminate(x, a);
        s.Eliminate(x, b);
        return emit(s);
    }
    // Type 2: one extra digit, the same in every extra cell.
    unsigned ex = 0;
    bool single = true;
    ForEachCell(extra, [&](int c) {
        const unsigned e = pos.mask[c] & ~ab;
        if (Count(e) != 1 || (ex != 0 && e != ex)) single = false;
        ex |= e;
    });
    if (single) {
        const int z = FirstDigit(ex);
        const Bits81 out = CommonPeers(rules, pos, extra, z) & ~cells;
        if (out != 0) {
            ForEachCell(out, [&](int c) { s.Eliminate(c, z); });
            if (emit(s)) return true;
        }
    }
    if (extras != 2) return false;
    // Two extra cells that share a unit: type 4, then type 3.
    const int x = FirstCell(extra);
    const int y = FirstCell(extra & ~CellBit(x));
    const unsigned extraDigits = (pos.mask[x] | pos.mask[y]) & ~ab;
    for (int k = 0; k < rules.unitCount; ++k) {
        const int u = rules.order[k];
        if ((rules.Unit(u) & extra) != extra) continue;
        for (int t = 0; t < 2; ++t) {
            const int lock = t == 0 ? a : b;
            const int other = t == 0 ? b : a;
            if ((pos.Places(lock) & rules.Unit(u) & ~extra) != 0) continue;
            ScaleStep s4 = s;
            s4.Eliminate(x, other);
            s4.Eliminate(y, other);
            if (emit(s4)) return true;
        }
        std::array<int, 9> others{};
        int n = 0;
        ForEachCell(pos.empty & rules.Unit(u) & ~cells, [&](int c) {
            if (Count(pos.mask[c]) >= 2) others[n++] = c;
        });
        if (ExtraDigitsNakedSet(rules, pos, u, others, n, extraDigits, extra, s, base, emit))
            return true;
    }
    return false;
}

// Unique loops: six cells or more holding a and b, each sharing a unit with
// the next, such that every row, column and box holding one of them holds
// exactly two, one of each colour of the loop. Filled with a and b only, the
// two digits could be swapped along the loop. 4.5, + 0.1 for six cells, + 0.2
// for eight, + 0.5 for ten or more.
bool FindUniqueLoops(const Rules& rules, const Position& pos, const Emit& emit) {
    for (int a = 1; a <= 9; ++a)
        for (int b = a + 1; b <= 9; ++b) {
            // Every cell of a loop has another in its row, its column and its box.
            Bits81 cand = pos.Places(a) & pos.Places(b);
            for (bool changed = true; changed;) {
                changed = false;
                ForEachCell(cand, [&](int c) {
                    for (int k = 0; k < 3; ++k)
                        if (CountCells(cand & rules.Unit(rules.cellUnits[c][k])) < 2) {
                            cand &= ~CellBit(c);
                            changed = true;
                            return;
                        }
                });
            }
            if (CountCells(cand) < 6) continue;
            std::array<std::int8_t, 27> count{};
            std::array<std::int8_t, 27> colour{};
            std::array<int, 18> path{};
            Bits81 used = 0;
            bool stop = false;
            // The paths grown for one pair of digits are few but for a
            // pair spread over most of the grid; they stop after this many.
            int budget = 300;
            const auto enter = [&](int c, int depth) {
                used |= CellBit(c);
                path[depth] = c;
                for (int k = 0; k < 3; ++k) {
                    const int u = rules.cellUnits[c][k];
                    if (count[u]++ == 0) colour[u] = static_cast<std::int8_t>(depth & 1);
                }
            };
            const auto leave = [&](int c) {
                used &= ~CellBit(c);
                for (int k = 0; k < 3; ++k) --count[rules.cellUnits[c][k]];
            };
            auto grow = [&](auto&& self, int depth, Bits81 allowed) -> void {
                if (stop || --budget < 0) return;
                // Closed when every unit reached holds two cells.
                bool closed = true;
                for (int i = 0; i < depth && closed; ++i)
                    for (int k = 0; k < 3 && closed; ++k)
                        if (count[rules.cellUnits[path[i]][k]] != 2) closed = false;
                if (closed) {
                    if (depth < 6) return;
                    Bits81 cells = 0;
                    for (int i = 0; i < depth; ++i) cells |= CellBit(path[i]);
                    const int added = depth == 6 ? 1 : depth == 8 ? 2 : 5;
                    stop = DeadlyPatternSteps(rules, pos, cells, a, b, 45 + added, emit);
                    return;
                }
                if (depth >= 18) return;
                const int last = path[depth - 1];
                const int colourNext = depth & 1;
                for (int k = 0; k < 3 && !stop; ++k) {
                    const int link = rules.cellUnits[last][k];
                    if (count[link] != 1) continue;
                    ForEachCell(allowed & rules.Unit(link) & ~used, [&](int next) {
                        if (stop) return;
                        for (int j = 0; j < 3; ++j) {
                            const int v = rules.cellUnits[next][j];
                            if (count[v] >= 2 || (count[v] == 1 && colour[v] == colourNext)) return;
                        }
                        enter(next, depth);
                        self(self, depth + 1, allowed);
                        leave(next);
                    });
                }
            };
            ForEachCell(cand, [&](int start) {
                if (stop) return;
                // The loop's lowest cell starts it.
                const Bits81 allowed = cand & ~(CellBit(start) - 1);
                enter(start, 0);
                grow(grow, 1, allowed);
                leave(start);
            });
            if (stop) return true;
        }
    return false;
}

} // namespace

bool FindUniqueRectangles(const Rules& rules, const Position& pos, const Emit& emit) {
    if (!rules.uniqueness) return false;
    for (int r1 = 0; r1 < 9; ++r1)
        for (int r2 = r1 + 1; r2 < 9; ++r2)
            for (int c1 = 0; c1 < 9; ++c1)
                for (int c2 = c1 + 1; c2 < 9; ++c2) {
                    // Two boxes exactly.
                    const bool sameBand = r1 / 3 == r2 / 3;
                    const bool sameStack = c1 / 3 == c2 / 3;
                    if (sameBand == sameStack) continue;
                    const std::array<int, 4> q = {r1 * 9 + c1, r1 * 9 + c2, r2 * 9 + c2,
                                                  r2 * 9 + c1};
                    unsigned common = 0x1ff;
                    bool open = true;
                    for (int c : q) {
                        if (pos.value[c] != 0) open = false;
                        common &= pos.mask[c];
                    }
                    if (!open || Count(common) < 2) continue;
                    for (int a = 1; a <= 9; ++a)
                        for (int b = a + 1; b <= 9; ++b) {
                            const unsigned ab = Bit(a) | Bit(b);
                            if ((common & ab) != ab) continue;
                            std::array<int, 4> roof{};
                            int nr = 0;
                            for (int c : q)
                                if (pos.mask[c] != ab) roof[nr++] = c;
                            ScaleStep s;
                            s.technique = kUniqueRectangle;
                            s.difficulty = 45;
                            if (nr == 1) { // type 1
                                s.Eliminate(roof[0], a);
                                s.Eliminate(roof[0], b);
                                if (emit(s)) return true;
                                continue;
                            }
                            if (nr != 2) continue;
                            const int x = roof[0], y = roof[1];
                            const unsigned ex = pos.mask[x] & ~ab, ey = pos.mask[y] & ~ab;
                            // Type 2: one extra digit, the same in both.
                            if (ex == ey && Count(ex) == 1) {
                                const int z = FirstDigit(ex);
                                const Bits81 out =
                                    CommonPeers(rules, pos, CellBit(x) | CellBit(y), z);
                                if (out != 0) {
                                    ForEachCell(out, [&](int c) { s.Eliminate(c, z); });
                                    if (emit(s)) return true;
                                    continue;
                                }
                            }
                            // The roof shares a unit: type 4, then type 3.
                            for (int k = 0; k < rules.unitCount; ++k) {
                                const int u = rules.order[k];
                                const Bits81 both = CellBit(x) | CellBit(y);
                                if ((rules.Unit(u) & both) != both) continue;
                                for (int t = 0; t < 2; ++t) {
                                    const int lock = t == 0 ? a : b;
                                    const int other = t == 0 ? b : a;
                                    if ((pos.Places(lock) & rules.Unit(u) & ~both) != 0) continue;
                                    ScaleStep s4 = s;
                                    s4.Eliminate(x, other);
                                    s4.Eliminate(y, other);
                                    if (emit(s4)) return true;
                                }
                                const unsigned extra = ex | ey;
                                std::array<int, 9> cells{};
                                int n = 0;
                                ForEachCell(pos.empty & rules.Unit(u) & ~both, [&](int c) {
                                    if (Count(pos.mask[c]) >= 2) cells[n++] = c;
                                });
                                for (int size = 1; size <= 3 && size <= n; ++size) {
                                    const bool stop =
                                        Combinations(n, size, [&](const std::array<int, 9>& idx) {
                                            unsigned all = extra;
                                            Bits81 set = 0;
                                            for (int i = 0; i < size; ++i) {
                                                all |= pos.mask[cells[idx[i]]];
                                                set |= CellBit(cells[idx[i]]);
                                            }
                                            if (Count(all) != size + 1) return false;
                                            ScaleStep s3 = s;
                                            s3.difficulty = 45 + Count(all) - 1;
                                            ForEachCell(pos.empty & rules.Unit(u) & ~both & ~set,
                                                        [&](int c) {
                                                            const unsigned hit = pos.mask[c] & all;
                                                            for (int d = 1; d <= 9; ++d)
                                                                if ((hit >> (d - 1)) & 1)
                                                                    s3.Eliminate(c, d);
                                                        });
                                            return s3.eliminationCount > 0 && emit(s3);
                                        });
                                    if (stop) return true;
                                }
                            }
                        }
                }
    return FindUniqueLoops(rules, pos, emit);
}

bool FindBug(const Rules& rules, const Position& pos, const Emit& emit) {
    if (!rules.uniqueness) return false;
    // Every cell but the extra ones holds two candidates.
    Bits81 extraCells = 0;
    bool ok = true;
    ForEachCell(pos.empty, [&](int c) {
        const int m = Count(pos.mask[c]);
        if (m < 2) ok = false;
        if (m > 2) extraCells |= CellBit(c);
    });
    if (!ok || extraCells == 0 || CountCells(extraCells) > 6) return false;
    // The extra digits: all but two of each extra cell, such that once they
    // are out every unit holds each digit twice or not at all. One of them is
    // true, or the grid left would have two solutions or none.
    std::array<int, 81> cells{};
    int n = 0;
    ForEachCell(extraCells, [&](int c) { cells[n++] = c; });
    std::array<unsigned, 81> extra{};
    std::array<Bits81, 9> places = pos.places;
    bool found = false;
    auto assign = [&](auto&& self, int i) -> void {
        if (i == n) {
            for (int u = 0; u < 27; ++u)
                for (int d = 1; d <= 9; ++d) {
                    const int m = CountCells(places[d - 1] & rules.Unit(u));
                    if (m != 0 && m != 2) return;
                }
            found = true;
            return;
        }
        const int c = cells[i];
        const unsigned m = pos.mask[c];
        for (int p = 1; p <= 9 && !found; ++p)
            for (int q = p + 1; q <= 9 && !found; ++q) {
                const unsigned keep = Bit(p) | Bit(q);
                if ((m & keep) != keep) continue;
                extra[i] = m & ~keep;
                for (int d = 1; d <= 9; ++d)
                    if ((extra[i] >> (d - 1)) & 1) places[d - 1] &= ~CellBit(c);
                self(self, i + 1);
                if (found) return;
                for (int d = 1; d <= 9; ++d)
                    if ((extra[i] >> (d - 1)) & 1) places[d - 1] |= CellBit(c);
            }
    };
    assign(assign, 0);
    if (!found) return false;
    ScaleStep s;
    s.technique = kBug;
    if (n == 1) { // type 1: the extra digit is true
        const int c = cells[0];
        s.difficulty = 56;
        for (int d = 1; d <= 9; ++d)
            if (pos.Has(c, d) && ((extra[0] >> (d - 1)) & 1) == 0) s.Eliminate(c, d);
        return emit(s);
    }
    unsigned digits = 0;
    bool single = true;
    for (int i = 0; i < n; ++i) {
        if (Count(extra[i]) != 1 || (digits != 0 && extra[i] != digits)) single = false;
        digits |= extra[i];
    }
    if (single) { // type 2: one extra digit everywhere
        const int z = FirstDigit(digits);
        const Bits81 out = CommonPeers(rules, pos, extraCells, z);
        if (out != 0) {
            ScaleStep s2 = s;
            s2.difficulty = 57;
            ForEachCell(out, [&](int c) { s2.Eliminate(c, z); });
            if (emit(s2)) return true;
        }
    }
    for (int k = 0; k < rules.unitCount; ++k) {
        const int u = rules.order[k];
        if (u >= 27 || (rules.Unit(u) & extraCells) != extraCells) continue;
        // Type 4: two extra cells of one unit share a digit d besides their
        // extra ones; d's two places in the unit are theirs, so one cell is d
        // and the other its extra digit, and their third digits go.
        if (n == 2 && Count(pos.mask[cells[0]]) == 3 && Count(pos.mask[cells[1]]) == 3) {
            const unsigned rest0 = pos.mask[cells[0]] & ~extra[0];
            const unsigned rest1 = pos.mask[cells[1]] & ~extra[1];
            for (int d = 1; d <= 9; ++d) {
                if (((rest0 & rest1) >> (d - 1) & 1) == 0) continue;
                if ((places[d - 1] & rules.Unit(u)) != extraCells) continue;
                ScaleStep s4 = s;
                s4.difficulty = 57;
                s4.Eliminate(cells[0], FirstDigit(rest0 & ~Bit(d)));
                s4.Eliminate(cells[1], FirstDigit(rest1 & ~Bit(d)));
                if (emit(s4)) return true;
            }
        }
        // Type 3: the extra digits with the digits of other cells of the unit
        // form a naked set, whose digits go from the rest of the unit.
        std::array<int, 9> others{};
        int m = 0;
        ForEachCell(pos.empty & rules.Unit(u) & ~extraCells, [&](int c) { others[m++] = c; });
        if (ExtraDigitsNakedSet(rules, pos, u, others, m, digits, extraCells, s, 57, emit))
            return true;
    }
    return false;
}

bool FindAlignedExclusion(const Rules& rules, const Position& pos, int size, const Emit& emit) {
    // Two (three) cells that share a box or a line; a combination of their
    // digits is impossible when two of them clash or when together they take
    // every candidate of a cell that sees all of them. A digit of a cell that
    // takes part in no possible combination goes.
    std::array<int, 81> cells{};
    int n = 0;
    ForEachCell(pos.empty, [&](int c) {
        if (Count(pos.mask[c]) >= 2) cells[n++] = c;
    });
    const auto sees = [&](int a, int b) { return HasCell(rules.board->peers[a], b); };
    std::array<int, 3> pick{};
    bool stop = false;
    auto test = [&]() {
        // Cells that see all picked cells, with few candidates: without one,
        // only clashes exclude, which the subsets have already found.
        std::array<unsigned, 81> walls{};
        int nw = 0;
        Bits81 common = pos.empty;
        unsigned digits = 0;
        for (int i = 0; i < size; ++i) {
            common &= rules.board->peers[pick[i]];
            digits |= pos.mask[pick[i]];
        }
        // A wall the picked cells can take whole.
        ForEachCell(common, [&](int c) {
            if (Count(pos.mask[c]) <= size && (pos.mask[c] & ~digits) == 0)
                walls[nw++] = pos.mask[c];
        });
        if (nw == 0) return;
        bool barred = false;
        for (int i = 0; i < size; ++i) barred = barred || rules.HasBars(pick[i]);
        std::array<unsigned, 3> allowed{};
        std::array<int, 3> v{};
        // Done once every digit of every cell takes part in a combination.
        const auto full = [&] {
            for (int j = 0; j < size; ++j)
                if (allowed[j] != pos.mask[pick[j]]) return false;
            return true;
        };
        auto rec = [&](auto&& self, int i) -> void {
            if (i < size && full()) return;
            if (i == size) {
                unsigned taken = 0;
                for (int j = 0; j < size; ++j) taken |= Bit(v[j]);
                for (int w = 0; w < nw; ++w)
                    if ((walls[w] & ~taken) == 0) return;
                for (int j = 0; j < size; ++j) allowed[j] |= Bit(v[j]);
                return;
            }
            for (int d = 1; d <= 9; ++d) {
                if (!pos.Has(pick[i], d)) continue;
                bool clash = false;
                for (int j = 0; j < i && !clash; ++j)
                    clash = barred ? rules.board->Sees(pick[j], v[j], pick[i], d)
                                   : v[j] == d && sees(pick[j], pick[i]);
                if (clash) continue;
                v[i] = d;
                self(self, i + 1);
            }
        };
        rec(rec, 0);
        ScaleStep s;
        s.technique = size == 2 ? kAlignedPairExclusion : kAlignedTripleExclusion;
        s.difficulty = size == 2 ? 62 : 75;
        for (int i = 0; i < size; ++i)
            for (int d = 1; d <= 9; ++d)
                if (pos.Has(pick[i], d) && ((allowed[i] >> (d - 1)) & 1) == 0)
                    s.Eliminate(pick[i], d);
        if (s.eliminationCount > 0) stop = emit(s);
    };
    // The cells that may be walls.
    Bits81 small = 0;
    ForEachCell(pos.empty, [&](int c) {
        if (Count(pos.mask[c]) <= size) small |= CellBit(c);
    });
    for (int i = 0; i < n && !stop; ++i)
        for (int j = i + 1; j < n && !stop; ++j) {
            // Aligned: the cells share a box or a line.
            if (!sees(cells[i], cells[j]) && size == 2) continue;
            const Bits81 walls =
                small & rules.board->peers[cells[i]] & rules.board->peers[cells[j]];
            if (walls == 0) continue;
            pick[0] = cells[i];
            pick[1] = cells[j];
            if (size == 2) {
                test();
                continue;
            }
            for (int k = j + 1; k < n && !stop; ++k) {
                const int a = cells[i], b = cells[j], c = cells[k];
                if ((walls & rules.board->peers[c]) == 0) continue;
                // Every wall must fit in the digits of the three cells.
                const unsigned digits = pos.mask[a] | pos.mask[b] | pos.mask[c];
                bool fits = false;
                ForEachCell(walls & rules.board->peers[c],
                            [&](int w) { fits = fits || (pos.mask[w] & ~digits) == 0; });
                if (!fits) continue;
                // Three cells within one band or stack, two of them aligned.
                if (!(sees(a, b) || sees(a, c) || sees(b, c))) continue;
                if (!(a / 27 == b / 27 && b / 27 == c / 27) &&
                    !(a % 9 / 3 == b % 9 / 3 && b % 9 / 3 == c % 9 / 3))
                    continue;
                pick[2] = c;
                test();
            }
        }
    return stop;
}

int LengthIncrement(int complexity) {
    int added = 0;
    int ceil = 4;
    int length = complexity - 2;
    bool odd = false;
    while (length > ceil) {
        ++added;
        ceil = odd ? ceil * 4 / 3 : ceil * 3 / 2;
        odd = !odd;
    }
    return added;
}

} // namespace vemo::scale
