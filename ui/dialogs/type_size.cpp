// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/type_size.h"

#include <QApplication>

#include <algorithm>
#include <cmath>

namespace vemo::ui {

namespace {

constexpr double kDesignedPoints = 9.0;

} // namespace

double TypeScale() {
    const double points = QApplication::font().pointSizeF();
    return points > 0 ? std::max(1.0, points / kDesignedPoints) : 1.0;
}

QFont HeadingFont(int pixels, bool bold) {
    QFont font = QApplication::font();
    font.setPixelSize(static_cast<int>(std::lround(pixels * TypeScale())));
    font.setBold(bold);
    return font;
}

} // namespace vemo::ui
