// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// An example file of the program's examples folder, loaded and analysed.
#pragma once

#include "engine/engine.h"
#include "io/puzzle_file.h"

#include <gtest/gtest.h>

#include <string>

namespace vemo {

inline Engine AnalysedExample(const std::string& name) {
    Engine e;
    const io::LoadReport r =
        io::LoadPuzzleFile(std::string(VEMO_SOURCE_DIR) + "/data/exemples/" + name, e);
    EXPECT_EQ(r.outcome, io::LoadOutcome::kInstalled) << name;
    e.PuzzleFixed = true;
    e.AnalysePuzzle();
    return e;
}

} // namespace vemo
