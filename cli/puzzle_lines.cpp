#include "puzzle_lines.h"

#include "commands.h"

#include "io/puzzle_text.h"

#include <fstream>
#include <iostream>

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
    std::ifstream file;
    if (source != "-") {
        file.open(source, std::ios::binary);
        if (!file) {
            std::cerr << "vemotarn-cli: cannot open '" << source << "'\n";
            return kExitUsage;
        }
    }
    std::istream& in = source == "-" ? std::cin : file;
    std::string line;
    int lineNumber = 0;
    bool allRead = true;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (Trimmed(line).empty()) continue;
        std::string error;
        const auto puzzle = ParsePuzzleLine(line, error);
        const std::string where =
            (source == "-" ? std::string("<stdin>") : source) + ':' + std::to_string(lineNumber);
        if (!puzzle) {
            std::cerr << where << ": " << error << '\n';
            allRead = false;
            continue;
        }
        onPuzzle(Trimmed(line), where, *puzzle);
    }
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

} // namespace vemo::cli
