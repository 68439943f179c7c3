// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The link graph of a board and the search for the shortest chain over it.
//
// A node is one candidate (a digit in a cell) or, for grouped chains, a group:
// the cells of one box and one line that hold a digit, true when the digit is
// in one of them. A literal is a node taken as true ("on") or false ("off").
// The links become implications between literals:
// - a strong link (a bivalue cell, a unit with two places for a digit) says
//   that the two nodes are not both false: off(a) implies on(b);
// - a weak link (two candidates that cannot both be true, Board::Sees) says
//   that on(a) implies off(b).
// So a path of implications alternates strong and weak links by itself, and a
// breadth-first search over the literals finds the shortest chains first.
#pragma once

#include "board.h"

#include <array>
#include <bit>
#include <cstdint>
#include <memory>

namespace vemo::advanced {

// A set of candidates: [d - 1] holds the cells of digit d.
using CandidateSet = std::array<Bits81, 9>;

inline constexpr int kCandidateNodes = 81 * 9; // node c * 9 + d - 1
inline constexpr int kMaxGroups = 9 * 9 * 6;   // digit, box, three rows and three columns
inline constexpr int kMaxNodes = kCandidateNodes + kMaxGroups;
inline constexpr int kMaxLiterals = 2 * kMaxNodes; // node * 2 + 1 when on
inline constexpr int kMaxStrong = 8;

struct LinkOptions {
    unsigned digits = kEveryDigit; // only the candidates of these digits (bit d - 1)
    bool sameDigit = false;        // X-Chain: weak links only between candidates of one digit
    bool cellStrong = true;        // bivalue cells are strong links
    bool unitStrong = true;        // units with two places for a digit are strong links
    // XY-Chain: only candidates of bivalue cells, weak links between cells.
    bool bivalueOnly = false;
    bool groups = false; // box-line groups as nodes
};

// True when two boards hold the same position under the same rules, so that
// what was worked out on one holds for the other.
bool SameBoard(const Board& a, const Board& b);

constexpr int CandidateNode(int cell, int digit) {
    return cell * 9 + digit - 1;
}

// One table of type T for each thread that asks, made at its first use and
// kept: the search tables too large for the stack are allocated once, never
// per step. Tag tells apart two tables of one type.
template <typename T, typename Tag = T> T& ThreadTable() {
    static thread_local std::unique_ptr<T> table;
    if (!table) table = std::make_unique<T>();
    return *table;
}

// The victims of every node, worked out when first asked for: a node's weak
// links and its victims are the same sets. They depend on the position alone,
// so the graphs built one after the other on one position share them; the
// groups that a node rules out depend on the graph's groups and are kept per
// graph.
struct VictimCache {
    std::array<CandidateSet, kMaxNodes> sets;
    std::array<std::uint16_t, kMaxNodes> digits; // bit d - 1: sets[node][d - 1] holds a cell
    // The position (a candidate) or the graph (a group) that filled the entry.
    std::array<std::uint32_t, kMaxNodes> stamp{};
    // Bit g - (the first group of the node's digit): the groups of its digit
    // that a true node makes false.
    std::array<std::uint64_t, kMaxNodes> groups;
    std::array<std::uint32_t, kMaxNodes> groupStamp{}; // the graph that filled the entry
    Board board;                                       // the position of the stamp
    std::uint32_t position = 0;                        // its stamp
    std::uint32_t graphs = 0;                          // the last graph's stamp
};

class LinkGraph {
  public:
    void Build(const Board& board, const LinkOptions& options);

    const Board& board() const { return *board_; }
    const LinkOptions& options() const { return options_; }
    int groupCount() const { return groupCount_; }
    bool Present(int node) const;
    Bits81 Cells(int node) const;
    int Digit(int node) const;
    int StrongCount(int node) const { return strongCount_[node]; }
    int Strong(int node, int i) const { return strong_[node][i]; }
    // The candidates with at least one strong link, [d - 1] the cells of
    // digit d: the only ones whose "off" leads anywhere.
    const CandidateSet& Linked() const { return linked_; }

    // The candidates that a true node rules out, all digits.
    const CandidateSet& Victims(int node) const {
        // A candidate's victims hold for every graph of the position, a
        // group's for this graph (another graph may number its groups
        // otherwise).
        const std::uint32_t stamp = node < kCandidateNodes ? position_ : generation_;
        if (cache_->stamp[node] != stamp) {
            const CandidateSet victims = WorkOutVictims(node);
            unsigned digits = 0;
            for (int e = 0; e < 9; ++e)
                if (victims[e] != 0) digits |= 1u << e;
            cache_->sets[node] = victims;
            cache_->digits[node] = static_cast<std::uint16_t>(digits);
            cache_->stamp[node] = stamp;
        }
        return cache_->sets[node];
    }
    // The digits of the node's victims, bit d - 1 for digit d.
    unsigned VictimDigits(int node) const {
        Victims(node);
        return cache_->digits[node];
    }
    // The groups of the node's digit that a true node makes false, bit
    // g - digitGroups_[digit - 1].
    std::uint64_t GroupVictims(int node) const {
        if (cache_->groupStamp[node] != generation_) {
            cache_->groups[node] = WorkOutGroupVictims(node);
            cache_->groupStamp[node] = generation_;
        }
        return cache_->groups[node];
    }
    // Calls f(node) for each node that a true `node` makes false, in a fixed
    // order (digits, then cells, then groups).
    template <typename F> void ForEachWeak(int node, F&& f) const;
    // The same, leaving out the candidates of `skip` ([d - 1]: cells of
    // digit d), in the same order otherwise.
    template <typename F> void ForEachWeakExcept(int node, const CandidateSet& skip, F&& f) const;
    // The same for a candidate node, a digit at a time: f(digit, cells) for
    // each digit whose candidates it links to, in order, with the cells of
    // that digit it makes false (none of them in `skip`; none empty).
    template <typename F> void ForEachWeakSet(int node, const CandidateSet& skip, F&& f) const;
    // True when a true `a` makes `b` false.
    bool WeaklyLinked(int a, int b) const;
    // Calls f(group node) for each group of digit (the node's digit) that a
    // true node makes false, in group order.
    template <typename F> void ForEachGroupVictim(int node, int digit, F&& f) const;

  private:
    CandidateSet WorkOutVictims(int node) const;
    std::uint64_t WorkOutGroupVictims(int node) const;
    void AddStrong(int from, int to);
    VictimCache* cache_ = nullptr;
    std::uint32_t generation_ = 0; // this graph's stamp
    std::uint32_t position_ = 0;   // its position's stamp
    int GroupOf(int digit, Bits81 cells) const;

    const Board* board_ = nullptr;
    LinkOptions options_;
    Bits81 bivalue_ = 0;
    int groupCount_ = 0;
    std::array<std::int16_t, 10> digitGroups_{}; // the groups of digit d: [d - 1, d)
    std::array<Bits81, kMaxGroups> groupCells_{};
    std::array<std::int8_t, kMaxGroups> groupDigit_{};
    // [d - 1][box * 6 + k]: the group of digit d in the box and its line k
    // (as Build numbers them), -1 for none.
    std::array<std::array<std::int16_t, 54>, 9> groupAt_{};
    std::array<std::array<std::int16_t, kMaxStrong>, kMaxNodes> strong_{};
    std::array<std::uint8_t, kMaxNodes> strongCount_{};
    CandidateSet linked_{};
};

template <typename F> void LinkGraph::ForEachWeak(int node, F&& f) const {
    static constexpr CandidateSet kNone{};
    ForEachWeakExcept(node, kNone, f);
}

template <typename F>
void LinkGraph::ForEachWeakSet(int node, const CandidateSet& skip, F&& f) const {
    const int cell = node / 9;
    const int digit = node % 9 + 1;
    const CandidateSet& victims = Victims(node);
    // The digits whose candidates the graph links to this one, in order.
    unsigned digits = options_.digits;
    if (options_.sameDigit) digits &= 1u << (digit - 1);
    const Bits81 keep = options_.bivalueOnly ? bivalue_ & ~CellBit(cell) : kAllCells;
    for (digits &= VictimDigits(node); digits != 0; digits &= digits - 1) {
        const int e = std::countr_zero(digits) + 1;
        const Bits81 out = victims[e - 1] & ~skip[e - 1] & keep;
        if (out != 0) f(e, out);
    }
}

template <typename F>
void LinkGraph::ForEachWeakExcept(int node, const CandidateSet& skip, F&& f) const {
    if (node < kCandidateNodes) {
        const int digit = node % 9 + 1;
        ForEachWeakSet(node, skip, [&](int e, Bits81 out) {
            ForEachCell(out, [&](int c) { f(CandidateNode(c, e)); });
        });
        if (!options_.groups) return;
        ForEachGroupVictim(node, digit, f);
        return;
    }
    const int g = node - kCandidateNodes;
    const int digit = groupDigit_[g];
    const Bits81 seen = Victims(node)[digit - 1];
    ForEachCell(seen & ~skip[digit - 1], [&](int c) { f(CandidateNode(c, digit)); });
    ForEachGroupVictim(node, digit, f);
}

template <typename F> void LinkGraph::ForEachGroupVictim(int node, int digit, F&& f) const {
    const int first = kCandidateNodes + digitGroups_[digit - 1];
    for (std::uint64_t bits = GroupVictims(node); bits != 0; bits &= bits - 1)
        f(first + std::countr_zero(bits));
}

// A breadth-first search over the literals of a graph. Its tables are fixed
// arrays, reused from one search to the next.
class ImplicationSearch {
  public:
    // Starts from one literal; the search stops at maxDepth links. With
    // `liveOnly`, the "off" literals that no strong link leaves are not
    // returned: they end nothing and lead nowhere, and the other literals
    // come in the same order, with the same parents and depths.
    void Start(int literal, bool liveOnly = false);
    // The next literal in breadth-first order, or -1 when the search is over;
    // literals deeper than maxDepth are not expanded.
    int Next(const LinkGraph& graph, int maxDepth);
    bool Reached(int literal) const { return (seen_[literal >> 6] >> (literal & 63) & 1) != 0; }
    int Depth(int literal) const { return depth_[literal]; }
    // The candidates whose "off" literal is reached, [d - 1] the cells of
    // digit d: with `liveOnly` too, where some of them are not returned.
    const CandidateSet& OffReached() const { return offSeen_; }
    int Parent(int literal) const { return parent_[literal]; }
    // The literals from the start to `literal`, in order; returns their number
    // (at most `room`).
    int PathTo(int literal, std::int16_t* out, int room) const;

  private:
    void Visit(int literal, int parent, int depth);

    std::array<std::uint64_t, (kMaxLiterals + 63) / 64> seen_{};
    // The candidates whose "off" literal is reached, [d - 1] the cells of
    // digit d: the weak links to them are skipped a digit at a time.
    CandidateSet offSeen_{};
    std::array<std::int16_t, kMaxLiterals> parent_{};
    std::array<std::int16_t, kMaxLiterals> depth_{};
    std::array<std::int16_t, kMaxLiterals> queue_{};
    int head_ = 0;
    int tail_ = 0;
    bool liveOnly_ = false;
};

inline void ImplicationSearch::Visit(int literal, int parent, int depth) {
    seen_[literal >> 6] |= std::uint64_t{1} << (literal & 63);
    if ((literal & 1) == 0 && (literal >> 1) < kCandidateNodes)
        offSeen_[(literal >> 1) % 9] |= CellBit((literal >> 1) / 9);
    parent_[literal] = static_cast<std::int16_t>(parent);
    depth_[literal] = static_cast<std::int16_t>(depth);
    queue_[tail_++] = static_cast<std::int16_t>(literal);
}

inline int ImplicationSearch::Next(const LinkGraph& graph, int maxDepth) {
    if (head_ == tail_) return -1;
    const int literal = queue_[head_++];
    const int depth = depth_[literal];
    if (depth >= maxDepth) return literal;
    const int node = literal >> 1;
    if ((literal & 1) == 0) {
        for (int i = 0; i < graph.StrongCount(node); ++i) {
            const int next = graph.Strong(node, i) * 2 + 1;
            if (!Reached(next)) Visit(next, literal, depth + 1);
        }
    } else if (node < kCandidateNodes) {
        // The "off" literals of candidates not reached yet, a digit at a time
        // (offSeen_ holds exactly the candidates whose "off" is reached).
        graph.ForEachWeakSet(node, offSeen_, [&](int e, Bits81 out) {
            offSeen_[e - 1] |= out;
            if (liveOnly_) out &= graph.Linked()[e - 1];
            const auto parent = static_cast<std::int16_t>(literal);
            const auto next = static_cast<std::int16_t>(depth + 1);
            ForEachCell(out, [&](int c) {
                const int off = CandidateNode(c, e) * 2;
                seen_[off >> 6] |= std::uint64_t{1} << (off & 63);
                parent_[off] = parent;
                depth_[off] = next;
                queue_[tail_++] = static_cast<std::int16_t>(off);
            });
        });
        if (graph.options().groups)
            graph.ForEachGroupVictim(node, node % 9 + 1, [&](int other) {
                const int next = other * 2;
                if (!Reached(next) && (!liveOnly_ || graph.StrongCount(other) > 0))
                    Visit(next, literal, depth + 1);
            });
    } else {
        graph.ForEachWeakExcept(node, offSeen_, [&](int other) {
            const int next = other * 2;
            if (!Reached(next) && (!liveOnly_ || graph.StrongCount(other) > 0))
                Visit(next, literal, depth + 1);
        });
    }
    return literal;
}

// The shortest chain of a graph whose conclusion removes at least one
// candidate or places a digit: an alternating inference chain between two
// nodes (their common victims go), a continuous loop (the victims of every
// weak link go), or a discontinuous loop (a node implied by its own negation
// is placed). Chains of `maxNodes` nodes or more are not looked at. Fills the
// step with `technique` and returns the chain's node count, or 0 when there
// is none.
int FindShortestChain(const LinkGraph& graph, int technique, int maxNodes, AdvancedStep& step);

// Writes a placement (placeCell -1 for none) and the candidates of `gone`
// into the step.
void RecordConclusion(const CandidateSet& gone, int placeCell, int placeDigit, AdvancedStep& step);

// Writes the literals of a path into the step's nodes and links.
void RecordPath(const LinkGraph& graph, const std::int16_t* path, int count, AdvancedStep& step);

} // namespace vemo::advanced
