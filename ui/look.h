// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's three looks: "Clair", "Sombre" and "Contraste élevé". Every
// colour the board, the pages, the status bar and the dialogs use comes from
// one table per look, so that a text and its ground always come from the same
// place and their contrast can be checked.
#pragma once

#include <QColor>
#include <QPalette>

#include <array>

namespace vemo::ui {

enum class LookKind : int { Light = 0, Dark = 1, HighContrast = 2 };
inline constexpr int kLookCount = 3;

struct Look {
    LookKind kind;
    // The board.
    QRgb emptyCell, playerCell, givenCell, thinBorder, evenCell, filterMark;
    QRgb givenDigit, playerDigit, candidateDigit, givenOutline;
    QRgb activeFrame, activeFrameEdge; // the active cell: a band and its edges
    int activeFrameWidth;
    QRgb bars, boxLines, diagonals;
    QRgb solutionGiven, solutionOther, solutionUnreached;
    std::array<QRgb, 4> chainShades;
    // The window and its pages.
    QRgb window, windowText, base, baseText, face, faceText, highlight, highlightText;
    QRgb disabledText, light, mid, dark, shadow;
    QRgb tooltip, tooltipText;
    QRgb techniqueName, listingNumber, countText, missingCount, countGround;
    // The status bar's text on every tint.
    QRgb statusText;
    // The cell chooser.
    QRgb chooserGround, chooserSelected, chooserText, excludeText;
    // The About box.
    QRgb title, link, linkHover, checkLink, checkLinkHover;
    // The congratulations box: the title's two blinking colours on the
    // window, the statistics panel, the record line; the examples' banner.
    QRgb cheerTitle, cheerTitleBlink, statisticsGround, statisticsText, statisticsHeading;
    QRgb recordText, bannerText;
    // The ring around the board or the solution when it has the keyboard,
    // and around every other control that has it.
    QRgb focusRing;
    // The band inside a hint cell's edges, which sets it apart from an empty
    // cell whatever the technique's colour.
    QRgb hintOutline;
};

// The table of the three looks.
const Look& LookOf(LookKind kind);

// The look in use, and its change (the board, pages and dialogs follow when
// they are next painted; the window applies the palette).
const Look& CurrentLook();
void SetCurrentLook(LookKind kind);

// The palette of every widget in this look: no colour left to the desktop.
QPalette LookPalette(const Look& look);

// A tint defined for the light look (a technique's colour, the alarm red, the
// button face) as this look shows it behind text and on the board.
QColor Tint(const Look& look, const QColor& light);

// The application's palette as the desktop gave it, taken at the first call
// (before a look replaces it).
const QPalette& DesktopPalette();

// The look a window starts in: the stored choice (0..2), or without one
// "Sombre" on a dark desktop and "Clair" on any other.
LookKind StartingLook(int stored, const QPalette& desktop);

// True when a palette looks dark: its window ground is darker than its text.
bool IsDarkPalette(const QPalette& palette);

// WCAG 2 relative luminance and contrast ratio.
double RelativeLuminance(const QColor& colour);
double ContrastRatio(const QColor& a, const QColor& b);

} // namespace vemo::ui
