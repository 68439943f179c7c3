// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "links.h"

#include <algorithm>
#include <limits>

namespace vemo::advanced {

namespace {

CandidateSet Intersect(const CandidateSet& a, const CandidateSet& b) {
    CandidateSet out;
    for (int e = 0; e < 9; ++e) out[e] = a[e] & b[e];
    return out;
}

} // namespace

void LinkGraph::Build(const Board& board, const LinkOptions& options) {
    board_ = &board;
    options_ = options;
    cache_ = &ThreadTable<VictimCache>();
    VictimCache& cache = *cache_;
    if (cache.graphs == std::numeric_limits<std::uint32_t>::max()) {
        // About to wrap round: no entry may look filled.
        cache.stamp.fill(0);
        cache.groupStamp.fill(0);
        cache.graphs = 0;
        cache.position = 0;
    }
    generation_ = ++cache.graphs;
    if (cache.position == 0 || !SameBoard(cache.board, board)) {
        cache.board = board;
        cache.position = generation_;
    }
    position_ = cache.position;
    const Board& b = board;
    bivalue_ = 0;
    for (int c = 0; c < kCells; ++c)
        if (std::popcount(static_cast<unsigned>(b.mask[c])) == 2) bivalue_ |= CellBit(c);
    groupCount_ = 0;
    digitGroups_.fill(0);
    if (options.groups) {
        for (auto& row : groupAt_) row.fill(-1);
        for (int d = 1; d <= 9; ++d) {
            digitGroups_[d - 1] = static_cast<std::int16_t>(groupCount_);
            digitGroups_[d] = static_cast<std::int16_t>(groupCount_);
            if ((options.digits >> (d - 1) & 1) == 0) continue;
            for (int box = 0; box < 9; ++box) {
                const Bits81 inBox = b.places[d - 1] & b.unit[18 + box];
                if (CountCells(inBox) < 3) continue; // a group needs a companion outside it
                for (int k = 0; k < 6; ++k) {
                    const int line = k < 3 ? (box / 3) * 3 + k : 9 + (box % 3) * 3 + (k - 3);
                    const Bits81 cells = inBox & b.unit[line];
                    if (CountCells(cells) < 2) continue;
                    groupCells_[groupCount_] = cells;
                    groupDigit_[groupCount_] = static_cast<std::int8_t>(d);
                    groupAt_[d - 1][box * 6 + k] = static_cast<std::int16_t>(groupCount_);
                    ++groupCount_;
                    digitGroups_[d] = static_cast<std::int16_t>(groupCount_);
                }
            }
        }
    }
    std::fill(strongCount_.begin(), strongCount_.end(), std::uint8_t{0});
    linked_ = CandidateSet{};
    // Each candidate's strong links in a fixed order: its cell's other
    // candidate, then its units in their order (row, column, box,
    // diagonals). They are added for all candidates at once, a unit and a
    // digit at a time, which keeps that order for each.
    if (options.cellStrong)
        ForEachCell(bivalue_, [&](int c) {
            for (unsigned digits = b.mask[c]; digits != 0; digits &= digits - 1) {
                const int d = std::countr_zero(digits) + 1;
                const int node = CandidateNode(c, d);
                if (!Present(node)) continue;
                const unsigned other = b.mask[c] & ~(1u << (d - 1));
                if ((other & options.digits) != 0)
                    AddStrong(node, CandidateNode(c, std::countr_zero(other) + 1));
            }
        });
    if (options.unitStrong)
        for (int u = 0; u < b.unitCount; ++u)
            for (int d = 1; d <= 9; ++d) {
                if ((options.digits >> (d - 1) & 1) == 0) continue;
                const Bits81 in = b.places[d - 1] & b.unit[u];
                const int n = CountCells(in);
                if (n == 2) {
                    const int first = FirstCell(in);
                    const int second = FirstCell(in & ~CellBit(first));
                    if (Present(CandidateNode(first, d)))
                        AddStrong(CandidateNode(first, d), CandidateNode(second, d));
                    if (Present(CandidateNode(second, d)))
                        AddStrong(CandidateNode(second, d), CandidateNode(first, d));
                } else if (n > 2 && options.groups) {
                    ForEachCell(in, [&](int c) {
                        if (!Present(CandidateNode(c, d))) return;
                        const int g = GroupOf(d, in & ~CellBit(c));
                        if (g >= 0) AddStrong(CandidateNode(c, d), kCandidateNodes + g);
                    });
                }
            }
    for (int g = 0; g < groupCount_; ++g) {
        const int d = groupDigit_[g];
        const Bits81 cells = groupCells_[g];
        // The two units holding a group, in order: its line, then its box.
        const int first = FirstCell(cells);
        const int line = (cells & ~b.unit[first / 9]) == 0 ? first / 9 : 9 + first % 9;
        for (const int u : {line, b.cellUnits[first][2]}) {
            const Bits81 rest = b.places[d - 1] & b.unit[u] & ~cells;
            const int n = CountCells(rest);
            if (n == 1) {
                AddStrong(kCandidateNodes + g, CandidateNode(FirstCell(rest), d));
            } else if (n > 1) {
                const int h = GroupOf(d, rest);
                if (h >= 0) AddStrong(kCandidateNodes + g, kCandidateNodes + h);
            }
        }
    }
}

void LinkGraph::AddStrong(int from, int to) {
    auto& list = strong_[from];
    const int count = strongCount_[from];
    for (int i = 0; i < count; ++i)
        if (list[i] == to) return;
    if (count < kMaxStrong) {
        list[count] = static_cast<std::int16_t>(to);
        strongCount_[from] = static_cast<std::uint8_t>(count + 1);
        if (from < kCandidateNodes) linked_[from % 9] |= CellBit(from / 9);
    }
}

int LinkGraph::GroupOf(int digit, Bits81 cells) const {
    if (!options_.groups || cells == 0) return -1;
    // A group lies in one box and one of its lines: the only one that can
    // hold these cells is that of their first cell's box and line.
    const Board& b = *board_;
    const int first = FirstCell(cells);
    const int box = b.cellUnits[first][2] - 18;
    if ((cells & ~b.unit[18 + box]) != 0) return -1;
    const int row = first / 9;
    const int column = first % 9;
    int k = 0;
    if ((cells & ~b.unit[row]) == 0)
        k = row - (box / 3) * 3;
    else if ((cells & ~b.unit[9 + column]) == 0)
        k = 3 + column - (box % 3) * 3;
    else
        return -1;
    const int g = groupAt_[digit - 1][box * 6 + k];
    return g >= 0 && groupCells_[g] == cells ? g : -1;
}

bool SameBoard(const Board& a, const Board& b) {
    return a.places == b.places && a.value == b.value && a.variant == b.variant &&
           a.xSudoku == b.xSudoku && a.bars == b.bars;
}

bool LinkGraph::Present(int node) const {
    if (node >= kCandidateNodes) return node - kCandidateNodes < groupCount_;
    const int c = node / 9;
    const int d = node % 9 + 1;
    if (!HasCell(board_->places[d - 1], c)) return false;
    if ((options_.digits >> (d - 1) & 1) == 0) return false;
    if (options_.bivalueOnly && !HasCell(bivalue_, c)) return false;
    return true;
}

Bits81 LinkGraph::Cells(int node) const {
    return node < kCandidateNodes ? CellBit(node / 9) : groupCells_[node - kCandidateNodes];
}

int LinkGraph::Digit(int node) const {
    return node < kCandidateNodes ? node % 9 + 1 : groupDigit_[node - kCandidateNodes];
}

CandidateSet LinkGraph::WorkOutVictims(int node) const {
    CandidateSet out{};
    const Board& b = *board_;
    if (node < kCandidateNodes) {
        for (int e = 1; e <= 9; ++e) out[e - 1] = b.RuledOut(node / 9, node % 9 + 1, e);
    } else {
        const int d = Digit(node);
        out[d - 1] = b.CommonPeers(Cells(node), d);
    }
    return out;
}

std::uint64_t LinkGraph::WorkOutGroupVictims(int node) const {
    const int digit = Digit(node);
    const Bits81 seen = Victims(node)[digit - 1];
    const int first = digitGroups_[digit - 1];
    std::uint64_t out = 0;
    for (int g = first; g < digitGroups_[digit]; ++g)
        if ((groupCells_[g] & ~seen) == 0) out |= std::uint64_t{1} << (g - first);
    return out;
}

bool LinkGraph::WeaklyLinked(int a, int b) const {
    const Bits81 cells = Cells(b);
    const Bits81 seen = Victims(a)[Digit(b) - 1];
    return (cells & ~seen) == 0;
}

void ImplicationSearch::Start(int literal, bool liveOnly) {
    liveOnly_ = liveOnly;
    seen_.fill(0);
    offSeen_.fill(0);
    head_ = tail_ = 0;
    Visit(literal, -1, 0);
}

int ImplicationSearch::PathTo(int literal, std::int16_t* out, int room) const {
    int n = depth_[literal] + 1;
    if (n > room) n = room;
    int at = literal;
    for (int i = depth_[literal]; i >= 0 && at >= 0; --i) {
        if (i < n) out[i] = static_cast<std::int16_t>(at);
        at = parent_[at];
    }
    return n;
}

void RecordPath(const LinkGraph& graph, const std::int16_t* path, int count, AdvancedStep& step) {
    step.nodeCount = 0;
    for (int i = 0; i < count && i < kMaxChainNodes; ++i) {
        const int node = path[i] >> 1;
        ChainNode& n = step.nodes[step.nodeCount];
        n.cells = graph.Cells(node);
        n.digit = static_cast<std::int8_t>(graph.Digit(node));
        n.on = static_cast<std::int8_t>(path[i] & 1);
        step.links[step.nodeCount] = (path[i] & 1) == 0 ? Link::kStrong : Link::kWeak;
        ++step.nodeCount;
        step.digits |= 1u << (n.digit - 1);
        ForEachCell(n.cells, [&](int c) {
            for (int k = 0; k < step.cellCount; ++k)
                if (step.cells[k] == c) return;
            step.AddCell(c);
        });
    }
}

namespace {

struct Conclusion {
    CandidateSet gone{};
    int placeCell = -1;
    int placeDigit = 0;
    bool loop = false;
};

// The conclusion of the chain off(start) ... on(end) given by `path`, whose
// start's victims are known; true when it removes or places something.
bool Conclude(const LinkGraph& graph, const CandidateSet& startVictims, const std::int16_t* path,
              int count, Conclusion& out) {
    const Board& b = graph.board();
    const int start = path[0] >> 1;
    const int end = path[count - 1] >> 1;
    if (start == end) {
        if (start >= kCandidateNodes) return false;
        out.placeCell = start / 9;
        out.placeDigit = start % 9 + 1;
        return true;
    }
    const CandidateSet& endVictims = graph.Victims(end);
    out.gone = Intersect(startVictims, endVictims);
    const Bits81 startCells = graph.Cells(start);
    if (count >= 4 && (startCells & ~endVictims[graph.Digit(start) - 1]) == 0) {
        // A continuous loop when its nodes are distinct and no two groups of a
        // digit overlap: then either every odd node or every even node is
        // true, so each link holds exactly one true node and whatever sees
        // both ends of a link goes.
        bool loop = true;
        for (int i = 0; i < count && loop; ++i)
            for (int j = i + 1; j < count && loop; ++j) {
                const int x = path[i] >> 1;
                const int y = path[j] >> 1;
                if (x == y ||
                    (graph.Digit(x) == graph.Digit(y) && (graph.Cells(x) & graph.Cells(y)) != 0))
                    loop = false;
            }
        if (loop) {
            CandidateSet previous = startVictims;
            for (int i = 1; i <= count; ++i) {
                const CandidateSet& next = i < count ? graph.Victims(path[i] >> 1) : startVictims;
                for (int e = 0; e < 9; ++e) out.gone[e] |= previous[e] & next[e];
                previous = next;
            }
            for (int i = 0; i < count; ++i) {
                const int x = path[i] >> 1;
                out.gone[graph.Digit(x) - 1] &= ~graph.Cells(x);
            }
            out.loop = true;
        }
    }
    bool any = false;
    for (int e = 0; e < 9; ++e) {
        out.gone[e] &= b.places[e];
        any = any || out.gone[e] != 0;
    }
    if (!any) out.loop = false;
    return any;
}

} // namespace

void RecordConclusion(const CandidateSet& gone, int placeCell, int placeDigit, AdvancedStep& step) {
    step.placeCell = placeCell;
    step.placeDigit = placeDigit;
    for (int e = 1; e <= 9; ++e) ForEachCell(gone[e - 1], [&](int c) { step.Eliminate(c, e); });
}

int FindShortestChain(const LinkGraph& graph, int technique, int maxNodes, AdvancedStep& step) {
    // Reused from one call to the next: Start() clears what the search reads.
    struct ShortestChainTag {};
    ImplicationSearch& search = ThreadTable<ImplicationSearch, ShortestChainTag>();
    std::array<std::int16_t, kMaxChainNodes> path{};
    std::array<std::int16_t, kMaxChainNodes> bestPath{};
    int best = std::min(maxNodes, kMaxChainNodes + 1);
    int bestCount = 0;
    Conclusion bestConclusion;
    for (int start = 0; start < kMaxNodes; ++start) {
        if (graph.StrongCount(start) == 0 || !graph.Present(start)) continue;
        const CandidateSet& startVictims = graph.Victims(start);
        const int startDigit = graph.Digit(start);
        const Bits81 startCells = graph.Cells(start);
        CandidateSet startSeen;   // the start's victims still on the board
        unsigned startDigits = 0; // bit e: startSeen[e] holds a cell
        for (int e = 0; e < 9; ++e) {
            startSeen[e] = startVictims[e] & graph.board().places[e];
            if (startSeen[e] != 0) startDigits |= 1u << e;
        }
        search.Start(start * 2, true);
        // Only an "on" literal ends a chain, and those lie at odd depths (the
        // links alternate from off(start)): a literal at an even depth past
        // the last odd one that could still beat the best is never looked
        // at, so the search stops expanding before it.
        const int deepest = (best - 2) % 2 == 0 ? best - 3 : best - 2;
        int literal = 0;
        while ((literal = search.Next(graph, deepest)) >= 0) {
            const int nodes = search.Depth(literal) + 1;
            if (nodes >= best) break;
            if ((literal & 1) == 0) continue;
            const int end = literal >> 1;
            if (end != start) {
                // Nothing to remove unless the ends have a common victim or
                // close a loop.
                const CandidateSet& endVictims = graph.Victims(end);
                bool any = nodes >= 4 && (startCells & ~endVictims[startDigit - 1]) == 0;
                for (unsigned both = startDigits & graph.VictimDigits(end); both != 0 && !any;
                     both &= both - 1) {
                    const int e = std::countr_zero(both);
                    any = (startSeen[e] & endVictims[e]) != 0;
                }
                if (!any) continue;
            }
            const int count = search.PathTo(literal, path.data(), kMaxChainNodes);
            Conclusion conclusion;
            if (!Conclude(graph, startVictims, path.data(), count, conclusion)) continue;
            bestConclusion = conclusion;
            bestPath = path;
            bestCount = count;
            best = nodes;
            break;
        }
    }
    if (bestCount == 0) return 0;
    step = AdvancedStep{};
    step.technique = technique;
    RecordConclusion(bestConclusion.gone, bestConclusion.placeCell, bestConclusion.placeDigit,
                     step);
    RecordPath(graph, bestPath.data(), bestCount, step);
    if (bestConclusion.loop) {
        step.loop = true;
        step.links[bestCount - 1] = Link::kWeak;
    }
    return best;
}

} // namespace vemo::advanced
