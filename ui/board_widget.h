// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The 512 x 512 board picture ("Image4") or the solution picture ("Image5"):
// a retained picture, redrawn whole on request. The picture keeps its 512 x 512
// logical coordinates at any widget size: the painter is scaled to the widget
// and the device's pixel ratio, and mouse positions are mapped back.
#pragma once

#include "engine/advanced/drawing.h"

#include <QImage>
#include <QWidget>

#include <array>

namespace vemo::ui {

class GameController;

class BoardWidget : public QWidget {
    Q_OBJECT

  public:
    enum class Kind { Board, Solution };
    BoardWidget(GameController& game, Kind kind, QWidget* parent = nullptr);

    // Paints the picture again from the game state.
    void Redraw();
    const QImage& Picture() const { return picture_; }

    // Shows the picture `side` widget pixels wide and high (at least kSmallestBoardSide).
    void SetSide(int side);
    // Widget pixels per picture pixel.
    qreal Scale() const;
    // A point of the widget in picture coordinates, and back.
    QPoint ToPicture(const QPointF& at) const;
    QPoint FromPicture(const QPoint& at) const;
    // The 512 x 512 picture at one pixel per picture pixel, whatever the
    // widget's size.
    QImage LogicalPicture() const;

    // For screen readers: the picture's name, a cell's spoken name, the
    // active cell, and whether this is the read-only solution.
    QString AccessibleTitle() const;
    QString CellName(int cell) const;
    int ActiveCell() const;
    bool IsSolution() const { return kind_ == Kind::Solution; }

    // The drawing of a step over the board (its nodes, links, removals and
    // placement), shown until the next move, the next hint or Esc; printed
    // with the position while it is shown.
    void SetHintDrawing(const advanced::HintDrawing& drawing);
    void ClearHintDrawing();

    // The ring around a focused picture follows a change of look.
    void RefreshFocusMark();

  signals:
    void pressed(int x, int y, bool shift);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void MarkFocus(bool focused);
    // `shrink` below one scales the picture down to the image.
    void Paint(QImage& image, qreal shrink = 1.0) const;

    GameController& game_;
    Kind kind_;
    QImage picture_;
    // The names screen readers were last told, and the active cell.
    std::array<QString, 81> spoken_;
    int spokenActive_ = -1;
};

} // namespace vemo::ui
