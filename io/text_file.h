// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Bounded whole-file reading, and the two text encodings the program's files
// come in. Writing goes through io/checked_writer.h.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vemo::io {

// The most any single file is read into memory: far above any puzzle,
// language or settings file.
inline constexpr std::size_t kReadLimit = 4 * 1024 * 1024;

// Opens a regular file for reading without ever waiting (a FIFO does not
// block the open). Returns the descriptor, or -1 with the reason in `error`
// for a missing file, a folder, a device or a pipe.
int OpenRegularFile(const std::string& path, std::string* error = nullptr);

// The file's bytes, or nothing when it cannot be opened or read, is not a
// regular file or holds more than `limit` bytes; `error` receives the reason.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error = nullptr,
                                         std::size_t limit = kReadLimit);

// True when the text is well-formed UTF-8 (plain ASCII included).
bool IsUtf8(std::string_view bytes);

// Windows-1252 (Western European) to UTF-8 and back. Characters that code page
// cannot hold are written as "?".
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view text);

// The bytes without a leading UTF-8 byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view bytes);

// A size as a person reads it: "4 MB", "64 KB", "100 bytes".
std::string SizeText(std::size_t bytes);

// UTF-8 as it stands, legacy 8-bit text converted; a leading UTF-8 byte-order
// mark is dropped.
std::string DecodeText(std::string_view bytes);

// The file name without its folder and its last extension.
std::string BaseName(const std::string& path);

} // namespace vemo::io
