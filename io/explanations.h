// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Hints in words: the step just found, said in one or two plain sentences
// that name its cells, units and digits. Every sentence is built from parts of
// the language file (texts 800..899) with placeholders %1..%9 that a
// translator may put in any order; a part the file lacks falls back on its
// built-in French text, so a sentence is always readable.
#pragma once

#include "engine/advanced/board.h"
#include "engine/candidates.h"
#include "engine/grid.h"
#include "io/language.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {
class Engine;
}

namespace vemo::io {

// How much a hint says: the technique and where (F6), the whole reasoning
// (F7), or what playing it did (F8).
enum class HintLevel { kName, kFull, kPlayed };

// The basic step that FindNextTechnique just found (HintTechnique and the
// finders' results of `engine`). kPlayed works on a copy of the engine, before
// the step is played: it says what playing it will do. Empty when no
// technique was found.
std::string ExplainHint(const Engine& engine, const LanguageTable& texts, HintLevel level);

// An advanced step, from its record alone.
std::string ExplainAdvancedStep(const advanced::AdvancedStep& step, const LanguageTable& texts,
                                HintLevel level);

// What a move changed, from the position before and after it: the digits
// placed ("L3C5 = 7 placé"), else the candidates removed, grouped by digit
// ("4 retiré de L2C1 et L2C6"). For a played hint, after ApplyHint.
std::string DescribeChanges(const Grid& gridBefore, const Candidates& before, const Grid& gridAfter,
                            const Candidates& after, const LanguageTable& texts);

// The parts, for the window's other uses.
std::string CellText(int cell, const LanguageTable& texts);
// Units as the advanced records number them: rows 0..8, columns 9..17, boxes
// 18..26, main diagonal 27, anti-diagonal 28.
std::string UnitText(int unit, const LanguageTable& texts);
std::string AdvancedTechniqueName(int technique, const LanguageTable& texts);

// The name of a technique of the community's difficulty scale
// (scale::ScaleTechnique), with the chain level of its step: the program's own
// name where it has the same technique, else the scale's (text 950, one
// sub-index per technique), and for the forcing chains "dynamic", "dynamic +"
// or "nested, level n" (951..953). Without the text in the file, the scale's
// English name.
std::string ScaleTechniqueName(int technique, int chainLevel, const LanguageTable& texts);

// Replaces %1..%9 in `text` by the arguments; a number without argument gives
// nothing, "%%" gives "%".
std::string FillPlaceholders(std::string_view text, std::span<const std::string> arguments);

// Every text number the explanations look up.
std::span<const int> ExplanationTextIdentifiers();

} // namespace vemo::io
