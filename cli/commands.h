// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The sub-commands of vemotarn-cli. Each source file registers its own commands.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vemo::cli {

// Exit statuses: 0 success, 1 some input could not be read, 2 bad usage.
inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitUsage = 2;

struct Command {
    const char* name;
    const char* usage;   // arguments, e.g. "FILE|-"
    const char* summary; // one line for the help text
    int (*run)(const std::vector<std::string>& args);
};

bool RegisterCommand(const Command& command);
const std::vector<Command>& Commands();

// A decimal number of at most 18 digits within low..high; nothing otherwise.
std::optional<long long> ParseNumber(const std::string& text, long long low, long long high);

// Prints "vemotarn-cli: message" and the command's usage to standard error.
int UsageError(const Command& command, const std::string& message);

} // namespace vemo::cli
