// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/checked_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vemo::io {

namespace {

constexpr int kMaxLinks = 40; // as the system's own limit on a chain of links

bool Fail(std::string* error, const std::string& path, int code) {
    if (error) *error = path + ": " + std::strerror(code);
    return false;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Removes the temporary and reports `code` for `path`.
bool Abandon(int fd, const std::string& temporary, std::string* error, const std::string& path,
             int code) {
    if (fd >= 0) ::close(fd);
    ::unlink(temporary.c_str());
    return Fail(error, path, code);
}

} // namespace

std::string ResolveWriteTarget(const std::string& path, std::string* error) {
    std::string target = path;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
        std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0) return target; // gone meanwhile: write the name itself
        link.resize(static_cast<std::size_t>(n));
        target = link.starts_with('/') ? link : FolderOf(target) + "/" + link;
    }
    Fail(error, path, ELOOP);
    return {};
}

bool WriteFileChecked(const std::string& path, std::string_view bytes, std::string* error) {
    const std::string target = ResolveWriteTarget(path, error);
    if (target.empty()) return false;
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // A device, a pipe or a folder is never replaced by a plain file.
    if (exists && !S_ISREG(old.st_mode))
        return Fail(error, path, S_ISDIR(old.st_mode) ? EISDIR : EINVAL);

    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return Fail(error, path, errno);
    // mkstemp makes the file for its owner only: keep the old file's
    // permissions, or give a new one the usual ones.
    if (::fchmod(fd, exists ? (old.st_mode & 07777) : 0644) != 0)
        return Abandon(fd, temporary, error, path, errno);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Abandon(fd, temporary, error, path, n < 0 ? errno : EIO);
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return Abandon(fd, temporary, error, path, errno);
    if (::close(fd) != 0) return Abandon(-1, temporary, error, path, errno);
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
        return Abandon(-1, temporary, error, path, errno);
    // The rename itself reaches the disk with its folder; a failure here no
    // longer endangers either version of the file.
    if (const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace vemo::io
