// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The texts of the language in use: the entries of the language file once one
// has been read, the program's built-in French ones before that and for every
// entry the file lacks.
#pragma once

#include "texts.h"

#include "io/language.h"

namespace vemo::ui {

class LanguageTexts final : public TextSource {
  public:
    QString Text(int identifier, int subIndex = 0) const override;

    // Reads a language file; a file that cannot be read or holds a malformed
    // line keeps the language in use.
    io::LanguageLoadReport Load(const QString& path);
    bool Loaded() const { return table_.Loaded(); }
    // The file name of the language in use ("Français.lng" before any load).
    QString LanguageFile() const;

    io::LanguageTable& Table() { return table_; }
    const io::LanguageTable& Table() const { return table_; }

  private:
    io::LanguageTable table_;
    BuiltInTexts builtIn_;
};

} // namespace vemo::ui
