// What the complete hint shows: the cells it highlights, the digits it lists,
// and the status-bar texts of the three hint commands.
#pragma once

#include "engine/engine.h"

#include <string>
#include <vector>

namespace vemo::ui {

struct HintDisplay {
    int technique = 0;       // 0 when the chain found nothing
    std::vector<int> cells;  // to highlight
    std::vector<int> digits; // to list and to press on the filter toolbar
    bool diagonal = false;   // the step's unit is an X-Sudoku diagonal
    // For colouring and multi-colouring, the chains the step rests on: each
    // cell with its shade, 0 and 1 the two colours of the first chain, 2 and 3
    // those of the second (multi-colouring only).
    struct ChainCell {
        int cell;
        int shade;
    };
    std::vector<ChainCell> chainCells;
};

// From HintTechnique and HintRecord after FindNextTechnique.
HintDisplay DescribeHint(const Engine& game);

// " " + digitsLabel (text 536) + " : " + the digits separated by blanks; the
// impossible neighbour puts a blank after every digit instead.
std::string HintDetail(const HintDisplay& hint, const std::string& digitsLabel);

// The technique name, " (diag) " when on a diagonal, then the detail.
std::string CompleteHintText(const HintDisplay& hint, const std::string& techniqueName,
                             const std::string& digitsLabel);

} // namespace vemo::ui
