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

// Colours are +k / -k for chain k; 0 is uncoloured.
struct Presence {
    // [unit kind 0 row, 1 column, 2 box][unit][chain][0 plus, 1 minus]
    std::array<std::array<std::array<std::array<int, 2>, kMaxChains>, 9>, 3> count{};
    int& At(int kind, int unit, int colour) {
        return count[kind][unit][colour > 0 ? colour : -colour][colour > 0 ? 0 : 1];
    }
    int At(int kind, int unit, int colour) const {
        return count[kind][unit][colour > 0 ? colour : -colour][colour > 0 ? 0 : 1];
    }
};

const UnitTable& UnitsOfKind(int kind) {
    return kind == 0 ? RowCells : kind == 1 ? ColumnCells : BoxCells;
}

} // namespace

void Engine::FindColouring() {
    Colouring = {};
    Colouring.eliminations.fill(-1);
    std::array<int, 81> colourOf{};
    Presence presence;
    // link[k][m][i]: some unit holds a cell of each colour of combination i:
    // (+k,+m), (+k,-m), (-k,+m), (-k,-m).
    std::array<std::array<std::array<bool, 4>, kMaxChains>, kMaxChains> link{};

    for (int d = 1; d <= 9; ++d) {
        const Bits81 places = CandidateTable.CellsWith(d);
        if (CountCells(places) <= 4) continue;
        // The finding for a digit rests on its places alone.
        if (memo_.colouring.Nothing(d, places)) continue;
        colourOf.fill(0);
        int n = 1;
        const auto pairOf = [&](const std::array<int, 9>& unit, int& p, int& q) {
            int found = 0;
            for (const int c : unit) {
                if (!HasCell(places, c)) continue;
                if (++found == 1)
                    p = c;
                else if (found == 2)
                    q = c;
            }
            return found == 2;
        };
        for (int r = 0; r < 9; ++r) {
            int p = 0, q = 0;
            if (!pairOf(RowCells[r], p, q)) continue;
            colourOf[p] = n;
            colourOf[q] = -n;
            ++n;
        }
        for (int kind = 1; kind <= 2; ++kind) {
            for (int u = 0; u < 9; ++u) {
                int p = 0, q = 0;
                if (!pairOf(UnitsOfKind(kind)[u], p, q)) continue;
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

        presence = {};
        ForEachCell(places, [&](int c) {
            if (colourOf[c] == 0) return;
            for (int kind = 0; kind < 3; ++kind)
                ++presence.At(kind, CellUnits[c][kind], colourOf[c]);
        });
        for (auto& row : link)
            for (auto& entry : row) entry.fill(false);
        for (int kind = 0; kind < 3; ++kind)
            for (int u = 0; u < 9; ++u)
                for (int k = 1; k <= chains; ++k)
                    for (int m = k + 1; m <= chains; ++m) {
                        const int combos[4][2] = {{k, m}, {k, -m}, {-k, m}, {-k, -m}};
                        for (int i = 0; i < 4; ++i)
                            if (presence.At(kind, u, combos[i][0]) > 0 &&
                                presence.At(kind, u, combos[i][1]) > 0)
                                link[k][m][i] = true;
                    }

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
        for (int u = 0; u < 9; ++u)
            for (const int sign : {1, -1})
                for (int k = 1; k <= chains; ++k) {
                    const int colour = sign * k;
                    if (presence.At(0, u, colour) >= 2 || presence.At(1, u, colour) >= 2 ||
                        presence.At(2, u, colour) >= 2) {
                        Colouring.found = 1;
                        Colouring.digit = d;
                        listColour(colour);
                        keepChains(k, 0);
                        return;
                    }
                }

        // x sees a colour through a unit that holds a cell of it, x not of it.
        const auto sees = [&](int x, int kind, int colour) {
            return colourOf[x] != colour && presence.At(kind, CellUnits[x][kind], colour) > 0;
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
        int multiCell = -1, multiPair = 0, multiFirst = 0, multiSecond = 0;
        ForEachCell(places, [&](int x) {
            if (multiCell >= 0) return;
            for (int k = 1; k <= chains - 1 && multiCell < 0; ++k)
                for (int m = k + 1; m <= chains && multiCell < 0; ++m) {
                    const int combos[4][2] = {{k, m}, {k, -m}, {-k, m}, {-k, -m}};
                    for (int i = 0; i < 4 && multiCell < 0; ++i) {
                        if (!link[k][m][i]) continue;
                        for (int pair = 0; pair < 3; ++pair) {
                            if (seesBoth(x, -combos[i][0], -combos[i][1], pair)) {
                                multiCell = x;
                                multiPair = pair + 1;
                                multiFirst = k;
                                multiSecond = m;
                                break;
                            }
                        }
                    }
                }
        });
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
