// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The chain, set and forcing finders on the hard collections: how many puzzles
// a logic-only solve finishes (the basic techniques first, then the finders in
// the order of their numbers, no trial), the time of each advanced step (the
// finders tried until one answers, as a hint asks), the time of each whole
// solve, and every step checked against the solution. Times are CPU times of
// the thread.
//
// vemo_bench_chains [limit per collection]
//
// Then the same on generated puzzles of every variant at the level that allows
// trials.
#include "bench_support.h"

#include "engine/advanced/board.h"
#include "engine/advanced/chains.h"
#include "engine/advanced/ids.h"
#include "engine/generator/generation.h"
#include "engine/techniques/catalogue.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <time.h>
#include <vector>

namespace {

using namespace vemo;
using namespace vemo::advanced;
// The thread's CPU time: the machine may be shared, and a wall clock would
// count the time other processes take.
struct Clock {
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<Clock, duration>;
    static time_point now() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return time_point(duration(static_cast<long long>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec));
    }
};

struct Finder {
    const char* name;
    bool (*find)(const Board&, AdvancedStep&);
};

constexpr std::array<Finder, 13> kFinders = {{
    {"X-Chain", FindXChain},
    {"XY-Chain", FindXYChain},
    {"Nice loop / AIC", FindNiceLoop},
    {"Grouped nice loop", FindGroupedNiceLoop},
    {"ALS-XZ", FindAlsXZ},
    {"ALS-XY-Wing", FindAlsXYWing},
    {"ALS chain", FindAlsChain},
    {"Death Blossom", FindDeathBlossom},
    {"Sue de Coq", FindSueDeCoq},
    {"Cell forcing chain", FindCellForcingChain},
    {"Unit forcing chain", FindUnitForcingChain},
    {"Contradiction forcing chain", FindContradictionForcingChain},
    {"Forcing net", FindForcingNet},
}};

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

Grid SolutionOf(const Engine& engine) {
    Engine copy = engine;
    copy.SolutionCount = 0;
    copy.FindOneSolution();
    return copy.SearchSolution;
}

struct Totals {
    std::array<int, 13> uses{};
    std::array<double, 13> spent{}; // ms, every call of the finder
    std::array<int, 13> calls{};
    std::array<double, 13> longest{}; // ms, the slowest call
};

// The figures of one set of puzzles.
struct Sweep {
    std::vector<double> stepTimes;
    std::vector<double> solveTimes;
    int puzzles = 0;
    int solved = 0;
    int unsound = 0;
    int steps = 0;
    double basicMs = 0;
    double advancedMs = 0;
};

// The logic-only solve of the engine's position, every advanced step timed
// and checked against the solution.
void SolveOne(Engine& e, const Grid& solution, Totals& totals, Sweep& sweep) {
    ++sweep.puzzles;
    // The trial is not wanted: a budget of none makes the driver answer
    // "nothing" where the basic techniques are stuck.
    e.TrialBudget = 0;
    double solveMs = 0;
    for (int guard = 0; guard < 2000 && e.FilledCount < 81; ++guard) {
        const auto t0 = Clock::now();
        e.HintTechnique = 0;
        e.FindNextTechnique();
        const double basic = Ms(Clock::now() - t0);
        solveMs += basic;
        sweep.basicMs += basic;
        if (e.HintTechnique != 0 && e.HintTechnique != kBruteForce) {
            const auto t1 = Clock::now();
            e.ApplyStep(e.HintTechnique);
            solveMs += Ms(Clock::now() - t1);
            continue;
        }
        const auto t1 = Clock::now();
        const Board board = TakeBoard(e);
        AdvancedStep step;
        int found = -1;
        for (int i = 0; i < static_cast<int>(kFinders.size()) && found < 0; ++i) {
            const auto f0 = Clock::now();
            const bool hit = kFinders[i].find(board, step);
            const double spent = Ms(Clock::now() - f0);
            totals.spent[i] += spent;
            totals.longest[i] = std::max(totals.longest[i], spent);
            ++totals.calls[i];
            if (hit) found = i;
        }
        const double ms = Ms(Clock::now() - t1);
        sweep.stepTimes.push_back(ms);
        solveMs += ms;
        sweep.advancedMs += ms;
        if (found < 0) break;
        ++totals.uses[found];
        ++sweep.steps;
        if (step.placeCell >= 0) {
            if (solution[step.placeCell] != step.placeDigit) ++sweep.unsound;
            e.PlaceDigit(step.placeCell, step.placeDigit);
        }
        for (int i = 0; i < step.eliminationCount; ++i) {
            const auto& x = step.eliminations[i];
            if (solution[x.cell] == x.digit) ++sweep.unsound;
            e.CandidateTable.Remove(x.cell, x.digit);
        }
    }
    sweep.solveTimes.push_back(solveMs);
    if (e.FilledCount == 81) ++sweep.solved;
}

void Print(const std::string& name, const Sweep& s) {
    const double n = s.puzzles > 0 ? s.puzzles : 1;
    const auto longest = [](const std::vector<double>& v) {
        return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
    };
    std::printf("%-26s %5d puzzles, solved without trial %5d (%.1f %%), unsound steps %d\n",
                name.c_str(), s.puzzles, s.solved, 100.0 * s.solved / n, s.unsound);
    std::printf("  advanced steps %d: next advanced hint p50 %.2f ms, p95 %.2f ms, p99 %.2f ms, "
                "max %.1f ms\n",
                s.steps, Percentile(s.stepTimes, 0.5), Percentile(s.stepTimes, 0.95),
                Percentile(s.stepTimes, 0.99), longest(s.stepTimes));
    std::printf("  whole logic-only solve: p50 %.1f ms, p90 %.1f ms, p99 %.1f ms, max %.1f ms\n",
                Percentile(s.solveTimes, 0.5), Percentile(s.solveTimes, 0.9),
                Percentile(s.solveTimes, 0.99), longest(s.solveTimes));
    std::printf("  time in the basic driver %.0f ms, in the advanced finders %.0f ms\n", s.basicMs,
                s.advancedMs);
}

void Run(const std::string& file, std::size_t limit, Totals& totals) {
    Sweep sweep;
    for (const Grid& puzzle : bench::ReadGrids(file, limit)) {
        Engine e;
        e.PuzzleFixed = true;
        bench::Install(e, puzzle);
        const Grid solution = SolutionOf(e);
        SolveOne(e, solution, totals, sweep);
    }
    Print(file, sweep);
}

// Generated puzzles of a variant at the level that allows trials, the
// hardest the generator makes.
void RunVariant(const char* name, int kind, int x, int count, Totals& totals) {
    Sweep sweep;
    for (int seed = 0; seed < count; ++seed) {
        Engine e;
        e.Rng.Seed(9000 + seed * 31 + kind * 7 + x);
        e.SetDifficulty(kAleatoire);
        e.VariantKind = kind;
        e.XSudoku = x;
        if (!e.GeneratePuzzle()) continue;
        const Grid solution = e.SolutionGrid;
        SolveOne(e, solution, totals, sweep);
    }
    Print(name, sweep);
}

void PrintFinders(const Totals& totals) {
    std::printf("  %-28s %8s %8s %10s %9s %9s\n", "finder", "steps", "calls", "total ms", "ms/call",
                "max ms");
    for (std::size_t i = 0; i < kFinders.size(); ++i)
        std::printf("  %-28s %8d %8d %10.0f %9.3f %9.1f\n", kFinders[i].name, totals.uses[i],
                    totals.calls[i], totals.spent[i],
                    totals.calls[i] > 0 ? totals.spent[i] / totals.calls[i] : 0.0,
                    totals.longest[i]);
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t limit = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 0;
    Totals totals;
    if (argc > 2) { // one collection only
        Run(argv[2], limit > 0 ? limit : SIZE_MAX, totals);
        PrintFinders(totals);
        return 0;
    }
    Run("top1465.txt", limit > 0 ? limit : SIZE_MAX, totals);
    Run("exchange_diabolical.txt", limit > 0 ? limit : 3000, totals);
    Run("forum_hardest_1106.txt", limit > 0 ? limit : SIZE_MAX, totals);
    const int generated = limit > 0 ? static_cast<int>(std::min<std::size_t>(limit, 40)) : 40;
    RunVariant("generated classic", kClassic, 0, generated, totals);
    RunVariant("generated X-Sudoku", kClassic, 1, generated, totals);
    RunVariant("generated non-consecutive", kNonConsecutive, 0, generated, totals);
    RunVariant("generated consecutive", kConsecutive, 0, generated, totals);
    RunVariant("generated odd/even", kOddEven, 0, generated, totals);
    PrintFinders(totals);
    return 0;
}
