// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The records of finished games, per variant (classic, non-consecutive,
// consecutive, odd/even; each with and without X) and difficulty band: the
// games finished, the best time of the games without a played hint, and the
// best time without any hint at all. Kept in a text file with a version line
// first.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vemo::io {

inline constexpr int kRecordsVersion = 1;
inline constexpr std::string_view kRecordsHeader = "VemoTarn records";
inline constexpr const char* kRecordsFile = "records.txt";
inline constexpr int kVariantKinds = 4;
inline constexpr int kBands = 4; // easy, medium, hard, extreme
inline constexpr int kRecordRows = kVariantKinds * 2 * kBands;
inline constexpr std::size_t kRecordsReadLimit = 64 * 1024;

// The band of a puzzle's score: 0 up to 105, 1 up to 320, 2 up to 650, 3 above.
int ScoreBand(int score);

struct RecordRow {
    int finished = 0;                // every finished game, hints played or not
    long long best = -1;             // seconds, games without a played hint; -1 while none
    long long bestWithoutHints = -1; // seconds; -1 while none

    bool operator==(const RecordRow&) const = default;
};

class Records {
  public:
    static int Row(int variantKind, int xSudoku, int band) {
        return (variantKind * 2 + xSudoku) * kBands + band;
    }
    RecordRow& At(int variantKind, int xSudoku, int band) {
        return rows_[Row(variantKind, xSudoku, band)];
    }
    const RecordRow& At(int variantKind, int xSudoku, int band) const {
        return rows_[Row(variantKind, xSudoku, band)];
    }
    bool Empty() const;
    void Reset() { rows_ = {}; }

    bool operator==(const Records&) const = default;

  private:
    std::array<RecordRow, kRecordRows> rows_{};
};

// What a finished game changed.
struct RecordNews {
    bool bestBeaten = false;             // a new best time: the first, or a faster one
    bool bestWithoutHintsBeaten = false; // the same among games without hints
};

// The help a game had: none, hints shown (F6, F7), or hints played (F8).
enum class HintUse { kNone, kShown, kPlayed };

// Counts a finished game in its row. A game with a played hint counts as
// finished and sets no time; one with hints shown only sets the best time.
// The first time of a row is a new record as well.
RecordNews AddFinishedGame(Records& records, int variantKind, int xSudoku, int band,
                           long long seconds, HintUse hints);

enum class RecordsStatus { kOk, kMissing, kUnreadable, kEmpty, kForeign, kNewerVersion, kCorrupt };

struct RecordsRead {
    RecordsStatus status = RecordsStatus::kMissing;
    int line = 0;
    std::string error;
    // Empty unless kOk; for kNewerVersion the rows this version understands,
    // for a file that must not be written over.
    Records records;
};

std::string RecordsText(const Records& records);
RecordsRead ParseRecords(std::string_view bytes);
RecordsRead ReadRecords(const std::string& path);
bool WriteRecords(const std::string& path, const Records& records, std::string* error = nullptr);

} // namespace vemo::io
