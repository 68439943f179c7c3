// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Forcing chains and forcing nets, the last resort of the catalogue.
//
// A forcing chain follows the implications of the link graph from one
// assumption: a cell forcing chain takes every candidate of a cell in turn,
// a unit forcing chain every place of a digit in a unit, and whatever all the
// branches imply is true; a contradiction forcing chain finds an assumption
// that implies a node and its negation, or takes every candidate out of a
// cell or every place of a digit out of a unit, so the assumption is false.
//
// A forcing net propagates an assumption with the singles, naked and hidden,
// so that a placement may rest on several earlier ones. Its first level tries
// contradictions and then cells and units as above; when that finds nothing,
// the second level propagates with the first level inside: within an
// assumption, every candidate whose own assumption leads to a contradiction
// goes before the singles are looked at again.
#include "chains.h"

#include "ids.h"
#include "links.h"

#include <algorithm>
#include <memory>

namespace vemo::advanced {

namespace {

// ---- Records ---------------------------------------------------------------

// Appends one branch (a path of literals) to the step, keeping room for the
// branches still to come.
void AddBranch(AdvancedStep& step, const std::int16_t* path, int count, int branchesLeft,
               const LinkGraph* graph) {
    if (step.branchCount >= kMaxBranches) return;
    const int room = kMaxChainNodes - step.nodeCount - 2 * branchesLeft;
    step.branchStart[step.branchCount] = static_cast<std::uint8_t>(step.nodeCount);
    const auto put = [&](int literal) {
        if (step.nodeCount >= kMaxChainNodes) return;
        ChainNode& n = step.nodes[step.nodeCount];
        const int node = literal >> 1;
        n.cells = graph != nullptr ? graph->Cells(node) : CellBit(node / 9);
        n.digit = static_cast<std::int8_t>(graph != nullptr ? graph->Digit(node) : node % 9 + 1);
        n.on = static_cast<std::int8_t>(literal & 1);
        step.links[step.nodeCount] = (literal & 1) == 0 ? Link::kStrong : Link::kWeak;
        ++step.nodeCount;
        step.digits |= 1u << (n.digit - 1);
    };
    if (count <= room) {
        for (int i = 0; i < count; ++i) put(path[i]);
    } else if (count > 0) {
        put(path[0]);
        if (count > 1) put(path[count - 1]);
    }
    ++step.branchCount;
    step.branchStart[step.branchCount] = static_cast<std::uint8_t>(step.nodeCount);
}

void Conclude(AdvancedStep& step, int technique, int literal) {
    step.technique = technique;
    const int cell = (literal >> 1) / 9;
    const int digit = (literal >> 1) % 9 + 1;
    if ((literal & 1) != 0) {
        step.placeCell = cell;
        step.placeDigit = digit;
    } else {
        step.Eliminate(cell, digit);
    }
    step.AddCell(cell);
}

// ---- Forcing chains --------------------------------------------------------

constexpr int kLiteralWords = (2 * kCandidateNodes + 63) / 64;
using LiteralSet = std::array<std::uint64_t, kLiteralWords>;

// What each assumption on(candidate) implies through the link graph.
struct ChainTable {
    Board board; // the position the table was worked out on
    bool filled = false;
    LinkGraph graph;
    ImplicationSearch search;
    std::array<LiteralSet, kCandidateNodes> reached;
    std::array<CandidateSet, kCandidateNodes> on;  // the candidates it makes true
    std::array<CandidateSet, kCandidateNodes> off; // and those it makes false
};

ChainTable& Chains(const Board& board) {
    ChainTable& table = ThreadTable<ChainTable>();
    if (table.filled && SameBoard(table.board, board)) return table;
    table.board = board;
    table.filled = true;
    table.graph.Build(table.board, LinkOptions{});
    for (int node = 0; node < kCandidateNodes; ++node) {
        LiteralSet& set = table.reached[node];
        set.fill(0);
        table.on[node].fill(0);
        table.off[node].fill(0);
        if (!table.graph.Present(node)) continue;
        // The "off" literals that lead nowhere are not followed; the search
        // still tells them.
        table.search.Start(node * 2 + 1, true);
        int literal = 0;
        while ((literal = table.search.Next(table.graph, kMaxChainNodes - 1)) >= 0) {
            if ((literal & 1) == 0) continue;
            set[literal >> 6] |= std::uint64_t{1} << (literal & 63);
            const int n = literal >> 1;
            table.on[node][n % 9] |= CellBit(n / 9);
        }
        table.off[node] = table.search.OffReached();
        for (int d = 1; d <= 9; ++d)
            ForEachCell(table.off[node][d - 1], [&](int c) {
                const int off = CandidateNode(c, d) * 2;
                set[off >> 6] |= std::uint64_t{1} << (off & 63);
            });
    }
    return table;
}

// The depth at which the search from `premise` reaches `literal`, and its path.
int PathFrom(ChainTable& t, int premise, int literal, std::array<std::int16_t, 64>& path) {
    t.search.Start(premise);
    int at = 0;
    while ((at = t.search.Next(t.graph, kMaxChainNodes - 1)) >= 0)
        if (at == literal) return t.search.PathTo(literal, path.data(), kMaxChainNodes);
    return 0;
}

// A set of premises (the candidates of a cell or the places of a digit in a
// unit) all implying one literal: the cheapest such literal, by the longest
// branch, then the lowest literal.
struct Forcing {
    int literal = -1;
    int cost = 0;
};

using DepthTable = std::array<std::int16_t, 2 * kCandidateNodes>;

// The depth of every literal that on(premise) reaches, -1 elsewhere.
void DepthsFrom(ChainTable& t, int premise, DepthTable& depth) {
    depth.fill(-1);
    t.search.Start(premise * 2 + 1);
    int literal = 0;
    while ((literal = t.search.Next(t.graph, kMaxChainNodes - 1)) >= 0)
        depth[literal] = static_cast<std::int16_t>(t.search.Depth(literal));
}

Forcing CommonConclusion(ChainTable& t, const Board& board, const int* premises, int count) {
    LiteralSet common = t.reached[premises[0]];
    bool any = false;
    for (int w = 0; w < kLiteralWords; ++w) {
        for (int i = 1; i < count; ++i) common[w] &= t.reached[premises[i]][w];
        any = any || common[w] != 0;
    }
    Forcing best;
    if (!any) return best;
    struct Depths {};
    auto& depths = ThreadTable<std::array<DepthTable, 9>, Depths>();
    for (int i = 0; i < count; ++i) DepthsFrom(t, premises[i], depths[i]);
    for (int w = 0; w < kLiteralWords; ++w) {
        std::uint64_t bits = common[w];
        while (bits != 0) {
            const int literal = w * 64 + std::countr_zero(bits);
            bits &= bits - 1;
            const int node = literal >> 1;
            if (!HasCell(board.places[node % 9], node / 9)) continue;
            int cost = 0;
            for (int i = 0; i < count; ++i) cost = std::max<int>(cost, depths[i][literal]);
            if (best.literal < 0 || cost < best.cost) best = {literal, cost};
        }
    }
    return best;
}

void RecordForcing(ChainTable& t, const int* premises, int count, int literal, int technique,
                   AdvancedStep& step) {
    step = AdvancedStep{};
    for (int i = 0; i < count; ++i) {
        std::array<std::int16_t, 64> path{};
        const int n = PathFrom(t, premises[i] * 2 + 1, literal, path);
        AddBranch(step, path.data(), n, count - 1 - i, &t.graph);
    }
    Conclude(step, technique, literal);
}

int CellPremises(const Board& board, int cell, int* out) {
    int n = 0;
    for (int d = 1; d <= 9; ++d)
        if ((board.mask[cell] >> (d - 1) & 1) != 0) out[n++] = CandidateNode(cell, d);
    return n;
}

int UnitPremises(const Board& board, int unit, int digit, int* out) {
    int n = 0;
    ForEachCell(board.places[digit - 1] & board.unit[unit],
                [&](int c) { out[n++] = CandidateNode(c, digit); });
    return n;
}

} // namespace

bool FindCellForcingChain(const Board& board, AdvancedStep& step) {
    ChainTable& t = Chains(board);
    Forcing best;
    int bestCell = -1;
    for (int c = 0; c < kCells; ++c) {
        std::array<int, 9> premises{};
        const int n = CellPremises(board, c, premises.data());
        if (n < 2) continue;
        const Forcing f = CommonConclusion(t, board, premises.data(), n);
        if (f.literal >= 0 && (bestCell < 0 || f.cost < best.cost)) {
            best = f;
            bestCell = c;
        }
    }
    if (bestCell < 0) return false;
    std::array<int, 9> premises{};
    const int n = CellPremises(board, bestCell, premises.data());
    RecordForcing(t, premises.data(), n, best.literal, kCellForcingChain, step);
    return true;
}

bool FindUnitForcingChain(const Board& board, AdvancedStep& step) {
    ChainTable& t = Chains(board);
    Forcing best;
    int bestUnit = -1;
    int bestDigit = 0;
    for (int u = 0; u < board.unitCount; ++u)
        for (int d = 1; d <= 9; ++d) {
            std::array<int, 9> premises{};
            const int n = UnitPremises(board, u, d, premises.data());
            if (n < 2) continue;
            const Forcing f = CommonConclusion(t, board, premises.data(), n);
            if (f.literal >= 0 && (bestUnit < 0 || f.cost < best.cost)) {
                best = f;
                bestUnit = u;
                bestDigit = d;
            }
        }
    if (bestUnit < 0) return false;
    std::array<int, 9> premises{};
    const int n = UnitPremises(board, bestUnit, bestDigit, premises.data());
    RecordForcing(t, premises.data(), n, best.literal, kUnitForcingChain, step);
    step.AddUnit(bestUnit);
    return true;
}

namespace {

// How on(premise) contradicts itself, from a finished search: the literals
// that make up the contradiction (a node and its negation, every candidate of
// a cell off, or every place of a digit in a unit off) and its cost, the
// longest of their branches. False when there is none.
struct Contradiction {
    std::array<std::int16_t, 9> literals{};
    int count = 0;
    int cost = 0;
    int unit = -1;
};

// Whether an assumption that implies `on` and `off` contradicts itself.
bool MayContradict(const Board& b, const CandidateSet& on, const CandidateSet& off) {
    Bits81 alive = 0;
    Bits81 open = 0;
    for (int d = 0; d < 9; ++d) {
        if ((on[d] & off[d]) != 0) return true;
        alive |= b.places[d] & ~off[d];
        open |= b.places[d];
    }
    if ((open & ~alive) != 0) return true;
    for (int u = 0; u < b.unitCount; ++u)
        for (int d = 0; d < 9; ++d) {
            const Bits81 cells = b.places[d] & b.unit[u];
            if (cells != 0 && (cells & ~off[d]) == 0) return true;
        }
    return false;
}

template <typename Reached, typename Depth>
bool FindContradiction(const Reached& reached, const Depth& depthOf, const Board& board,
                       Contradiction& out) {
    bool found = false;
    const auto consider = [&](const int* literals, int count, int unit) {
        int cost = 0;
        for (int i = 0; i < count; ++i) cost = std::max(cost, depthOf(literals[i]));
        if (found && cost >= out.cost) return;
        found = true;
        out.count = count;
        out.cost = cost;
        out.unit = unit;
        for (int i = 0; i < count; ++i) out.literals[i] = static_cast<std::int16_t>(literals[i]);
    };
    for (int node = 0; node < kCandidateNodes; ++node)
        if (reached(node * 2) && reached(node * 2 + 1)) {
            const int pair[2] = {node * 2 + 1, node * 2};
            consider(pair, 2, -1);
        }
    for (int c = 0; c < kCells; ++c) {
        if (board.mask[c] == 0) continue;
        std::array<int, 9> literals{};
        int n = 0;
        bool all = true;
        for (int d = 1; d <= 9 && all; ++d) {
            if ((board.mask[c] >> (d - 1) & 1) == 0) continue;
            all = reached(CandidateNode(c, d) * 2);
            literals[n++] = CandidateNode(c, d) * 2;
        }
        if (all) consider(literals.data(), n, -1);
    }
    for (int u = 0; u < board.unitCount; ++u)
        for (int d = 1; d <= 9; ++d) {
            const Bits81 cells = board.places[d - 1] & board.unit[u];
            if (cells == 0) continue;
            std::array<int, 9> literals{};
            int n = 0;
            bool all = true;
            ForEachCell(cells, [&](int c) {
                all = all && reached(CandidateNode(c, d) * 2);
                literals[n++] = CandidateNode(c, d) * 2;
            });
            if (all) consider(literals.data(), n, u);
        }
    return found;
}

} // namespace

bool FindContradictionForcingChain(const Board& board, AdvancedStep& step) {
    ChainTable& t = Chains(board);
    int bestPremise = -1;
    Contradiction best;
    for (int node = 0; node < kCandidateNodes; ++node) {
        if (!t.graph.Present(node)) continue;
        if (!MayContradict(board, t.on[node], t.off[node])) continue;
        Contradiction c;
        // Its cost, from a search with depths.
        t.search.Start(node * 2 + 1);
        while (t.search.Next(t.graph, kMaxChainNodes - 1) >= 0) {}
        const auto reached = [&](int literal) { return t.search.Reached(literal); };
        const auto depth = [&](int literal) { return t.search.Depth(literal); };
        if (!FindContradiction(reached, depth, board, c)) continue;
        if (bestPremise < 0 || c.cost < best.cost) {
            best = c;
            bestPremise = node;
        }
    }
    if (bestPremise < 0) return false;
    step = AdvancedStep{};
    t.search.Start(bestPremise * 2 + 1);
    while (t.search.Next(t.graph, kMaxChainNodes - 1) >= 0) {}
    for (int i = 0; i < best.count; ++i) {
        std::array<std::int16_t, 64> path{};
        const int n = t.search.PathTo(best.literals[i], path.data(), kMaxChainNodes);
        AddBranch(step, path.data(), n, best.count - 1 - i, &t.graph);
    }
    Conclude(step, kContradictionForcingChain, bestPremise * 2);
    if (best.unit >= 0) step.AddUnit(best.unit);
    return true;
}

// ---- Forcing nets ----------------------------------------------------------

namespace {

constexpr std::int16_t kNoSource = -1;
constexpr std::int16_t kNested = -2; // removed by a nested contradiction

// One assumption's propagation: the candidates left, the digits placed and,
// for the record, where each placement and removal came from.
struct Net {
    bool record = true; // keep where each placement and removal came from
    bool bars = false;  // the board has bar rules: placements go through RuledOut
    const std::array<std::uint32_t, 81>* unitsOf = nullptr; // the units of each cell
    std::array<std::uint32_t, 9> dirty{}; // per digit, the units where it lost a place
    // Per digit, the units whose places or placements changed since the
    // hidden singles last looked at them (or, at the start, that the board
    // leaves with one place or none). Elsewhere a look finds more than one
    // place or the digit placed, and changes nothing: among the dirty units
    // only these are looked at, in the same order.
    std::array<std::uint32_t, 9> fresh{};
    std::uint32_t allUnits = 0;
    CandidateSet places{};
    CandidateSet placed{};
    Bits81 open = 0;
    int placements = 0;
    std::array<std::int16_t, 81> placedNode{};             // candidate node of each placement
    std::array<std::int16_t, 81> placedVia{};              // the candidate whose removal forced it
    std::array<std::int16_t, kCandidateNodes> removedBy{}; // placement index
    std::array<std::int16_t, kCandidateNodes> removedAt{}; // order of removal
    int removals = 0;
    bool contradiction = false;
    // The contradiction: a cell left empty, a unit left without a digit, or a
    // placement of a candidate already gone.
    int deadCell = -1;
    int deadUnit = -1;
    int deadDigit = 0;
    int clashNode = -1;
    int clashVia = -1;
};

// The digits placed on the board and its empty cells.
struct NetStart {
    CandidateSet placed{};
    Bits81 open = 0;
    std::array<std::uint32_t, 81> unitsOf{}; // bit u for each unit of the cell
    // Per digit, the units where the board itself leaves one place or none for
    // it without holding it: the only ones the hidden singles must look at
    // before the first placement changes anything. Everywhere else the look
    // finds nothing, and a unit comes back to be looked at only once it loses
    // a place (Singles).
    std::array<std::uint32_t, 9> live{};
};

NetStart StartOf(const Board& b) {
    NetStart s;
    for (int c = 0; c < kCells; ++c) {
        if (b.value[c] != 0)
            s.placed[b.value[c] - 1] |= CellBit(c);
        else
            s.open |= CellBit(c);
        for (int u = 0; u < b.unitCount; ++u)
            if (HasCell(b.unit[u], c)) s.unitsOf[c] |= 1u << u;
    }
    for (int d = 0; d < 9; ++d)
        for (int u = 0; u < b.unitCount; ++u) {
            const Bits81 cells = b.places[d] & b.unit[u];
            if ((s.placed[d] & b.unit[u]) == 0 && (cells & (cells - 1)) == 0) s.live[d] |= 1u << u;
        }
    return s;
}

void StartNet(const Board& b, const NetStart& start, Net& net, bool record) {
    net.record = record;
    net.bars = b.variant == 1 || b.variant == 2;
    net.places = b.places;
    net.placed = start.placed;
    net.open = start.open;
    net.unitsOf = &start.unitsOf;
    net.allUnits = (1u << b.unitCount) - 1;
    net.dirty.fill(net.allUnits);
    net.fresh = start.live;
    net.placements = 0;
    net.removals = 0;
    net.contradiction = false;
    net.deadCell = net.deadUnit = net.clashNode = net.clashVia = -1;
    net.deadDigit = 0;
}

// The units that hold some of the cells.
std::uint32_t UnitsOfCells(const Net& net, Bits81 cells) {
    std::uint32_t units = 0;
    ForEachCell(cells, [&](int c) { units |= (*net.unitsOf)[c]; });
    return units;
}

void Remove(Net& net, int digit, Bits81 cells, int source) {
    cells &= net.places[digit - 1];
    if (cells == 0) return;
    net.places[digit - 1] &= ~cells;
    net.dirty[digit - 1] = net.allUnits;
    net.fresh[digit - 1] |= UnitsOfCells(net, cells);
    if (!net.record) return;
    ForEachCell(cells, [&](int c) {
        const int node = CandidateNode(c, digit);
        net.removedBy[node] = static_cast<std::int16_t>(source);
        net.removedAt[node] = static_cast<std::int16_t>(net.removals++);
    });
}

// Places digit in cell; false on a contradiction.
bool Place(const Board& b, Net& net, int cell, int digit, int via) {
    if (!HasCell(net.open, cell)) {
        if (HasCell(net.placed[digit - 1], cell)) return true; // found twice
        net.contradiction = true;
        net.clashNode = CandidateNode(cell, digit);
        net.clashVia = via;
        return false;
    }
    if (!HasCell(net.places[digit - 1], cell)) {
        net.contradiction = true;
        net.clashNode = CandidateNode(cell, digit);
        net.clashVia = via;
        return false;
    }
    const int index = net.placements++;
    net.placedNode[index] = static_cast<std::int16_t>(CandidateNode(cell, digit));
    net.placedVia[index] = static_cast<std::int16_t>(via);
    net.open &= ~CellBit(cell);
    net.placed[digit - 1] |= CellBit(cell);
    net.places[digit - 1] &= ~CellBit(cell);
    if (net.bars || net.record) {
        for (int e = 1; e <= 9; ++e) Remove(net, e, b.RuledOut(cell, digit, e), index);
    } else {
        // Without bars a digit rules out its cell and its own digit in the peers.
        const Bits81 bit = CellBit(cell);
        const std::uint32_t units = (*net.unitsOf)[cell];
        for (int e = 0; e < 9; ++e)
            if ((net.places[e] & bit) != 0) {
                net.places[e] &= ~bit;
                net.dirty[e] |= units;
                net.fresh[e] |= units;
            }
        const Bits81 gone = net.places[digit - 1] & b.peers[cell];
        if (gone != 0) {
            net.places[digit - 1] &= ~gone;
            net.dirty[digit - 1] = net.allUnits;
            // The units of the peers that lost it, but for the cell's own,
            // which now hold the digit.
            net.fresh[digit - 1] |= UnitsOfCells(net, gone) & ~units;
        }
    }
    return true;
}

// The last removed candidate among `cells` for `digit` (or among the
// candidates of one cell when digit is 0).
int LastRemoved(const Net& net, const Board& b, Bits81 cells, int digit, int keep) {
    if (!net.record) return -1;
    int best = -1;
    int at = -1;
    const auto look = [&](int node) {
        if (node == keep || net.removedBy[node] == kNoSource) return;
        if (HasCell(net.places[node % 9], node / 9)) return;
        if (net.removedAt[node] > at) {
            at = net.removedAt[node];
            best = node;
        }
    };
    if (digit != 0) {
        ForEachCell(cells & b.places[digit - 1], [&](int c) { look(CandidateNode(c, digit)); });
    } else {
        const int c = FirstCell(cells);
        for (int d = 1; d <= 9; ++d)
            if ((b.mask[c] >> (d - 1) & 1) != 0) look(CandidateNode(c, d));
    }
    return best;
}

// The singles until none is left; false on a contradiction.
bool Singles(const Board& b, Net& net) {
    while (true) {
        Bits81 one = 0;
        Bits81 two = 0;
        for (int d = 0; d < 9; ++d) {
            two |= one & net.places[d];
            one |= net.places[d];
        }
        const Bits81 dead = net.open & ~one;
        if (dead != 0) {
            net.contradiction = true;
            net.deadCell = FirstCell(dead);
            return false;
        }
        const Bits81 naked = net.open & one & ~two;
        bool any = false;
        bool ok = true;
        ForEachCell(naked, [&](int c) {
            if (!ok) return;
            int digit = 0;
            for (int d = 1; d <= 9; ++d)
                if (HasCell(net.places[d - 1], c)) digit = d;
            if (digit == 0) { // emptied by a placement of this round
                any = true;
                return;
            }
            const int via = LastRemoved(net, b, CellBit(c), 0, CandidateNode(c, digit));
            ok = Place(b, net, c, digit, via);
            any = true;
        });
        if (!ok) return false;
        // Only the units where a digit lost a place since the last look.
        for (int d = 1; d <= 9 && ok; ++d) {
            std::uint32_t units = net.dirty[d - 1];
            net.dirty[d - 1] = 0;
            std::uint32_t look = 0;
            while (ok && (look = units & net.fresh[d - 1]) != 0) {
                const int u = std::countr_zero(look);
                units &= ~((2u << u) - 1); // the dirty units up to u are done
                net.fresh[d - 1] &= ~(1u << u);
                if ((net.placed[d - 1] & b.unit[u]) != 0) continue;
                const Bits81 cells = net.places[d - 1] & b.unit[u];
                if (cells == 0) {
                    net.contradiction = true;
                    net.deadUnit = u;
                    net.deadDigit = d;
                    return false;
                }
                if ((cells & (cells - 1)) != 0) continue;
                const int c = FirstCell(cells);
                const int via = LastRemoved(net, b, b.unit[u], d, CandidateNode(c, d));
                ok = Place(b, net, c, d, via);
                any = true;
            }
        }
        if (!ok) return false;
        if (!any) return true;
    }
}

bool Propagate(const Board& b, Net& net, int level);

// The state of a net without its record, for a trial inside it.
void CopyState(const Net& from, Net& to) {
    to.record = false;
    to.bars = from.bars;
    to.places = from.places;
    to.placed = from.placed;
    to.open = from.open;
    to.unitsOf = from.unitsOf;
    to.dirty = from.dirty;
    to.fresh = from.fresh;
    to.allUnits = from.allUnits;
    to.placements = 0;
    to.removals = 0;
    to.contradiction = false;
    to.deadCell = to.deadUnit = to.clashNode = to.clashVia = -1;
    to.deadDigit = 0;
}

// Within a propagation of the given level, every candidate whose assumption
// contradicts itself one level down goes; then the singles again.
// The trials that the nested levels of one search may still make: a wide open
// position would take seconds to go through, and a finder that runs out
// finds nothing.
struct NestedBudget {
    long long left = 0;
};
constexpr long long kNestedTrials = 150'000;

bool Nested(const Board& b, Net& net, int level) {
    auto& inner = ThreadTable<std::array<Net, 4>>();
    long long& left = ThreadTable<NestedBudget>().left;
    bool changed = true;
    while (changed) {
        changed = false;
        for (int c = 0; c < kCells; ++c) {
            if (!HasCell(net.open, c)) continue;
            for (int d = 1; d <= 9; ++d) {
                if (!HasCell(net.places[d - 1], c) || !HasCell(net.open, c)) continue;
                if (left <= 0) return true; // out of trials: no contradiction found
                --left;
                Net& trial = inner[level];
                CopyState(net, trial);
                if (!Place(b, trial, c, d, kNoSource) || !Propagate(b, trial, level - 1)) {
                    Remove(net, d, CellBit(c), kNested);
                    if (!Singles(b, net)) return false;
                    changed = true;
                }
            }
        }
    }
    return true;
}

bool Propagate(const Board& b, Net& net, int level) {
    if (!Singles(b, net)) return false;
    if (level > 0) return Nested(b, net, level);
    return true;
}

// The path of a net from its premise to one literal, through the placements
// and the removals that forced them, written into `path` (premise first).
int NetPath(const Net& net, int literal, std::array<std::int16_t, 64>& path) {
    std::array<std::int16_t, 128> back{};
    int n = 0;
    int at = literal;
    while (n < 128 && at >= 0) {
        back[n++] = static_cast<std::int16_t>(at);
        const int node = at >> 1;
        if ((at & 1) == 0) {
            const int by = net.removedBy[node];
            if (by < 0) break;
            at = net.placedNode[by] * 2 + 1;
        } else {
            int index = -1;
            for (int i = 0; i < net.placements; ++i)
                if (net.placedNode[i] == node) index = i;
            if (index <= 0) break; // the premise, or not placed
            const int via = net.placedVia[index];
            if (via < 0) break;
            at = via * 2;
        }
    }
    const int count = std::min(n, 64);
    for (int i = 0; i < count; ++i) path[i] = back[n - 1 - i];
    return count;
}

void AddNetBranch(const Net& net, int literal, int branchesLeft, AdvancedStep& step) {
    std::array<std::int16_t, 64> path{};
    const int n = NetPath(net, literal, path);
    AddBranch(step, path.data(), n, branchesLeft, nullptr);
}

// The branches of a contradiction: what the net lost, each with its path.
void RecordContradiction(const Board& b, const Net& net, AdvancedStep& step) {
    std::array<int, 9> literals{};
    int n = 0;
    if (net.deadCell >= 0) {
        for (int d = 1; d <= 9 && n < 9; ++d)
            if ((b.mask[net.deadCell] >> (d - 1) & 1) != 0)
                literals[n++] = CandidateNode(net.deadCell, d) * 2;
    } else if (net.deadUnit >= 0) {
        ForEachCell(b.places[net.deadDigit - 1] & b.unit[net.deadUnit], [&](int c) {
            if (n < 9) literals[n++] = CandidateNode(c, net.deadDigit) * 2;
        });
        step.AddUnit(net.deadUnit);
    } else if (net.clashNode >= 0) {
        literals[n++] = net.clashNode * 2;
        if (net.clashVia >= 0) literals[n++] = net.clashVia * 2;
    }
    for (int i = 0; i < n; ++i) AddNetBranch(net, literals[i], n - 1 - i, step);
}

// What the net of each candidate reached: the digits placed, the candidates
// left, and its size.
struct NetOutcome {
    CandidateSet placed{};
    CandidateSet places{};
    int placements = 0;
};

struct NetTable {
    Net net;
    std::array<NetOutcome, kCandidateNodes> outcomes;
};

NetTable& Nets() {
    return ThreadTable<NetTable>();
}

// Propagates on(node) at a level; false when it contradicts itself.
bool Assume(const Board& b, const NetStart& start, Net& net, int node, int level, bool record) {
    StartNet(b, start, net, record);
    if (!Place(b, net, node / 9, node % 9 + 1, kNoSource)) return false;
    return Propagate(b, net, level);
}

// The premises of a cell or a unit whose nets all imply something: that
// common part, and the size of the largest of the nets; false when nothing is
// common.
bool NetCommon(const Board& b, const NetTable& t, const int* premises, int count, CandidateSet& on,
               CandidateSet& off, int& size) {
    bool any = false;
    size = 0;
    for (int e = 0; e < 9; ++e) {
        on[e] = b.places[e];
        off[e] = b.places[e];
        for (int i = 0; i < count; ++i) {
            const NetOutcome& o = t.outcomes[premises[i]];
            on[e] &= o.placed[e];
            off[e] &= ~(o.places[e] | o.placed[e]);
        }
        off[e] &= ~on[e];
        any = any || on[e] != 0 || off[e] != 0;
    }
    for (int i = 0; i < count; ++i) size = std::max(size, t.outcomes[premises[i]].placements);
    return any;
}

// Records the cheapest literal of a common part, by the latest placement or
// removal among the branches, with the branches.
void RecordNetForcing(const Board& b, NetTable& t, const int* premises, int count,
                      const CandidateSet& on, const CandidateSet& off, AdvancedStep& step) {
    struct Times {};
    auto& at = ThreadTable<std::array<DepthTable, 9>, Times>();
    for (int i = 0; i < count; ++i) {
        Assume(b, StartOf(b), t.net, premises[i], 0, true);
        at[i].fill(0);
        for (int k = 0; k < t.net.placements; ++k)
            at[i][t.net.placedNode[k] * 2 + 1] = static_cast<std::int16_t>(k);
        for (int e = 0; e < 9; ++e)
            ForEachCell(off[e], [&](int c) {
                const int node = CandidateNode(c, e + 1);
                at[i][node * 2] = t.net.removedBy[node];
            });
    }
    int bestLiteral = -1;
    int bestCost = 0;
    for (int e = 0; e < 9; ++e) {
        const auto consider = [&](int literal) {
            int cost = 0;
            for (int i = 0; i < count; ++i) cost = std::max<int>(cost, at[i][literal]);
            if (bestLiteral < 0 || cost < bestCost) {
                bestLiteral = literal;
                bestCost = cost;
            }
        };
        ForEachCell(on[e], [&](int c) { consider(CandidateNode(c, e + 1) * 2 + 1); });
        ForEachCell(off[e], [&](int c) { consider(CandidateNode(c, e + 1) * 2); });
    }
    step = AdvancedStep{};
    for (int i = 0; i < count; ++i) {
        Assume(b, StartOf(b), t.net, premises[i], 0, true);
        AddNetBranch(t.net, bestLiteral, count - 1 - i, step);
    }
    Conclude(step, kForcingNet, bestLiteral);
}

} // namespace

bool FindForcingNet(const Board& board, AdvancedStep& step) {
    NetTable& t = Nets();
    const NetStart start = StartOf(board);
    // Level 1: a contradiction, the smallest net first.
    int bestNode = -1;
    int bestCost = 0;
    for (int node = 0; node < kCandidateNodes; ++node) {
        if (!HasCell(board.places[node % 9], node / 9)) continue;
        NetOutcome& o = t.outcomes[node];
        const bool holds = Assume(board, start, t.net, node, 0, false);
        o.placed = t.net.placed;
        o.places = t.net.places;
        o.placements = t.net.placements;
        if (holds) continue;
        if (bestNode < 0 || t.net.placements < bestCost) {
            bestNode = node;
            bestCost = t.net.placements;
        }
    }
    if (bestNode >= 0) {
        Assume(board, start, t.net, bestNode, 0, true);
        step = AdvancedStep{};
        RecordContradiction(board, t.net, step);
        Conclude(step, kForcingNet, bestNode * 2);
        return true;
    }
    // Level 1: what every candidate of a cell, or every place of a digit in a
    // unit, implies; the smallest nets first.
    int bestSize = -1;
    int bestCell = -1;
    int bestUnit = -1;
    int bestDigit = 0;
    CandidateSet on{};
    CandidateSet off{};
    for (int c = 0; c < kCells; ++c) {
        std::array<int, 9> premises{};
        const int n = CellPremises(board, c, premises.data());
        int size = 0;
        if (n < 2 || !NetCommon(board, t, premises.data(), n, on, off, size)) continue;
        if (bestSize < 0 || size < bestSize) {
            bestSize = size;
            bestCell = c;
        }
    }
    for (int u = 0; u < board.unitCount; ++u)
        for (int d = 1; d <= 9; ++d) {
            std::array<int, 9> premises{};
            const int n = UnitPremises(board, u, d, premises.data());
            int size = 0;
            if (n < 2 || !NetCommon(board, t, premises.data(), n, on, off, size)) continue;
            if (bestSize < 0 || size < bestSize) {
                bestSize = size;
                bestCell = -1;
                bestUnit = u;
                bestDigit = d;
            }
        }
    if (bestSize >= 0) {
        std::array<int, 9> premises{};
        const int n = bestCell >= 0 ? CellPremises(board, bestCell, premises.data())
                                    : UnitPremises(board, bestUnit, bestDigit, premises.data());
        int size = 0;
        NetCommon(board, t, premises.data(), n, on, off, size);
        RecordNetForcing(board, t, premises.data(), n, on, off, step);
        if (bestUnit >= 0) step.AddUnit(bestUnit);
        return true;
    }
    // Level 2: the first assumption that contradicts itself with the first
    // level inside it.
    long long& left = ThreadTable<NestedBudget>().left;
    left = kNestedTrials;
    for (int node = 0; node < kCandidateNodes; ++node) {
        if (!HasCell(board.places[node % 9], node / 9)) continue;
        const long long before = left;
        if (Assume(board, start, t.net, node, 1, false)) continue;
        left = before; // the same trials again, for the record
        Assume(board, start, t.net, node, 1, true);
        step = AdvancedStep{};
        RecordContradiction(board, t.net, step);
        Conclude(step, kForcingNet, node * 2);
        return true;
    }
    return false;
}

} // namespace vemo::advanced
