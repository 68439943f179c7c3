// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scale_rating.h"

#include "engine/scale/scale.h"

#include <array>
#include <cstdio>

namespace vemo::cli {

int ScaleEr(const Engine& engine, std::string* line) {
    thread_local scale::ScaleRater rater;
    const scale::ScaleRating r = rater.Rate(engine);
    if (line != nullptr) {
        *line = scale::FormatScale(r.er) + '/' + scale::FormatScale(r.ep) + '/' +
                scale::FormatScale(r.ed);
        *line += ' ' + (r.er >= scale::kNothingFound
                            ? std::string("-")
                            : scale::ScaleTechniqueName(r.hardestTechnique, r.hardestLevel));
    }
    return r.er;
}

std::string ScaleLine(const Engine& engine) {
    std::string line;
    ScaleEr(engine, &line);
    return line;
}

std::string ScaleHistogram(const std::vector<int>& ers) {
    // Bands 1.0-1.9 ... 9.0-9.9, 10.0 and above, and nothing found.
    std::array<long long, 12> count{};
    for (const int er : ers) {
        if (er >= scale::kNothingFound)
            ++count[11];
        else
            ++count[er >= 100 ? 10 : (er < 10 ? 1 : er / 10)];
    }
    std::string text = "ER        puzzles\n";
    char row[64];
    for (int b = 1; b <= 11; ++b) {
        if (b <= 9)
            std::snprintf(row, sizeof row, "%d.0-%d.9  %7lld\n", b, b, count[b]);
        else if (b == 10)
            std::snprintf(row, sizeof row, "10.0+    %7lld\n", count[b]);
        else
            std::snprintf(row, sizeof row, "none     %7lld\n", count[b]);
        text += row;
    }
    return text;
}

} // namespace vemo::cli
