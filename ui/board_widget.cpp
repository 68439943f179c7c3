// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_widget.h"

#include "board_accessible.h"
#include "board_painter.h"
#include "game_controller.h"
#include "look.h"
#include "texts.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vemo::ui {

BoardWidget::BoardWidget(GameController& game, Kind kind, QWidget* parent)
    : QWidget(parent), game_(game), kind_(kind) {
    setFixedSize(kPictureSize, kPictureSize);
    setMouseTracking(kind == Kind::Board);
    // Tab reaches both pictures; the board takes the keys of the game.
    setFocusPolicy(Qt::StrongFocus);
    InstallBoardAccessibility();
    Redraw();
}

void BoardWidget::SetSide(int side) {
    side = std::max(side, kSmallestBoardSide);
    if (width() == side && height() == side) return;
    setFixedSize(side, side);
    Redraw();
}

qreal BoardWidget::Scale() const {
    return static_cast<qreal>(width()) / kPictureSize;
}

QPoint BoardWidget::ToPicture(const QPointF& at) const {
    const qreal scale = Scale();
    return QPoint(static_cast<int>(std::floor(at.x() / scale)),
                  static_cast<int>(std::floor(at.y() / scale)));
}

QPoint BoardWidget::FromPicture(const QPoint& at) const {
    const qreal scale = Scale();
    return QPoint(qRound(at.x() * scale), qRound(at.y() * scale));
}

void BoardWidget::Paint(QImage& image, qreal shrink) const {
    const Look& look = CurrentLook();
    image.fill(QColor(look.base));
    QPainter painter(&image);
    if (shrink < 1.0) painter.scale(shrink, shrink);
    if (kind_ == Kind::Board) {
        DrawBoardPicture(painter, game_.Game(), game_.Board(), look);
    } else {
        DrawSolutionPicture(painter, game_.Game(), game_.Board(), look);
    }
}

void BoardWidget::Redraw() {
    // The generator's positions are not shown; the last picture stays.
    if (kind_ == Kind::Board && game_.Game().Generating) return;
    // The image's pixel ratio carries the widget's scale, so the painter works
    // in picture coordinates and the digits are rendered at the full
    // resolution rather than stretched.
    // A board smaller than the picture on a magnified screen (a ratio below
    // one, which an image does not take) is scaled by the painter instead.
    const qreal ratio = devicePixelRatioF() * Scale();
    const qreal imageRatio = std::max<qreal>(1.0, ratio);
    const int side = qRound(width() * devicePixelRatioF());
    if (picture_.width() != side || picture_.devicePixelRatio() != imageRatio) {
        picture_ = QImage(side, side, QImage::Format_RGB32);
        picture_.setDevicePixelRatio(imageRatio);
    }
    Paint(picture_, ratio / imageRatio);
    update();
    AnnounceBoardChanges(*this, spoken_, spokenActive_);
}

void BoardWidget::SetHintDrawing(const advanced::HintDrawing& drawing) {
    game_.SetHintDrawing(drawing); // the board is redrawn on boardChanged
}

void BoardWidget::ClearHintDrawing() {
    game_.ClearHintDrawing();
}

QString BoardWidget::AccessibleTitle() const {
    return kind_ == Kind::Board ? game_.Texts().Text(609) : game_.Texts().Text(1);
}

QString BoardWidget::CellName(int cell) const {
    return SpokenCellName(game_.Game(), game_.Board(), game_.Texts(), cell,
                          kind_ == Kind::Solution);
}

int BoardWidget::ActiveCell() const {
    return game_.Board().ActiveRow * 9 + game_.Board().ActiveColumn;
}

// The keyboard's place: the raised frame around the picture takes the look's
// focus colour, so that the ring hides no part of the cells.
void BoardWidget::MarkFocus(bool focused) {
    QWidget* frame = parentWidget();
    if (!frame) return;
    if (!focused) {
        frame->setPalette(QPalette()); // the window's colours again
        return;
    }
    QPalette palette;
    for (const QPalette::ColorRole role :
         {QPalette::Light, QPalette::Midlight, QPalette::Dark, QPalette::Mid, QPalette::Shadow})
        palette.setColor(role, QColor(CurrentLook().focusRing));
    frame->setPalette(palette);
}

void BoardWidget::RefreshFocusMark() {
    MarkFocus(hasFocus());
}

void BoardWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    MarkFocus(true);
    if (QAccessibleInterface* table = QAccessible::queryAccessibleInterface(this)) {
        QAccessibleEvent focus(table->child(ActiveCell()), QAccessible::Focus);
        Announce(focus);
    }
}

void BoardWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    MarkFocus(false);
}

QImage BoardWidget::LogicalPicture() const {
    QImage image(kPictureSize, kPictureSize, QImage::Format_RGB32);
    Paint(image);
    return image;
}

void BoardWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The picture has exactly the widget's device pixels: copied unscaled.
    painter.drawImage(QRectF(rect()), picture_, QRectF(picture_.rect()));
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
    if (kind_ != Kind::Board) return;
    const QPoint at = ToPicture(event->position());
    game_.PointerOverBoard(at.x(), at.y());
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    if (kind_ != Kind::Board) return;
    const QPoint at = ToPicture(event->position());
    emit pressed(at.x(), at.y(), event->modifiers().testFlag(Qt::ShiftModifier));
}

} // namespace vemo::ui
