// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "characteristics.h"

#include "texts.h"

#include "engine/engine.h"
#include "engine/techniques/catalogue.h"

#include <QStringList>

namespace vemo::ui {

QString CellLabel(int cell) {
    return QStringLiteral("L%1C%2").arg(cell / 9 + 1).arg(cell % 9 + 1);
}

std::vector<TechniqueRow> TechniqueGridRows(const Engine& engine, const TextSource& texts) {
    const bool consecutive = engine.VariantKind == kConsecutive;
    std::vector<TechniqueRow> rows;
    rows.push_back({texts.Text(534), QStringLiteral("Nb"), 0});
    const auto addTechnique = [&](int id) {
        rows.push_back(
            {TechniqueName(texts, id), QString::number(engine.TechniqueCounters[id - 1]), id});
    };
    addTechnique(1);
    addTechnique(2);
    if (consecutive) addTechnique(kImpossibleNeighbour);
    for (int id = 3; id <= 16; ++id) addTechnique(id);
    rows.push_back({});

    const QString solutions =
        engine.SolutionCount >= 2 ? QStringLiteral(">1") : QString::number(engine.SolutionCount);
    rows.push_back({texts.Text(531), solutions, 0});
    const int score = engine.PuzzleScore();
    rows.push_back({texts.Text(532), QString::number(score), 0});
    const int level = LevelText(score);
    rows.push_back({texts.Text(533), level == 0 ? QString() : TrimLeft(texts.Text(level)), 0});
    return rows;
}

namespace {

QString Labels(const std::array<int, 14>& cells, int count, const QString& separator,
               bool trailing) {
    QStringList parts;
    for (int i = 0; i < count && i < 14; ++i) parts << CellLabel(cells[i]);
    QString s = parts.join(separator);
    if (trailing && count > 0) s += separator;
    return s;
}

QString Digits(const std::array<int, 15>& digits, int count) {
    QStringList parts;
    for (int i = 0; i < count && i < 15; ++i) parts << QString::number(digits[i]);
    return parts.join(QLatin1Char(' '));
}

void DescribeCells(const StepEntry& step, ListingRow& row) {
    const StepRecord& r = step.record;
    const QString blank = QStringLiteral(" ");
    switch (step.technique) {
    case kNakedSingle:
    case kHiddenSingle:
    case kBruteForce:
        row.cells = CellLabel(r.cells[0]);
        row.digits = QString::number(r.digits[0]);
        break;
    case kLockedBoxToLine:
    case kLockedLineToBox:
    case kColouring:
    case kMultiColouring:
        row.cells = Labels(r.cells, r.count, blank, true);
        row.digits = QString::number(r.digits[0]);
        break;
    case kNakedPair:
    case kHiddenPair:
    case kNakedTriple:
    case kHiddenTriple:
    case kNakedQuadruplet:
    case kHiddenQuadruplet: {
        const int size = step.technique <= kHiddenPair     ? 2
                         : step.technique <= kHiddenTriple ? 3
                                                           : 4;
        row.cells = Labels(r.cells, size, blank, false);
        row.digits = Digits(r.digits, size);
        break;
    }
    case kXWing:
    case kSwordfish: {
        // The log keeps the rows, then the columns, already counted from 1.
        const int n = step.technique == kXWing ? 2 : 3;
        QStringList parts;
        for (int i = 0; i < n; ++i) parts << QStringLiteral("L%1").arg(r.cells[i]);
        for (int i = 0; i < n; ++i) parts << QStringLiteral("C%1").arg(r.cells[n + i]);
        row.cells = parts.join(blank);
        row.digits = QString::number(r.digits[0]);
        break;
    }
    case kXYWing:
        row.cells = Labels(r.cells, 3, blank, false);
        row.digits = QString::number(r.digits[0]);
        break;
    case kImpossibleNeighbour: {
        row.cells = Labels(r.cells, 2, blank, false);
        QString digits;
        for (int i = 0; i < r.count && i < 15; ++i) digits += QString::number(r.digits[i]) + blank;
        row.digits = digits;
        break;
    }
    default:
        break;
    }
}

} // namespace

std::vector<ListingRow> ListingRows(const Engine& engine, const TextSource& texts) {
    std::vector<ListingRow> rows;
    rows.push_back({QString(), texts.Text(534), texts.Text(535), texts.Text(536), 0});
    if (engine.StepCount == 0) {
        for (int n = 1; n <= kStepLogSize; ++n) rows.push_back({QString::number(n), {}, {}, {}, 0});
        return rows;
    }
    for (int n = 1; n < engine.StepCount && n <= kStepLogSize; ++n) {
        const StepEntry& step = engine.StepLog[n];
        ListingRow row;
        row.number = QString::number(n);
        row.techniqueId = step.technique;
        row.technique = TechniqueName(texts, step.technique);
        const bool diagonalKind = step.technique == kHiddenSingle ||
                                  (step.technique >= kNakedPair && step.technique <= kHiddenTriple);
        if (diagonalKind && step.record.diagonal == 1) row.technique += QStringLiteral(" (diag)");
        DescribeCells(step, row);
        rows.push_back(row);
    }
    return rows;
}

} // namespace vemo::ui
