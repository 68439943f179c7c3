// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/link_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>

namespace vemo::ui {

namespace {

// A link for screen readers: named by its text, with a press action.
class LinkAccessible final : public QAccessibleWidget {
  public:
    explicit LinkAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? static_cast<QLabel*>(widget())->text() : name;
        }
        if (t == QAccessible::Description) return widget()->toolTip();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction()) emit static_cast<LinkLabel*>(widget())->Clicked();
    }
};

QAccessibleInterface* LinkFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("vemo::ui::LinkLabel") && object && object->isWidgetType())
        return new LinkAccessible(static_cast<LinkLabel*>(object));
    return nullptr;
}

} // namespace

LinkLabel::LinkLabel(const QColor& rest, const QColor& hover, QWidget* parent)
    : QLabel(parent), rest_(rest), hover_(hover) {
    setCursor(Qt::PointingHandCursor);
    // Tab reaches the link; it is underlined while it has the focus.
    setFocusPolicy(Qt::StrongFocus);
    static const bool installed = [] {
        QAccessible::installFactory(LinkFactory);
        return true;
    }();
    (void)installed;
    Paint(rest_);
}

void LinkLabel::SetColours(const QColor& rest, const QColor& hover) {
    rest_ = rest;
    hover_ = hover;
    Paint(underMouse() ? hover_ : rest_);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        emit Clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::focusInEvent(QFocusEvent* event) {
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QLabel::focusInEvent(event);
}

void LinkLabel::focusOutEvent(QFocusEvent* event) {
    QFont f = font();
    f.setUnderline(false);
    setFont(f);
    QLabel::focusOutEvent(event);
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
