// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chains.h"

#include "ids.h"
#include "links.h"

namespace vemo::advanced {

// The shortest X-Chain over all digits; a tie goes to the lower digit.
bool FindXChain(const Board& board, AdvancedStep& step) {
    LinkGraph graph;
    int best = kMaxChainNodes + 1;
    bool found = false;
    for (int d = 1; d <= 9; ++d) {
        LinkOptions options;
        options.digit = d;
        options.cellStrong = false;
        graph.Build(board, options);
        AdvancedStep candidate;
        const int nodes = FindShortestChain(graph, kXChain, best, candidate);
        if (nodes == 0) continue;
        best = nodes;
        step = candidate;
        found = true;
    }
    return found;
}

bool FindXYChain(const Board& board, AdvancedStep& step) {
    LinkOptions options;
    options.unitStrong = false;
    options.bivalueOnly = true;
    LinkGraph graph;
    graph.Build(board, options);
    return FindShortestChain(graph, kXYChain, kMaxChainNodes + 1, step) != 0;
}

bool FindNiceLoop(const Board& board, AdvancedStep& step) {
    LinkGraph graph;
    graph.Build(board, LinkOptions{});
    return FindShortestChain(graph, kNiceLoop, kMaxChainNodes + 1, step) != 0;
}

bool FindGroupedNiceLoop(const Board& board, AdvancedStep& step) {
    LinkOptions options;
    options.groups = true;
    LinkGraph graph;
    graph.Build(board, options);
    return FindShortestChain(graph, kGroupedNiceLoop, kMaxChainNodes + 1, step) != 0;
}

} // namespace vemo::advanced
