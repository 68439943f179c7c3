// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The one way the program writes a file. The bytes go to a temporary file
// beside the target, which is flushed, synced and closed, every step checked,
// and then renamed over the target. A failure at any step leaves the old file
// byte for byte as it was and no temporary behind. A target that is a symbolic
// link is followed: the file the link points to is replaced, in its own folder,
// and the link stays.
#pragma once

#include <string>
#include <string_view>

namespace vemo::io {

// Writes `bytes` to `path`. Returns false, with the reason in `error`, when
// anything fails; the old file is then untouched.
bool WriteFileChecked(const std::string& path, std::string_view bytes,
                      std::string* error = nullptr);

// Removes from `folder` the temporaries that a writer killed in the middle of
// a write left behind: the program's own (named by the checked writer, owned
// by this user, older than two seconds) that no living writer holds. Other
// files are never touched. Returns how many were removed. Every write does it
// in its own folder first.
int RemoveStaleTemporaries(const std::string& folder);

// The file a write to `path` lands in: `path` itself, or the end of its chain
// of symbolic links (relative links taken from their own folder). Empty, with
// the reason in `error`, for a loop of links.
std::string ResolveWriteTarget(const std::string& path, std::string* error = nullptr);

} // namespace vemo::io
