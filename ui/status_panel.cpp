// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "status_panel.h"

#include "board_accessible.h"
#include "game_controller.h"
#include "look.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace vemo::ui {

namespace {

// The panel as a static text whose name and value are the message: a text
// of the status bar, which screen readers read with the clock beside it.
class StatusAccessible : public QAccessibleWidget {
  public:
    explicit StatusAccessible(StatusPanel* panel)
        : QAccessibleWidget(panel, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name || t == QAccessible::Value)
            return static_cast<StatusPanel*>(widget())->Message();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
};

QAccessibleInterface* StatusFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("vemo::ui::StatusPanel") && object && object->isWidgetType())
        return new StatusAccessible(static_cast<StatusPanel*>(object));
    return nullptr;
}

// The room the panel gives its text: 4 pixels before, 2 after.
constexpr int kTextMargins = 6;

} // namespace

StatusPanel::StatusPanel(const GameController& game, QWidget* parent)
    : QWidget(parent), game_(game) {
    static const bool installed = [] {
        QAccessible::installFactory(StatusFactory);
        return true;
    }();
    (void)installed;
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(QString()); // the name is the message
}

QString StatusPanel::Message() const {
    return game_.StatusMessage();
}

QSize StatusPanel::sizeHint() const {
    // The width of the counter's message and of a warning at this type size,
    // and never less than the panel the window was laid out for.
    const QFontMetrics m = fontMetrics();
    const int text = std::max(m.horizontalAdvance(Message()),
                              m.horizontalAdvance(QStringLiteral("Cases remplies : 81")));
    return {std::max(440, text + kTextMargins), m.height() + 6};
}

QSize StatusPanel::minimumSizeHint() const {
    const QFontMetrics m = fontMetrics();
    return {
        std::max(200, m.horizontalAdvance(QStringLiteral("Cases remplies : 81")) + kTextMargins),
        m.height() + 6};
}

void StatusPanel::Refresh() {
    update();
    const QString message = Message();
    if (message == announced_) return;
    announced_ = message;
    updateGeometry();
    QAccessibleValueChangeEvent value(this, message);
    Announce(value);
    QAccessibleEvent name(this, QAccessible::NameChanged);
    Announce(name);
    // Read out at once, as a live region does.
    QAccessibleEvent alert(this, QAccessible::Alert);
    Announce(alert);
}

void StatusPanel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) updateGeometry();
    QWidget::changeEvent(event);
}

void StatusPanel::paintEvent(QPaintEvent*) {
    const Look& look = CurrentLook();
    QPainter p(this);
    p.fillRect(rect(), Tint(look, game_.StatusColour()));
    // A raised panel: light upper-left edges, dark lower-right ones.
    p.setPen(QColor(look.light));
    p.drawLine(0, 0, width() - 1, 0);
    p.drawLine(0, 0, 0, height() - 1);
    p.setPen(QColor(look.dark));
    p.drawLine(0, height() - 1, width() - 1, height() - 1);
    p.drawLine(width() - 1, 0, width() - 1, height() - 1);
    p.setPen(QColor(look.statusText));
    p.drawText(rect().adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, Message());
}

} // namespace vemo::ui
