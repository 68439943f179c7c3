// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/centring.h"

#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace vemo::ui {

int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value)); // the default rounding mode is to even
}

int CentredOffset(int outer, int width) {
    return RoundHalfEven((outer - width) / 2.0);
}

void CentreOnWindow(QWidget& dialog, const QWidget* owner) {
    if (owner == nullptr) return;
    const QRect main = owner->window()->frameGeometry();
    const QRect box = dialog.frameGeometry();
    const int left = main.left() + RoundHalfEven(main.width() / 2.0 - box.width() / 2.0);
    const int top = main.top() + RoundHalfEven(main.height() / 2.0 - box.height() / 2.0);
    // Kept on the free area of the owner's screen.
    const QRect free = owner->window()->screen()->availableGeometry();
    dialog.move(
        std::clamp(left, free.left(), std::max(free.left(), free.right() + 1 - box.width())),
        std::clamp(top, free.top(), std::max(free.top(), free.bottom() + 1 - box.height())));
}

QScrollArea* ScrollAround(QDialog& dialog, QWidget* content) {
    auto* area = new QScrollArea(&dialog);
    area->setObjectName(QStringLiteral("Scroller"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    area->setWidget(content);
    // The dialog's own background and border show through.
    area->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    area->setGeometry(dialog.rect());
    return area;
}

void FitOnScreen(QDialog& dialog, QScrollArea& area) {
    const QWidget* owner = dialog.parentWidget() ? dialog.parentWidget()->window() : &dialog;
    QRect free = owner->screen()->availableGeometry();
    // Room for a title bar and edges like the owner's, when the dialog has them.
    if (!(dialog.windowFlags() & Qt::FramelessWindowHint) && owner != &dialog) {
        const QRect outer = owner->frameGeometry();
        const QRect inner = owner->geometry();
        free.adjust(0, 0, -(outer.width() - inner.width()), -(outer.height() - inner.height()));
    }
    const QSize designed = area.widget()->size();
    const int bar = dialog.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &area);
    QSize size = designed;
    const bool tall = size.height() > free.height();
    if (tall) size.rwidth() += bar;
    if (size.width() > free.width()) {
        size.rheight() += bar;
        if (!tall && size.height() > free.height()) size.rwidth() += bar;
    }
    dialog.setFixedSize(size.boundedTo(free.size()));
    area.setGeometry(dialog.rect());
}

namespace {

// Keeps the raised border on the box's edges when the box changes size.
class BorderFollower final : public QObject {
  public:
    BorderFollower(QFrame* border, QWidget* box) : QObject(border), border_(border) {
        box->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            border_->setGeometry(static_cast<QWidget*>(watched)->rect());
        return false;
    }

  private:
    QFrame* border_;
};

} // namespace

void RemoveTitleBar(QWidget& dialog) {
    dialog.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    auto* border = new QFrame(&dialog);
    border->setObjectName(QStringLiteral("Border"));
    border->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    border->setGeometry(dialog.rect());
    border->lower();
    new BorderFollower(border, &dialog);
}

} // namespace vemo::ui
