// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The batch statistics: many generations (or a puzzle collection) rated one by
// one, a results table with its averages, and example puzzles for each
// technique picked by running records.
#pragma once

#include "engine/engine.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vemo::devtools {

// One row: the first 19 entries of the rating counters (techniques 1..17, the
// solution count, the score), the score and clue count before thinning, the
// clue count after, and the durations of the rating and the solution count.
struct StatisticsRow {
    std::array<int, 19> counters{};
    int scoreBefore = 0;
    int cluesBefore = 0;
    int clues = 0;
    double ratingSeconds = 0;
    double countSeconds = 0;
    Grid puzzle{};
    // A search spent its trial budget: the row holds no rating.
    bool abandoned = false;
};

// The row of a puzzle whose search spent its trial budget.
inline constexpr const char* kAbandonedRow = "abandon";

inline constexpr const char* kStatisticsHeader =
    "Numéro Unique Caché Vérouillé(1) Vérouillé(2) Pairenue Pairecachée Tripletnu Tripletcaché "
    "Quadrupletnu Quadrupletcaché X-Wing Swordfish Couleurs Couleursmultiples XY-Wing Forcebrute "
    "Bidon Nombresolution Eval Evalanc nbcaspanc nbcasp temps tempsbrute";

// The full-grid filler of the statistics: every cell in order by random choice
// among its candidates, backing up a few cells at a dead end; no search.
void FillGridByChoice(Engine& engine);

// One generated row (central symmetry, Generating off).
StatisticsRow GenerateRow(Engine& engine);

// One row for a given puzzle, without the state before thinning.
StatisticsRow RateRow(Engine& engine, const Grid& puzzle);

// The results file: header, blank line, averages, blank line, the rows.
std::string ResultsText(const std::vector<StatisticsRow>& rows);

// Example files chosen by running records, for rows taken in order.
class ExamplePicker {
  public:
    // write(fileName, puzzle) saves one example.
    explicit ExamplePicker(std::function<void(const std::string&, const Grid&)> write)
        : write_(std::move(write)) {}
    // The rules of the statistics run (every kind of example).
    void Generated(const StatisticsRow& row);
    // The three score records of a collection run.
    void Collection(const StatisticsRow& row);

  private:
    int Count(const StatisticsRow& row, int technique) const { return row.counters[technique - 1]; }
    void Numbered(const char* stem, const Grid& puzzle);

    std::function<void(const std::string&, const Grid&)> write_;
    int lowest_ = 200, highest_ = 1000, highestWithoutTrial_ = 1000;
    int mostHidden_ = 24, mostNaked_ = 54;
    // A collection run keeps three records, all starting at 1000.
    int collectionLowest_ = 1000, collectionHighest_ = 1000, collectionHighestWithoutTrial_ = 1000;
    std::vector<std::pair<std::string, int>> numbers_;
};

// Reads puzzles for the collection run: cells are gathered across lines until
// 81 are collected ("." "x" "X" "0" empty, "1".."9" digits, anything else
// skipped; what follows the 81st cell on its line is ignored).
std::vector<Grid> ReadCollection(const std::string& text);

} // namespace vemo::devtools

namespace vemo::devtools {

// The example families of the examples dialog: file stem, how many files, and
// the rule a puzzle's rating must meet.
struct ExampleFamily {
    const char* stem;
    int files;
    int technique;                 // must be used (0 for the extreme family)
    int moreThan;                  // ... more than this many times
    std::array<bool, 17> excluded; // techniques 1..17 that must not be used
};

// The sixteen families, in the order of the dialog's results 1..16.
const std::array<ExampleFamily, 16>& ExampleFamilies();

// True when a rating (the first 17 counters and the score) fits the family.
bool FitsFamily(const ExampleFamily& family, const std::array<int, 19>& counters);

} // namespace vemo::devtools
