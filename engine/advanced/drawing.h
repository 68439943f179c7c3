// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a hint draws over the board: the candidates a step rests on, its
// links, its fins and group nodes, what it removes and what it places. The
// drawing is worked out from a step record and the position it was found in;
// the board and the printed page paint it, nothing here knows how.
#pragma once

#include "board.h"

#include <cstdint>
#include <vector>

namespace vemo {
class Engine;
}

namespace vemo::advanced {

enum class NodeKind : std::uint8_t {
    kInvolved,   // a candidate the step rests on: circled
    kFin,        // a fin of a fish, an extra candidate of a rectangle
    kGroup,      // a group node: the digit in one of several cells
    kEliminated, // a candidate the step removes: crossed out
    kPlaced      // the digit the step places
};

struct DrawnNode {
    Bits81 cells = 0; // one cell, or the cells of a group
    int digit = 0;
    NodeKind kind = NodeKind::kInvolved;
    bool operator==(const DrawnNode&) const = default;
};

struct DrawnLink {
    int from = 0; // node indices
    int to = 0;
    Link kind = Link::kWeak;
    bool arrow = false; // directed from `from` to `to`, along a chain
    bool operator==(const DrawnLink&) const = default;
};

struct HintDrawing {
    int technique = 0; // 1..17 or an AdvancedId; 0 for no drawing
    std::vector<DrawnNode> nodes;
    std::vector<DrawnLink> links;

    bool Empty() const { return nodes.empty(); }
    bool operator==(const HintDrawing&) const = default;

    // The node of these cells and digit, added when missing. A candidate
    // already drawn keeps its node; a removal or a placement takes over the
    // kind of what it meets.
    int AddNode(Bits81 cells, int digit, NodeKind kind);
    // A link between two nodes; a link between one node and itself, or one
    // already drawn between the same nodes, is left out.
    void AddLink(int from, int to, Link kind, bool arrow);
    // The index of a node, or -1.
    int Find(Bits81 cells, int digit) const;
};

// The drawing of a step found on `board`: advanced steps from their records,
// the seventeen basic techniques from the record BasicStepRecord gives with
// the eliminations that applying the step makes (Engine::HintStep).
HintDrawing DrawStep(const Board& board, const AdvancedStep& step);

// The step that FindNextTechnique found on level 0, as a record of the
// advanced layer: AdvancedHint for an advanced step; for a basic technique
// BasicStepRecord with the eliminations that applying it would make (worked
// out on a copy: the engine is left as it is).
AdvancedStep HintStep(const Engine& engine);

// The drawing of the hint that FindNextTechnique found on level 0; empty when
// it found nothing.
HintDrawing DrawHint(const Engine& engine);

} // namespace vemo::advanced
