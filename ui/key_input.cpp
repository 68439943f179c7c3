// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "key_input.h"

#include <QKeyEvent>

namespace vemo::ui {

namespace {

int TopRowDigit(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key - Qt::Key_0;
    switch (key) {
    // US layout with Shift.
    case Qt::Key_ParenRight:
        return 0;
    case Qt::Key_Exclam:
        return 1;
    case Qt::Key_At:
        return 2;
    case Qt::Key_NumberSign:
        return 3;
    case Qt::Key_Dollar:
        return 4;
    case Qt::Key_Percent:
        return 5;
    case Qt::Key_AsciiCircum:
        return 6;
    case Qt::Key_Ampersand:
        return 7;
    case Qt::Key_Asterisk:
        return 8;
    case Qt::Key_ParenLeft:
        return 9;
    // French layout without Shift (& and ( are taken by the US row above).
    case Qt::Key_Agrave:
        return 0;
    case Qt::Key_Eacute:
        return 2;
    case Qt::Key_QuoteDbl:
        return 3;
    case Qt::Key_Apostrophe:
        return 4;
    case Qt::Key_Minus:
        return 6;
    case Qt::Key_Egrave:
        return 7;
    case Qt::Key_Underscore:
        return 8;
    case Qt::Key_Ccedilla:
        return 9;
    default:
        return -1;
    }
}

} // namespace

KeyInput ReadKey(const QKeyEvent& event) {
    KeyInput in;
    const Qt::KeyboardModifiers mods = event.modifiers();
    in.keypad = mods.testFlag(Qt::KeypadModifier);
    in.shift = mods.testFlag(Qt::ShiftModifier);
    in.ctrl = mods.testFlag(Qt::ControlModifier);
    switch (event.key()) {
    case Qt::Key_Shift:
        in.kind = KeyInput::Kind::Shift;
        return in;
    case Qt::Key_Left:
        in.kind = KeyInput::Kind::Left;
        return in;
    case Qt::Key_Right:
        in.kind = KeyInput::Kind::Right;
        return in;
    case Qt::Key_Up:
        in.kind = KeyInput::Kind::Up;
        return in;
    case Qt::Key_Down:
        in.kind = KeyInput::Kind::Down;
        return in;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        in.kind = KeyInput::Kind::Enter;
        return in;
    case Qt::Key_Delete:
        in.kind = KeyInput::Kind::Delete;
        return in;
    default:
        break;
    }
    int digit = -1;
    const QString text = event.text();
    const quint32 code = event.nativeScanCode();
    if (in.keypad) {
        if (event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9) digit = event.key() - Qt::Key_0;
    } else if (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) {
        // The key's own text, whatever the layout that made it.
        digit = text[0].unicode() - '0';
    } else if (code >= 10 && code <= 19) {
        // On X11 the keys of the top row are key codes 10 ("1") to 19 ("0")
        // whatever the keyboard layout and the modifiers.
        digit = code == 19 ? 0 : static_cast<int>(code) - 9;
    } else if (code == 0) {
        // No physical key known: the key codes of the top row's symbols.
        digit = TopRowDigit(event.key());
    }
    if (digit >= 0) {
        in.kind = KeyInput::Kind::Digit;
        in.digit = digit;
    }
    return in;
}

} // namespace vemo::ui
