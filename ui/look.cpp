// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace vemo::ui {

namespace {

constexpr QRgb C(int r, int g, int b) {
    return qRgb(r, g, b);
}

// The three looks. "Clair" keeps the light board; "Sombre" a dark board and
// pages with light text; "Contraste élevé" white and yellow on black with
// strong marks.
const Look kLooks[kLookCount] = {
    {
        LookKind::Light,
        // board grounds, border, even-cell shading, filter mark
        C(224, 255, 255),
        C(217, 248, 253),
        C(198, 243, 251),
        C(192, 192, 192),
        C(50, 150, 140),
        C(170, 110, 210),
        // digits, candidates, the givens' outline
        C(0, 0, 0),
        C(0, 0, 255),
        C(0, 0, 0),
        C(0, 0, 0),
        // active cell
        C(210, 0, 0),
        C(0, 0, 0),
        2,
        // bars, box lines, diagonals
        C(0, 0, 0),
        C(0, 0, 0),
        C(0, 0, 255),
        // solution
        C(255, 255, 203),
        C(255, 255, 224),
        C(0, 0, 0),
        {C(170, 115, 85), C(176, 87, 201), C(252, 180, 255), C(152, 255, 214)},
        // window, text, base, base text, face, face text, highlight, its text
        C(239, 239, 239),
        C(0, 0, 0),
        C(255, 255, 255),
        C(0, 0, 0),
        C(239, 239, 239),
        C(0, 0, 0),
        C(30, 110, 180),
        C(255, 255, 255),
        // disabled text, light, mid, dark, shadow
        C(110, 110, 110),
        C(255, 255, 255),
        C(202, 202, 202),
        C(160, 160, 160),
        C(105, 105, 105),
        // tooltips
        C(224, 255, 255),
        C(0, 0, 0),
        // technique names, listing numbers, counts, missing counts, count ground
        C(0, 0, 255),
        C(0, 0, 255),
        C(0, 0, 0),
        C(190, 0, 0),
        C(255, 255, 255),
        // status text
        C(0, 0, 0),
        // chooser
        C(194, 232, 255),
        C(160, 200, 225),
        C(0, 0, 0),
        C(160, 0, 0),
        // About box: title, link, its hover, the version link, its hover
        C(0, 0, 255),
        C(0, 80, 170),
        C(200, 0, 0),
        C(200, 0, 0),
        C(0, 0, 255),
        // congratulations: title and its blink, statistics panel, its text and
        // heading, record line; examples banner
        C(255, 0, 0),
        C(0, 0, 255),
        C(28, 44, 92),
        C(255, 255, 255),
        C(166, 202, 240),
        C(200, 0, 0),
        C(200, 0, 0),
        // focus ring, hint band
        C(30, 110, 180),
        C(150, 60, 0),
    },
    {
        LookKind::Dark,
        C(22, 24, 30),
        C(40, 46, 56),
        C(54, 62, 78),
        C(100, 106, 118),
        C(30, 120, 125),
        C(130, 90, 210),
        C(240, 240, 240),
        C(130, 190, 255),
        C(255, 255, 255),
        C(200, 200, 200),
        C(255, 210, 0),
        C(0, 0, 0),
        2,
        C(230, 230, 230),
        C(220, 220, 220),
        C(130, 190, 255),
        C(64, 60, 30),
        C(44, 44, 36),
        C(0, 0, 0),
        {C(225, 13, 84), C(42, 50, 148), C(118, 27, 65), C(66, 112, 148)},
        C(45, 45, 48),
        C(230, 230, 230),
        C(30, 30, 32),
        C(230, 230, 230),
        C(60, 62, 66),
        C(235, 235, 235),
        C(50, 100, 180),
        C(255, 255, 255),
        C(150, 150, 150),
        C(90, 92, 96),
        C(70, 72, 76),
        C(25, 25, 27),
        C(10, 10, 10),
        C(60, 60, 70),
        C(240, 240, 240),
        C(150, 190, 255),
        C(150, 190, 255),
        C(240, 240, 240),
        C(255, 130, 130),
        C(30, 30, 32),
        C(240, 240, 240),
        C(40, 50, 70),
        C(60, 75, 110),
        C(240, 240, 240),
        C(255, 170, 170),
        C(150, 190, 255),
        C(150, 190, 255),
        C(255, 170, 170),
        C(255, 170, 170),
        C(150, 190, 255),
        C(255, 120, 120),
        C(140, 190, 255),
        C(28, 40, 80),
        C(240, 240, 240),
        C(166, 202, 240),
        C(255, 150, 150),
        C(255, 140, 140),
        C(170, 210, 255),
        C(255, 170, 60),
    },
    {
        LookKind::HighContrast,
        C(0, 0, 0),
        C(0, 0, 0),
        C(0, 0, 0),
        C(255, 255, 255),
        C(105, 105, 105),
        C(150, 40, 220),
        C(255, 255, 255),
        C(255, 255, 0),
        C(255, 255, 255),
        C(255, 255, 255),
        C(255, 0, 255),
        C(255, 255, 255),
        2,
        C(255, 255, 255),
        C(255, 255, 255),
        C(255, 255, 0),
        C(0, 0, 0),
        C(0, 0, 0),
        C(90, 0, 0),
        {C(115, 113, 124), C(42, 15, 151), C(70, 40, 49), C(92, 91, 255)},
        C(0, 0, 0),
        C(255, 255, 255),
        C(0, 0, 0),
        C(255, 255, 255),
        C(0, 0, 0),
        C(255, 255, 255),
        C(0, 0, 160),
        C(255, 255, 255),
        C(170, 170, 170),
        C(255, 255, 255),
        C(160, 160, 160),
        C(255, 255, 255),
        C(255, 255, 255),
        C(0, 0, 0),
        C(255, 255, 255),
        C(255, 255, 0),
        C(255, 255, 0),
        C(255, 255, 255),
        C(255, 128, 128),
        C(0, 0, 0),
        C(255, 255, 255),
        C(0, 0, 0),
        C(0, 0, 160),
        C(255, 255, 255),
        C(255, 128, 128),
        C(255, 255, 0),
        C(0, 255, 255),
        C(255, 255, 0),
        C(255, 128, 128),
        C(0, 255, 255),
        C(255, 255, 0),
        C(0, 255, 255),
        C(0, 0, 0),
        C(255, 255, 255),
        C(255, 255, 0),
        C(255, 128, 128),
        C(255, 128, 128),
        C(0, 255, 255),
        C(255, 140, 0),
    },
};

LookKind current = LookKind::Light;

} // namespace

const Look& LookOf(LookKind kind) {
    return kLooks[std::clamp(static_cast<int>(kind), 0, kLookCount - 1)];
}

const Look& CurrentLook() {
    return LookOf(current);
}

void SetCurrentLook(LookKind kind) {
    current = LookOf(kind).kind;
}

QPalette LookPalette(const Look& look) {
    QPalette p;
    const auto set = [&p](QPalette::ColorRole role, QRgb colour) {
        p.setColor(QPalette::All, role, QColor(colour));
    };
    set(QPalette::Window, look.window);
    set(QPalette::WindowText, look.windowText);
    set(QPalette::Base, look.base);
    set(QPalette::AlternateBase, look.face);
    set(QPalette::Text, look.baseText);
    set(QPalette::Button, look.face);
    set(QPalette::ButtonText, look.faceText);
    set(QPalette::BrightText, look.windowText);
    set(QPalette::Highlight, look.highlight);
    set(QPalette::HighlightedText, look.highlightText);
    set(QPalette::ToolTipBase, look.tooltip);
    set(QPalette::ToolTipText, look.tooltipText);
    set(QPalette::PlaceholderText, look.disabledText);
    set(QPalette::Link, look.link);
    set(QPalette::LinkVisited, look.link);
    set(QPalette::Light, look.light);
    set(QPalette::Midlight, look.light);
    set(QPalette::Mid, look.mid);
    set(QPalette::Dark, look.dark);
    set(QPalette::Shadow, look.shadow);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(look.disabledText));
    return p;
}

QColor Tint(const Look& look, const QColor& light) {
    if (look.kind == LookKind::Light) return light;
    // The light look's button face is the plain ground of the status bar.
    if (light.rgb() == LookOf(LookKind::Light).face) return QColor(look.face);
    float h = 0, s = 0, v = 0;
    light.getHsvF(&h, &s, &v);
    if (look.kind == LookKind::Dark) return QColor::fromHsvF(h, s * 0.85f, 0.42f);
    // High contrast: the colour at full strength and dark, so that white
    // stays readable on it; greys become black.
    if (s < 0.08f) return QColor(Qt::black);
    return QColor::fromHsvF(h, 1.0f, 0.45f);
}

const QPalette& DesktopPalette() {
    static const QPalette desktop = QGuiApplication::palette();
    return desktop;
}

LookKind StartingLook(int stored, const QPalette& desktop) {
    if (stored >= 0 && stored < kLookCount) return static_cast<LookKind>(stored);
    return IsDarkPalette(desktop) ? LookKind::Dark : LookKind::Light;
}

bool IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() <
           palette.color(QPalette::WindowText).lightness();
}

double RelativeLuminance(const QColor& colour) {
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace vemo::ui
