// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The example puzzles behind each result of the examples dialog: stem +
// number + ".sku" in the examples folder, numbers counted from 1.
#pragma once

#include <string>

namespace vemo::ui {

inline constexpr int kExamplesCancelled = -1;
inline constexpr int kExtremeExamples = 16;

// How many files a result has: 4 for the techniques 1..15, 12 for 16, 0 for
// anything else.
int ExampleCount(int result);

// The file name (UTF-8) of puzzle n of a result, e.g. "candidatcaché2.sku";
// empty when the result or the number is out of range.
std::string ExampleFileName(int result, int n);

} // namespace vemo::ui
