// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/records.h"

#include "io/checked_writer.h"
#include "io/data_folder.h"
#include "io/text_file.h"
#include "io/text_lines.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <set>
#include <sys/stat.h>
#include <vector>

namespace vemo::io {

namespace {

constexpr long long kTimeLimit = 100LL * 365 * 24 * 3600;
constexpr int kGamesLimit = 1'000'000'000;

std::optional<long long> Number(std::string_view word, long long low, long long high) {
    long long value = 0;
    const auto [end, code] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (code != std::errc() || end != word.data() + word.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

// A time: seconds, or "-" for none.
std::optional<long long> Time(std::string_view word) {
    if (word == "-") return -1;
    return Number(word, 0, kTimeLimit);
}

std::string TimeText(long long seconds) {
    return seconds < 0 ? std::string("-") : std::to_string(seconds);
}

RecordsRead Refused(RecordsStatus status, int line, std::string error) {
    RecordsRead read;
    read.status = status;
    read.line = line;
    read.error = std::move(error);
    return read;
}

} // namespace

int ScoreBand(int score) {
    if (score <= 105) return 0;
    if (score <= 320) return 1;
    if (score <= 650) return 2;
    return 3;
}

bool Records::Empty() const {
    return std::all_of(rows_.begin(), rows_.end(),
                       [](const RecordRow& row) { return row == RecordRow{}; });
}

RecordNews AddFinishedGame(Records& records, int variantKind, int xSudoku, int band,
                           long long seconds, HintUse hints) {
    RecordNews news;
    if (variantKind < 0 || variantKind >= kVariantKinds || xSudoku < 0 || xSudoku > 1 || band < 0 ||
        band >= kBands)
        return news;
    seconds = std::clamp(seconds, 0LL, kTimeLimit);
    RecordRow& row = records.At(variantKind, xSudoku, band);
    if (row.finished < kGamesLimit) ++row.finished;
    if (hints != HintUse::kPlayed && (row.best < 0 || seconds < row.best)) {
        news.bestBeaten = true;
        row.best = seconds;
    }
    if (hints == HintUse::kNone && (row.bestWithoutHints < 0 || seconds < row.bestWithoutHints)) {
        news.bestWithoutHintsBeaten = true;
        row.bestWithoutHints = seconds;
    }
    return news;
}

std::string RecordsText(const Records& records) {
    std::string out = std::string(kRecordsHeader) + " " + std::to_string(kRecordsVersion) + "\n";
    for (int kind = 0; kind < kVariantKinds; ++kind)
        for (int x = 0; x < 2; ++x)
            for (int band = 0; band < kBands; ++band) {
                const RecordRow& row = records.At(kind, x, band);
                if (row == RecordRow{}) continue;
                out += "record " + std::to_string(kind) + " " + std::to_string(x) + " " +
                       std::to_string(band) + " " + std::to_string(row.finished) + " " +
                       TimeText(row.best) + " " + TimeText(row.bestWithoutHints) + "\n";
            }
    out += "end\n";
    return out;
}

RecordsRead ParseRecords(std::string_view bytes) {
    bytes = WithoutByteOrderMark(bytes);
    if (bytes.empty()) return Refused(RecordsStatus::kEmpty, 0, "the file is empty");
    const std::vector<std::string_view> lines = SplitLines(bytes);
    const std::vector<std::string_view> head = SplitWords(lines[0]);
    const std::vector<std::string_view> expected = SplitWords(kRecordsHeader);
    if (head.size() != expected.size() + 1 ||
        !std::equal(expected.begin(), expected.end(), head.begin()))
        return Refused(RecordsStatus::kForeign, 1, "not a records file of this program");
    const std::optional<long long> version = Number(head.back(), 1, 1'000'000);
    if (!version) return Refused(RecordsStatus::kCorrupt, 1, "the version is not a number");
    // A later version's file is read as far as this one understands it, line
    // by line; what it does not understand is passed over.
    const bool newer = *version > kRecordsVersion;

    RecordsRead read;
    std::set<int> seen;
    bool ended = false;
    const auto fault = [&](int number, const char* what) {
        if (newer) return false;
        read = Refused(RecordsStatus::kCorrupt, number, what);
        return true;
    };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::vector<std::string_view> words = SplitWords(lines[i]);
        if (words.empty()) continue;
        if (ended && !newer)
            return Refused(RecordsStatus::kCorrupt, number, "text after the end line");
        if (words[0] == "end" && words.size() == 1) {
            ended = true;
            continue;
        }
        if (words[0] != "record" || words.size() != 7) {
            if (fault(number, "not a record line")) return read;
            continue;
        }
        const auto kind = Number(words[1], 0, kVariantKinds - 1);
        const auto x = Number(words[2], 0, 1);
        const auto band = Number(words[3], 0, kBands - 1);
        const auto finished = Number(words[4], 0, kGamesLimit);
        const auto best = Time(words[5]);
        const auto bestWithoutHints = Time(words[6]);
        if (!kind || !x || !band || !finished || !best || !bestWithoutHints) {
            if (fault(number, "a value is out of range")) return read;
            continue;
        }
        // A time needs a finished game, and the best time is never slower
        // than the best without hints.
        if ((*finished == 0 && (*best >= 0 || *bestWithoutHints >= 0)) ||
            (*bestWithoutHints >= 0 && (*best < 0 || *best > *bestWithoutHints))) {
            if (fault(number, "the times do not agree")) return read;
            continue;
        }
        const int row =
            Records::Row(static_cast<int>(*kind), static_cast<int>(*x), static_cast<int>(*band));
        if (!seen.insert(row).second) {
            if (fault(number, "a row comes twice")) return read;
            continue;
        }
        RecordRow& r =
            read.records.At(static_cast<int>(*kind), static_cast<int>(*x), static_cast<int>(*band));
        r.finished = static_cast<int>(*finished);
        r.best = *best;
        r.bestWithoutHints = *bestWithoutHints;
    }
    if (newer) {
        read.status = RecordsStatus::kNewerVersion;
        read.line = 1;
        read.error = "written by a newer version";
        return read;
    }
    if (!ended)
        return Refused(RecordsStatus::kCorrupt, static_cast<int>(lines.size()),
                       "the file is cut short (no end line)");
    read.status = RecordsStatus::kOk;
    return read;
}

RecordsRead ReadRecords(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT)
        return Refused(RecordsStatus::kMissing, 0, path + ": no such file");
    std::string error;
    const std::optional<std::string> bytes = ReadWholeFile(path, &error, kRecordsReadLimit);
    if (!bytes) return Refused(RecordsStatus::kUnreadable, 0, error);
    return ParseRecords(*bytes);
}

bool WriteRecords(const std::string& path, const Records& records, std::string* error) {
    return WriteFileInNewFolder(path, RecordsText(records), error);
}

} // namespace vemo::io
