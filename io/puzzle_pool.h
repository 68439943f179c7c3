// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Ready puzzles kept for the generation command, a few per setting (variant,
// X flag, difficulty band, symmetry), in one text file of the data folder:
//
//   VemoTarn puzzle pool 1
//   <variant> <x> <band> <symmetry> <81 givens> <81 parity marks> <81 bars>
//
// givens are digits 0..9, parity marks 1 (odd or unknown) or 2 (even), and
// each bar character is 0..3: bit 0 a bar to the right neighbour, bit 1 to
// the one below. Every operation reads the file afresh and writes it back
// through the checked writer while holding a lock, so that two windows on
// one data folder neither lose nor repeat each other's puzzles: a puzzle is
// taken out of the file before it is handed out.
//
// The practice pool keeps, in a file of its own, a few puzzles per technique
// that can be practised, each one's hardest step being that technique:
//
//   VemoTarn practice pool 1
//   <technique> <variant> <x> <symmetry> <81 givens> <81 parity marks> <81 bars>
//
// with the same handling: a damaged or foreign file set aside, a bounded size,
// a puzzle taken out before it is handed out.
#pragma once

#include "engine/engine.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemo::io {

inline constexpr std::string_view kPuzzlePoolHeader = "VemoTarn puzzle pool";
inline constexpr int kPuzzlePoolVersion = 1;
inline constexpr const char* kPuzzlePoolFile = "reserve.txt";
inline constexpr int kPoolPerSetting = 4;
// The five bands and the two levels of the scale (kDiabolique, kDemoniaque).
inline constexpr int kPoolBands = 7;
// 4 variants x 2 x 7 levels x 4 symmetries.
inline constexpr int kPoolSettings = 4 * 2 * kPoolBands * 4;
// Far above a full pool (224 settings x 4 puzzles x 250 bytes).
inline constexpr std::size_t kPuzzlePoolReadLimit = 1024 * 1024;

inline constexpr std::string_view kPracticePoolHeader = "VemoTarn practice pool";
inline constexpr const char* kPracticePoolFile = "entrainement.txt";
inline constexpr int kPracticePerTechnique = 3;

// Which of the two files a pool is.
enum class PoolKind { kReserve, kPractice };

struct PoolSetting {
    int variant = 0;  // 0..3
    int xSudoku = 0;  // 0 or 1
    int band = 0;     // 0..4 as kDifficultyBands, 5 and 6 the scale's levels
    int symmetry = 0; // 0..3

    bool operator==(const PoolSetting&) const = default;
};

// The setting number 0..159, and back.
int PoolSettingIndex(const PoolSetting& setting);
PoolSetting PoolSettingAt(int index);
// The setting the engine's next generation is for: VariantKind, XSudoku,
// SymmetryChoice and its ScaleLevel, or else the band whose ScoreMin is the
// engine's; nothing when the band is none of the five.
std::optional<PoolSetting> SettingOfEngine(const Engine& engine);

struct PooledPuzzle {
    PoolSetting setting;
    std::array<int, 81> givens{};
    std::array<int, 81> parity{};
    std::array<int, 81> bars{}; // 0..3 as in the file
    // The practice pool's: the technique that is the puzzle's hardest step
    // (1..17 or an advanced id); 0 in the reserve.
    int technique = 0;

    bool operator==(const PooledPuzzle&) const = default;
};

// What a finished generation leaves in the engine, for the pool.
PooledPuzzle PooledFromEngine(const Engine& engine, const PoolSetting& setting);
// Sets the puzzle up in `engine` as a generation does: variant, X flag,
// marks, givens, then the analysis. The engine's generation settings and
// random state stay as they are.
void InstallPooled(Engine& engine, const PooledPuzzle& puzzle);

enum class PoolStatus {
    kOk,
    kMissing,      // no file yet: an empty pool
    kUnreadable,   // not a regular file, too large, or a read error
    kForeign,      // empty, or the first line is not this program's
    kNewerVersion, // a later version's file: left alone, never written
    kCorrupt,      // this program's, but damaged or cut short
};

struct PoolRead {
    PoolStatus status = PoolStatus::kMissing;
    int line = 0;      // the faulty line (1-based) for kCorrupt
    std::string error; // what is wrong, in English
    std::vector<PooledPuzzle> puzzles;
};

std::string PoolText(const std::vector<PooledPuzzle>& puzzles, PoolKind kind = PoolKind::kReserve);
PoolRead ParsePool(std::string_view bytes, PoolKind kind = PoolKind::kReserve);
PoolRead ReadPool(const std::string& path, PoolKind kind = PoolKind::kReserve);

class PuzzlePool {
  public:
    explicit PuzzlePool(std::string path, int perSetting = kPoolPerSetting,
                        PoolKind kind = PoolKind::kReserve);

    // Takes the oldest puzzle of the setting out of the file. Nothing when
    // there is none, or when the file cannot be rewritten without it (so that
    // it is never handed out twice); `problem` then says why.
    std::optional<PooledPuzzle> Take(const PoolSetting& setting, std::string* problem = nullptr);
    // The same in the practice pool: the oldest puzzle of the technique.
    std::optional<PooledPuzzle> TakeTechnique(int technique, std::string* problem = nullptr);
    // Adds a puzzle unless its setting (its technique, in the practice pool)
    // already holds perSetting puzzles or this very puzzle. True when it was
    // written.
    bool Add(const PooledPuzzle& puzzle, std::string* problem = nullptr);
    // How many puzzles the file holds for each setting (none after a damaged
    // file was set aside); nothing when the file must not be written.
    std::optional<std::array<int, kPoolSettings>> Counts(std::string* problem = nullptr);
    // How many puzzles the practice pool holds for the technique.
    std::optional<int> TechniqueCount(int technique, std::string* problem = nullptr);
    int PerSetting() const { return perSetting_; }
    const std::string& Path() const { return path_; }
    // True once a damaged or foreign file was set aside as path + ".bad".
    bool SetAsideOnce() const { return setAside_; }

  private:
    // Reads the file under the lock; a damaged one is set aside and reported.
    // False when nothing may be written (a later version's file, an
    // unreadable one).
    bool Load(std::vector<PooledPuzzle>& puzzles, std::string* problem);
    std::optional<PooledPuzzle> TakeFirst(const PooledPuzzle& like, std::string* problem);
    // Two puzzles of one setting, or of one technique in the practice pool.
    bool SameKey(const PooledPuzzle& a, const PooledPuzzle& b) const;

    std::string path_;
    int perSetting_;
    PoolKind kind_;
    bool setAside_ = false;
};

} // namespace vemo::io
