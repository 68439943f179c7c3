// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// vemo_bench_practice [SECONDS]: the fill rate of the practice pool per
// technique family. One thread generates puzzles, a few seconds in each band
// that the practice list draws from (practice::PracticeTechniques), and
// counts the puzzles kept for a technique of each family
// (practice::PractisedTechnique, as the practice worker keeps them): puzzles
// per second of generation, over the whole run.
#include "engine/advanced/catalogue.h"
#include "engine/advanced/practice.h"
#include "engine/engine.h"
#include "engine/generator/generation.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace vemo;

// The family's name: "basic" for the seventeen, else the catalogue's.
std::string FamilyOf(int technique) {
    const advanced::AdvancedTechnique* entry = advanced::AdvancedEntry(technique);
    return entry == nullptr ? "basic" : std::string(advanced::FamilyName(entry->family));
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    std::vector<int> bands;
    for (const practice::PracticeTechnique& entry : practice::PracticeTechniques())
        if (entry.variant == kClassic &&
            std::find(bands.begin(), bands.end(), entry.band) == bands.end())
            bands.push_back(entry.band);
    std::map<std::string, long long> kept;
    std::map<int, long long> byTechnique;
    long long made = 0;
    double spent = 0;
    Engine engine;
    engine.Rng.Seed(2026);
    engine.SymmetryChoice = 1;
    for (const int band : bands) {
        const auto start = std::chrono::steady_clock::now();
        double elapsed = 0;
        while (elapsed < seconds) {
            engine.VariantKind = kClassic;
            engine.XSudoku = 0;
            engine.SetDifficulty(band);
            if (engine.GeneratePuzzle()) {
                engine.HistoryLevel = 0;
                std::vector<advanced::AdvancedStep> steps;
                const practice::HardestStep hardest = practice::FindHardestStep(engine, &steps);
                const int technique = practice::PractisedTechnique(engine, hardest, steps);
                if (practice::PracticeEntry(technique) != nullptr) {
                    ++kept[FamilyOf(technique)];
                    ++byTechnique[technique];
                }
                ++made;
            }
            elapsed =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
        spent += elapsed;
    }
    std::printf("practice pool fill rate, one thread, %.0f s in each of %zu bands, %lld puzzles\n",
                seconds, bands.size(), made);
    for (const std::string family :
         {"basic", "patterns", "wings", "fish", "uniqueness", "chains", "sets", "forcing"})
        std::printf("  %-12s %8.3f puzzles/s  (%lld kept)\n", family.c_str(),
                    static_cast<double>(kept[family]) / spent, kept[family]);
    std::printf("the techniques that the hints pre-empt:\n");
    for (const practice::PracticeTechnique& entry : practice::PracticeTechniques())
        if (!practice::PreemptersOf(entry.technique).empty())
            std::printf("  %-30s %8.3f puzzles/s  (%lld kept)\n",
                        std::string(advanced::StepName(entry.technique)).c_str(),
                        static_cast<double>(byTechnique[entry.technique]) / spent,
                        byTechnique[entry.technique]);
    return 0;
}
