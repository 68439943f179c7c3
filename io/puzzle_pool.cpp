// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/puzzle_pool.h"

#include "engine/advanced/practice.h"
#include "engine/generator/generation.h"
#include "engine/scale/levels.h"
#include "io/data_folder.h"
#include "io/text_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vemo::io {

namespace {

PoolRead Refused(PoolStatus status, int line, std::string error) {
    PoolRead read;
    read.status = status;
    read.line = line;
    read.error = std::move(error);
    return read;
}

std::string_view NextField(std::string_view& rest) {
    const std::size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const std::size_t end = std::min(rest.find(' '), rest.size());
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end);
    return field;
}

bool SmallNumber(std::string_view field, int low, int high, int& value) {
    if (field.size() != 1 || field[0] < '0' || field[0] > '9') return false;
    value = field[0] - '0';
    return value >= low && value <= high;
}

bool Cells(std::string_view field, char low, char high, std::array<int, 81>& cells) {
    if (field.size() != 81) return false;
    for (int cell = 0; cell < 81; ++cell) {
        const char c = field[static_cast<std::size_t>(cell)];
        if (c < low || c > high) return false;
        cells[static_cast<std::size_t>(cell)] = c - '0';
    }
    return true;
}

// A technique that can be practised, as the practice pool writes it.
bool TechniqueNumber(std::string_view field, int& technique) {
    if (field.empty() || field.size() > 3) return false;
    const auto [end, code] = std::from_chars(field.data(), field.data() + field.size(), technique);
    return code == std::errc{} && end == field.data() + field.size() &&
           practice::PracticeEntry(technique) != nullptr;
}

std::string_view HeaderOf(PoolKind kind) {
    return kind == PoolKind::kPractice ? kPracticePoolHeader : kPuzzlePoolHeader;
}

// Why the line is not a puzzle of the pool; empty when it is one.
std::string ParseLine(std::string_view line, PooledPuzzle& puzzle, PoolKind kind) {
    std::string_view rest = line;
    PoolSetting& s = puzzle.setting;
    if (kind == PoolKind::kPractice && !TechniqueNumber(NextField(rest), puzzle.technique))
        return "bad technique";
    if (!SmallNumber(NextField(rest), 0, 3, s.variant)) return "bad variant";
    if (!SmallNumber(NextField(rest), 0, 1, s.xSudoku)) return "bad X flag";
    if (kind == PoolKind::kReserve && !SmallNumber(NextField(rest), 0, kPoolBands - 1, s.band))
        return "bad band";
    if (!SmallNumber(NextField(rest), 0, 3, s.symmetry)) return "bad symmetry";
    if (!Cells(NextField(rest), '0', '9', puzzle.givens)) return "bad givens";
    if (!Cells(NextField(rest), '1', '2', puzzle.parity)) return "bad parity marks";
    if (!Cells(NextField(rest), '0', '3', puzzle.bars)) return "bad bars";
    if (!NextField(rest).empty()) return "more fields than a puzzle has";
    for (int cell = 0; cell < 81; ++cell) {
        const int bars = puzzle.bars[static_cast<std::size_t>(cell)];
        if ((bars & 1) != 0 && cell % 9 == 8) return "a bar beyond the right edge";
        if ((bars & 2) != 0 && cell / 9 == 8) return "a bar beyond the bottom edge";
        if (bars != 0 && s.variant != kConsecutive) return "bars in a puzzle without them";
        if (puzzle.parity[static_cast<std::size_t>(cell)] != 1 && s.variant != kOddEven)
            return "parity marks in a puzzle without them";
    }
    return {};
}

// The lock that serialises the read and write of one operation between the
// program's windows; nothing is held when the lock file cannot be made (the
// write will then fail and say so).
class PoolLock {
  public:
    explicit PoolLock(const std::string& path) {
        MakeFolders(path.substr(
            0, path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/')));
        fd_ = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {}
        }
    }
    ~PoolLock() {
        if (fd_ >= 0) ::close(fd_); // closing releases the lock
    }
    PoolLock(const PoolLock&) = delete;
    PoolLock& operator=(const PoolLock&) = delete;

  private:
    int fd_ = -1;
};

} // namespace

int PoolSettingIndex(const PoolSetting& s) {
    return ((s.variant * 2 + s.xSudoku) * kPoolBands + s.band) * 4 + s.symmetry;
}

PoolSetting PoolSettingAt(int index) {
    PoolSetting s;
    s.symmetry = index % 4;
    s.band = index / 4 % kPoolBands;
    s.xSudoku = index / (4 * kPoolBands) % 2;
    s.variant = index / (8 * kPoolBands) % 4;
    return s;
}

std::optional<PoolSetting> SettingOfEngine(const Engine& engine) {
    if (engine.ScaleLevel == kDiabolique || engine.ScaleLevel == kDemoniaque) {
        if (engine.VariantKind < 0 || engine.VariantKind > 3 ||
            (engine.XSudoku != 0 && engine.XSudoku != 1) || engine.SymmetryChoice < 0 ||
            engine.SymmetryChoice > 3)
            return std::nullopt;
        return PoolSetting{engine.VariantKind, engine.XSudoku, engine.ScaleLevel,
                           engine.SymmetryChoice};
    }
    for (int band = 0; band < static_cast<int>(kDifficultyBands.size()); ++band) {
        const DifficultyBand& b = kDifficultyBands[static_cast<std::size_t>(band)];
        if (b.scoreMin == engine.ScoreMin && b.scoreMax == engine.ScoreMax &&
            b.bruteForceLimit == engine.BruteForceLimit && engine.VariantKind >= 0 &&
            engine.VariantKind <= 3 && (engine.XSudoku == 0 || engine.XSudoku == 1) &&
            engine.SymmetryChoice >= 0 && engine.SymmetryChoice <= 3)
            return PoolSetting{engine.VariantKind, engine.XSudoku, band, engine.SymmetryChoice};
    }
    return std::nullopt;
}

PooledPuzzle PooledFromEngine(const Engine& engine, const PoolSetting& setting) {
    PooledPuzzle puzzle;
    puzzle.setting = setting;
    for (int cell = 0; cell < 81; ++cell) {
        const auto c = static_cast<std::size_t>(cell);
        puzzle.givens[c] = engine.Givens[cell];
        puzzle.parity[c] = setting.variant == kOddEven ? engine.ParityMarks[c] : 1;
        if (setting.variant == kConsecutive)
            puzzle.bars[c] = (engine.NeighbourMarks[c][1] == 1 ? 1 : 0) |
                             (engine.NeighbourMarks[c][2] == 1 ? 2 : 0);
    }
    return puzzle;
}

void InstallPooled(Engine& engine, const PooledPuzzle& puzzle) {
    engine.VariantKind = puzzle.setting.variant;
    engine.XSudoku = puzzle.setting.xSudoku;
    engine.ClearPuzzle();
    engine.ResetNeighbourMarks();
    for (int cell = 0; cell < 81; ++cell) {
        const auto c = static_cast<std::size_t>(cell);
        engine.ParityMarks[c] = puzzle.parity[c];
        engine.CellGrid[0][cell] = static_cast<std::uint8_t>(puzzle.givens[c]);
        if ((puzzle.bars[c] & 1) != 0) {
            engine.NeighbourMarks[c][1] = 1;
            engine.NeighbourMarks[c + 1][3] = 1;
        }
        if ((puzzle.bars[c] & 2) != 0) {
            engine.NeighbourMarks[c][2] = 1;
            engine.NeighbourMarks[c + 9][4] = 1;
        }
    }
    for (auto& record : engine.NeighbourMarks)
        record[0] = static_cast<int>(std::count(record.begin() + 1, record.end(), 1));
    // The analysis of a generated puzzle, under the generation's budget.
    engine.Generating = true;
    engine.PuzzleFixed = false;
    engine.HistoryLevel = 0;
    engine.Givens = engine.CellGrid[0];
    engine.AnalysePuzzle();
    engine.Generating = false;
    engine.PuzzleFixed = true;
}

std::string PoolText(const std::vector<PooledPuzzle>& puzzles, PoolKind kind) {
    std::string text;
    text.reserve(32 + puzzles.size() * 256);
    text += HeaderOf(kind);
    text += ' ';
    text += std::to_string(kPuzzlePoolVersion);
    text += '\n';
    for (const PooledPuzzle& p : puzzles) {
        const PoolSetting& s = p.setting;
        if (kind == PoolKind::kPractice) {
            text += std::to_string(p.technique);
            text += ' ';
        }
        // The practice pool's puzzles have no band: their technique says it.
        const std::array<int, 4> fields = {s.variant, s.xSudoku, s.band, s.symmetry};
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (kind == PoolKind::kPractice && i == 2) continue;
            text += static_cast<char>('0' + fields[i]);
            text += ' ';
        }
        for (const auto* cells : {&p.givens, &p.parity, &p.bars}) {
            for (const int value : *cells) text += static_cast<char>('0' + value);
            text += cells == &p.bars ? '\n' : ' ';
        }
    }
    return text;
}

PoolRead ParsePool(std::string_view bytes, PoolKind kind) {
    const std::size_t firstEnd = bytes.find('\n');
    const std::string_view first = bytes.substr(0, firstEnd);
    const std::string prefix = std::string(HeaderOf(kind)) + ' ';
    if (bytes.empty() || first.substr(0, prefix.size()) != prefix)
        return Refused(PoolStatus::kForeign, 1, "not a puzzle pool of this program");
    int version = 0;
    const std::string_view number = first.substr(prefix.size());
    const auto [end, code] = std::from_chars(number.data(), number.data() + number.size(), version);
    if (code != std::errc{} || end != number.data() + number.size() || version < 1)
        return Refused(PoolStatus::kCorrupt, 1, "bad version line");
    if (version > kPuzzlePoolVersion)
        return Refused(PoolStatus::kNewerVersion, 1, "written by a later version");
    if (firstEnd == std::string_view::npos)
        return Refused(PoolStatus::kCorrupt, 1, "the file is cut short");
    PoolRead read;
    read.status = PoolStatus::kOk;
    std::string_view rest = bytes.substr(firstEnd + 1);
    int line = 1;
    while (!rest.empty()) {
        ++line;
        const std::size_t lineEnd = rest.find('\n');
        if (lineEnd == std::string_view::npos)
            return Refused(PoolStatus::kCorrupt, line, "the file is cut short");
        PooledPuzzle puzzle;
        const std::string why = ParseLine(rest.substr(0, lineEnd), puzzle, kind);
        if (!why.empty()) return Refused(PoolStatus::kCorrupt, line, why);
        if (std::find(read.puzzles.begin(), read.puzzles.end(), puzzle) != read.puzzles.end())
            return Refused(PoolStatus::kCorrupt, line, "a puzzle twice");
        read.puzzles.push_back(puzzle);
        rest.remove_prefix(lineEnd + 1);
    }
    return read;
}

PoolRead ReadPool(const std::string& path, PoolKind kind) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT)
        return Refused(PoolStatus::kMissing, 0, path + ": no such file");
    std::string error;
    const std::optional<std::string> bytes = ReadWholeFile(path, &error, kPuzzlePoolReadLimit);
    if (!bytes) return Refused(PoolStatus::kUnreadable, 0, error);
    return ParsePool(*bytes, kind);
}

PuzzlePool::PuzzlePool(std::string path, int perSetting, PoolKind kind)
    : path_(std::move(path)), perSetting_(std::max(1, perSetting)), kind_(kind) {}

bool PuzzlePool::SameKey(const PooledPuzzle& a, const PooledPuzzle& b) const {
    return kind_ == PoolKind::kPractice ? a.technique == b.technique : a.setting == b.setting;
}

bool PuzzlePool::Load(std::vector<PooledPuzzle>& puzzles, std::string* problem) {
    PoolRead read = ReadPool(path_, kind_);
    switch (read.status) {
    case PoolStatus::kOk:
        puzzles = std::move(read.puzzles);
        return true;
    case PoolStatus::kMissing:
        puzzles.clear();
        return true;
    case PoolStatus::kNewerVersion:
    case PoolStatus::kUnreadable:
        if (problem) *problem = path_ + ": " + read.error;
        return false;
    case PoolStatus::kForeign:
    case PoolStatus::kCorrupt:
        break;
    }
    std::string error;
    std::string message = path_ + ": " + read.error;
    if (read.line > 0) message += " (line " + std::to_string(read.line) + ")";
    if (SetAside(path_, &error)) {
        setAside_ = true;
        message += "; set aside as " + path_ + ".bad";
    } else {
        message += "; " + error;
    }
    if (problem) *problem = message;
    puzzles.clear();
    return setAside_;
}

std::optional<PooledPuzzle> PuzzlePool::Take(const PoolSetting& setting, std::string* problem) {
    PooledPuzzle like;
    like.setting = setting;
    return TakeFirst(like, problem);
}

std::optional<PooledPuzzle> PuzzlePool::TakeTechnique(int technique, std::string* problem) {
    PooledPuzzle like;
    like.technique = technique;
    return TakeFirst(like, problem);
}

std::optional<PooledPuzzle> PuzzlePool::TakeFirst(const PooledPuzzle& like, std::string* problem) {
    const PoolLock lock(path_);
    std::vector<PooledPuzzle> puzzles;
    if (!Load(puzzles, problem)) return std::nullopt;
    const auto found = std::find_if(puzzles.begin(), puzzles.end(),
                                    [&](const PooledPuzzle& p) { return SameKey(p, like); });
    if (found == puzzles.end()) return std::nullopt;
    const PooledPuzzle taken = *found;
    puzzles.erase(found);
    std::string error;
    if (!WriteFileInNewFolder(path_, PoolText(puzzles, kind_), &error)) {
        if (problem) *problem = error;
        return std::nullopt;
    }
    return taken;
}

bool PuzzlePool::Add(const PooledPuzzle& puzzle, std::string* problem) {
    const PoolLock lock(path_);
    std::vector<PooledPuzzle> puzzles;
    if (!Load(puzzles, problem)) return false;
    const auto same = std::count_if(puzzles.begin(), puzzles.end(),
                                    [&](const PooledPuzzle& p) { return SameKey(p, puzzle); });
    if (same >= perSetting_ || std::find(puzzles.begin(), puzzles.end(), puzzle) != puzzles.end())
        return false;
    puzzles.push_back(puzzle);
    std::string error;
    if (!WriteFileInNewFolder(path_, PoolText(puzzles, kind_), &error)) {
        if (problem) *problem = error;
        return false;
    }
    return true;
}

std::optional<std::array<int, kPoolSettings>> PuzzlePool::Counts(std::string* problem) {
    std::array<int, kPoolSettings> counts{};
    const PoolLock lock(path_);
    std::vector<PooledPuzzle> puzzles;
    if (!Load(puzzles, problem)) return std::nullopt;
    for (const PooledPuzzle& p : puzzles)
        ++counts[static_cast<std::size_t>(PoolSettingIndex(p.setting))];
    return counts;
}

std::optional<int> PuzzlePool::TechniqueCount(int technique, std::string* problem) {
    const PoolLock lock(path_);
    std::vector<PooledPuzzle> puzzles;
    if (!Load(puzzles, problem)) return std::nullopt;
    return static_cast<int>(
        std::count_if(puzzles.begin(), puzzles.end(),
                      [&](const PooledPuzzle& p) { return p.technique == technique; }));
}

} // namespace vemo::io
