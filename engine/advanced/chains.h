// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Chains, almost locked sets and forcing chains. Each finder reads a Board,
// fills the step of its first instance (chains: the shortest) and returns true,
// or leaves the step untouched and returns false.
#pragma once

#include "board.h"

namespace vemo::advanced {

bool FindXChain(const Board& board, AdvancedStep& step);
// The X-Chains of some digits only (bit d - 1). A chain rests on one digit's
// places; under the bar rules its ends may also rule out other digits in
// their neighbours, so there its eliminations read those digits too.
bool FindXChainIn(const Board& board, unsigned digits, AdvancedStep& step);
bool FindXYChain(const Board& board, AdvancedStep& step);
bool FindNiceLoop(const Board& board, AdvancedStep& step);
bool FindGroupedNiceLoop(const Board& board, AdvancedStep& step);

bool FindAlsXZ(const Board& board, AdvancedStep& step);
bool FindAlsXYWing(const Board& board, AdvancedStep& step);
bool FindAlsChain(const Board& board, AdvancedStep& step);
bool FindDeathBlossom(const Board& board, AdvancedStep& step);
bool FindSueDeCoq(const Board& board, AdvancedStep& step);

bool FindCellForcingChain(const Board& board, AdvancedStep& step);
bool FindUnitForcingChain(const Board& board, AdvancedStep& step);
bool FindContradictionForcingChain(const Board& board, AdvancedStep& step);
bool FindForcingNet(const Board& board, AdvancedStep& step);

} // namespace vemo::advanced
