// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The logical solver over top1465: ratings and logged solves per second, and
// where the time of a rating goes, finder by finder.
#include "bench_support.h"

#include "engine/techniques/catalogue.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

namespace {

void RateCollection(benchmark::State& state) {
    const auto puzzles = vemo::bench::ReadGrids("top1465.txt");
    vemo::Engine engine;
    engine.PuzzleFixed = true;
    for (auto _ : state) {
        for (const auto& p : puzzles) {
            vemo::bench::Install(engine, p);
            engine.RatePuzzle();
            benchmark::DoNotOptimize(engine.TechniqueCounters);
        }
    }
    const double n = static_cast<double>(puzzles.size());
    state.counters["puzzles/s"] = benchmark::Counter(n, benchmark::Counter::kIsIterationInvariantRate);
}

void SolveCollection(benchmark::State& state) {
    const auto puzzles = vemo::bench::ReadGrids("top1465.txt");
    vemo::Engine engine;
    engine.PuzzleFixed = true;
    for (auto _ : state) {
        for (const auto& p : puzzles) {
            vemo::bench::Install(engine, p);
            engine.SolveWithLog();
            benchmark::DoNotOptimize(engine.StepLog);
        }
    }
    const double n = static_cast<double>(puzzles.size());
    state.counters["puzzles/s"] = benchmark::Counter(n, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(RateCollection)->Unit(benchmark::kMillisecond);
BENCHMARK(SolveCollection)->Unit(benchmark::kMillisecond);

// Time per finder over one rating pass of top1465: each step runs the chain by
// hand, timing every finder it calls.
void PrintFinderShares() {
    using Clock = std::chrono::steady_clock;
    const auto puzzles = vemo::bench::ReadGrids("top1465.txt");
    vemo::Engine e;
    e.PuzzleFixed = true;
    struct Finder {
        const char* name;
        void (*run)(vemo::Engine&);
        bool (*found)(const vemo::Engine&);
        double seconds = 0;
        long calls = 0;
    };
    Finder finders[] = {
        {"naked single", [](vemo::Engine& x) { x.FindNakedSingle(); },
         [](const vemo::Engine& x) { return x.NakedSingle.cell >= 0; }},
        {"hidden single", [](vemo::Engine& x) { x.FindHiddenSingle(); },
         [](const vemo::Engine& x) { return x.HiddenSingle.digit != 0; }},
        {"naked pair", [](vemo::Engine& x) { x.SubsetMode = 0; x.FindPair(); },
         [](const vemo::Engine& x) { return x.Subset.found != 0; }},
        {"impossible neighbour", [](vemo::Engine& x) { x.FindImpossibleNeighbour(); },
         [](const vemo::Engine& x) { return x.ImpossibleNeighbour.countA + x.ImpossibleNeighbour.countB > 0; }},
        {"locked candidates", [](vemo::Engine& x) { x.FindLockedCandidates(); },
         [](const vemo::Engine& x) { return x.LockedCandidates.digit != 0; }},
        {"naked triple", [](vemo::Engine& x) { x.SubsetMode = 0; x.FindTriple(); },
         [](const vemo::Engine& x) { return x.Subset.found != 0; }},
        {"naked quadruplet", [](vemo::Engine& x) { x.SubsetMode = 0; x.FindQuadruplet(); },
         [](const vemo::Engine& x) { return x.Subset.found != 0; }},
        {"hidden pair", [](vemo::Engine& x) { x.SubsetMode = 1; x.FindPair(); },
         [](const vemo::Engine& x) { return x.Subset.found != 0; }},
        {"x-wing", [](vemo::Engine& x) { x.FindXWing(); },
         [](const vemo::Engine& x) { return x.XWing.found != 0; }},
        {"swordfish", [](vemo::Engine& x) { x.FindSwordfish(); },
         [](const vemo::Engine& x) { return x.Swordfish.found != 0; }},
        {"colouring", [](vemo::Engine& x) { x.FindColouring(); },
         [](const vemo::Engine& x) { return x.Colouring.found != 0; }},
        {"hidden triple", [](vemo::Engine& x) { x.SubsetMode = 1; x.FindTriple(); },
         [](const vemo::Engine& x) { return x.Subset.found != 0; }},
        {"xy-wing", [](vemo::Engine& x) { x.FindXYWing(); },
         [](const vemo::Engine& x) { return x.XYWing.found != 0; }},
        {"hidden quadruplet", [](vemo::Engine& x) { x.SubsetMode = 1; x.FindQuadruplet(); },
         [](const vemo::Engine& x) { return x.Subset.found != 0; }},
    };
    double trialSeconds = 0;
    long trials = 0;
    for (const auto& p : puzzles) {
        vemo::bench::Install(e, p);
        for (int guard = 0; e.FilledCount < 81 && guard < 900; ++guard) {
            int technique = 0;
            for (std::size_t f = 0; f < std::size(finders) && technique == 0; ++f) {
                const auto start = Clock::now();
                finders[f].run(e);
                finders[f].seconds += std::chrono::duration<double>(Clock::now() - start).count();
                ++finders[f].calls;
                if (finders[f].found(e)) technique = static_cast<int>(f) + 1;
            }
            if (technique == 0) {
                const auto start = Clock::now();
                e.HintTechnique = 0;
                e.FindNextTechnique(); // the chain finds nothing: this is the trial
                trialSeconds += std::chrono::duration<double>(Clock::now() - start).count();
                ++trials;
                if (e.HintTechnique != vemo::kBruteForce) break;
            } else {
                e.HintTechnique = 0;
                e.FindNextTechnique(); // same first finder: sets HintTechnique
            }
            e.ApplyStep(e.HintTechnique);
        }
    }
    double total = trialSeconds;
    for (const auto& f : finders) total += f.seconds;
    std::printf("\nShare of finder time over one pass of top1465 (%.3f s in finders and trials):\n", total);
    for (const auto& f : finders)
        std::printf("  %-22s %6.2f %%  %9ld calls  %7.0f ns/call\n", f.name, 100 * f.seconds / total,
                    f.calls, 1e9 * f.seconds / static_cast<double>(f.calls ? f.calls : 1));
    std::printf("  %-22s %6.2f %%  %9ld calls  %7.0f ns/call (chain and trial)\n", "brute force",
                100 * trialSeconds / total, trials, 1e9 * trialSeconds / static_cast<double>(trials ? trials : 1));
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintFinderShares();
    return 0;
}
