// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// stats and top1465: the batch statistics of the generator and of a collection.
#include "commands.h"
#include "puzzle_lines.h"
#include "scale_rating.h"

#include "devtools/statistics.h"
#include "io/checked_writer.h"
#include "io/text_file.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <thread>

namespace vemo::cli {

namespace {

int RunStats(const std::vector<std::string>& args);
int RunTop1465(const std::vector<std::string>& args);

const Command kStats{
    "stats", "[--count N] [--seed S] [--jobs J] [--out DIR]",
    "rate N generated puzzles (default 10000): results table, examples, ER histogram", RunStats};
int RunExamples(const std::vector<std::string>& args);

const Command kExamples{
    "examples", "[--count N] [--seed S] [--jobs J] [--out DIR]",
    "generate until every example family has its files (N: generations at most)", RunExamples};
const Command kTop1465{"top1465", "FILE [--jobs J] [--out DIR]",
                       "rate a puzzle collection: results table, three examples, ER histogram",
                       RunTop1465};

struct Options {
    std::vector<std::string> files;
    long long count = 10000;
    std::optional<std::uint64_t> seed;
    int jobs = 1;
    std::string out = "stats";
};

std::optional<Options> Parse(const std::vector<std::string>& args, std::string& error) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            o.files.push_back(a);
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "option " + a + " needs a value";
            return std::nullopt;
        }
        const std::string& v = args[++i];
        if (a == "--count") {
            const auto n = ParseNumber(v, 1, 100000000);
            if (!n) return error = "--count takes a number from 1", std::nullopt;
            o.count = *n;
        } else if (a == "--seed") {
            const auto n = ParseNumber(v, 0, 999999999999999999);
            if (!n) return error = "--seed takes a non-negative number", std::nullopt;
            o.seed = static_cast<std::uint64_t>(*n);
        } else if (a == "--jobs") {
            const auto n = ParseNumber(v, 1, 64);
            if (!n) return error = "--jobs takes a number from 1 to 64", std::nullopt;
            o.jobs = static_cast<int>(*n);
        } else if (a == "--out") {
            o.out = v;
        } else {
            error = "unknown option '" + a + "'";
            return std::nullopt;
        }
    }
    return o;
}

// The framed grid of a puzzle file, CR LF line ends.
std::string FramedGrid(const Grid& g) {
    std::string text = " *-----------*\r\n";
    for (int r = 0; r < 9; ++r) {
        if (r == 3 || r == 6) text += " |---+---+---|\r\n";
        text += " |";
        for (int c = 0; c < 9; ++c) {
            text += g[r * 9 + c] ? static_cast<char>('0' + g[r * 9 + c]) : '.';
            if (c % 3 == 2) text += '|';
        }
        text += "\r\n";
    }
    return text + " *-----------*\r\n";
}

// Writes through the checked writer; a failure is said on standard error.
bool WriteFile(const std::filesystem::path& path, const std::string& text) {
    std::string error;
    if (io::WriteFileChecked(path.string(), text, &error)) return true;
    std::cerr << "vemotarn-cli: cannot write " << error << '\n';
    return false;
}

// Runs rows 0..n-1 on `jobs` threads, each row with an engine of its own, so
// the results do not depend on the number of jobs.
template <typename MakeRow>
std::vector<devtools::StatisticsRow> RunRows(long long n, int jobs, MakeRow makeRow) {
    std::vector<devtools::StatisticsRow> rows(static_cast<std::size_t>(n));
    std::atomic<long long> next{0};
    const auto worker = [&] {
        Engine engine;
        for (long long i; (i = next++) < n;) rows[static_cast<std::size_t>(i)] = makeRow(engine, i);
    };
    std::vector<std::thread> threads;
    for (int j = 1; j < jobs; ++j) threads.emplace_back(worker);
    worker();
    for (auto& t : threads) t.join();
    return rows;
}

// The ER of each puzzle of the rows, on `jobs` threads.
std::vector<int> ScaleErs(const std::vector<devtools::StatisticsRow>& rows, int jobs) {
    std::vector<int> ers(rows.size());
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        Engine engine;
        for (std::size_t i; (i = next++) < rows.size();) {
            engine.ClearPuzzle();
            engine.HistoryLevel = 0;
            engine.CellGrid[0] = rows[i].puzzle;
            engine.ComputeCandidates();
            ers[i] = ScaleEr(engine);
        }
    };
    std::vector<std::thread> threads;
    for (int j = 1; j < jobs; ++j) threads.emplace_back(worker);
    worker();
    for (auto& t : threads) t.join();
    return ers;
}

int Finish(const std::vector<devtools::StatisticsRow>& rows, const std::filesystem::path& folder,
           const char* resultsName, bool collection, int jobs) {
    bool written = true;
    devtools::ExamplePicker picker([&](const std::string& name, const Grid& puzzle) {
        written &= WriteFile(folder / std::filesystem::u8path(name), FramedGrid(puzzle));
    });
    int abandoned = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const devtools::StatisticsRow& row = rows[r];
        if (row.abandoned) {
            // No rating to pick an example by.
            std::cerr << "vemotarn-cli: puzzle " << r + 1
                      << ": search abandoned: no answer within the budget\n";
            ++abandoned;
            continue;
        }
        if (collection)
            picker.Collection(row);
        else
            picker.Generated(row);
    }
    written &= WriteFile(folder / resultsName, devtools::ResultsText(rows));
    if (!written) {
        std::cerr << "vemotarn-cli: cannot write into '" << folder.string() << "'\n";
        return kExitBadInput;
    }
    std::cout << rows.size() << " puzzles; results in " << (folder / resultsName).string() << '\n';
    std::cout << ScaleHistogram(ScaleErs(rows, jobs));
    return abandoned > 0 ? kExitBadInput : kExitOk;
}

bool MakeFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder)) {
        std::cerr << "vemotarn-cli: cannot create the folder '" << folder.string() << "'\n";
        return false;
    }
    return true;
}

int RunStats(const std::vector<std::string>& args) {
    std::string error;
    const auto o = Parse(args, error);
    if (!o) return UsageError(kStats, error);
    if (!o->files.empty()) return UsageError(kStats, "stats takes no file");
    const std::filesystem::path folder = std::filesystem::u8path(o->out);
    if (!MakeFolder(folder)) return kExitUsage;
    std::uint64_t base = o->seed ? *o->seed : 0;
    if (!o->seed) {
        Random clock;
        clock.SeedFromClock();
        base = clock.Next();
    }
    const auto rows = RunRows(o->count, o->jobs, [&](Engine& engine, long long i) {
        engine.Rng.Seed(base * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(i));
        return devtools::GenerateRow(engine);
    });
    return Finish(rows, folder, "Statistiques.txt", false, o->jobs);
}

int RunTop1465(const std::vector<std::string>& args) {
    std::string error;
    const auto o = Parse(args, error);
    if (!o) return UsageError(kTop1465, error);
    if (o->files.size() != 1) return UsageError(kTop1465, "top1465 takes one file");
    // A collection is larger than any single puzzle file: 64 MB hold
    // hundreds of thousands of puzzles.
    std::string readError;
    const std::optional<std::string> text =
        io::ReadWholeFile(o->files[0], &readError, 64 * io::kReadLimit / 4);
    if (!text) {
        std::cerr << "vemotarn-cli: cannot open '" << o->files[0] << "': " << readError << '\n';
        return kExitBadInput;
    }
    const std::vector<Grid> puzzles = devtools::ReadCollection(*text);
    if (puzzles.empty()) {
        std::cerr << "vemotarn-cli: '" << o->files[0] << "' holds no complete puzzle\n";
        return kExitBadInput;
    }
    const std::filesystem::path folder = std::filesystem::u8path(o->out);
    if (!MakeFolder(folder)) return kExitUsage;
    const auto rows =
        RunRows(static_cast<long long>(puzzles.size()), o->jobs, [&](Engine& engine, long long i) {
            return devtools::RateRow(engine, puzzles[static_cast<std::size_t>(i)]);
        });
    const int status = Finish(rows, folder, "Top1465.txt", true, o->jobs);
    if (puzzles.size() != 1465) {
        std::cerr << "vemotarn-cli: '" << o->files[0] << "' holds " << puzzles.size()
                  << " complete puzzles, not 1465\n";
        return kExitBadInput;
    }
    return status;
}

// Generations rotate through the five bands; each puzzle goes to the first
// family that still needs a file and whose rule its rating meets.
int RunExamples(const std::vector<std::string>& args) {
    std::string error;
    auto o = Parse(args, error);
    if (!o) return UsageError(kExamples, error);
    if (!o->files.empty()) return UsageError(kExamples, "examples takes no file");
    if (std::find(args.begin(), args.end(), "--count") == args.end()) o->count = 2000000;
    const std::filesystem::path folder = std::filesystem::u8path(o->out);
    if (!MakeFolder(folder)) return kExitUsage;
    const auto& families = devtools::ExampleFamilies();
    std::array<int, 16> have{};
    std::mutex lock;
    std::atomic<long long> next{0};
    std::atomic<bool> done{false};
    bool writeFailed = false; // guarded by `lock`
    const std::uint64_t base = o->seed.value_or(1);
    const auto worker = [&] {
        Engine engine;
        for (long long i; !done && (i = next++) < o->count;) {
            engine.Rng.Seed(base * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(i));
            engine.SetDifficulty(static_cast<int>(i % 5));
            engine.SymmetryChoice = static_cast<int>((i / 5) % 4);
            engine.VariantKind = kClassic;
            engine.XSudoku = 0;
            engine.GeneratePuzzle();
            std::array<int, 19> counters{};
            for (int k = 0; k < 19; ++k) counters[k] = engine.TechniqueCounters[k];
            std::lock_guard<std::mutex> guard(lock);
            for (std::size_t f = 0; f < families.size(); ++f) {
                if (have[f] >= families[f].files || !devtools::FitsFamily(families[f], counters))
                    continue;
                const std::string name = families[f].stem + std::to_string(have[f] + 1) + ".sku";
                if (WriteFile(folder / std::filesystem::u8path(name), FramedGrid(engine.Givens)))
                    ++have[f];
                else
                    writeFailed = done = true;
                break;
            }
            bool complete = true;
            for (std::size_t f = 0; f < families.size(); ++f)
                complete &= have[f] >= families[f].files;
            if (complete) done = true;
        }
    };
    std::vector<std::thread> threads;
    for (int j = 1; j < o->jobs; ++j) threads.emplace_back(worker);
    worker();
    for (auto& t : threads) t.join();
    if (writeFailed) return kExitBadInput;
    int missing = 0;
    for (std::size_t f = 0; f < families.size(); ++f) {
        if (have[f] < families[f].files) {
            std::cerr << "vemotarn-cli: " << families[f].stem << ": " << have[f] << " of "
                      << families[f].files << " files\n";
            ++missing;
        }
    }
    return missing == 0 ? kExitOk : kExitBadInput;
}

const bool kRegistered =
    RegisterCommand(kStats) && RegisterCommand(kTop1465) && RegisterCommand(kExamples);

} // namespace

} // namespace vemo::cli
