// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Drawing the two 512 x 512 pictures, the board and the solution, from the
// engine's tables and the board state. Both paint on any painter in logical
// pixels, so a test can paint on an image and the widget at any pixel ratio.
#pragma once

#include "board_state.h"
#include "look.h"

#include "print/hint_drawing_paint.h"

#include <QColor>
#include <QStringList>

#include <array>

class QPainter;

namespace vemo {
class Engine;
}

namespace vemo::ui {

// The digit of a filled cell; for an empty cell nine characters, the k-th the
// digit k when it is a candidate and "0" otherwise; empty without candidates.
std::array<QString, 81> BuildCellTexts(const Engine& engine);

// The pictures in a look; the light one unless told.
void DrawBoardPicture(QPainter& painter, const Engine& engine, const BoardState& board,
                      const Look& look = LookOf(LookKind::Light));
void DrawSolutionPicture(QPainter& painter, const Engine& engine, const BoardState& board,
                         const Look& look = LookOf(LookKind::Light));

// The colours of a hint's drawing in this look: each has a contrast of at
// least 3:1 with every ground a cell can have in it.
print::DrawingInk HintDrawingInk(const Look& look);

// The colour of a step, basic (1..17) or advanced; `otherwise` for any other
// number.
QColor StepColour(int technique, const QColor& otherwise);

// The ground of a hint cell of this technique in this look.
QColor HintCellColour(const Look& look, int technique);

} // namespace vemo::ui
