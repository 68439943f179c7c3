// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Placement helpers shared by the three dialogs: offsets are rounded to the
// nearest integer with halves going to the even neighbour.
#pragma once

class QDialog;
class QScrollArea;
class QWidget;

namespace vemo::ui {

int RoundHalfEven(double value);

// Left of a child of width `width` centred in a container of width `outer`.
int CentredOffset(int outer, int width);

// Moves a top-level dialog so that it is centred on the window of `owner`
// (frame to frame). Does nothing without an owner.
void CentreOnWindow(QWidget& dialog, const QWidget* owner);

// A borderless scroll area filling `dialog`, holding `content`: the widget in
// which the dialog places its texts and buttons.
QScrollArea* ScrollAround(QDialog& dialog, QWidget* content);

// Gives `dialog` the size of the content of `area` while it fits on the free
// area of the screen it is shown on (its owner's), and as much of it as fits,
// scrolling, when it does not.
void FitOnScreen(QDialog& dialog, QScrollArea& area);

// Gives the dialog the style of a box without a title bar, with a raised
// border of its own so that its edges show over the main window. Call it
// once the dialog has its final size.
void RemoveTitleBar(QWidget& dialog);

} // namespace vemo::ui
