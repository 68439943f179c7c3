// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Solution counting over whole collections: the inner loop of every rating and
// of the generator. Reports puzzles per second and nanoseconds per puzzle.
#include "bench_support.h"

#include <benchmark/benchmark.h>

namespace {

void CountCollection(benchmark::State& state, const char* fileName, std::size_t limit = SIZE_MAX) {
    const auto puzzles = vemo::bench::ReadGrids(fileName, limit);
    if (puzzles.empty()) {
        state.SkipWithError("collection not found");
        return;
    }
    vemo::Engine engine;
    engine.PuzzleFixed = true;
    long long solutions = 0;
    for (auto _ : state) {
        for (const auto& p : puzzles) {
            vemo::bench::Install(engine, p);
            engine.SolutionCount = 0;
            engine.BruteForceCell = engine.BruteForceDigit = -1;
            engine.CountSolutions();
            solutions += engine.SolutionCount;
        }
    }
    benchmark::DoNotOptimize(solutions);
    const double n = static_cast<double>(puzzles.size());
    state.counters["puzzles/s"] =
        benchmark::Counter(n, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["ns/puzzle"] = benchmark::Counter(
        n * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void FindOneCollection(benchmark::State& state, const char* fileName) {
    const auto puzzles = vemo::bench::ReadGrids(fileName);
    if (puzzles.empty()) {
        state.SkipWithError("collection not found");
        return;
    }
    vemo::Engine engine;
    engine.PuzzleFixed = true;
    for (auto _ : state) {
        for (const auto& p : puzzles) {
            vemo::bench::Install(engine, p);
            engine.SolutionCount = 0;
            engine.FindOneSolution();
            benchmark::DoNotOptimize(engine.SearchSolution);
        }
    }
    const double n = static_cast<double>(puzzles.size());
    state.counters["puzzles/s"] =
        benchmark::Counter(n, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["ns/puzzle"] = benchmark::Counter(
        n * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(CountCollection, top1465, "top1465.txt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CountCollection, seventeen_clue, "17clue.txt")->Unit(benchmark::kMillisecond);
// The first 5,000 of the hardest forum collection.
BENCHMARK_CAPTURE(CountCollection, forum_hardest_5000, "forum_hardest_1905_11plus.txt", 5000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindOneCollection, top1465, "top1465.txt")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
