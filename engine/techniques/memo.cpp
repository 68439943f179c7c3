// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memo.h"

namespace vemo {

namespace {

constexpr std::array<Bits81, kMemoUnits> kUnitCells = [] {
    std::array<Bits81, kMemoUnits> t{};
    for (int u = 0; u < kMemoUnits; ++u)
        for (const int c : kScanUnits[u].cells) t[u] |= CellBit(c);
    return t;
}();

} // namespace

void FinderMemo::RefreshMasks(const Candidates& now) {
    Bits81 changed = kAllCells;
    if (masksKnown) {
        changed = 0;
        for (int d = 1; d <= 9; ++d) changed |= table.CellsWith(d) ^ now.CellsWith(d);
        if (changed == 0) return;
    }
    table = now;
    masksKnown = true;
    ForEachCell(changed, [&](int c) { masks[c] = 0; });
    for (int d = 1; d <= 9; ++d) {
        const auto bit = static_cast<std::uint16_t>(1u << (d - 1));
        ForEachCell(now.CellsWith(d) & changed, [&](int c) { masks[c] |= bit; });
    }
    for (int u = 0; u < kMemoUnits; ++u)
        if ((changed & kUnitCells[u]) != 0) ++unitVersions[u];
}

} // namespace vemo
