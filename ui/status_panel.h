// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The owner-drawn left panel of the status bar: StatusMessage on StatusColour,
// in the look's colours. Screen readers read the message as the panel's text
// and are told when it changes.
#pragma once

#include <QWidget>

namespace vemo::ui {

class GameController;

class StatusPanel : public QWidget {
    Q_OBJECT

  public:
    explicit StatusPanel(const GameController& game, QWidget* parent = nullptr);

    // The message as shown.
    QString Message() const;
    // Repaints, and tells assistive technologies when the message changed.
    void Refresh();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    const GameController& game_;
    QString announced_;
};

} // namespace vemo::ui
