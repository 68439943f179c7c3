// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/data_folder.h"

#include "io/checked_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace vemo::io {

namespace {

std::string ParentOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

} // namespace

std::string DataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/')
        return std::string(xdg) + "/VemoTarn";
    if (const char* home = std::getenv("HOME"); home && home[0] != '\0')
        return std::string(home) + "/.local/share/VemoTarn";
    return {};
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty() || folder == "/") return true;
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    if (!MakeFolders(ParentOf(folder))) return false;
    return ::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
}

bool WriteFileInNewFolder(const std::string& path, std::string_view bytes, std::string* error) {
    const std::string folder = ParentOf(path);
    if (!MakeFolders(folder)) {
        if (error) *error = folder + ": cannot create the folder";
        return false;
    }
    return WriteFileChecked(path, bytes, error);
}

bool SetAside(const std::string& path, std::string* error) {
    const std::string aside = path + ".bad";
    if (std::rename(path.c_str(), aside.c_str()) == 0) return true;
    if (error) *error = path + ": " + std::strerror(errno);
    return false;
}

} // namespace vemo::io
