// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "statistics.h"

#include "engine/generator/symmetry.h"
#include "engine/techniques/catalogue.h"

#include <chrono>
#include <cstdio>

namespace vemo::devtools {

namespace {

using Clock = std::chrono::high_resolution_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The 24 values of a row, as text.
std::array<std::string, 24> Values(const StatisticsRow& row) {
    std::array<std::string, 24> v;
    for (int i = 0; i < 19; ++i) v[i] = std::to_string(row.counters[i]);
    v[19] = std::to_string(row.scoreBefore);
    v[20] = std::to_string(row.cluesBefore);
    v[21] = std::to_string(row.clues);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9f", row.ratingSeconds);
    v[22] = buffer;
    std::snprintf(buffer, sizeof buffer, "%.9f", row.countSeconds);
    v[23] = buffer;
    return v;
}

void Rate(Engine& e, StatisticsRow& row) {
    const Grid puzzle = e.CellGrid[0];
    e.ComputeCandidates();
    row.clues = e.FilledCount;
    auto start = Clock::now();
    e.RatePuzzle();
    row.ratingSeconds = Seconds(start);
    row.abandoned = e.SearchAbandoned;
    e.TechniqueCounters[17] = e.SolutionCount; // the spare entry
    for (int i = 0; i < 19; ++i) row.counters[i] = e.TechniqueCounters[i];
    e.CellGrid[0] = puzzle;
    e.ComputeCandidates();
    start = Clock::now();
    e.CountSolutions(); // the count carries on from the rating's value
    row.countSeconds = Seconds(start);
    row.abandoned = row.abandoned || e.SearchAbandoned;
    e.CellGrid[0] = puzzle;
    e.ComputeCandidates();
    row.puzzle = puzzle;
}

} // namespace

void FillGridByChoice(Engine& e) {
    e.ClearPuzzle();
    e.ResetNeighbourMarks();
    e.HistoryLevel = 0;
    e.ComputeCandidates();
    int excluded = 0;
    int i = 0;
    while (i < kCells) {
        std::array<int, 9> choices{};
        int n = 0;
        for (int d = 1; d <= 9; ++d)
            if (e.CandidateTable.Has(i, d) && d != excluded) choices[n++] = d;
        excluded = 0;
        const int d = n > 0 ? choices[e.rnd(n)] : 0;
        if (d >= 1) {
            e.PlaceDigit(i, d);
            ++i;
            continue;
        }
        // Back up k cells, drawing k again while it would go before cell 0 (a
        // dead end in the first two cells cannot happen, but would back up to 0).
        int k = e.rnd(7) + 2;
        if (i < 2) k = i;
        while (i - k < 0) k = e.rnd(7) + 2;
        i -= k;
        excluded = e.CellGrid[0][i];
        for (int c = i; c <= i + k && c < kCells; ++c) e.CellGrid[0][c] = 0;
        e.ComputeCandidates();
    }
}

StatisticsRow GenerateRow(Engine& e) {
    StatisticsRow row;
    e.SymmetryChoice = kCentral;
    e.Generating = false;
    e.VariantKind = kClassic;
    e.XSudoku = 0;
    do {
        FillGridByChoice(e);
        e.RemoveClues();
        row.scoreBefore = e.PuzzleScore();
        row.cluesBefore = e.FilledCount;
    } while (e.SolutionCount > 1);
    e.ThinClues();
    Rate(e, row);
    return row;
}

StatisticsRow RateRow(Engine& e, const Grid& puzzle) {
    StatisticsRow row;
    e.Generating = false;
    e.HistoryLevel = 0;
    e.ClearPuzzle();
    e.CellGrid[0] = puzzle;
    Rate(e, row);
    return row;
}

std::string ResultsText(const std::vector<StatisticsRow>& rows) {
    std::string text = std::string(kStatisticsHeader) + "\n\nMoyenne ";
    // The averages leave out the rows without a rating.
    std::array<double, 22> sums{};
    std::size_t rated = 0;
    for (const auto& row : rows) {
        if (row.abandoned) continue;
        ++rated;
        for (int i = 0; i < 19; ++i) sums[i] += row.counters[i];
        sums[19] += row.scoreBefore;
        sums[20] += row.cluesBefore;
        sums[21] += row.clues;
    }
    char buffer[48];
    for (int i = 0; i < 24; ++i) {
        if (i < 22 && rated > 0)
            std::snprintf(buffer, sizeof buffer, "%.4f", sums[i] / static_cast<double>(rated));
        else
            std::snprintf(buffer, sizeof buffer, "0");
        text += buffer;
        text += "    ";
    }
    text += "\n\n";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        text += std::to_string(r + 1) + "   ";
        if (rows[r].abandoned) {
            text += kAbandonedRow;
            text += '\n';
            continue;
        }
        for (const auto& value : Values(rows[r])) text += value + "  ";
        text += '\n';
    }
    return text;
}

void ExamplePicker::Numbered(const char* stem, const Grid& puzzle) {
    for (auto& [name, number] : numbers_) {
        if (name == stem) {
            write_(name + std::to_string(++number) + ".sku", puzzle);
            return;
        }
    }
    numbers_.emplace_back(stem, 1);
    write_(std::string(stem) + "1.sku", puzzle);
}

void ExamplePicker::Generated(const StatisticsRow& row) {
    const int score = row.counters[18];
    const Grid& p = row.puzzle;
    const auto range = [](int from, int to) {
        std::vector<int> v;
        for (int t = from; t <= to; ++t) v.push_back(t);
        return v;
    };
    const auto none = [&](const std::vector<int>& techniques) {
        for (const int t : techniques)
            if (Count(row, t) != 0) return false;
        return true;
    };
    const auto join = [](std::vector<int> a, const std::vector<int>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    if (score < lowest_) {
        lowest_ = score;
        write_("pluspetit.sku", p);
    }
    if (score > highest_) {
        highest_ = score;
        write_("plusgrand.sku", p);
    }
    if (score > highestWithoutTrial_ && Count(row, 16) == 0) {
        highestWithoutTrial_ = score;
        Numbered("plusgrandsansforcebrute", p);
    }
    if (Count(row, 10) >= 1 && Count(row, 16) == 0) Numbered("quadrupletcaché", p);
    if (Count(row, 2) > mostHidden_ && none(range(3, 16))) {
        mostHidden_ = Count(row, 2);
        write_("candidatcaché" + std::to_string(mostHidden_) + ".sku", p);
    }
    if (Count(row, 1) > mostNaked_ && none(range(2, 16))) {
        mostNaked_ = Count(row, 1);
        write_("candidatunique" + std::to_string(mostNaked_) + ".sku", p);
    }
    if (Count(row, 3) > 1 && none(range(4, 16))) Numbered("verouille1-", p);
    if (Count(row, 4) > 1 && none(join({3}, range(5, 16)))) Numbered("verouille2-", p);
    if (Count(row, 5) > 3 && none(join({3, 4}, range(6, 16)))) Numbered("pairenue", p);
    if (Count(row, 7) > 1 && none(join({6}, range(8, 16)))) Numbered("tripletnu", p);
    if (Count(row, 9) >= 1 && none(join(range(6, 8), range(10, 16)))) Numbered("quadrupletnu", p);
    if (Count(row, 6) >= 1 && none(join({8}, range(10, 16)))) Numbered("pairecachée", p);
    if (Count(row, 11) > 1 && none(join(range(7, 10), range(12, 16)))) Numbered("Xwing", p);
    if (Count(row, 12) >= 1 && none(join({8, 10}, range(13, 16)))) Numbered("swordfish", p);
    if (Count(row, 13) > 2 && none(join(range(7, 12), range(14, 16)))) Numbered("couleur", p);
    if (Count(row, 14) > 1 && none(join(range(7, 13), {15, 16}))) Numbered("multicouleur", p);
    if (Count(row, 8) >= 1 && none({10, 15, 16})) Numbered("tripletcaché", p);
    if (Count(row, 15) > 1 && none(join(range(7, 14), {16}))) Numbered("XYwing", p);
}

void ExamplePicker::Collection(const StatisticsRow& row) {
    const int score = row.counters[18];
    if (score < collectionLowest_) {
        collectionLowest_ = score;
        write_("pluspetit.sku", row.puzzle);
    }
    if (score > collectionHighest_) {
        collectionHighest_ = score;
        write_("plusgrand.sku", row.puzzle);
    }
    if (score > collectionHighestWithoutTrial_ && Count(row, 16) == 0) {
        collectionHighestWithoutTrial_ = score;
        write_("plusgrandsansforcebrute.sku", row.puzzle);
    }
}

std::vector<Grid> ReadCollection(const std::string& text) {
    std::vector<Grid> puzzles;
    Grid current;
    int cells = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char ch = text[i++];
        if (ch == '\n') continue;
        if (ch >= '1' && ch <= '9')
            current[cells++] = static_cast<std::uint8_t>(ch - '0');
        else if (ch == '.' || ch == 'x' || ch == 'X' || ch == '0')
            current[cells++] = 0;
        else
            continue;
        if (cells == 81) {
            puzzles.push_back(current);
            current = Grid{};
            cells = 0;
            while (i < text.size() && text[i] != '\n') ++i; // the rest of the line
        }
    }
    return puzzles;
}

} // namespace vemo::devtools

namespace vemo::devtools {

namespace {

std::array<bool, 17> Excluding(std::initializer_list<std::pair<int, int>> ranges) {
    std::array<bool, 17> excluded{};
    for (const auto& [from, to] : ranges)
        for (int t = from; t <= to; ++t) excluded[t - 1] = true;
    return excluded;
}

} // namespace

const std::array<ExampleFamily, 16>& ExampleFamilies() {
    // The rules of the statistics run, without its running records; a single
    // technique family excludes everything above it.
    static const std::array<ExampleFamily, 16> families = {{
        {"candidatunique", 4, 1, 0, Excluding({{2, 16}})},
        {"candidatcaché", 4, 2, 0, Excluding({{3, 16}})},
        {"verouille1-", 4, 3, 1, Excluding({{4, 16}})},
        {"verouille2-", 4, 4, 1, Excluding({{3, 3}, {5, 16}})},
        {"pairenue", 4, 5, 3, Excluding({{3, 4}, {6, 16}})},
        {"tripletnu", 4, 7, 1, Excluding({{6, 6}, {8, 16}})},
        {"quadrupletnu", 4, 9, 0, Excluding({{6, 8}, {10, 16}})},
        {"pairecachée", 4, 6, 0, Excluding({{8, 8}, {10, 16}})},
        {"Xwing", 4, 11, 1, Excluding({{7, 10}, {12, 16}})},
        {"swordfish", 4, 12, 0, Excluding({{8, 8}, {10, 10}, {13, 16}})},
        {"couleur", 4, 13, 2, Excluding({{7, 12}, {14, 16}})},
        {"multicouleur", 4, 14, 1, Excluding({{7, 13}, {15, 16}})},
        {"tripletcaché", 4, 8, 0, Excluding({{10, 10}, {15, 16}})},
        {"XYwing", 4, 15, 1, Excluding({{7, 14}, {16, 16}})},
        {"quadrupletcaché", 4, 10, 0, Excluding({{16, 16}})},
        {"extreme", 12, 0, 0, Excluding({})},
    }};
    return families;
}

bool FitsFamily(const ExampleFamily& family, const std::array<int, 19>& counters) {
    if (family.technique == 0) return counters[18] >= 651;
    if (counters[family.technique - 1] <= family.moreThan) return false;
    for (int t = 1; t <= 17; ++t)
        if (family.excluded[t - 1] && counters[t - 1] != 0) return false;
    return counters[18] > 0;
}

} // namespace vemo::devtools
