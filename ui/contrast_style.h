// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The desktop's widget style, with the parts it derives from the window's
// ground drawn again in the high-contrast look: on a black ground those
// outlines, boxes, marks and separators would be black too. In every look,
// tooltips show at once.
#pragma once

#include <QProxyStyle>

namespace vemo::ui {

class ContrastStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

// How long a tooltip stays, in milliseconds.
inline constexpr int kToolTipDuration = 4000;

// Puts the contrast style, over the focus ring's, over the application's style, once.
void InstallContrastStyle();

} // namespace vemo::ui
