// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// generate: new puzzles at a difficulty, symmetry and variant, on several
// threads with independent engines.
#include "commands.h"
#include "generation_options.h"
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
    "[--difficulty facile|moyen|difficile|extreme|aleatoire|diabolique|demoniaque] [--symmetry "
    "none|central|axial|reflective]"
    " [--variant classic|nonconsecutive|consecutive|oddeven] [--x] [--count N] [--seed S] [--jobs "
    "J]"
    " [--json]",
    "new puzzles, one line each (81 characters, or a \"3x3\" record for a variant)", RunGenerate};

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
    if (!r.out.empty())
        return UsageError(kGenerate, "generate prints its puzzles; --out is for sheet");

    // Puzzle i is made by an engine seeded from (seed, i), so that a seeded run
    // prints the same puzzles whatever the number of jobs.
    const std::uint64_t base = BaseSeed(r);
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
            GenerateOne(engine, r, base, index);
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
