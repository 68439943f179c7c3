// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pop-up chooser beside a clicked cell: " -", "Jouer" or "Candidats", the
// candidate digits and, in play, "Exclure" with the digits again.
#pragma once

#include <QListWidget>

namespace vemo::ui {

class GameController;

class ChooserWidget : public QListWidget {
    Q_OBJECT

  public:
    ChooserWidget(const GameController& game, QWidget* parent = nullptr);

    // Fills the list from the game's chooser and shows it beside `cell` (in
    // the parent's coordinates), level with its top, or above it when the
    // list would pass the bottom of `room`; on the cell's left when it would
    // pass its right side. Its type and rows follow the board's `scale`.
    // Hides it when the game's chooser is closed.
    void Sync(const QRect& cell, const QRect& room, qreal scale);
    void Sync() { Sync({}, {}, 1.0); }

    // The list's colours from the look in use.
    void ApplyLook();

    static constexpr int kRowHeight = 16;
    // A row's height at the list's type size, never below kRowHeight.
    int RowHeight() const;

  signals:
    void chosen(int index);
    // Escape closed the list.
    void closed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The item under the pointer is the current one, highlighted.
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    const GameController& game_;
};

} // namespace vemo::ui
