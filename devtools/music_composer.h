// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The five short pieces the congratulations box plays: a melody over a
// chord progression with an accompaniment and a bass line, each piece with
// its own key, metre, tempo and General MIDI instruments.
#pragma once

#include <string>

namespace vemo::devtools {

inline constexpr int kPieceCount = 5;

// The Standard MIDI File of piece 1..kPieceCount; the same bytes every time.
std::string ComposePiece(int number);

} // namespace vemo::devtools
