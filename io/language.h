// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Language files: one entry per line, "#" identifier (four digits), one
// separator, sub-index (four digits), two separators, then the text. Other
// lines are comments. A later entry replaces an earlier one.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace vemo::io {

inline constexpr int kTextBadLanguageLine = 545;

struct LanguageLoadReport {
    bool ok = false;
    int line = 0;      // the line that stopped the reading (1-based), 0 if none
    std::string error; // what was wrong, in English for the developer
};

class LanguageTable {
  public:
    // Reads a language file (Windows-1252 or UTF-8). On success the whole table
    // is replaced; on any failure the previous table stays in use. A file with
    // no entry at all counts as missing (not ok, line 0).
    LanguageLoadReport Load(const std::string& path);
    LanguageLoadReport LoadText(std::string_view bytes);

    // Entry (identifier, subIndex) as UTF-8, or the empty text. A missing entry
    // is reported through DebugReport when DebugMode is on, except hints
    // (sub-index 1).
    std::string LookupText(int identifier, int subIndex = 0) const;

    // True when the loaded file holds entry (identifier, subIndex).
    bool Has(int identifier, int subIndex = 0) const;

    bool Loaded() const { return loaded_; }
    // The file name of the language in use, e.g. "English.lng".
    const std::string& LanguageFile() const { return languageFile_; }

    bool DebugMode = false;
    // Called with "Translation 52, 0 not found." for a missing entry.
    std::function<void(const std::string& message)> DebugReport;

  private:
    // Only the entries the file holds, so that memory follows the file's
    // size whatever numbers it uses; and per identifier its highest
    // sub-index, below which a slot the file leaves out reads as empty.
    std::map<std::pair<int, int>, std::string> entries_;
    std::map<int, int> lastSubIndex_;
    bool loaded_ = false;
    std::string languageFile_;
};

} // namespace vemo::io
