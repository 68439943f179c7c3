// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A key press as the board's key handler sees it: which key, and whether it
// came from the numeric keypad with Shift or Ctrl held.
#pragma once

class QKeyEvent;

namespace vemo::ui {

struct KeyInput {
    enum class Kind { Other, Shift, Left, Right, Up, Down, Digit, Enter, Delete };
    Kind kind = Kind::Other;
    int digit = -1; // 0..9 for Kind::Digit
    bool keypad = false;
    bool shift = false;
    bool ctrl = false;
};

// Top-row digits are recognised whatever the keyboard layout gives without
// Shift (the French row & é " ' ( - è _ ç à) or with it (! @ # ... on a US
// keyboard), so that "Shift + top-row digit" means the same key everywhere.
KeyInput ReadKey(const QKeyEvent& event);

} // namespace vemo::ui
