// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Naked and hidden subsets: k digits confined to k cells of one unit. Naked, the
// cells hold nothing else, so the digits leave the rest of the unit; hidden, the
// digits are nowhere else in the unit, so every other digit leaves the cells.
// One finder per size serves both forms; SubsetMode picks the form.
#include "../engine.h"
#include "memo.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace vemo {

namespace {

constexpr int kLineAndBoxUnits = 27;

// Advances idx[0..k) to the next k-subset of 0..n-1 in lexicographic order;
// false after the last one.
constexpr bool NextCombination(std::array<int, 4>& idx, int k, int n) {
    int i = k - 1;
    while (i >= 0 && idx[i] == n - k + i) --i;
    if (i < 0) return false;
    ++idx[i];
    for (int j = i + 1; j < k; ++j) idx[j] = idx[j - 1] + 1;
    return true;
}

constexpr std::array<int, 4> FirstCombination() {
    return {0, 1, 2, 3};
}

using UnitMasks = std::array<unsigned, 9>; // bit d-1 per cell of the unit, in unit order

// The search of one digit set in one unit; true when it reports, with the
// positions in the unit of the subset's cells.
bool SearchUnit(const UnitMasks& masks, unsigned digits, int k, int mode,
                std::array<int, 4>& positions) {
    // Qualifying cells in table order: at least two of the k digits, which for
    // a pair means both.
    std::array<int, 9> qualifying{};
    int count = 0;
    int holdingCells = 0; // cells of the unit with any of the digits
    int unitFlags = 0;    // flags of the digits over the whole unit
    for (int i = 0; i < 9; ++i) {
        const unsigned here = masks[i] & digits;
        if (here == 0) continue;
        ++holdingCells;
        unitFlags += std::popcount(here);
        if (std::popcount(here) < 2) continue;
        // Both pruning rules drop only cell sets that cannot pass their mode's
        // test, so the first reported set is the one of the full enumeration:
        // a naked subset's cells hold no other digit (inside = 0) ...
        if (mode == 0 && (masks[i] & ~digits) != 0) continue;
        qualifying[count++] = i;
    }
    if (count < k) return false;
    // ... and a hidden subset's cells are all the cells holding its digits
    // (outside = 0), so no other cell may hold them.
    if (mode == 1 && (holdingCells != k || count != k)) return false;

    std::array<int, 4> idx = FirstCombination();
    do {
        unsigned covered = 0;
        int inside = 0;
        int insideDigitFlags = 0;
        for (int i = 0; i < k; ++i) {
            const unsigned m = masks[qualifying[idx[i]]];
            covered |= m;
            inside += std::popcount(m & ~digits);
            insideDigitFlags += std::popcount(m & digits);
        }
        if (k > 2 && (covered & digits) != digits) continue;
        const int outside = unitFlags - insideDigitFlags;
        const bool report = mode == 0 ? inside == 0 && outside >= 1 : outside == 0 && inside >= 1;
        if (!report) continue;
        // Positions ascend, so the cells keep the unit table's order.
        for (int i = 0; i < k; ++i) positions[i] = qualifying[idx[i]];
        return true;
    } while (NextCombination(idx, k, count));
    return false;
}

// Digit sets of one unit, as masks.
struct DigitSets {
    std::array<unsigned, 126> sets; // 126 = sets of 4 among 9 digits; [0, count) written
    int count = 0;
};

// The union of every `left` more cells among small[from..n) that, with acc,
// holds at most k digits: the digit sets that at least k cells with 2..k
// candidates lie in. False when k such cells hold fewer than k digits between
// them: then every k-digit set around them qualifies, which this list does
// not give.
bool CollectNakedSets(const std::array<unsigned, 9>& small, int n, int from, int left, unsigned acc,
                      int k, DigitSets& out) {
    for (int i = from; i <= n - left; ++i) {
        const unsigned digits = acc | small[i];
        const int size = std::popcount(digits);
        if (size > k) continue;
        if (left > 1) {
            if (!CollectNakedSets(small, n, i + 1, left - 1, digits, k, out)) return false;
        } else if (size < k) {
            return false;
        } else {
            out.sets[out.count++] = digits;
        }
    }
    return true;
}

// The sets of `left` more digits among digitOf[from..n), in lexicographic
// order, whose digits with those of acc occupy at most k cells; at k digits,
// try(set) on those occupying exactly k cells until it returns true.
template <typename Try>
bool EachHiddenSet(const std::array<unsigned, 9>& positions, const std::array<int, 9>& digitOf,
                   int n, int from, int left, unsigned acc, unsigned cells, int k, Try&& tryIt) {
    for (int i = from; i <= n - left; ++i) {
        const int d = digitOf[i];
        const unsigned here = cells | positions[d];
        const int size = std::popcount(here);
        if (size > k) continue;
        const unsigned digits = acc | 1u << d;
        if (left > 1) {
            if (EachHiddenSet(positions, digitOf, n, i + 1, left - 1, digits, here, k, tryIt))
                return true;
        } else if (size == k && tryIt(digits)) {
            return true;
        }
    }
    return false;
}

// Among digit sets of k digits, the one holding the lowest digit where two
// differ comes first: the order of their bit-reversed masks, highest first.
constexpr unsigned SetOrder(unsigned digits) {
    unsigned r = 0;
    for (int d = 0; d < 9; ++d) r |= ((digits >> d) & 1u) << (8 - d);
    return 511u - r;
}

// The first report of one unit: its digit sets in lexicographic order (1-2,
// 1-3, ..., 8-9 for pairs), the first that reports. A set is searched only
// when it can report there at all: naked, at least k cells with 2..k
// candidates lie in the set; hidden, every digit has 1..k places and the
// set's digits occupy exactly k cells. These tests only skip sets whose search
// would find nothing.
FinderMemo::UnitSubset SearchUnitSets(const UnitMasks& masks, int k, int mode) {
    FinderMemo::UnitSubset result;
    const auto tryIt = [&](unsigned digits) {
        std::array<int, 4> cells{};
        if (!SearchUnit(masks, digits, k, mode, cells)) return false;
        result.found = true;
        result.digits = static_cast<std::uint16_t>(digits);
        for (int i = 0; i < k; ++i) result.cells[i] = static_cast<std::int8_t>(cells[i]);
        return true;
    };
    if (mode == 1) {
        std::array<unsigned, 9> positions{}; // per digit d-1, bit i for the i-th cell
        for (int i = 0; i < 9; ++i)
            for (unsigned rest = masks[i]; rest != 0; rest &= rest - 1)
                positions[std::countr_zero(rest)] |= 1u << i;
        std::array<int, 9> digitOf{};
        int n = 0;
        for (int d = 0; d < 9; ++d) {
            const int places = std::popcount(positions[d]);
            if (places >= 1 && places <= k) digitOf[n++] = d;
        }
        EachHiddenSet(positions, digitOf, n, 0, k, 0, 0, k, tryIt);
        return result;
    }
    std::array<unsigned, 9> small{}; // masks of the cells with 2..k candidates
    int smallCount = 0;
    for (int i = 0; i < 9; ++i) {
        const int n = std::popcount(masks[i]);
        if (n >= 2 && n <= k) small[smallCount++] = masks[i];
    }
    if (smallCount < k) return result;
    DigitSets sets;
    if (!CollectNakedSets(small, smallCount, 0, k, 0, k, sets)) {
        // k cells with fewer than k digits between them (a position without
        // solution): list every set of k digits among those of the cells with
        // 2..k candidates that at least k of these cells lie in.
        sets.count = 0;
        unsigned possible = 0;
        for (int i = 0; i < smallCount; ++i) possible |= small[i];
        std::array<int, 9> digitOf{};
        int m = 0;
        for (unsigned rest = possible; rest != 0; rest &= rest - 1)
            digitOf[m++] = std::countr_zero(rest);
        if (m < k) return result;
        std::array<int, 4> idx = FirstCombination();
        do {
            unsigned digits = 0;
            for (int j = 0; j < k; ++j) digits |= 1u << digitOf[idx[j]];
            int inside = 0;
            for (int i = 0; i < smallCount; ++i) inside += (small[i] & ~digits) == 0;
            if (inside >= k) sets.sets[sets.count++] = digits;
        } while (NextCombination(idx, k, m));
    }
    std::sort(sets.sets.begin(), sets.sets.begin() + sets.count,
              [](unsigned a, unsigned b) { return SetOrder(a) < SetOrder(b); });
    const auto end = std::unique(sets.sets.begin(), sets.sets.begin() + sets.count);
    for (auto it = sets.sets.begin(); it != end; ++it)
        if (tryIt(*it)) break;
    return result;
}

// The first report of the scan with the digit set as the outer loop and the
// units in scan order inside: the earliest set of any unit's first report, on
// the earliest unit among equal sets. A unit's first report is worked out
// again only when its candidates changed since the last call.
void FindSubset(FinderMemo& memo, const Candidates& table, int k, int mode, bool diagonals,
                SubsetResult& out) {
    out = {};
    // Only modes 0 and 1 have a report test; anything else finds nothing.
    if (mode != 0 && mode != 1) return;
    memo.RefreshMasks(table);
    auto& known = memo.subsets[mode][k - 2];
    const int units = diagonals ? kMemoUnits : kLineAndBoxUnits;
    int best = -1;
    unsigned bestOrder = 0;
    for (int u = 0; u < units; ++u) {
        FinderMemo::UnitSubset& entry = known[u];
        const std::uint64_t version = memo.unitVersions[u];
        if (!entry.known || entry.version != version) {
            UnitMasks masks{};
            for (int i = 0; i < 9; ++i) masks[i] = memo.masks[kScanUnits[u].cells[i]];
            entry = SearchUnitSets(masks, k, mode);
            entry.version = version;
            entry.known = true;
        }
        if (!entry.found) continue;
        const unsigned order = SetOrder(entry.digits);
        if (best < 0 || order < bestOrder) {
            best = u;
            bestOrder = order;
        }
    }
    if (best < 0) return;
    const FinderMemo::UnitSubset& entry = known[best];
    out.found = mode == 0 ? 1 : 2;
    out.unitType = kScanUnits[best].unitType;
    out.unit = kScanUnits[best].unit;
    out.size = k;
    int n = 0;
    for (int d = 1; d <= 9; ++d)
        if (entry.digits >> (d - 1) & 1) out.digits[n++] = d;
    for (int i = 0; i < k; ++i) out.cells[i] = kScanUnits[best].cells[entry.cells[i]];
}

const std::array<int, 9>* UnitCells(const SubsetResult& r) {
    if (r.unit < 0) return nullptr;
    switch (r.unitType) {
    case 0:
    case 1:
    case 2:
        if (r.unit > 8) return nullptr;
        return &kScanUnits[r.unitType * 9 + r.unit].cells;
    case 3:
        if (r.unit < 1 || r.unit > 2) return nullptr;
        return &Diagonals[r.unit - 1];
    default:
        return nullptr;
    }
}

void ApplySubset(Candidates& table, const SubsetResult& r) {
    // A result of nothing (or a malformed one) eliminates nothing rather than
    // reading cells that were never recorded.
    if ((r.found != 1 && r.found != 2) || r.size < 2 || r.size > 4) return;
    const std::array<int, 9>* unit = UnitCells(r);
    if (unit == nullptr) return;
    unsigned digits = 0;
    for (int i = 0; i < r.size; ++i)
        if (r.digits[i] >= 1 && r.digits[i] <= 9) digits |= 1u << (r.digits[i] - 1);
    const auto inSubset = [&](int cell) {
        for (int i = 0; i < r.size; ++i)
            if (r.cells[i] == cell) return true;
        return false;
    };
    for (const int c : *unit) {
        if (r.found == 1 && !inSubset(c)) {
            for (int d = 1; d <= 9; ++d)
                if (digits >> (d - 1) & 1) table.Remove(c, d);
        } else if (r.found == 2 && inSubset(c)) {
            table.KeepOnly(c, digits);
        }
    }
}

} // namespace

void Engine::FindPair() {
    FindSubset(memo_, CandidateTable, 2, SubsetMode, XSudoku == 1, Subset);
}
void Engine::FindTriple() {
    FindSubset(memo_, CandidateTable, 3, SubsetMode, false, Subset);
}
void Engine::FindQuadruplet() {
    FindSubset(memo_, CandidateTable, 4, SubsetMode, false, Subset);
}

// The three sizes share one result, so each applier performs whatever the last
// subset finder recorded.
void Engine::ApplyPair() {
    ApplySubset(CandidateTable, Subset);
}
void Engine::ApplyTriple() {
    ApplySubset(CandidateTable, Subset);
}
void Engine::ApplyQuadruplet() {
    ApplySubset(CandidateTable, Subset);
}

} // namespace vemo
