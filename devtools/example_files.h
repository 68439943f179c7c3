// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The example files of a technique already in a folder: stem1.sku, stem2.sku...
#pragma once

#include <filesystem>
#include <string>

namespace vemo::devtools {

inline int ExampleFilesOf(const std::filesystem::path& folder, const std::string& stem) {
    int n = 0;
    while (std::filesystem::exists(folder /
                                   std::filesystem::u8path(stem + std::to_string(n + 1) + ".sku")))
        ++n;
    return n;
}

} // namespace vemo::devtools
