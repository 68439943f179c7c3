// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "print/print_layout.h"

#include "print/hint_drawing_paint.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace vemo::print {

namespace {

const QColor kGivenPuzzle{198, 243, 251};
const QColor kGivenSolution{255, 255, 203};
const QColor kPlaced{217, 248, 253};
const QColor kSolutionDigit{255, 255, 224};
const QColor kEvenCell{173, 223, 214};
const QColor kBlue{0, 0, 255};

double Scale(int width, int height) {
    return std::min(width, height) / 4676.0;
}

// Font height in device pixels for a size in points on this device.
int PixelsForPoints(int points, int resolutionY) {
    return std::max(1, Round(points * resolutionY / 72.0));
}

QFont Typeface(int points, int resolutionY) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(PixelsForPoints(points, resolutionY));
    return font;
}

// A rectangle given by its top-left corner (included) and bottom-right corner
// (excluded).
QRect Span(int x0, int y0, int x1, int y1) {
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

void Outline(QPainter& painter, const QRect& r) {
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

// Text with its top-left corner at (x, y).
void TextAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QRect(x, y, 1 << 20, 1 << 20), Qt::AlignLeft | Qt::AlignTop, text);
}

// The type of the title lines: 16 points.
constexpr int kTitlePoints = 16;

// Three lines at `x`, their pitch one and a half times the type size and the
// last one's top two and a quarter type sizes above the grid. Where the room
// above the grid's frame is short, the block closes up to single spacing and
// finally stops at the page's top edge.
TitleBlock PlaceTitles(const GridGeometry& g, int x, int resolutionY,
                       const std::array<QString, 3>& lines) {
    TitleBlock block;
    block.font = Typeface(kTitlePoints, resolutionY);
    block.lines = lines;
    const QFontMetrics metrics(block.font);
    const int type = block.font.pixelSize();
    const int lineHeight = metrics.height();
    int pitch = std::max(lineHeight, Round(1.5 * type));
    int lastTop = g.top - Round(2.25 * type);
    const int frameTop = OuterFrame(g).top();
    // The lowest line stays clear of the frame.
    lastTop = std::min(lastTop, frameTop - lineHeight - Round(0.25 * type));
    if (lastTop - 2 * pitch < 0) pitch = std::max(lineHeight, (lastTop - 0) / 2);
    const int firstTop = std::max(0, lastTop - 2 * pitch);
    for (int i = 0; i < 3; ++i) {
        // A last letter may reach past its advance ("f" of "Consécutif").
        const int inkRight = metrics.boundingRect(lines[i]).right() + 1;
        const int lineWidth = std::max(metrics.horizontalAdvance(lines[i]), inkRight) + 1;
        block.boxes[i] = QRect(x, firstTop + i * pitch, lineWidth, lineHeight);
    }
    return block;
}

void PaintTitles(QPainter& painter, const TitleBlock& block) {
    painter.setFont(block.font);
    painter.setPen(Qt::black);
    for (int i = 0; i < 3; ++i)
        painter.drawText(block.boxes[i], Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         block.lines[i]);
}

std::array<QString, 3> TitleLines(const QString& first, const TitleTexts& texts, int score) {
    return {first, texts.levelLabel + QStringLiteral(" :  ") + texts.levelName,
            texts.scoreLabel + QStringLiteral(" : ") + QString::number(score)};
}

void PaintGrid(QPainter& painter, const GridGeometry& g, int resolutionY, const Engine& game,
               PrintKind kind, int digitPoints, const PrintColours& colours) {
    const QRect square(g.left, g.top, g.grid, g.grid);
    painter.fillRect(square, colours.background);
    Outline(painter, square);

    painter.setPen(QPen(colours.cellLines, 3, Qt::SolidLine, Qt::FlatCap));
    for (int i = 1; i <= 8; ++i) {
        painter.drawLine(g.left + i * g.cell, g.top, g.left + i * g.cell, g.top + g.grid);
        painter.drawLine(g.left, g.top + i * g.cell, g.left + g.grid, g.top + i * g.cell);
    }
    painter.setPen(QPen(Qt::black, std::max(1, g.boxLine), Qt::SolidLine, Qt::FlatCap));
    for (int i = 1; i <= 2; ++i) {
        const int at = 3 * i * g.cell - Round(g.boxLine / 2.0);
        painter.drawLine(g.left + at, g.top, g.left + at, g.top + g.grid);
        painter.drawLine(g.left, g.top + at, g.left + g.grid, g.top + at);
    }

    const QFont digitFont = Typeface(digitPoints, resolutionY);
    painter.setFont(digitFont);
    const int inset = g.inset;
    for (int c = 0; c < 81; ++c) {
        const int x0 = g.left + (c % 9) * g.cell;
        const int y0 = g.top + (c / 9) * g.cell;
        const QRect inner = Span(x0 + inset, y0 + inset, x0 + g.cell - inset, y0 + g.cell - inset);
        const int textX = x0 + inset + Round(12.0 * g.cell / 56.0);
        const int textY = y0 + inset + 4;
        if (game.VariantKind == kConsecutive) {
            if (game.NeighbourMarks[c][1] == 1)
                painter.fillRect(Span(x0 + g.cell - inset, y0 + 2 * inset, x0 + g.cell + inset,
                                      y0 + g.cell - 2 * inset),
                                 Qt::black);
            if (game.NeighbourMarks[c][2] == 1)
                painter.fillRect(Span(x0 + 2 * inset, y0 + g.cell - inset, x0 + g.cell - 2 * inset,
                                      y0 + g.cell + inset),
                                 Qt::black);
        }
        if (game.VariantKind == kOddEven && kind == PrintKind::kPuzzle && game.ParityMarks[c] == 2)
            painter.fillRect(inner, kEvenCell);
        const int given = game.Givens[c];
        if (given >= 1 && given <= 9) {
            painter.fillRect(inner, kind == PrintKind::kSolution ? kGivenSolution : kGivenPuzzle);
            Outline(painter, inner);
            painter.setPen(Qt::black);
            TextAt(painter, textX, textY, QString::number(given));
            continue;
        }
        int shown = 0;
        if (kind == PrintKind::kPosition) {
            shown = game.CellGrid[0][c];
            if (shown >= 1 && shown <= 9) painter.fillRect(inner, kPlaced);
        } else if (kind == PrintKind::kSolution) {
            shown = game.SolutionGrid[c];
            if (shown >= 1 && shown <= 9) painter.fillRect(inner, kSolutionDigit);
        }
        if (shown >= 1 && shown <= 9) {
            painter.setPen(kBlue);
            TextAt(painter, textX, textY, QString::number(shown));
        }
    }

    Outline(painter, Span(g.left - 2, g.top - 2, g.left + g.grid + 2, g.top + g.grid + 2));
    Outline(painter, OuterFrame(g));
    if (game.XSudoku == 1) {
        painter.setPen(QPen(Qt::black, 4));
        painter.drawLine(g.left, g.top, g.left + g.grid, g.top + g.grid);
        painter.drawLine(g.left + g.grid, g.top, g.left, g.top + g.grid);
    }
}

} // namespace

int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

GridGeometry SingleGridGeometry(int width, int height) {
    const double s = Scale(width, height);
    GridGeometry g;
    g.grid = Round(3676 * s);
    g.left = Round((width - g.grid) / 2.0);
    g.top = Round((height - g.grid) / 2.0);
    g.cell = Round(g.grid / 9.0);
    g.inset = Round(30 * s);
    g.boxLine = Round(12 * s);
    g.outerFrame = Round(50 * s);
    return g;
}

GridGeometry FourGridGeometry(int width, int height, int k) {
    const double s = Scale(width, height);
    GridGeometry g;
    g.grid = Round(3676 * s / 1.8);
    g.cell = Round(g.grid / 9.0);
    const int gapH = Round((width - 2 * g.grid) / 3.0);
    const int gapV = Round((height - 2 * g.grid) / 3.0);
    g.left = gapH + (k % 2) * (g.grid + gapH);
    g.top = gapV + (k / 2) * (g.grid + gapV);
    g.inset = Round(20 * s);
    g.boxLine = Round(12 * s);
    g.outerFrame = Round(50 * s);
    return g;
}

QRect OuterFrame(const GridGeometry& g) {
    const int d = g.outerFrame;
    return Span(g.left - d, g.top - d, g.left + g.grid + d, g.top + g.grid + d);
}

TitleBlock SingleGridTitles(int width, int height, int resolutionY, const Engine& game,
                            const TitleTexts& texts) {
    const GridGeometry g = SingleGridGeometry(width, height);
    return PlaceTitles(g, g.left + Round(500 * Scale(width, height)), resolutionY,
                       TitleLines(texts.typeLabel + QStringLiteral(" :  ") + texts.variantName,
                                  texts, game.PuzzleScore()));
}

TitleBlock SheetGridTitles(int width, int height, int resolutionY, int k, const Engine& game,
                           const TitleTexts& texts) {
    const GridGeometry g = FourGridGeometry(width, height, k);
    return PlaceTitles(g, g.left + Round(100 * Scale(width, height)), resolutionY,
                       TitleLines(texts.gridLabel + QStringLiteral(" : ") + QString::number(k + 1) +
                                      QStringLiteral("  ") + texts.variantName,
                                  texts, game.PuzzleScore()));
}

void PaintSingleGrid(QPainter& painter, int width, int height, int resolutionY, const Engine& game,
                     PrintKind kind, const TitleTexts& texts, const PrintColours& colours,
                     const advanced::HintDrawing* drawing) {
    const GridGeometry g = SingleGridGeometry(width, height);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintTitles(painter, SingleGridTitles(width, height, resolutionY, game, texts));
    PaintGrid(painter, g, resolutionY, game, kind, 32, colours);
    if (drawing != nullptr && kind == PrintKind::kPosition) {
        DrawingInk ink;
        ink.ground = colours.background;
        PaintHintDrawing(painter, *drawing,
                         DrawingFrame{double(g.left), double(g.top), double(g.cell)}, ink, true);
    }
    painter.restore();
}

void PaintSheetGrid(QPainter& painter, int width, int height, int resolutionY, int k,
                    const Engine& game, const TitleTexts& texts, const PrintColours& colours) {
    const GridGeometry g = FourGridGeometry(width, height, k);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintTitles(painter, SheetGridTitles(width, height, resolutionY, k, game, texts));
    PaintGrid(painter, g, resolutionY, game, PrintKind::kPuzzle, 16, colours);
    painter.restore();
}

} // namespace vemo::print
