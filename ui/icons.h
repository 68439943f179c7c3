// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Plain generated icons for the toolbars and menus: a glyph on a tinted tile.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace vemo::ui {

QIcon GlyphIcon(const QString& glyph, const QColor& tile, const QColor& ink = Qt::black);

// The 16 x 16 picture of a digit used by the cell chooser.
QPixmap DigitPicture(int digit);

} // namespace vemo::ui
