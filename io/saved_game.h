// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game in progress as it is kept between two runs: a text file, one
// record per line, starting with a version line (docs/saved-game.md).
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo::io {

inline constexpr int kSavedGameVersion = 1;
inline constexpr std::string_view kSavedGameHeader = "VemoTarn saved game";
inline constexpr const char* kSavedGameFile = "partie.txt";
// Levels of the move history a saved game may hold (1..149), as many as the
// window's history keeps.
inline constexpr int kSavedLevelLimit = 149;
// The kind of a played hint's move, which names no cell and no digit.
inline constexpr int kSavedHintMove = 3;
inline constexpr int kSavedStepSlots = 100;
// Far above the largest game (150 levels of about 340 bytes).
inline constexpr std::size_t kSavedGameReadLimit = 1024 * 1024;

// One level of the move history: the position and the move made from it.
struct SavedLevel {
    std::array<int, 81> cells{};      // 0 empty, 1..9
    std::array<int, 81> candidates{}; // bit d-1 set when digit d is a candidate
    int filledCount = 0;
    int moveKind = 0;  // 0 none, 1 digit placed, 2 candidate removed, 3 hint played
    int moveCell = 0;  // 0..80; a played hint writes -1
    int moveDigit = 0; // 1..9; a played hint writes 0

    bool operator==(const SavedLevel&) const = default;
};

// One line of the logged solve: the technique and its 32 integers.
struct SavedStep {
    int technique = 0;
    std::array<int, 32> record{};

    bool operator==(const SavedStep&) const = default;
};

struct SavedGame {
    int variantKind = 0; // 0..3
    int xSudoku = 0;     // 0 or 1
    std::array<int, 81> givens{};
    std::array<int, 81> solution{};
    std::array<int, 81> parity{}; // 1 odd or unknown, 2 even
    // Per cell: the bar count, then right, down, left, up (1 bar, 0 none, -1 edge).
    std::array<std::array<int, 5>, 81> neighbours{};
    // The analysis shown on the characteristics and solution pages.
    std::array<int, 20> techniqueCounters{};
    int ratingDone = 0;
    int stepCount = 1;
    int solutionCount = 0;
    std::array<SavedStep, kSavedStepSlots> steps{}; // entries 1..100 of the log
    std::string caption; // the window's caption; empty for a new puzzle's
    long long elapsedSeconds = 0;
    int errorsMade = 0;
    int hintsShown = 0;
    int completeHintsShown = 0;
    int hintsPlayed = 0;
    int level = 1;                  // the level on the board
    std::vector<SavedLevel> levels; // levels 1..size(); the last has no move

    bool operator==(const SavedGame&) const = default;
};

enum class SavedGameStatus {
    kOk,
    kMissing,      // no file: nothing to resume, nothing to report
    kUnreadable,   // not a regular file, too large, or a read error
    kEmpty,        // no bytes at all
    kForeign,      // the first line is not this program's
    kNewerVersion, // written by a later version of the program
    kCorrupt,      // this program's, but damaged or cut short
};

struct SavedGameRead {
    SavedGameStatus status = SavedGameStatus::kMissing;
    int line = 0;      // the faulty line (1-based) for kCorrupt
    std::string error; // what is wrong, in English
    std::optional<SavedGame> game;
};

// The file's text, LF line ends.
std::string SavedGameText(const SavedGame& game);

// Reads the text; every value is checked against its range, so that a game
// that is read can be put on the board as it stands.
SavedGameRead ParseSavedGame(std::string_view bytes);

// Reads the file with a bounded read.
SavedGameRead ReadSavedGame(const std::string& path);

// Writes through the checked writer, creating the folder; false and a reason.
bool WriteSavedGame(const std::string& path, const SavedGame& game, std::string* error = nullptr);

} // namespace vemo::io
