// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chains.h"

#include "ids.h"
#include "links.h"

namespace vemo::advanced {

// The shortest X-Chain over all digits at once: the digits' graphs side by
// side, joined by nothing.
bool FindXChain(const Board& board, AdvancedStep& step) {
    LinkOptions options;
    options.sameDigit = true;
    options.cellStrong = false;
    LinkGraph graph;
    graph.Build(board, options);
    return FindShortestChain(graph, kXChain, kMaxChainNodes + 1, step) != 0;
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
