// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// print and sheet in vemotarn-cli. The PDF pages need Qt, which every other
// command does without, so they are made by a program of their own,
// vemotarn-cli-pdf, which takes this process's place with the same arguments.
// The engine commands thus start without loading any Qt library.
#include "commands.h"
#include "pdf_usage.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>

namespace vemo::cli {

namespace {

int RunPrint(const std::vector<std::string>& args);
int RunSheet(const std::vector<std::string>& args);

const Command kPrint{"print", kPrintUsage, kPrintSummary, RunPrint};
const Command kSheet{"sheet", kSheetUsage, kSheetSummary, RunSheet};

constexpr const char* kPdfProgram = "vemotarn-cli-pdf";

// The folder of this program's own file.
std::string OwnFolder() {
    std::string path(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0) return ".";
    path.resize(static_cast<std::size_t>(n));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// Starts the PDF program in place of this one; returns only on failure.
int Forward(const char* name, const std::vector<std::string>& args) {
    const std::string folder = OwnFolder();
    // Beside this program in the build folder; in libexec once installed.
    const std::string places[] = {folder + '/' + kPdfProgram,
                                  folder + "/../libexec/vemotarn/" + kPdfProgram};
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(kPdfProgram));
    argv.push_back(const_cast<char*>(name));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::cout.flush();
    int error = ENOENT;
    for (const auto& place : places) {
        execv(place.c_str(), argv.data());
        if (errno != ENOENT) error = errno;
    }
    std::cerr << "vemotarn-cli: cannot start " << kPdfProgram
              << " for the PDF commands: " << std::strerror(error) << '\n';
    return kExitBadInput;
}

int RunPrint(const std::vector<std::string>& args) {
    return Forward(kPrint.name, args);
}

int RunSheet(const std::vector<std::string>& args) {
    return Forward(kSheet.name, args);
}

const bool kRegistered = RegisterCommand(kPrint) && RegisterCommand(kSheet);

} // namespace

} // namespace vemo::cli
