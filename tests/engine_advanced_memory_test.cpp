// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the advanced catalogue remembers from one search to the next never
// changes what it finds.
//
// The techniques of one digit remember the digits where they found nothing,
// and the next search leaves those digits out while their places stay the
// same. These tests take the positions of logic-only solves, classic and of
// every variant, and ask the catalogue for each of them in the order of the
// solve, in the reverse order (as undoing moves goes back) and shuffled across
// puzzles, each time against a search that remembers nothing. They also check
// the ground of it: a digit where a technique finds nothing can be left out of
// its search without changing the step.
#include "engine/advanced/catalogue.h"
#include "engine/generator/generation.h"
#include "engine/scale/levels.h"
#include "engine/scale/scale.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>
#include <sstream>

namespace vemo {
namespace {

using advanced::AdvancedCatalogue;
using advanced::AdvancedStep;
using advanced::Board;

// What differs between two steps, empty when they are the same.
std::string Difference(const AdvancedStep& a, const AdvancedStep& b) {
    std::ostringstream out;
    if (a.technique != b.technique) out << " technique " << a.technique << "/" << b.technique;
    if (a.placeCell != b.placeCell || a.placeDigit != b.placeDigit) out << " placement";
    bool eliminations = a.eliminationCount == b.eliminationCount;
    for (int i = 0; eliminations && i < a.eliminationCount; ++i)
        eliminations = a.eliminations[i] == b.eliminations[i];
    if (!eliminations) out << " eliminations";
    bool cells = a.cellCount == b.cellCount && a.unitCount == b.unitCount;
    for (int i = 0; cells && i < a.cellCount; ++i) cells = a.cells[i] == b.cells[i];
    for (int i = 0; cells && i < a.unitCount; ++i) cells = a.units[i] == b.units[i];
    if (!cells) out << " cells or units";
    if (a.digits != b.digits || a.fins != b.fins || a.sashimi != b.sashimi) out << " digits";
    bool nodes = a.nodeCount == b.nodeCount && a.loop == b.loop && a.branchCount == b.branchCount;
    for (int i = 0; nodes && i < a.nodeCount; ++i)
        nodes = a.nodes[i].cells == b.nodes[i].cells && a.nodes[i].digit == b.nodes[i].digit &&
                a.nodes[i].on == b.nodes[i].on && a.links[i] == b.links[i];
    for (int i = 0; nodes && i <= a.branchCount; ++i) nodes = a.branchStart[i] == b.branchStart[i];
    if (!nodes) out << " chain";
    return out.str();
}

// The positions of a logic-only solve where the basic techniques are stuck:
// the boards the catalogue is asked about.
std::vector<Board> StuckBoards(Engine& e) {
    std::vector<Board> boards;
    for (const AdvancedStep& step : test::LogicSteps(e)) {
        if (step.technique >= advanced::kFirstAdvanced) boards.push_back(advanced::TakeBoard(e));
        e.ApplyAdvancedStep(step);
    }
    return boards;
}

struct Collected {
    std::vector<std::vector<Board>> solves; // one list a puzzle
    long boards = 0;
};

void AddSolve(Engine& e, Collected& out) {
    out.solves.push_back(StuckBoards(e));
    out.boards += static_cast<long>(out.solves.back().size());
}

Collected FromCollection(const char* file, int every, int limit) {
    Collected out;
    const auto puzzles = test::ReadCollection(file);
    for (std::size_t i = 0; i < puzzles.size() && static_cast<int>(out.solves.size()) < limit;
         i += static_cast<std::size_t>(every)) {
        Engine e;
        test::LoadPuzzle(e, puzzles[i]);
        AddSolve(e, out);
    }
    return out;
}

// Generated puzzles of the variants with bar rules, parity marks and
// diagonals, where the uniqueness arguments and the X-Chains' eliminations
// differ from the classic grid.
Collected FromVariants() {
    struct Kind {
        int variant, x;
    };
    const std::array<Kind, 6> kinds = {{{kClassic, 1},
                                        {kNonConsecutive, 0},
                                        {kConsecutive, 0},
                                        {kConsecutive, 1},
                                        {kOddEven, 0},
                                        {kNonConsecutive, 1}}};
    Collected out;
    scale::ScaleRater rater;
    for (const Kind& k : kinds)
        for (int seed = 0; seed < 3; ++seed) {
            Engine e;
            e.Rng.Seed(4100 + seed * 13 + k.variant * 100 + k.x * 1000);
            e.VariantKind = k.variant;
            e.XSudoku = k.x;
            if (scale::GenerateOnScale(e, kDiabolique, rater, nullptr, 2000) == 0) {
                ADD_FAILURE() << "no puzzle for variant " << k.variant << " x " << k.x;
                continue;
            }
            e.HistoryLevel = 0;
            e.CellGrid[0] = e.Givens;
            e.ComputeCandidates();
            AddSolve(e, out);
        }
    return out;
}

// Asks the catalogue about each board in turn, as it goes on remembering,
// and again after it has forgotten everything; the two steps must be equal.
// Returns the number of boards asked about.
long CheckOrder(const std::vector<const Board*>& order, const std::string& what) {
    advanced::ForgetEmptyDigits();
    long found = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        AdvancedStep remembering, afresh;
        const bool a = advanced::FindAdvancedStep(*order[i], advanced::kAllFamilies, remembering);
        advanced::ForgetEmptyDigits();
        const bool b = advanced::FindAdvancedStep(*order[i], advanced::kAllFamilies, afresh);
        EXPECT_EQ(a, b) << what << " board " << i;
        if (a != b) return found;
        const std::string difference = Difference(remembering, afresh);
        EXPECT_EQ(difference, "") << what << " board " << i;
        if (!difference.empty()) return found;
        found += a ? 1 : 0;
    }
    return found;
}

void CheckEveryOrder(const Collected& c, const char* what) {
    std::vector<const Board*> forward, backward;
    for (const auto& solve : c.solves) {
        for (const Board& b : solve) forward.push_back(&b);
        for (auto it = solve.rbegin(); it != solve.rend(); ++it) backward.push_back(&*it);
    }
    std::vector<const Board*> shuffled = forward;
    std::mt19937 rng(1729);
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    const long boards = static_cast<long>(forward.size());
    // Every stuck position has a step: the catalogue cracks these puzzles.
    EXPECT_EQ(CheckOrder(forward, std::string(what) + " in the solve's order"), boards);
    EXPECT_EQ(CheckOrder(backward, std::string(what) + " in reverse"), boards);
    EXPECT_EQ(CheckOrder(shuffled, std::string(what) + " shuffled"), boards);
    std::printf("%s: %ld positions, three orders\n", what, boards);
}

TEST(CatalogueMemory, Top1465StepsAreTheSameInEveryOrder) {
    const Collected c = FromCollection("top1465.txt", 23, 64);
    ASSERT_GT(c.boards, 500);
    CheckEveryOrder(c, "top1465");
}

TEST(CatalogueMemory, ForumHardestStepsAreTheSameInEveryOrder) {
    const Collected c = FromCollection("forum_hardest_1106.txt", 37, 11);
    ASSERT_GT(c.boards, 200);
    CheckEveryOrder(c, "forum_hardest_1106");
}

TEST(CatalogueMemory, VariantStepsAreTheSameInEveryOrder) {
    const Collected c = FromVariants();
    ASSERT_GT(c.boards, 20);
    CheckEveryOrder(c, "variants");
}

// The ground of the memory: for each technique of one digit, the digits where
// it finds nothing alone can be left out of its search, and the step stays
// the one of the whole search, which rests on a digit not left out.
void CheckDigitFinders(const Collected& c, const char* what, long& checked) {
    for (const auto& solve : c.solves)
        for (const Board& board : solve)
            for (const auto& t : AdvancedCatalogue) {
                if (t.findIn == nullptr) continue;
                AdvancedStep whole;
                const bool found = t.find(board, whole);
                AdvancedStep every;
                const bool foundEvery = t.findIn(board, advanced::kEveryDigit, every);
                ASSERT_EQ(found, foundEvery) << what << " " << t.english;
                ASSERT_EQ(Difference(whole, every), "") << what << " " << t.english;
                unsigned empty = 0;
                for (int d = 0; d < 9; ++d) {
                    AdvancedStep alone;
                    if (!t.findIn(board, 1u << d, alone)) empty |= 1u << d;
                }
                AdvancedStep rest;
                const bool foundRest = t.findIn(board, advanced::kEveryDigit & ~empty, rest);
                ASSERT_EQ(found, foundRest) << what << " " << t.english;
                ASSERT_EQ(Difference(whole, rest), "") << what << " " << t.english;
                if (found) {
                    // One digit, and one where the search alone finds it.
                    EXPECT_EQ(std::popcount(whole.digits), 1) << what << " " << t.english;
                    EXPECT_EQ(whole.digits & empty, 0u) << what << " " << t.english;
                }
                ++checked;
            }
}

TEST(CatalogueMemory, LeavingOutTheDigitsWithNothingKeepsEachStep) {
    long checked = 0;
    CheckDigitFinders(FromCollection("top1465.txt", 61, 24), "top1465", checked);
    CheckDigitFinders(FromVariants(), "variants", checked);
    EXPECT_GT(checked, 2000);
}

} // namespace
} // namespace vemo
