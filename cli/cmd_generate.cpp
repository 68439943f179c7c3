// generate: new puzzles at a difficulty, symmetry and variant, on several
// threads with independent engines.
#include "commands.h"
#include "puzzle_lines.h"

#include "engine/generator/generation.h"
#include "engine/generator/symmetry.h"
#include "engine/techniques/catalogue.h"

#include <cstdint>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>

namespace vemo::cli {

namespace {

int RunGenerate(const std::vector<std::string>& args);

const Command kGenerate{
    "generate",
    "[--difficulty facile|moyen|difficile|extreme|aleatoire] [--symmetry "
    "none|central|axial|reflective]"
    " [--variant classic|nonconsecutive|consecutive|oddeven] [--x] [--count N] [--seed S] [--jobs "
    "J]"
    " [--json]",
    "new puzzles, one line each (81 characters, or a \"3x3\" record for a variant)", RunGenerate};

struct Request {
    int difficulty = kMoyen;
    int symmetry = kCentral;
    int variant = kClassic;
    int x = 0;
    long long count = 1;
    std::optional<std::uint64_t> seed;
    int jobs = 1;
    bool json = false;
};

// Parses the options; on a bad one returns nothing and says why.
std::optional<Request> ParseRequest(const std::vector<std::string>& args, std::string& error) {
    static const std::map<std::string, int> difficulties = {{"facile", kFacile},
                                                            {"moyen", kMoyen},
                                                            {"difficile", kDifficile},
                                                            {"extreme", kExtreme},
                                                            {"aleatoire", kAleatoire}};
    static const std::map<std::string, int> symmetries = {{"none", kNoSymmetry},
                                                          {"central", kCentral},
                                                          {"axial", kAxial},
                                                          {"reflective", kReflective}};
    static const std::map<std::string, int> variants = {{"classic", kClassic},
                                                        {"nonconsecutive", kNonConsecutive},
                                                        {"consecutive", kConsecutive},
                                                        {"oddeven", kOddEven}};
    Request r;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--x") {
            r.x = 1;
            continue;
        }
        if (option == "--json") {
            r.json = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = option.rfind("--", 0) == 0 ? "option " + option + " needs a value"
                                               : "unexpected argument '" + option + "'";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        const auto pick = [&](const std::map<std::string, int>& table, int& out) {
            const auto it = table.find(value);
            if (it == table.end()) {
                error = "unknown value '" + value + "' for " + option;
                return false;
            }
            out = it->second;
            return true;
        };
        if (option == "--difficulty") {
            if (!pick(difficulties, r.difficulty)) return std::nullopt;
        } else if (option == "--symmetry") {
            if (!pick(symmetries, r.symmetry)) return std::nullopt;
        } else if (option == "--variant") {
            if (!pick(variants, r.variant)) return std::nullopt;
        } else if (option == "--count") {
            const auto n = ParseNumber(value, 1, 100000000);
            if (!n) {
                error = "--count takes a number from 1";
                return std::nullopt;
            }
            r.count = *n;
        } else if (option == "--seed") {
            const auto n = ParseNumber(value, 0, 999999999999999999);
            if (!n) {
                error = "--seed takes a non-negative number";
                return std::nullopt;
            }
            r.seed = static_cast<std::uint64_t>(*n);
        } else if (option == "--jobs") {
            const auto n = ParseNumber(value, 1, 64);
            if (!n) {
                error = "--jobs takes a number from 1 to 64";
                return std::nullopt;
            }
            r.jobs = static_cast<int>(*n);
        } else {
            error = "unknown option '" + option + "'";
            return std::nullopt;
        }
    }
    return r;
}

std::string PuzzleLine(const Engine& e) {
    if (e.VariantKind == kClassic && e.XSudoku != 1) return GridText(e.Givens);
    return RecordLine(e.Givens, e.VariantKind, e.XSudoku, e.NeighbourMarks, e.ParityMarks);
}

std::string JsonLine(const Engine& e, const std::string& line, long long index) {
    std::ostringstream out;
    out << "{\"index\":" << index << ",\"puzzle\":\"" << line << "\",\"variant\":" << e.VariantKind
        << ",\"x\":" << e.XSudoku << ",\"clues\":" << e.Givens.FilledCount()
        << ",\"score\":" << e.PuzzleScore() << ",\"counters\":[";
    for (int k = 0; k < kTechniqueCount; ++k) out << (k ? "," : "") << e.TechniqueCounters[k];
    out << "]}";
    return out.str();
}

int RunGenerate(const std::vector<std::string>& args) {
    std::string error;
    const auto request = ParseRequest(args, error);
    if (!request) return UsageError(kGenerate, error);
    const Request r = *request;

    // Puzzle i is made by an engine seeded from (seed, i), so that a seeded run
    // prints the same puzzles whatever the number of jobs.
    std::uint64_t base = 0;
    if (r.seed) {
        base = *r.seed;
    } else {
        Random clock;
        clock.SeedFromClock();
        base = clock.Next();
    }
    std::mutex lock;
    std::map<long long, std::string> ready; // finished out of order
    long long next = 0, printed = 0;
    const auto worker = [&] {
        Engine engine;
        for (;;) {
            long long index;
            {
                std::lock_guard<std::mutex> guard(lock);
                if (next >= r.count) return;
                index = next++;
            }
            engine.Rng.Seed(base * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(index));
            engine.SetDifficulty(r.difficulty);
            engine.SymmetryChoice = r.symmetry;
            engine.VariantKind = engine.VariantChoice = r.variant;
            engine.XSudoku = engine.XSudokuChoice = r.x;
            engine.GeneratePuzzle();
            const std::string line = PuzzleLine(engine);
            std::string text = r.json ? JsonLine(engine, line, index + 1) : line;
            std::lock_guard<std::mutex> guard(lock);
            ready[index] = std::move(text);
            while (!ready.empty() && ready.begin()->first == printed) {
                std::cout << ready.begin()->second << '\n' << std::flush;
                ready.erase(ready.begin());
                ++printed;
            }
        }
    };
    std::vector<std::thread> threads;
    for (int j = 1; j < r.jobs; ++j) threads.emplace_back(worker);
    worker();
    for (auto& t : threads) t.join();
    return kExitOk;
}

const bool kRegistered = RegisterCommand(kGenerate);

} // namespace

} // namespace vemo::cli
