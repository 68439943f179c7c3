// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The contents of the "Caractéristiques" page: the technique grid and the
// listing of the logged solve, as rows of texts and tints.
#pragma once

#include <QString>

#include <vector>

namespace vemo {
class Engine;
}

namespace vemo::ui {

class TextSource;

// "L" row "C" column, both counted from 1: L3C7 for cell 24.
QString CellLabel(int cell);

struct TechniqueRow {
    QString name;
    QString count;
    // The technique whose colour tints the count; 0 for the rows that are no
    // technique (header, empty row, solutions, score, level).
    int technique = 0;
};

// 21 rows, or 22 in the consecutive layout (technique 17 as row 3).
std::vector<TechniqueRow> TechniqueGridRows(const Engine& engine, const TextSource& texts);

struct ListingRow {
    QString number;
    QString technique;
    QString cells;
    QString digits;
    int techniqueId = 0;
};

// Row 0 is the header; the other rows are the steps 1..StepCount - 1, or the
// numbers 1..100 alone before any analysis (StepCount 0).
std::vector<ListingRow> ListingRows(const Engine& engine, const TextSource& texts);

} // namespace vemo::ui
