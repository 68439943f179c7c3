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

    // Fills the list from the game's chooser and shows it with its top-left
    // corner at the given point of the parent; hides it when it is closed.
    void Sync(const QPoint& topLeft);

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

  private:
    const GameController& game_;
};

} // namespace vemo::ui
