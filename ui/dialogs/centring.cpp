// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/centring.h"

#include <QEvent>
#include <QFrame>
#include <QWidget>
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
    dialog.move(left, top);
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
