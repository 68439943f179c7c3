// Drawing the two 512 x 512 pictures, the board and the solution, from the
// engine's tables and the board state. Both paint on any painter in logical
// pixels, so a test can paint on an image and the widget at any pixel ratio.
#pragma once

#include "board_state.h"

#include <QColor>
#include <QStringList>

#include <array>

class QPainter;

namespace vemo {
class Engine;
}

namespace vemo::ui {

namespace colours {
inline const QColor kEmptyCell{224, 255, 255};
inline const QColor kPlayerCell{217, 248, 253};
inline const QColor kGivenCell{198, 243, 251};
inline const QColor kThinBorder{192, 192, 192};
inline const QColor kEvenCell{173, 223, 214};
inline const QColor kHintCell{252, 149, 118};
inline const QColor kFilterMark{192, 192, 192};
inline const QColor kGivenDigit{0, 0, 0};
inline const QColor kPlayerDigit{0, 0, 255};
inline const QColor kActiveFrame{255, 0, 0};
inline const QColor kBars{0, 0, 0};
inline const QColor kSolutionGiven{255, 255, 203};
inline const QColor kSolutionOther{255, 255, 224};
// The two colours of a colouring hint's first chain, then of its second.
inline const QColor kChainShades[4] = {
    {255, 215, 0}, {100, 149, 237}, {255, 160, 200}, {144, 238, 144}};
} // namespace colours

// The digit of a filled cell; for an empty cell nine characters, the k-th the
// digit k when it is a candidate and "0" otherwise; empty without candidates.
std::array<QString, 81> BuildCellTexts(const Engine& engine);

void DrawBoardPicture(QPainter& painter, const Engine& engine, const BoardState& board);
void DrawSolutionPicture(QPainter& painter, const Engine& engine, const BoardState& board);

} // namespace vemo::ui
