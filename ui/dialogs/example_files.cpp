// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/dialogs/example_files.h"

#include <array>
#include <string_view>

namespace vemo::ui {

namespace {

// Indexed by result − 1.
constexpr std::array<std::string_view, 16> kStems = {
    "candidatunique", "candidatcaché", "verouille1-",     "verouille2-", "pairenue", "tripletnu",
    "quadrupletnu",   "pairecachée",   "Xwing",           "swordfish",   "couleur",  "multicouleur",
    "tripletcaché",   "XYwing",        "quadrupletcaché", "extreme",
};

} // namespace

int ExampleCount(int result) {
    if (result < 1 || result > kExtremeExamples) return 0;
    return result == kExtremeExamples ? 12 : 4;
}

std::string ExampleFileName(int result, int n) {
    if (n < 1 || n > ExampleCount(result)) return {};
    return std::string(kStems[static_cast<std::size_t>(result - 1)]) + std::to_string(n) + ".sku";
}

} // namespace vemo::ui
