// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The usage and summary lines of the two PDF commands, shared by the
// command-line tool's help and the PDF program that runs them.
#pragma once

namespace vemo::cli {

inline constexpr const char* kPrintUsage =
    "FILE [--what puzzle|position|solution] [--dpi N] --out OUT.pdf";
inline constexpr const char* kPrintSummary =
    "a puzzle file printed as the window prints it, as a PDF page";
inline constexpr const char* kSheetUsage =
    "[--difficulty D] [--symmetry S] [--variant V] [--x] [--seed S] [--dpi N] --out OUT.pdf";
inline constexpr const char* kSheetSummary = "four new puzzles on one PDF page";

} // namespace vemo::cli
