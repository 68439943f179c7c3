// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/link_label.h"

#include <QMouseEvent>

namespace vemo::ui {

LinkLabel::LinkLabel(const QColor& rest, const QColor& hover, QWidget* parent)
    : QLabel(parent), rest_(rest), hover_(hover) {
    setCursor(Qt::PointingHandCursor);
    Paint(rest_);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    Paint(hover_);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    Paint(rest_);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Clicked();
}

void LinkLabel::Paint(const QColor& colour) {
    current_ = colour;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

} // namespace vemo::ui
