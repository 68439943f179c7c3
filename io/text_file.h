// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole-file reading and writing, and the two text encodings the program's
// files come in. A write goes to a temporary file beside the target that is
// then renamed over it, so a failed write never destroys the old file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vemo::io {

// The file's bytes, or nothing when it cannot be opened or read; `error`
// receives the system's reason.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error = nullptr);

// Writes `bytes` to `path` through a temporary file in the same folder.
// Returns false (and the reason in `error`) without touching the old file
// when anything fails.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

// True when the text is well-formed UTF-8 (plain ASCII included).
bool IsUtf8(std::string_view bytes);

// Windows-1252 (Western European) to UTF-8 and back. Characters that code page
// cannot hold are written as "?".
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view text);

// UTF-8 as it stands, legacy 8-bit text converted; a leading UTF-8 byte-order
// mark is dropped.
std::string DecodeText(std::string_view bytes);

// The file name without its folder and its last extension.
std::string BaseName(const std::string& path);

} // namespace vemo::io
