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

// A digit is read from the key's text first, whatever the keyboard layout;
// then, for a key whose text is no digit (the French row & é " ' ( - è _ ç à,
// or any top-row key with Ctrl), from the physical key of the top row; and
// when no physical key is known, from the symbols of the top row.
KeyInput ReadKey(const QKeyEvent& event);

} // namespace vemo::ui
