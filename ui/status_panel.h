// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The owner-drawn left panel of the status bar: StatusMessage on StatusColour.
#pragma once

#include <QWidget>

namespace vemo::ui {

class GameController;

class StatusPanel : public QWidget {
    Q_OBJECT

  public:
    explicit StatusPanel(const GameController& game, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const GameController& game_;
};

} // namespace vemo::ui
