// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"

#include "chains.h"
#include "finders.h"
#include "links.h"

namespace vemo::advanced {

namespace {

constexpr Family P = Family::kPatterns;
constexpr Family W = Family::kWings;
constexpr Family F = Family::kFish;
constexpr Family U = Family::kUniqueness;
constexpr Family C = Family::kChains;
constexpr Family S = Family::kSets;
constexpr Family N = Family::kForcing;

constexpr std::array<std::string_view, kFamilyCount> kFamilyNames = {
    "patterns", "wings", "fish", "uniqueness", "chains", "sets", "forcing"};

} // namespace

const std::array<AdvancedTechnique, kAdvancedCount> AdvancedCatalogue = {{
    {kSkyscraper,
     "Skyscraper",
     "Gratte-ciel",
     {152, 212, 224},
     P,
     FindSkyscraper,
     FindSkyscraperIn},
    {kTwoStringKite,
     "2-String Kite",
     "Cerf-volant",
     {130, 200, 216},
     P,
     FindTwoStringKite,
     FindTwoStringKiteIn},
    {kTurbotFish, "Turbot Fish", "Turbot", {108, 188, 208}, P, FindTurbotFish, FindTurbotFishIn},
    {kEmptyRectangle,
     "Empty Rectangle",
     "Rectangle vide",
     {86, 176, 200},
     P,
     FindEmptyRectangle,
     FindEmptyRectangleIn},
    {kXYZWing, "XYZ-Wing", "XYZ-wing", {255, 190, 160}, W, FindXYZWing},
    {kWXYZWing, "WXYZ-Wing", "WXYZ-wing", {255, 172, 140}, W, FindWXYZWing},
    {kWWing, "W-Wing", "W-wing", {255, 154, 120}, W, FindWWing},
    {kRemotePairs, "Remote Pairs", "Paires distantes", {255, 136, 100}, W, FindRemotePairs},
    {kJellyfish, "Jellyfish", "Jellyfish", {240, 230, 90}, F, FindJellyfish, FindJellyfishIn},
    {kFinnedXWing,
     "Finned X-Wing",
     "X-wing à aileron",
     {232, 218, 70},
     F,
     FindFinnedXWing,
     FindFinnedXWingIn},
    {kFinnedSwordfish,
     "Finned Swordfish",
     "Swordfish à aileron",
     {224, 206, 50},
     F,
     FindFinnedSwordfish,
     FindFinnedSwordfishIn},
    {kFinnedJellyfish,
     "Finned Jellyfish",
     "Jellyfish à aileron",
     {216, 194, 30},
     F,
     FindFinnedJellyfish,
     FindFinnedJellyfishIn},
    {kUniqueRectangle1,
     "Unique Rectangle Type 1",
     "Rectangle unique (1)",
     {200, 170, 255},
     U,
     FindUniqueRectangle1},
    {kUniqueRectangle2,
     "Unique Rectangle Type 2",
     "Rectangle unique (2)",
     {190, 160, 250},
     U,
     FindUniqueRectangle2},
    {kUniqueRectangle3,
     "Unique Rectangle Type 3",
     "Rectangle unique (3)",
     {180, 150, 245},
     U,
     FindUniqueRectangle3},
    {kUniqueRectangle4,
     "Unique Rectangle Type 4",
     "Rectangle unique (4)",
     {170, 140, 240},
     U,
     FindUniqueRectangle4},
    {kUniqueRectangle5,
     "Unique Rectangle Type 5",
     "Rectangle unique (5)",
     {160, 130, 235},
     U,
     FindUniqueRectangle5},
    {kUniqueRectangle6,
     "Unique Rectangle Type 6",
     "Rectangle unique (6)",
     {150, 120, 230},
     U,
     FindUniqueRectangle6},
    {kHiddenRectangle,
     "Hidden Rectangle",
     "Rectangle caché",
     {140, 110, 225},
     U,
     FindHiddenRectangle},
    {kBugPlusOne, "BUG+1", "BUG+1", {130, 100, 220}, U, FindBugPlusOne},
    {kXChain, "X-Chain", "X-chaîne", {150, 230, 150}, C, FindXChain, FindXChainIn, true},
    {kXYChain, "XY-Chain", "XY-chaîne", {130, 220, 130}, C, FindXYChain},
    {kNiceLoop, "Nice Loop / AIC", "Boucle / chaîne alternée", {110, 210, 110}, C, FindNiceLoop},
    {kGroupedNiceLoop,
     "Grouped Nice Loop / AIC",
     "Boucle / chaîne alternée groupée",
     {90, 200, 90},
     C,
     FindGroupedNiceLoop},
    {kAlsXZ, "ALS-XZ", "ALS-XZ", {245, 185, 220}, S, FindAlsXZ},
    {kAlsXYWing, "ALS-XY-Wing", "ALS-XY-wing", {240, 170, 210}, S, FindAlsXYWing},
    {kAlsChain, "ALS Chain", "Chaîne d'ALS", {235, 155, 200}, S, FindAlsChain},
    {kDeathBlossom, "Death Blossom", "Death Blossom", {230, 140, 190}, S, FindDeathBlossom},
    {kSueDeCoq, "Sue de Coq", "Sue de Coq", {225, 125, 180}, S, FindSueDeCoq},
    {kCellForcingChain,
     "Cell Forcing Chain",
     "Chaîne forcée (case)",
     {255, 120, 120},
     N,
     FindCellForcingChain},
    {kUnitForcingChain,
     "Unit Forcing Chain",
     "Chaîne forcée (unité)",
     {250, 105, 105},
     N,
     FindUnitForcingChain},
    {kContradictionForcingChain,
     "Contradiction Forcing Chain",
     "Chaîne forcée (contradiction)",
     {245, 90, 90},
     N,
     FindContradictionForcingChain},
    {kForcingNet, "Forcing Net", "Filet forcé", {240, 75, 75}, N, FindForcingNet},
}};

std::string_view StepName(int technique) {
    static constexpr std::array<std::string_view, kTechniqueCount + 1> kBasic = {
        "",
        "naked single",
        "hidden single",
        "locked candidates (box to line)",
        "locked candidates (line to box)",
        "naked pair",
        "hidden pair",
        "naked triple",
        "hidden triple",
        "naked quadruplet",
        "hidden quadruplet",
        "X-wing",
        "swordfish",
        "colouring",
        "multi-colouring",
        "XY-wing",
        "brute force",
        "impossible neighbour"};
    if (technique >= 1 && technique <= kTechniqueCount)
        return kBasic[static_cast<std::size_t>(technique)];
    const AdvancedTechnique* entry = AdvancedEntry(technique);
    return entry != nullptr ? entry->english : "";
}

const AdvancedTechnique* AdvancedEntry(int id) {
    if (id < kFirstAdvanced || id >= kAdvancedEnd) return nullptr;
    return &AdvancedCatalogue[static_cast<std::size_t>(id - kFirstAdvanced)];
}

std::string_view FamilyName(Family family) {
    return kFamilyNames[static_cast<std::size_t>(family)];
}

bool ParseFamilies(std::string_view list, unsigned& families) {
    unsigned chosen = 0;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        unsigned bit = 0;
        if (name == "all") bit = kAllFamilies;
        for (int f = 0; f < kFamilyCount; ++f)
            if (name == kFamilyNames[static_cast<std::size_t>(f)]) bit = 1u << f;
        if (bit == 0) return false;
        chosen |= bit;
        if (comma == std::string_view::npos) break;
        list.remove_prefix(comma + 1);
        if (list.empty()) return false; // a trailing comma
    }
    if (chosen == 0) return false;
    families = chosen;
    return true;
}

namespace {

// For each technique of one digit, the places of each digit where it last
// found nothing, under the rules of `rules`.
struct EmptyDigits {
    Board rules;
    bool any = false; // rules is set
    std::array<std::array<Bits81, 9>, kAdvancedCount> places{};
    std::array<unsigned, kAdvancedCount> known{}; // bit d - 1: places[t][d - 1] holds
};

EmptyDigits& EmptyDigitTable() {
    return ThreadTable<EmptyDigits>();
}

// True when a bar rule holds between some neighbours (bars 1 to 4 of a cell).
bool BarRules(const Board& board) {
    for (const auto& cell : board.bars)
        for (int k = 1; k <= 4; ++k)
            if (cell[static_cast<std::size_t>(k)] >= 0) return true;
    return false;
}

} // namespace

void ForgetEmptyDigits() {
    EmptyDigits& memo = EmptyDigitTable();
    memo.any = false;
    memo.known.fill(0);
}

bool FindAdvancedStep(const Board& board, unsigned families, AdvancedStep& step) {
    EmptyDigits& memo = EmptyDigitTable();
    if (!memo.any || !SameRules(memo.rules, board)) {
        memo.rules = board;
        memo.any = true;
        memo.known.fill(0);
    }
    const bool bars = BarRules(board);
    for (std::size_t i = 0; i < AdvancedCatalogue.size(); ++i) {
        const AdvancedTechnique& t = AdvancedCatalogue[i];
        if ((families & FamilyBit(t.family)) == 0) continue;
        AdvancedStep found;
        if (t.findIn != nullptr && !(t.barsReachOtherDigits && bars)) {
            unsigned digits = 0;
            for (int d = 0; d < 9; ++d)
                if ((memo.known[i] >> d & 1) == 0 || memo.places[i][d] != board.places[d])
                    digits |= 1u << d;
            if (digits == 0) continue;
            if (!t.findIn(board, digits, found)) {
                for (int d = 0; d < 9; ++d)
                    if ((digits >> d & 1) != 0) memo.places[i][d] = board.places[d];
                memo.known[i] = kEveryDigit;
                continue;
            }
            // The search stopped at its first instance: the digits it had
            // still to look at are unknown again.
            memo.known[i] &= ~digits;
        } else if (!t.find(board, found)) {
            continue;
        }
        found.technique = t.id;
        step = found;
        return true;
    }
    return false;
}

} // namespace vemo::advanced
