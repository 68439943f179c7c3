// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The advanced layer from the command line: hint --advanced, analyse
// --advanced and solve --logic, each with an optional --techniques LIST.
#pragma once

#include "commands.h"

#include "engine/advanced/catalogue.h"

#include <optional>
#include <string>
#include <vector>

namespace vemo::cli {

struct LogicOptions {
    bool advanced = false;    // --advanced (hint, analyse)
    bool logic = false;       // --logic (solve)
    unsigned families = 0x7F; // --techniques LIST; every family by default
    bool techniquesGiven = false;
    std::vector<std::string> rest; // the other arguments, in order
};

// Takes --advanced, --logic and --techniques LIST out of the arguments; nothing,
// with the reason in error, when LIST names an unknown family.
std::optional<LogicOptions> TakeLogicOptions(const std::vector<std::string>& args,
                                             std::string& error);

// The names --techniques accepts, comma-separated.
std::string FamilyList();

int RunAdvancedHint(const Command& command, const LogicOptions& options);
int RunAdvancedAnalyse(const Command& command, const LogicOptions& options);
int RunLogicSolve(const Command& command, const LogicOptions& options);

} // namespace vemo::cli
