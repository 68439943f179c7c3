// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "print/hint_drawing_paint.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vemo::print {

using advanced::DrawnLink;
using advanced::DrawnNode;
using advanced::HintDrawing;
using advanced::NodeKind;

namespace {

// Sizes as parts of a cell's side.
constexpr double kRadius = 0.122;     // a candidate's circle
constexpr double kRingWidth = 0.03;   // circles and frames
constexpr double kLinkWidth = 0.034;  // links
constexpr double kCrossWidth = 0.036; // crosses
constexpr double kArrow = 0.12;       // an arrow head's length

std::vector<QPointF> Centres(const DrawingFrame& f, const DrawnNode& n) {
    std::vector<QPointF> out;
    ForEachCell(n.cells, [&](int c) { out.push_back(CandidateCentre(f, c, n.digit)); });
    return out;
}

double Length(const QPointF& v) {
    return std::hypot(v.x(), v.y());
}

QPointF Unit(const QPointF& v) {
    const double l = Length(v);
    return l > 1e-9 ? v / l : QPointF(1, 0);
}

// The candidate of a node nearest to a point: where its links start.
QPointF Anchor(const DrawingFrame& f, const DrawnNode& n, const QPointF& towards) {
    const std::vector<QPointF> centres = Centres(f, n);
    QPointF best = centres.empty() ? QPointF() : centres.front();
    for (const QPointF& c : centres)
        if (Length(c - towards) < Length(best - towards)) best = c;
    return best;
}

QPointF Middle(const DrawingFrame& f, const DrawnNode& n) {
    const std::vector<QPointF> centres = Centres(f, n);
    QPointF sum;
    for (const QPointF& c : centres) sum += c;
    return centres.empty() ? sum : sum / static_cast<double>(centres.size());
}

bool InOneLine(Bits81 cells) {
    const int first = FirstCell(cells);
    bool row = true, column = true;
    ForEachCell(cells, [&](int c) {
        row = row && c / 9 == first / 9;
        column = column && c % 9 == first % 9;
    });
    return row || column;
}

void PaintLink(QPainter& p, const DrawingFrame& f, const HintDrawing& d, const DrawnLink& l,
               const DrawingInk& ink) {
    const DrawnNode& from = d.nodes[l.from];
    const DrawnNode& to = d.nodes[l.to];
    const QPointF a = Anchor(f, from, Middle(f, to));
    const QPointF b = Anchor(f, to, a);
    const QPointF along = b - a;
    const double length = Length(along);
    if (length < 1e-6) return;
    const double s = f.cell;
    // A curve bent to the left of its direction, so that it passes beside
    // the candidates between its ends.
    // Between two candidates side by side the curve bows out further, so
    // that it and its arrow show beside the circles.
    const double bend = std::clamp(0.22 * length, length < 0.5 * s ? 0.32 * s : 0.18 * s, 0.9 * s);
    QPointF normal(-along.y() / length, along.x() / length);
    // A curve stays within the triangle of its ends and its control point, so
    // with that point inside the grid the whole link shows: one that would
    // bow out past the grid's edge bends the other way, toward the middle,
    // and a control point still outside (a long link near a corner) is drawn
    // back to the edge.
    const QRectF grid(f.left, f.top, 9 * s, 9 * s);
    const QPointF middle = (a + b) / 2.0;
    if (!grid.contains(middle + normal * bend)) normal = -normal;
    const QPointF bent = middle + normal * bend;
    const QPointF control(std::clamp(bent.x(), grid.left(), grid.right()),
                          std::clamp(bent.y(), grid.top(), grid.bottom()));
    const double r = kRadius * s;
    const QPointF start = a + Unit(control - a) * r;
    QPointF end = b + Unit(control - b) * (r + (l.arrow ? 0.01 * s : 0.0));
    const QPointF direction = Unit(end - control);
    const double head = kArrow * s;
    QPainterPath path(start);
    path.quadTo(control, l.arrow ? end - direction * head * 0.7 : end);
    QPen pen(ink.link, kLinkWidth * s, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    if (l.kind == advanced::Link::kWeak) pen.setDashPattern({3.0, 2.2});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    if (!l.arrow) return;
    const QPointF side(-direction.y(), direction.x());
    const QPolygonF arrow({end, end - direction * head + side * head * 0.45,
                           end - direction * head - side * head * 0.45});
    p.setPen(Qt::NoPen);
    p.setBrush(ink.link);
    p.drawPolygon(arrow);
}

void PaintNode(QPainter& p, const DrawingFrame& f, const DrawnNode& n, const DrawingInk& ink) {
    const double s = f.cell;
    const double r = kRadius * s;
    const std::vector<QPointF> centres = Centres(f, n);
    p.setBrush(Qt::NoBrush);
    switch (n.kind) {
    case NodeKind::kInvolved:
        p.setPen(QPen(ink.link, kRingWidth * s));
        for (const QPointF& c : centres) p.drawEllipse(c, r, r);
        break;
    case NodeKind::kGroup: {
        p.setPen(QPen(ink.link, kRingWidth * s));
        if (InOneLine(n.cells) && !centres.empty()) {
            double x0 = centres[0].x(), x1 = x0, y0 = centres[0].y(), y1 = y0;
            for (const QPointF& c : centres) {
                x0 = std::min(x0, c.x());
                x1 = std::max(x1, c.x());
                y0 = std::min(y0, c.y());
                y1 = std::max(y1, c.y());
            }
            p.drawRoundedRect(QRectF(QPointF(x0 - r, y0 - r), QPointF(x1 + r, y1 + r)), r, r);
        } else {
            // Two rings on each candidate of a group that no line holds.
            for (const QPointF& c : centres) {
                p.drawEllipse(c, r, r);
                p.drawEllipse(c, r * 0.72, r * 0.72);
            }
        }
        break;
    }
    case NodeKind::kFin: {
        p.setPen(QPen(ink.fin, kLinkWidth * s, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        const double k = r * 1.3;
        for (const QPointF& c : centres)
            p.drawPolygon(QPolygonF(
                {c + QPointF(0, -k), c + QPointF(k, 0), c + QPointF(0, k), c + QPointF(-k, 0)}));
        break;
    }
    case NodeKind::kEliminated: {
        p.setPen(QPen(ink.eliminated, kCrossWidth * s, Qt::SolidLine, Qt::RoundCap));
        const double k = r * 0.85;
        for (const QPointF& c : centres) {
            p.drawLine(c + QPointF(-k, -k), c + QPointF(k, k));
            p.drawLine(c + QPointF(-k, k), c + QPointF(k, -k));
        }
        break;
    }
    case NodeKind::kPlaced:
        break; // below, over everything
    }
}

void WriteDigit(QPainter& p, const QPointF& centre, double side, int digit) {
    p.drawText(QRectF(centre.x() - side / 2, centre.y() - side / 2, side, side), Qt::AlignCenter,
               QString::number(digit));
}

void PaintPlacement(QPainter& p, const DrawingFrame& f, const DrawnNode& n, const DrawingInk& ink) {
    const double s = f.cell;
    ForEachCell(n.cells, [&](int c) {
        const QPointF centre(f.left + (c % 9 + 0.5) * s, f.top + (c / 9 + 0.5) * s);
        const double r = 0.38 * s;
        p.setPen(QPen(ink.placed, 0.045 * s));
        p.setBrush(ink.ground);
        p.drawEllipse(centre, r, r);
        QFont font = p.font();
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(0.5 * s))));
        font.setBold(true);
        p.setFont(font);
        p.setPen(ink.placed);
        WriteDigit(p, centre, s, n.digit);
    });
}

} // namespace

QPointF CandidateCentre(const DrawingFrame& f, int cell, int digit) {
    const int i = (digit - 1) / 3;
    const int j = (digit - 1) % 3;
    return {f.left + (cell % 9 + (14.7 + 14.0 * j) / 57.0) * f.cell,
            f.top + (cell / 9 + (12.5 + 16.0 * i) / 57.0) * f.cell};
}

void PaintHintDrawing(QPainter& p, const HintDrawing& d, const DrawingFrame& f,
                      const DrawingInk& ink, bool writeDigits) {
    if (d.Empty() || f.cell <= 0) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    if (writeDigits) {
        QFont font = p.font();
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(13.0 / 57.0 * f.cell))));
        font.setBold(false);
        p.setFont(font);
        p.setPen(ink.digit);
        for (const DrawnNode& n : d.nodes)
            if (n.kind != NodeKind::kPlaced)
                for (const QPointF& c : Centres(f, n))
                    WriteDigit(p, c, 2 * kRadius * f.cell, n.digit);
    }
    for (const DrawnLink& l : d.links)
        if (l.from >= 0 && l.to >= 0 && l.from < static_cast<int>(d.nodes.size()) &&
            l.to < static_cast<int>(d.nodes.size()))
            PaintLink(p, f, d, l, ink);
    for (const DrawnNode& n : d.nodes) PaintNode(p, f, n, ink);
    for (const DrawnNode& n : d.nodes)
        if (n.kind == NodeKind::kPlaced) PaintPlacement(p, f, n, ink);
    p.restore();
}

} // namespace vemo::print
