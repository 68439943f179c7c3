// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "icons.h"

#include <QFont>
#include <QPainter>

// The resources of a static library are registered by hand.
static void RegisterIconResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

namespace vemo::ui {

namespace {

QIcon Own(const char* name) {
    RegisterIconResources();
    return QIcon(QStringLiteral(":/icons/") + QLatin1String(name) + QStringLiteral(".svg"));
}

// The desktop theme's icon `name`, else the program's drawing of that name.
QIcon Themed(const char* name) {
    return QIcon::fromTheme(QLatin1String(name), Own(name));
}

} // namespace

QIcon CommandIcon(Command c) {
    switch (c) {
    case Command::BlankGrid:
        return Own("grid-blank");
    case Command::Generate:
        return Own("grid-generate");
    case Command::Start:
        return Own("game-start");
    case Command::Open:
        return Themed("document-open");
    case Command::Save:
        return Themed("document-save");
    case Command::Undo:
        return Themed("edit-undo");
    case Command::Redo:
        return Themed("edit-redo");
    case Command::Hint:
        return Own("hint");
    case Command::CompleteHint:
        return Own("hint-complete");
    case Command::PlayHint:
        return Own("hint-play");
    case Command::Print:
    case Command::PrintPosition:
    case Command::PrintSolution:
    case Command::PrintFour:
        return Themed("document-print");
    case Command::About:
        return Themed("help-about");
    case Command::FilterPairs:
        return FilterIcon(10);
    case Command::CancelFilter:
        return FilterIcon(11);
    default:
        break;
    }
    const int digit = Index(c) - Index(Command::Filter1) + 1;
    if (digit >= 1 && digit <= 9) return FilterIcon(digit);
    return {};
}

QIcon NewMenuIcon() {
    return Themed("document-new");
}

QIcon PracticeIcon() {
    return Own("practice");
}

QIcon FilterIcon(int button) {
    if (button == 10) return Own("filter-pairs");
    if (button == 11) return Own("filter-cancel");
    const QByteArray name = "filter-" + QByteArray::number(button);
    return Own(name.constData());
}

QIcon ApplicationIcon() {
    return Own("vemotarn");
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
