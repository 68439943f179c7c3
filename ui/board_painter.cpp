// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "board_painter.h"

#include "engine/advanced/catalogue.h"
#include "engine/engine.h"
#include "engine/techniques/catalogue.h"

#include <QFont>
#include <QPainter>
#include <QtMath>

#include <algorithm>
#include <array>
#include <vector>

namespace vemo::ui {

namespace {

// The sizes of 32 and 10 points on the 96-dpi canvas the board was laid out
// for, as pixels so that the digits keep their place on any device.
constexpr int kDigitPixels = 43;
constexpr int kCandidatePixels = 13;
// The width of a hint cell's band.
constexpr int kHintBand = 2;

struct CellBox {
    int x0, y0, x1, y1; // right and bottom exclusive

    CellBox(int row, int column)
        : x0(column * kCellSize - 1), y0(row * kCellSize - 1), x1((column + 1) * kCellSize + 1),
          y1((row + 1) * kCellSize + 1) {}
};

QColor ToColor(const Rgb& c) {
    return QColor(c.red, c.green, c.blue);
}

// A rectangle from (x0, y0) to (x1, y1), right and bottom exclusive: the pen
// draws its outline on the outermost pixels and the brush fills the inside.
void FillBox(QPainter& p, int x0, int y0, int x1, int y1) {
    p.drawRect(QRect(x0, y0, x1 - x0 - 1, y1 - y0 - 1));
}

void UsePenAndBrush(QPainter& p, const QColor& pen, const QColor& brush) {
    p.setPen(QPen(pen, 1));
    p.setBrush(brush);
}

void FillInner(QPainter& p, const CellBox& b) {
    FillBox(p, b.x0 + 4, b.y0 + 4, b.x1 - 5, b.y1 - 6);
}

void OutlineInner(QPainter& p, const CellBox& b, const QColor& colour) {
    p.setPen(QPen(colour, 1));
    const QPoint corners[5] = {{b.x0 + 4, b.y1 - 6},
                               {b.x1 - 5, b.y1 - 6},
                               {b.x1 - 5, b.y0 + 4},
                               {b.x0 + 4, b.y0 + 4},
                               {b.x0 + 4, b.y1 - 6}};
    p.drawPolyline(corners, 5);
}

// Text with its top-left corner at (x, y), as the canvas writes it.
void DrawTextAt(QPainter& p, int x, int y, const QString& text) {
    p.drawText(QRect(x, y, 200, 100), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

// A digit as the canvas writes it, rendered once per size, colour, typeface
// and pixel ratio and then copied: the board draws up to 729 of them on every
// mouse move.
void WriteAt(QPainter& p, int x, int y, const QString& text) {
    if (text.size() != 1 || text[0] < QLatin1Char('1') || text[0] > QLatin1Char('9')) {
        DrawTextAt(p, x, y, text);
        return;
    }
    struct Key {
        int pixels;
        QRgb colour;
        qreal ratio;
        QString family;
        bool operator==(const Key&) const = default;
    };
    struct Sprites {
        Key key;
        std::array<QImage, 10> digits;
    };
    static std::vector<Sprites> cache;
    const QFont& font = p.font();
    // The sprites have the device's pixels, whatever scales the painter and
    // the image between them (a board shrunk on a magnified screen too).
    const QTransform scaling = p.deviceTransform();
    const qreal ratio =
        scaling.type() <= QTransform::TxScale ? scaling.m11() : p.device()->devicePixelRatioF();
    const Key key{font.pixelSize(), p.pen().color().rgb(), ratio, font.family()};
    auto it =
        std::find_if(cache.begin(), cache.end(), [&](const Sprites& s) { return s.key == key; });
    if (it == cache.end()) {
        if (cache.size() > 16) cache.clear(); // a bounded cache: fonts rarely change
        Sprites sprites{key, {}};
        const int side = font.pixelSize() * 2;
        for (int d = 1; d <= 9; ++d) {
            QImage& image = sprites.digits[d];
            image = QImage(qCeil(side * key.ratio), qCeil(side * key.ratio),
                           QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter sprite(&image);
            sprite.scale(key.ratio, key.ratio);
            sprite.setFont(font);
            sprite.setPen(p.pen().color());
            DrawTextAt(sprite, 0, 0, QString::number(d));
            sprite.end(); // copied pixel for pixel below
        }
        cache.push_back(std::move(sprites));
        it = cache.end() - 1;
    }
    const QImage& sprite = it->digits[text[0].digitValue()];
    // At a scale that is not a whole number the copy would be resampled: it is
    // placed on the nearest device pixel and copied unscaled instead.
    const QTransform device = p.deviceTransform();
    if (device.type() <= QTransform::TxScale) {
        const QTransform world = p.worldTransform();
        const QPointF at = device.map(QPointF(x, y));
        p.setWorldTransform(device.inverted() * world);
        p.drawImage(QPoint(qRound(at.x()), qRound(at.y())), sprite);
        p.setWorldTransform(world);
    } else {
        p.drawImage(QRectF(x, y, sprite.width() / key.ratio, sprite.height() / key.ratio), sprite);
    }
}

void SetFont(QPainter& p, int pixels, const QColor& colour) {
    if (p.font().pixelSize() != pixels) {
        QFont font = p.font();
        font.setPixelSize(pixels);
        p.setFont(font);
    }
    p.setPen(colour);
}

// The candidates as a 3 x 3 keypad: 1 2 3 on top, 7 8 9 at the bottom.
void WriteCandidates(QPainter& p, const CellBox& b, const QString& text, const Look& look) {
    SetFont(p, kCandidatePixels, QColor(look.candidateDigit));
    for (int d = 1; d <= 9 && d <= text.size(); ++d) {
        if (text[d - 1] == QLatin1Char('0')) continue;
        const int i = (d - 1) / 3;
        const int j = (d - 1) % 3;
        WriteAt(p, b.x0 + 12 + 14 * j, b.y0 + 5 + 16 * i, QString::number(d));
    }
}

void DrawBars(QPainter& p, const Engine& e, int cell, const CellBox& b, const Look& look) {
    if (e.VariantKind != kConsecutive) return;
    const NeighbourRecord& marks = e.NeighbourMarks[cell];
    UsePenAndBrush(p, QColor(look.bars), QColor(look.bars));
    if (marks[1] == 1) FillBox(p, b.x1 - 5, b.y0 + 10, b.x1, b.y1 - 10);
    if (marks[2] == 1) FillBox(p, b.x0 + 10, b.y1 - 5, b.x1 - 10, b.y1);
    if (marks[3] == 1) FillBox(p, b.x0, b.y0 + 10, b.x0 + 5, b.y1 - 10);
    if (marks[4] == 1) FillBox(p, b.x0 + 10, b.y0, b.x1 - 10, b.y0 + 5);
}

void DrawDiagonals(QPainter& p, const Engine& e, int row, int column, const CellBox& b,
                   const Look& look) {
    if (e.XSudoku != 1) return;
    p.setPen(QPen(QColor(look.diagonals), 1, Qt::SolidLine));
    if (row == column) p.drawLine(b.x0, b.y0, b.x1, b.y1);
    if (row + column == 8) p.drawLine(b.x1 - 1, b.y0 - 1, b.x0 - 1, b.y1 - 1);
}

void DrawBoxLines(QPainter& p, const Look& look) {
    p.setPen(QPen(QColor(look.boxLines), 2));
    for (int k = 1; k <= 2; ++k) {
        const int at = 3 * k * kCellSize;
        p.drawLine(at, 0, at, 9 * kCellSize);
        p.drawLine(0, at, 9 * kCellSize, at);
    }
}

// The active cell: a band inside the cell's inner outline and, within it, a
// line of the edge colour, so that the frame stands out from every ground.
void FrameActiveCell(QPainter& p, const CellBox& b, const Look& look) {
    for (int k = 0; k <= look.activeFrameWidth; ++k) {
        const CellBox inner = [&] {
            CellBox c = b;
            c.x0 += k;
            c.y0 += k;
            c.x1 -= k;
            c.y1 -= k;
            return c;
        }();
        OutlineInner(p, inner,
                     QColor(k < look.activeFrameWidth ? look.activeFrame : look.activeFrameEdge));
    }
}

// A hint cell's band: two pixels inside its edges, clear of the inner
// rectangle where the given's outline and the active frame lie.
void HintBand(QPainter& p, const CellBox& b, const Look& look) {
    const QColor band(look.hintOutline);
    const int left = b.x0 + 2, top = b.y0 + 2, right = b.x1 - 3, bottom = b.y1 - 3;
    p.fillRect(QRect(QPoint(left, top), QPoint(right, top + kHintBand - 1)), band);
    p.fillRect(QRect(QPoint(left, bottom - kHintBand + 1), QPoint(right, bottom)), band);
    p.fillRect(QRect(QPoint(left, top), QPoint(left + kHintBand - 1, bottom)), band);
    p.fillRect(QRect(QPoint(right - kHintBand + 1, top), QPoint(right, bottom)), band);
}

void DrawBoardCell(QPainter& p, const Engine& e, const BoardState& board,
                   const std::array<QString, 81>& texts, int row, int column, const Look& look) {
    const int cell = row * 9 + column;
    const CellBox b(row, column);
    const bool filled = e.Position()[cell] != 0;
    const bool given = e.Givens[cell] != 0;

    const QColor ground(!filled ? look.emptyCell : given ? look.givenCell : look.playerCell);
    UsePenAndBrush(p, QColor(look.thinBorder), ground);
    FillBox(p, b.x0, b.y0, b.x1, b.y1);

    if (e.VariantKind == kOddEven && e.ParityMarks[cell] == 2 && !filled && !given) {
        UsePenAndBrush(p, QColor(look.evenCell), QColor(look.evenCell));
        FillInner(p, b);
    }

    if (board.CellHighlight[cell] == kHintCell) {
        p.setBrush(HintCellColour(look, e.HintTechnique));
        FillBox(p, b.x0, b.y0, b.x1, b.y1);
    }

    if (const int mark = board.CellHighlight[cell];
        mark >= kChainCell && mark < kChainCell + kChainShades) {
        p.setBrush(QColor(look.chainShades[mark - kChainCell]));
        FillBox(p, b.x0, b.y0, b.x1, b.y1);
    }

    if (IsHintMark(board.CellHighlight[cell])) HintBand(p, b, look);

    if (board.CellHighlight[cell] == kFilteredCell) {
        p.setBrush(QColor(look.filterMark));
        FillInner(p, b);
    }

    const int candidateCount = e.CandidateTable.Count(cell);
    if (candidateCount == 0) {
        const QColor ink(!filled ? look.candidateDigit
                         : given ? look.givenDigit
                                 : look.playerDigit);
        SetFont(p, filled ? kDigitPixels : kCandidatePixels, ink);
        WriteAt(p, b.x0 + 16, b.y0 + 2, texts[cell]);
    } else if (board.CandidateDisplay == kShowAllCandidates) {
        WriteCandidates(p, b, texts[cell], look);
    }

    if (given) OutlineInner(p, b, QColor(look.givenOutline));

    if (column == board.ActiveColumn && row == board.ActiveRow && board.ActiveCellShown == 1 &&
        !board.ChooserVisible) {
        FrameActiveCell(p, b, look);
        if (board.CandidateDisplay == kShowActiveCell && candidateCount > 0)
            WriteCandidates(p, b, texts[cell], look);
    }

    DrawBars(p, e, cell, b, look);
    DrawDiagonals(p, e, row, column, b, look);
}

} // namespace

std::array<QString, 81> BuildCellTexts(const Engine& engine) {
    std::array<QString, 81> texts;
    for (int cell = 0; cell < 81; ++cell) {
        const int digit = engine.Position()[cell];
        if (digit != 0) {
            texts[cell] = QString::number(digit);
        } else if (engine.CandidateTable.Count(cell) > 0) {
            QString s(9, QLatin1Char('0'));
            for (int d = 1; d <= 9; ++d)
                if (engine.CandidateTable.Has(cell, d)) s[d - 1] = QLatin1Char('0' + d);
            texts[cell] = s;
        }
    }
    return texts;
}

print::DrawingInk HintDrawingInk(const Look& look) {
    print::DrawingInk ink;
    switch (look.kind) {
    case LookKind::Light:
        ink.link = QColor(10, 10, 80);
        ink.eliminated = QColor(95, 0, 0);
        ink.fin = QColor(60, 0, 90);
        ink.placed = QColor(0, 55, 0);
        break;
    case LookKind::Dark:
        ink.link = QColor(255, 240, 150);
        ink.eliminated = QColor(255, 200, 200);
        ink.fin = QColor(170, 240, 255);
        ink.placed = QColor(190, 255, 190);
        break;
    case LookKind::HighContrast:
        ink.link = QColor(0, 255, 255);
        ink.eliminated = QColor(255, 200, 200);
        ink.fin = QColor(255, 255, 0);
        ink.placed = QColor(255, 255, 255);
        break;
    }
    ink.ground = QColor(look.emptyCell);
    ink.digit = QColor(look.candidateDigit);
    return ink;
}

QColor StepColour(int technique, const QColor& otherwise) {
    if (const advanced::AdvancedTechnique* entry = advanced::AdvancedEntry(technique))
        return ToColor(entry->colour);
    if (technique >= 1 && technique <= kTechniqueCount) return ToColor(TechniqueColours[technique]);
    return otherwise;
}

QColor HintCellColour(const Look& look, int technique) {
    // The first techniques share the hint colour; the others show their own.
    static const QColor kHintColour(252, 149, 118);
    return Tint(look, technique < 3 ? kHintColour : StepColour(technique, kHintColour));
}

void DrawBoardPicture(QPainter& painter, const Engine& engine, const BoardState& board,
                      const Look& look) {
    if (engine.Generating) return;
    const std::array<QString, 81> texts = BuildCellTexts(engine);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 9; ++column) {
            DrawBoardCell(painter, engine, board, texts, row, column, look);
        }
    }
    // The box lines lie above every cell layer. Drawn after each cell or once
    // after the last one, the finished picture is the same, and the picture is
    // only shown finished.
    DrawBoxLines(painter, look);
    // The hint's drawing lies over the whole board, box lines included.
    print::PaintHintDrawing(painter, board.Drawing,
                            print::DrawingFrame{0.0, 0.0, double(kCellSize)}, HintDrawingInk(look),
                            board.CandidateDisplay != kShowAllCandidates);
    painter.restore();
}

void DrawSolutionPicture(QPainter& painter, const Engine& engine, const BoardState& board,
                         const Look& look) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 9; ++column) {
            const int cell = row * 9 + column;
            const CellBox b(row, column);
            const bool given = engine.Givens[cell] != 0;
            const int digit = engine.SolutionGrid[cell];
            // Black marks a cell whose solution the solver did not reach.
            const bool reached = digit != 0 || engine.FilledCount < 1 || board.HandEntry == 1 ||
                                 engine.SolutionCount < 1;
            const QColor ground(!reached ? look.solutionUnreached
                                : given  ? look.solutionGiven
                                         : look.solutionOther);
            UsePenAndBrush(painter, QColor(look.thinBorder), ground);
            FillBox(painter, b.x0, b.y0, b.x1, b.y1);

            SetFont(painter, kDigitPixels, QColor(given ? look.givenDigit : look.playerDigit));
            if (digit != 0) WriteAt(painter, b.x0 + 16, b.y0 + 2, QString::number(digit));

            if (given) OutlineInner(painter, b, QColor(look.givenOutline));
            DrawBars(painter, engine, cell, b, look);
            DrawDiagonals(painter, engine, row, column, b, look);
        }
    }
    DrawBoxLines(painter, look);
    painter.restore();
}

} // namespace vemo::ui
