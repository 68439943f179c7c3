// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer entry: the saved game reader on arbitrary bytes. A game it accepts
// is written back, and the reader accepts that text and gives the same game;
// the writer's text reads back as it was written.
#include "io/saved_game.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const vemo::io::SavedGameRead read = vemo::io::ParseSavedGame(bytes);
    if (read.status != vemo::io::SavedGameStatus::kOk) {
        if (read.game) std::abort(); // a refused file is never half used
        return 0;
    }
    if (!read.game) std::abort();
    const std::string text = vemo::io::SavedGameText(*read.game);
    const vemo::io::SavedGameRead again = vemo::io::ParseSavedGame(text);
    if (again.status != vemo::io::SavedGameStatus::kOk || !again.game) std::abort();
    // Written once more, the text is the same.
    if (!(*again.game == *read.game) || vemo::io::SavedGameText(*again.game) != text)
        std::abort();
    return 0;
}
