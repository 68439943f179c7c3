// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation_options.h"

#include "commands.h"

#include "engine/random.h"

#include <map>

namespace vemo::cli {

// Parses the options; on a bad one returns nothing and says why.
std::optional<Request> ParseRequest(const std::vector<std::string>& args, std::string& error) {
    static const std::map<std::string, int> difficulties = {
        {"facile", kFacile},        {"moyen", kMoyen},         {"difficile", kDifficile},
        {"extreme", kExtreme},      {"aleatoire", kAleatoire}, {"diabolique", kDiabolique},
        {"demoniaque", kDemoniaque}};
    static const std::map<std::string, int> symmetries = {{"none", kNoSymmetry},
                                                          {"central", kCentral},
                                                          {"axial", kAxial},
                                                          {"reflective", kReflective}};
    static const std::map<std::string, int> variants = {{"classic", kClassic},
                                                        {"nonconsecutive", kNonConsecutive},
                                                        {"consecutive", kConsecutive},
                                                        {"oddeven", kOddEven}};
    Request r;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--x") {
            r.x = 1;
            continue;
        }
        if (option == "--json") {
            r.json = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = option.rfind("--", 0) == 0 ? "option " + option + " needs a value"
                                               : "unexpected argument '" + option + "'";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        const auto pick = [&](const std::map<std::string, int>& table, int& out) {
            const auto it = table.find(value);
            if (it == table.end()) {
                error = "unknown value '" + value + "' for " + option;
                return false;
            }
            out = it->second;
            return true;
        };
        if (option == "--difficulty") {
            if (!pick(difficulties, r.difficulty)) return std::nullopt;
        } else if (option == "--symmetry") {
            if (!pick(symmetries, r.symmetry)) return std::nullopt;
        } else if (option == "--variant") {
            if (!pick(variants, r.variant)) return std::nullopt;
        } else if (option == "--count") {
            const auto n = ParseNumber(value, 1, 100000000);
            if (!n) {
                error = "--count takes a number from 1";
                return std::nullopt;
            }
            r.count = *n;
        } else if (option == "--seed") {
            const auto n = ParseNumber(value, 0, 999999999999999999);
            if (!n) {
                error = "--seed takes a non-negative number";
                return std::nullopt;
            }
            r.seed = static_cast<std::uint64_t>(*n);
        } else if (option == "--out") {
            r.out = value;
        } else if (option == "--jobs") {
            const auto n = ParseNumber(value, 1, 64);
            if (!n) {
                error = "--jobs takes a number from 1 to 64";
                return std::nullopt;
            }
            r.jobs = static_cast<int>(*n);
        } else {
            error = "unknown option '" + option + "'";
            return std::nullopt;
        }
    }
    return r;
}

std::uint64_t BaseSeed(const Request& request) {
    if (request.seed) return *request.seed;
    Random clock;
    clock.SeedFromClock();
    return clock.Next();
}

void GenerateOne(Engine& engine, const Request& r, std::uint64_t base, long long index) {
    engine.Rng.Seed(base * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(index));
    engine.SymmetryChoice = r.symmetry;
    engine.VariantKind = engine.VariantChoice = r.variant;
    engine.XSudoku = engine.XSudokuChoice = r.x;
    if (r.difficulty == kDiabolique || r.difficulty == kDemoniaque) {
        thread_local scale::ScaleRater rater;
        scale::GenerateOnScale(engine, r.difficulty, rater);
        return;
    }
    engine.SetDifficulty(r.difficulty);
    engine.GeneratePuzzle();
}

} // namespace vemo::cli
