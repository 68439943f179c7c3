// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The dialogs' headings follow the type size the user chose: they are drawn
// at their designed pixel size with the usual 9-point desktop font, and as
// much larger as the application's font is drawn, whether by its size or by
// the font resolution.
#pragma once

#include <QFont>

namespace vemo::ui {

// How much larger than the usual 9 points on a 96 dots-per-inch screen the
// application's font is drawn, from its real pixel size (1 at most for
// smaller type).
double TypeScale();

// The application's typeface at `pixels` designed pixels, scaled by TypeScale().
QFont HeadingFont(int pixels, bool bold);

} // namespace vemo::ui
