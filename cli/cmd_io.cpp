// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// show and save: puzzle files read and written exactly as the window's open
// and save commands do.
#include "commands.h"
#include "puzzle_lines.h"
#include "texts.h"

#include "io/puzzle_file.h"

#include <iostream>

namespace vemo::cli {

namespace {

int RunShow(const std::vector<std::string>& args);
int RunSave(const std::vector<std::string>& args);

const Command kShow{"show", "FILE", "the variant, validity and grid of a puzzle file", RunShow};
const Command kSave{"save", "IN OUT", "reads a puzzle file and writes it as the window saves it",
                    RunSave};

std::string Trimmed(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

// The program's message for a report, as the status bar shows it.
std::string Message(const io::LoadReport& report) {
    std::string text;
    for (const int id : report.messages) text += ProgramTexts().Text(id);
    if (report.outcome == io::LoadOutcome::kCannotRead)
        text += report.detail;
    else if (!report.detail.empty())
        text += " (" + report.detail + ")";
    return text;
}

// Loads the file; on failure prints the message and returns false.
bool Load(const std::string& path, Engine& engine) {
    const io::LoadReport report = io::LoadPuzzleFile(path, engine);
    if (report.outcome == io::LoadOutcome::kInstalled) return true;
    std::cerr << "vemotarn-cli: " << path << ": " << Message(report) << '\n';
    return false;
}

int RunShow(const std::vector<std::string>& args) {
    if (args.size() != 1) return UsageError(kShow, "show takes one file");
    Engine engine;
    if (!Load(args[0], engine)) return kExitBadInput;
    const int typeTexts[] = {89, 90, 91, 93};
    std::cout << "variant " << engine.VariantKind << ' '
              << Trimmed(ProgramTexts().Text(typeTexts[engine.VariantKind])) << '\n';
    std::cout << "x " << engine.XSudoku << '\n';
    std::cout << "validity " << engine.ValidityStatus;
    io::LoadReport messages;
    messages.messages = io::ValidityMessages(engine.ValidityStatus);
    if (!messages.messages.empty()) std::cout << ' ' << Message(messages);
    std::cout << '\n' << io::FramedGrid(engine.CellGrid[0], "\n");
    if (engine.VariantKind == kConsecutive) {
        std::cout << "bars";
        for (int c = 0; c < 81; ++c) {
            const auto cell = [](int n) {
                std::string label = "L";
                label.append(std::to_string(n / 9 + 1))
                    .append("C")
                    .append(std::to_string(n % 9 + 1));
                return label;
            };
            if (engine.NeighbourMarks[c][1] == 1) std::cout << ' ' << cell(c) << '-' << cell(c + 1);
            if (engine.NeighbourMarks[c][2] == 1) std::cout << ' ' << cell(c) << '|' << cell(c + 9);
        }
        std::cout << '\n';
    }
    if (engine.VariantKind == kOddEven) {
        std::cout << "even\n";
        for (int row = 0; row < 9; ++row) {
            for (int column = 0; column < 9; ++column)
                std::cout << (engine.ParityMarks[row * 9 + column] == 2 ? 'P' : '.');
            std::cout << '\n';
        }
    }
    return kExitOk;
}

int RunSave(const std::vector<std::string>& args) {
    if (args.size() != 2) return UsageError(kSave, "save takes an input and an output file");
    Engine engine;
    if (!Load(args[0], engine)) return kExitBadInput;
    std::string error;
    if (!io::SavePuzzleFile(args[1], engine, &error)) {
        std::cerr << "vemotarn-cli: " << ProgramTexts().Text(io::kTextCannotWrite) << error << '\n';
        return kExitBadInput;
    }
    return kExitOk;
}

const bool kRegistered = RegisterCommand(kShow) && RegisterCommand(kSave);

} // namespace

} // namespace vemo::cli
