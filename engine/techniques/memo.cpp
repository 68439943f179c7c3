// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memo.h"

namespace vemo {

void FinderMemo::RefreshMasks(const Candidates& now) {
    if (masksKnown && table == now) return;
    table = now;
    masksKnown = true;
    masks.fill(0);
    for (int d = 1; d <= 9; ++d) {
        const auto bit = static_cast<std::uint16_t>(1u << (d - 1));
        ForEachCell(now.CellsWith(d), [&](int c) { masks[c] |= bit; });
    }
    for (int u = 0; u < kMemoUnits; ++u) {
        Bits81 key = 0;
        for (int i = 0; i < 9; ++i) key |= Bits81{masks[kScanUnits[u].cells[i]]} << (9 * i);
        unitKeys[u] = key;
    }
}

} // namespace vemo
