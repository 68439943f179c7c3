// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice.h"

#include "../engine.h"
#include "../generator/generation.h"
#include "../techniques/catalogue.h"
#include "catalogue.h"
#include "ids.h"

#include <array>

namespace vemo::practice {

namespace {

using namespace advanced;

// In rank order: the basic techniques as their chain tries them, then the
// advanced catalogue. The band of each is the one where the generator makes
// puzzles of that hardest step most often per second (vemo-practice-examples
// with a band): the singles among the easy puzzles, the advanced steps among
// the puzzles that the seventeen techniques do not crack; those that the
// colouring pre-empts among the puzzles that need the colouring.
constexpr std::array<PracticeTechnique, 16 + kAdvancedCount> kPractice = {{
    {kNakedSingle, kClassic, kFacile, "candidatunique"},
    {kHiddenSingle, kClassic, kFacile, "candidatcaché"},
    {kNakedPair, kClassic, kMoyen, "pairenue"},
    {kImpossibleNeighbour, kConsecutive, kMoyen, "voisinimpossible"},
    {kLockedBoxToLine, kClassic, kMoyen, "verouille1-"},
    {kLockedLineToBox, kClassic, kMoyen, "verouille2-"},
    {kNakedTriple, kClassic, kMoyen, "tripletnu"},
    {kNakedQuadruplet, kClassic, kExtreme, "quadrupletnu"},
    {kHiddenPair, kClassic, kDifficile, "pairecachée"},
    {kXWing, kClassic, kExtreme, "Xwing"},
    {kSwordfish, kClassic, kExtreme, "swordfish"},
    {kColouring, kClassic, kExtreme, "couleur"},
    {kMultiColouring, kClassic, kExtreme, "multicouleur"},
    {kHiddenTriple, kClassic, kExtreme, "tripletcaché"},
    {kXYWing, kClassic, kExtreme, "XYwing"},
    {kHiddenQuadruplet, kClassic, kExtreme, "quadrupletcaché"},
    {kSkyscraper, kClassic, kExtreme, "gratteciel"},
    {kTwoStringKite, kClassic, kExtreme, "cerfvolant"},
    {kTurbotFish, kClassic, kExtreme, "turbot"},
    {kEmptyRectangle, kClassic, kAleatoire, "rectanglevide"},
    {kXYZWing, kClassic, kAleatoire, "XYZwing"},
    {kWXYZWing, kClassic, kAleatoire, "WXYZwing"},
    {kWWing, kClassic, kAleatoire, "Wwing"},
    {kRemotePairs, kClassic, kExtreme, "pairesdistantes"},
    {kJellyfish, kClassic, kAleatoire, "jellyfish"},
    {kFinnedXWing, kClassic, kAleatoire, "Xwingaileron"},
    {kFinnedSwordfish, kClassic, kAleatoire, "swordfishaileron"},
    {kFinnedJellyfish, kClassic, kAleatoire, "jellyfishaileron"},
    {kUniqueRectangle1, kClassic, kAleatoire, "rectangleunique1-"},
    {kUniqueRectangle2, kClassic, kAleatoire, "rectangleunique2-"},
    {kUniqueRectangle3, kClassic, kAleatoire, "rectangleunique3-"},
    {kUniqueRectangle4, kClassic, kAleatoire, "rectangleunique4-"},
    {kUniqueRectangle5, kClassic, kAleatoire, "rectangleunique5-"},
    {kUniqueRectangle6, kClassic, kAleatoire, "rectangleunique6-"},
    {kHiddenRectangle, kClassic, kAleatoire, "rectanglecaché"},
    {kBugPlusOne, kClassic, kAleatoire, "BUG"},
    {kXChain, kClassic, kAleatoire, "Xchaîne"},
    {kXYChain, kClassic, kAleatoire, "XYchaîne"},
    {kNiceLoop, kClassic, kAleatoire, "boucle"},
    {kGroupedNiceLoop, kClassic, kAleatoire, "bouclegroupée"},
    {kAlsXZ, kClassic, kAleatoire, "ALSXZ"},
    {kAlsXYWing, kClassic, kAleatoire, "ALSXYwing"},
    {kAlsChain, kClassic, kAleatoire, "chaîneALS"},
    {kDeathBlossom, kClassic, kAleatoire, "deathblossom"},
    {kSueDeCoq, kClassic, kAleatoire, "suedecoq"},
    {kCellForcingChain, kClassic, kAleatoire, "chaîneforcéecase"},
    {kUnitForcingChain, kClassic, kAleatoire, "chaîneforcéeunité"},
    {kContradictionForcingChain, kClassic, kAleatoire, "chaîneforcéecontradiction"},
    {kForcingNet, kClassic, kAleatoire, "filetforcé"},
}};

// The techniques that take the place of each pre-empted one, as the hints
// of the collections show them at the positions where its finder finds a step
// (vemo-practice-collection).
constexpr std::array<int, 2> kSingleDigitPreempters = {kColouring, kMultiColouring};
constexpr std::array<int, 4> kRemotePairsPreempters = {kNakedPair, kXWing, kColouring,
                                                       kMultiColouring};
constexpr std::array<int, 5> kSueDeCoqPreempters = {kNiceLoop, kGroupedNiceLoop, kAlsXZ, kAlsXYWing,
                                                    kSueDeCoq};
constexpr std::array<int, 2> kContradictionPreempters = {kCellForcingChain, kUnitForcingChain};

bool Contains(std::span<const int> list, int technique) {
    for (const int t : list)
        if (t == technique) return true;
    return false;
}

} // namespace

std::span<const int> PreemptersOf(int technique) {
    switch (technique) {
    case kSkyscraper:
    case kTwoStringKite:
    case kTurbotFish:
        return kSingleDigitPreempters;
    case kRemotePairs:
        return kRemotePairsPreempters;
    case kSueDeCoq:
        return kSueDeCoqPreempters;
    case kContradictionForcingChain:
        return kContradictionPreempters;
    default:
        return {};
    }
}

std::span<const PracticeTechnique> PracticeTechniques() {
    return kPractice;
}

const PracticeTechnique* PracticeEntry(int technique) {
    for (const PracticeTechnique& entry : kPractice)
        if (entry.technique == technique) return &entry;
    return nullptr;
}

int StepRank(int technique) {
    if (technique == kBruteForce) return static_cast<int>(kPractice.size());
    for (std::size_t i = 0; i < kPractice.size(); ++i)
        if (kPractice[i].technique == technique) return static_cast<int>(i);
    return -1;
}

HardestStep FindHardestStep(const Engine& puzzle, std::vector<advanced::AdvancedStep>* steps) {
    Engine work = puzzle;
    work.MessagePump = nullptr;
    work.HistoryLevel = 0;
    work.CellGrid[0] = work.Givens;
    work.ComputeCandidates();
    std::vector<advanced::AdvancedStep> own;
    std::vector<advanced::AdvancedStep>& log = steps != nullptr ? *steps : own;
    log.clear();
    const Engine::LogicResult result = work.SolveLogically(&log);
    HardestStep hardest;
    hardest.steps = static_cast<int>(log.size());
    if (result.stop != Engine::LogicStop::kSolved && result.stop != Engine::LogicStop::kStuck)
        return hardest; // no single solution: nothing is hardest
    int best = -1;
    for (std::size_t i = 0; i < log.size(); ++i) {
        const int rank = StepRank(log[i].technique);
        if (rank > best) {
            best = rank;
            hardest.technique = log[i].technique;
            hardest.first = static_cast<int>(i);
        }
    }
    if (result.stop == Engine::LogicStop::kStuck) {
        hardest.technique = kBruteForce;
        hardest.first = -1;
    }
    return hardest;
}

bool FindPracticeStep(const Engine& position, int technique, advanced::AdvancedStep& step) {
    const AdvancedTechnique* entry = AdvancedEntry(technique);
    if (entry == nullptr) return false;
    Engine work = position;
    work.MessagePump = nullptr;
    work.HistoryLevel = 0;
    if (work.FilledCount >= kCells || work.BreaksRules()) return false;
    // The uniqueness arguments hold only for a position with one solution.
    Engine count = work;
    count.SolutionCount = 0;
    count.CountSolutions();
    if (count.SearchAbandoned || count.SolutionCount != 1) return false;
    AdvancedStep found;
    if (!entry->find(TakeBoard(work), found)) return false;
    found.technique = technique;
    step = found;
    return true;
}

int PracticeStepIndex(const Engine& puzzle, int technique, const HardestStep& hardest,
                      const std::vector<advanced::AdvancedStep>& steps) {
    if (hardest.technique == 0) return -1;
    const std::span<const int> preempters = PreemptersOf(technique);
    if (hardest.technique == technique) return hardest.first;
    if (preempters.empty()) return -1;
    if (!Contains(preempters, hardest.technique)) return -1;
    std::size_t first = 0;
    while (first < steps.size() && !Contains(preempters, steps[first].technique)) ++first;
    if (first == steps.size()) return -1;
    // The position before that step, from the givens.
    Engine work = puzzle;
    work.MessagePump = nullptr;
    work.HistoryLevel = 0;
    work.CellGrid[0] = work.Givens;
    work.ComputeCandidates();
    for (std::size_t i = 0; i < first; ++i) work.ApplyAdvancedStep(steps[i]);
    AdvancedStep step;
    return FindPracticeStep(work, technique, step) ? static_cast<int>(first) : -1;
}

int PracticeStepIndex(const Engine& puzzle, int technique) {
    std::vector<AdvancedStep> steps;
    const HardestStep hardest = FindHardestStep(puzzle, &steps);
    return PracticeStepIndex(puzzle, technique, hardest, steps);
}

int PractisedTechnique(const Engine& puzzle, const HardestStep& hardest,
                       const std::vector<advanced::AdvancedStep>& steps) {
    for (const PracticeTechnique& entry : kPractice)
        if (!PreemptersOf(entry.technique).empty() &&
            Contains(PreemptersOf(entry.technique), hardest.technique) &&
            PracticeStepIndex(puzzle, entry.technique, hardest, steps) >= 0)
            return entry.technique;
    return hardest.technique;
}

long long GenerateForPractice(Engine& engine, int technique, const std::atomic<bool>* cancel,
                              long long maxGenerations,
                              const std::function<void(long long generations)>& progress,
                              const std::function<void(const Engine&, int technique)>& made) {
    const PracticeTechnique* entry = PracticeEntry(technique);
    if (entry == nullptr) return 0;
    // The engine's own generation settings come back once the puzzle is made:
    // the practice's band is the search's, not the player's.
    const int scoreMin = engine.ScoreMin, scoreMax = engine.ScoreMax;
    const int bruteForceLimit = engine.BruteForceLimit, scaleLevel = engine.ScaleLevel;
    const auto restore = [&] {
        engine.ScoreMin = scoreMin;
        engine.ScoreMax = scoreMax;
        engine.BruteForceLimit = bruteForceLimit;
        engine.ScaleLevel = scaleLevel;
    };
    for (long long n = 1; n <= maxGenerations; ++n) {
        if (cancel != nullptr && cancel->load()) break;
        if (progress) progress(n);
        engine.VariantKind = entry->variant;
        engine.XSudoku = 0;
        engine.SetDifficulty(entry->band);
        if (!engine.GeneratePuzzle({}, cancel)) break;
        engine.HistoryLevel = 0;
        std::vector<AdvancedStep> steps;
        const HardestStep hardest = FindHardestStep(engine, &steps);
        const bool found = PracticeStepIndex(engine, technique, hardest, steps) >= 0;
        if (made) made(engine, found ? technique : PractisedTechnique(engine, hardest, steps));
        if (found) {
            restore();
            return n;
        }
    }
    restore();
    return 0;
}

} // namespace vemo::practice
