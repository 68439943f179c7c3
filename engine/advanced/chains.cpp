// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The four chain finders: one link graph each, searched by FindShortestChain
// (links.h). The shortest chain wins; between chains of one length, the one
// whose first node comes first (cells in order, then digits, then groups),
// then the first found by the breadth-first walk from it.
#include "chains.h"

#include "ids.h"
#include "links.h"

namespace vemo::advanced {

namespace {

// The graph of the finder at work, kept from one call to the next: Build()
// sets all that the search reads, and a fresh graph would clear some 30 KB
// of tables each time.
LinkGraph& ChainGraph() {
    struct ChainGraphTag {};
    return ThreadTable<LinkGraph, ChainGraphTag>();
}

} // namespace

// The shortest X-Chain over all digits at once: the digits' graphs side by
// side, joined by nothing.
bool FindXChain(const Board& board, AdvancedStep& step) {
    return FindXChainIn(board, kEveryDigit, step);
}

bool FindXChainIn(const Board& board, unsigned digits, AdvancedStep& step) {
    LinkOptions options;
    options.digits = digits;
    options.sameDigit = true;
    options.cellStrong = false;
    LinkGraph& graph = ChainGraph();
    graph.Build(board, options);
    return FindShortestChain(graph, kXChain, kMaxChainNodes + 1, step) != 0;
}

// Bivalue cells only, each cell's two digits its strong link, the weak links
// between candidates of different cells.
bool FindXYChain(const Board& board, AdvancedStep& step) {
    LinkOptions options;
    options.unitStrong = false;
    options.bivalueOnly = true;
    LinkGraph& graph = ChainGraph();
    graph.Build(board, options);
    return FindShortestChain(graph, kXYChain, kMaxChainNodes + 1, step) != 0;
}

// Every strong link (bivalue cells, units with two places for a digit) and
// every weak link: alternating inference chains and nice loops.
bool FindNiceLoop(const Board& board, AdvancedStep& step) {
    LinkGraph& graph = ChainGraph();
    graph.Build(board, LinkOptions{});
    return FindShortestChain(graph, kNiceLoop, kMaxChainNodes + 1, step) != 0;
}

// The same with the box-line groups of each digit as nodes.
bool FindGroupedNiceLoop(const Board& board, AdvancedStep& step) {
    LinkOptions options;
    options.groups = true;
    LinkGraph& graph = ChainGraph();
    graph.Build(board, options);
    return FindShortestChain(graph, kGroupedNiceLoop, kMaxChainNodes + 1, step) != 0;
}

} // namespace vemo::advanced
