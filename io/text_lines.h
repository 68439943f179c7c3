// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Splitting the program's own record files (the saved game, the records)
// into lines and blank-separated words, without copying.
#pragma once

#include <string_view>
#include <vector>

namespace vemo::io {

// The lines of `bytes`, each without its "\n" or "\r\n"; a last line without
// an end counts.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// The words of `line`, separated by one or more blanks.
std::vector<std::string_view> SplitWords(std::string_view line);

} // namespace vemo::io
