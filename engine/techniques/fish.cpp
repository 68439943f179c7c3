// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// X-Wing and Swordfish: when a digit's places in two (three) base lines fall in
// the same two (three) cover lines, one of them holds it in every cover line,
// so it leaves the rest of the cover lines. Rows and columns only.
#include "../engine.h"

#include <bit>
#include <cstdint>

namespace vemo {

namespace {

// Bit i of entry [d-1][line] set when position i along the line has digit d:
// column numbers for rows, row numbers for columns.
struct Positions {
    std::array<std::array<unsigned, 9>, 9> rows{};
    std::array<std::array<unsigned, 9>, 9> columns{};
};

// A row's positions spread over the columns: bit 9c + 0 set when the row has
// column c, for columns 0..6 (low) and 7..8 (high, from bit 0). Shifted by the
// row number, the rows' spreads add up to the columns' positions.
struct Spread {
    std::array<std::uint64_t, 512> low;
    std::array<std::uint32_t, 512> high;
};

constexpr Spread kSpread = [] {
    Spread t{};
    for (unsigned row = 0; row < 512; ++row)
        for (int c = 0; c < 9; ++c) {
            if ((row >> c & 1) == 0) continue;
            if (c < 7)
                t.low[row] |= std::uint64_t{1} << (9 * c);
            else
                t.high[row] |= 1u << (9 * (c - 7));
        }
    return t;
}();

// The positions of the digits that `wanted` holds (bit d-1 for digit d); the
// others stay empty.
Positions PositionsOf(const Candidates& table, unsigned wanted) {
    Positions p;
    for (int d = 1; d <= 9; ++d) {
        if ((wanted >> (d - 1) & 1) == 0) continue;
        const Bits81 places = table.CellsWith(d);
        std::uint64_t low = 0;
        std::uint32_t high = 0;
        for (int r = 0; r < 9; ++r) {
            const auto row = static_cast<unsigned>((places >> (9 * r)) & 0x1FF);
            p.rows[d - 1][r] = row;
            low |= kSpread.low[row] << r;
            high |= kSpread.high[row] << r;
        }
        for (int c = 0; c < 7; ++c) p.columns[d - 1][c] = (low >> (9 * c)) & 0x1FF;
        for (int c = 7; c < 9; ++c) p.columns[d - 1][c] = (high >> (9 * (c - 7))) & 0x1FF;
    }
    return p;
}

// The digits whose places changed since the finder last found nothing for
// them: a fish rests on one digit's places, so only those can hold one.
unsigned DigitsToSearch(const DigitMemo& memo, const Candidates& table) {
    unsigned wanted = 0;
    for (int d = 1; d <= 9; ++d)
        if (!memo.Nothing(d, table.CellsWith(d))) wanted |= 1u << (d - 1);
    return wanted;
}

void RememberNothing(DigitMemo& memo, const Candidates& table, unsigned searched) {
    for (int d = 1; d <= 9; ++d)
        if (searched >> (d - 1) & 1) memo.SetNothing(d, table.CellsWith(d));
}

constexpr unsigned LineBit(int line) {
    return 1u << line;
}

// Whether a cover line holds the digit outside the base lines: the elimination
// test. coverLines holds one digit's positions along each cover line.
bool CoverHasOutside(const std::array<unsigned, 9>& coverLines, unsigned cover, unsigned base) {
    for (int l = 0; l < 9; ++l)
        if ((cover >> l & 1) && (coverLines[l] & ~base) != 0) return true;
    return false;
}

// Fills the result with the base lines of mask base and the cover lines of mask
// cover, each ascending.
void Record(FishResult& out, int found, int digit, unsigned base, unsigned cover) {
    out.found = found;
    out.digit = digit;
    int b = 0, c = 0;
    for (int l = 0; l < 9; ++l) {
        if (base >> l & 1) out.base[b++] = l;
        if (cover >> l & 1) out.cover[c++] = l;
    }
}

// base: one digit's positions along the base lines; cover: along the cover lines.
bool XWingFrom(const std::array<unsigned, 9>& base, const std::array<unsigned, 9>& cover, int l1,
               int found, int digit, FishResult& out) {
    const unsigned p = base[l1];
    if (std::popcount(p) != 2) return false;
    for (int l2 = l1 + 1; l2 < 9; ++l2) {
        if (base[l2] != p) continue;
        const unsigned lines = LineBit(l1) | LineBit(l2);
        if (!CoverHasOutside(cover, p, lines)) continue;
        Record(out, found, digit, lines, p);
        return true;
    }
    return false;
}

bool TakesPart(unsigned positions) {
    const int n = std::popcount(positions);
    return n == 2 || n == 3;
}

bool SwordfishFrom(const std::array<unsigned, 9>& base, const std::array<unsigned, 9>& cover,
                   int l1, int found, int digit, FishResult& out) {
    if (!TakesPart(base[l1])) return false;
    for (int l2 = l1 + 1; l2 < 8; ++l2) {
        if (!TakesPart(base[l2])) continue;
        for (int l3 = l2 + 1; l3 < 9; ++l3) {
            if (!TakesPart(base[l3])) continue;
            const unsigned spread = base[l1] | base[l2] | base[l3];
            if (std::popcount(spread) != 3) continue;
            const unsigned lines = LineBit(l1) | LineBit(l2) | LineBit(l3);
            if (!CoverHasOutside(cover, spread, lines)) continue;
            Record(out, found, digit, lines, spread);
            return true;
        }
    }
    return false;
}

// Clears the digit from the cover lines outside the base lines.
void ApplyFish(Candidates& table, const FishResult& r, int lines) {
    if ((r.found != 1 && r.found != 2) || r.digit < 1 || r.digit > 9) return;
    for (int i = 0; i < lines; ++i) {
        const int cover = r.cover[i];
        if (cover < 0 || cover > 8) continue;
        for (int pos = 0; pos < 9; ++pos) {
            bool isBase = false;
            for (int j = 0; j < lines; ++j) isBase |= r.base[j] == pos;
            if (isBase) continue;
            // Base rows: the cover lines are columns and pos runs down them.
            const int cell = r.found == 1 ? pos * 9 + cover : cover * 9 + pos;
            table.Remove(cell, r.digit);
        }
    }
}

} // namespace

void Engine::FindXWing() {
    XWing = {};
    const unsigned wanted = DigitsToSearch(memo_.xWing, CandidateTable);
    const Positions p = PositionsOf(CandidateTable, wanted);
    const auto search = [&](int d) { return (wanted >> (d - 1) & 1) != 0; };
    // Rows as base: the digit is the outer loop.
    for (int d = 1; d <= 9; ++d)
        if (search(d))
            for (int r1 = 0; r1 < 8; ++r1)
                if (XWingFrom(p.rows[d - 1], p.columns[d - 1], r1, 1, d, XWing)) return;
    // Columns as base: the first column is the outer loop, so a left-most pattern
    // wins over a smaller digit.
    for (int c1 = 0; c1 < 8; ++c1)
        for (int d = 1; d <= 9; ++d)
            if (search(d) && XWingFrom(p.columns[d - 1], p.rows[d - 1], c1, 2, d, XWing)) return;
    RememberNothing(memo_.xWing, CandidateTable, wanted);
}

void Engine::FindSwordfish() {
    Swordfish = {};
    const unsigned wanted = DigitsToSearch(memo_.swordfish, CandidateTable);
    const Positions p = PositionsOf(CandidateTable, wanted);
    const auto search = [&](int d) { return (wanted >> (d - 1) & 1) != 0; };
    for (int d = 1; d <= 9; ++d)
        if (search(d))
            for (int r1 = 0; r1 < 7; ++r1)
                if (SwordfishFrom(p.rows[d - 1], p.columns[d - 1], r1, 1, d, Swordfish)) return;
    for (int c1 = 0; c1 < 7; ++c1)
        for (int d = 1; d <= 9; ++d)
            if (search(d) && SwordfishFrom(p.columns[d - 1], p.rows[d - 1], c1, 2, d, Swordfish))
                return;
    RememberNothing(memo_.swordfish, CandidateTable, wanted);
}

void Engine::ApplyXWing() {
    ApplyFish(CandidateTable, XWing, 2);
}
void Engine::ApplySwordfish() {
    ApplyFish(CandidateTable, Swordfish, 3);
}

} // namespace vemo
