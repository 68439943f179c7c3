// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How the dialogs ask for their language texts: (identifier, sub-index) to
// text, empty when the language file has no such entry.
#pragma once

#include <QString>
#include <functional>

namespace vemo::ui {

using TextLookup = std::function<QString(int identifier, int subIndex)>;

// The entry, or `builtIn` when there is no lookup or the entry is empty, so
// that a missing language file leaves the French captions in place.
inline QString TextOr(const TextLookup& text, int identifier, int subIndex,
                      const QString& builtIn) {
    if (!text) return builtIn;
    const QString found = text(identifier, subIndex);
    return found.isEmpty() ? builtIn : found;
}

} // namespace vemo::ui
