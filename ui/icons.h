// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The icons of the toolbars and menus: the desktop theme's for the common
// commands, with the program's own SVG drawings as fallbacks, and the
// program's own SVG drawings for its own commands. SVG icons are drawn at
// whatever size and pixel ratio they are shown.
#pragma once

#include "commands.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace vemo::ui {

// The icon of a command; a null icon for a command without one.
QIcon CommandIcon(Command c);

// The icon of the "Nouveau" menu.
QIcon NewMenuIcon();

// The icon of "S'entraîner": a grid whose pattern is circled.
QIcon PracticeIcon();

// The filter toolbar's buttons: 1..9 the digits, 10 the pairs, 11 the cancel
// button.
QIcon FilterIcon(int button);

// The program's own icon.
QIcon ApplicationIcon();

// The 16 x 16 picture of a digit used by the cell chooser.
QPixmap DigitPicture(int digit);

} // namespace vemo::ui
