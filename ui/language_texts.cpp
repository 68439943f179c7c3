// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "language_texts.h"

#include "io/settings.h"

namespace vemo::ui {

QString LanguageTexts::Text(int identifier, int subIndex) const {
    if (!table_.Loaded()) return builtIn_.Text(identifier, subIndex);
    if (table_.Has(identifier, subIndex)) {
        const QString text = QString::fromStdString(table_.LookupText(identifier, subIndex));
        // A line cut before its text (a truncated file) blanks no caption.
        if (!text.isEmpty()) return text;
        return builtIn_.Text(identifier, subIndex);
    }
    // An entry the file lacks keeps the built-in text rather than blanking a
    // caption; the lookup still reports it in debug mode.
    table_.LookupText(identifier, subIndex);
    return builtIn_.Text(identifier, subIndex);
}

io::LanguageLoadReport LanguageTexts::Load(const QString& path) {
    return table_.Load(path.toStdString());
}

QString LanguageTexts::LanguageFile() const {
    if (table_.LanguageFile().empty()) return QString::fromUtf8(io::kDefaultLanguage);
    return QString::fromStdString(table_.LanguageFile());
}

} // namespace vemo::ui
