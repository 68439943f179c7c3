// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawing.h"

#include "../engine.h"
#include "../techniques/catalogue.h"
#include "catalogue.h"
#include "ids.h"

#include <bit>

namespace vemo::advanced {

int HintDrawing::Find(Bits81 cells, int digit) const {
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].cells == cells && nodes[i].digit == digit) return static_cast<int>(i);
    return -1;
}

int HintDrawing::AddNode(Bits81 cells, int digit, NodeKind kind) {
    if (CountCells(cells) > 1) kind = kind == NodeKind::kInvolved ? NodeKind::kGroup : kind;
    const int found = Find(cells, digit);
    if (found >= 0) {
        if (kind == NodeKind::kEliminated || kind == NodeKind::kPlaced) nodes[found].kind = kind;
        return found;
    }
    nodes.push_back({cells, digit, kind});
    return static_cast<int>(nodes.size()) - 1;
}

void HintDrawing::AddLink(int from, int to, Link kind, bool arrow) {
    if (from == to || from < 0 || to < 0) return;
    for (const DrawnLink& l : links)
        if ((l.from == from && l.to == to) || (l.from == to && l.to == from)) return;
    links.push_back({from, to, kind, arrow});
}

namespace {

bool HasDigit(const Board& b, int cell, int digit) {
    return (b.mask[cell] >> (digit - 1) & 1) != 0;
}

int Single(HintDrawing& d, int cell, int digit, NodeKind kind = NodeKind::kInvolved) {
    return d.AddNode(CellBit(cell), digit, kind);
}

// Every candidate of the step's cells among `digits` (all of them for 0).
void CircleCells(const Board& b, const AdvancedStep& s, unsigned digits, HintDrawing& d) {
    for (int i = 0; i < s.cellCount; ++i) {
        const int cell = s.cells[i];
        if (cell < 0 || cell >= kCells) continue;
        for (int x = 1; x <= 9; ++x)
            if (HasDigit(b, cell, x) && (digits == 0 || (digits >> (x - 1) & 1) != 0))
                Single(d, cell, x);
    }
}

// The recorded chain, node after node; a loop closes on its first node.
void DrawChain(const AdvancedStep& s, int first, int end, bool arrows, bool loop, HintDrawing& d) {
    int previous = -1;
    int start = -1;
    for (int i = first; i < end; ++i) {
        const ChainNode& n = s.nodes[i];
        if (n.cells == 0 || n.digit < 1 || n.digit > 9) {
            previous = -1;
            continue;
        }
        const int at = d.AddNode(n.cells, n.digit, NodeKind::kInvolved);
        if (start < 0) start = at;
        if (previous >= 0) d.AddLink(previous, at, s.links[i - 1], arrows);
        previous = at;
    }
    if (loop && previous >= 0 && start >= 0) d.AddLink(previous, start, s.links[end - 1], arrows);
}

// The conjugate pairs among the cells of a colouring: the links its chains
// are made of.
void DrawConjugates(const Board& b, const AdvancedStep& s, int digit, HintDrawing& d) {
    const Bits81 places = b.places[digit - 1];
    for (int u = 0; u < b.unitCount; ++u) {
        const Bits81 in = places & b.unit[u];
        if (CountCells(in) != 2) continue;
        const int p = FirstCell(in);
        const int q = FirstCell(in & ~CellBit(p));
        bool hasP = false, hasQ = false;
        for (int i = 0; i < s.cellCount; ++i) {
            hasP = hasP || s.cells[i] == p;
            hasQ = hasQ || s.cells[i] == q;
        }
        if (hasP && hasQ) d.AddLink(Single(d, p, digit), Single(d, q, digit), Link::kStrong, false);
    }
}

int OnlyDigit(unsigned digits) {
    return std::popcount(digits) == 1 ? std::countr_zero(digits) + 1 : 0;
}

int EliminatedDigit(const AdvancedStep& s) {
    int digit = 0;
    for (int i = 0; i < s.eliminationCount; ++i) {
        if (digit != 0 && s.eliminations[i].digit != digit) return 0;
        digit = s.eliminations[i].digit;
    }
    return digit;
}

// An XY-Wing as the chain it is: a pincer's z, its other digit, the pivot's
// two digits, the other pincer's digit, its z.
bool DrawXYWing(const Board& b, const AdvancedStep& s, HintDrawing& d) {
    const int z = EliminatedDigit(s);
    if (z == 0 || s.cellCount != 3) return false;
    int pivot = -1;
    std::array<int, 2> pincers{};
    int n = 0;
    for (int i = 0; i < 3; ++i) {
        const int c = s.cells[i];
        if (std::popcount(static_cast<unsigned>(b.mask[c])) != 2) return false;
        if (HasDigit(b, c, z)) {
            if (n == 2) return false;
            pincers[n++] = c;
        } else {
            pivot = c;
        }
    }
    if (pivot < 0 || n != 2) return false;
    const auto otherOf = [&](int cell, int digit) {
        return std::countr_zero(static_cast<unsigned>(b.mask[cell] & ~(1u << (digit - 1)))) + 1;
    };
    const int x = otherOf(pincers[0], z);
    const int y = otherOf(pincers[1], z);
    if (!HasDigit(b, pivot, x) || !HasDigit(b, pivot, y) || x == y) return false;
    if (!b.Sees(pincers[0], x, pivot, x) || !b.Sees(pivot, y, pincers[1], y)) return false;
    const int chain[6] = {Single(d, pincers[0], z), Single(d, pincers[0], x),
                          Single(d, pivot, x),      Single(d, pivot, y),
                          Single(d, pincers[1], y), Single(d, pincers[1], z)};
    for (int i = 0; i < 5; ++i)
        d.AddLink(chain[i], chain[i + 1], i % 2 == 0 ? Link::kStrong : Link::kWeak, true);
    return true;
}

// A W-Wing: the two bivalue cells' strong links around the recorded x chain.
bool DrawWWing(const Board& b, const AdvancedStep& s, HintDrawing& d) {
    if (s.nodeCount != 4) return false;
    const int x = s.nodes[0].digit;
    const int y = OnlyDigit(s.digits & ~(1u << (x - 1)));
    const int a = FirstCell(s.nodes[0].cells);
    const int e = FirstCell(s.nodes[3].cells);
    if (y == 0 || !HasDigit(b, a, y) || !HasDigit(b, e, y)) return false;
    const int first = Single(d, a, y);
    int previous = first;
    Link next = Link::kStrong;
    for (int i = 0; i < 4; ++i) {
        const int at = d.AddNode(s.nodes[i].cells, x, NodeKind::kInvolved);
        d.AddLink(previous, at, next, true);
        next = s.links[i];
        previous = at;
    }
    d.AddLink(previous, Single(d, e, y), Link::kStrong, true);
    return true;
}

// An empty rectangle as a chain: the far end of the line's strong link, its
// near end, the box's part in the near end's line, the box's other part.
bool DrawEmptyRectangle(const AdvancedStep& s, HintDrawing& d) {
    const int digit = OnlyDigit(s.digits);
    if (digit == 0 || s.cellCount < 4) return false;
    const int near = s.cells[0], far = s.cells[1];
    Bits81 box = 0;
    for (int i = 2; i < s.cellCount; ++i) box |= CellBit(s.cells[i]);
    const Bits81 line = near % 9 == far % 9 ? kRowMask[near / 9] : kColumnMask[near % 9];
    const Bits81 inLine = box & line;
    const Bits81 rest = box & ~line;
    if (inLine == 0 || rest == 0) return false;
    const int n0 = Single(d, far, digit), n1 = Single(d, near, digit);
    const int n2 = d.AddNode(inLine, digit, NodeKind::kInvolved);
    const int n3 = d.AddNode(rest, digit, NodeKind::kInvolved);
    d.AddLink(n0, n1, Link::kStrong, true);
    d.AddLink(n1, n2, Link::kWeak, true);
    d.AddLink(n2, n3, Link::kStrong, true);
    return true;
}

// Remote pairs: each cell's two digits strongly linked, and each cell weakly
// linked to the next by both digits. The chain runs both ways, one for each
// digit it removes, so it is drawn without arrows.
bool DrawRemotePairs(const Board& b, const AdvancedStep& s, HintDrawing& d) {
    if (s.cellCount < 2) return false;
    const unsigned m = b.mask[s.cells[0]];
    if (std::popcount(m) != 2) return false;
    const int x = std::countr_zero(m) + 1;
    const int y = std::countr_zero(m & (m - 1)) + 1;
    for (int i = 0; i < s.cellCount; ++i) {
        const int cell = s.cells[i];
        d.AddLink(Single(d, cell, x), Single(d, cell, y), Link::kStrong, false);
        if (i == 0) continue;
        const int previous = s.cells[i - 1];
        d.AddLink(Single(d, previous, x), Single(d, cell, x), Link::kWeak, false);
        d.AddLink(Single(d, previous, y), Single(d, cell, y), Link::kWeak, false);
    }
    return true;
}

void DrawFish(const AdvancedStep& s, HintDrawing& d) {
    const int digit = OnlyDigit(s.digits);
    if (digit == 0) return;
    for (int i = 0; i < s.cellCount; ++i) Single(d, s.cells[i], digit);
    ForEachCell(s.fins, [&](int c) { Single(d, c, digit, NodeKind::kFin); });
}

// The extra candidates of a rectangle's cells, beyond its two digits.
void DrawRectangle(const Board& b, const AdvancedStep& s, HintDrawing& d) {
    CircleCells(b, s, s.digits, d);
    ForEachCell(s.fins, [&](int c) {
        for (int x = 1; x <= 9; ++x)
            if (HasDigit(b, c, x) && (s.digits >> (x - 1) & 1) == 0)
                Single(d, c, x, NodeKind::kFin);
    });
}

void DrawBasic(const Board& b, const AdvancedStep& s, HintDrawing& d) {
    const int digit = OnlyDigit(s.digits);
    switch (s.technique) {
    case kLockedBoxToLine:
    case kLockedLineToBox: {
        Bits81 cells = 0;
        for (int i = 0; i < s.cellCount; ++i)
            if (digit != 0 && HasDigit(b, s.cells[i], digit)) cells |= CellBit(s.cells[i]);
        if (cells != 0) d.AddNode(cells, digit, NodeKind::kInvolved);
        break;
    }
    case kColouring:
    case kMultiColouring:
        if (digit == 0) break;
        CircleCells(b, s, s.digits, d);
        DrawConjugates(b, s, digit, d);
        break;
    case kXYWing:
        if (!DrawXYWing(b, s, d)) CircleCells(b, s, 0, d);
        break;
    case kImpossibleNeighbour:
        CircleCells(b, s, 0, d);
        break;
    case kNakedSingle:
    case kHiddenSingle:
    case kBruteForce:
        break; // the placement alone
    default:
        CircleCells(b, s, s.digits, d);
        break;
    }
}

} // namespace

HintDrawing DrawStep(const Board& board, const AdvancedStep& s) {
    HintDrawing d;
    if (s.technique == 0) return d;
    d.technique = s.technique;
    if (s.technique <= kTechniqueCount) {
        DrawBasic(board, s, d);
    } else if (s.branchCount > 0) {
        // Forcing chains and nets: every branch from its premise.
        CircleCells(board, s, 0, d);
        for (int i = 0; i < s.branchCount; ++i)
            DrawChain(s, s.branchStart[i], s.branchStart[i + 1], true, false, d);
    } else {
        switch (s.technique) {
        case kWWing:
            if (!DrawWWing(board, s, d)) DrawChain(s, 0, s.nodeCount, true, false, d);
            break;
        case kEmptyRectangle:
            if (!DrawEmptyRectangle(s, d)) CircleCells(board, s, s.digits, d);
            break;
        case kRemotePairs:
            if (!DrawRemotePairs(board, s, d)) CircleCells(board, s, s.digits, d);
            break;
        case kJellyfish:
        case kFinnedXWing:
        case kFinnedSwordfish:
        case kFinnedJellyfish:
            DrawFish(s, d);
            break;
        case kUniqueRectangle1:
        case kUniqueRectangle2:
        case kUniqueRectangle3:
        case kUniqueRectangle4:
        case kUniqueRectangle5:
        case kUniqueRectangle6:
        case kHiddenRectangle:
            DrawRectangle(board, s, d);
            break;
        case kXYZWing:
        case kWXYZWing:
        case kSueDeCoq:
        case kBugPlusOne:
            CircleCells(board, s, s.technique == kBugPlusOne ? s.digits : 0, d);
            break;
        case kAlsXZ:
        case kAlsXYWing:
        case kAlsChain:
        case kDeathBlossom:
            // The sets' candidates, then their restricted common digits.
            CircleCells(board, s, 0, d);
            DrawChain(s, 0, s.nodeCount, false, false, d);
            break;
        default: // the single-digit patterns and the chains
            if (s.nodeCount > 0)
                DrawChain(s, 0, s.nodeCount, true, s.loop, d);
            else
                CircleCells(board, s, s.digits, d);
            break;
        }
    }
    for (int i = 0; i < s.eliminationCount; ++i) {
        const Candidate& e = s.eliminations[i];
        if (e.cell >= 0 && e.cell < kCells && e.digit >= 1 && e.digit <= 9)
            Single(d, e.cell, e.digit, NodeKind::kEliminated);
    }
    if (s.placeCell >= 0 && s.placeCell < kCells && s.placeDigit >= 1 && s.placeDigit <= 9)
        Single(d, s.placeCell, s.placeDigit, NodeKind::kPlaced);
    return d;
}

AdvancedStep HintStep(const Engine& engine) {
    const int id = engine.HintTechnique;
    if (id > kTechniqueCount) return engine.AdvancedHint;
    AdvancedStep s = engine.BasicStepRecord(id);
    if (s.placeCell < 0) {
        Engine applied = engine;
        applied.DeveloperLine = {};
        applied.MessagePump = {};
        applied.ApplyStep(id);
        for (int d = 1; d <= 9; ++d)
            ForEachCell(engine.CandidateTable.CellsWith(d) & ~applied.CandidateTable.CellsWith(d),
                        [&](int c) { s.Eliminate(c, d); });
    }
    return s;
}

HintDrawing DrawHint(const Engine& engine) {
    const int id = engine.HintTechnique;
    if (id < 1 || (id > kTechniqueCount && AdvancedEntry(id) == nullptr) ||
        engine.FilledCount >= kCells)
        return {};
    return DrawStep(TakeBoard(engine), HintStep(engine));
}

} // namespace vemo::advanced
