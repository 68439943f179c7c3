// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer entry: the puzzle readers and the paste parser on arbitrary bytes.
// Every outcome must leave a well-formed puzzle: digits 0..9, shading 1 or 2,
// bar counts equal to the bars.
#include "io/grid_text.h"
#include "io/puzzle_text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(const vemo::io::ParsedPuzzle& p) {
    for (int c = 0; c < 81; ++c) {
        if (p.cells[c] > 9) std::abort();
        if (p.parityMarks[c] != 1 && p.parityMarks[c] != 2) std::abort();
        int bars = 0;
        for (int k = 1; k <= 4; ++k) bars += p.neighbourMarks[c][k] == 1 ? 1 : 0;
        if (p.neighbourMarks[c][0] != bars) std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check(vemo::io::ReadPuzzleFile(text).puzzle);
    Check(vemo::io::ReadFreeLayout(text).puzzle);
    Check(vemo::io::ParsePastedText(text).puzzle);
    return 0;
}
