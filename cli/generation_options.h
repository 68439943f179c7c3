// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The generation options shared by generate and sheet, and the seeding that
// makes a seeded run reproducible whatever the number of jobs.
#pragma once

#include "engine/engine.h"
#include "engine/generator/generation.h"
#include "engine/generator/symmetry.h"
#include "engine/scale/levels.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vemo::cli {

struct Request {
    int difficulty = kMoyen;
    int symmetry = kCentral;
    int variant = kClassic;
    int x = 0;
    long long count = 1;
    std::optional<std::uint64_t> seed;
    int jobs = 1;
    bool json = false;
    std::string out;
};

// Parses the options; on a bad one returns nothing and says why. "--out"
// takes a file name, kept in `out`.
std::optional<Request> ParseRequest(const std::vector<std::string>& args, std::string& error);

// The seed of a run: the given one, or one from the clock.
std::uint64_t BaseSeed(const Request& request);

// Puzzle `index` of a run, made with its own seed.
void GenerateOne(Engine& engine, const Request& request, std::uint64_t base, long long index);

} // namespace vemo::cli
