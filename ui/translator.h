// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Applies the language to a window: every element named in the table of
// translated elements gets its caption, hint or title from the texts.
#pragma once

#include "texts.h"

#include "io/ui_texts.h"

class QObject;
class QWidget;

namespace vemo::ui {

// Gives the object the name of the element with this identifier and kind in
// the window's table; false when the table has no such element.
bool NameElement(QObject* object, io::Window window, int identifier, io::ElementKind kind);

// Sets the texts of every named element under `root` (the root included).
void TranslateWindow(QWidget* root, io::Window window, const TextSource& texts);

} // namespace vemo::ui
