// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The keyboard focus as every look shows it: a solid ring in the look's focus
// colour around the focused tab, tool button, table cell or button, and
// around the menu-bar entry the keys have opened, instead of the desktop
// style's faint one.
#pragma once

#include <QProxyStyle>

namespace vemo::ui {

class FocusStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

} // namespace vemo::ui
