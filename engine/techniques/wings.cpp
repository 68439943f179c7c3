// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// XY-wing (a pivot with two pincers that each share one digit with it) and the
// impossible neighbour of consecutive grids (a barred pair whose digits must
// differ by one).
#include "../engine.h"

#include <bit>
#include <sstream>
#include <string>

namespace vemo {

namespace {

// The digits of a 9-bit mask, lowest first.
int LowDigit(unsigned mask) {
    return std::countr_zero(mask) + 1;
}
unsigned Bit(int digit) {
    return 1u << (digit - 1);
}

// One wing being tried: pivot P with {s, a}, pincer Q with {s, b}.
struct Wing {
    int a = 0, b = 0;
};

// P and Q form the first two cells of a wing when Q shares exactly one of P's
// two digits and their other digits differ.
bool MakeWing(unsigned p, unsigned q, Wing& wing) {
    const unsigned shared = p & q;
    if (std::popcount(shared) != 1) return false;
    wing.a = LowDigit(p & ~shared);
    wing.b = LowDigit(q & ~shared);
    return wing.a != wing.b;
}

} // namespace

void Engine::FindXYWing() {
    XYWing = {};
    memo_.RefreshMasks(CandidateTable);
    const auto& masks = memo_.masks;
    const auto mask = [&](int cell) { return static_cast<unsigned>(masks[cell]); };
    const auto bivalue = [&](int cell) { return std::popcount(masks[cell]) == 2; };
    const auto qualifies = [&](int cell, const Wing& w) {
        return mask(cell) == (Bit(w.a) | Bit(w.b));
    };
    const auto report = [&](int found, int b, int cellA, int cellB, int cellC, int cellD) {
        XYWing.found = found;
        XYWing.digit = b;
        XYWing.cells = {cellA, cellB, cellC, cellD};
        return true;
    };
    // The wing on the line of A and B with pivot P (A or B) and pincer Q; the
    // third cell lies on P's cross line or in P's box. byRows: the pair shares
    // a row.
    const auto tryPivot = [&](int cellA, int cellB, int p, int q, bool byRows) {
        Wing w;
        if (!MakeWing(mask(p), mask(q), w)) return false;
        const int pr = p / 9, pc = p % 9, qr = q / 9, qc = q % 9;
        // Column form (row form for column pairs): C beside P across the line,
        // D beside Q on the same cross line.
        for (int k = 0; k < 9; ++k) {
            if (k == (byRows ? pr : pc)) continue;
            const int c = byRows ? k * 9 + pc : pr * 9 + k;
            const int d = byRows ? k * 9 + qc : qr * 9 + k;
            if (qualifies(c, w) && CellGrid[HistoryLevel][d] == 0 && CandidateTable.Has(d, w.b)) {
                XYWing.eliminations[0] = d;
                XYWing.eliminationCount = 1;
                return report(1, w.b, cellA, cellB, c, d);
            }
        }
        // Box form, only when the pair lies in two boxes.
        const int pBox = CellUnits[p][2], qBox = CellUnits[q][2];
        if (pBox == qBox) return false;
        const auto& boxCells = byRows ? BoxCells[pBox] : BoxCellsByColumn[pBox];
        for (const int c : boxCells) {
            if ((byRows ? c / 9 : c % 9) == (byRows ? pr : pc) || !qualifies(c, w)) continue;
            std::array<int, 5> found{};
            int n = 0;
            for (int j = 0; j < 3; ++j) {
                // The j-th cell of P's box on the pair's line, then the j-th cell of
                // Q's box on C's line: each sees both pincers.
                const int inPBox =
                    byRows ? pr * 9 + (pBox % 3) * 3 + j : ((pBox / 3) * 3 + j) * 9 + pc;
                const int inQBox =
                    byRows ? (c / 9) * 9 + (qBox % 3) * 3 + j : ((qBox / 3) * 3 + j) * 9 + c % 9;
                if (inPBox != p && CandidateTable.Has(inPBox, w.b) && n < 5) found[n++] = inPBox;
                if (CandidateTable.Has(inQBox, w.b) && n < 5) found[n++] = inQBox;
            }
            if (n > 0) {
                XYWing.eliminations = found;
                XYWing.eliminationCount = n;
                return report(2, w.b, cellA, cellB, c, 0);
            }
        }
        return false;
    };
    for (int r = 0; r < 9; ++r)
        for (int c1 = 0; c1 < 8; ++c1) {
            const int a = r * 9 + c1;
            if (!bivalue(a)) continue;
            for (int c2 = c1 + 1; c2 < 9; ++c2) {
                const int b = r * 9 + c2;
                if (!bivalue(b)) continue;
                if (tryPivot(a, b, a, b, true) || tryPivot(a, b, b, a, true)) return;
            }
        }
    for (int c = 0; c < 9; ++c)
        for (int r1 = 0; r1 < 8; ++r1) {
            const int a = r1 * 9 + c;
            if (!bivalue(a)) continue;
            for (int r2 = r1 + 1; r2 < 9; ++r2) {
                const int b = r2 * 9 + c;
                if (!bivalue(b)) continue;
                if (tryPivot(a, b, a, b, false) || tryPivot(a, b, b, a, false)) return;
            }
        }
}

void Engine::ApplyXYWing() {
    if (XYWing.found == 0 || XYWing.digit < 1 || XYWing.digit > 9) return;
    for (int i = 0; i < XYWing.eliminationCount && i < 5; ++i)
        CandidateTable.Remove(XYWing.eliminations[i], XYWing.digit);
}

void Engine::ImpossibleNeighbourDigits(int cellA, int cellB) {
    ImpossibleNeighbourResult& r = ImpossibleNeighbour;
    r.cellA = cellA;
    r.cellB = cellB;
    const auto list = [&](int x, int y, std::array<int, 9>& digits, int& count) {
        count = 0;
        const auto has = [&](int cell, int d) {
            return d >= 1 && d <= 9 && CandidateTable.Has(cell, d);
        };
        if (has(x, 1) && !has(y, 2)) digits[count++] = 1;
        if (has(x, 9) && !has(y, 8)) digits[count++] = 9;
        for (int d = 2; d <= 8; ++d)
            if (has(x, d) && !has(y, d - 1) && !has(y, d + 1)) digits[count++] = d;
    };
    list(cellA, cellB, r.digitsA, r.countA);
    list(cellB, cellA, r.digitsB, r.countB);
}

void Engine::FindImpossibleNeighbour() {
    ImpossibleNeighbour = {};
    Bits81 barred = 0;
    for (int c = 0; c < kCells; ++c)
        if (NeighbourMarks[c][0] >= 1) barred |= CellBit(c);
    if (barred == 0) return; // no bar, nothing to find (every classic grid)
    const auto planes = CandidateTable.Planes();
    for (int n = 2; n <= 9; ++n) {
        for (Bits81 cells = planes.WithCount(n) & barred; cells != 0; cells &= cells - 1) {
            const int a = FirstCell(cells);
            const unsigned aMask = CandidateTable.Mask(a);
            // Digits one less or one more than a candidate of A.
            const unsigned allowed = ((aMask << 1) | (aMask >> 1)) & 0x1FF;
            for (int k = 1; k <= 4; ++k) {
                if (NeighbourMarks[a][k] != 1) continue;
                const int b = a + NeighbourOffsets[k];
                if (b < 0 || b >= kCells || CellGrid[HistoryLevel][b] != 0) continue;
                if ((CandidateTable.Mask(b) & ~allowed) == 0) continue;
                ImpossibleNeighbourDigits(a, b);
                if (DeveloperLine) {
                    const ImpossibleNeighbourResult& r = ImpossibleNeighbour;
                    std::ostringstream line;
                    line << "case1 : " << a;
                    for (int i = 0; i < r.countA; ++i) line << ' ' << r.digitsA[i];
                    line << " case2 : " << b;
                    for (int i = 0; i < r.countB; ++i) line << ' ' << r.digitsB[i];
                    DeveloperLine(line.str());
                }
                return;
            }
        }
    }
}

void Engine::ApplyImpossibleNeighbour() {
    const ImpossibleNeighbourResult& r = ImpossibleNeighbour;
    if (r.cellA < 0 || r.cellB < 0 || r.cellA >= kCells || r.cellB >= kCells) return;
    for (int i = 0; i < r.countA && i < 9; ++i) CandidateTable.Remove(r.cellA, r.digitsA[i]);
    for (int i = 0; i < r.countB && i < 9; ++i) CandidateTable.Remove(r.cellB, r.digitsB[i]);
}

} // namespace vemo
