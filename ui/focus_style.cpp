// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "focus_style.h"

#include "look.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace vemo::ui {

namespace {

// Two pixels of the focus colour inside the rectangle's edges.
void DrawRing(QPainter* painter, const QRect& rect) {
    constexpr int kWidth = 2;
    if (rect.width() <= 2 * kWidth || rect.height() <= 2 * kWidth) return;
    const QColor ring(CurrentLook().focusRing);
    painter->save();
    painter->fillRect(QRect(rect.left(), rect.top(), rect.width(), kWidth), ring);
    painter->fillRect(QRect(rect.left(), rect.bottom() - kWidth + 1, rect.width(), kWidth), ring);
    painter->fillRect(QRect(rect.left(), rect.top(), kWidth, rect.height()), ring);
    painter->fillRect(QRect(rect.right() - kWidth + 1, rect.top(), kWidth, rect.height()), ring);
    painter->restore();
}

} // namespace

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameFocusRect) {
        // As the desktop style does, only once the keyboard has moved the
        // focus in the window: a click shows no ring.
        if (option->state & State_KeyboardFocusChange) DrawRing(painter, option->rect);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    // The menu-bar entry opened by F10, Alt or the arrows.
    if (element == CE_MenuBarItem && (option->state & State_Selected) &&
        (option->state & State_Enabled))
        DrawRing(painter, option->rect);
    // The current tab of a focused tab bar, whose frame the base style draws
    // without asking this one.
    if (element == CE_TabBarTabLabel && (option->state & State_HasFocus) &&
        (option->state & State_KeyboardFocusChange))
        DrawRing(painter, option->rect.adjusted(2, 2, -2, -2));
}

} // namespace vemo::ui
