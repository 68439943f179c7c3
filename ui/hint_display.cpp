#include "ui/hint_display.h"

#include "engine/techniques/catalogue.h"

#include <algorithm>

namespace vemo::ui {

namespace {

// Cells and digits of the record per technique: how many of each slot count.
struct Extent {
    int cells;  // -1: the record's count
    int digits; // -1: the record's count
};

Extent ExtentOf(int technique) {
    switch (technique) {
    case kNakedSingle:
    case kHiddenSingle:
    case kBruteForce:
        return {1, 1};
    case kLockedBoxToLine:
    case kLockedLineToBox:
    case kColouring:
    case kMultiColouring:
        return {-1, 1};
    case kNakedPair:
    case kHiddenPair:
        return {2, 2};
    case kNakedTriple:
    case kHiddenTriple:
        return {3, 3};
    case kNakedQuadruplet:
    case kHiddenQuadruplet:
        return {4, 4};
    case kXYWing:
        return {3, 1};
    case kImpossibleNeighbour:
        return {2, -1};
    default:
        return {0, 1}; // the fish: crossings below
    }
}

} // namespace

HintDisplay DescribeHint(const Engine& game) {
    HintDisplay hint;
    const int id = game.HintTechnique;
    if (id < 1 || id > kTechniqueCount) return hint;
    const HintRecordData& r = game.HintRecord;
    hint.technique = id;
    const Extent extent = ExtentOf(id);
    const int count = std::clamp(r.count, 0, static_cast<int>(r.cells.size()));
    const int cells = extent.cells < 0 ? count : extent.cells;
    for (int i = 0; i < cells; ++i)
        if (r.cells[i] >= 0 && r.cells[i] < kCells) hint.cells.push_back(r.cells[i]);
    if (id == kXWing || id == kSwordfish) {
        // Rows first, then columns: the crossings, empty ones only for the swordfish.
        const int n = id == kXWing ? 2 : 3;
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                const int row = r.cells[i], column = r.cells[n + j];
                if (row < 0 || row > 8 || column < 0 || column > 8) continue;
                const int cell = row * 9 + column;
                if (id == kSwordfish && game.CellGrid[0][cell] != 0) continue;
                hint.cells.push_back(cell);
            }
    }
    const int digits = extent.digits < 0 ? std::clamp(r.count, 0, static_cast<int>(r.digits.size()))
                                         : extent.digits;
    for (int i = 0; i < digits; ++i)
        if (r.digits[i] >= 1 && r.digits[i] <= 9) hint.digits.push_back(r.digits[i]);
    if ((id == kColouring || id == kMultiColouring) && game.Colouring.found != 0 &&
        !hint.digits.empty() && game.Colouring.digit == hint.digits[0]) {
        for (int c = 0; c < kCells; ++c) {
            const int colour = game.Colouring.colours[c];
            for (int chain = 0; chain < 2; ++chain) {
                const int k = game.Colouring.chains[chain];
                if (k == 0) continue;
                if (colour == k) hint.chainCells.push_back({c, 2 * chain});
                if (colour == -k) hint.chainCells.push_back({c, 2 * chain + 1});
            }
        }
    }
    // Only these finders report a diagonal unit.
    if (id == kHiddenSingle || id == kLockedBoxToLine || id == kLockedLineToBox ||
        id == kNakedPair || id == kHiddenPair)
        hint.diagonal = game.XSudoku == 1 && game.DescribeStep(id, 0).diagonal != 0;
    return hint;
}

std::string HintDetail(const HintDisplay& hint, const std::string& digitsLabel) {
    std::string text = " " + digitsLabel + " : ";
    for (std::size_t i = 0; i < hint.digits.size(); ++i) {
        const char digit = static_cast<char>('0' + hint.digits[i]);
        if (hint.technique == kImpossibleNeighbour) {
            text += digit;
            text += ' ';
        } else {
            if (i > 0) text += ' ';
            text += digit;
        }
    }
    return text;
}

std::string CompleteHintText(const HintDisplay& hint, const std::string& techniqueName,
                             const std::string& digitsLabel) {
    return techniqueName + (hint.diagonal ? " (diag) " : "") + HintDetail(hint, digitsLabel);
}

} // namespace vemo::ui
