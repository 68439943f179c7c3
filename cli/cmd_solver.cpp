// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// analyse, rate and hint: the logical solver on each puzzle of a file.
#include "commands.h"
#include "logic_commands.h"
#include "puzzle_lines.h"
#include "puzzle_source.h"
#include "scale_rating.h"
#include "texts.h"

#include "engine/techniques/catalogue.h"

#include <algorithm>
#include <iostream>
#include <span>
#include <sstream>

namespace vemo::cli {

namespace {

int RunAnalyse(const std::vector<std::string>& args);
int RunRate(const std::vector<std::string>& args);
int RunHint(const std::vector<std::string>& args);

const Command kAnalyse{"analyse", "FILE|- [--jobs J] [--advanced] [--techniques LIST]",
                       "JSON per puzzle: counts, rating, logged solve, hint", RunAnalyse};
const Command kRate{"rate", "FILE|- [--scale] [--jobs J]",
                    "score, level and the count of each technique; --scale: ER/EP/ED, hardest step",
                    RunRate};
const Command kHint{"hint", "FILE|- [--advanced] [--techniques LIST]",
                    "the next technique and its cells", RunHint};

void JsonArray(std::ostream& out, std::span<const int> values) {
    out << '[';
    for (std::size_t i = 0; i < values.size(); ++i) out << (i ? "," : "") << values[i];
    out << ']';
}

std::string CellLabel(int cell) {
    std::string label = "L0C0";
    label[1] = static_cast<char>('1' + cell / 9);
    label[3] = static_cast<char>('1' + cell % 9);
    return label;
}

std::string Analyse(Engine&, const std::string& line, const LinePuzzle& puzzle) {
    Engine engine; // each puzzle on its own: no state carried from the previous one
    InstallLinePuzzle(engine, puzzle);
    const int validity = engine.ValidityStatus;

    engine.SolutionCount = 0;
    engine.BruteForceCell = engine.BruteForceDigit = -1;
    if (!engine.BreaksRules()) engine.CountSolutions(); // as the count command does
    RequireAnswer(engine);
    const int count = engine.SolutionCount;

    engine.FindNextTechnique();
    RequireAnswer(engine);
    const int hintTechnique = engine.HintTechnique;
    const HintRecordData hint = engine.HintRecord;

    engine.AnalysePuzzle();
    RequireAnswer(engine);
    const int ratingSolutions = engine.SolutionCount;

    std::ostringstream out;
    out << "{\"puzzle\":";
    JsonString(out, line);
    out << ",\"variant\":" << engine.VariantKind << ",\"x\":" << engine.XSudoku
        << ",\"validity\":" << validity << ",\"count\":" << count << ",\"counters\":";
    JsonArray(out, std::span<const int>(engine.TechniqueCounters).first(kTechniqueCount));
    out << ",\"score\":" << engine.PuzzleScore() << ",\"rating_done\":" << engine.RatingDone
        << ",\"rating_solutions\":" << ratingSolutions << ",\"steps\":[";
    for (int n = 1; n < engine.StepCount; ++n) {
        const StepEntry& step = engine.StepLog[n];
        std::array<int, 33> row{};
        row[0] = step.technique;
        const auto record = step.record.Flatten();
        for (int i = 0; i < 32; ++i) row[1 + i] = record[i];
        if (n > 1) out << ',';
        JsonArray(out, row);
    }
    out << "],\"solution\":\"" << GridText(engine.SolutionGrid)
        << "\",\"hint\":{\"technique\":" << hintTechnique << ",\"cells\":";
    JsonArray(out, hint.cells);
    out << ",\"count\":" << hint.count << ",\"digits\":";
    JsonArray(out, hint.digits);
    out << "}}\n";
    return out.str();
}

int RunAnalyse(const std::vector<std::string>& args) {
    std::string error;
    const auto options = TakeLogicOptions(args, error);
    if (!options || options->logic)
        return UsageError(kAnalyse, options ? "unexpected --logic" : error);
    if (options->advanced) return RunAdvancedAnalyse(kAnalyse, *options);
    if (options->techniquesGiven) return UsageError(kAnalyse, "--techniques needs --advanced");
    const auto source = ParseSourceArgs(args, error);
    if (!source) return UsageError(kAnalyse, error);
    return ForEachPuzzle(*source, Analyse);
}

// The score, the level and the technique counts of the rating alone.
std::string Rate(Engine&, const std::string&, const LinePuzzle& puzzle) {
    Engine engine; // each puzzle on its own: no state carried from the previous one
    InstallLinePuzzle(engine, puzzle);
    engine.HistoryLevel = 0;
    engine.ComputeCandidates();
    engine.RatePuzzle();
    RequireAnswer(engine);
    const int score = engine.PuzzleScore();
    const std::string level = ProgramTexts().Text(LevelText(score));
    std::string text = std::to_string(score) + ' ' + (level.empty() ? "-" : level);
    for (int id = 1; id <= kTechniqueCount; ++id)
        text += ' ' + std::to_string(engine.TechniqueCounters[id - 1]);
    return text + '\n';
}

// ER/EP/ED on the community's scale and the name of the hardest step.
std::string RateOnScale(Engine& engine, const std::string&, const LinePuzzle& puzzle) {
    InstallLinePuzzle(engine, puzzle);
    engine.HistoryLevel = 0;
    engine.ComputeCandidates();
    // Only a puzzle with one solution is rated: the scale's uniqueness steps
    // assume it, and a grid with many solutions would keep the chains busy.
    if (engine.BreaksRules() || engine.FilledCount >= kCells) return "-\n";
    engine.SolutionCount = 0;
    engine.SolutionLimit = 2;
    engine.CountSolutions();
    RequireAnswer(engine);
    if (engine.SolutionCount != 1) return "-\n";
    engine.HistoryLevel = 0;
    engine.ComputeCandidates();
    return ScaleLine(engine) + '\n';
}

int RunRate(const std::vector<std::string>& args) {
    std::vector<std::string> rest;
    bool onScale = false;
    for (const std::string& a : args) {
        if (a == "--scale")
            onScale = true;
        else
            rest.push_back(a);
    }
    std::string error;
    const auto source = ParseSourceArgs(rest, error);
    if (!source) return UsageError(kRate, error);
    return ForEachPuzzle(*source, onScale ? RateOnScale : Rate);
}

int RunHint(const std::vector<std::string>& args) {
    std::string error;
    const auto options = TakeLogicOptions(args, error);
    if (!options || options->logic)
        return UsageError(kHint, options ? "unexpected --logic" : error);
    if (options->advanced) return RunAdvancedHint(kHint, *options);
    if (options->techniquesGiven) return UsageError(kHint, "--techniques needs --advanced");
    if (args.size() != 1) return UsageError(kHint, "hint takes one file");
    const Texts& texts = ProgramTexts();
    return ForEachPuzzle({args[0]}, [&](Engine&, const std::string&, const LinePuzzle& puzzle) {
        Engine engine;
        InstallLinePuzzle(engine, puzzle);
        std::ostringstream out;
        if (engine.FilledCount >= kCells) {
            return std::string("-\n");
        }
        engine.HintTechnique = 0;
        engine.FindNextTechnique();
        RequireAnswer(engine);
        const int id = engine.HintTechnique;
        if (id == 0) {
            return std::string("-\n"); // no solution: nothing to hint
        }
        const StepRecord r = engine.DescribeStep(id, 0);
        out << texts.TechniqueName(id);
        if (r.diagonal) out << " (diag)";
        if (id == kXWing || id == kSwordfish) {
            const int n = id == kXWing ? 2 : 3;
            for (int i = 0; i < n; ++i) out << " L" << r.cells[i] + 1;
            for (int i = 0; i < n; ++i) out << " C" << r.cells[n + i] + 1;
        } else {
            int cells = 1;
            if (id == kLockedBoxToLine || id == kLockedLineToBox || id == kColouring ||
                id == kMultiColouring)
                cells = r.count;
            else if (id == kNakedPair || id == kHiddenPair || id == kImpossibleNeighbour)
                cells = 2;
            else if (id == kNakedTriple || id == kHiddenTriple || id == kXYWing)
                cells = 3;
            else if (id == kNakedQuadruplet || id == kHiddenQuadruplet)
                cells = 4;
            for (int i = 0; i < cells; ++i) out << ' ' << CellLabel(r.cells[i]);
        }
        out << " :";
        const int digits = id == kImpossibleNeighbour ? std::min(r.count, 15)
                           : (id >= kNakedPair && id <= kHiddenQuadruplet)
                               ? 2 + (id - kNakedPair) / 2
                               : 1;
        for (int i = 0; i < digits; ++i) out << ' ' << r.digits[i];
        out << '\n';
        return out.str();
    });
}

const bool kRegistered =
    RegisterCommand(kAnalyse) && RegisterCommand(kRate) && RegisterCommand(kHint);

} // namespace

} // namespace vemo::cli
