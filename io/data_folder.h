// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The user's data folder, where the game in progress and the records are
// kept: $XDG_DATA_HOME/VemoTarn, or ~/.local/share/VemoTarn.
#pragma once

#include <string>
#include <string_view>

namespace vemo::io {

// The folder without a trailing "/"; empty when neither XDG_DATA_HOME (an
// absolute path) nor HOME is set.
std::string DataFolder();

// Creates the folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder);

// Writes `bytes` to `path` through the checked writer, creating its folder
// and the folder's parents first; false with the reason.
bool WriteFileInNewFolder(const std::string& path, std::string_view bytes,
                          std::string* error = nullptr);

// Renames a file that could not be used to `path` + ".bad", replacing an
// older one, so that it stays for inspection; false with the reason.
bool SetAside(const std::string& path, std::string* error = nullptr);

} // namespace vemo::io
