// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine.h"

#if defined(__SSE4_1__)
#include <smmintrin.h>
#endif

namespace vemo {

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
int Engine::ChooseBranchCell() const {
    const auto planes = CandidateTable.Planes();
    const Bits81 empty = kAllCells & ~Level().FilledCells();
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
// the caller restores the level. placed_ holds the placed digits of the level
// on entry and is kept up to date.
bool Engine::PropagateSinglesFast() {
    Grid& grid = Level();
    Bits81 empty = kAllCells & ~grid.FilledCells();
    // The bar rules reach the neighbours' other digits: their placements go one
    // by one through PlaceDigit.
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
            const DigitScan scan = ScanDigit(places);
            // With no unit repeating a digit, each one placed fills one row,
            // one column and one box where it has no place left: every other
            // unit needs a place for it.
            const int open = 9 - placed_[d];
            if (scan.rows != open || scan.columns != open || scan.boxes != open) return false;
            if (scan.alone != 0) {
                if (!placeAll(scan.alone, d)) return false;
                progress = true;
            }
            clean[d] = scan.alone == 0;
            scanned[d] = places;
        }
        if (!progress || FilledCount >= kCells) return true;
    }
}

// The cells that are the only place of a digit in one of their units, and how
// many rows, columns and boxes have any place for it. The places are cut into
// three 27-bit bands of three rows, so that every unit is a 32-bit mask; the
// three bands are tested side by side in the lanes of one vector, without
// branches.
Engine::DigitScan Engine::ScanDigit(Bits81 places) const {
    constexpr std::uint32_t kBand = (1u << 27) - 1;
    constexpr std::uint32_t kRow = 0x1FF;
    constexpr std::uint32_t kBoxInBand = 0x7u | (0x7u << 9) | (0x7u << 18);
    const auto low = static_cast<std::uint64_t>(places);
    const std::uint32_t b0 = static_cast<std::uint32_t>(low) & kBand;
    const std::uint32_t b1 = static_cast<std::uint32_t>(low >> 27) & kBand;
    const std::uint32_t b2 = static_cast<std::uint32_t>(places >> 54) & kBand;
    DigitScan scan;
    std::uint32_t f0, f1, f2, columns;
#if defined(__SSE4_1__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i ones = _mm_set1_epi32(-1);
    // The fourth lane is a full band: no single, no unit without place.
    const __m128i v = _mm_set_epi32(static_cast<int>(kBand), static_cast<int>(b2),
                                    static_cast<int>(b1), static_cast<int>(b0));
    __m128i found = zero, missing = zero;
    // A unit's cells when it holds at most one (none is harmless: nothing is
    // kept), and a count of units without any: rows in the low half of each
    // lane, boxes in the high half.
    const auto unit = [&](std::uint32_t mask, int countBit) {
        const __m128i x = _mm_and_si128(v, _mm_set1_epi32(static_cast<int>(mask)));
        const __m128i atMostOne = _mm_cmpeq_epi32(_mm_and_si128(x, _mm_add_epi32(x, ones)), zero);
        found = _mm_or_si128(found, _mm_and_si128(x, atMostOne));
        missing = _mm_add_epi32(missing,
                                _mm_and_si128(_mm_cmpeq_epi32(x, zero), _mm_set1_epi32(countBit)));
    };
    unit(kRow, 1);
    unit(kRow << 9, 1);
    unit(kRow << 18, 1);
    unit(kBoxInBand, 1 << 16);
    unit(kBoxInBand << 3, 1 << 16);
    unit(kBoxInBand << 6, 1 << 16);
    __m128i sum = _mm_add_epi32(missing, _mm_shuffle_epi32(missing, _MM_SHUFFLE(1, 0, 3, 2)));
    sum = _mm_add_epi32(sum, _mm_shuffle_epi32(sum, _MM_SHUFFLE(2, 3, 0, 1)));
    const auto counts = static_cast<std::uint32_t>(_mm_cvtsi128_si32(sum));
    scan.rows = 9 - static_cast<int>(counts & 0xFFFF);
    scan.boxes = 9 - static_cast<int>(counts >> 16);
    f0 = static_cast<std::uint32_t>(_mm_cvtsi128_si32(found));
    f1 = static_cast<std::uint32_t>(_mm_extract_epi32(found, 1));
    f2 = static_cast<std::uint32_t>(_mm_extract_epi32(found, 2));
#else
    const auto single = [](std::uint32_t x) {
        return x & (0u - static_cast<std::uint32_t>((x & (x - 1)) == 0));
    };
    const auto any = [](std::uint32_t x) { return x != 0 ? 1 : 0; };
    std::array<std::uint32_t, 3> f{};
    const std::array<std::uint32_t, 3> band = {b0, b1, b2};
    for (int t = 0; t < 3; ++t) {
        for (int k = 0; k < 3; ++k) {
            const std::uint32_t row = band[t] & (kRow << (9 * k));
            const std::uint32_t box = band[t] & (kBoxInBand << (3 * k));
            f[t] |= single(row) | single(box);
            scan.rows += any(row);
            scan.boxes += any(box);
        }
    }
    f0 = f[0];
    f1 = f[1];
    f2 = f[2];
#endif
    // Columns: where the nine rows hold a place once, and at least once.
    std::uint32_t once = 0, twice = 0;
    for (const std::uint32_t b : {b0, b1, b2}) {
        const std::uint32_t r0 = b & kRow, r1 = (b >> 9) & kRow, r2 = b >> 18;
        twice |= (once & r0) | (r1 & (once | r0)) | (r2 & (once | r0 | r1));
        once |= r0 | r1 | r2;
    }
    columns = once & ~twice;
    scan.columns = std::popcount(once);
    const std::uint32_t spread = columns | columns << 9 | columns << 18;
    scan.alone = Bits81{f0 | (b0 & spread)} | Bits81{f1 | (b1 & spread)} << 27 |
                 Bits81{f2 | (b2 & spread)} << 54;
    if (XSudoku == 1) {
        for (int k = 0; k < 2; ++k) {
            const Bits81 here = places & kDiagonalMask[k];
            if (here != 0 && (here & (here - 1)) == 0) scan.alone |= here;
        }
    }
    return scan;
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
template <bool kFindOne> void Engine::Search(bool entryPure, bool checked) {
    if (kFindOne || Generating) Pump();
    const int level = HistoryLevel;
    if (level + 1 >= kGridLevels) return; // unreachable: every level fills one more cell
    CellGrid[level + 1] = CellGrid[level];

    // Candidates left by a caller's eliminations are judged by the rules alone:
    // a cell that the rules leave without candidate stays so below, whatever
    // the caller removed.
    const bool prune = level > 0 && (entryPure ? !checked && Hopeless(CandidateTable)
                                               : Hopeless(RulesCandidates()));
    const int cell = SolutionCount < SolutionLimit && !prune ? ChooseBranchCell() : -1;
    if (cell >= 0) {
        // The fast propagation of the caller has kept the placed digits.
        if (!checked && shortcuts_) CountPlaced();
        const std::array<int, 16> levelPlaced = placed_;
        HistoryLevel = level + 1;
        bool pure = entryPure;
        Candidates levelCandidates = CandidateTable;
        int levelFilled = FilledCount;
        for (int d = 1; d <= 9 && SolutionCount < SolutionLimit; ++d) {
            if (!CandidateTable.Has(cell, d)) continue;
            // Every level below stops at its next trial: each puts its level
            // back as after a trial.
            if (++SearchTrials > TrialBudget) {
                SearchAbandoned = true;
                break;
            }
            PlaceDigit(cell, d);
            if (HistoryLevel == 1) FirstBranch = {cell, d};
            const bool fast = pure && shortcuts_;
            bool open = true;
            if (fast) {
                placed_ = levelPlaced;
                ++placed_[d];
                open = PropagateSinglesFast();
            } else {
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
                Search<kFindOne>(pure, fast);
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
            }
        }
        HistoryLevel = level;
    }
    if (level == 0) ComputeCandidates();
}

// The shortcuts of the search rely on every unit of a completed grid holding
// each digit once, which only holds when no unit already repeats a digit. The
// searches refuse a row, column or box that does; an X-Sudoku diagonal may
// (nothing rejects it), and such a grid takes the literal path.
bool Engine::UnitsDistinct() const {
    const Grid& grid = Level();
    const auto distinct = [&](const std::array<int, 9>& unit) {
        unsigned seen = 0;
        for (const int c : unit) {
            const unsigned bit = 1u << grid[c];
            if (grid[c] != 0 && (seen & bit) != 0) return false;
            seen |= bit;
        }
        return true;
    };
    for (int u = 0; u < 9; ++u)
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
    Search<false>(CandidateTable == RulesCandidates(), false);
    if (SearchAbandoned) ++abandonedSearches_;
}

void Engine::FindOneSolution() {
    SearchTrials = 0;
    SearchAbandoned = false;
    if (SearchRefused()) return;
    shortcuts_ = UnitsDistinct();
    Search<true>(CandidateTable == RulesCandidates(), false);
    if (SearchAbandoned) ++abandonedSearches_;
}

} // namespace vemo
