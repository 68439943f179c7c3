// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/type_size.h"

#include <QApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace vemo::ui {

namespace {

// The usual desktop type: 9 points on a 96 dots-per-inch screen, 12 pixels.
constexpr double kDesignedPoints = 9.0;
constexpr double kDesignedDpi = 96.0;
constexpr double kDesignedPixels = kDesignedPoints * kDesignedDpi / 72.0;

} // namespace

double TypeScale() {
    // The pixels the type really takes: points at the screen's resolution
    // (a font resolution of 192 draws 9 points twice as large), or a font
    // given in pixels as it is.
    const QFont font = QApplication::font();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : kDesignedDpi;
    const double pixels = font.pointSizeF() > 0 ? font.pointSizeF() * dpi / 72.0
                                                : static_cast<double>(QFontInfo(font).pixelSize());
    return pixels > 0 ? std::max(1.0, pixels / kDesignedPixels) : 1.0;
}

QFont HeadingFont(int pixels, bool bold) {
    QFont font = QApplication::font();
    font.setPixelSize(static_cast<int>(std::lround(pixels * TypeScale())));
    font.setBold(bold);
    return font;
}

} // namespace vemo::ui
