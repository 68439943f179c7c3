// The user's data folder, where the game in progress and the records are
// kept: $XDG_DATA_HOME/VemoTarn, or ~/.local/share/VemoTarn.
#pragma once

#include <string>

namespace vemo::io {

// The folder without a trailing "/"; empty when neither XDG_DATA_HOME (an
// absolute path) nor HOME is set.
std::string DataFolder();

// Creates the folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder);

// Renames a file that could not be used to `path` + ".bad", replacing an
// older one, so that it stays for inspection; false with the reason.
bool SetAside(const std::string& path, std::string* error = nullptr);

} // namespace vemo::io
