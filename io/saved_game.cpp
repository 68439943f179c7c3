// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/saved_game.h"

#include "io/checked_writer.h"
#include "io/data_folder.h"
#include "io/text_file.h"
#include "io/text_lines.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <map>
#include <set>
#include <sys/stat.h>

namespace vemo::io {

namespace {

constexpr long long kClockLimit = 100LL * 365 * 24 * 3600; // a century of play
constexpr int kCounterLimit = 1'000'000'000;
// A played hint has no cell and no digit of its own: written as these.
constexpr int kHintMoveCell = -1;
constexpr int kHintMoveDigit = 0;

// What the reader accepts is what the writer writes: a value beyond its range
// is written at the range's end.
std::string Bounded(long long value, long long high) {
    return std::to_string(std::clamp(value, 0LL, high));
}

std::string DigitString(const std::array<int, 81>& values) {
    std::string s(81, '0');
    for (int c = 0; c < 81; ++c) s[c] = static_cast<char>('0' + values[c]);
    return s;
}

// Three octal digits per cell: digits 1..3 in the last one, 7..9 in the first.
std::string OctalString(const std::array<int, 81>& masks) {
    std::string s;
    s.reserve(243);
    for (const int mask : masks) {
        s += static_cast<char>('0' + (mask >> 6 & 7));
        s += static_cast<char>('0' + (mask >> 3 & 7));
        s += static_cast<char>('0' + (mask & 7));
    }
    return s;
}

template <typename Values> void AppendNumbers(std::string& out, const Values& values) {
    for (const auto v : values) {
        out += ' ';
        out += std::to_string(v);
    }
}

// Thrown inside the parser only, with the reason; caught at its top.
struct Fault {
    std::string reason;
};

long long Number(std::string_view word, long long low, long long high) {
    long long value = 0;
    const auto [end, code] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (code != std::errc() || end != word.data() + word.size())
        throw Fault{"\"" + std::string(word) + "\" is not a whole number"};
    if (value < low || value > high)
        throw Fault{std::to_string(value) + " is out of range " + std::to_string(low) + ".." +
                    std::to_string(high)};
    return value;
}

int Int(std::string_view word, int low, int high) {
    return static_cast<int>(Number(word, low, high));
}

std::array<int, 81> Digits(std::string_view word, int low, int high) {
    if (word.size() != 81) throw Fault{"a grid needs 81 digits"};
    std::array<int, 81> values{};
    for (int c = 0; c < 81; ++c) {
        const int v = word[c] - '0';
        if (v < low || v > high) throw Fault{"a grid digit is out of range"};
        values[c] = v;
    }
    return values;
}

std::array<int, 81> Masks(std::string_view word) {
    if (word.size() != 243) throw Fault{"the candidates need 243 octal digits"};
    std::array<int, 81> masks{};
    for (int c = 0; c < 81; ++c) {
        int mask = 0;
        for (int k = 0; k < 3; ++k) {
            const int v = word[3 * c + k] - '0';
            if (v < 0 || v > 7) throw Fault{"a candidate digit is not octal"};
            mask = mask * 8 + v;
        }
        masks[c] = mask;
    }
    return masks;
}

void Expect(const std::vector<std::string_view>& words, std::size_t count) {
    if (words.size() != count)
        throw Fault{"\"" + std::string(words[0]) + "\" needs " + std::to_string(count - 1) +
                    " values"};
}

SavedGameRead Refused(SavedGameStatus status, int line, std::string error) {
    SavedGameRead read;
    read.status = status;
    read.line = line;
    read.error = std::move(error);
    return read;
}

} // namespace

std::string SavedGameText(const SavedGame& g) {
    std::string out;
    out.reserve(8192 + g.levels.size() * 360);
    out += std::string(kSavedGameHeader) + " " + std::to_string(kSavedGameVersion) + "\n";
    out += "variant " + std::to_string(g.variantKind) + " " + std::to_string(g.xSudoku) + "\n";
    out += "givens " + DigitString(g.givens) + "\n";
    out += "solution " + DigitString(g.solution) + "\n";
    out += "parity " + DigitString(g.parity) + "\n";
    out += "neighbours";
    for (const auto& cell : g.neighbours) AppendNumbers(out, cell);
    out += "\ncounters";
    AppendNumbers(out, g.techniqueCounters);
    out += "\nanalysis " + std::to_string(g.ratingDone) + " " + std::to_string(g.stepCount) + " " +
           std::to_string(g.solutionCount) + "\n";
    for (int k = 0; k < kSavedStepSlots; ++k) {
        const SavedStep& step = g.steps[k];
        if (step == SavedStep{}) continue;
        out += "step " + std::to_string(k + 1) + " " + std::to_string(step.technique);
        AppendNumbers(out, step.record);
        out += "\n";
    }
    std::string caption = g.caption;
    for (char& ch : caption)
        if (static_cast<unsigned char>(ch) < 0x20) ch = ' ';
    out += "caption " + caption + "\n";
    out += "clock " + Bounded(g.elapsedSeconds, kClockLimit) + "\n";
    out += "counts " + Bounded(g.errorsMade, kCounterLimit) + " " +
           Bounded(g.hintsShown, kCounterLimit) + " " +
           Bounded(g.completeHintsShown, kCounterLimit) + " " +
           Bounded(g.hintsPlayed, kCounterLimit) + "\n";
    for (std::size_t k = 0; k < g.levels.size(); ++k) {
        const SavedLevel& level = g.levels[k];
        out += "level " + std::to_string(k + 1) + " " + std::to_string(level.filledCount) + " " +
               DigitString(level.cells) + " " + OctalString(level.candidates) + "\n";
        if (level.moveKind == kSavedHintMove) {
            out += "move " + std::to_string(k + 1) + " " + std::to_string(kSavedHintMove) + " " +
                   std::to_string(kHintMoveCell) + " " + std::to_string(kHintMoveDigit) + "\n";
        } else if (level.moveKind != 0) {
            out += "move " + std::to_string(k + 1) + " " + std::to_string(level.moveKind) + " " +
                   std::to_string(level.moveCell) + " " + std::to_string(level.moveDigit) + "\n";
        }
    }
    out += "current " + std::to_string(g.level) + "\n";
    out += "end\n";
    return out;
}

SavedGameRead ParseSavedGame(std::string_view bytes) {
    bytes = WithoutByteOrderMark(bytes);
    if (bytes.empty()) return Refused(SavedGameStatus::kEmpty, 0, "the file is empty");
    const std::vector<std::string_view> lines = SplitLines(bytes);

    // The version line.
    const std::vector<std::string_view> head = SplitWords(lines[0]);
    const std::vector<std::string_view> expected = SplitWords(kSavedGameHeader);
    if (head.size() != expected.size() + 1 ||
        !std::equal(expected.begin(), expected.end(), head.begin()))
        return Refused(SavedGameStatus::kForeign, 1, "not a saved game of this program");
    long long version = 0;
    const std::string_view v = head.back();
    if (std::from_chars(v.data(), v.data() + v.size(), version).ec != std::errc() || version < 1)
        return Refused(SavedGameStatus::kCorrupt, 1, "the version is not a number");
    if (version > kSavedGameVersion)
        return Refused(SavedGameStatus::kNewerVersion, 1,
                       "written by a newer version (" + std::to_string(version) + ")");

    SavedGame g;
    std::set<std::string> seen;
    std::map<int, SavedLevel> levels;
    std::map<int, std::array<int, 3>> moves;
    bool ended = false;
    int lineNumber = 1;
    try {
        for (std::size_t i = 1; i < lines.size(); ++i) {
            lineNumber = static_cast<int>(i) + 1;
            const std::string_view line = lines[i];
            const std::vector<std::string_view> words = SplitWords(line);
            if (words.empty()) continue;
            if (ended) throw Fault{"text after the end line"};
            const std::string key(words[0]);
            // Lines that come once; step, level and move once per number.
            std::string once = key;
            if ((key == "step" || key == "level" || key == "move") && words.size() > 1)
                once.append(" ").append(words[1]);
            if (!seen.insert(once).second) throw Fault{"\"" + once + "\" comes twice"};

            if (key == "variant") {
                Expect(words, 3);
                g.variantKind = Int(words[1], 0, 3);
                g.xSudoku = Int(words[2], 0, 1);
            } else if (key == "givens") {
                Expect(words, 2);
                g.givens = Digits(words[1], 0, 9);
            } else if (key == "solution") {
                Expect(words, 2);
                g.solution = Digits(words[1], 0, 9);
            } else if (key == "parity") {
                Expect(words, 2);
                g.parity = Digits(words[1], 1, 2);
            } else if (key == "neighbours") {
                Expect(words, 1 + 81 * 5);
                for (int c = 0; c < 81; ++c) {
                    g.neighbours[c][0] = Int(words[1 + 5 * c], 0, 4);
                    for (int k = 1; k < 5; ++k)
                        g.neighbours[c][k] = Int(words[1 + 5 * c + k], -1, 1);
                }
            } else if (key == "counters") {
                Expect(words, 21);
                for (int k = 0; k < 20; ++k)
                    g.techniqueCounters[k] = Int(words[1 + k], 0, kCounterLimit);
            } else if (key == "analysis") {
                Expect(words, 4);
                g.ratingDone = Int(words[1], 0, 1);
                g.stepCount = Int(words[2], 0, kSavedStepSlots + 1);
                g.solutionCount = Int(words[3], 0, kCounterLimit);
            } else if (key == "step") {
                Expect(words, 3 + 32);
                const int k = Int(words[1], 1, kSavedStepSlots);
                SavedStep& step = g.steps[k - 1];
                step.technique = Int(words[2], 0, 17);
                for (int j = 0; j < 32; ++j) step.record[j] = Int(words[3 + j], -1, 100);
            } else if (key == "caption") {
                const std::size_t at = line.find("caption") + 7;
                std::string_view rest = line.substr(at);
                if (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
                g.caption = std::string(rest);
                // As the writer writes it: control characters are blanks.
                for (char& ch : g.caption)
                    if (static_cast<unsigned char>(ch) < 0x20) ch = ' ';
            } else if (key == "clock") {
                Expect(words, 2);
                g.elapsedSeconds = Number(words[1], 0, kClockLimit);
            } else if (key == "counts") {
                Expect(words, 5);
                g.errorsMade = Int(words[1], 0, kCounterLimit);
                g.hintsShown = Int(words[2], 0, kCounterLimit);
                g.completeHintsShown = Int(words[3], 0, kCounterLimit);
                g.hintsPlayed = Int(words[4], 0, kCounterLimit);
            } else if (key == "level") {
                Expect(words, 5);
                const int k = Int(words[1], 1, kSavedLevelLimit);
                SavedLevel level;
                level.filledCount = Int(words[2], 0, 81);
                level.cells = Digits(words[3], 0, 9);
                level.candidates = Masks(words[4]);
                int filled = 0;
                for (const int d : level.cells) filled += d != 0 ? 1 : 0;
                if (filled != level.filledCount)
                    throw Fault{"the filled count does not match the cells"};
                levels[k] = level;
            } else if (key == "move") {
                Expect(words, 5);
                const int k = Int(words[1], 1, kSavedLevelLimit);
                const int kind = Int(words[2], 1, kSavedHintMove);
                if (kind == kSavedHintMove) {
                    moves[k] = {kind, Int(words[3], kHintMoveCell, kHintMoveCell),
                                Int(words[4], kHintMoveDigit, kHintMoveDigit)};
                } else {
                    moves[k] = {kind, Int(words[3], 0, 80), Int(words[4], 1, 9)};
                }
            } else if (key == "current") {
                Expect(words, 2);
                g.level = Int(words[1], 1, kSavedLevelLimit);
            } else if (key == "end") {
                Expect(words, 1);
                ended = true;
            } else {
                throw Fault{"unknown line \"" + key + "\""};
            }
        }
        lineNumber = static_cast<int>(lines.size());
        if (!ended) throw Fault{"the file is cut short (no end line)"};
        for (const char* required :
             {"variant", "givens", "solution", "parity", "neighbours", "counters", "analysis",
              "caption", "clock", "counts", "current"})
            if (!seen.contains(required))
                throw Fault{std::string("the line \"") + required + "\" is missing"};
        if (levels.empty()) throw Fault{"no level of the game"};
        const int top = levels.rbegin()->first;
        if (static_cast<int>(levels.size()) != top) throw Fault{"a level is missing"};
        for (const auto& [k, level] : levels) g.levels.push_back(level);
        for (const auto& [k, move] : moves) {
            if (k >= top) throw Fault{"a move leads above the last level"};
            g.levels[k - 1].moveKind = move[0];
            g.levels[k - 1].moveCell = move[1];
            g.levels[k - 1].moveDigit = move[2];
        }
        for (int k = 1; k < top; ++k)
            if (g.levels[k - 1].moveKind == 0)
                throw Fault{"the move from level " + std::to_string(k) + " is missing"};
        if (g.level > top) throw Fault{"the current level is not saved"};
    } catch (const Fault& fault) {
        return Refused(SavedGameStatus::kCorrupt, lineNumber, fault.reason);
    }
    SavedGameRead read;
    read.status = SavedGameStatus::kOk;
    read.game = std::move(g);
    return read;
}

SavedGameRead ReadSavedGame(const std::string& path) {
    // A file that is not there is the usual case: nothing to resume.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT)
        return Refused(SavedGameStatus::kMissing, 0, path + ": no such file");
    std::string error;
    const std::optional<std::string> bytes = ReadWholeFile(path, &error, kSavedGameReadLimit);
    if (!bytes) return Refused(SavedGameStatus::kUnreadable, 0, error);
    return ParseSavedGame(*bytes);
}

bool WriteSavedGame(const std::string& path, const SavedGame& game, std::string* error) {
    return WriteFileInNewFolder(path, SavedGameText(game), error);
}

} // namespace vemo::io
