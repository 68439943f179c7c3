// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/settings.h"

#include "io/data_folder.h"

#include "io/checked_writer.h"
#include "io/text_file.h"

#include <charconv>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace vemo::io {

namespace {

constexpr std::string_view kFiles = "Fichiers";
constexpr std::string_view kMisc = "Divers";

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Case folding for ASCII and the accented capitals of Latin-1 in UTF-8, enough
// for "Difficulté" and "Symétrie" however they are written.
std::string Fold(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto& c = reinterpret_cast<unsigned char&>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<unsigned char>(c + 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            auto& next = reinterpret_cast<unsigned char&>(out[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                next = static_cast<unsigned char>(next + 32);
            ++i;
        }
    }
    return out;
}

bool SameName(std::string_view a, std::string_view b) {
    return Fold(a) == Fold(b);
}

// One line of the file as the reader sees it.
struct Line {
    std::string text;
    std::string section; // the section the line belongs to (after a header)
    bool header = false;
    std::string key; // empty for comments, blanks and headers
    std::string value;
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    std::string section;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        Line line;
        line.text = std::string(Trim(text.substr(start, end - start)));
        const std::string_view t = line.text;
        if (t.starts_with('[')) {
            const std::size_t close = t.find(']');
            if (close != std::string_view::npos) {
                section = std::string(Trim(t.substr(1, close - 1)));
                line.header = true;
            }
        } else if (!t.starts_with(';') && !t.starts_with('#')) {
            const std::size_t equals = t.find('=');
            if (equals != std::string_view::npos && equals > 0) {
                line.key = std::string(Trim(t.substr(0, equals)));
                line.value = std::string(Trim(t.substr(equals + 1)));
            }
        }
        line.section = section;
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

const Line* Find(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    for (const Line& line : lines)
        if (!line.key.empty() && SameName(line.section, section) && SameName(line.key, key))
            return &line;
    return nullptr;
}

int IntegerOr(const std::vector<Line>& lines, std::string_view section, std::string_view key,
              int fallback) {
    const Line* line = Find(lines, section, key);
    if (!line || line->value.empty()) return fallback;
    std::string_view v = line->value;
    if (v.starts_with('+')) v.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
    if (ec != std::errc() || end != v.data() + v.size()) return fallback;
    return value;
}

std::string TextOr(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
    const Line* line = Find(lines, section, key);
    return line ? line->value : std::string();
}

// Sets a key in place, or appends it to its section (the section is created
// at the end when missing).
void Set(std::vector<Line>& lines, std::string_view section, std::string_view key,
         const std::string& value) {
    std::string text(key);
    text.append("=").append(value);
    for (Line& line : lines) {
        if (!line.key.empty() && SameName(line.section, section) && SameName(line.key, key)) {
            line.text = text;
            line.key = std::string(key);
            line.value = value;
            return;
        }
    }
    Line added{text, std::string(section), false, std::string(key), value};
    std::size_t insertAt = lines.size();
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].header && SameName(lines[i].section, section))
            inSection = true;
        else if (lines[i].header && inSection)
            break;
        if (inSection && !lines[i].text.empty()) insertAt = i + 1;
    }
    if (!inSection) {
        if (!lines.empty() && !lines.back().text.empty()) lines.push_back(Line{});
        std::string header = "[";
        header.append(section).append("]");
        lines.push_back(Line{std::move(header), std::string(section), true, {}, {}});
        lines.push_back(std::move(added));
        return;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(added));
}

std::string FicKey(int k) {
    return "Fic" + std::to_string(k);
}

} // namespace

std::optional<std::string> FindSetting(std::string_view text, std::string_view section,
                                       std::string_view key) {
    const std::vector<Line> lines = SplitLines(text);
    const Line* line = Find(lines, section, key);
    if (!line) return std::nullopt;
    return line->value;
}

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (const char c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
    return true;
}

Settings ParseSettings(std::string_view bytes) {
    Settings s;
    s.Original = DecodeText(bytes);
    const std::vector<Line> lines = SplitLines(s.Original);
    for (int k = 1; k <= kRecentCount; ++k) s.RecentFiles[k - 1] = TextOr(lines, kFiles, FicKey(k));
    s.Language = TextOr(lines, kMisc, "Langue");
    if (!IsPlainFileName(s.Language)) s.Language = kDefaultLanguage;
    s.Left = IntegerOr(lines, kMisc, "Left", -1);
    s.Top = IntegerOr(lines, kMisc, "Top", -1);
    s.Width = IntegerOr(lines, kMisc, "Width", -1);
    s.Height = IntegerOr(lines, kMisc, "Height", -1);
    s.Difficulty = IntegerOr(lines, kMisc, "Difficulté", -1);
    s.Symmetry = IntegerOr(lines, kMisc, "Symétrie", -1);
    s.CandidateDisplay = IntegerOr(lines, kMisc, "Affichagecandidats", 0);
    s.Type = IntegerOr(lines, kMisc, "Type", 0);
    s.XSudoku = IntegerOr(lines, kMisc, "XSudoku", 0);
    s.Look = IntegerOr(lines, kMisc, "Apparence", -1);
    if (s.Look < 0 || s.Look > 2) s.Look = -1;
    s.ResumeGame = IntegerOr(lines, kMisc, "Reprendre", 1) == 0 ? 0 : 1;
    s.AskBeforeAbandon = IntegerOr(lines, kMisc, "Demander", 1) == 0 ? 0 : 1;
    const int explanations = IntegerOr(lines, kMisc, "Explications", -1);
    s.Explanations = explanations < 0 ? -1 : (explanations == 0 ? 0 : 1);
    return s;
}

std::string SettingsText(const Settings& settings) {
    std::vector<Line> lines = SplitLines(settings.Original);
    for (int k = 1; k <= kRecentCount; ++k)
        Set(lines, kFiles, FicKey(k), settings.RecentFiles[k - 1]);
    Set(lines, kMisc, "Langue", settings.Language);
    Set(lines, kMisc, "Left", std::to_string(settings.Left));
    Set(lines, kMisc, "Top", std::to_string(settings.Top));
    Set(lines, kMisc, "Width", std::to_string(settings.Width));
    Set(lines, kMisc, "Height", std::to_string(settings.Height));
    Set(lines, kMisc, "Difficulté", std::to_string(settings.Difficulty));
    Set(lines, kMisc, "Symétrie", std::to_string(settings.Symmetry));
    Set(lines, kMisc, "Affichagecandidats", std::to_string(settings.CandidateDisplay));
    Set(lines, kMisc, "Type", std::to_string(settings.Type));
    Set(lines, kMisc, "Xsudoku", std::to_string(settings.XSudoku));
    // Written once chosen: until then the desktop's colours decide.
    if (settings.Look >= 0) Set(lines, kMisc, "Apparence", std::to_string(settings.Look));
    Set(lines, kMisc, "Reprendre", std::to_string(settings.ResumeGame));
    Set(lines, kMisc, "Demander", std::to_string(settings.AskBeforeAbandon));
    // Written once chosen.
    if (settings.Explanations >= 0)
        Set(lines, kMisc, "Explications", std::to_string(settings.Explanations));
    while (!lines.empty() && lines.back().text.empty()) lines.pop_back();
    std::string text;
    for (const Line& line : lines) text += line.text + "\r\n";
    return text;
}

Settings ReadSettingsFile(const std::string& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    return ParseSettings(bytes ? *bytes : std::string());
}

bool WriteSettingsFile(const std::string& path, const Settings& settings, std::string* error) {
    return WriteFileInNewFolder(path, SettingsText(settings), error);
}

std::string SettingsPath(const std::string& programFolder) {
    std::string folder = programFolder.empty() ? std::string(".") : programFolder;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    const std::string beside = folder + "/VemoTarn.ini";
    const bool folderWritable = ::access(folder.c_str(), W_OK) == 0;
    const bool fileWritable =
        ::access(beside.c_str(), F_OK) != 0 || ::access(beside.c_str(), W_OK) == 0;
    if (folderWritable && fileWritable) return beside;

    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
        config = xdg;
    } else if (const char* home = std::getenv("HOME"); home && home[0] != '\0') {
        config = std::string(home) + "/.config";
    } else {
        return beside;
    }
    return config + "/VemoTarn/VemoTarn.ini";
}

void UpdateRecentFiles(RecentList& recent, const std::string& path) {
    int found = -1;
    for (int k = 0; k < kRecentCount; ++k)
        if (recent[k] == path) found = k;
    const int last = found < 0 ? kRecentCount - 1 : found;
    for (int k = last; k > 0; --k) recent[k] = recent[k - 1];
    recent[0] = path;
}

void DropFirstRecentFile(RecentList& recent) {
    for (int k = 0; k + 1 < kRecentCount; ++k) recent[k] = recent[k + 1];
    recent[kRecentCount - 1].clear();
}

} // namespace vemo::io
