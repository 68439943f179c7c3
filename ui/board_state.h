// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the board shows beyond the engine's tables: the mode, the highlights,
// the active cell and the candidate display.
#pragma once

#include <array>

namespace vemo::ui {

enum CellMark : int { kNoMark = 0, kHintCell = 1, kFilteredCell = 2 };

enum CandidateDisplayMode : int {
    kShowNoCandidates = 0,
    kShowAllCandidates = 1,
    kShowActiveCell = 2
};

inline constexpr int kCellSize = 57;
inline constexpr int kPictureSize = 512;

struct BoardState {
    int HandEntry = 1;
    std::array<int, 81> CellHighlight{};
    int ActiveRow = 4;
    int ActiveColumn = 4;
    int ActiveCellShown = 0;
    int CandidateDisplay = kShowNoCandidates;
    bool ChooserVisible = false;
};

} // namespace vemo::ui
