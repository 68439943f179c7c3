// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine.h"

#include <cstring>

#if defined(__SSE4_1__)
#include <smmintrin.h>
#endif

namespace vemo {

namespace {

#if defined(__SSE4_1__)
// Bit k set when set k of the nine is not empty: each set folded to 64, then
// 32 bits, saturated to 16 and 8 bits (a saturated non-zero value is not
// zero), and compared with zero eight at a time.
unsigned NonEmptySets(const __m128i (&sets)[9]) {
    const auto fold = [](__m128i a, __m128i b) {
        return _mm_or_si128(_mm_unpacklo_epi64(a, b), _mm_unpackhi_epi64(a, b));
    };
    const auto fold32 = [](__m128i a, __m128i b) {
        const __m128 x = _mm_castsi128_ps(a), y = _mm_castsi128_ps(b);
        return _mm_or_si128(_mm_castps_si128(_mm_shuffle_ps(x, y, 0x88)),
                            _mm_castps_si128(_mm_shuffle_ps(x, y, 0xDD)));
    };
    const __m128i zero = _mm_setzero_si128();
    const __m128i words = _mm_packs_epi32(fold32(fold(sets[0], sets[1]), fold(sets[2], sets[3])),
                                          fold32(fold(sets[4], sets[5]), fold(sets[6], sets[7])));
    const auto low = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(words, zero), zero)) ^ 0xFF);
    return low | (_mm_testz_si128(sets[8], sets[8]) != 0 ? 0u : 1u << 8);
}
#endif

// The candidates of one cell, bit d - 1 for digit d (as Candidates::Mask).
unsigned DigitsOf(const Candidates& table, int cell) {
#if defined(__SSE4_1__)
    const auto* sets = reinterpret_cast<const __m128i*>(table.AllSets().data());
    __m128i bit;
    {
        const Bits81 b = CellBit(cell);
        std::memcpy(&bit, &b, sizeof bit);
    }
    __m128i here[9];
    for (int k = 0; k < 9; ++k) here[k] = _mm_and_si128(_mm_load_si128(sets + k), bit);
    return NonEmptySets(here);
#else
    return table.Mask(cell);
#endif
}

} // namespace

void Engine::PropagateSingles() {
    for (;;) {
        FindNakedSingle();
        if (NakedSingle.cell >= 0) {
            PlaceDigit(NakedSingle.cell, NakedSingle.digit);
        } else {
            FindHiddenSingle();
            if (HiddenSingle.digit == 0) return;
            PlaceDigit(HiddenSingle.cell, HiddenSingle.digit);
        }
        if (FilledCount >= kCells) return;
    }
}

// The first cell, in cell order, with the fewest candidates between 1 and 8,
// looking only at the cells before the first dead one (empty, no candidate).
int Engine::ChooseBranchCell(Bits81 emptyCells) const {
#if defined(__SSE4_1__)
    // The candidate count of every cell as four bit planes, summed in SSE.
    const auto* sets = reinterpret_cast<const __m128i*>(CandidateTable.AllSets().data());
    __m128i p0 = _mm_setzero_si128(), p1 = p0, p2 = p0, p3 = p0;
    for (int k = 0; k < 9; ++k) {
        const __m128i c0 = _mm_load_si128(sets + k);
        const __m128i c1 = _mm_and_si128(p0, c0);
        p0 = _mm_xor_si128(p0, c0);
        const __m128i c2 = _mm_and_si128(p1, c1);
        p1 = _mm_xor_si128(p1, c1);
        p3 = _mm_or_si128(p3, _mm_and_si128(p2, c2));
        p2 = _mm_xor_si128(p2, c2);
    }
    __m128i empty;
    { std::memcpy(&empty, &emptyCells, sizeof emptyCells); }
    const __m128i any = _mm_or_si128(_mm_or_si128(p0, p1), _mm_or_si128(p2, p3));
    const __m128i dead = _mm_andnot_si128(any, empty);
    __m128i scanned = empty;
    if (!_mm_testz_si128(dead, dead)) {
        // The cells before the first dead one.
        const auto low = static_cast<std::uint64_t>(_mm_cvtsi128_si64(dead));
        const auto high = static_cast<std::uint64_t>(_mm_extract_epi64(dead, 1));
        const int first = low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(high);
        Bits81 before;
        std::memcpy(&before, &empty, sizeof before);
        before &= CellBit(first) - 1;
        std::memcpy(&scanned, &before, sizeof before);
    }
    // Counts 1 to 8: p3 only ever stands for 8 or 9.
    for (int n = 1; n <= 8; ++n) {
        const __m128i ones = _mm_set1_epi32(-1);
        const __m128i m0 = (n & 1) != 0 ? p0 : _mm_xor_si128(p0, ones);
        const __m128i m1 = (n & 2) != 0 ? p1 : _mm_xor_si128(p1, ones);
        const __m128i m2 = (n & 4) != 0 ? p2 : _mm_xor_si128(p2, ones);
        const __m128i m3 = (n & 8) != 0 ? p3 : _mm_xor_si128(p3, ones);
        const __m128i cells =
            _mm_and_si128(_mm_and_si128(scanned, _mm_and_si128(m0, m1)), _mm_and_si128(m2, m3));
        if (!_mm_testz_si128(cells, cells)) {
            const auto low = static_cast<std::uint64_t>(_mm_cvtsi128_si64(cells));
            const auto high = static_cast<std::uint64_t>(_mm_extract_epi64(cells, 1));
            return low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(high);
        }
    }
    // Every empty cell has 9 candidates (an empty grid): the first one, as the
    // first with the fewest.
    if (_mm_testz_si128(dead, dead) && !_mm_testz_si128(empty, empty)) {
        const auto low = static_cast<std::uint64_t>(_mm_cvtsi128_si64(empty));
        const auto high = static_cast<std::uint64_t>(_mm_extract_epi64(empty, 1));
        return low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(high);
    }
    return -1;
#else
    const auto planes = CandidateTable.Planes();
    const Bits81 empty = emptyCells;
    const Bits81 dead = empty & planes.WithCount(0);
    const Bits81 scanned = dead != 0 ? CellBit(FirstCell(dead)) - 1 : kAllCells;
    for (int n = 1; n <= 8; ++n) {
        const Bits81 cells = planes.WithCount(n) & scanned & empty;
        if (cells != 0) return FirstCell(cells);
    }
    // Every empty cell has 9 candidates (an empty grid): the first one, as the
    // first with the fewest.
    if (dead == 0 && empty != 0) return FirstCell(empty);
    return -1;
#endif
}

// A position whose rules-derived candidates leave an empty cell without
// candidate has no completion: candidates only shrink as cells fill, so that
// cell never takes a digit. A digit without place in a row, column or box is
// just as fatal: the search only runs on positions where no row, column or box
// repeats a digit, and every placement keeps it so, so each of them ends up
// holding every digit once. (A repeat on an X-Sudoku diagonal changes nothing
// to this.)
bool Engine::Hopeless(const Candidates& table) const {
    const Grid& grid = Level();
    const Bits81 filled = grid.FilledCells();
    if ((kAllCells & ~filled & ~table.AnyCells()) != 0) return true;
    std::array<Bits81, 10> places{};
    ForEachCell(filled, [&](int c) {
        if (grid[c] <= 9) places[grid[c]] |= CellBit(c);
    });
    for (int d = 1; d <= 9; ++d) {
        const Bits81 p = places[d] | table.CellsWith(d);
        for (int u = 0; u < 9; ++u)
            if ((p & kRowMask[u]) == 0 || (p & kColumnMask[u]) == 0 || (p & kBoxMask[u]) == 0)
                return true;
    }
    return false;
}

// How often each digit is placed at the current level.
void Engine::CountPlaced() {
    const Grid& grid = Level();
    placed_.fill(0);
    for (int c = 0; c < kCells; ++c) ++placed_[grid[c] & 15];
}

// The cells that see a cell under the unit rules: its row, column and box, and
// its diagonals in X-Sudoku (the cell itself excluded).
Bits81 Engine::UnitPeers(int cell) const {
    Bits81 peers = kPeers[cell];
    if (XSudoku == 1) {
        if (OnMainDiagonal(cell)) peers |= kDiagonalMask[0];
        if (OnAntiDiagonal(cell)) peers |= kDiagonalMask[1];
        peers &= ~CellBit(cell);
    }
    return peers;
}

// The same closure as PropagateSingles, reached faster, for a position whose
// candidates are exactly what the rules give. Every single is forced in every
// completion of the position, so the order of placement changes nothing when a
// completion exists; when none exists the subtree finds nothing either way.
// Singles are therefore placed in batches, and the work stops at the first
// contradiction (an empty cell without candidate, two singles of one digit that
// see each other, a unit without place for a digit): returns false then, and
// the caller restores the level. It starts by placing the digit of the trial
// in its cell, as PlaceDigit does. placed_ holds the placed digits of the level
// on entry (the trial's digit not counted) and is kept up to date; so is
// emptyCells, the empty cells of the level on entry, when the result is true.
bool Engine::PropagateSinglesFast(int cell, int digit, Bits81& emptyCells) {
    // The bar rules and X-Sudoku keep the order of the digits (see there).
    if (VariantKind == kNonConsecutive || VariantKind == kConsecutive || XSudoku == 1) {
        PlaceDigit(cell, digit);
        ++placed_[digit];
        emptyCells &= ~CellBit(cell);
        return PropagateInOrder(emptyCells);
    }
    Grid& grid = Level();
    grid[cell] = static_cast<std::uint8_t>(digit);
    ++FilledCount;
    ++placed_[digit];
#if defined(__SSE4_1__)
    using Cells = __m128i;
    const auto load = [](const Bits81& set) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(&set));
    };
    const auto none = [](Cells a) { return _mm_testz_si128(a, a) != 0; };
    const auto meet = [](Cells a, Cells b) { return _mm_testz_si128(a, b) == 0; };
    const auto both = [](Cells a, Cells b) { return _mm_and_si128(a, b); };
    const auto either = [](Cells a, Cells b) { return _mm_or_si128(a, b); };
    const auto without = [](Cells a, Cells b) { return _mm_andnot_si128(b, a); };
    const auto count = [](Cells a) {
        return std::popcount(static_cast<std::uint64_t>(_mm_cvtsi128_si64(a))) +
               std::popcount(static_cast<std::uint64_t>(_mm_extract_epi64(a, 1)));
    };
    const auto forEach = [](Cells a, auto&& f) {
        auto low = static_cast<std::uint64_t>(_mm_cvtsi128_si64(a));
        auto high = static_cast<std::uint64_t>(_mm_extract_epi64(a, 1));
        for (; low != 0; low &= low - 1) f(std::countr_zero(low));
        for (; high != 0; high &= high - 1) f(64 + std::countr_zero(high));
    };
    const auto nonEmpty = [](const Cells(&sets)[9]) { return NonEmptySets(sets); };
    auto* const planes = reinterpret_cast<__m128i*>(&CandidateTable.CellsWith(1));
    Cells empty;
    {
        const Bits81 e = emptyCells & ~CellBit(cell);
        std::memcpy(&empty, &e, sizeof e);
    }
    const auto finish = [&] {
        std::memcpy(&emptyCells, &empty, sizeof empty);
        return true;
    };
#else
    using Cells = Bits81;
    const auto load = [](const Bits81& set) { return set; };
    const auto none = [](Cells a) { return a == 0; };
    const auto meet = [](Cells a, Cells b) { return (a & b) != 0; };
    const auto both = [](Cells a, Cells b) { return a & b; };
    const auto either = [](Cells a, Cells b) { return a | b; };
    const auto without = [](Cells a, Cells b) { return a & ~b; };
    const auto count = [](Cells a) { return CountCells(a); };
    const auto forEach = [](Cells a, auto&& f) { ForEachCell(a, f); };
    const auto nonEmpty = [](const Cells(&sets)[9]) {
        unsigned digits = 0;
        for (int k = 0; k < 9; ++k) digits |= sets[k] != 0 ? 1u << k : 0u;
        return digits;
    };
    Bits81* const planes = &CandidateTable.CellsWith(1);
    Cells empty = emptyCells & ~CellBit(cell);
    const auto finish = [&] {
        emptyCells = empty;
        return true;
    };
#endif
    const Cells nothing = load(kNoCells);
    // The trial's digit, placed as PlaceDigit does.
    {
        const Cells bit = load(CellBit(cell));
        for (int k = 0; k < 9; ++k) planes[k] = without(planes[k], bit);
        planes[digit - 1] = without(planes[digit - 1], load(kPeers[cell]));
    }
    // Places the digits of the set bits of digits (bit d - 1 for digit d) in
    // their cells (no cell in two sets); false when two cells of one digit see
    // each other.
    Cells cells[9];
    const auto placeBatch = [&](unsigned digits, Cells all) {
        for (; digits != 0; digits &= digits - 1) {
            const int d = std::countr_zero(digits) + 1;
            const Cells these = cells[d - 1];
            Cells seen = nothing;
            forEach(these, [&](int cell) {
                seen = either(seen, load(kPeers[cell]));
                grid[cell] = static_cast<std::uint8_t>(d);
            });
            if (meet(seen, these)) return false;
            planes[d - 1] = without(planes[d - 1], seen);
            placed_[d] += count(these);
        }
        for (int k = 0; k < 9; ++k) planes[k] = without(planes[k], all);
        FilledCount += count(all);
        empty = without(empty, all);
        return true;
    };
    for (;;) {
        for (;;) {
            // The cells with one candidate, and with any.
            Cells once = planes[0], twice = nothing;
            for (int k = 1; k < 9; ++k) {
                twice = either(twice, both(once, planes[k]));
                once = either(once, planes[k]);
            }
            if (!none(without(empty, once))) return false;
            const Cells single = without(once, twice);
            if (none(single)) break;
            // A cell with one candidate is in one digit's set only.
            for (int k = 0; k < 9; ++k) cells[k] = both(single, planes[k]);
            if (!placeBatch(nonEmpty(cells), single)) return false;
            if (FilledCount >= kCells) return finish();
        }

        std::array<Bits81, 9> alone;
        const int found = ScanDigits(alone);
        if (found < 0) return false;
        if (found == 0) return finish();
        // The only place of two digits: two singles that cannot both hold.
        const auto digits = static_cast<unsigned>(found);
        Cells once = nothing, twice = nothing;
        for (unsigned m = digits; m != 0; m &= m - 1) {
            const int k = std::countr_zero(m);
            cells[k] = load(alone[k]);
            twice = either(twice, both(once, cells[k]));
            once = either(once, cells[k]);
        }
        if (!none(twice) || !placeBatch(digits, once)) return false;
        if (FilledCount >= kCells) return finish();
    }
}

// PropagateSinglesFast in the order of the first fast propagation: hidden
// singles digit by digit, each digit scanned after the placements of the
// digits before it. The bar rules need it, since each placement reaches the
// neighbours' other digits (placements go one by one through PlaceDigit); so
// does X-Sudoku, where a diagonal may lose its last place for a digit without
// the unit checks noticing, so that the order decides where the search goes.
bool Engine::PropagateInOrder(Bits81& empty) {
    Grid& grid = Level();
    const bool oneByOne = VariantKind == kNonConsecutive || VariantKind == kConsecutive;
    // Places the digit in every cell of the set; false when two of them see
    // each other (or, one by one, when an earlier one took the digit away).
    const auto placeAll = [&](Bits81 cells, int digit) {
        if (oneByOne) {
            bool all = true;
            ForEachCell(cells, [&](int cell) {
                if (!CandidateTable.Has(cell, digit)) {
                    all = false;
                    return;
                }
                PlaceDigit(cell, digit);
                ++placed_[digit];
            });
            empty &= ~cells;
            return all;
        }
        Bits81 seen = 0;
        ForEachCell(cells, [&](int cell) {
            seen |= UnitPeers(cell);
            grid[cell] = static_cast<std::uint8_t>(digit);
        });
        if ((seen & cells) != 0) return false;
        CandidateTable.ClearCells(cells);
        CandidateTable.CellsWith(digit) &= ~seen;
        const int n = CountCells(cells);
        FilledCount += n;
        placed_[digit] += n;
        empty &= ~cells;
        return true;
    };
    // A digit whose places have not changed since a scan found nothing for it
    // needs no second scan.
    std::array<Bits81, 10> scanned{};
    std::array<bool, 10> clean{};
    for (;;) {
        for (;;) {
            const auto counts = CandidateTable.SingleAndAny();
            if ((empty & ~counts.any) != 0) return false;
            if (counts.single == 0) break;
            for (int d = 1; d <= 9; ++d) {
                const Bits81 cells = counts.single & CandidateTable.CellsWith(d);
                if (cells != 0 && !placeAll(cells, d)) return false;
            }
            if (FilledCount >= kCells) return true;
        }

        bool progress = false;
        for (int d = 1; d <= 9; ++d) {
            const Bits81 places = CandidateTable.CellsWith(d);
            if (clean[d] && scanned[d] == places) continue;
            Bits81 alone = 0;
            if (!ScanDigit(d, alone)) return false;
            if (alone != 0) {
                if (!placeAll(alone, d)) return false;
                progress = true;
            }
            clean[d] = alone == 0;
            scanned[d] = places;
        }
        if (!progress || FilledCount >= kCells) return true;
    }
}

// The cells that are the only place of one digit in a row, column or box (or
// diagonal in X-Sudoku), and whether every row, column and box that does not
// hold the digit still has a place for it (see ScanDigits). The planes are cut
// into three 27-bit bands of three rows, every unit a 32-bit mask.
bool Engine::ScanDigit(int d, Bits81& alone) const {
    constexpr std::uint32_t kBand = (1u << 27) - 1;
    constexpr std::uint32_t kRow = 0x1FF;
    constexpr std::uint32_t kBoxInBand = 0x7u | (0x7u << 9) | (0x7u << 18);
    const auto single = [](std::uint32_t x) {
        return x & (0u - static_cast<std::uint32_t>((x & (x - 1)) == 0));
    };
    const Bits81 places = CandidateTable.CellsWith(d);
    const std::array<std::uint32_t, 3> b = {static_cast<std::uint32_t>(places) & kBand,
                                            static_cast<std::uint32_t>(places >> 27) & kBand,
                                            static_cast<std::uint32_t>(places >> 54) & kBand};
    std::array<std::uint32_t, 3> f{};
    int rows = 0, boxes = 0;
    std::uint32_t once = 0, twice = 0;
    for (int t = 0; t < 3; ++t) {
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t r = b[t] & (kRow << (9 * k));
            const std::uint32_t box = b[t] & (kBoxInBand << (3 * k));
            f[t] |= single(r) | single(box);
            rows += r != 0 ? 1 : 0;
            boxes += box != 0 ? 1 : 0;
            const std::uint32_t column = r >> (9 * k);
            twice |= once & column;
            once |= column;
        }
    }
    const int open = 9 - placed_[d];
    if (rows != open || boxes != open || std::popcount(once) != open) return false;
    const std::uint32_t columns = once & ~twice;
    const std::uint32_t spread = columns | columns << 9 | columns << 18;
    alone = Bits81{f[0] | (b[0] & spread)} | Bits81{f[1] | (b[1] & spread)} << 27 |
            Bits81{f[2] | (b[2] & spread)} << 54;
    if (XSudoku == 1) {
        for (int k = 0; k < 2; ++k) {
            const Bits81 here = places & kDiagonalMask[k];
            if (here != 0 && (here & (here - 1)) == 0) alone |= here;
        }
    }
    return true;
}

// The cells that are the only place of a digit in one of their units, for the
// nine digits at once, and whether every row, column and box that does not
// hold a digit still has a place for it. With no unit repeating a digit, each
// digit placed fills one row, one column and one box where it has no place
// left, so the check is that exactly as many units of each kind lack a place
// as the digit is placed.
//
// Digits 1-8 are scanned together: the nine rows of each plane are moved to
// 16-bit words and transposed, so that vector r holds row r of the eight
// digits. Rows are then tested in place, columns are the rows taken together
// and boxes the three rows of a band, eight units per operation without a
// branch. Digit 9 is scanned on its own. (Diagonals are not looked at: X-Sudoku
// takes PropagateInOrder.)
int Engine::ScanDigits(std::array<Bits81, 9>& alone) const {
#if defined(__SSE4_1__)
    // Byte shuffles: word r of a plane takes bytes r and r + 1, where row r
    // starts at bit r (rows 0-7); word k takes bytes 9 and 10, row 8.
    alignas(16) static constexpr std::array<std::array<std::int8_t, 16>, 8> kRow8 = [] {
        std::array<std::array<std::int8_t, 16>, 8> t{};
        for (int k = 0; k < 8; ++k) {
            for (auto& b : t[k]) b = -1;
            t[k][2 * k] = 9;
            t[k][2 * k + 1] = 10;
        }
        return t;
    }();
    // And back: word k (bytes 2k, 2k + 1) to bytes 9 and 10.
    alignas(16) static constexpr std::array<std::array<std::int8_t, 16>, 8> kRow8Back = [] {
        std::array<std::array<std::int8_t, 16>, 8> t{};
        for (int k = 0; k < 8; ++k) {
            for (auto& b : t[k]) b = -1;
            t[k][9] = static_cast<std::int8_t>(2 * k);
            t[k][10] = static_cast<std::int8_t>(2 * k + 1);
        }
        return t;
    }();
    const auto table = [](const std::array<std::int8_t, 16>& t) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(t.data()));
    };
    const __m128i pairs = _mm_setr_epi8(0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8);
    const __m128i zero = _mm_setzero_si128();
    const __m128i ones = _mm_set1_epi16(-1);
    const __m128i row = _mm_set1_epi16(0x1FF);
    // Eight words, eight words: word k of vector r to word r of vector k.
    const auto transpose = [](__m128i(&a)[8]) {
        const __m128i t0 = _mm_unpacklo_epi16(a[0], a[1]), t1 = _mm_unpackhi_epi16(a[0], a[1]);
        const __m128i t2 = _mm_unpacklo_epi16(a[2], a[3]), t3 = _mm_unpackhi_epi16(a[2], a[3]);
        const __m128i t4 = _mm_unpacklo_epi16(a[4], a[5]), t5 = _mm_unpackhi_epi16(a[4], a[5]);
        const __m128i t6 = _mm_unpacklo_epi16(a[6], a[7]), t7 = _mm_unpackhi_epi16(a[6], a[7]);
        const __m128i u0 = _mm_unpacklo_epi32(t0, t2), u1 = _mm_unpackhi_epi32(t0, t2);
        const __m128i u2 = _mm_unpacklo_epi32(t1, t3), u3 = _mm_unpackhi_epi32(t1, t3);
        const __m128i u4 = _mm_unpacklo_epi32(t4, t6), u5 = _mm_unpackhi_epi32(t4, t6);
        const __m128i u6 = _mm_unpacklo_epi32(t5, t7), u7 = _mm_unpackhi_epi32(t5, t7);
        a[0] = _mm_unpacklo_epi64(u0, u4);
        a[1] = _mm_unpackhi_epi64(u0, u4);
        a[2] = _mm_unpacklo_epi64(u1, u5);
        a[3] = _mm_unpackhi_epi64(u1, u5);
        a[4] = _mm_unpacklo_epi64(u2, u6);
        a[5] = _mm_unpackhi_epi64(u2, u6);
        a[6] = _mm_unpacklo_epi64(u3, u7);
        a[7] = _mm_unpackhi_epi64(u3, u7);
    };

    // Word r of a plane's shuffle shifted by 7 - r, then back by 7: row r.
    const __m128i up = _mm_setr_epi16(128, 64, 32, 16, 8, 4, 2, 1);
    // v[r], word k: row r of digit k + 1.
    __m128i v[9];
    __m128i last = zero;
    {
        for (int k = 0; k < 8; ++k) {
            __m128i p;
            const Bits81 plane = CandidateTable.CellsWith(k + 1);
            std::memcpy(&p, &plane, sizeof p);
            v[k] = _mm_srli_epi16(_mm_mullo_epi16(_mm_shuffle_epi8(p, pairs), up), 7);
            last = _mm_or_si128(last, _mm_shuffle_epi8(p, table(kRow8[k])));
        }
        transpose(reinterpret_cast<__m128i(&)[8]>(v));
        v[8] = _mm_and_si128(last, row);
    }

    // Rows: a row's cells when it holds at most one place.
    __m128i f[9];
    __m128i rowsMissing = zero, once = zero, twice = zero;
    for (int r = 0; r < 9; ++r) {
        const __m128i x = v[r];
        const __m128i atMostOne = _mm_cmpeq_epi16(_mm_and_si128(x, _mm_add_epi16(x, ones)), zero);
        f[r] = _mm_and_si128(x, atMostOne);
        rowsMissing = _mm_sub_epi16(rowsMissing, _mm_cmpeq_epi16(x, zero));
    }
    // Boxes: the columns of a band's three rows, taken once and twice (and so
    // the columns of the grid). A box holds two places or more when one of its
    // columns holds two, or two of them hold one each: pairs of columns are
    // found by shifts, and any bit of a box's three is brought to its first.
    // Bit 3s + b of boxes says that the box of stack s in band b has a place.
    const __m128i firsts = _mm_set1_epi16(0x49);
    __m128i boxes = zero;
    for (int b = 0; b < 3; ++b) {
        const __m128i r0 = v[3 * b], r1 = v[3 * b + 1], r2 = v[3 * b + 2];
        const __m128i o01 = _mm_or_si128(r0, r1);
        const __m128i o = _mm_or_si128(o01, r2);
        const __m128i o1 = _mm_srli_epi16(o, 1), o2 = _mm_srli_epi16(o, 2);
        const __m128i bandTwice = _mm_or_si128(_mm_and_si128(r0, r1), _mm_and_si128(r2, o01));
        twice = _mm_or_si128(twice, _mm_or_si128(bandTwice, _mm_and_si128(once, o)));
        once = _mm_or_si128(once, o);
        const __m128i many = _mm_or_si128(
            bandTwice, _mm_or_si128(_mm_and_si128(_mm_and_si128(o, o1), _mm_set1_epi16(0xDB)),
                                    _mm_and_si128(_mm_and_si128(o, o2), firsts)));
        const __m128i manyFirst = _mm_and_si128(
            _mm_or_si128(many, _mm_or_si128(_mm_srli_epi16(many, 1), _mm_srli_epi16(many, 2))),
            firsts);
        // The three columns of every box with at most one place.
        const __m128i keep = _mm_mullo_epi16(_mm_xor_si128(manyFirst, firsts), _mm_set1_epi16(7));
        boxes = _mm_or_si128(
            boxes, _mm_slli_epi16(_mm_and_si128(_mm_or_si128(o, _mm_or_si128(o1, o2)), firsts), b));
        for (int i = 0; i < 3; ++i)
            f[3 * b + i] = _mm_or_si128(f[3 * b + i], _mm_and_si128(v[3 * b + i], keep));
    }
    // Columns and boxes with a place: population counts of nine bits.
    const auto count9 = [](__m128i x) {
        __m128i n = _mm_sub_epi16(x, _mm_and_si128(_mm_srli_epi16(x, 1), _mm_set1_epi16(0x55)));
        n = _mm_add_epi16(_mm_and_si128(n, _mm_set1_epi16(0x133)),
                          _mm_and_si128(_mm_srli_epi16(n, 2), _mm_set1_epi16(0x33)));
        n = _mm_add_epi16(n, _mm_srli_epi16(n, 4));
        return _mm_and_si128(_mm_add_epi16(n, _mm_srli_epi16(n, 8)), _mm_set1_epi16(0xF));
    };
    const __m128i placed =
        _mm_packs_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(&placed_[1])),
                        _mm_loadu_si128(reinterpret_cast<const __m128i*>(&placed_[5])));
    const __m128i nine = _mm_set1_epi16(9);
    __m128i good = _mm_cmpeq_epi16(rowsMissing, placed);
    good = _mm_and_si128(good, _mm_cmpeq_epi16(_mm_add_epi16(count9(boxes), placed), nine));
    good = _mm_and_si128(good, _mm_cmpeq_epi16(_mm_add_epi16(count9(once), placed), nine));
    if (_mm_movemask_epi8(good) != 0xFFFF) return -1;

    // Columns: where the nine rows hold a place once.
    const __m128i column = _mm_andnot_si128(twice, once);
    __m128i any = zero;
    for (int r = 0; r < 9; ++r) {
        f[r] = _mm_or_si128(f[r], _mm_and_si128(v[r], column));
        any = _mm_or_si128(any, f[r]);
    }
    // Bit k for digit k + 1 when it has a single somewhere.
    const int digits = _mm_movemask_epi8(_mm_packs_epi16(_mm_cmpeq_epi16(any, zero), zero)) ^ 0xFF;
    if (digits != 0) {
        // Back to eight 81-bit planes: word r shifted by r, its two bytes to
        // bytes r and r + 1, even and odd rows apart so that none overlap.
        transpose(reinterpret_cast<__m128i(&)[8]>(f));
        const __m128i down = _mm_setr_epi16(1, 2, 4, 8, 16, 32, 64, 128);
        const __m128i even =
            _mm_setr_epi8(0, 1, 4, 5, 8, 9, 12, 13, -1, -1, -1, -1, -1, -1, -1, -1);
        const __m128i odd =
            _mm_setr_epi8(-1, 2, 3, 6, 7, 10, 11, 14, 15, -1, -1, -1, -1, -1, -1, -1);
        for (int k = 0; k < 8; ++k) {
            const __m128i w = _mm_mullo_epi16(f[k], down);
            const __m128i p =
                _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(w, even), _mm_shuffle_epi8(w, odd)),
                             _mm_shuffle_epi8(f[8], table(kRow8Back[k])));
            std::memcpy(&alone[k], &p, sizeof p);
        }
    }
    // Digit 9: its rows 0-7 in the eight words of one vector, row 8 apart.
    {
        const Bits81 plane = CandidateTable.CellsWith(9);
        __m128i p;
        std::memcpy(&p, &plane, sizeof p);
        const __m128i x = _mm_srli_epi16(_mm_mullo_epi16(_mm_shuffle_epi8(p, pairs), up), 7);
        const auto last = static_cast<unsigned>(static_cast<std::uint64_t>(plane >> 72)) & 0x1FF;
        const int placed = placed_[9];
        // Rows.
        const __m128i atMostOne = _mm_cmpeq_epi16(_mm_and_si128(x, _mm_add_epi16(x, ones)), zero);
        __m128i found = _mm_and_si128(x, atMostOne);
        unsigned foundLast = (last & (last - 1)) == 0 ? last : 0;
        const int rowsWithout =
            std::popcount(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(x, zero)))) / 2 +
            (last == 0 ? 1 : 0);
        // Columns: the eight words folded in halves, once and twice, then row 8.
        __m128i o = x, t = zero;
        {
            const __m128i y = _mm_srli_epi32(o, 16);
            t = _mm_and_si128(o, y);
            o = _mm_or_si128(o, y);
        }
        {
            const __m128i y = _mm_srli_epi64(o, 32);
            t = _mm_or_si128(_mm_or_si128(t, _mm_srli_epi64(t, 32)), _mm_and_si128(o, y));
            o = _mm_or_si128(o, y);
        }
        {
            const __m128i y = _mm_srli_si128(o, 8);
            t = _mm_or_si128(_mm_or_si128(t, _mm_srli_si128(t, 8)), _mm_and_si128(o, y));
            o = _mm_or_si128(o, y);
        }
        const auto o8 = static_cast<unsigned>(_mm_cvtsi128_si32(o)) & 0x1FF;
        const auto t8 = static_cast<unsigned>(_mm_cvtsi128_si32(t)) & 0x1FF;
        const unsigned once9 = o8 | last, twice9 = t8 | (o8 & last);
        // Boxes: word 3b takes the three rows of band b, as the digits above.
        const __m128i x1 = _mm_srli_si128(x, 2);
        const __m128i x2 = _mm_insert_epi16(_mm_srli_si128(x, 4), static_cast<int>(last), 6);
        const __m128i o01 = _mm_or_si128(x, x1);
        const __m128i ob = _mm_or_si128(o01, x2);
        const __m128i ob1 = _mm_srli_epi16(ob, 1), ob2 = _mm_srli_epi16(ob, 2);
        const __m128i many =
            _mm_or_si128(_mm_or_si128(_mm_and_si128(x, x1), _mm_and_si128(x2, o01)),
                         _mm_or_si128(_mm_and_si128(_mm_and_si128(ob, ob1), _mm_set1_epi16(0xDB)),
                                      _mm_and_si128(_mm_and_si128(ob, ob2), firsts)));
        const __m128i manyFirst = _mm_and_si128(
            _mm_or_si128(many, _mm_or_si128(_mm_srli_epi16(many, 1), _mm_srli_epi16(many, 2))),
            firsts);
        const __m128i boxFirsts = _mm_and_si128(_mm_or_si128(ob, _mm_or_si128(ob1, ob2)), firsts);
        // The low bytes of words 0, 3 and 6 hold bits 0, 3 and 6.
        const int boxesWith = std::popcount(static_cast<unsigned>(_mm_cvtsi128_si32(
            _mm_shuffle_epi8(boxFirsts, _mm_setr_epi8(0, 6, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                                      -1, -1, -1, -1)))));
        if (rowsWithout != placed || boxesWith + placed != 9 || std::popcount(once9) + placed != 9)
            return -1;
        const __m128i keepBand =
            _mm_and_si128(_mm_mullo_epi16(_mm_xor_si128(manyFirst, firsts), _mm_set1_epi16(7)),
                          _mm_setr_epi16(-1, 0, 0, -1, 0, 0, -1, 0));
        const __m128i keep = _mm_or_si128(
            keepBand, _mm_or_si128(_mm_slli_si128(keepBand, 2), _mm_slli_si128(keepBand, 4)));
        const unsigned column = once9 & ~twice9;
        found = _mm_or_si128(
            found,
            _mm_and_si128(x, _mm_or_si128(keep, _mm_set1_epi16(static_cast<short>(column)))));
        foundLast |= last & (column | static_cast<unsigned>(_mm_extract_epi16(keepBand, 6)));
        if (_mm_testz_si128(found, found) && foundLast == 0) return digits;
        const __m128i w = _mm_mullo_epi16(found, _mm_setr_epi16(1, 2, 4, 8, 16, 32, 64, 128));
        const __m128i rows =
            _mm_or_si128(_mm_shuffle_epi8(w, _mm_setr_epi8(0, 1, 4, 5, 8, 9, 12, 13, -1, -1, -1, -1,
                                                           -1, -1, -1, -1)),
                         _mm_shuffle_epi8(w, _mm_setr_epi8(-1, 2, 3, 6, 7, 10, 11, 14, 15, -1, -1,
                                                           -1, -1, -1, -1, -1)));
        Bits81 cells;
        std::memcpy(&cells, &rows, sizeof cells);
        alone[8] = cells | Bits81{foundLast} << 72;
        return digits | 1 << 8;
    }
#else
    int found = 0;
    for (int d = 1; d <= 9; ++d) {
        if (!ScanDigit(d, alone[d - 1])) return -1;
        if (alone[d - 1] != 0) found |= 1 << (d - 1);
    }
    return found;
#endif
}

// One level of the trial search. Level L is the position; each digit of the
// branch cell is tried at level L + 1, which is put back to level L and its
// candidates after every trial. kFindOne stops at the first complete grid and
// keeps it.
//
// entryPure says that CandidateTable holds exactly what the rules give for
// level L (no technique eliminations from the caller). In that case the
// candidates of level L are restored from a copy instead of being recomputed,
// and a hopeless position below level 0 is left at once: its subtree could find
// no solution and would only cost time (exponential time when the contradiction
// sits late in cell order; checked says the fast propagation of the caller has
// already looked). Singles are batched only when, in addition, no unit
// repeats a digit (shortcuts_). Level 0 always runs its trials, which set
// FirstBranch. A call below level 0 leaves the restoring to its caller.
template <bool kFindOne> void Engine::Search(bool entryPure, bool checked, Bits81 empty) {
    if (kFindOne || Generating) Pump();
    const int level = HistoryLevel;
    if (level + 1 >= kGridLevels) return; // unreachable: every level fills one more cell
    CellGrid[level + 1] = CellGrid[level];

    // Candidates left by a caller's eliminations are judged by the rules alone:
    // a cell that the rules leave without candidate stays so below, whatever
    // the caller removed.
    const bool prune = level > 0 && (entryPure ? !checked && Hopeless(CandidateTable)
                                               : Hopeless(RulesCandidates()));
    if (!checked) empty = kAllCells & ~Level().FilledCells();
    const int cell = SolutionCount < SolutionLimit && !prune ? ChooseBranchCell(empty) : -1;
    if (cell >= 0) {
        // The fast propagation of the caller has kept the placed digits.
        if (!checked && shortcuts_) CountPlaced();
        const std::array<int, 16> levelPlaced = placed_;
        HistoryLevel = level + 1;
        bool pure = entryPure;
        Candidates levelCandidates = CandidateTable;
        int levelFilled = FilledCount;
        // The digits of the cell still to try, bit d - 1 for digit d.
        unsigned digits = DigitsOf(CandidateTable, cell);
        while (digits != 0 && SolutionCount < SolutionLimit) {
            const int d = std::countr_zero(digits) + 1;
            digits &= digits - 1;
            // Every level below stops at its next trial: each puts its level
            // back as after a trial.
            if (++SearchTrials > TrialBudget) {
                SearchAbandoned = true;
                break;
            }
            if (HistoryLevel == 1) FirstBranch = {cell, d};
            const bool fast = pure && shortcuts_;
            bool open = true;
            Bits81 trialEmpty = empty;
            if (fast) {
                placed_ = levelPlaced;
                open = PropagateSinglesFast(cell, d, trialEmpty);
            } else {
                PlaceDigit(cell, d);
                PropagateSingles();
            }
            if (FilledCount == kCells) {
                if constexpr (kFindOne) {
                    SolutionCount = 2;
                    SearchSolution = CellGrid[level + 1];
                } else {
                    ++SolutionCount;
                }
                BruteForceCell = FirstBranch.cell;
                BruteForceDigit = FirstBranch.digit;
            } else if (open) {
                Search<kFindOne>(pure, fast, trialEmpty);
            }
            // Back to level L: its grid, and the candidates the rules give for it.
            CellGrid[level + 1] = CellGrid[level];
            if (pure) {
                CandidateTable = levelCandidates;
                FilledCount = levelFilled;
            } else {
                ComputeCandidates();
                levelCandidates = CandidateTable;
                levelFilled = FilledCount;
                pure = true;
                digits = DigitsOf(CandidateTable, cell) >> d << d;
            }
        }
        HistoryLevel = level;
    }
    // Level 0 hands back the candidates the rules give: a pure table is the one
    // it started from, which every trial has put back.
    if (level == 0) {
        if (entryPure)
            FilledCount = Level().FilledCount();
        else
            ComputeCandidates();
    }
}

// The shortcuts of the search rely on every unit of a completed grid holding
// each digit once, which only holds when no unit already repeats a digit. The
// searches refuse a row, column or box that does; an X-Sudoku diagonal may
// (nothing rejects it), and such a grid takes the literal path. Called once
// the search has not refused the grid: with every cell holding 0-9, the rows,
// columns and boxes are known distinct then and only the diagonals are left.
bool Engine::UnitsDistinct() const {
    const Grid& grid = Level();
    bool digitsOnly = true;
#if defined(__SSE2__)
    {
        __m128i above = _mm_setzero_si128();
        for (int block = 0; block < 6; ++block)
            above = _mm_or_si128(
                above,
                _mm_subs_epu8(
                    _mm_load_si128(reinterpret_cast<const __m128i*>(grid.digits.data()) + block),
                    _mm_set1_epi8(9)));
        digitsOnly = _mm_movemask_epi8(_mm_cmpeq_epi8(above, _mm_setzero_si128())) == 0xFFFF;
    }
#else
    for (int c = 0; c < kCells; ++c) digitsOnly = digitsOnly && grid[c] <= 9;
#endif
    const auto distinct = [&](const std::array<int, 9>& unit) {
        unsigned seen = 0;
        for (const int c : unit) {
            const unsigned bit = 1u << grid[c];
            if (grid[c] != 0 && (seen & bit) != 0) return false;
            seen |= bit;
        }
        return true;
    };
    for (int u = 0; u < 9 && !digitsOnly; ++u)
        if (!distinct(RowCells[u]) || !distinct(ColumnCells[u]) || !distinct(BoxCells[u]))
            return false;
    return XSudoku != 1 || (distinct(MainDiagonal) && distinct(AntiDiagonal));
}

// A position that repeats a digit in a row, column or box has no solution, yet
// the trials could take astronomically long to exhaust it: the searches leave
// it at once, as they leave a position without branch cell.
bool Engine::SearchRefused() {
    if (!LinesRepeat(Level())) return false;
    if (HistoryLevel + 1 < kGridLevels) CellGrid[HistoryLevel + 1] = CellGrid[HistoryLevel];
    if (HistoryLevel == 0) ComputeCandidates();
    return true;
}

void Engine::CountSolutions() {
    SearchTrials = 0;
    SearchAbandoned = false;
    if (SearchRefused()) return;
    shortcuts_ = UnitsDistinct();
    Search<false>(CandidateTable == RulesCandidates(), false, kNoCells);
    if (SearchAbandoned) ++abandonedSearches_;
}

void Engine::FindOneSolution() {
    SearchTrials = 0;
    SearchAbandoned = false;
    if (SearchRefused()) return;
    shortcuts_ = UnitsDistinct();
    Search<true>(CandidateTable == RulesCandidates(), false, kNoCells);
    if (SearchAbandoned) ++abandonedSearches_;
}

} // namespace vemo
