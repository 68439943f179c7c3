// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Which language entry belongs to which element of the windows. Each element
// is named by its object name; the window sets these names on its widgets and
// actions and applies the entries by kind.
#pragma once

#include <span>
#include <string_view>

namespace vemo::io {

enum class ElementKind {
    kTabPage,    // caption = (id, 0)
    kToolButton, // hint = (id, 1)
    kMenuItem,   // caption = (id, 0)
    kPanel,      // caption = (id, 0), hint = (id, 1)
    kLabel,      // caption = (id, 0), hint = (id, 1)
    kButton,     // caption = (id, 0), hint = (id, 1)
    kGroupBox,   // caption = (id, 0), hint = (id, 1)
    kWindow,     // window caption = (id, 0)
};

enum class Window { kMain, kExamples, kAbout, kCongratulations };

struct TextBinding {
    int identifier;
    Window window;
    std::string_view element; // object name
    ElementKind kind;
    std::string_view builtIn; // the built-in French text (UTF-8)
};

// Every bound element of every window, in identifier order.
std::span<const TextBinding> TextBindings();

// The binding of an element, or nullptr.
const TextBinding* FindBinding(Window window, std::string_view element);

// Language texts that the program's code looks up by number (messages,
// names, labels). Both language files must hold each of them.
std::span<const int> CodeTextIdentifiers();

} // namespace vemo::io
