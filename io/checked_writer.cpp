// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "io/checked_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vemo::io {

namespace {

constexpr int kMaxLinks = 40; // as the system's own limit on a chain of links
// A temporary is the target's name, this mark and six random characters.
constexpr std::string_view kTemporaryMark = ".tmp-vemotarn-";
constexpr std::size_t kRandomPart = 6;
// A temporary is locked by its writer from the moment it exists; one that is
// older than this and not locked was left by a writer that died.
constexpr std::time_t kStaleAge = 2;

bool IsTemporaryName(std::string_view name) {
    if (name.size() < kTemporaryMark.size() + kRandomPart + 1) return false;
    const std::size_t mark = name.size() - kRandomPart - kTemporaryMark.size();
    return name.substr(mark, kTemporaryMark.size()) == kTemporaryMark;
}

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

int RemoveStaleTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!IsTemporaryName(name)) continue;
        const std::string path = folder + "/" + std::string(name);
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info {};
        // Only a plain file of this user's, that no living writer holds.
        const bool stale = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                           info.st_uid == ::getuid() && now - info.st_mtime >= kStaleAge &&
                           ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (stale && ::unlink(path.c_str()) == 0) ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

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

    // What an earlier writer that was killed left in this folder goes first.
    RemoveStaleTemporaries(FolderOf(target));
    std::string temporary = target + std::string(kTemporaryMark) + std::string(kRandomPart, 'X');
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return Fail(error, path, errno);
    // Held until the file is renamed or removed: a living write is never
    // taken for a stale one.
    ::flock(fd, LOCK_EX);
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
