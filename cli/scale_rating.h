// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The community's scale in the command-line tool: one puzzle's line and the
// ER histogram of a batch.
#pragma once

#include "engine/engine.h"

#include <string>
#include <vector>

namespace vemo::cli {

// ER of the puzzle at level 0 of the engine, in tenths (200: nothing found),
// with a rater of the calling thread's own.
int ScaleEr(const Engine& engine, std::string* line = nullptr);

// "ER/EP/ED hardest step" for the puzzle at level 0, e.g. "7.2/7.2/1.2 Forcing XY-chain".
std::string ScaleLine(const Engine& engine);

// The histogram of ERs (tenths), by bands of one unit, as text.
std::string ScaleHistogram(const std::vector<int>& ers);

} // namespace vemo::cli
