// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Repeated generation attempts until a puzzle lands in the chosen band.
#include "generation.h"
#include "../engine.h"

namespace vemo {

namespace {
struct Cancelled {};
} // namespace

void Engine::SetDifficulty(int difficulty) {
    // kDiabolique and kDemoniaque (scale/levels.h) follow the five bands and
    // generate over "Aléatoire".
    ScaleLevel = difficulty == 5 || difficulty == 6 ? difficulty : 0;
    int index = difficulty >= 0 && difficulty < 5 ? difficulty : 0;
    if (ScaleLevel != 0) index = kAleatoire;
    const DifficultyBand& band = kDifficultyBands[static_cast<std::size_t>(index)];
    ScoreMin = band.scoreMin;
    ScoreMax = band.scoreMax;
    BruteForceLimit = band.bruteForceLimit;
}

bool Engine::GenerationAttempt() {
    const int kind = VariantKind;
    // A search that spent its budget gave no answer: the attempt's puzzle is
    // not known to be unique or rated, and is not kept.
    const long long abandonedBefore = abandonedSearches_;
    // Consecutive and odd/even puzzles are drawn on a classic full grid.
    if (kind == kConsecutive || kind == kOddEven) VariantKind = kClassic;
    MakeFullGrid();
    VariantKind = kind;
    if (kind == kConsecutive) MarkConsecutivePairs();
    if (kind == kOddEven) MarkParityFromSolution();
    RemoveClues();
    if (SolutionCount >= 2 || abandonedSearches_ != abandonedBefore) return false;
    if (kind == kClassic) {
        ThinClues();
    } else if (PuzzleScore() < ScoreMax && BruteForceSteps() <= BruteForceLimit) {
        ThinCluesWithinBand();
    }
    return ScoreMin <= PuzzleScore() && PuzzleScore() <= ScoreMax &&
           BruteForceSteps() <= BruteForceLimit && abandonedSearches_ == abandonedBefore;
}

bool Engine::GeneratePuzzle(const std::function<void(int attempts)>& progress,
                            const std::atomic<bool>* cancel) {
    const Engine before = *this;
    const std::function<void()> pump = MessagePump;
    // Cancelling is noticed between attempts and inside the searches.
    MessagePump = [&] {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) throw Cancelled{};
        if (pump) pump();
    };
    try {
        Generating = true;
        PuzzleFixed = false;
        HistoryLevel = 0;
        for (int attempts = 1;; ++attempts) {
            if (progress) progress(attempts);
            if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) throw Cancelled{};
            if (GenerationAttempt()) break;
        }
        Givens = CellGrid[0];
        AnalysePuzzle();
        MessagePump = pump;
        Generating = false;
        PuzzleFixed = true;
        return true;
    } catch (const Cancelled&) {
        *this = before;
        MessagePump = pump;
        return false;
    }
}

} // namespace vemo
