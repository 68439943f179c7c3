// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the board shows beyond the engine's tables: the mode, the highlights,
// the active cell and the candidate display.
#pragma once

#include "engine/advanced/drawing.h"

#include <array>

namespace vemo::ui {

// kChainCell + 0..3: a cell of a colouring hint's chains, in one of the two
// colours of the first chain (0, 1) or of the second (2, 3).
enum CellMark : int { kNoMark = 0, kHintCell = 1, kFilteredCell = 2, kChainCell = 3 };
inline constexpr int kChainShades = 4;

// A mark the candidate filter leaves alone: the hint's.
constexpr bool IsHintMark(int mark) {
    return mark == kHintCell || (mark >= kChainCell && mark < kChainCell + kChainShades);
}

enum CandidateDisplayMode : int {
    kShowNoCandidates = 0,
    kShowAllCandidates = 1,
    kShowActiveCell = 2
};

inline constexpr int kCellSize = 57;
inline constexpr int kPictureSize = 512;
// The smallest side the board is shown at, on a small or magnified screen.
inline constexpr int kLeastBoardSide = 252;
// The smaller side it may take where even that does not fit the screen, as
// large type on a small screen asks (18-pixel cells).
inline constexpr int kSmallestBoardSide = 162;

struct BoardState {
    int HandEntry = 1;
    std::array<int, 81> CellHighlight{};
    int ActiveRow = 4;
    int ActiveColumn = 4;
    int ActiveCellShown = 0;
    int CandidateDisplay = kShowNoCandidates;
    bool ChooserVisible = false;
    // The hint drawn over the board, until the next move, a new hint or Esc.
    advanced::HintDrawing Drawing;
};

} // namespace vemo::ui
