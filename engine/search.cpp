#include "engine.h"

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

// The same closure as PropagateSingles, reached faster, for a position whose
// candidates are exactly what the rules give. Every single is forced in every
// completion of the position, so the order of placement changes nothing when a
// completion exists; when none exists the subtree finds nothing either way.
// Singles are therefore placed in batches, and the work stops at the first
// contradiction (an empty cell without candidate): returns false then.
bool Engine::PropagateSinglesFast() {
    const Grid& grid = Level();
    Bits81 empty = kAllCells & ~grid.FilledCells();
    // How often each digit is placed. With no unit repeating a digit, each one
    // placed fills one row, one column and one box where it has no place left.
    std::array<int, 16> placed{};
    for (int c = 0; c < kCells; ++c) ++placed[grid[c] & 15];
    const auto place = [&](int cell, int digit) {
        PlaceDigit(cell, digit);
        empty &= ~CellBit(cell);
        ++placed[digit];
    };
    // A digit whose places have not changed since a scan found nothing for it
    // needs no second scan.
    std::array<Bits81, 10> scanned{};
    std::array<bool, 10> clean{};
    for (;;) {
        for (Bits81 singles = CandidateTable.SingleCells(); singles != 0;
             singles = CandidateTable.SingleCells()) {
            for (int d = 1; d <= 9; ++d) {
                ForEachCell(singles & CandidateTable.CellsWith(d), [&](int cell) {
                    // An earlier placement of this batch may have taken the digit.
                    if (CandidateTable.Has(cell, d)) place(cell, d);
                });
            }
            if (FilledCount >= kCells) return true;
            if ((empty & ~CandidateTable.AnyCells()) != 0) return false;
        }
        if ((empty & ~CandidateTable.AnyCells()) != 0) return false;

        bool progress = false;
        for (int d = 1; d <= 9; ++d) {
            const Bits81 places = CandidateTable.CellsWith(d);
            if (clean[d] && scanned[d] == places) continue;
            const DigitScan scan = ScanDigit(places);
            // A row, column or box with neither the digit nor a place for it.
            const int open = 9 - placed[d];
            if (std::popcount(scan.units.rows) != open ||
                std::popcount(scan.units.columns) != open ||
                std::popcount(scan.units.boxes) != open)
                return false;
            ForEachCell(scan.alone, [&](int cell) {
                if (!CandidateTable.Has(cell, d)) return;
                place(cell, d);
                progress = true;
            });
            clean[d] = scan.alone == 0;
            scanned[d] = places;
        }
        if (!progress || FilledCount >= kCells) return true;
    }
}

// The cells that are the only place of a digit in one of their units, and the
// rows, columns and boxes that have any place for it. The places are cut into
// three 27-bit bands of three rows, so that every unit test is a 32-bit mask.
Engine::DigitScan Engine::ScanDigit(Bits81 places) const {
    DigitScan scan;
    if (places == 0) return scan;
    constexpr std::uint32_t kBand = (1u << 27) - 1;
    const std::array<std::uint32_t, 3> band = {static_cast<std::uint32_t>(places) & kBand,
                                               static_cast<std::uint32_t>(places >> 27) & kBand,
                                               static_cast<std::uint32_t>(places >> 54) & kBand};
    const auto alone = [](std::uint32_t x) { return x != 0 && (x & (x - 1)) == 0; };
    std::array<std::uint32_t, 3> found{};
    std::uint32_t once = 0, twice = 0;
    for (int r = 0; r < 9; ++r) {
        const int shift = 9 * (r % 3);
        const std::uint32_t row = (band[r / 3] >> shift) & 0x1FF;
        if (alone(row)) found[r / 3] |= row << shift;
        if (row != 0) scan.units.rows |= 1u << r;
        twice |= once & row;
        once |= row;
    }
    scan.units.columns = once;
    const std::uint32_t columns = once & ~twice;
    constexpr std::uint32_t kBoxInBand = 0x7u | (0x7u << 9) | (0x7u << 18);
    for (int t = 0; t < 3; ++t) {
        found[t] |= band[t] & (columns | columns << 9 | columns << 18);
        for (int j = 0; j < 3; ++j) {
            const std::uint32_t box = band[t] & (kBoxInBand << (3 * j));
            if (box != 0) scan.units.boxes |= 1u << (3 * t + j);
            if (alone(box)) found[t] |= box;
        }
    }
    scan.alone = Bits81{found[0]} | Bits81{found[1]} << 27 | Bits81{found[2]} << 54;
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
        HistoryLevel = level + 1;
        bool pure = entryPure;
        Candidates levelCandidates = CandidateTable;
        int levelFilled = FilledCount;
        for (int d = 1; d <= 9 && SolutionCount < SolutionLimit; ++d) {
            if (!CandidateTable.Has(cell, d)) continue;
            PlaceDigit(cell, d);
            if (HistoryLevel == 1) FirstBranch = {cell, d};
            const bool fast = pure && shortcuts_;
            bool open = true;
            if (fast)
                open = PropagateSinglesFast();
            else
                PropagateSingles();
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
    if (SearchRefused()) return;
    shortcuts_ = UnitsDistinct();
    Search<false>(CandidateTable == RulesCandidates(), false);
}

void Engine::FindOneSolution() {
    if (SearchRefused()) return;
    shortcuts_ = UnitsDistinct();
    Search<true>(CandidateTable == RulesCandidates(), false);
}

} // namespace vemo
