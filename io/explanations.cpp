// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/explanations.h"

#include "engine/advanced/ids.h"
#include "engine/engine.h"
#include "engine/scale/scale.h"
#include "engine/techniques/catalogue.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

namespace vemo::io {

namespace {

enum Text : int {
    kCell = 800,
    kRow = 801,   // 801..805: row, column, box, main and anti-diagonal
    kOfRow = 806, // 806..810: the same after "of"
    kListSeparator = 811,
    kListLast = 812,
    kOneDigit = 813,
    kSomeDigits = 814,
    kPlaced = 815,
    kRemovedFrom = 816,
    kNoChange = 817,
    kNameIn = 818,
    kNameSays = 819,
    kSaysNakedSingle = 820,
    kSaysHiddenSingle = 821,
    kSaysLocked = 822,
    kSaysNakedSubset = 823,
    kSaysHiddenSubset = 824,
    kSaysFish = 825,
    kSaysColouring = 826,
    kSaysMultiColouring = 827,
    kSaysXYWing = 828,
    kSaysImpossibleNeighbour = 829,
    kSaysBruteForce = 830,
    kRemovalItem = 831,
    kSoRemove = 832,
    kSoPlace = 833,
    kPatternCells = 834,
    kDigitsInPlay = 835,
    kUnitsInPlay = 836,
    kFins = 837,
    kChain = 838,
    kStrongLink = 839,
    kWeakLink = 840,
    kLoop = 841,
    kBranch = 842,
    kLinkLegend = 843,
    kNode = 844,
    kGroupSeparator = 845,
    kFamilySingleDigit = 846, // 846..852, one per family
    kUnknownTechnique = 853,
    kAdvancedNames = 860, // 860 + (technique - 101)
};

struct BuiltIn {
    int id;
    const char* french;
};

// The French texts, used when the language file lacks one.
constexpr BuiltIn kBuiltIn[] = {
    {800, "L%1C%2"},
    {801, "la ligne %1"},
    {802, "la colonne %1"},
    {803, "le bloc %1"},
    {804, "la diagonale principale"},
    {805, "l'anti-diagonale"},
    {806, "de la ligne %1"},
    {807, "de la colonne %1"},
    {808, "du bloc %1"},
    {809, "de la diagonale principale"},
    {810, "de l'anti-diagonale"},
    {811, ", "},
    {812, "%1 et %2"},
    {813, "le %1"},
    {814, "les chiffres %1"},
    {815, "%1 = %2 placé"},
    {816, "%1 retiré de %2"},
    {817, "Aucun changement"},
    {818, "%1 dans %2"},
    {819, "%1 : %2"},
    {820, "%1 ne peut plus contenir que le %2 : les autres chiffres sont déjà dans sa ligne, sa "
          "colonne ou son bloc."},
    {821, "Dans %1, le %2 ne peut aller qu'en %3 : c'est la seule case où il reste possible."},
    {822, "Dans %1, le %2 ne peut aller qu'en %3, toutes dans %4 : on le retire des autres cases "
          "%5."},
    {823, "%1 ne contiennent que %2 : ces chiffres sont pris dans %3, on les retire des autres "
          "cases %4."},
    {824, "Dans %1, %2 ne peuvent aller qu'en %3 : ces cases leur sont réservées, on en retire "
          "les autres chiffres."},
    {825, "Dans %2, le %1 ne peut aller qu'en %3 : il est donc pris dans %4, on le retire des "
          "autres cases %5."},
    {826, "Sur le %1, les cases %2 forment une chaîne où le chiffre est vrai une case sur deux : "
          "dans tous les cas, il ne peut pas aller en %3."},
    {827, "Sur le %1, les chaînes %2 et %3 se voient : dans tous les cas, il ne peut pas aller en "
          "%4."},
    {828, "%1, %2 et %3 n'ont que deux chiffres chacune et forment un XY-wing : quoi qu'il "
          "arrive, le %4 est dans l'une des extrémités, on le retire de %5."},
    {829, "%1 et %2 sont voisines : la règle des barres interdit certains de leurs chiffres, on "
          "retire %3."},
    {830, "Aucune technique ne s'applique : un essai montre que %1 doit contenir le %2."},
    {831, "%1 de %2"},
    {832, "On peut donc retirer %1."},
    {833, "On peut donc placer le %2 en %1."},
    {834, "%1 : le motif occupe %2."},
    {835, "Chiffres en jeu : %1."},
    {836, "Unités : %1."},
    {837, "Ailerons : %1."},
    {838, "Chaîne : %1."},
    {839, " = "},
    {840, " - "},
    {841, " (la chaîne se referme en boucle)"},
    {842, "Branche %1 : %2."},
    {843, "« = » : l'un des deux est vrai ; « - » : ils ne peuvent pas être vrais ensemble."},
    {844, "%2(%1)"},
    {845, " ; "},
    {846, "Quelle que soit la case du motif qui contient le chiffre, les candidats retirés la "
          "voient."},
    {847, "Quel que soit le chiffre de la case pivot, l'une des extrémités contient le chiffre "
          "retiré, et les cases d'où on le retire les voient toutes."},
    {848, "Le chiffre occupe une case par ligne de base ; les candidats retirés voient chacune "
          "de ces possibilités, ailerons compris."},
    {849, "Sans cela, la grille aurait deux solutions : le motif mortel doit être évité."},
    {850, "Chaque lien mène au suivant : quel que soit le bout de la chaîne qui est vrai, la "
          "conclusion suit."},
    {851, "Ces groupes de cases ont un chiffre de plus que de cases ; leurs chiffres communs "
          "mènent à la conclusion."},
    {852, "Chaque branche part d'une hypothèse : toutes mènent à la même conclusion, ou l'une "
          "mène à une contradiction."},
    {853, "Technique %1"},
    {860, "Gratte-ciel"},
    {861, "Cerf-volant"},
    {862, "Poisson turbot"},
    {863, "Rectangle vide"},
    {864, "XYZ-wing"},
    {865, "WXYZ-wing"},
    {866, "W-wing"},
    {867, "Paires distantes"},
    {868, "Jellyfish"},
    {869, "X-wing à aileron"},
    {870, "Swordfish à aileron"},
    {871, "Jellyfish à aileron"},
    {872, "Rectangle unique (1)"},
    {873, "Rectangle unique (2)"},
    {874, "Rectangle unique (3)"},
    {875, "Rectangle unique (4)"},
    {876, "Rectangle unique (5)"},
    {877, "Rectangle unique (6)"},
    {878, "Rectangle caché"},
    {879, "BUG+1"},
    {880, "X-chaîne"},
    {881, "XY-chaîne"},
    {882, "Boucle"},
    {883, "Boucle groupée"},
    {884, "ALS-XZ"},
    {885, "ALS-XY-wing"},
    {886, "Chaîne d'ALS"},
    {887, "Fleur de la mort"},
    {888, "Sue de Coq"},
    {889, "Chaîne forcée de case"},
    {890, "Chaîne forcée d'unité"},
    {891, "Chaîne forcée par contradiction"},
    {892, "Filet forcé"},
};

constexpr std::array<int, std::size(kBuiltIn)> kIdentifiers = [] {
    std::array<int, std::size(kBuiltIn)> ids{};
    for (std::size_t i = 0; i < ids.size(); ++i) ids[i] = kBuiltIn[i].id;
    return ids;
}();

std::string Part(const LanguageTable& texts, int id) {
    if (texts.Has(id)) {
        std::string text = texts.LookupText(id);
        if (!text.empty()) return text;
    }
    for (const BuiltIn& b : kBuiltIn)
        if (b.id == id) return b.french;
    return {};
}

std::string Say(const LanguageTable& texts, int id, std::initializer_list<std::string> arguments) {
    const std::vector<std::string> args(arguments);
    return FillPlaceholders(Part(texts, id), args);
}

// "a", "a et b", "a, b et c".
std::string JoinList(const std::vector<std::string>& items, const LanguageTable& texts) {
    if (items.empty()) return {};
    std::string head = items[0];
    for (std::size_t i = 1; i + 1 < items.size(); ++i)
        head += Part(texts, kListSeparator) + items[i];
    if (items.size() == 1) return head;
    return Say(texts, kListLast, {head, items.back()});
}

std::string Cells(std::span<const int> cells, const LanguageTable& texts) {
    std::vector<std::string> items;
    for (const int c : cells) items.push_back(CellText(c, texts));
    return JoinList(items, texts);
}

std::string Cells(Bits81 cells, const LanguageTable& texts) {
    std::vector<int> list;
    for (int c = 0; c < kCells; ++c)
        if (HasCell(cells, c)) list.push_back(c);
    return Cells(list, texts);
}

std::string DigitList(std::span<const int> digits, const LanguageTable& texts) {
    std::vector<std::string> items;
    for (const int d : digits) items.push_back(std::to_string(d));
    return JoinList(items, texts);
}

// "le 7" or "les chiffres 4 et 7".
std::string DigitPhrase(std::span<const int> digits, const LanguageTable& texts) {
    if (digits.size() == 1) return Say(texts, kOneDigit, {std::to_string(digits[0])});
    return Say(texts, kSomeDigits, {DigitList(digits, texts)});
}

std::string Units(std::span<const int> units, const LanguageTable& texts) {
    std::vector<std::string> items;
    for (const int u : units) items.push_back(UnitText(u, texts));
    return JoinList(items, texts);
}

std::string OfUnit(int unit, const LanguageTable& texts) {
    if (unit < 27) return Say(texts, kOfRow + unit / 9, {std::to_string(unit % 9 + 1)});
    return Part(texts, kOfRow + 3 + (unit - 27));
}

int RowUnit(int cell) {
    return cell / 9;
}
int ColumnUnit(int cell) {
    return 9 + cell % 9;
}
int BoxUnit(int cell) {
    return 18 + (cell / 27) * 3 + (cell % 9) / 3;
}

bool InUnit(int cell, int unit) {
    if (unit < 9) return RowUnit(cell) == unit;
    if (unit < 18) return ColumnUnit(cell) == unit;
    if (unit < 27) return BoxUnit(cell) == unit;
    if (unit == 27) return cell / 9 == cell % 9;
    return cell / 9 + cell % 9 == 8;
}

// The places of a digit in a unit, at level 0.
int PlacesIn(const Engine& engine, int digit, int unit) {
    int n = 0;
    for (int c = 0; c < kCells; ++c)
        if (InUnit(c, unit) && engine.CellGrid[0][c] == 0 && engine.CandidateTable.Has(c, digit))
            ++n;
    return n;
}

// The unit where the hidden single was found, in the finder's scan order.
int HiddenSingleUnit(const Engine& engine) {
    const HiddenSingleResult& h = engine.HiddenSingle;
    if (h.diagonal != 0) {
        if (InUnit(h.cell, 27) && PlacesIn(engine, h.digit, 27) == 1) return 27;
        return 28;
    }
    for (const int unit : {RowUnit(h.cell), ColumnUnit(h.cell), BoxUnit(h.cell)})
        if (PlacesIn(engine, h.digit, unit) == 1) return unit;
    return BoxUnit(h.cell);
}

std::string TechniqueName(int technique, const LanguageTable& texts) {
    if (technique < 1 || technique > kTechniqueCount)
        return Say(texts, kUnknownTechnique, {std::to_string(technique)});
    const TechniqueInfo& info = TechniqueCatalogue[technique];
    std::string name = texts.LookupText(info.text);
    name.erase(0, name.find_first_not_of(' '));
    if (name.empty()) name = info.french;
    if (name.empty()) name = Say(texts, kUnknownTechnique, {std::to_string(technique)});
    return name;
}

// The step's sentence, with the units it rests on for the short hint.
struct Said {
    std::vector<int> units;
    std::string sentence;
};

std::vector<int> Digits(const std::array<int, 4>& digits, int count) {
    return {digits.begin(), digits.begin() + count};
}

int SubsetUnit(const SubsetResult& s) {
    switch (s.unitType) {
    case 0:
        return s.unit;
    case 1:
        return 9 + s.unit;
    case 2:
        return 18 + s.unit;
    default:
        return 27 + (s.unit == 2 ? 1 : 0);
    }
}

// The cells where colouring removes its digit, as the hint lists them.
std::vector<int> ColouringEliminations(const Engine& engine) {
    std::vector<int> cells;
    for (const int c : engine.Colouring.eliminations) {
        if (c < 0 || c >= kCells) break;
        if (engine.CandidateTable.Has(c, engine.Colouring.digit)) cells.push_back(c);
    }
    return cells;
}

Bits81 ChainCells(const Engine& engine, int chain) {
    Bits81 cells = 0;
    for (int c = 0; c < kCells; ++c)
        if (chain != 0 &&
            (engine.Colouring.colours[c] == chain || engine.Colouring.colours[c] == -chain))
            cells |= CellBit(c);
    return cells;
}

Said SayBasic(const Engine& engine, const LanguageTable& texts) {
    switch (engine.HintTechnique) {
    case kNakedSingle: {
        const NakedSingleResult& n = engine.NakedSingle;
        return {{BoxUnit(n.cell)},
                Say(texts, kSaysNakedSingle, {CellText(n.cell, texts), std::to_string(n.digit)})};
    }
    case kHiddenSingle: {
        const HiddenSingleResult& h = engine.HiddenSingle;
        const int unit = HiddenSingleUnit(engine);
        return {{unit},
                Say(texts, kSaysHiddenSingle,
                    {UnitText(unit, texts), std::to_string(h.digit), CellText(h.cell, texts)})};
    }
    case kLockedBoxToLine:
    case kLockedLineToBox: {
        const LockedCandidatesResult& l = engine.LockedCandidates;
        const int line = l.lineType == 1 ? l.line : l.lineType == 2 ? 9 + l.line : 26 + l.line;
        const int box = 18 + l.box;
        const int from = l.kind == 1 ? box : line;
        const int to = l.kind == 1 ? line : box;
        // The segment's cells that still hold the digit.
        const CellList list = engine.ListLockedCells();
        std::vector<int> cells;
        for (int i = 0; i < std::clamp(list.count, 0, 3); ++i)
            if (engine.CandidateTable.Has(list.cells[i], l.digit)) cells.push_back(list.cells[i]);
        return {{from},
                Say(texts, kSaysLocked,
                    {UnitText(from, texts), std::to_string(l.digit), Cells(cells, texts),
                     UnitText(to, texts), OfUnit(to, texts)})};
    }
    case kNakedPair:
    case kHiddenPair:
    case kNakedTriple:
    case kHiddenTriple:
    case kNakedQuadruplet:
    case kHiddenQuadruplet: {
        const SubsetResult& s = engine.Subset;
        const int size = std::clamp(s.size, 1, 4);
        const int unit = SubsetUnit(s);
        const std::span<const int> cells(s.cells.data(), size);
        const std::vector<int> digits = Digits(s.digits, size);
        if (s.found == 2)
            return {{unit},
                    Say(texts, kSaysHiddenSubset,
                        {UnitText(unit, texts), DigitList(digits, texts), Cells(cells, texts)})};
        return {{unit},
                Say(texts, kSaysNakedSubset,
                    {Cells(cells, texts), DigitList(digits, texts), UnitText(unit, texts),
                     OfUnit(unit, texts)})};
    }
    case kXWing:
    case kSwordfish: {
        const FishResult& f = engine.HintTechnique == kXWing ? engine.XWing : engine.Swordfish;
        const int n = engine.HintTechnique == kXWing ? 2 : 3;
        const int baseShift = f.found == 1 ? 0 : 9;
        std::vector<int> base, cover, cells;
        for (int i = 0; i < n; ++i) {
            base.push_back(baseShift + f.base[i]);
            cover.push_back(9 - baseShift + f.cover[i]);
        }
        std::vector<std::string> ofCover;
        for (const int u : cover) ofCover.push_back(OfUnit(u, texts));
        for (int c = 0; c < kCells; ++c) {
            const bool inBase =
                std::any_of(base.begin(), base.end(), [&](int u) { return InUnit(c, u); });
            const bool inCover =
                std::any_of(cover.begin(), cover.end(), [&](int u) { return InUnit(c, u); });
            if (inBase && inCover && engine.CellGrid[0][c] == 0 &&
                engine.CandidateTable.Has(c, f.digit))
                cells.push_back(c);
        }
        return {base, Say(texts, kSaysFish,
                          {std::to_string(f.digit), Units(base, texts), Cells(cells, texts),
                           Units(cover, texts), JoinList(ofCover, texts)})};
    }
    case kColouring:
    case kMultiColouring: {
        const ColouringResult& c = engine.Colouring;
        const std::string gone = Cells(ColouringEliminations(engine), texts);
        if (engine.HintTechnique == kMultiColouring)
            return {{},
                    Say(texts, kSaysMultiColouring,
                        {std::to_string(c.digit), Cells(ChainCells(engine, c.chains[0]), texts),
                         Cells(ChainCells(engine, c.chains[1]), texts), gone})};
        return {
            {},
            Say(texts, kSaysColouring,
                {std::to_string(c.digit), Cells(ChainCells(engine, c.chains[0]), texts), gone})};
    }
    case kXYWing: {
        const XYWingResult& x = engine.XYWing;
        const std::span<const int> gone(x.eliminations.data(),
                                        std::clamp(x.eliminationCount, 0, 5));
        return {{},
                Say(texts, kSaysXYWing,
                    {CellText(x.cells[0], texts), CellText(x.cells[1], texts),
                     CellText(x.cells[2], texts), std::to_string(x.digit), Cells(gone, texts)})};
    }
    case kImpossibleNeighbour: {
        const ImpossibleNeighbourResult& r = engine.ImpossibleNeighbour;
        std::vector<std::string> removals;
        const auto add = [&](int cell, const std::array<int, 9>& digits, int count) {
            count = std::clamp(count, 0, 9);
            if (count == 0) return;
            removals.push_back(
                Say(texts, kRemovalItem,
                    {DigitPhrase({digits.data(), static_cast<std::size_t>(count)}, texts),
                     CellText(cell, texts)}));
        };
        add(r.cellA, r.digitsA, r.countA);
        add(r.cellB, r.digitsB, r.countB);
        return {
            {},
            Say(texts, kSaysImpossibleNeighbour,
                {CellText(r.cellA, texts), CellText(r.cellB, texts), JoinList(removals, texts)})};
    }
    case kBruteForce:
        return {
            {},
            Say(texts, kSaysBruteForce,
                {CellText(engine.BruteForceCell, texts), std::to_string(engine.BruteForceDigit)})};
    default:
        return {};
    }
}

std::string ShortHint(const std::string& name, const std::vector<int>& units,
                      const LanguageTable& texts) {
    if (units.empty()) return name;
    return Say(texts, kNameIn, {name, Units(units, texts)});
}

std::vector<int> DigitsOfMask(unsigned mask) {
    std::vector<int> digits;
    for (int d = 1; d <= 9; ++d)
        if (mask & (1u << (d - 1))) digits.push_back(d);
    return digits;
}

// "le 4 de L2C1 et L2C6, le 7 de L5C5": the removals grouped by digit.
std::string Removals(std::span<const advanced::Candidate> gone, const LanguageTable& texts) {
    std::vector<std::string> items;
    for (int d = 1; d <= 9; ++d) {
        std::vector<int> cells;
        for (const advanced::Candidate& c : gone)
            if (c.digit == d && c.cell >= 0 && c.cell < kCells) cells.push_back(c.cell);
        if (cells.empty()) continue;
        const int digit[] = {d};
        items.push_back(Say(texts, kRemovalItem, {DigitPhrase(digit, texts), Cells(cells, texts)}));
    }
    return JoinList(items, texts);
}

std::string NodeText(const advanced::ChainNode& node, const LanguageTable& texts) {
    std::string cells;
    for (int c = 0; c < kCells; ++c) {
        if (!HasCell(node.cells, c)) continue;
        if (!cells.empty()) cells += "/";
        cells += CellText(c, texts);
    }
    return Say(texts, kNode, {std::to_string(node.digit), cells});
}

std::string ChainText(const advanced::AdvancedStep& step, int first, int end,
                      const LanguageTable& texts) {
    std::string chain;
    for (int i = first; i < end; ++i) {
        if (i > first)
            chain +=
                Part(texts, step.links[i - 1] == advanced::Link::kStrong ? kStrongLink : kWeakLink);
        chain += NodeText(step.nodes[i], texts);
    }
    return chain;
}

int FamilyText(int technique) {
    using namespace advanced;
    if (technique < kXYZWing) return kFamilySingleDigit;
    if (technique < kJellyfish) return kFamilySingleDigit + 1;
    if (technique < kUniqueRectangle1) return kFamilySingleDigit + 2;
    if (technique < kXChain) return kFamilySingleDigit + 3;
    if (technique < kAlsXZ) return kFamilySingleDigit + 4;
    if (technique < kCellForcingChain) return kFamilySingleDigit + 5;
    return kFamilySingleDigit + 6;
}

// What a step did: the placements, else the removals grouped by digit
// ("4 retiré de L2C1 et L2C6 ; 7 retiré de L5C5").
std::string ChangesText(std::span<const advanced::Candidate> placed,
                        std::span<const advanced::Candidate> removed, const LanguageTable& texts) {
    std::vector<std::string> items;
    for (const advanced::Candidate& p : placed)
        items.push_back(Say(texts, kPlaced, {CellText(p.cell, texts), std::to_string(p.digit)}));
    if (items.empty()) {
        for (int d = 1; d <= 9; ++d) {
            std::vector<int> cells;
            for (const advanced::Candidate& c : removed)
                if (c.digit == d && c.cell >= 0 && c.cell < kCells) cells.push_back(c.cell);
            if (!cells.empty())
                items.push_back(Say(texts, kRemovedFrom, {std::to_string(d), Cells(cells, texts)}));
        }
    }
    if (items.empty()) return Part(texts, kNoChange);
    std::string out = items[0];
    for (std::size_t i = 1; i < items.size(); ++i) out += Part(texts, kGroupSeparator) + items[i];
    return out;
}

std::span<const advanced::Candidate> Eliminations(const advanced::AdvancedStep& step) {
    return {step.eliminations.data(), static_cast<std::size_t>(std::clamp(
                                          step.eliminationCount, 0, advanced::kMaxEliminations))};
}

std::string Played(const advanced::AdvancedStep& step, const LanguageTable& texts) {
    std::vector<advanced::Candidate> placed;
    if (step.placeCell >= 0 && step.placeCell < kCells)
        placed.push_back(
            {static_cast<std::int8_t>(step.placeCell), static_cast<std::int8_t>(step.placeDigit)});
    return ChangesText(placed, Eliminations(step), texts);
}

} // namespace

std::string FillPlaceholders(std::string_view text, std::span<const std::string> arguments) {
    std::string out;
    out.reserve(text.size() + 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next >= '1' && next <= '9') {
                const std::size_t k = static_cast<std::size_t>(next - '1');
                if (k < arguments.size()) out += arguments[k];
                ++i;
                continue;
            }
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string CellText(int cell, const LanguageTable& texts) {
    if (cell < 0 || cell >= kCells) return "?";
    return Say(texts, kCell, {std::to_string(cell / 9 + 1), std::to_string(cell % 9 + 1)});
}

std::string UnitText(int unit, const LanguageTable& texts) {
    if (unit < 0 || unit >= advanced::kMaxUnits) return "?";
    if (unit < 27) return Say(texts, kRow + unit / 9, {std::to_string(unit % 9 + 1)});
    return Part(texts, kRow + 3 + (unit - 27));
}

std::string AdvancedTechniqueName(int technique, const LanguageTable& texts) {
    if (technique < advanced::kFirstAdvanced || technique >= advanced::kAdvancedEnd)
        return Say(texts, kUnknownTechnique, {std::to_string(technique)});
    return Part(texts, kAdvancedNames + technique - advanced::kFirstAdvanced);
}

namespace {

// Texts of the scale's names.
constexpr int kScaleNames = 950; // sub-index: the scale's technique
constexpr int kScaleDynamic = 951;
constexpr int kScaleDynamicPlus = 952;
constexpr int kScaleNested = 953;

// The text of an advanced technique's name.
constexpr int AdvancedNameText(int technique) {
    return static_cast<int>(kAdvancedNames) + technique - advanced::kFirstAdvanced;
}

// The program's own technique text for a technique of the scale, 0 where it
// has none of the same name and reach.
int OwnNameOfScaleTechnique(int technique) {
    switch (technique) {
    case scale::kNakedSingle:
        return 101;
    case scale::kPointing:
        return 103;
    case scale::kClaiming:
        return 104;
    case scale::kNakedPair:
        return 107;
    case scale::kNakedTriple:
        return 108;
    case scale::kNakedQuadruple:
        return 109;
    case scale::kHiddenPair:
        return 110;
    case scale::kXWing:
        return 114;
    case scale::kSwordfish:
        return 115;
    case scale::kHiddenTriple:
        return 118;
    case scale::kXYWing:
        return 119;
    case scale::kHiddenQuadruple:
        return 120;
    case scale::kXYZWing:
        return AdvancedNameText(advanced::kXYZWing);
    case scale::kWXYZWing:
        return AdvancedNameText(advanced::kWXYZWing);
    case scale::kJellyfish:
        return AdvancedNameText(advanced::kJellyfish);
    case scale::kCellForcingChains:
        return AdvancedNameText(advanced::kCellForcingChain);
    case scale::kUnitForcingChains:
        return AdvancedNameText(advanced::kUnitForcingChain);
    case scale::kContradictionForcingChains:
        return AdvancedNameText(advanced::kContradictionForcingChain);
    default:
        return 0;
    }
}

} // namespace

std::string ScaleTechniqueName(int technique, int chainLevel, const LanguageTable& texts) {
    if (technique <= scale::kNoTechnique || technique >= scale::kScaleTechniqueEnd) return {};
    const int own = OwnNameOfScaleTechnique(technique);
    std::string name = own != 0 ? Part(texts, own) : texts.LookupText(kScaleNames, technique);
    if (name.empty()) return scale::ScaleTechniqueName(technique, chainLevel);
    if (technique < scale::kCellForcingChains || chainLevel <= 0) return name;
    const int form = chainLevel == 1   ? kScaleDynamic
                     : chainLevel == 2 ? kScaleDynamicPlus
                                       : kScaleNested;
    const std::string pattern = texts.LookupText(form);
    if (pattern.empty()) return scale::ScaleTechniqueName(technique, chainLevel);
    const std::array<std::string, 2> args = {name, std::to_string(chainLevel - 1)};
    return FillPlaceholders(pattern, args);
}

std::string ExplainHint(const Engine& engine, const LanguageTable& texts, HintLevel level) {
    if (engine.HintTechnique < 1 || engine.HintTechnique > kTechniqueCount) return {};
    const std::string name = TechniqueName(engine.HintTechnique, texts);
    if (level == HintLevel::kPlayed) {
        Engine after = engine;
        after.ApplyStep(engine.HintTechnique);
        return Say(texts, kNameSays,
                   {name, DescribeChanges(engine.CellGrid[0], engine.CandidateTable,
                                          after.CellGrid[0], after.CandidateTable, texts)});
    }
    const Said said = SayBasic(engine, texts);
    if (level == HintLevel::kName) return ShortHint(name, said.units, texts);
    return said.sentence;
}

std::string ExplainAdvancedStep(const advanced::AdvancedStep& step, const LanguageTable& texts,
                                HintLevel level) {
    if (step.technique == 0) return {};
    const std::string name = AdvancedTechniqueName(step.technique, texts);
    const std::vector<int> units(step.units.begin(),
                                 step.units.begin() +
                                     std::clamp(step.unitCount, 0, advanced::kMaxStepUnits));
    if (level == HintLevel::kName) return ShortHint(name, units, texts);
    if (level == HintLevel::kPlayed) return Say(texts, kNameSays, {name, Played(step, texts)});

    std::vector<std::string> sentences;
    std::vector<int> cells;
    for (int i = 0; i < std::clamp(step.cellCount, 0, advanced::kMaxStepCells); ++i)
        if (step.cells[i] >= 0 && step.cells[i] < kCells) cells.push_back(step.cells[i]);
    sentences.push_back(cells.empty() ? name + "."
                                      : Say(texts, kPatternCells, {name, Cells(cells, texts)}));
    const std::vector<int> digits = DigitsOfMask(step.digits);
    if (!digits.empty()) sentences.push_back(Say(texts, kDigitsInPlay, {DigitList(digits, texts)}));
    if (!units.empty()) sentences.push_back(Say(texts, kUnitsInPlay, {Units(units, texts)}));
    if (step.fins != 0) sentences.push_back(Say(texts, kFins, {Cells(step.fins, texts)}));
    const int nodes = std::clamp(step.nodeCount, 0, advanced::kMaxChainNodes);
    const int branches = std::clamp(step.branchCount, 0, advanced::kMaxBranches);
    if (branches > 0) {
        for (int b = 0; b < branches; ++b) {
            const int first = std::min<int>(step.branchStart[b], nodes);
            const int end = std::clamp<int>(step.branchStart[b + 1], first, nodes);
            sentences.push_back(
                Say(texts, kBranch, {std::to_string(b + 1), ChainText(step, first, end, texts)}));
        }
    } else if (nodes > 0) {
        std::string chain = ChainText(step, 0, nodes, texts);
        if (step.loop) chain += Part(texts, kLoop);
        sentences.push_back(Say(texts, kChain, {chain}));
    }
    if (nodes > 0) sentences.push_back(Part(texts, kLinkLegend));
    sentences.push_back(Part(texts, FamilyText(step.technique)));
    if (step.placeCell >= 0 && step.placeCell < kCells)
        sentences.push_back(Say(
            texts, kSoPlace, {CellText(step.placeCell, texts), std::to_string(step.placeDigit)}));
    else if (step.eliminationCount > 0)
        sentences.push_back(Say(texts, kSoRemove, {Removals(Eliminations(step), texts)}));
    std::string out;
    for (const std::string& s : sentences) {
        if (!out.empty()) out += ' ';
        out += s;
    }
    return out;
}

std::string DescribeChanges(const Grid& gridBefore, const Candidates& before, const Grid& gridAfter,
                            const Candidates& after, const LanguageTable& texts) {
    std::vector<advanced::Candidate> placed, removed;
    for (int c = 0; c < kCells; ++c) {
        if (gridBefore[c] == 0 && gridAfter[c] != 0)
            placed.push_back({static_cast<std::int8_t>(c), static_cast<std::int8_t>(gridAfter[c])});
        for (int d = 1; d <= 9; ++d)
            if (gridAfter[c] == 0 && before.Has(c, d) && !after.Has(c, d))
                removed.push_back({static_cast<std::int8_t>(c), static_cast<std::int8_t>(d)});
    }
    return ChangesText(placed, removed, texts);
}

std::span<const int> ExplanationTextIdentifiers() {
    return kIdentifiers;
}

} // namespace vemo::io
