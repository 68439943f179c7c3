// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The settings file "VemoTarn.ini" and the list of recent files.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vemo::io {

inline constexpr int kRecentCount = 5;
using RecentList = std::array<std::string, kRecentCount>;

struct Settings {
    RecentList RecentFiles{};
    std::string Language; // "Français.lng" when the file names none
    int Left = -1;
    int Top = -1;
    int Width = -1; // the window's size; -1: the built-in one
    int Height = -1;
    int Difficulty = -1; // ScoreMin of the band; -1 keeps the built-in one
    int Symmetry = -1;
    int CandidateDisplay = 0;
    int Type = 0;
    int XSudoku = 0;
    // The look: 0 light, 1 dark, 2 high contrast; -1 until the player chooses one.
    int Look = -1;
    // 1: the game in progress is kept at closing and resumed at the next start.
    int ResumeGame = 1;
    // 1: a command that would throw away a game in progress asks first.
    int AskBeforeAbandon = 1;
    // 1: the hint panel ("Explications") is shown; -1 until the player chooses.
    int Explanations = -1;
    // The text the settings were read from (UTF-8). Writing keeps its other
    // sections, keys and comments.
    std::string Original;
};

// The text of `key` in `section` of settings text, or nothing. For keys this
// program reads beyond the table above.
std::optional<std::string> FindSetting(std::string_view text, std::string_view section,
                                       std::string_view key);

inline constexpr const char* kDefaultLanguage = "Français.lng";

// True for a plain file name: not empty, no folder separator ("/" or "\\"),
// not "." or "..", no control character. "Langue" names a file in the
// language folder and nothing else.
bool IsPlainFileName(std::string_view name);

// Reads settings from the file's text (UTF-8 or Windows-1252). Sections and
// keys match without regard to case; a missing key or a value that is not an
// integer gives the default, and so does a "Langue" that is not a plain file
// name.
Settings ParseSettings(std::string_view bytes);

// The file's text: the keys of sections "Fichiers" and "Divers" set in place in
// the original text (missing ones appended in the written order), UTF-8, CR LF
// line ends.
std::string SettingsText(const Settings& settings);

// Reads the file at `path`; a missing or unreadable file gives the defaults.
Settings ReadSettingsFile(const std::string& path);

// Writes the file through a temporary file; false and a reason on failure.
bool WriteSettingsFile(const std::string& path, const Settings& settings,
                       std::string* error = nullptr);

// Where the settings live: "VemoTarn.ini" in the program folder when that
// folder is writable, otherwise $XDG_CONFIG_HOME/VemoTarn/VemoTarn.ini (or
// ~/.config/VemoTarn/VemoTarn.ini). An existing file beside the program wins
// only when it can be written.
std::string SettingsPath(const std::string& programFolder);

// Moves or inserts `path` at the front; when several entries are equal the
// last one counts.
void UpdateRecentFiles(RecentList& recent, const std::string& path);

// Drops entry 1 (the one just moved to the front) and moves the rest up.
void DropFirstRecentFile(RecentList& recent);

} // namespace vemo::io
