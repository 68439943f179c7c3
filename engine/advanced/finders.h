// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The finders of the single-digit patterns, the short wings, the fish and the
// uniqueness arguments. Each reads a Board, scans in a fixed order, fills the
// step of the first instance that eliminates something and returns true, or
// returns false and leaves the step alone. None of them writes any table.
//
// Every "sees" goes through Board::Sees, RuledOut and CommonPeers, so the
// diagonals of X-Sudoku and the bar rules of the consecutive variants take part
// wherever a pattern only needs "these two candidates cannot both be true".
#pragma once

#include "board.h"

namespace vemo::advanced {

// patterns.cpp: one digit, two strong links joined by a weak one.
bool FindSkyscraper(const Board& board, AdvancedStep& step);
bool FindTwoStringKite(const Board& board, AdvancedStep& step);
bool FindTurbotFish(const Board& board, AdvancedStep& step);
bool FindEmptyRectangle(const Board& board, AdvancedStep& step);

// The same searches over the digits of a mask only (bit d - 1), in the same
// order otherwise. Each instance of these patterns and of the fish below
// rests on one digit, and reads nothing of the board but that digit's places
// and the rules.
bool FindSkyscraperIn(const Board& board, unsigned digits, AdvancedStep& step);
bool FindTwoStringKiteIn(const Board& board, unsigned digits, AdvancedStep& step);
bool FindTurbotFishIn(const Board& board, unsigned digits, AdvancedStep& step);
bool FindEmptyRectangleIn(const Board& board, unsigned digits, AdvancedStep& step);

// wings.cpp
bool FindXYZWing(const Board& board, AdvancedStep& step);
bool FindWXYZWing(const Board& board, AdvancedStep& step);
bool FindWWing(const Board& board, AdvancedStep& step);
bool FindRemotePairs(const Board& board, AdvancedStep& step);

// fish.cpp: Jellyfish, and the finned (or sashimi) X-Wing, Swordfish and
// Jellyfish.
bool FindJellyfish(const Board& board, AdvancedStep& step);
bool FindFinnedXWing(const Board& board, AdvancedStep& step);
bool FindFinnedSwordfish(const Board& board, AdvancedStep& step);
bool FindFinnedJellyfish(const Board& board, AdvancedStep& step);
bool FindJellyfishIn(const Board& board, unsigned digits, AdvancedStep& step);
bool FindFinnedXWingIn(const Board& board, unsigned digits, AdvancedStep& step);
bool FindFinnedSwordfishIn(const Board& board, unsigned digits, AdvancedStep& step);
bool FindFinnedJellyfishIn(const Board& board, unsigned digits, AdvancedStep& step);

// uniqueness.cpp: only where board.uniquenessAllowed, and only for a position
// whose solution is unique (the driver makes sure of it).
bool FindUniqueRectangle1(const Board& board, AdvancedStep& step);
bool FindUniqueRectangle2(const Board& board, AdvancedStep& step);
bool FindUniqueRectangle3(const Board& board, AdvancedStep& step);
bool FindUniqueRectangle4(const Board& board, AdvancedStep& step);
bool FindUniqueRectangle5(const Board& board, AdvancedStep& step);
bool FindUniqueRectangle6(const Board& board, AdvancedStep& step);
bool FindHiddenRectangle(const Board& board, AdvancedStep& step);
bool FindBugPlusOne(const Board& board, AdvancedStep& step);

// Shared by the finders: the strong links of one digit (a unit with exactly
// two places), in unit order.
struct StrongLink {
    int a = -1;
    int b = -1;
    int unit = -1;
};
struct StrongLinks {
    std::array<StrongLink, kMaxUnits> links{};
    int count = 0;
};
StrongLinks StrongLinksOf(const Board& board, int digit);

// Adds to the step every cell of `cells` as an elimination of digit; the
// number added.
int EliminateAll(AdvancedStep& step, Bits81 cells, int digit);

} // namespace vemo::advanced
