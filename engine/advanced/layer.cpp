// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The advanced layer in the engine: the hint's advanced step, its applier and
// the logic-only solve. Nothing here writes the step log, the counters, the
// score or any other table of the basic drivers.
#include "../engine.h"
#include "../techniques/catalogue.h"
#include "catalogue.h"

namespace vemo {

using advanced::AdvancedStep;

int Engine::CountLevelZeroSolutions() {
    const int count = SolutionCount, level = HistoryLevel;
    const int bfCell = BruteForceCell, bfDigit = BruteForceDigit;
    const Branch first = FirstBranch;
    const Candidates kept = CandidateTable;
    HistoryLevel = 0;
    SolutionCount = 0;
    CountSolutions();
    const int found = SearchAbandoned ? -1 : SolutionCount;
    CandidateTable = kept;
    SolutionCount = count;
    HistoryLevel = level;
    BruteForceCell = bfCell;
    BruteForceDigit = bfDigit;
    FirstBranch = first;
    return found;
}

bool Engine::FindNextAdvancedTechnique(AdvancedStep& step) {
    if (FilledCount >= kCells || BreaksRules()) return false;
    if (CountLevelZeroSolutions() != 1) return false;
    const advanced::Board board = advanced::TakeBoard(*this);
    return advanced::FindAdvancedStep(board, AdvancedFamilies, step);
}

int Engine::FindAdvancedHint() {
    AdvancedStep step;
    if (!FindNextAdvancedTechnique(step)) return 0;
    AdvancedHint = step;
    return step.technique;
}

void Engine::TakeAdvancedHint(const AdvancedStep& step) {
    AdvancedHint = step;
    HintTechnique = step.technique;
    for (int i = 0; i < 14; ++i) HintRecord.cells[i] = i < step.cellCount ? step.cells[i] : 0;
    HintRecord.count = step.cellCount;
    for (int i = 0; i < 9; ++i) HintRecord.digits[i] = 0;
    int n = 0;
    for (int d = 1; d <= 9; ++d)
        if ((step.digits >> (d - 1) & 1) != 0) HintRecord.digits[n++] = d;
}

void Engine::ApplyAdvancedStep(const AdvancedStep& step) {
    for (int i = 0; i < step.eliminationCount; ++i) {
        const auto& e = step.eliminations[i];
        if (CellGrid[0][e.cell] == 0) CandidateTable.Remove(e.cell, e.digit);
    }
    if (step.placeCell >= 0 && CellGrid[0][step.placeCell] == 0)
        PlaceDigit(step.placeCell, step.placeDigit);
}

AdvancedStep Engine::BasicStepRecord(int technique) const {
    AdvancedStep s;
    s.technique = technique;
    const StepRecord r = DescribeStep(technique, 0);
    auto addDigit = [&](int d) {
        if (d >= 1 && d <= 9) s.digits |= 1u << (d - 1);
    };
    switch (technique) {
    case kNakedSingle:
    case kHiddenSingle:
    case kBruteForce: {
        const int cell = r.cells[0], d = r.digits[0];
        s.placeCell = cell;
        s.placeDigit = d;
        s.AddCell(cell);
        addDigit(d);
        if (technique == kHiddenSingle) {
            // The first unit of the cell where the digit has no other place.
            const Bits81 places = CandidateTable.CellsWith(d);
            const std::array<Bits81, 5> units = {kRowMask[cell / 9], kColumnMask[cell % 9],
                                                 kBoxMask[CellUnits[cell][2]],
                                                 XSudoku != 0 ? kDiagonalMask[0] : Bits81{0},
                                                 XSudoku != 0 ? kDiagonalMask[1] : Bits81{0}};
            const std::array<int, 5> numbers = {cell / 9, 9 + cell % 9, 18 + CellUnits[cell][2], 27,
                                                28};
            for (int i = 0; i < 5; ++i)
                if (HasCell(units[i], cell) && (places & units[i]) == CellBit(cell)) {
                    s.AddUnit(numbers[i]);
                    break;
                }
        }
        break;
    }
    case kLockedBoxToLine:
    case kLockedLineToBox: {
        const LockedCandidatesResult& l = LockedCandidates;
        const int line = l.lineType == 1 ? l.line : l.lineType == 2 ? 9 + l.line : 26 + l.line;
        s.AddUnit(technique == kLockedBoxToLine ? 18 + l.box : line);
        s.AddUnit(technique == kLockedBoxToLine ? line : 18 + l.box);
        for (int i = 0; i < r.count; ++i) s.AddCell(r.cells[i]);
        addDigit(r.digits[0]);
        break;
    }
    case kNakedPair:
    case kHiddenPair:
    case kNakedTriple:
    case kHiddenTriple:
    case kNakedQuadruplet:
    case kHiddenQuadruplet: {
        const int unit =
            Subset.unitType == 3 ? 26 + Subset.unit : Subset.unitType * 9 + Subset.unit;
        s.AddUnit(unit);
        for (int i = 0; i < Subset.size && i < 4; ++i) {
            s.AddCell(Subset.cells[i]);
            addDigit(Subset.digits[i]);
        }
        break;
    }
    case kXWing:
    case kSwordfish: {
        const int n = technique == kXWing ? 2 : 3;
        for (int i = 0; i < n; ++i) s.AddUnit(r.cells[i]);
        for (int i = 0; i < n; ++i) s.AddUnit(9 + r.cells[n + i]);
        addDigit(r.digits[0]);
        const Bits81 places = CandidateTable.CellsWith(r.digits[0]);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                const int cell = r.cells[i] * 9 + r.cells[n + j];
                if (HasCell(places, cell)) s.AddCell(cell);
            }
        break;
    }
    case kColouring:
    case kMultiColouring: {
        // The coloured cells the rule rests on.
        for (int c = 0; c < kCells; ++c) {
            const int colour = Colouring.colours[c];
            const int chain = colour < 0 ? -colour : colour;
            if (chain != 0 && (chain == Colouring.chains[0] || chain == Colouring.chains[1]))
                s.AddCell(c);
        }
        addDigit(Colouring.digit);
        break;
    }
    case kXYWing:
        for (int i = 0; i < 3; ++i) s.AddCell(r.cells[i]);
        addDigit(r.digits[0]);
        break;
    case kImpossibleNeighbour:
        s.AddCell(r.cells[0]);
        s.AddCell(r.cells[1]);
        for (int i = 0; i < r.count && i < 15; ++i) addDigit(r.digits[i]);
        break;
    default:
        break;
    }
    return s;
}

Engine::LogicResult Engine::SolveLogically(std::vector<AdvancedStep>* steps) {
    LogicResult result;
    HistoryLevel = 0;
    if (BreaksRules()) {
        result.stop = LogicStop::kNoSolution;
        return result;
    }
    const int count = CountLevelZeroSolutions();
    if (count != 1) {
        result.stop = count < 0    ? LogicStop::kAbandoned
                      : count == 0 ? LogicStop::kNoSolution
                                   : LogicStop::kSeveralSolutions;
        return result;
    }
    // A step always places a digit or removes a candidate: 81 + 729 bound it.
    while (FilledCount < kCells && result.steps < kCells + 729) {
        const Candidates before = CandidateTable;
        const int filled = FilledCount;
        AdvancedStep step;
        const int technique = FindChainTechnique();
        if (technique != 0) {
            step = BasicStepRecord(technique);
            ApplyStep(technique);
            if (step.placeCell < 0) {
                for (int d = 1; d <= 9; ++d)
                    ForEachCell(before.CellsWith(d) & ~CandidateTable.CellsWith(d),
                                [&](int c) { step.Eliminate(c, d); });
            }
        } else {
            const advanced::Board board = advanced::TakeBoard(*this);
            if (!advanced::FindAdvancedStep(board, AdvancedFamilies, step)) break;
            ApplyAdvancedStep(step);
            ++result.advanced;
        }
        if (CandidateTable == before && FilledCount == filled) break; // no progress
        ++result.steps;
        if (steps != nullptr) steps->push_back(step);
    }
    result.stop = FilledCount >= kCells ? LogicStop::kSolved : LogicStop::kStuck;
    return result;
}

} // namespace vemo
