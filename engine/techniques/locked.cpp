// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Locked candidates: the places of a digit in a line that all lie in one box
// (kind 2, line to box), or in a box that all lie in one line (kind 1, box to line).
#include "../engine.h"

namespace vemo {

namespace {

// The three cells shared by a line and a box, and the masks the tests compare.
struct Segment {
    Bits81 cells;
    Bits81 line;
    Bits81 box;
};

// Line type 1 row, 2 column, 3 diagonal (line 1 main, 2 anti).
constexpr Segment MakeSegment(int lineType, int line, int t) {
    Segment s{};
    if (lineType == 1) {
        s.line = kRowMask[line];
        s.box = kBoxMask[(line / 3) * 3 + t];
    } else if (lineType == 2) {
        s.line = kColumnMask[line];
        s.box = kBoxMask[t * 3 + line / 3];
    } else {
        s.line = kDiagonalMask[line - 1];
        s.box = kBoxMask[line == 1 ? 4 * t : 2 + 2 * t];
    }
    s.cells = s.line & s.box;
    return s;
}

// The segments of the rows and columns, [lineType - 1][line][t].
constexpr std::array<std::array<std::array<Segment, 3>, 9>, 2> kLineSegments = [] {
    std::array<std::array<std::array<Segment, 3>, 9>, 2> table{};
    for (int type = 1; type <= 2; ++type)
        for (int line = 0; line < 9; ++line)
            for (int t = 0; t < 3; ++t) table[type - 1][line][t] = MakeSegment(type, line, t);
    return table;
}();

int SegmentBox(int lineType, int line, int t) {
    if (lineType == 1) return (line / 3) * 3 + t;
    if (lineType == 2) return t * 3 + line / 3;
    return line == 1 ? 4 * t : 2 + 2 * t;
}

} // namespace

void Engine::FindLockedCandidates() {
    LockedCandidates = {};
    memo_.Variant(XSudoku);
    for (int d = 1; d <= 9; ++d) {
        const Bits81 places = CandidateTable.CellsWith(d);
        // The finding for a digit rests on its places alone.
        if (memo_.locked.Nothing(d, places)) continue;
        const auto test = [&](int lineType, int line, int t) {
            const Segment s = lineType == 3 ? MakeSegment(lineType, line, t)
                                            : kLineSegments[lineType - 1][line][t];
            if (CountCells(places & s.cells) < 2) return false;
            // For a diagonal the rest of the box is the box off that diagonal.
            const bool boxRest = (places & s.box & ~s.line) != 0;
            const bool lineRest = (places & s.line & ~s.box) != 0;
            int kind = 0;
            if (!lineRest && boxRest)
                kind = 2;
            else if (lineRest && !boxRest)
                kind = 1;
            if (kind == 0) return false;
            int segment = t;
            if (kind == 2 && lineType != 3) segment = line % 3;
            LockedCandidates = {d, kind, lineType, line, SegmentBox(lineType, line, t), segment};
            return true;
        };
        for (int r = 0; r < 9; ++r)
            for (int t = 0; t < 3; ++t)
                if (test(1, r, t)) return;
        for (int c = 0; c < 9; ++c)
            for (int t = 0; t < 3; ++t)
                if (test(2, c, t)) return;
        if (XSudoku == 1) {
            for (int k = 1; k <= 2; ++k)
                for (int t = 0; t < 3; ++t)
                    if (test(3, k, t)) return;
        }
        memo_.locked.SetNothing(d, places);
    }
}

namespace {

// The line and box masks of a locked-candidates result, whatever its segment index.
Segment ResultSegment(const LockedCandidatesResult& r) {
    Segment s{};
    if (r.lineType == 1)
        s.line = kRowMask[r.line];
    else if (r.lineType == 2)
        s.line = kColumnMask[r.line];
    else
        s.line = kDiagonalMask[r.line == 2 ? 1 : 0];
    s.box = kBoxMask[r.box];
    s.cells = s.line & s.box;
    return s;
}

} // namespace

void Engine::ApplyLockedCandidates() {
    const LockedCandidatesResult& r = LockedCandidates;
    if (r.digit < 1 || r.digit > 9) return;
    const Segment s = ResultSegment(r);
    // Kind 1 clears the rest of the line, kind 2 the rest of the box.
    const Bits81 cleared = r.kind == 1 ? s.line & ~s.box : s.box & ~s.line;
    CandidateTable.CellsWith(r.digit) &= ~cleared;
}

CellList Engine::ListLockedCells() const {
    CellList list;
    const LockedCandidatesResult& r = LockedCandidates;
    if (r.digit == 0) return list;
    // Line order and box order both run in ascending cell number for every
    // segment, so the set's order is the listing order.
    ForEachCell(ResultSegment(r).cells, [&](int c) {
        if (CellGrid[0][c] == 0 && list.count < 3) list.cells[list.count++] = c;
    });
    return list;
}

} // namespace vemo
