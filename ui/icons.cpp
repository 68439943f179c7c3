// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "icons.h"

#include <QFont>
#include <QPainter>

namespace vemo::ui {

QIcon GlyphIcon(const QString& glyph, const QColor& tile, const QColor& ink) {
    QIcon icon;
    for (const int side : {16, 24, 32}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(tile.darker(150));
        p.setBrush(tile);
        p.drawRoundedRect(QRectF(0.5, 0.5, side - 1, side - 1), side / 6.0, side / 6.0);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(glyph.size() > 1 ? side * 5 / 12 : side * 2 / 3);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(QRect(0, 0, side, side), Qt::AlignCenter, glyph);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap DigitPicture(int digit) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(QColor(0, 0, 160));
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString::number(digit));
    return pixmap;
}

} // namespace vemo::ui
