// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "test_support.h"

#include <fstream>
#include <stdexcept>

namespace vemo::test {

Grid GridFrom(const std::string& text) {
    Grid grid;
    for (int c = 0; c < 81 && c < static_cast<int>(text.size()); ++c)
        if (text[c] >= '1' && text[c] <= '9') grid[c] = static_cast<std::uint8_t>(text[c] - '0');
    return grid;
}

std::string TextOf(const Grid& grid) {
    std::string text(81, '.');
    for (int c = 0; c < 81; ++c)
        if (grid[c] != 0) text[c] = static_cast<char>('0' + grid[c]);
    return text;
}

void LoadPuzzle(Engine& engine, const std::string& text, int variantKind, int xSudoku) {
    engine.HistoryLevel = 0;
    engine.ClearPuzzle();
    engine.ResetNeighbourMarks();
    engine.ResetParityMarks();
    engine.VariantKind = variantKind;
    engine.XSudoku = xSudoku;
    engine.PuzzleFixed = true;
    const Grid grid = GridFrom(text);
    engine.CellGrid[0] = grid;
    engine.Givens = grid;
    engine.SolutionGrid = grid;
    engine.ValidityGrid = grid;
    engine.ComputeCandidates();
}

std::vector<advanced::AdvancedStep> LogicSteps(Engine& engine) {
    const Grid start = engine.CellGrid[0];
    const Candidates candidates = engine.CandidateTable;
    std::vector<advanced::AdvancedStep> steps;
    engine.SolveLogically(&steps);
    engine.CellGrid[0] = start;
    engine.ComputeCandidates();
    engine.CandidateTable = candidates;
    return steps;
}

std::vector<std::string> ReadCollection(const std::string& fileName) {
    const std::string path = std::string(VEMO_SHARED_DATA) + "/" + fileName;
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::vector<std::string> puzzles;
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.size() >= 81) puzzles.push_back(line.substr(0, 81));
    }
    return puzzles;
}

bool IsValidSolution(const Grid& grid, bool x) {
    const auto unitOk = [&](const std::array<int, 9>& unit) {
        unsigned seen = 0;
        for (const int c : unit) {
            if (grid[c] < 1 || grid[c] > 9) return false;
            seen |= 1u << grid[c];
        }
        return seen == 0x3FE;
    };
    for (int u = 0; u < 9; ++u)
        if (!unitOk(RowCells[u]) || !unitOk(ColumnCells[u]) || !unitOk(BoxCells[u])) return false;
    if (x && (!unitOk(MainDiagonal) || !unitOk(AntiDiagonal))) return false;
    return true;
}

std::string CandidateString(const Engine& engine, int cell) {
    std::string s;
    for (int d = 1; d <= 9; ++d)
        if (engine.CandidateTable.Has(cell, d)) s += static_cast<char>('0' + d);
    return s;
}

} // namespace vemo::test
