// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The dialogs' headings follow the type size the user chose: they are drawn
// at their designed pixel size with the usual 9-point desktop font, and as
// much larger as the application's font is.
#pragma once

#include <QFont>

namespace vemo::ui {

// How much larger than 9 points the application's font is (1 at most sizes
// up to 9 points).
double TypeScale();

// The application's typeface at `pixels` designed pixels, scaled by TypeScale().
QFont HeadingFont(int pixels, bool bold);

} // namespace vemo::ui
