// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Naked and hidden subsets: k digits confined to k cells of one unit. Naked, the
// cells hold nothing else, so the digits leave the rest of the unit; hidden, the
// digits are nowhere else in the unit, so every other digit leaves the cells.
// One finder per size serves both forms; SubsetMode picks the form.
#include "../engine.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace vemo {

namespace {

// Units in scan order: rows, columns, boxes, then the two diagonals (pairs in
// X-Sudoku only). unitType/unit are what the result records.
struct UnitEntry {
    int unitType;
    int unit;
    std::array<int, 9> cells;
};

constexpr std::array<UnitEntry, 29> MakeScanUnits() {
    std::array<UnitEntry, 29> t{};
    for (int u = 0; u < 9; ++u) {
        t[u] = {0, u, RowCells[u]};
        t[9 + u] = {1, u, ColumnCells[u]};
        t[18 + u] = {2, u, BoxCells[u]};
    }
    t[27] = {3, 1, MainDiagonal};
    t[28] = {3, 2, AntiDiagonal};
    return t;
}

constexpr std::array<UnitEntry, 29> kScanUnits = MakeScanUnits();
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

// Bit d-1 of entry c set when digit d is a candidate of cell c.
std::array<unsigned, 81> CellMasks(const Candidates& table) {
    std::array<unsigned, 81> masks{};
    for (int d = 1; d <= 9; ++d)
        ForEachCell(table.CellsWith(d), [&](int c) { masks[c] |= 1u << (d - 1); });
    return masks;
}

// The search of one digit set in one unit; true when it wrote a report.
bool SearchUnit(const std::array<unsigned, 81>& masks, const UnitEntry& unit, unsigned digits,
                int k, int mode, SubsetResult& out) {
    // Qualifying cells in table order: at least two of the k digits, which for
    // a pair means both.
    std::array<int, 9> qualifying{};
    int count = 0;
    int holdingCells = 0; // cells of the unit with any of the digits
    int unitFlags = 0;    // flags of the digits over the whole unit
    for (const int c : unit.cells) {
        const unsigned here = masks[c] & digits;
        if (here == 0) continue;
        ++holdingCells;
        unitFlags += std::popcount(here);
        if (std::popcount(here) < 2) continue;
        // Both pruning rules drop only cell sets that cannot pass their mode's
        // test, so the first reported set is the one of the full enumeration:
        // a naked subset's cells hold no other digit (inside = 0) ...
        if (mode == 0 && (masks[c] & ~digits) != 0) continue;
        qualifying[count++] = c;
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

        out.found = mode == 0 ? 1 : 2;
        out.unitType = unit.unitType;
        out.unit = unit.unit;
        out.size = k;
        int n = 0;
        for (int d = 1; d <= 9; ++d)
            if (digits >> (d - 1) & 1) out.digits[n++] = d;
        // Positions ascend, so the cells keep the unit table's order.
        for (int i = 0; i < k; ++i) out.cells[i] = qualifying[idx[i]];
        return true;
    } while (NextCombination(idx, k, count));
    return false;
}

// Per unit, what decides cheaply whether a digit set can report there at all:
// naked, the masks of the cells with 2..k candidates (a qualifying cell holds
// nothing outside the set); hidden, the positions of each digit (the set's
// digits must occupy exactly k cells). Units that fail are skipped before the
// full search, which alone decides what is reported.
struct UnitDigest {
    std::array<unsigned, 9> small{};
    int smallCount = 0;
    std::array<unsigned, 9> positions{}; // per digit d-1: bit i for the unit's i-th cell
    // The digits a reporting set can hold: naked, those of the cells with 2..k
    // candidates; hidden, those on 1..k cells of the unit.
    unsigned possible = 0;
};

void FindSubset(const Candidates& table, int k, int mode, bool diagonals, SubsetResult& out) {
    out = {};
    // Only modes 0 and 1 have a report test; anything else finds nothing.
    if (mode != 0 && mode != 1) return;
    const std::array<unsigned, 81> masks = CellMasks(table);
    const int units = diagonals ? static_cast<int>(kScanUnits.size()) : kLineAndBoxUnits;
    std::array<UnitDigest, 29> digests{};
    for (int u = 0; u < units; ++u) {
        UnitDigest& digest = digests[u];
        for (int i = 0; i < 9; ++i) {
            const unsigned m = masks[kScanUnits[u].cells[i]];
            // Each form needs one half of the digest.
            if (mode == 0) {
                const int n = std::popcount(m);
                if (n >= 2 && n <= k) digest.small[digest.smallCount++] = m;
            } else {
                for (unsigned rest = m; rest != 0; rest &= rest - 1)
                    digest.positions[std::countr_zero(rest)] |= 1u << i;
            }
        }
        if (mode == 0) {
            for (int i = 0; i < digest.smallCount; ++i) digest.possible |= digest.small[i];
        } else {
            for (int d = 0; d < 9; ++d) {
                const int n = std::popcount(digest.positions[d]);
                if (n >= 1 && n <= k) digest.possible |= 1u << d;
            }
        }
    }
    const auto worthSearching = [&](const UnitDigest& digest, unsigned digits) {
        if ((digits & ~digest.possible) != 0) return false;
        if (mode == 0) {
            if (digest.smallCount < k) return false;
            int inside = 0;
            for (int i = 0; i < digest.smallCount; ++i) inside += (digest.small[i] & ~digits) == 0;
            return inside >= k;
        }
        unsigned cells = 0;
        for (unsigned rest = digits; rest != 0; rest &= rest - 1)
            cells |= digest.positions[std::countr_zero(rest)];
        return std::popcount(cells) == k;
    };
    // The digit set is the outermost loop: 1-2, 1-3, ..., 8-9 for pairs, and the
    // units in scan order for each. Only the pairs of a digit set and a unit
    // worth searching are listed, then taken in that order. Among sets of k
    // digits, the one holding the lowest digit where two differ comes first,
    // which is the order of their bit-reversed masks, highest first.
    const auto reversed = [](unsigned digits) {
        unsigned r = 0;
        for (int d = 0; d < 9; ++d) r |= ((digits >> d) & 1u) << (8 - d);
        return r;
    };
    std::array<std::uint32_t, 29 * 126> order; // 126 = sets of 4 among 9 digits
    int listed = 0;
    for (int u = 0; u < units; ++u) {
        const unsigned possible = digests[u].possible;
        const int m = std::popcount(possible);
        if (m < k) continue;
        std::array<int, 9> digitOf{};
        int i = 0;
        for (unsigned rest = possible; rest != 0; rest &= rest - 1)
            digitOf[i++] = std::countr_zero(rest);
        std::array<int, 4> idx = FirstCombination();
        do {
            unsigned digits = 0;
            for (int j = 0; j < k; ++j) digits |= 1u << digitOf[idx[j]];
            if (worthSearching(digests[u], digits))
                order[listed++] =
                    (511u - reversed(digits)) << 14 | digits << 5 | static_cast<std::uint32_t>(u);
        } while (NextCombination(idx, k, m));
    }
    std::sort(order.begin(), order.begin() + listed);
    for (int i = 0; i < listed; ++i) {
        const unsigned digits = (order[i] >> 5) & 511u;
        if (SearchUnit(masks, kScanUnits[order[i] & 31u], digits, k, mode, out)) return;
    }
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
    FindSubset(CandidateTable, 2, SubsetMode, XSudoku == 1, Subset);
}
void Engine::FindTriple() {
    FindSubset(CandidateTable, 3, SubsetMode, false, Subset);
}
void Engine::FindQuadruplet() {
    FindSubset(CandidateTable, 4, SubsetMode, false, Subset);
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
