// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "status_panel.h"

#include "game_controller.h"

#include <QPainter>
#include <QStyleOptionFrame>

namespace vemo::ui {

StatusPanel::StatusPanel(const GameController& game, QWidget* parent)
    : QWidget(parent), game_(game) {
    setFixedSize(440, 20);
}

void StatusPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), game_.StatusColour());
    // A raised panel: light upper-left edges, dark lower-right ones.
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(4, 3, width() - 6, height() - 3), Qt::AlignLeft | Qt::AlignTop,
               game_.StatusMessage());
}

} // namespace vemo::ui
