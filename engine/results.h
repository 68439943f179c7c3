// What the finders report and what the drivers record. Each finder fills its
// result without touching the candidates; the matching applier reads it.
#pragma once

#include <array>
#include <cstdint>

namespace vemo {

inline constexpr int kStepLogSize = 100;

struct CellList {
    std::array<int, 3> cells{};
    int count = 0;
};

struct NakedSingleResult {
    int cell = -1;
    int digit = 0;
};

struct HiddenSingleResult {
    int cell = -1;
    int digit = 0;    // 0 when there is none
    int diagonal = 0; // 1 when the unit was a diagonal
};

struct LockedCandidatesResult {
    int digit = 0;    // 0 when there is none
    int kind = 0;     // 1 box to line (technique 3), 2 line to box (technique 4)
    int lineType = 0; // 1 row, 2 column, 3 diagonal
    int line = 0;     // row or column 0..8, diagonal 1 main or 2 anti
    int box = 0;
    int segment = 0; // 0..2, see FindLockedCandidates
};

struct SubsetResult {
    int found = 0;    // 0 nothing, 1 naked, 2 hidden
    int unitType = 0; // 0 row, 1 column, 2 box, 3 diagonal
    int unit = 0;     // 0..8, or 1 main / 2 anti diagonal
    int size = 0;     // 2, 3 or 4
    std::array<int, 4> digits{};
    std::array<int, 4> cells{};
};

struct FishResult {
    int found = 0; // 0 nothing, 1 base lines are rows, 2 base lines are columns
    int digit = 0;
    std::array<int, 3> base{};
    std::array<int, 3> cover{};
};

inline constexpr int kColouringSlots = 15;

struct ColouringResult {
    int found = 0;    // 0 nothing, 1 wrap, 2 trap, 3 multi-colouring
    int unitPair = 0; // 1 row and column, 2 row and box, 3 column and box
    int digit = 0;
    std::array<int, kColouringSlots> eliminations{}; // cell order, ended by -1
    // What the finding rests on, for showing it: the digit's colours (+k / -k
    // for chain k, 0 uncoloured) and the chains of the rule, the second one
    // for multi-colouring only (else 0).
    std::array<std::int8_t, 81> colours{};
    std::array<int, 2> chains{};
};

struct XYWingResult {
    int found = 0; // 0 nothing, 1 one cell, 2 eliminations in boxes
    int digit = 0; // the digit b eliminated
    std::array<int, 5> eliminations{};
    int eliminationCount = 0;
    std::array<int, 4> cells{}; // pair cell 1, pair cell 2, third cell, eliminated cell (0 for 2)
};

struct ImpossibleNeighbourResult {
    int cellA = -1;
    int cellB = -1;
    std::array<int, 9> digitsA{};
    int countA = 0;
    std::array<int, 9> digitsB{};
    int countB = 0;
};

// One step of the logged solve: a diagonal flag, 14 cell slots, a cell count, a
// spare integer and 15 digit slots, 32 integers in all.
struct StepRecord {
    int diagonal = 0;
    std::array<int, 14> cells{};
    int count = 0;
    int spare = 0;
    std::array<int, 15> digits{};

    std::array<int, 32> Flatten() const {
        std::array<int, 32> out{};
        out[0] = diagonal;
        for (int i = 0; i < 14; ++i) out[1 + i] = cells[i];
        out[15] = count;
        out[16] = spare;
        for (int i = 0; i < 15; ++i) out[17 + i] = digits[i];
        return out;
    }
};

struct StepEntry {
    int technique = 0;
    StepRecord record;
};

struct HintRecordData {
    std::array<int, 14> cells{};
    int count = 0;
    std::array<int, 15> digits{};
};

} // namespace vemo
