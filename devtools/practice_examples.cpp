// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// vemo-practice-examples FOLDER SECONDS [PER [SEED [BAND]]]: generates classic
// puzzles for SECONDS seconds (of the generator's BAND 0..4 when given, else
// mostly "Aléatoire") and keeps, in FOLDER, up to PER example files
// (default 3) of each advanced technique that it practises (its hardest step,
// or a technique the hints pre-empt: practice::PractisedTechnique), named as
// the examples folder names them (stem + number + ".sku"); the numbers go on
// from the files already there. Prints how often each technique was the
// hardest step.
#include "example_files.h"

#include "engine/advanced/catalogue.h"
#include "engine/advanced/practice.h"
#include "engine/engine.h"
#include "engine/generator/generation.h"
#include "io/puzzle_file.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: vemo-practice-examples FOLDER SECONDS [PER [SEED [BAND]]]\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const double seconds = std::atof(argv[2]);
    const int per = argc > 3 ? std::atoi(argv[3]) : 3;
    const unsigned long long seed = argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 1;
    const int band = argc > 5 ? std::atoi(argv[5]) : -1;
    vemo::Engine engine;
    engine.Rng.Seed(seed);
    engine.SymmetryChoice = 1;
    std::map<int, int> hardest;
    long long made = 0;
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <
           seconds) {
        engine.VariantKind = vemo::kClassic;
        engine.XSudoku = 0;
        // Mostly the band of the trials, where the advanced steps are needed.
        engine.SetDifficulty(band >= 0 ? band : made % 4 == 3 ? vemo::kExtreme : vemo::kAleatoire);
        engine.SymmetryChoice = static_cast<int>(made / 2 % 2);
        if (!engine.GeneratePuzzle()) continue;
        ++made;
        std::vector<vemo::advanced::AdvancedStep> steps;
        const vemo::practice::HardestStep found = vemo::practice::FindHardestStep(engine, &steps);
        // A technique that the hints pre-empt is kept for the puzzles that
        // practise it.
        const int technique = vemo::practice::PractisedTechnique(engine, found, steps);
        ++hardest[technique];
        if (technique < vemo::advanced::kFirstAdvanced) continue;
        const vemo::practice::PracticeTechnique* entry = vemo::practice::PracticeEntry(technique);
        if (entry == nullptr) continue;
        const int have = vemo::devtools::ExampleFilesOf(folder, entry->stem);
        if (have >= per) continue;
        const std::string name = std::string(entry->stem) + std::to_string(have + 1) + ".sku";
        vemo::Engine file = engine;
        file.CellGrid[0] = file.Givens;
        std::string error;
        if (!vemo::io::SavePuzzleFile((folder / std::filesystem::u8path(name)).string(), file,
                                      &error))
            std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        else
            std::printf("wrote %s\n", name.c_str());
        std::fflush(stdout);
    }
    std::printf("%lld puzzles in %.0f s\n", made, seconds);
    for (const auto& [technique, count] : hardest)
        std::printf("%4d %-32s %lld\n", technique,
                    std::string(vemo::advanced::StepName(technique)).c_str(),
                    static_cast<long long>(count));
    return 0;
}
