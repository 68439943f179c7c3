// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window needs a desktop session: without one, a plain explanation and
// the command-line tool's commands instead of Qt's platform plugin error.
#pragma once

#include <optional>
#include <string>

namespace vemo::ui {

// The message to print when neither DISPLAY nor WAYLAND_DISPLAY is set and no
// Qt platform is chosen (QT_QPA_PLATFORM, as the offscreen tests set it);
// nothing when the window can open. `program` is the program's argv[0]: the
// commands shown name the command-line tool beside it.
std::optional<std::string> MissingDesktopSession(const std::string& program);

} // namespace vemo::ui
