// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// vemotarn-cli: solving, rating, hinting and generating from the command line.
#include "commands.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace vemo::cli {

namespace {
std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}
} // namespace

bool RegisterCommand(const Command& command) {
    Registry().push_back(command);
    return true;
}

const std::vector<Command>& Commands() {
    return Registry();
}

std::optional<long long> ParseNumber(const std::string& text, long long low, long long high) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    long long value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    if (value < low || value > high) return std::nullopt;
    return value;
}

int UsageError(const Command& command, const std::string& message) {
    std::cerr << "vemotarn-cli: " << message << "\nusage: vemotarn-cli " << command.name << ' '
              << command.usage << '\n';
    return kExitUsage;
}

} // namespace vemo::cli

namespace {

void PrintHelp(std::ostream& out) {
    auto commands = vemo::cli::Commands();
    std::sort(commands.begin(), commands.end(),
              [](const auto& a, const auto& b) { return std::strcmp(a.name, b.name) < 0; });
    out << "usage: vemotarn-cli COMMAND [ARGUMENTS]\n\n"
           "Puzzle files hold one puzzle per line: 81 characters, 1..9 for a digit,\n"
           "'.' or '0' for an empty cell. '-' reads standard input.\n\ncommands:\n";
    for (const auto& c : commands) {
        std::string head = std::string(c.name) + ' ' + c.usage;
        out << "  " << head;
        for (std::size_t i = head.size(); i < 34; ++i) out << ' ';
        out << ' ' << c.summary << '\n';
    }
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc < 2) {
        PrintHelp(std::cerr);
        return vemo::cli::kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "-h" || name == "--help" || name == "help") {
        PrintHelp(std::cout);
        return vemo::cli::kExitOk;
    }
    for (const auto& command : vemo::cli::Commands()) {
        if (name == command.name) return command.run({argv + 2, argv + argc});
    }
    std::cerr << "vemotarn-cli: unknown command '" << name << "'\n";
    PrintHelp(std::cerr);
    return vemo::cli::kExitUsage;
}
