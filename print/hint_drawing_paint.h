// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Painting a hint's drawing over a grid, on the board or on a printed page:
// the candidates involved circled, group nodes framed, fins in diamonds,
// strong links solid and weak links dashed as curves with arrows along a
// chain, removals crossed out and a placement written in its cell. Every
// size follows the cell's side, so the drawing scales with the grid.
#pragma once

#include "engine/advanced/drawing.h"

#include <QColor>
#include <QPointF>

class QPainter;

namespace vemo::print {

struct DrawingInk {
    QColor link{10, 10, 80};      // circles, group frames, links, arrows
    QColor eliminated{95, 0, 0};  // the crosses
    QColor fin{60, 0, 90};        // the fins' diamonds
    QColor placed{0, 55, 0};      // a placement's digit and ring
    QColor ground{224, 255, 255}; // under a placement's digit
    QColor digit{0, 0, 0};        // a candidate written by the drawing itself
};

// Where the grid lies: cell (row, column) is the square of side `cell` whose
// top-left corner is (left + column × cell, top + row × cell).
struct DrawingFrame {
    double left = 0;
    double top = 0;
    double cell = 57;
};

// The centre of candidate `digit` in `cell`, where the board writes it: a
// 3 × 3 keypad, 1 2 3 on top.
QPointF CandidateCentre(const DrawingFrame& frame, int cell, int digit);

// writeDigits: the drawing writes the digits of its nodes itself (a page or a
// board that does not show the candidates).
void PaintHintDrawing(QPainter& painter, const advanced::HintDrawing& drawing,
                      const DrawingFrame& frame, const DrawingInk& ink, bool writeDigits);

} // namespace vemo::print
