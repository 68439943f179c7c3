// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// vemo-practice-derive COLLECTION STEM [FOLDER [PER [LIMIT]]]: makes example
// puzzles of a technique that random puzzles hardly ever need as their
// hardest step (the Unique Rectangle Type 5, stem "rectangleunique5-"), from
// the positions of a collection where its finder finds a step. Following the
// hints of each of up to LIMIT puzzles, at such a position the digits placed
// so far become the givens of a new puzzle, which has the collection
// puzzle's one solution; digits of that solution are then added at random,
// never in the step's cells nor where it eliminates, until the new puzzle's
// hardest step is the technique (kept), or something easier (another try,
// forty in all). The puzzles found are printed, one line each; with FOLDER,
// up to PER of them (default 3), from different collection puzzles, are
// written there, named as the examples folder names them.
#include "classic_puzzle.h"
#include "example_files.h"

#include "engine/advanced/catalogue.h"
#include "engine/advanced/practice.h"
#include "engine/engine.h"
#include "io/puzzle_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace vemo;

std::string LineOf(const Grid& g) {
    std::string line;
    for (int c = 0; c < kCells; ++c) line += g[c] != 0 ? static_cast<char>('0' + g[c]) : '.';
    return line;
}

// A puzzle whose hardest step is `technique`, made from `base` (a subset of
// `solution`) by adding digits of the solution outside `locked`; false when
// every try came out easier.
bool Derive(const Grid& base, const Grid& solution, const std::vector<bool>& locked, int technique,
            std::mt19937& rng, Grid& out) {
    const int rank = practice::StepRank(technique);
    std::vector<int> free;
    for (int c = 0; c < kCells; ++c)
        if (base[c] == 0 && !locked[static_cast<std::size_t>(c)]) free.push_back(c);
    for (int attempt = 0; attempt < 40; ++attempt) {
        std::shuffle(free.begin(), free.end(), rng);
        Grid puzzle = base;
        for (std::size_t k = 0; k <= free.size(); ++k) {
            if (k > 0) puzzle[free[k - 1]] = solution[free[k - 1]];
            Engine e;
            devtools::InstallClassicPuzzle(e, puzzle);
            const practice::HardestStep hardest = practice::FindHardestStep(e);
            if (hardest.technique == technique) {
                out = puzzle;
                return true;
            }
            if (practice::StepRank(hardest.technique) < rank) break; // easier: try again
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: vemo-practice-derive COLLECTION STEM [FOLDER [PER [LIMIT]]]\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 1;
    }
    const std::string stem = argv[2];
    const practice::PracticeTechnique* entry = nullptr;
    for (const practice::PracticeTechnique& t : practice::PracticeTechniques())
        if (t.stem != nullptr && stem == t.stem) entry = &t;
    if (entry == nullptr || advanced::AdvancedEntry(entry->technique) == nullptr) {
        std::fprintf(stderr, "%s: no advanced technique has this stem\n", stem.c_str());
        return 2;
    }
    const int technique = entry->technique;
    const std::filesystem::path folder = argc > 3 ? argv[3] : "";
    const int per = argc > 4 ? std::atoi(argv[4]) : 3;
    const long limit = argc > 5 ? std::atol(argv[5]) : 1000000;
    std::mt19937 rng(20261209);
    std::string line;
    long n = 0;
    int positions = 0, found = 0;
    while (n < limit && std::getline(in, line)) {
        if (line.size() < static_cast<std::size_t>(kCells)) continue;
        ++n;
        const Grid givens = devtools::GridOfLine(line);
        Engine e;
        devtools::InstallClassicPuzzle(e, givens);
        e.AnalysePuzzle();
        if (e.SolutionCount != 1) continue;
        const Grid solution = e.SolutionGrid;
        devtools::InstallClassicPuzzle(e, givens);
        bool written = false; // one file at most from each puzzle of the collection
        for (int s = 0; s < kCells + 729 && e.FilledCount < kCells; ++s) {
            e.AdvancedLayer = true;
            e.HintTechnique = 0;
            e.FindNextTechnique();
            e.AdvancedLayer = false;
            const int taken = e.HintTechnique;
            if (taken == 0 || taken == kBruteForce) break;
            advanced::AdvancedStep step;
            if (!written &&
                advanced::AdvancedEntry(technique)->find(advanced::TakeBoard(e), step)) {
                ++positions;
                std::vector<bool> locked(kCells, false);
                for (int i = 0; i < step.cellCount; ++i)
                    locked[static_cast<std::size_t>(step.cells[i])] = true;
                for (int i = 0; i < step.eliminationCount; ++i)
                    locked[static_cast<std::size_t>(step.eliminations[i].cell)] = true;
                Grid made{};
                if (Derive(e.CellGrid[e.HistoryLevel], solution, locked, technique, rng, made)) {
                    ++found;
                    std::printf("%s (puzzle %ld)\n", LineOf(made).c_str(), n);
                    Engine file;
                    devtools::InstallClassicPuzzle(file, made);
                    const int have = folder.empty() ? per : devtools::ExampleFilesOf(folder, stem);
                    if (have < per && practice::PracticeStepIndex(file, technique) >= 0) {
                        const std::string name = stem + std::to_string(have + 1) + ".sku";
                        std::string error;
                        if (!io::SavePuzzleFile((folder / std::filesystem::u8path(name)).string(),
                                                file, &error))
                            std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
                        else
                            std::printf("wrote %s\n", name.c_str());
                        written = true;
                    }
                    std::fflush(stdout);
                }
            }
            e.ApplyStep(taken);
        }
    }
    std::printf("%ld puzzles, %d positions where the finder finds a step, %d puzzles made\n", n,
                positions, found);
    return 0;
}
