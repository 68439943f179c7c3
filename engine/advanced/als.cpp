// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Almost locked sets and Sue de Coq.
//
// An almost locked set (ALS) is N cells of one unit (a row, a column, a box,
// an X-Sudoku diagonal) holding N + 1 digits between them: take one digit away
// and the others are all placed in it. Two sets are linked by a restricted
// common digit x when every cell of one holding x sees every cell of the
// other holding x: x is then in at most one of them. The sight between cells
// is Board::Sees for one digit, so the variants' rules take part as well.
#include "chains.h"

#include "ids.h"
#include "links.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace vemo::advanced {

namespace {

inline constexpr int kMaxAls = 1024;
inline constexpr int kMaxAlsSize = 4;
inline constexpr int kMaxLinks = 48;

struct Als {
    Bits81 cells = 0;
    unsigned digits = 0;
    int unit = 0;
    CandidateSet with{};    // [d - 1]: its cells holding d
    CandidateSet seenAll{}; // [d - 1]: the cells outside it that see all of with[d - 1]
    Bits81 reach = 0;       // the union of seenAll: no set outside it shares a restricted digit
};

struct AlsLink {
    std::int16_t other;
    std::int8_t digit;
};

using SetBits = std::array<std::uint64_t, kMaxAls / 64>; // bit i for set i

struct AlsTable {
    Board board; // the position the table was worked out on
    bool filled = false;
    int count = 0;
    std::array<Als, kMaxAls> sets;
    std::array<std::array<AlsLink, kMaxLinks>, kMaxAls> links;
    std::array<std::uint8_t, kMaxAls> linkCount{};
    // [c]: bit i for each set i holding cell c (the words of `count` sets).
    std::array<SetBits, 81> holding;
};

int PopCount(unsigned v) {
    return std::popcount(v);
}

// The sets holding some cell of `cells`.
SetBits SetsHolding(const AlsTable& t, Bits81 cells) {
    const int words = (t.count + 63) / 64;
    SetBits out{};
    ForEachCell(cells, [&](int c) {
        for (int w = 0; w < words; ++w) out[w] |= t.holding[c][w];
    });
    return out;
}

// Every ALS of the board, smallest first, then by unit and by cells; a set of
// cells found in two units is kept once. Then the restricted common digits of
// every pair of disjoint sets.
AlsTable& BuildAls(const Board& b) {
    AlsTable& t = ThreadTable<AlsTable>();
    if (t.filled && SameBoard(t.board, b)) return t;
    t.board = b;
    t.filled = true;
    t.count = 0;
    for (int size = 1; size <= kMaxAlsSize; ++size) {
        for (int u = 0; u < b.unitCount; ++u) {
            std::array<int, 9> cells{};
            int n = 0;
            ForEachCell(b.unit[u], [&](int c) {
                if (b.mask[c] != 0) cells[n++] = c;
            });
            if (n < size) continue;
            // The picks of `size` cells in ascending order (the next number
            // with as many bits each time).
            for (unsigned pick = (1u << size) - 1; pick < (1u << n);) {
                unsigned digits = 0;
                Bits81 set = 0;
                for (unsigned bits = pick; bits != 0; bits &= bits - 1) {
                    const int c = cells[static_cast<std::size_t>(std::countr_zero(bits))];
                    digits |= b.mask[c];
                    set |= CellBit(c);
                }
                const unsigned low = pick & (0u - pick);
                const unsigned ripple = pick + low;
                pick = ripple | (((pick ^ ripple) >> 2) / low);
                if (PopCount(digits) != size + 1) continue;
                // A set inside an earlier unit was found there.
                bool known = false;
                for (int v = 0; v < u && !known; ++v) known = (b.unit[v] & set) == set;
                if (known || t.count >= kMaxAls) continue;
                Als& a = t.sets[t.count++];
                a.cells = set;
                a.digits = digits;
                a.unit = u;
                a.reach = 0;
                for (int d = 1; d <= 9; ++d) {
                    a.with[d - 1] = set & b.places[d - 1];
                    a.seenAll[d - 1] =
                        a.with[d - 1] != 0 ? b.CommonPeers(a.with[d - 1], d) & ~set : Bits81{0};
                    a.reach |= a.seenAll[d - 1];
                }
            }
        }
    }
    for (int i = 0; i < t.count; ++i) t.linkCount[i] = 0;
    const int words = (t.count + 63) / 64;
    for (auto& cell : t.holding) std::fill(cell.begin(), cell.begin() + words, 0);
    for (int i = 0; i < t.count; ++i)
        ForEachCell(t.sets[i].cells,
                    [&](int c) { t.holding[c][i >> 6] |= std::uint64_t{1} << (i & 63); });
    for (int i = 0; i < t.count; ++i) {
        const Als& a = t.sets[i];
        // The later sets with a cell in its reach and none of its cells, in order.
        const SetBits near = SetsHolding(t, a.reach);
        const SetBits overlap = SetsHolding(t, a.cells);
        for (int w = (i + 1) >> 6; w < words; ++w) {
            std::uint64_t later = near[w] & ~overlap[w];
            if (w == (i + 1) >> 6) later &= ~std::uint64_t{0} << ((i + 1) & 63);
            for (; later != 0; later &= later - 1) {
                const int j = w * 64 + std::countr_zero(later);
                const Als& c = t.sets[j];
                unsigned common = a.digits & c.digits;
                while (common != 0) {
                    const int d = std::countr_zero(common) + 1;
                    common &= common - 1;
                    if ((c.with[d - 1] & ~a.seenAll[d - 1]) != 0) continue;
                    if (t.linkCount[i] < kMaxLinks)
                        t.links[i][t.linkCount[i]++] = {static_cast<std::int16_t>(j),
                                                        static_cast<std::int8_t>(d)};
                    if (t.linkCount[j] < kMaxLinks)
                        t.links[j][t.linkCount[j]++] = {static_cast<std::int16_t>(i),
                                                        static_cast<std::int8_t>(d)};
                }
            }
        }
    }
    return t;
}

// The candidates of digit z that see every z of the given sets.
Bits81 Victims(const Board& b, const AlsTable& t, const int* sets, int count, int z) {
    Bits81 out = b.places[z - 1];
    for (int i = 0; i < count; ++i) {
        const Als& a = t.sets[sets[i]];
        if ((a.digits >> (z - 1) & 1) == 0) return 0;
        out &= a.seenAll[z - 1];
    }
    return out;
}

void AddSet(const Als& a, AdvancedStep& step) {
    ForEachCell(a.cells, [&](int c) { step.AddCell(c); });
    step.AddUnit(a.unit);
}

// The chain of sets as nodes: for each link, the digit's cells on either side.
void RecordSetChain(const AlsTable& t, const int* sets, const int* digits, int count,
                    AdvancedStep& step) {
    for (int i = 0; i + 1 < count && step.nodeCount + 2 <= kMaxChainNodes; ++i) {
        const int x = digits[i];
        ChainNode& from = step.nodes[step.nodeCount];
        from.cells = t.sets[sets[i]].with[x - 1];
        from.digit = static_cast<std::int8_t>(x);
        step.links[step.nodeCount++] = Link::kWeak;
        ChainNode& to = step.nodes[step.nodeCount];
        to.cells = t.sets[sets[i + 1]].with[x - 1];
        to.digit = static_cast<std::int8_t>(x);
        step.links[step.nodeCount++] = Link::kStrong;
    }
}

bool Record(const Board& b, const AlsTable& t, int technique, const int* sets, int count,
            const int* linkDigits, int links, int z, Bits81 victims, AdvancedStep& step) {
    step = AdvancedStep{};
    step.technique = technique;
    ForEachCell(victims, [&](int c) { step.Eliminate(c, z); });
    for (int i = 0; i < count; ++i) AddSet(t.sets[sets[i]], step);
    step.digits = 1u << (z - 1);
    for (int i = 0; i < links; ++i) step.digits |= 1u << (linkDigits[i] - 1);
    RecordSetChain(t, sets, linkDigits, links + 1, step);
    (void)b;
    return true;
}

} // namespace

bool FindAlsXZ(const Board& board, AdvancedStep& step) {
    const AlsTable& t = BuildAls(board);
    for (int i = 0; i < t.count; ++i)
        for (int k = 0; k < t.linkCount[i]; ++k) {
            const int j = t.links[i][k].other;
            const int x = t.links[i][k].digit;
            if (j < i) continue;
            const int sets[2] = {i, j};
            unsigned common = t.sets[i].digits & t.sets[j].digits & ~(1u << (x - 1));
            while (common != 0) {
                const int z = std::countr_zero(common) + 1;
                common &= common - 1;
                const Bits81 victims = Victims(board, t, sets, 2, z);
                if (victims == 0) continue;
                const int digits[1] = {x};
                return Record(board, t, kAlsXZ, sets, 2, digits, 1, z, victims, step);
            }
        }
    return false;
}

bool FindAlsXYWing(const Board& board, AdvancedStep& step) {
    const AlsTable& t = BuildAls(board);
    for (int pivot = 0; pivot < t.count; ++pivot)
        for (int k = 0; k < t.linkCount[pivot]; ++k)
            for (int l = k + 1; l < t.linkCount[pivot]; ++l) {
                const AlsLink first = t.links[pivot][k];
                const AlsLink second = t.links[pivot][l];
                if (first.digit == second.digit || first.other == second.other) continue;
                const Als& a = t.sets[first.other];
                const Als& c = t.sets[second.other];
                if ((a.cells & c.cells) != 0) continue;
                unsigned common =
                    a.digits & c.digits & ~(1u << (first.digit - 1)) & ~(1u << (second.digit - 1));
                const int sets[3] = {first.other, pivot, second.other};
                while (common != 0) {
                    const int z = std::countr_zero(common) + 1;
                    common &= common - 1;
                    const int ends[2] = {first.other, second.other};
                    const Bits81 victims = Victims(board, t, ends, 2, z);
                    if (victims == 0) continue;
                    const int digits[2] = {first.digit, second.digit};
                    return Record(board, t, kAlsXYWing, sets, 3, digits, 2, z, victims, step);
                }
            }
    return false;
}

// Chains of four sets or more, A1 -x1- A2 -x2- ... An, each link's digit
// different from the one before: if z is not in A1, A1 holds x1, A2 does not,
// so A2 holds x2, ... and An holds z. So z is in A1 or An when z differs from
// x1 and from the last link. Breadth first over (set, digit it was entered
// by), the shortest chain first.
bool FindAlsChain(const Board& board, AdvancedStep& step) {
    const AlsTable& t = BuildAls(board);
    constexpr int kMaxSets = 6;
    // An entry is (set, the digit it was entered by, links from the start):
    // a set reached by a short path may still be needed at the end of a
    // longer one that the short path's cells would block.
    constexpr int kEntries = kMaxAls * 9 * kMaxSets;
    struct Entries {
        std::array<std::int32_t, kEntries * 3> data;
        std::array<Bits81, kEntries> used;       // the cells of the path to an entry
        std::array<std::int8_t, kEntries> first; // the digit of the path's first link
        std::int32_t searches = 0;               // the searches made with the table
    };
    Entries& entries = ThreadTable<Entries>();
    std::int32_t* parent = entries.data.data();
    std::int32_t* queue = parent + kEntries;
    // The search that last reached an entry: each search from a start takes a
    // new number, so the marks never need clearing (but when the count would
    // run out).
    std::int32_t* mark = queue + kEntries;
    if (entries.searches > std::numeric_limits<std::int32_t>::max() - kMaxAls) {
        for (int e = 0; e < kEntries; ++e) mark[e] = 0;
        entries.searches = 0;
    }
    const auto entry = [](int set, int digit, int links) {
        return (set * 9 + digit - 1) * kMaxSets + links;
    };
    int bestLength = kMaxSets + 1;
    std::array<int, kMaxSets> bestSets{};
    std::array<int, kMaxSets> bestDigits{};
    int bestZ = 0;
    Bits81 bestVictims = 0;
    for (int start = 0; start < t.count; ++start) {
        const std::int32_t search = ++entries.searches;
        int head = 0;
        int tail = 0;
        for (int k = 0; k < t.linkCount[start]; ++k) {
            const AlsLink l = t.links[start][k];
            const int e = entry(l.other, l.digit, 1);
            if (mark[e] == search) continue;
            mark[e] = search;
            parent[e] = -1;
            entries.used[e] = t.sets[start].cells | t.sets[l.other].cells;
            entries.first[e] = l.digit;
            queue[tail++] = e;
        }
        while (head < tail) {
            const int e = queue[head++];
            const int links = e % kMaxSets;
            const int set = e / kMaxSets / 9;
            const int entered = e / kMaxSets % 9 + 1;
            const int sets = links + 1;
            if (sets >= bestLength) break;
            const Bits81 used = entries.used[e];
            if (sets >= 4) {
                const Als& a = t.sets[start];
                const Als& end = t.sets[set];
                unsigned common = a.digits & end.digits & ~(1u << (entries.first[e] - 1)) &
                                  ~(1u << (entered - 1));
                while (common != 0) {
                    const int z = std::countr_zero(common) + 1;
                    common &= common - 1;
                    const int ends[2] = {start, set};
                    const Bits81 victims = Victims(board, t, ends, 2, z);
                    if (victims == 0) continue;
                    // The sets and digits of the path, from the start.
                    for (int at = e; at >= 0; at = parent[at]) {
                        const int i = at % kMaxSets;
                        bestSets[i] = at / kMaxSets / 9;
                        bestDigits[i - 1] = at / kMaxSets % 9 + 1;
                    }
                    bestSets[0] = start;
                    bestLength = sets;
                    bestZ = z;
                    bestVictims = victims;
                    break;
                }
                if (bestLength == sets) break;
            }
            if (sets + 1 >= bestLength || sets >= kMaxSets) continue;
            for (int k = 0; k < t.linkCount[set]; ++k) {
                const AlsLink l = t.links[set][k];
                if (l.digit == entered || (t.sets[l.other].cells & used) != 0) continue;
                const int next = entry(l.other, l.digit, links + 1);
                if (mark[next] == search) continue;
                mark[next] = search;
                parent[next] = e;
                entries.used[next] = used | t.sets[l.other].cells;
                entries.first[next] = entries.first[e];
                queue[tail++] = next;
            }
        }
    }
    if (bestZ == 0) return false;
    return Record(board, t, kAlsChain, bestSets.data(), bestLength, bestDigits.data(),
                  bestLength - 1, bestZ, bestVictims, step);
}

// A stem cell whose every candidate d has a petal: an ALS holding d in cells
// that all see the stem. Whatever the stem holds, its petal loses that digit
// and holds all its others; a digit z of every petal (and not of the stem) is
// then in one of them.
bool FindDeathBlossom(const Board& board, AdvancedStep& step) {
    const AlsTable& t = BuildAls(board);
    constexpr int kMaxPetals = 24;
    for (int stem = 0; stem < kCells; ++stem) {
        const unsigned digits = board.mask[stem];
        const int k = PopCount(digits);
        if (k < 2 || k > 3) continue;
        std::array<std::array<int, kMaxPetals>, 3> petals{};
        std::array<int, 3> petalCount{};
        std::array<int, 3> stemDigits{};
        int n = 0;
        for (int d = 1; d <= 9; ++d) {
            if ((digits >> (d - 1) & 1) == 0) continue;
            stemDigits[n] = d;
            const Bits81 seen = board.RuledOut(stem, d, d);
            // A petal has a cell where the stem sees its d: only the sets
            // holding such a cell are looked at, in order.
            const int words = (t.count + 63) / 64;
            const SetBits near = SetsHolding(t, seen);
            for (int w = 0; w < words && petalCount[n] < kMaxPetals; ++w)
                for (std::uint64_t bits = near[w]; bits != 0 && petalCount[n] < kMaxPetals;
                     bits &= bits - 1) {
                    const int i = w * 64 + std::countr_zero(bits);
                    const Als& a = t.sets[i];
                    if (HasCell(a.cells, stem) || a.with[d - 1] == 0) continue;
                    if ((a.with[d - 1] & ~seen) != 0) continue;
                    petals[n][petalCount[n]++] = i;
                }
            if (petalCount[n] == 0) break;
            ++n;
        }
        if (n < k) continue;
        std::array<int, 3> pick{};
        const auto tryPick = [&](int sets) -> bool {
            unsigned common = 0x1FF & ~digits;
            Bits81 used = 0;
            for (int i = 0; i < sets; ++i) {
                const Als& a = t.sets[pick[i]];
                if ((a.cells & used) != 0) return false;
                used |= a.cells;
                common &= a.digits;
            }
            while (common != 0) {
                const int z = std::countr_zero(common) + 1;
                common &= common - 1;
                Bits81 victims = Victims(board, t, pick.data(), sets, z) & ~CellBit(stem);
                if (victims == 0) continue;
                step = AdvancedStep{};
                step.technique = kDeathBlossom;
                ForEachCell(victims, [&](int c) { step.Eliminate(c, z); });
                step.AddCell(stem);
                for (int i = 0; i < sets; ++i) {
                    AddSet(t.sets[pick[i]], step);
                    ChainNode& from = step.nodes[step.nodeCount];
                    from.cells = CellBit(stem);
                    from.digit = static_cast<std::int8_t>(stemDigits[i]);
                    step.links[step.nodeCount++] = Link::kWeak;
                    ChainNode& to = step.nodes[step.nodeCount];
                    to.cells = t.sets[pick[i]].with[stemDigits[i] - 1];
                    to.digit = static_cast<std::int8_t>(stemDigits[i]);
                    step.links[step.nodeCount++] = Link::kWeak;
                }
                step.digits = digits | 1u << (z - 1);
                return true;
            }
            return false;
        };
        for (int a = 0; a < petalCount[0]; ++a)
            for (int b = 0; b < petalCount[1]; ++b) {
                pick[0] = petals[0][a];
                pick[1] = petals[1][b];
                if (k == 2) {
                    if (tryPick(2)) return true;
                    continue;
                }
                for (int c = 0; c < petalCount[2]; ++c) {
                    pick[2] = petals[2][c];
                    if (tryPick(3)) return true;
                }
            }
    }
    return false;
}

// Sue de Coq: cells C of the crossing of a box and a line, cells L of the
// line outside the box and cells B of the box outside the line, with no digit
// both in L and in B and as many digits between them all as cells. No digit
// can then be twice among them (C and L share the line, C and B the box, L and
// B share no digit), so each of those digits is there once: those not in B
// are in the line part, those not in L in the box part.
namespace {

// The digits and the cells of the cells picked (bit i for cells[i]).
unsigned PickedDigits(const Board& b, const int* cells, int count, unsigned pick, Bits81& set) {
    unsigned digits = 0;
    set = 0;
    for (int i = 0; i < count; ++i)
        if ((pick >> i & 1) != 0) {
            digits |= b.mask[cells[i]];
            set |= CellBit(cells[i]);
        }
    return digits;
}

} // namespace

bool FindSueDeCoq(const Board& board, AdvancedStep& step) {
    const Board& b = board;
    const int lines = b.unitCount == 29 ? 20 : 18;
    // The digits and cells of every pick of the line and box cells, each
    // worked out from the pick without its lowest cell (pick 0: none).
    std::array<unsigned, 512> lineDigits;
    std::array<Bits81, 512> lineSets;
    std::array<unsigned, 512> boxDigits;
    std::array<Bits81, 512> boxSets;
    lineDigits[0] = boxDigits[0] = 0;
    lineSets[0] = boxSets[0] = 0;
    for (int k = 0; k < lines; ++k) {
        const int line = k < 18 ? k : 27 + (k - 18);
        for (int box = 18; box < 27; ++box) {
            const Bits81 cross = b.unit[line] & b.unit[box];
            std::array<int, 3> crossCells{};
            int nc = 0;
            ForEachCell(cross, [&](int c) {
                if (b.mask[c] != 0 && nc < 3) crossCells[nc++] = c;
            });
            if (nc < 2) continue;
            std::array<int, 9> lineCells{};
            std::array<int, 9> boxCells{};
            int nl = 0;
            int nb = 0;
            // A cell of the line or box part holds at most four digits: more
            // would leave too few for the others.
            const auto few = [&](int c) {
                return b.mask[c] != 0 && std::popcount(static_cast<unsigned>(b.mask[c])) <= 4;
            };
            ForEachCell(b.unit[line] & ~cross, [&](int c) {
                if (few(c)) lineCells[nl++] = c;
            });
            ForEachCell(b.unit[box] & ~cross, [&](int c) {
                if (few(c)) boxCells[nb++] = c;
            });
            const auto fill = [&](const std::array<int, 9>& cells, int n,
                                  std::array<unsigned, 512>& digits,
                                  std::array<Bits81, 512>& sets) {
                for (unsigned pick = 1; pick < (1u << n); ++pick) {
                    const int c = cells[static_cast<std::size_t>(std::countr_zero(pick))];
                    digits[pick] = digits[pick & (pick - 1)] | b.mask[c];
                    sets[pick] = sets[pick & (pick - 1)] | CellBit(c);
                }
            };
            fill(lineCells, nl, lineDigits, lineSets);
            fill(boxCells, nb, boxDigits, boxSets);
            for (unsigned pc = 1; pc < (1u << nc); ++pc) {
                if (PopCount(pc) < 2) continue;
                Bits81 cset = 0;
                const unsigned v = PickedDigits(b, crossCells.data(), nc, pc, cset);
                const int sizeC = PopCount(pc);
                if (PopCount(v) < sizeC + 2) continue;
                for (unsigned pl = 1; pl < (1u << nl); ++pl) {
                    const int sizeL = PopCount(pl);
                    if (sizeL > 3) continue;
                    const Bits81 lset = lineSets[pl];
                    const unsigned vl = lineDigits[pl];
                    if (PopCount(v | vl) > sizeC + sizeL + 3) continue;
                    for (unsigned pb = 1; pb < (1u << nb); ++pb) {
                        const int sizeB = PopCount(pb);
                        if (sizeB > 3) continue;
                        const Bits81 bset = boxSets[pb];
                        const unsigned vb = boxDigits[pb];
                        if ((vl & vb) != 0) continue;
                        const unsigned all = v | vl | vb;
                        if (PopCount(all) != sizeC + sizeL + sizeB) continue;
                        const unsigned fromLine = all & ~vb;
                        const unsigned fromBox = all & ~vl;
                        const Bits81 lineRest = b.unit[line] & ~cset & ~lset;
                        const Bits81 boxRest = b.unit[box] & ~cset & ~bset;
                        AdvancedStep found;
                        found.technique = kSueDeCoq;
                        for (int d = 1; d <= 9; ++d) {
                            Bits81 gone = 0;
                            if ((fromLine >> (d - 1) & 1) != 0) gone |= lineRest;
                            if ((fromBox >> (d - 1) & 1) != 0) gone |= boxRest;
                            ForEachCell(gone & b.places[d - 1],
                                        [&](int c) { found.Eliminate(c, d); });
                        }
                        if (found.eliminationCount == 0) continue;
                        ForEachCell(cset | lset | bset, [&](int c) { found.AddCell(c); });
                        found.AddUnit(line);
                        found.AddUnit(box);
                        found.digits = all;
                        step = found;
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

} // namespace vemo::advanced
