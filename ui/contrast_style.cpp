// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "contrast_style.h"

#include "focus_style.h"
#include "look.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

namespace vemo::ui {

namespace {

bool HighContrast() {
    return CurrentLook().kind == LookKind::HighContrast;
}

// A part's lines: the text's colour, or the disabled text's.
QColor Ink(const QStyleOption& option) {
    const Look& look = CurrentLook();
    return QColor(option.state.testFlag(QStyle::State_Enabled) ? look.windowText
                                                               : look.disabledText);
}

void CheckMark(QPainter& p, const QRectF& box, const QColor& ink) {
    QPainterPath mark;
    mark.moveTo(box.left() + box.width() * 0.2, box.top() + box.height() * 0.5);
    mark.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.75);
    mark.lineTo(box.left() + box.width() * 0.8, box.top() + box.height() * 0.25);
    p.setPen(QPen(ink, std::max(2.0, box.width() / 6), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(mark);
}

} // namespace

void ContrastStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    if (!HighContrast() || !option) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const Look& look = CurrentLook();
    const QColor ink = Ink(*option);
    const QRectF r = QRectF(option->rect).adjusted(1, 1, -1, -1);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    switch (element) {
    case PE_IndicatorCheckBox:
    case PE_IndicatorItemViewItemCheck:
        painter->setPen(QPen(ink, 2));
        painter->setBrush(QColor(look.base));
        painter->drawRect(r);
        if (option->state.testFlag(State_On)) CheckMark(*painter, r, ink);
        if (option->state.testFlag(State_NoChange))
            painter->fillRect(r.adjusted(3, r.height() / 2 - 1, -3, -r.height() / 2 + 1), ink);
        break;
    case PE_IndicatorRadioButton:
        painter->setPen(QPen(ink, 2));
        painter->setBrush(QColor(look.base));
        painter->drawEllipse(r);
        if (option->state.testFlag(State_On)) {
            painter->setBrush(ink);
            painter->setPen(Qt::NoPen);
            painter->drawEllipse(r.center(), r.width() / 4, r.height() / 4);
        }
        break;
    case PE_IndicatorMenuCheckMark:
        if (option->state.testFlag(State_On)) CheckMark(*painter, r, ink);
        break;
    case PE_FrameMenu:
    case PE_FrameWindow:
    case PE_FrameDockWidget:
        painter->setPen(QPen(QColor(look.windowText), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
        break;
    case PE_PanelMenu:
        painter->fillRect(option->rect, QColor(look.window));
        painter->setPen(QPen(QColor(look.windowText), 1));
        painter->drawRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
        break;
    case PE_PanelButtonCommand:
    case PE_PanelButtonBevel: {
        const bool down = option->state & (State_Sunken | State_On);
        painter->setBrush(QColor(down ? look.highlight : look.face));
        painter->setPen(QPen(ink, 2));
        painter->drawRoundedRect(r, 2, 2);
        break;
    }
    default:
        painter->restore();
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    painter->restore();
}

void ContrastStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (!HighContrast() || element != CE_MenuItem || !item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const Look& look = CurrentLook();
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        painter->fillRect(item->rect, QColor(look.window));
        const int y = item->rect.center().y();
        painter->fillRect(QRect(item->rect.left() + 4, y, item->rect.width() - 8, 1),
                          QColor(look.disabledText));
        return;
    }
    QStyleOptionMenuItem copy = *item;
    if (!item->state.testFlag(State_Enabled)) {
        // The desktop's style embosses a disabled text with the light colour,
        // white here: it would read as enabled.
        copy.palette.setColor(QPalette::Light, QColor(look.window));
        copy.palette.setColor(QPalette::Disabled, QPalette::Light, QColor(look.window));
    }
    QProxyStyle::drawControl(element, &copy, painter, widget);
    if (item->checked && !item->icon.isNull()) {
        // A ticked entry with a picture: the picture is framed.
        const int side = std::max(item->maxIconWidth, 16) + 4;
        const QRect frame(item->rect.left() + 2,
                          item->rect.top() + (item->rect.height() - side) / 2, side, side);
        painter->save();
        painter->setPen(QPen(Ink(*item), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(frame.adjusted(1, 1, -1, -1));
        painter->restore();
    }
}

int ContrastStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
    if (hint == SH_ToolTip_WakeUpDelay || hint == SH_ToolTip_FallAsleepDelay) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void InstallContrastStyle() {
    if (dynamic_cast<ContrastStyle*>(QApplication::style())) return;
    // Over the focus ring's style, which draws the keyboard's focus in every
    // look; the proxy takes the style it wraps as its own.
    QStyle* base = QApplication::style();
    if (!dynamic_cast<FocusStyle*>(base)) base = new FocusStyle(base->name());
    QApplication::setStyle(new ContrastStyle(base));
}

} // namespace vemo::ui
