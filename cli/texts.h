// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's own texts for the command-line tool: technique and level names.
#pragma once

#include <string>

namespace vemo::cli {

class Texts {
  public:
    // Language text by number; the built-in French name where the tool has one.
    std::string Text(int identifier) const;
    std::string TechniqueName(int technique) const;
};

const Texts& ProgramTexts();

} // namespace vemo::cli
