// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The drawings of steps, checked against the rules of the position they were
// found in: every node is a candidate there, a strong link is a conjugate
// pair of a unit or a bivalue cell, a weak link joins candidates that see
// each other, what a chain removes is seen by both its ends, what a finned
// fish removes is seen by every fin, and the crosses and the placement are
// exactly those of the step. The positions are those met by logic-only solves
// of top1465, where every finder below is asked, not only the one that wins.
#include "engine/advanced/catalogue.h"
#include "engine/advanced/chains.h"
#include "engine/advanced/drawing.h"
#include "engine/advanced/finders.h"
#include "engine/techniques/catalogue.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace vemo {
namespace {

using advanced::AdvancedStep;
using advanced::Board;
using advanced::DrawnNode;
using advanced::HintDrawing;
using advanced::Link;
using advanced::NodeKind;

bool HasCandidate(const Board& b, int cell, int digit) {
    return b.value[cell] == 0 && (b.mask[cell] >> (digit - 1) & 1) != 0;
}

// Every candidate of one node sees every candidate of the other.
bool AllSee(const Board& b, const DrawnNode& x, const DrawnNode& y) {
    bool all = true;
    ForEachCell(x.cells, [&](int p) {
        ForEachCell(y.cells, [&](int q) { all = all && b.Sees(p, x.digit, q, y.digit); });
    });
    return all;
}

bool StrongInPosition(const Board& b, const DrawnNode& x, const DrawnNode& y) {
    if (x.digit == y.digit) {
        if ((x.cells & y.cells) != 0) return false;
        const Bits81 both = x.cells | y.cells;
        for (int u = 0; u < b.unitCount; ++u)
            if ((b.places[x.digit - 1] & b.unit[u]) == both) return true;
        return false;
    }
    // One cell, its two candidates.
    return x.cells == y.cells && CountCells(x.cells) == 1 &&
           std::popcount(static_cast<unsigned>(b.mask[FirstCell(x.cells)])) == 2;
}

// The techniques whose links are the position's own links.
bool LinksOfThePosition(int t) {
    switch (t) {
    case advanced::kSkyscraper:
    case advanced::kTwoStringKite:
    case advanced::kTurbotFish:
    case advanced::kEmptyRectangle:
    case advanced::kWWing:
    case advanced::kRemotePairs:
    case advanced::kXChain:
    case advanced::kXYChain:
    case advanced::kNiceLoop:
    case advanced::kGroupedNiceLoop:
    case kXYWing:
    case kColouring:
    case kMultiColouring:
        return true;
    default:
        return false;
    }
}

struct Tally {
    std::map<int, int> drawings;    // per technique
    std::map<int, int> chainsEnded; // chains whose ends were checked against the removals
    int strong = 0;
    int weak = 0;
};

void CheckDrawing(const Board& b, const AdvancedStep& s, Tally& tally, const std::string& where) {
    const HintDrawing d = advanced::DrawStep(b, s);
    const std::string name = std::to_string(s.technique) + " at " + where;
    ASSERT_FALSE(d.Empty()) << name;
    EXPECT_EQ(d.technique, s.technique) << name;
    ++tally.drawings[s.technique];

    // The nodes are candidates of the position; the crosses and the
    // placement are the step's.
    std::set<std::pair<int, int>> crossed, removed;
    int placed = 0;
    for (const DrawnNode& n : d.nodes) {
        ASSERT_NE(n.cells, Bits81{0}) << name;
        ForEachCell(n.cells, [&](int c) {
            EXPECT_TRUE(HasCandidate(b, c, n.digit))
                << "node " << n.digit << " in " << c << " is no candidate: " << name;
        });
        if (n.kind == NodeKind::kGroup) {
            EXPECT_GT(CountCells(n.cells), 1) << name;
        }
        if (n.kind == NodeKind::kEliminated) crossed.insert({FirstCell(n.cells), n.digit});
        if (n.kind == NodeKind::kPlaced) {
            ++placed;
            EXPECT_EQ(n.cells, CellBit(s.placeCell)) << name;
            EXPECT_EQ(n.digit, s.placeDigit) << name;
        }
    }
    for (int i = 0; i < s.eliminationCount; ++i)
        removed.insert({s.eliminations[i].cell, s.eliminations[i].digit});
    EXPECT_EQ(crossed, removed) << name;
    EXPECT_EQ(placed, s.placeCell >= 0 ? 1 : 0) << name;

    for (const auto& l : d.links) {
        ASSERT_GE(l.from, 0);
        ASSERT_LT(l.from, static_cast<int>(d.nodes.size()));
        ASSERT_GE(l.to, 0);
        ASSERT_LT(l.to, static_cast<int>(d.nodes.size()));
        EXPECT_NE(l.from, l.to) << name;
    }
    if (!LinksOfThePosition(s.technique)) return;

    for (const auto& l : d.links) {
        const DrawnNode& x = d.nodes[l.from];
        const DrawnNode& y = d.nodes[l.to];
        if (l.kind == Link::kStrong) {
            ++tally.strong;
            EXPECT_TRUE(StrongInPosition(b, x, y))
                << "strong link " << x.digit << "@" << FirstCell(x.cells) << " " << y.digit << "@"
                << FirstCell(y.cells) << " is no conjugate pair nor bivalue cell: " << name;
        } else {
            ++tally.weak;
            EXPECT_TRUE(AllSee(b, x, y))
                << "weak link " << x.digit << "@" << FirstCell(x.cells) << " " << y.digit << "@"
                << FirstCell(y.cells) << " joins candidates that do not see: " << name;
        }
    }

    // Along a chain: its two ends see every candidate it removes; in a loop
    // each removal is seen by both ends of one of its links.
    const int count = static_cast<int>(d.nodes.size());
    std::vector<int> in(count), out(count);
    bool arrows = false;
    for (const auto& l : d.links) {
        if (!l.arrow) continue;
        arrows = true;
        ++out[l.from];
        ++in[l.to];
    }
    if (!arrows) return;
    int start = -1, end = -1, starts = 0, ends = 0;
    for (int i = 0; i < count; ++i) {
        if (out[i] > 0 && in[i] == 0) start = i, ++starts;
        if (in[i] > 0 && out[i] == 0) end = i, ++ends;
    }
    for (const auto& [cell, digit] : removed) {
        const DrawnNode victim{CellBit(cell), digit, NodeKind::kEliminated};
        if (s.loop) {
            bool seen = false;
            for (const auto& l : d.links)
                seen = seen ||
                       (AllSee(b, d.nodes[l.from], victim) && AllSee(b, d.nodes[l.to], victim));
            EXPECT_TRUE(seen) << digit << "@" << cell << " is seen by no link's ends: " << name;
        } else if (starts == 1 && ends == 1) {
            EXPECT_TRUE(AllSee(b, d.nodes[start], victim) && AllSee(b, d.nodes[end], victim))
                << digit << "@" << cell << " is not seen by both ends of the chain: " << name;
        }
    }
    if (!s.loop && starts == 1 && ends == 1 && !removed.empty()) ++tally.chainsEnded[s.technique];
}

// The fish: base candidates circled, fins apart, and every removal seen by
// every fin.
void CheckFish(const Board& b, const AdvancedStep& s, const std::string& where) {
    const HintDrawing d = advanced::DrawStep(b, s);
    int fins = 0;
    for (const DrawnNode& n : d.nodes) {
        if (n.kind != NodeKind::kFin) continue;
        ++fins;
        EXPECT_TRUE(HasCell(s.fins, FirstCell(n.cells))) << where;
        for (int i = 0; i < s.eliminationCount; ++i) {
            const DrawnNode victim{CellBit(s.eliminations[i].cell), s.eliminations[i].digit,
                                   NodeKind::kEliminated};
            EXPECT_TRUE(AllSee(b, n, victim)) << "a removal the fin does not see: " << where;
        }
    }
    EXPECT_EQ(fins, CountCells(s.fins)) << where;
}

using FinderFn = bool (*)(const Board&, AdvancedStep&);

TEST(HintDrawing, NodesAndLinksFollowThePositionOverTop1465) {
    const std::pair<int, FinderFn> finders[] = {
        {advanced::kSkyscraper, advanced::FindSkyscraper},
        {advanced::kTwoStringKite, advanced::FindTwoStringKite},
        {advanced::kTurbotFish, advanced::FindTurbotFish},
        {advanced::kEmptyRectangle, advanced::FindEmptyRectangle},
        {advanced::kWWing, advanced::FindWWing},
        {advanced::kRemotePairs, advanced::FindRemotePairs},
        {advanced::kXYZWing, advanced::FindXYZWing},
        {advanced::kFinnedXWing, advanced::FindFinnedXWing},
        {advanced::kFinnedSwordfish, advanced::FindFinnedSwordfish},
        {advanced::kXChain, advanced::FindXChain},
        {advanced::kXYChain, advanced::FindXYChain},
        {advanced::kNiceLoop, advanced::FindNiceLoop},
        {advanced::kGroupedNiceLoop, advanced::FindGroupedNiceLoop},
        {advanced::kUniqueRectangle1, advanced::FindUniqueRectangle1},
    };
    const auto puzzles = test::ReadCollection("top1465.txt");
    ASSERT_FALSE(puzzles.empty());
    Tally tally;
    for (std::size_t i = 0; i < puzzles.size() && i < 1465; i += 25) {
        Engine e;
        test::LoadPuzzle(e, puzzles[i]);
        const std::vector<AdvancedStep> steps = test::LogicSteps(e);
        for (std::size_t k = 0; k < steps.size(); ++k) {
            const Board board = advanced::TakeBoard(e);
            const std::string where =
                "top1465:" + std::to_string(i + 1) + " step " + std::to_string(k);
            // The step the solve took, basic ones with their removals.
            CheckDrawing(board, steps[k], tally, where);
            if (steps[k].technique == kXWing || steps[k].technique == kSwordfish) {
                // The fish's crossings, all holding its digit, are circled.
                const HintDrawing d = advanced::DrawStep(board, steps[k]);
                int circled = 0;
                for (const DrawnNode& n : d.nodes) circled += n.kind == NodeKind::kInvolved;
                EXPECT_EQ(circled, steps[k].cellCount) << where;
                EXPECT_GE(circled, steps[k].technique == kXWing ? 4 : 6) << where;
            }
            // And every finder that finds something here.
            for (const auto& [id, find] : finders) {
                AdvancedStep s;
                if (!find(board, s)) continue;
                s.technique = id;
                CheckDrawing(board, s, tally, where + " finder " + std::to_string(id));
                if (id == advanced::kFinnedXWing || id == advanced::kFinnedSwordfish)
                    CheckFish(board, s, where);
            }
            if (testing::Test::HasFailure()) return;
            e.ApplyAdvancedStep(steps[k]);
        }
    }
    // Every kind of drawing named here was met and checked.
    for (const int t : std::initializer_list<int>{
             advanced::kSkyscraper, advanced::kTwoStringKite, advanced::kWWing, advanced::kXYChain,
             advanced::kNiceLoop, advanced::kFinnedXWing, advanced::kGroupedNiceLoop, kXWing,
             kXYWing, kNakedPair})
        EXPECT_GT(tally.drawings[t], 0) << "no drawing of " << t << " was checked";
    for (const int t : std::initializer_list<int>{advanced::kSkyscraper, advanced::kWWing,
                                                  advanced::kXYChain, kXYWing})
        EXPECT_GT(tally.chainsEnded[t], 0) << "no chain of " << t << " had its ends checked";
    std::string per;
    for (const auto& [t, n] : tally.drawings)
        per += ' ' + std::to_string(t) + ':' + std::to_string(n);
    std::printf("drawings checked:%s; %d strong and %d weak links\n", per.c_str(), tally.strong,
                tally.weak);
    EXPECT_GT(tally.strong, 500);
    EXPECT_GT(tally.weak, 500);
}

// A skyscraper drawn by hand: two row links of one digit whose inner ends
// share a column; the drawing is the chain a = b - c = e.
TEST(HintDrawing, ASkyscraperIsItsChain) {
    Board b;
    AdvancedStep s;
    s.technique = advanced::kSkyscraper;
    const int digit = 4;
    const int a = 0, bb = 5, c = 23, e = 20; // r1c1 = r1c6 - r3c6 = r3c3
    s.digits = 1u << (digit - 1);
    const int ends[4] = {a, bb, c, e};
    for (int i = 0; i < 4; ++i) {
        b.mask[ends[i]] = static_cast<std::uint16_t>(1u << (digit - 1) | 1u);
        s.nodes[i] = {CellBit(ends[i]), digit, static_cast<std::int8_t>(i % 2)};
    }
    s.links[0] = Link::kStrong;
    s.links[1] = Link::kWeak;
    s.links[2] = Link::kStrong;
    s.nodeCount = 4;
    b.mask[11] = static_cast<std::uint16_t>(1u << (digit - 1));
    s.Eliminate(11, digit);
    const HintDrawing d = advanced::DrawStep(b, s);
    ASSERT_EQ(d.nodes.size(), 5u);
    ASSERT_EQ(d.links.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(d.nodes[d.links[i].from].cells, CellBit(ends[i]));
        EXPECT_EQ(d.nodes[d.links[i].to].cells, CellBit(ends[i + 1]));
        EXPECT_TRUE(d.links[i].arrow);
    }
    EXPECT_EQ(d.links[0].kind, Link::kStrong);
    EXPECT_EQ(d.links[1].kind, Link::kWeak);
    EXPECT_EQ(d.nodes[4].kind, NodeKind::kEliminated);
    EXPECT_EQ(d.nodes[4].cells, CellBit(11));
}

// The hint's step on the engine: a basic technique gets the removals its
// applier would make, and the engine is left as it was.
TEST(HintDrawing, TheHintStepLeavesTheEngineAlone) {
    const auto puzzles = test::ReadCollection("top1465.txt");
    ASSERT_FALSE(puzzles.empty());
    int withRemovals = 0;
    for (std::size_t i = 0; i < 200 && i < puzzles.size(); ++i) {
        Engine e;
        test::LoadPuzzle(e, puzzles[i]);
        // Play singles until the hint is something else.
        for (int n = 0; n < 81; ++n) {
            e.HintTechnique = 0;
            e.FindNextTechnique();
            if (e.HintTechnique != kNakedSingle && e.HintTechnique != kHiddenSingle) break;
            e.ApplyStep(e.HintTechnique);
        }
        if (e.HintTechnique == 0 || e.HintTechnique == kBruteForce) continue;
        const Candidates before = e.CandidateTable;
        const Grid grid = e.CellGrid[0];
        const AdvancedStep s = advanced::HintStep(e);
        EXPECT_TRUE(e.CandidateTable == before);
        EXPECT_EQ(test::TextOf(e.CellGrid[0]), test::TextOf(grid));
        Engine applied = e;
        applied.ApplyStep(e.HintTechnique);
        int gone = 0;
        for (int c = 0; c < 81; ++c)
            for (int d = 1; d <= 9; ++d)
                gone += before.Has(c, d) && !applied.CandidateTable.Has(c, d);
        EXPECT_EQ(s.eliminationCount, gone) << i;
        withRemovals += gone > 0;
        const HintDrawing d = advanced::DrawHint(e);
        EXPECT_FALSE(d.Empty());
    }
    EXPECT_GT(withRemovals, 20);
}

} // namespace
} // namespace vemo
