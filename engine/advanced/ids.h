// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The advanced techniques, in the order the hint driver tries them, simplest
// first. Their numbers stand apart from the seventeen basic techniques (1..17)
// so that no table indexed by a basic technique can take one by mistake.
#pragma once

namespace vemo::advanced {

enum AdvancedId : int {
    // Single-digit patterns.
    kSkyscraper = 101,
    kTwoStringKite,
    kTurbotFish,
    kEmptyRectangle,
    // Short wings.
    kXYZWing,
    kWXYZWing,
    kWWing,
    kRemotePairs,
    // Fish.
    kJellyfish,
    kFinnedXWing, // sashimi ones too: the record says which
    kFinnedSwordfish,
    kFinnedJellyfish,
    // Uniqueness (classic grids, and X-Sudoku where the swap keeps the diagonals).
    kUniqueRectangle1,
    kUniqueRectangle2,
    kUniqueRectangle3,
    kUniqueRectangle4,
    kUniqueRectangle5,
    kUniqueRectangle6,
    kHiddenRectangle,
    kBugPlusOne,
    // Chains.
    kXChain,
    kXYChain,
    kNiceLoop, // AIC and continuous or discontinuous nice loops
    kGroupedNiceLoop,
    // Sets.
    kAlsXZ,
    kAlsXYWing,
    kAlsChain,
    kDeathBlossom,
    kSueDeCoq,
    // Last resort, still logic.
    kCellForcingChain,
    kUnitForcingChain,
    kContradictionForcingChain,
    kForcingNet,
    kAdvancedEnd
};

inline constexpr int kFirstAdvanced = kSkyscraper;
inline constexpr int kAdvancedCount = kAdvancedEnd - kFirstAdvanced;

} // namespace vemo::advanced
