// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop_session.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>

namespace vemo::ui {

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// An example puzzle file: beside the program in a build, in share/vemotarn
// when installed.
std::string ExampleFile() {
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    if (error) return "FILE.sku";
    for (const auto& data : {folder, folder / ".." / "share" / "vemotarn"}) {
        const auto file = data / "exemples" / "XYwing1.sku";
        if (std::filesystem::exists(file, error)) return file.lexically_normal().string();
    }
    return "FILE.sku";
}

} // namespace

std::optional<std::string> MissingDesktopSession(const std::string& program) {
    if (Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY")) return std::nullopt;
    const std::filesystem::path folder = std::filesystem::path(program).parent_path();
    // Called through the PATH, the tool is found the same way.
    const std::string cli = folder.empty() ? "vemotarn-cli" : (folder / "vemotarn-cli").string();
    std::string text =
        "vemotarn: the Sudoku window needs a desktop session (X11 or Wayland), and neither\n"
        "DISPLAY nor WAYLAND_DISPLAY is set. Start it from a desktop session.\n"
        "\n"
        "Without a display, the command-line tool works. Try:\n";
    const std::array<std::array<std::string, 2>, 5> commands = {{
        {cli + " generate --difficulty difficile --count 3", "three new puzzles"},
        {cli + " generate --count 3 | " + cli + " rate -", "... and their rating"},
        {cli + " show " + ExampleFile(), "a puzzle file"},
        {cli + " sheet --out sheet.pdf", "four new puzzles on a PDF page"},
        {cli + " --help", "every command"},
    }};
    std::size_t width = 0;
    for (const auto& command : commands) width = std::max(width, command[0].size());
    for (const auto& command : commands)
        text += "  " + command[0] + std::string(width - command[0].size(), ' ') + "   # " +
                command[1] + '\n';
    return text;
}

} // namespace vemo::ui
