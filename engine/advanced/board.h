// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The position as the advanced techniques see it, and the record of one
// advanced step.
//
// The advanced finders never read or write the engine's tables: each one reads
// a Board taken from the engine's candidates and fills an AdvancedStep. The
// variant rules enter only through Sees(): two candidates that cannot both be
// true are weakly linked, whether they share a unit (a diagonal included in
// X-Sudoku), a cell, or a bar rule between orthogonal neighbours. So every
// finder that reasons on "sees" works unchanged on every variant.
#pragma once

#include "../bits.h"
#include "../tables.h"

#include <array>
#include <cstdint>

namespace vemo {
class Engine;
}

namespace vemo::advanced {

// Units: rows 0..8, columns 9..17, boxes 18..26, then in X-Sudoku the main
// diagonal 27 and the anti-diagonal 28.
inline constexpr int kMaxUnits = 29;

// A set of digits: bit d - 1 for digit d.
inline constexpr unsigned kEveryDigit = 0x1FF;

struct Board {
    std::array<std::uint16_t, 81> mask{}; // candidates of an empty cell, bit d - 1 for digit d
    std::array<Bits81, 9> places{};       // [d - 1]: the cells where d is a candidate
    std::array<std::int8_t, 81> value{};  // 0 empty, else the digit placed
    int unitCount = 27;
    std::array<Bits81, kMaxUnits> unit{};
    std::array<Bits81, 81> peers{}; // cells sharing a unit with the cell, itself excluded
    std::array<std::array<int, 3>, 81> cellUnits{}; // row, column, box unit numbers
    int variant = 0;                                // Engine::VariantKind
    bool xSudoku = false;
    // Bars between orthogonal neighbours, [cell][k] for k = 1 right, 2 down,
    // 3 left, 4 up: 1 bar, 0 no bar, -1 grid edge or rule not in force.
    std::array<std::array<std::int8_t, 5>, 81> bars{};
    // Uniqueness arguments are only sound where swapping two digits keeps every
    // rule (classic grids; X-Sudoku checks each rectangle's swap itself).
    bool uniquenessAllowed = false;

    // True when (cellA, digitA) and (cellB, digitB) cannot both be true. A
    // candidate does not see itself.
    bool Sees(int cellA, int digitA, int cellB, int digitB) const;
    // The cells whose candidate `other` is ruled out by digit placed in cell.
    Bits81 RuledOut(int cell, int digit, int other) const;
    // The cells that see every cell of `cells` for one digit (all of them
    // ruling out the digit there), the cells themselves excluded.
    Bits81 CommonPeers(Bits81 cells, int digit) const;
};

// Asked for in the finders' inner loops: defined here to be inlined.
inline bool Board::Sees(int cellA, int digitA, int cellB, int digitB) const {
    if (cellA == cellB) return digitA != digitB;
    if (digitA == digitB && HasCell(peers[cellA], cellB)) return true;
    for (int k = 1; k <= 4; ++k) {
        const int mark = bars[cellA][k];
        if (mark < 0 || cellA + NeighbourOffsets[k] != cellB) continue;
        const int gap = digitA > digitB ? digitA - digitB : digitB - digitA;
        return mark == 0 ? gap == 1 : gap != 1;
    }
    return false;
}

inline Bits81 Board::RuledOut(int cell, int digit, int other) const {
    Bits81 out = 0;
    if (other == digit)
        out = peers[cell];
    else
        out = CellBit(cell);
    for (int k = 1; k <= 4; ++k) {
        const int mark = bars[cell][k];
        if (mark < 0) continue;
        const int gap = digit > other ? digit - other : other - digit;
        if (mark == 0 ? gap == 1 : gap != 1) out |= CellBit(cell + NeighbourOffsets[k]);
    }
    return out & places[other - 1];
}

// True when two boards play by the same rules: the same units and bars.
bool SameRules(const Board& a, const Board& b);

// Takes level 0 of the engine: its grid, its candidate table and its rules.
Board TakeBoard(const Engine& engine);

struct Candidate {
    std::int8_t cell = -1;
    std::int8_t digit = 0;
    constexpr bool operator==(const Candidate&) const = default;
};

// A node of a chain: one digit in one cell, or a group of cells of one box
// and one line holding the digit (a grouped node: true when the digit is in
// one of them).
struct ChainNode {
    Bits81 cells = 0;
    std::int8_t digit = 0;
    std::int8_t on = 0; // 1 when the node is taken as true at this point of the chain
};

// link[i] joins node i and node i + 1.
enum class Link : std::uint8_t { kWeak = 0, kStrong = 1 };

inline constexpr int kMaxEliminations = 64;
inline constexpr int kMaxStepCells = 32;
inline constexpr int kMaxChainNodes = 64;
inline constexpr int kMaxStepUnits = 8;
inline constexpr int kMaxBranches = 9;

struct AdvancedStep {
    int technique = 0; // AdvancedId; 0 when nothing was found
    // A placement (cell, digit), or none (-1, 0).
    int placeCell = -1;
    int placeDigit = 0;
    std::array<Candidate, kMaxEliminations> eliminations{};
    int eliminationCount = 0;
    // What the step rests on: the pattern's cells (a fish's base cells, a
    // wing's pivot and pincers, a rectangle's corners, an ALS's cells), its
    // units (numbers as above), its digits (bit d - 1).
    std::array<std::int8_t, kMaxStepCells> cells{};
    int cellCount = 0;
    std::array<std::int8_t, kMaxStepUnits> units{};
    int unitCount = 0;
    unsigned digits = 0;
    // Fins of a finned fish, the extra cells of a unique rectangle.
    Bits81 fins = 0;
    // A finned fish that is sashimi: some base line keeps at most one
    // candidate once its fins are taken away.
    bool sashimi = false;
    // A chain or loop, in order; forcing chains keep their first branch here
    // and the others in the following branches.
    std::array<ChainNode, kMaxChainNodes> nodes{};
    std::array<Link, kMaxChainNodes> links{};
    int nodeCount = 0;
    bool loop = false; // the last node links back to the first
    // Forcing chains and nets: the branches lie one after the other in nodes,
    // branch i in nodes[branchStart[i] .. branchStart[i + 1]), with
    // branchStart[branchCount] = nodeCount; each starts from its premise (a
    // node taken as true) and ends at what it implies. A branch that does not
    // fit keeps its premise and its last node only. The link into a node
    // tells how it follows from the node before: weak, a true node makes it
    // false; strong, it is the last place or the last candidate left. In a
    // net a node may rest on more nodes than the one before it: the branch
    // shows the last of them. No branches (branchCount 0) for other chains.
    std::array<std::uint8_t, kMaxBranches + 1> branchStart{};
    int branchCount = 0;

    void Eliminate(int cell, int digit) {
        if (eliminationCount < kMaxEliminations)
            eliminations[eliminationCount++] = {static_cast<std::int8_t>(cell),
                                                static_cast<std::int8_t>(digit)};
    }
    void AddCell(int cell) {
        if (cellCount < kMaxStepCells) cells[cellCount++] = static_cast<std::int8_t>(cell);
    }
    void AddUnit(int unit) {
        if (unitCount < kMaxStepUnits) units[unitCount++] = static_cast<std::int8_t>(unit);
    }
};

} // namespace vemo::advanced
