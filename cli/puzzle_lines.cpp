// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "puzzle_lines.h"

#include "commands.h"

#include "io/puzzle_text.h"
#include "io/text_file.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <unistd.h>

namespace vemo::cli {

namespace {

std::string Trimmed(const std::string& line) {
    std::size_t end = line.size();
    while (end > 0 && (line[end - 1] == '\r' || line[end - 1] == ' ' || line[end - 1] == '\t'))
        --end;
    std::size_t begin = 0;
    while (begin < end && (line[begin] == ' ' || line[begin] == '\t')) ++begin;
    return line.substr(begin, end - begin);
}

// No puzzle line comes near this; a longer one (a file of zeros, a binary
// file) ends the reading instead of filling the memory.
constexpr std::size_t kLineLimit = 64 * 1024;

// Lines of a descriptor, each at most kLineLimit characters, in bounded memory.
class LineReader {
  public:
    enum Status { kLine, kEnd, kTooLong, kError };
    explicit LineReader(int fd) : fd_(fd) {}

    Status Next(std::string& line) {
        line.clear();
        for (;;) {
            if (at_ == size_) {
                if (ended_) return line.empty() ? kEnd : kLine;
                const ssize_t got = ::read(fd_, buffer_.data(), buffer_.size());
                if (got < 0 && errno == EINTR) continue;
                if (got < 0) return kError;
                at_ = 0;
                size_ = static_cast<std::size_t>(got);
                ended_ = got == 0;
                continue;
            }
            const char* begin = buffer_.data() + at_;
            const void* newline = std::memchr(begin, '\n', size_ - at_);
            const std::size_t take =
                newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - begin)
                        : size_ - at_;
            if (line.size() + take > kLineLimit) return kTooLong;
            line.append(begin, take);
            at_ += take;
            if (newline) {
                ++at_;
                return kLine;
            }
        }
    }

  private:
    int fd_;
    std::array<char, 65536> buffer_{};
    std::size_t at_ = 0;
    std::size_t size_ = 0;
    bool ended_ = false;
};

} // namespace

std::optional<LinePuzzle> ParsePuzzleLine(const std::string& rawLine, std::string& error) {
    const std::string line = Trimmed(rawLine);
    if (io::IsRecord(line)) {
        const io::ReadResult read = io::ReadRecord(line);
        if (read.outcome != io::ReadOutcome::kOk) {
            error = "bad \"3x3\" record: " + read.detail;
            return std::nullopt;
        }
        LinePuzzle puzzle;
        puzzle.givens = read.puzzle.cells;
        puzzle.variantKind = read.puzzle.variantKind;
        puzzle.xSudoku = read.puzzle.xSudoku;
        puzzle.neighbourMarks = read.puzzle.neighbourMarks;
        puzzle.parityMarks = read.puzzle.parityMarks;
        return puzzle;
    }
    // 81 cells and a rating after them, as in rated collections ("<cells> 7.2"):
    // the rating is left aside.
    if (line.size() > 82 && (line[81] == ' ' || line[81] == '\t')) {
        std::size_t at = 81;
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
        bool rating = at < line.size() && at + 8 >= line.size();
        for (std::size_t i = at; i < line.size() && rating; ++i)
            rating = (line[i] >= '0' && line[i] <= '9') || line[i] == '.';
        if (rating) return ParsePuzzleLine(line.substr(0, 81), error);
    }
    if (line.size() != 81) {
        error = "expected 81 cells, found " + std::to_string(line.size()) + " characters";
        return std::nullopt;
    }
    LinePuzzle puzzle;
    for (int c = 0; c < 81; ++c) {
        const char ch = line[c];
        if (ch >= '1' && ch <= '9') {
            puzzle.givens[c] = static_cast<std::uint8_t>(ch - '0');
        } else if (ch != '.' && ch != '0') {
            error = std::string("unexpected character '") + ch + "' at position " +
                    std::to_string(c + 1);
            return std::nullopt;
        }
    }
    puzzle.parityMarks.fill(1);
    return puzzle;
}

int ForEachPuzzleLine(const std::string& source,
                      const std::function<void(const std::string&, const std::string&,
                                               const LinePuzzle&)>& onPuzzle) {
    int fd = 0; // standard input
    if (source != "-") {
        std::string error;
        fd = io::OpenRegularFile(source, &error);
        if (fd < 0) {
            std::cerr << "vemotarn-cli: cannot open '" << source << "': " << error << '\n';
            return kExitUsage;
        }
    }
    const std::string name = source == "-" ? "<stdin>" : source;
    LineReader in(fd);
    std::string line;
    int lineNumber = 0;
    bool allRead = true;
    for (LineReader::Status status; (status = in.Next(line)) != LineReader::kEnd;) {
        ++lineNumber;
        if (status != LineReader::kLine) {
            std::cerr << name << ':' << lineNumber << ": "
                      << (status == LineReader::kTooLong
                              ? "line longer than " + std::to_string(kLineLimit) +
                                    " characters; reading stops"
                              : std::string("read error: ") + std::strerror(errno))
                      << '\n';
            allRead = false;
            break;
        }
        if (Trimmed(line).empty()) continue;
        std::string error;
        const auto puzzle = ParsePuzzleLine(line, error);
        const std::string where = name + ':' + std::to_string(lineNumber);
        if (!puzzle) {
            std::cerr << where << ": " << error << '\n';
            allRead = false;
            continue;
        }
        onPuzzle(Trimmed(line), where, *puzzle);
    }
    if (fd != 0) ::close(fd);
    return allRead ? kExitOk : kExitBadInput;
}

void InstallLinePuzzle(Engine& engine, const LinePuzzle& puzzle) {
    engine.HistoryLevel = 0;
    engine.Generating = false;
    engine.ClearPuzzle();
    engine.VariantKind = engine.VariantChoice = puzzle.variantKind;
    engine.XSudoku = engine.XSudokuChoice = puzzle.xSudoku;
    engine.NeighbourMarks = puzzle.neighbourMarks;
    engine.SetEdgeMarks();
    engine.ParityMarks = puzzle.parityMarks;
    engine.ValidityGrid = puzzle.givens;
    engine.CellGrid[0] = puzzle.givens;
    engine.Givens = puzzle.givens;
    engine.SolutionGrid = puzzle.givens;
    engine.PuzzleFixed = true;
    engine.CheckValidity();
}

std::string GridText(const Grid& grid) {
    std::string text(81, '.');
    for (int c = 0; c < 81; ++c)
        if (grid[c] >= 1 && grid[c] <= 9) text[c] = static_cast<char>('0' + grid[c]);
    return text;
}

std::string RecordLine(const Grid& givens, int variantKind, int xSudoku,
                       const std::array<NeighbourRecord, 81>& marks,
                       const std::array<int, 81>& parity) {
    std::string line = "3x3:";
    line += xSudoku == 1 ? 'd' : ' ';
    line += variantKind == kNonConsecutive || variantKind == kConsecutive ? ":c"
            : variantKind == kOddEven                                     ? ":o"
                                                                          : ": ";
    for (int c = 0; c < 81; ++c) {
        int value = givens[c];
        if (variantKind == kNonConsecutive || variantKind == kConsecutive) {
            value *= 256;
            for (int k = 1; k <= 4; ++k)
                if (marks[c][k] == 1) value += 1 << (k - 1);
        } else if (variantKind == kOddEven && parity[c] == 2) {
            value += 256;
        }
        line += ':';
        line += std::to_string(value);
    }
    return line + ':';
}

void JsonString(std::ostream& out, const std::string& text) {
    out << '"';
    for (const char ch : text) {
        if (ch == '"' || ch == '\\') out << '\\';
        out << (static_cast<unsigned char>(ch) < 0x20 ? ' ' : ch);
    }
    out << '"';
}

} // namespace vemo::cli
