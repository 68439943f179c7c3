// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// vemo-scale-trace PUZZLE [STEP]: every step of the scale rating of one
// classic puzzle (81 characters, '.' or '0' for an empty cell), with its
// difficulty, complexity, placement and eliminations; the candidates before
// step STEP.
// vemo-scale-trace --check FILE: rates every puzzle of the file (a line
// starts with its 81 characters) and checks every step against the solution;
// prints each step that places a wrong digit or removes a true one.
#include "engine/advanced/board.h"
#include "engine/engine.h"
#include "engine/scale/position.h"
#include "engine/scale/scale.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

void Load(vemo::Engine& engine, const std::string& text) {
    engine.HistoryLevel = 0;
    engine.ClearPuzzle();
    engine.PuzzleFixed = true;
    vemo::Grid grid{};
    for (int c = 0; c < 81; ++c) grid[c] = text[c] >= '1' && text[c] <= '9' ? text[c] - '0' : 0;
    engine.CellGrid[0] = grid;
    engine.Givens = grid;
    engine.SolutionGrid = grid;
    engine.ValidityGrid = grid;
    engine.ComputeCandidates();
}

int Check(const char* path) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "cannot open %s\n", path);
        return 2;
    }
    vemo::scale::ScaleRater rater;
    long long puzzles = 0, steps = 0, wrong = 0;
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 81) continue;
        const std::string text = line.substr(0, 81);
        vemo::Engine engine;
        Load(engine, text);
        engine.FindOneSolution();
        const vemo::Grid solution = engine.SearchSolution;
        Load(engine, text);
        ++puzzles;
        rater.Rate(engine, [&](const vemo::scale::ScaleStep& s) {
            ++steps;
            bool bad = s.placeCell >= 0 && s.placeDigit != solution[s.placeCell];
            for (int i = 0; i < s.eliminationCount; ++i)
                bad = bad || s.eliminations[i].digit == solution[s.eliminations[i].cell];
            if (!bad) return;
            ++wrong;
            std::printf("%s: %s removes a true digit\n", text.c_str(),
                        vemo::scale::ScaleStepName(s).c_str());
        });
    }
    std::printf("%lld puzzles, %lld steps, %lld wrong\n", puzzles, steps, wrong);
    return wrong == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--check") return Check(argv[2]);
    if (argc < 2 || std::string(argv[1]).size() < 81) {
        std::fprintf(stderr, "usage: vemo-scale-trace PUZZLE\n");
        return 2;
    }
    const std::string text = argv[1];
    vemo::Engine engine;
    Load(engine, text);
    int n = 0;
    const int showAt = argc > 2 ? std::atoi(argv[2]) : -1;
    const vemo::advanced::Board board = vemo::advanced::TakeBoard(engine);
    const vemo::scale::Rules rules = vemo::scale::MakeRules(board);
    vemo::scale::Position pos = vemo::scale::MakePosition(board);
    const vemo::scale::ScaleRating r =
        vemo::scale::RateOnScale(engine, [&](const vemo::scale::ScaleStep& s) {
            ++n;
            struct Apply {
                const vemo::scale::Rules& r;
                vemo::scale::Position& p;
                const vemo::scale::ScaleStep& s;
                ~Apply() { vemo::scale::ApplyScaleStep(r, p, s); }
            } apply{rules, pos, s};
            if (n == showAt) {
                for (int c = 0; c < 81; ++c) {
                    std::string m;
                    for (int d = 1; d <= 9; ++d)
                        if (pos.Has(c, d)) m += static_cast<char>('0' + d);
                    if (pos.value[c] != 0)
                        m = std::string("=") + static_cast<char>('0' + pos.value[c]);
                    std::printf("%-9s%s", m.c_str(), c % 9 == 8 ? "\n" : " ");
                }
            }
            if (s.difficulty < 30) return; // the singles and the locked sets
            std::printf("%3d %s %s cx %d", n, vemo::scale::FormatScale(s.difficulty).c_str(),
                        vemo::scale::ScaleStepName(s).c_str(), s.complexity);
            if (s.placeCell >= 0)
                std::printf(" place r%dc%d=%d", s.placeCell / 9 + 1, s.placeCell % 9 + 1,
                            s.placeDigit);
            for (int i = 0; i < s.eliminationCount; ++i)
                std::printf(" r%dc%d-%d", s.eliminations[i].cell / 9 + 1,
                            s.eliminations[i].cell % 9 + 1, int(s.eliminations[i].digit));
            if (s.basisCells != 0 && s.technique >= vemo::scale::kXYWing) {
                std::printf(" cells");
                vemo::ForEachCell(s.basisCells, [&](int c) {
                    std::printf(" r%dc%d:", c / 9 + 1, c % 9 + 1);
                    for (int d = 1; d <= 9; ++d)
                        if (pos.Has(c, d)) std::printf("%d", d);
                });
            }
            std::printf("\n");
        });
    std::printf("ER %s EP %s ED %s %s\n", vemo::scale::FormatScale(r.er).c_str(),
                vemo::scale::FormatScale(r.ep).c_str(), vemo::scale::FormatScale(r.ed).c_str(),
                vemo::scale::ScaleTechniqueName(r.hardestTechnique, r.hardestLevel).c_str());
    return 0;
}
