// The records of finished games, per variant (classic, non-consecutive,
// consecutive, odd/even; each with and without X) and difficulty band: the
// games finished, the best time and the best time without any hint. Kept in
// a text file with a version line first.
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
    int finished = 0;
    long long best = -1;             // seconds; -1 while none
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
    bool bestBeaten = false;             // faster than the best time there was
    bool bestWithoutHintsBeaten = false; // the same among games without hints
};

// Counts a finished game in its row. A time beats a record only when there
// was one before; the first game of a row sets the times without beating any.
RecordNews AddFinishedGame(Records& records, int variantKind, int xSudoku, int band,
                           long long seconds, bool withHints);

enum class RecordsStatus { kOk, kMissing, kUnreadable, kEmpty, kForeign, kNewerVersion, kCorrupt };

struct RecordsRead {
    RecordsStatus status = RecordsStatus::kMissing;
    int line = 0;
    std::string error;
    Records records; // empty unless kOk
};

std::string RecordsText(const Records& records);
RecordsRead ParseRecords(std::string_view bytes);
RecordsRead ReadRecords(const std::string& path);
bool WriteRecords(const std::string& path, const Records& records, std::string* error = nullptr);

} // namespace vemo::io
