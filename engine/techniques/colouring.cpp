// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Colouring and multi-colouring. For one digit, the cells of every unit with
// exactly two places of it (a conjugate pair: one of them is the digit) are
// linked into chains whose two sides get opposite colours. A colour twice in a
// unit is false (wrap); a cell seeing both colours of a chain is not the digit
// (trap); for two chains whose colours see each other, a cell seeing the two
// opposite colours is not the digit either (multi-colouring).
#include "../engine.h"

namespace vemo {

namespace {

// A digit has at most one chain per unit that holds a conjugate pair, so 27
// chains at the most: the tables hold 32 and never overflow.
constexpr int kMaxChains = 32;

// Colours are +k / -k for chain k; 0 is uncoloured. Per colour, the units of
// each kind that hold a cell of it, and those that hold two or more.
struct Presence {
    // [unit kind 0 row, 1 column, 2 box][2k plus, 2k + 1 minus]: bit u for unit u
    std::array<std::array<std::uint16_t, 2 * kMaxChains>, 3> any;
    std::array<std::array<std::uint16_t, 2 * kMaxChains>, 3> twice;

    static int Index(int colour) { return colour > 0 ? 2 * colour : -2 * colour + 1; }
    // Empties the entries of chains 1..chains.
    void Clear(int chains) {
        for (int kind = 0; kind < 3; ++kind)
            for (int i = 0; i < 2 * (chains + 1); ++i) any[kind][i] = twice[kind][i] = 0;
    }
    void Add(int kind, int unit, int colour) {
        const auto bit = static_cast<std::uint16_t>(1u << unit);
        const int i = Index(colour);
        twice[kind][i] |= any[kind][i] & bit;
        any[kind][i] |= bit;
    }
    bool Holds(int kind, int unit, int colour) const {
        return (any[kind][Index(colour)] >> unit & 1) != 0;
    }
    bool HoldsTwice(int kind, int unit, int colour) const {
        return (twice[kind][Index(colour)] >> unit & 1) != 0;
    }
    // Some unit holds a cell of each colour.
    bool Linked(int first, int second) const {
        for (int kind = 0; kind < 3; ++kind)
            if ((any[kind][Index(first)] & any[kind][Index(second)]) != 0) return true;
        return false;
    }
};

constexpr std::array<std::array<Bits81, 9>, 3> kUnitMasks = {kRowMask, kColumnMask, kBoxMask};

} // namespace

void Engine::FindColouring() {
    Colouring = {};
    Colouring.eliminations.fill(-1);
    std::array<int, 81> colourOf{};
    Presence presence;
    // The linked colour combinations (+k,+m), (+k,-m), (-k,+m), (-k,-m) of
    // chains k < m, in that order: some unit holds a cell of each colour.
    struct Link {
        int k, m, first, second;
    };
    std::array<Link, 4 * kMaxChains*(kMaxChains - 1) / 2> links;

    for (int d = 1; d <= 9; ++d) {
        const Bits81 places = CandidateTable.CellsWith(d);
        if (CountCells(places) <= 4) continue;
        // The finding for a digit rests on its places alone.
        if (memo_.colouring.Nothing(d, places)) continue;
        colourOf.fill(0);
        int n = 1;
        // The two places of the digit in a unit, in the unit's order (which
        // is cell order for rows, columns and boxes alike).
        const auto pairOf = [&](int kind, int unit, int& p, int& q) {
            const Bits81 here = places & kUnitMasks[kind][unit];
            if (CountCells(here) != 2) return false;
            p = FirstCell(here);
            q = FirstCell(here & (here - 1));
            return true;
        };
        for (int r = 0; r < 9; ++r) {
            int p = 0, q = 0;
            if (!pairOf(0, r, p, q)) continue;
            colourOf[p] = n;
            colourOf[q] = -n;
            ++n;
        }
        for (int kind = 1; kind <= 2; ++kind) {
            for (int u = 0; u < 9; ++u) {
                int p = 0, q = 0;
                if (!pairOf(kind, u, p, q)) continue;
                const int cp = colourOf[p], cq = colourOf[q];
                if (cp == 0 && cq == 0) {
                    colourOf[p] = n;
                    colourOf[q] = -n;
                    ++n;
                } else if (cq == 0) {
                    colourOf[q] = -cp;
                } else if (cp == 0) {
                    colourOf[p] = -cq;
                } else if (cp != -cq) {
                    // Merge: the chain with the larger number goes into the other.
                    const bool pIsX = std::abs(cp) >= std::abs(cq);
                    const int a = pIsX ? cp : cq;
                    const int b = pIsX ? cq : cp;
                    for (int& colour : colourOf) {
                        if (colour == a) colour = -b;
                        if (colour == -a) colour = b;
                    }
                }
            }
        }
        const int chains = n - 1;

        presence.Clear(chains);
        ForEachCell(places, [&](int c) {
            if (colourOf[c] == 0) return;
            for (int kind = 0; kind < 3; ++kind)
                presence.Add(kind, CellUnits[c][kind], colourOf[c]);
        });

        // Every cell of a colour, in cell order, as far as the list holds them.
        const auto listColour = [&](int colour) {
            int slot = 0;
            ForEachCell(places, [&](int c) {
                if (colourOf[c] == colour && slot < kColouringSlots)
                    Colouring.eliminations[slot++] = c;
            });
        };
        const auto keepChains = [&](int first, int second) {
            for (int c = 0; c < 81; ++c)
                Colouring.colours[c] = static_cast<std::int8_t>(colourOf[c]);
            Colouring.chains = {first, second};
        };
        const auto finish = [&](int found, int unitPair, int x) {
            Colouring.found = found;
            Colouring.unitPair = unitPair;
            Colouring.digit = d;
            if (colourOf[x] == 0)
                Colouring.eliminations[0] = x;
            else
                listColour(colourOf[x]);
        };

        // Wrap: a colour twice in one unit.
        bool twice = false;
        for (int kind = 0; kind < 3; ++kind)
            for (int i = 2; i < 2 * (chains + 1); ++i) twice |= presence.twice[kind][i] != 0;
        if (twice) {
            for (int u = 0; u < 9; ++u)
                for (const int sign : {1, -1})
                    for (int k = 1; k <= chains; ++k) {
                        const int colour = sign * k;
                        if (presence.HoldsTwice(0, u, colour) ||
                            presence.HoldsTwice(1, u, colour) ||
                            presence.HoldsTwice(2, u, colour)) {
                            Colouring.found = 1;
                            Colouring.digit = d;
                            listColour(colour);
                            keepChains(k, 0);
                            return;
                        }
                    }
        }

        // x sees a colour through a unit that holds a cell of it, x not of it.
        const auto sees = [&](int x, int kind, int colour) {
            return colourOf[x] != colour && presence.Holds(kind, CellUnits[x][kind], colour);
        };
        constexpr int kUnitPairs[3][2] = {{0, 1}, {0, 2}, {1, 2}};
        const auto seesBoth = [&](int x, int first, int second, int pair) {
            const int u1 = kUnitPairs[pair][0], u2 = kUnitPairs[pair][1];
            return (sees(x, u1, first) && sees(x, u2, second)) ||
                   (sees(x, u1, second) && sees(x, u2, first));
        };

        // Trap: both colours of one chain, through two different units.
        int trapCell = -1, trapPair = 0, trapChain = 0;
        ForEachCell(places, [&](int x) {
            if (trapCell >= 0) return;
            for (int k = 1; k <= chains && trapCell < 0; ++k) {
                if (colourOf[x] == k || colourOf[x] == -k) continue;
                for (int pair = 0; pair < 3; ++pair) {
                    if (seesBoth(x, k, -k, pair)) {
                        trapCell = x;
                        trapPair = pair + 1;
                        trapChain = k;
                        break;
                    }
                }
            }
        });
        if (trapCell >= 0) {
            finish(2, trapPair, trapCell);
            keepChains(trapChain, 0);
            return;
        }

        // Multi-colouring: of two linked colours a and b one is false, so one of
        // -a and -b is true; a cell seeing both is not the digit.
        int linkCount = 0;
        for (int k = 1; k <= chains - 1; ++k)
            for (int m = k + 1; m <= chains; ++m) {
                const int combos[4][2] = {{k, m}, {k, -m}, {-k, m}, {-k, -m}};
                for (int i = 0; i < 4; ++i)
                    if (presence.Linked(combos[i][0], combos[i][1]))
                        links[linkCount++] = {k, m, -combos[i][0], -combos[i][1]};
            }
        int multiCell = -1, multiPair = 0, multiFirst = 0, multiSecond = 0;
        if (linkCount > 0) {
            ForEachCell(places, [&](int x) {
                if (multiCell >= 0) return;
                for (int j = 0; j < linkCount && multiCell < 0; ++j) {
                    const Link& link = links[j];
                    for (int pair = 0; pair < 3; ++pair) {
                        if (seesBoth(x, link.first, link.second, pair)) {
                            multiCell = x;
                            multiPair = pair + 1;
                            multiFirst = link.k;
                            multiSecond = link.m;
                            break;
                        }
                    }
                }
            });
        }
        if (multiCell >= 0) {
            finish(3, multiPair, multiCell);
            keepChains(multiFirst, multiSecond);
            return;
        }
        memo_.colouring.SetNothing(d, places);
    }
}

void Engine::ApplyColouring() {
    if (Colouring.found == 0 || Colouring.digit < 1 || Colouring.digit > 9) return;
    for (int i = 0; i < kColouringSlots; ++i) {
        const int c = Colouring.eliminations[i];
        if (c < 0 || c >= kCells) break;
        CandidateTable.Remove(c, Colouring.digit);
    }
}

} // namespace vemo
