// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// vemo-practice-collection COLLECTION [LIMIT [FOLDER [PER]]]: reads up to
// LIMIT puzzles (one 81-character line each) of a collection and follows the
// hints of each. For every technique that the hint order pre-empts
// (practice::PreemptersOf) it counts, at every position where the
// technique's own finder finds a step, which step the hint order takes there:
// the evidence of what pre-empts it. With FOLDER, it also writes there up to
// PER example files (default 3) of each pre-empted technique and of the Death
// Blossom for the puzzles that practise them (practice::PracticeStepIndex),
// named as the examples folder names them; the numbers go on from the files
// already there.
#include "classic_puzzle.h"
#include "example_files.h"

#include "engine/advanced/catalogue.h"
#include "engine/advanced/practice.h"
#include "engine/engine.h"
#include "io/puzzle_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using namespace vemo;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vemo-practice-collection COLLECTION [LIMIT [FOLDER [PER]]]\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 1;
    }
    const long limit = argc > 2 ? std::atol(argv[2]) : 1000000;
    const std::filesystem::path folder = argc > 3 ? argv[3] : "";
    const int per = argc > 4 ? std::atoi(argv[4]) : 3;
    std::vector<int> targets;
    for (const practice::PracticeTechnique& entry : practice::PracticeTechniques())
        if (!practice::PreemptersOf(entry.technique).empty()) targets.push_back(entry.technique);
    std::map<int, std::map<int, int>> seen; // technique -> hint taken there -> positions
    std::map<int, int> practised;
    std::string line;
    long n = 0;
    while (n < limit && std::getline(in, line)) {
        if (line.size() < static_cast<std::size_t>(kCells)) continue;
        ++n;
        Engine e;
        devtools::InstallClassicPuzzle(e, devtools::GridOfLine(line));
        for (int s = 0; s < kCells + 729 && e.FilledCount < kCells; ++s) {
            e.AdvancedLayer = true;
            e.HintTechnique = 0;
            e.FindNextTechnique();
            e.AdvancedLayer = false;
            const int taken = e.HintTechnique;
            if (taken == 0 || taken == kBruteForce) break;
            const advanced::Board board = advanced::TakeBoard(e);
            for (const int t : targets) {
                advanced::AdvancedStep step;
                if (advanced::AdvancedEntry(t)->find(board, step)) ++seen[t][taken];
            }
            e.ApplyStep(taken);
        }
        if (folder.empty()) continue;
        devtools::InstallClassicPuzzle(e, devtools::GridOfLine(line));
        e.AnalysePuzzle();
        if (e.SolutionCount != 1) continue;
        std::vector<advanced::AdvancedStep> steps;
        const practice::HardestStep hardest = practice::FindHardestStep(e, &steps);
        std::vector<int> wanted = targets;
        wanted.push_back(advanced::kDeathBlossom);
        for (const int t : wanted) {
            if (practice::PracticeStepIndex(e, t, hardest, steps) < 0) continue;
            ++practised[t];
            const practice::PracticeTechnique* entry = practice::PracticeEntry(t);
            const int have = devtools::ExampleFilesOf(folder, entry->stem);
            if (have >= per) continue;
            const std::string name = std::string(entry->stem) + std::to_string(have + 1) + ".sku";
            Engine file = e;
            file.CellGrid[0] = file.Givens;
            std::string error;
            if (!io::SavePuzzleFile((folder / std::filesystem::u8path(name)).string(), file,
                                    &error))
                std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
            else
                std::printf("wrote %s (puzzle %ld)\n", name.c_str(), n);
            std::fflush(stdout);
        }
    }
    for (const auto& [t, taken] : seen) {
        std::printf("%s, where its finder finds a step, the hints take:",
                    std::string(advanced::StepName(t)).c_str());
        for (const auto& [hint, count] : taken)
            std::printf(" %s %d,", std::string(advanced::StepName(hint)).c_str(), count);
        std::printf(" practised by %d puzzles\n", practised[t]);
    }
    std::printf("%ld puzzles\n", n);
    return 0;
}
