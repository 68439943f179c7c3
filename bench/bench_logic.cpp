// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The logical solver with the advanced catalogue, never guessing, on the hard
// collections: the share solved without a trial, the time of a whole
// logic-only solve (p50, p90, p99, max), and the time of the next hint (with
// the advanced layer) at every position along those solves (p50, p95, max).
//   vemo_bench_logic [EVERY] [cpu] [collections]
//   EVERY: take one puzzle in EVERY of exchange_diabolical (default 10; 1 for
//   the whole file); cpu: time the thread's CPU instead of the wall clock (on
//   a loaded machine); collections: the three collections only, no generated
//   puzzles.
#include "bench_support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string_view>

namespace {

using vemo::Engine;

// The wall clock, or the CPU time of the calling thread when asked for.
bool threadCpu = false;

struct Clock {
    using duration = std::chrono::nanoseconds;
    using time_point = std::chrono::time_point<std::chrono::steady_clock, duration>;
    static time_point now() {
        if (!threadCpu) return std::chrono::steady_clock::now();
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return time_point(std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec));
    }
};

double Millis(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Quantile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

// A puzzle with its rules: the collections are classic grids, the generated
// ones carry their variant and marks.
struct Puzzle {
    vemo::Grid grid{};
    const Engine* rules = nullptr; // the generating engine, or none for a classic grid
};

void Setup(Engine& e, const Puzzle& p) {
    if (p.rules != nullptr) {
        e.VariantKind = p.rules->VariantKind;
        e.XSudoku = p.rules->XSudoku;
        e.NeighbourMarks = p.rules->NeighbourMarks;
        e.ParityMarks = p.rules->ParityMarks;
        e.PuzzleFixed = true;
    }
    vemo::bench::Install(e, p.grid);
}

std::vector<Puzzle> Classic(const std::vector<vemo::Grid>& grids) {
    std::vector<Puzzle> out;
    for (const auto& g : grids) out.push_back({g, nullptr});
    return out;
}

void Run(const char* name, const std::vector<Puzzle>& puzzles) {
    std::vector<double> solves, hints;
    solves.reserve(puzzles.size());
    int solved = 0, advancedSolves = 0, basicSolved = 0;
    long advancedSteps = 0;
    std::vector<vemo::advanced::AdvancedStep> steps;
    steps.reserve(1024);
    for (const Puzzle& p : puzzles) {
        Engine e;
        Setup(e, p);
        steps.clear();
        const auto t0 = Clock::now();
        const Engine::LogicResult r = e.SolveLogically(&steps);
        solves.push_back(Millis(Clock::now() - t0));
        if (r.stop == Engine::LogicStop::kSolved) ++solved;
        if (r.advanced > 0) ++advancedSolves;
        advancedSteps += r.advanced;
        // The seventeen alone, for comparison.
        Engine basic;
        Setup(basic, p);
        basic.AdvancedFamilies = 0;
        if (basic.SolveLogically().stop == Engine::LogicStop::kSolved) ++basicSolved;
        // The next hint at every position of the path, the layer asked for.
        Engine h;
        Setup(h, p);
        h.AdvancedLayer = true;
        for (const auto& step : steps) {
            const auto t1 = Clock::now();
            h.FindNextTechnique();
            hints.push_back(Millis(Clock::now() - t1));
            h.ApplyAdvancedStep(step);
        }
        if (h.FilledCount < vemo::kCells) { // where logic stopped: the hint's trial
            const auto t1 = Clock::now();
            h.FindNextTechnique();
            hints.push_back(Millis(Clock::now() - t1));
        }
    }
    const double n = static_cast<double>(puzzles.size());
    std::printf("%-22s %6zu puzzles  solved without a trial %6d (%5.1f %%), by the 17 alone %6d "
                "(%5.1f %%)  advanced steps %7ld in %d puzzles\n",
                name, puzzles.size(), solved, 100.0 * solved / n, basicSolved,
                100.0 * basicSolved / n, advancedSteps, advancedSolves);
    std::printf("%-22s logic-only solve ms: p50 %.3f  p90 %.3f  p99 %.3f  max %.3f\n", "",
                Quantile(solves, 0.5), Quantile(solves, 0.9), Quantile(solves, 0.99),
                Quantile(solves, 1.0));
    std::printf("%-22s next hint us (%zu positions): p50 %.1f  p95 %.1f  max %.1f\n", "",
                hints.size(), 1000 * Quantile(hints, 0.5), 1000 * Quantile(hints, 0.95),
                1000 * Quantile(hints, 1.0));
}

} // namespace

int main(int argc, char** argv) {
    const int every = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    bool collectionsOnly = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "cpu") threadCpu = true;
        if (word == "collections") collectionsOnly = true;
    }
    if (threadCpu) std::printf("(CPU time of the thread)\n");
    Run("top1465", Classic(vemo::bench::ReadGrids("top1465.txt")));
    const auto all = vemo::bench::ReadGrids("exchange_diabolical.txt");
    std::vector<Puzzle> sample;
    for (std::size_t i = 0; i < all.size(); i += static_cast<std::size_t>(every))
        sample.push_back({all[i], nullptr});
    const std::string label = "exchange_diabolical/" + std::to_string(every);
    Run(label.c_str(), sample);
    Run("forum_hardest_1106", Classic(vemo::bench::ReadGrids("forum_hardest_1106.txt")));
    if (collectionsOnly) return 0;
    // Generated puzzles of each variant, "Extrême" and "Aléatoire" (which
    // allows two trials, so the hardest), 20 of each, seeded.
    struct Kind {
        const char* name;
        int variant, x;
    };
    const Kind kinds[] = {{"generated classic", vemo::kClassic, 0},
                          {"generated X", vemo::kClassic, 1},
                          {"generated non-consec.", vemo::kNonConsecutive, 0},
                          {"generated consecutive", vemo::kConsecutive, 0},
                          {"generated odd/even", vemo::kOddEven, 0}};
    for (const Kind& k : kinds) {
        std::vector<std::unique_ptr<Engine>> engines;
        std::vector<Puzzle> puzzles;
        for (int i = 0; i < 40; ++i) {
            auto g = std::make_unique<Engine>();
            g->Rng.Seed(static_cast<std::uint64_t>(5000 + 97 * i + 10 * k.variant + k.x));
            g->SetDifficulty(i % 2 == 0 ? 3 : 4); // "Extrême", "Aléatoire"
            g->VariantKind = k.variant;
            g->XSudoku = k.x;
            if (!g->GeneratePuzzle()) continue;
            puzzles.push_back({g->Givens, g.get()});
            engines.push_back(std::move(g));
        }
        Run(k.name, puzzles);
    }
    return 0;
}
