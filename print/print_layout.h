// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The printed sheets: one grid centred on the page with its three title lines,
// or four grids two by two. The layouts paint on any QPainter from the page
// size and resolution in device pixels, so a printer, a PDF file and a test
// image all get the same drawing.
#pragma once

#include "engine/advanced/drawing.h"
#include "engine/engine.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <array>

class QPainter;

namespace vemo::print {

enum class PrintKind { kPuzzle, kPosition, kSolution };

// Rounding to the nearest integer, halves to even.
int Round(double value);

struct GridGeometry {
    int left = 0;
    int top = 0;
    int grid = 0; // side of the grid square
    int cell = 0;
    int inset = 0;      // between a cell's edge and its inner square
    int boxLine = 0;    // pen width of the lines between boxes
    int outerFrame = 0; // distance of the outer frame from the grid
};

// One grid centred on a page of width × height device pixels.
GridGeometry SingleGridGeometry(int width, int height);

// Grid k (0..3, left to right, then top to bottom) of the four-grid sheet.
GridGeometry FourGridGeometry(int width, int height, int k);

// The texts of the title lines, already in the current language.
struct TitleTexts {
    QString typeLabel;   // text 540
    QString levelLabel;  // text 533
    QString scoreLabel;  // text 532
    QString gridLabel;   // text 3, the four-grid sheet only
    QString variantName; // text 89, 90, 91 or 93 without leading blanks
    QString levelName;   // text 62..59 by the score, empty for 0
};

// The title texts of a puzzle from the language: `text` returns language text N.
template <typename TextLookup> TitleTexts MakeTitleTexts(const Engine& game, TextLookup text) {
    static constexpr int kVariantTexts[] = {89, 90, 91, 93};
    const auto trimmed = [](QString s) {
        while (s.startsWith(QLatin1Char(' '))) s.remove(0, 1);
        return s;
    };
    TitleTexts t;
    t.typeLabel = text(540);
    t.levelLabel = text(533);
    t.scoreLabel = text(532);
    t.gridLabel = text(3);
    const int kind = game.VariantKind >= 0 && game.VariantKind <= 3 ? game.VariantKind : 0;
    t.variantName = trimmed(text(kVariantTexts[kind]));
    const int score = game.PuzzleScore();
    const int level = score >= 650   ? 59
                      : score >= 320 ? 60
                      : score >= 106 ? 61
                      : score >= 1   ? 62
                                     : 0;
    if (level != 0) t.levelName = trimmed(text(level));
    return t;
}

// The three title lines above a grid ("Type" or "Grille", "Niveau", "Score")
// and the box each one is written in, in device pixels. The distances follow
// the type size, which follows the page's resolution, so the lines keep their
// places relative to each other and to the grid at any resolution.
struct TitleBlock {
    QFont font;
    std::array<QString, 3> lines;
    std::array<QRect, 3> boxes;
};

// The titles of the single-grid page and of grid k of the four-grid sheet.
TitleBlock SingleGridTitles(int width, int height, int resolutionY, const Engine& game,
                            const TitleTexts& texts);
TitleBlock SheetGridTitles(int width, int height, int resolutionY, int k, const Engine& game,
                           const TitleTexts& texts);

// The square of the outer frame drawn around a grid.
QRect OuterFrame(const GridGeometry& g);

struct PrintColours {
    QColor background{224, 255, 255};
    QColor cellLines{120, 120, 120}; // the desktop's grey-text colour in the window
};

// The single-grid page: titles, grid, digits of `kind`, frames, diagonals;
// for the position, the hint's drawing over it when one is given.
// `resolutionY` is the device's vertical resolution in dots per inch.
void PaintSingleGrid(QPainter& painter, int width, int height, int resolutionY, const Engine& game,
                     PrintKind kind, const TitleTexts& texts, const PrintColours& colours = {},
                     const advanced::HintDrawing* drawing = nullptr);

// Grid k of the four-grid sheet with its title lines (`k` + 1 is printed).
void PaintSheetGrid(QPainter& painter, int width, int height, int resolutionY, int k,
                    const Engine& game, const TitleTexts& texts, const PrintColours& colours = {});

} // namespace vemo::print
