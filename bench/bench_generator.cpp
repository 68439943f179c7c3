// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Seconds per generated puzzle for each band and symmetry (classic grids), and
// per variant at "Moyen": the median over several seeded generations, with the
// attempts per accepted puzzle and the time per attempt.
#include "bench_support.h"

#include "engine/generator/generation.h"
#include "engine/generator/symmetry.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double seconds;
    int attempts;
};

Sample GenerateOne(std::uint64_t seed, int difficulty, int symmetry, int variant, int x) {
    vemo::Engine e;
    e.Rng.Seed(seed);
    e.SetDifficulty(difficulty);
    e.SymmetryChoice = symmetry;
    e.VariantKind = variant;
    e.XSudoku = x;
    int attempts = 0;
    const auto start = Clock::now();
    e.GeneratePuzzle([&](int n) { attempts = n; });
    return {std::chrono::duration<double>(Clock::now() - start).count(), attempts};
}

void Row(const char* label, int n, int difficulty, int symmetry, int variant, int x) {
    std::vector<Sample> samples;
    for (int i = 0; i < n; ++i) samples.push_back(GenerateOne(1000 + i, difficulty, symmetry, variant, x));
    std::vector<double> seconds;
    double total = 0;
    long attempts = 0;
    for (const auto& s : samples) {
        seconds.push_back(s.seconds);
        total += s.seconds;
        attempts += s.attempts;
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%-34s median %8.4f s  mean %8.4f s  attempts/puzzle %6.1f  ms/attempt %7.2f\n", label,
                seconds[seconds.size() / 2], total / n, static_cast<double>(attempts) / n,
                1000 * total / static_cast<double>(attempts));
}

void Throughput(int jobs, int n, int difficulty) {
    std::atomic<int> next{0};
    const auto start = Clock::now();
    std::vector<std::thread> threads;
    for (int j = 0; j < jobs; ++j)
        threads.emplace_back([&] {
            for (int i; (i = next++) < n;) GenerateOne(5000 + i, difficulty, vemo::kCentral, vemo::kClassic, 0);
        });
    for (auto& t : threads) t.join();
    const double s = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("jobs %d: %d \"Moyen\" puzzles in %.2f s, %.2f puzzles/s\n", jobs, n, s, n / s);
}

} // namespace

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    const char* bands[] = {"Facile", "Moyen", "Difficile", "Extreme", "Aleatoire"};
    const char* symmetries[] = {"none", "central", "axial", "reflective"};
    std::printf("%d seeded generations per row, one thread\n", n);
    for (int b = 0; b < 5; ++b) {
        for (int s = 0; s < 4; ++s) {
            char label[64];
            std::snprintf(label, sizeof label, "%s / %s", bands[b], symmetries[s]);
            Row(label, n, b, s, vemo::kClassic, 0);
        }
    }
    Row("Moyen / central / non-consecutive", n, vemo::kMoyen, vemo::kCentral, vemo::kNonConsecutive, 0);
    Row("Moyen / central / consecutive", n, vemo::kMoyen, vemo::kCentral, vemo::kConsecutive, 0);
    Row("Moyen / central / odd-even", n, vemo::kMoyen, vemo::kCentral, vemo::kOddEven, 0);
    Row("Moyen / central / X-Sudoku", n, vemo::kMoyen, vemo::kCentral, vemo::kClassic, 1);
    Throughput(1, 2 * n, vemo::kMoyen);
    Throughput(2, 2 * n, vemo::kMoyen);
    return 0;
}
