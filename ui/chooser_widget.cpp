// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chooser_widget.h"

#include "game_controller.h"
#include "icons.h"
#include "look.h"
#include "texts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

namespace vemo::ui {

namespace {

class ChooserDelegate : public QStyledItemDelegate {
  public:
    ChooserDelegate(const GameController& game, QObject* parent)
        : QStyledItemDelegate(parent), game_(game) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        const Look& look = CurrentLook();
        p->fillRect(r, QColor(option.state.testFlag(QStyle::State_Selected) ? look.chooserSelected
                                                                            : look.chooserGround));
        const Chooser& chooser = game_.CellChooser();
        const int row = index.row();
        const QString text = index.data().toString();
        const bool play = chooser.excludeIndex > 0;
        const bool exclude = play && row == chooser.excludeIndex + 1;
        if (row <= 1 || exclude) {
            // "Exclure" in dark red: set apart from the digits and readable
            // on the list's light blue.
            p->setPen(QColor(exclude ? look.excludeText : look.chooserText));
            p->drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
        } else {
            p->setPen(QColor(look.chooserText));
            p->drawText(r.adjusted(14, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        }
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {56, std::max(ChooserWidget::kRowHeight, option.fontMetrics.height() + 2)};
    }

  private:
    const GameController& game_;
};

} // namespace

ChooserWidget::ChooserWidget(const GameController& game, QWidget* parent)
    : QListWidget(parent), game_(game) {
    setItemDelegate(new ChooserDelegate(game, this));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Opened from the keyboard, the list takes the arrows and Enter.
    setFocusPolicy(Qt::ClickFocus);
    setUniformItemSizes(true);
    setMouseTracking(true);
    ApplyLook();
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit chosen(row(item)); });
    hide();
}

int ChooserWidget::RowHeight() const {
    return std::max(kRowHeight, fontMetrics().height() + 2);
}

void ChooserWidget::ApplyLook() {
    const Look& look = CurrentLook();
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(look.chooserGround));
    pal.setColor(QPalette::Text, QColor(look.chooserText));
    // On a dark board the sunken edge does not show: a plain line in the
    // text's colour outlines the list.
    pal.setColor(QPalette::WindowText, QColor(look.chooserText));
    setPalette(pal);
    if (look.kind == LookKind::Light) {
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    } else {
        setFrameStyle(QFrame::Box | QFrame::Plain);
    }
    update();
}

void ChooserWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (currentRow() >= 0) emit chosen(currentRow());
        return;
    case Qt::Key_Escape:
        emit closed();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void ChooserWidget::mouseMoveEvent(QMouseEvent* event) {
    if (QListWidgetItem* item = itemAt(event->position().toPoint()); item && item != currentItem())
        setCurrentItem(item);
    QListWidget::mouseMoveEvent(event);
}

void ChooserWidget::Sync(const QRect& cell, const QRect& room, qreal scale) {
    const Chooser& chooser = game_.CellChooser();
    if (!chooser.visible) {
        hide();
        return;
    }
    // The type grows with the board, never below the window's own.
    QFont type = parentWidget() ? parentWidget()->font() : font();
    // A type given in pixels has no point size: it grows by its pixels.
    if (scale > 1.0 && type.pointSizeF() > 0) {
        type.setPointSizeF(type.pointSizeF() * scale);
    } else if (scale > 1.0 && type.pixelSize() > 0) {
        type.setPixelSize(qRound(type.pixelSize() * scale));
    }
    setFont(type);
    clear();
    addItems(chooser.items);
    // Screen readers tell the two sections' digits apart: "jouer 4", "exclure 4".
    if (chooser.excludeIndex > 0) {
        const TextSource& texts = game_.Texts();
        for (int row = 2; row < count(); ++row) {
            if (row == chooser.excludeIndex + 1) continue;
            const int word = row <= chooser.excludeIndex ? 712 : 713;
            const QString said = texts.Text(word).isEmpty()
                                     ? QString::fromUtf8(word == 712 ? "jouer" : "exclure")
                                     : texts.Text(word);
            item(row)->setData(Qt::AccessibleTextRole,
                               said + QLatin1Char(' ') + chooser.items[row]);
        }
    }
    setCurrentRow(0);
    // Every row at once, without scrolling, as wide as the longest text.
    const int rows = static_cast<int>(chooser.items.size());
    int widest = 0;
    for (const QString& item : chooser.items)
        widest = std::max(widest, fontMetrics().horizontalAdvance(item));
    const int width = std::max(qRound(60 * std::max(scale, 1.0)), widest + 8 + 2 * frameWidth());
    int height = rows * RowHeight() + 2 * frameWidth();
    // A window too low for every row keeps them all within reach by scrolling.
    const bool scrolls = room.isValid() && height > room.height();
    setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (scrolls) height = room.height();
    setFixedSize(width + (scrolls ? verticalScrollBar()->sizeHint().width() : 0), height);

    QPoint at(cell.right() + 1, cell.top());
    if (room.isValid()) {
        if (at.x() + this->width() > room.right() + 1) at.setX(cell.left() - this->width());
        if (at.y() + height > room.bottom() + 1) at.setY(cell.top() - height);
        at.setX(std::clamp(at.x(), room.left(),
                           std::max(room.left(), room.right() + 1 - this->width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - height)));
    }
    move(at);
    show();
    raise();
}

} // namespace vemo::ui
