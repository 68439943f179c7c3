// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The 512 x 512 board picture ("Image4") or the solution picture ("Image5"):
// a retained picture at the screen's pixel ratio, redrawn whole on request.
#pragma once

#include <QImage>
#include <QWidget>

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

  signals:
    void pressed(int x, int y, bool shift);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    GameController& game_;
    Kind kind_;
    QImage picture_;
};

} // namespace vemo::ui
