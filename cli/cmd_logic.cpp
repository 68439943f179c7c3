// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// hint --advanced, analyse --advanced and solve --logic: the logical solver with
// the advanced catalogue, never guessing.
#include "logic_commands.h"
#include "puzzle_lines.h"
#include "puzzle_source.h"

#include "engine/advanced/catalogue.h"
#include "engine/advanced/drawing.h"

#include <atomic>
#include <memory>
#include <sstream>

namespace vemo::cli {

using advanced::AdvancedStep;

std::optional<LogicOptions> TakeLogicOptions(const std::vector<std::string>& args,
                                             std::string& error) {
    LogicOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--advanced") {
            options.advanced = true;
        } else if (args[i] == "--logic") {
            options.logic = true;
        } else if (args[i] == "--techniques") {
            if (i + 1 >= args.size() || !advanced::ParseFamilies(args[i + 1], options.families)) {
                error = "--techniques takes a comma-separated list of " + FamilyList();
                return std::nullopt;
            }
            options.techniquesGiven = true;
            ++i;
        } else {
            options.rest.push_back(args[i]);
        }
    }
    return options;
}

std::string FamilyList() {
    std::string list;
    for (int f = 0; f < advanced::kFamilyCount; ++f)
        list += std::string(f ? "," : "") +
                std::string(advanced::FamilyName(static_cast<advanced::Family>(f)));
    return list;
}

namespace {

std::string CellName(int cell) {
    std::string name = "L0C0";
    name[1] = static_cast<char>('1' + cell / 9);
    name[3] = static_cast<char>('1' + cell % 9);
    return name;
}

std::string UnitName(int unit) {
    if (unit < 9) return "row " + std::to_string(unit + 1);
    if (unit < 18) return "column " + std::to_string(unit - 8);
    if (unit < 27) return "box " + std::to_string(unit - 17);
    return unit == 27 ? "the main diagonal" : "the anti-diagonal";
}

void CellArray(std::ostream& out, Bits81 cells) {
    out << '[';
    bool first = true;
    ForEachCell(cells, [&](int c) {
        out << (first ? "" : ",") << c;
        first = false;
    });
    out << ']';
}

std::string FamilyOf(int technique) {
    const auto* entry = advanced::AdvancedEntry(technique);
    return entry != nullptr ? std::string(advanced::FamilyName(entry->family)) : "basic";
}

// One step as JSON: its name, placement, eliminations, what it rests on and
// its chain.
void StepJson(std::ostream& out, const AdvancedStep& s) {
    out << "{\"technique\":" << s.technique << ",\"name\":\"" << advanced::StepName(s.technique)
        << "\",\"family\":\"" << FamilyOf(s.technique) << "\",\"place\":";
    if (s.placeCell >= 0)
        out << "{\"cell\":" << s.placeCell << ",\"digit\":" << s.placeDigit << '}';
    else
        out << "null";
    out << ",\"eliminations\":[";
    for (int i = 0; i < s.eliminationCount; ++i)
        out << (i ? "," : "") << '[' << int(s.eliminations[i].cell) << ','
            << int(s.eliminations[i].digit) << ']';
    out << "],\"cells\":[";
    for (int i = 0; i < s.cellCount; ++i) out << (i ? "," : "") << int(s.cells[i]);
    out << "],\"units\":[";
    for (int i = 0; i < s.unitCount; ++i) out << (i ? "," : "") << int(s.units[i]);
    out << "],\"digits\":[";
    bool first = true;
    for (int d = 1; d <= 9; ++d)
        if ((s.digits >> (d - 1) & 1) != 0) {
            out << (first ? "" : ",") << d;
            first = false;
        }
    out << "],\"fins\":";
    CellArray(out, s.fins);
    out << ",\"sashimi\":" << (s.sashimi ? "true" : "false") << ",\"chain\":{\"nodes\":[";
    for (int i = 0; i < s.nodeCount; ++i) {
        out << (i ? "," : "") << "{\"cells\":";
        CellArray(out, s.nodes[i].cells);
        out << ",\"digit\":" << int(s.nodes[i].digit) << ",\"on\":" << int(s.nodes[i].on) << '}';
    }
    out << "],\"links\":[";
    for (int i = 0; i + 1 < s.nodeCount || (s.loop && i < s.nodeCount); ++i)
        out << (i ? "," : "")
            << (s.links[i] == advanced::Link::kStrong ? "\"strong\"" : "\"weak\"");
    out << "],\"loop\":" << (s.loop ? "true" : "false") << "}}";
}

// "L3C5 = 7: hidden single in row 3", or "L1C2 <> 7, L4C5 <> 7: Skyscraper in ...".
std::string StepLine(const AdvancedStep& s) {
    std::string line;
    if (s.placeCell >= 0) {
        line = CellName(s.placeCell) + " = " + std::to_string(s.placeDigit);
    } else {
        for (int i = 0; i < s.eliminationCount; ++i)
            line += (i ? ", " : "") + CellName(s.eliminations[i].cell) + " <> " +
                    std::to_string(s.eliminations[i].digit);
    }
    line += ": " + std::string(advanced::StepName(s.technique));
    for (int i = 0; i < s.unitCount; ++i)
        line += (i == 0 ? " in " : i + 1 == s.unitCount ? " and " : ", ") + UnitName(s.units[i]);
    return line;
}

std::string StopText(Engine::LogicStop stop) {
    switch (stop) {
    case Engine::LogicStop::kSolved:
        return "solved";
    case Engine::LogicStop::kNoSolution:
        return "no solution";
    case Engine::LogicStop::kSeveralSolutions:
        return "several solutions";
    case Engine::LogicStop::kAbandoned:
        return "search abandoned";
    case Engine::LogicStop::kStuck:
        break;
    }
    return "stuck";
}

std::optional<SourceArgs> SourceOf(const Command& command, const LogicOptions& options,
                                   int& status) {
    std::string error;
    auto source = ParseSourceArgs(options.rest, error);
    if (!source) status = UsageError(command, error);
    return source;
}

// The logic-only solve of one puzzle, on an engine of its own.
struct LogicRun {
    std::unique_ptr<Engine> engine = std::make_unique<Engine>();
    std::vector<AdvancedStep> steps;
    Engine::LogicResult result;
};

LogicRun SolveLine(const LinePuzzle& puzzle, unsigned families) {
    LogicRun run;
    InstallLinePuzzle(*run.engine, puzzle);
    run.engine->AdvancedFamilies = families;
    run.steps.reserve(128);
    run.result = run.engine->SolveLogically(&run.steps);
    return run;
}

} // namespace

int RunAdvancedHint(const Command& command, const LogicOptions& options) {
    int status = kExitOk;
    const auto source = SourceOf(command, options, status);
    if (!source) return status;
    return ForEachPuzzle(*source, [&](Engine&, const std::string& line, const LinePuzzle& puzzle) {
        auto engine = std::make_unique<Engine>();
        InstallLinePuzzle(*engine, puzzle);
        engine->AdvancedLayer = true;
        engine->AdvancedFamilies = options.families;
        engine->HintTechnique = 0;
        if (engine->FilledCount < kCells) engine->FindNextTechnique();
        RequireAnswer(*engine);
        std::ostringstream out;
        out << "{\"puzzle\":";
        JsonString(out, line);
        out << ",\"step\":";
        if (engine->FilledCount >= kCells || engine->HintTechnique == 0)
            out << "null"; // a full grid, or no solution
        else
            StepJson(out, advanced::HintStep(*engine));
        out << "}\n";
        return out.str();
    });
}

int RunAdvancedAnalyse(const Command& command, const LogicOptions& options) {
    int status = kExitOk;
    const auto source = SourceOf(command, options, status);
    if (!source) return status;
    return ForEachPuzzle(*source, [&](Engine&, const std::string& line, const LinePuzzle& puzzle) {
        const LogicRun run = SolveLine(puzzle, options.families);
        const Engine* engine = run.engine.get();
        const auto& steps = run.steps;
        const Engine::LogicResult result = run.result;
        RequireAnswer(*engine);
        std::ostringstream out;
        out << "{\"puzzle\":";
        JsonString(out, line);
        out << ",\"variant\":" << engine->VariantKind << ",\"x\":" << engine->XSudoku
            << ",\"stop\":\"" << StopText(result.stop) << "\",\"filled\":" << engine->FilledCount
            << ",\"advanced_steps\":" << result.advanced << ",\"steps\":[";
        for (std::size_t i = 0; i < steps.size(); ++i) {
            if (i) out << ',';
            StepJson(out, steps[i]);
        }
        out << "],\"grid\":\"" << GridText(engine->CellGrid[0]) << "\"}\n";
        return out.str();
    });
}

int RunLogicSolve(const Command& command, const LogicOptions& options) {
    int status = kExitOk;
    const auto source = SourceOf(command, options, status);
    if (!source) return status;
    std::atomic<bool> stopped{false};
    const int read =
        ForEachPuzzle(*source, [&](Engine&, const std::string&, const LinePuzzle& puzzle) {
            const LogicRun run = SolveLine(puzzle, options.families);
            const Engine* engine = run.engine.get();
            const auto& steps = run.steps;
            const Engine::LogicResult result = run.result;
            std::string text;
            for (const AdvancedStep& s : steps) text += StepLine(s) + '\n';
            text += GridText(engine->CellGrid[0]) + '\n';
            if (result.stop != Engine::LogicStop::kSolved) {
                stopped = true;
                text += "stopped at " + std::to_string(engine->FilledCount) + " filled cells: ";
                switch (result.stop) {
                case Engine::LogicStop::kNoSolution:
                    text += "the puzzle has no solution\n";
                    break;
                case Engine::LogicStop::kSeveralSolutions:
                    text += "the puzzle has several solutions, logic cannot choose\n";
                    break;
                case Engine::LogicStop::kAbandoned:
                    text += "the search for its solutions was abandoned\n";
                    break;
                default:
                    text += "no technique of the catalogue applies\n";
                    break;
                }
            }
            return text;
        });
    if (read != kExitOk) return read;
    return stopped ? kExitBadInput : kExitOk;
}

} // namespace vemo::cli
