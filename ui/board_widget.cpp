// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_widget.h"

#include "board_painter.h"
#include "game_controller.h"

#include <QMouseEvent>
#include <QPainter>

namespace vemo::ui {

BoardWidget::BoardWidget(GameController& game, Kind kind, QWidget* parent)
    : QWidget(parent), game_(game), kind_(kind) {
    setFixedSize(kPictureSize, kPictureSize);
    setMouseTracking(kind == Kind::Board);
    Redraw();
}

void BoardWidget::Redraw() {
    // The generator's positions are not shown; the last picture stays.
    if (kind_ == Kind::Board && game_.Game().Generating) return;
    const qreal ratio = devicePixelRatioF();
    const int side = qRound(kPictureSize * ratio);
    if (picture_.width() != side) {
        picture_ = QImage(side, side, QImage::Format_RGB32);
        picture_.setDevicePixelRatio(ratio);
    }
    picture_.fill(Qt::white);
    QPainter painter(&picture_);
    if (kind_ == Kind::Board) {
        DrawBoardPicture(painter, game_.Game(), game_.Board());
    } else {
        DrawSolutionPicture(painter, game_.Game(), game_.Board());
    }
    painter.end();
    update();
}

void BoardWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture_);
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
    if (kind_ != Kind::Board) return;
    const QPoint at = event->position().toPoint();
    game_.PointerOverBoard(at.x(), at.y());
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    if (kind_ != Kind::Board) return;
    const QPoint at = event->position().toPoint();
    emit pressed(at.x(), at.y(), event->modifiers().testFlag(Qt::ShiftModifier));
}

} // namespace vemo::ui
