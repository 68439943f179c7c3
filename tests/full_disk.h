// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A full disk for the file tests, made with the file-size limit.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace vemo::test {

// Runs `write` with every write to a file failing after `bytes` bytes, as on a
// full disk; returns what it returned.
template <typename Write> bool WithFullDisk(rlim_t bytes, Write write) {
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = bytes;
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool result = write();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    return result;
}

} // namespace vemo::test
