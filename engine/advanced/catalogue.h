// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The catalogue of the advanced techniques: the layer that the hint driver and
// the logic-only solve try where the seventeen basic techniques find nothing.
//
// The order of the table is the order of the search, simplest first: the
// single-digit patterns, the short wings, the fish, the uniqueness arguments,
// the chains, the sets (almost locked sets, Sue de Coq), and last the forcing
// chains and nets. At each step the first technique that finds something wins;
// within one technique its finder takes the first instance in its own fixed
// scan order, except the chains, which take the shortest chain (the first in
// scan order among the shortest).
#pragma once

#include "board.h"
#include "ids.h"

#include "../techniques/catalogue.h"

#include <array>
#include <string_view>

namespace vemo::advanced {

// The families that --techniques names; a set of them is a bit mask (bit f).
enum class Family : int { kPatterns, kWings, kFish, kUniqueness, kChains, kSets, kForcing };
inline constexpr int kFamilyCount = 7;
inline constexpr unsigned kAllFamilies = (1u << kFamilyCount) - 1;

constexpr unsigned FamilyBit(Family f) {
    return 1u << static_cast<int>(f);
}

using Finder = bool (*)(const Board& board, AdvancedStep& step);
// The same search over some digits only (bit d - 1), for a technique whose
// every instance rests on one digit and reads nothing of the board but that
// digit's places and the rules.
using DigitFinder = bool (*)(const Board& board, unsigned digits, AdvancedStep& step);

struct AdvancedTechnique {
    int id; // AdvancedId
    const char* english;
    const char* french;
    Rgb colour;
    Family family;
    Finder find;
    DigitFinder findIn = nullptr; // for the techniques of one digit
    // Under the bar rules, its eliminations may also read the other digits'
    // places: there every digit is searched and nothing is remembered.
    bool barsReachOtherDigits = false;
};

// In search order, which is also the order of the ids.
extern const std::array<AdvancedTechnique, kAdvancedCount> AdvancedCatalogue;

// The entry of an advanced id; nullptr for any other number.
const AdvancedTechnique* AdvancedEntry(int id);

// "patterns", "wings", ... as --techniques spells them.
std::string_view FamilyName(Family family);
// A comma-separated list of family names ("all" for every family); false,
// with nothing changed, when a name is unknown or the list is empty.
bool ParseFamilies(std::string_view list, unsigned& families);

// The English name of a step: a basic technique 1..17 ("hidden single") or an
// advanced one ("Skyscraper"); empty for any other number.
std::string_view StepName(int technique);

// The first step of the catalogue over the given families, or false.
//
// A technique of one digit that found nothing for a digit finds nothing
// there again while the digit's places and the rules stay the same. Each
// thread remembers those places for each such technique, and the next search
// leaves those digits out: the step found is the same, with less work along
// a solve, where most digits keep their places from one step to the next.
bool FindAdvancedStep(const Board& board, unsigned families, AdvancedStep& step);

// Forgets what FindAdvancedStep remembers on this thread (its results stay
// the same either way).
void ForgetEmptyDigits();

} // namespace vemo::advanced
