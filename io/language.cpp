// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/language.h"

#include "io/text_file.h"

namespace vemo::io {

namespace {

// The byte offset of the `count`-th character after `offset` in UTF-8 text,
// or npos when the text ends first.
std::size_t SkipCharacters(std::string_view text, std::size_t offset, int count) {
    for (int k = 0; k < count; ++k) {
        if (offset >= text.size()) return std::string_view::npos;
        ++offset;
        while (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80)
            ++offset;
    }
    return offset;
}

bool FourDigits(std::string_view text, std::size_t offset, int& value) {
    if (offset == std::string_view::npos || offset + 4 > text.size()) return false;
    value = 0;
    for (std::size_t i = offset; i < offset + 4; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

std::string FileName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

LanguageLoadReport LanguageTable::Load(const std::string& path) {
    std::string error;
    const std::optional<std::string> bytes = ReadWholeFile(path, &error);
    if (!bytes) return {false, 0, error};
    LanguageLoadReport report = LoadText(*bytes);
    if (report.ok) languageFile_ = FileName(path);
    return report;
}

LanguageLoadReport LanguageTable::LoadText(std::string_view bytes) {
    const std::string text = DecodeText(bytes);
    std::map<std::pair<int, int>, std::string> entries;
    std::map<int, int> last;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!line.starts_with('#')) continue;

        int identifier = 0;
        int subIndex = 0;
        const std::size_t subAt = SkipCharacters(line, 5, 1);
        if (!FourDigits(line, 1, identifier) || !FourDigits(line, subAt, subIndex))
            return {false, lineNumber, "line " + std::to_string(lineNumber) + " is not an entry"};
        const std::size_t textAt = SkipCharacters(line, subAt + 4, 2);
        const std::string_view entry =
            textAt == std::string_view::npos ? std::string_view() : line.substr(textAt);

        entries[{identifier, subIndex}] = std::string(entry);
        int& highest = last.try_emplace(identifier, subIndex).first->second;
        if (subIndex > highest) highest = subIndex;
    }
    if (entries.empty()) return {false, 0, "the file holds no entry"};
    entries_ = std::move(entries);
    lastSubIndex_ = std::move(last);
    loaded_ = true;
    return {true, 0, {}};
}

std::string LanguageTable::LookupText(int identifier, int subIndex) const {
    if (const auto entry = entries_.find({identifier, subIndex}); entry != entries_.end())
        return entry->second;
    if (const auto row = lastSubIndex_.find(identifier);
        row != lastSubIndex_.end() && subIndex >= 0 && subIndex <= row->second)
        return {};
    if (DebugMode && subIndex != 1 && DebugReport)
        DebugReport("Translation " + std::to_string(identifier) + ", " + std::to_string(subIndex) +
                    " not found.");
    return {};
}

bool LanguageTable::Has(int identifier, int subIndex) const {
    return entries_.contains({identifier, subIndex});
}

} // namespace vemo::io
