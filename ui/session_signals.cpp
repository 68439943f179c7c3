// SPDX-FileCopyrightText: 2026 Vemo Tarn developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vemo::ui {

namespace {

// The handler's end and the event loop's end of one socket pair.
int g_pair[2] = {-1, -1};

void OnSignal(int signal) {
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // Async-signal-safe: one byte into the pair, nothing else.
    [[maybe_unused]] const ssize_t n = ::write(g_pair[0], &number, 1);
    errno = saved;
}

} // namespace

SessionSignals::SessionSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pair) != 0) return;
    notifier_ = new QSocketNotifier(g_pair[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SessionSignals::Read);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}

SessionSignals::~SessionSignals() {
    ::signal(SIGTERM, SIG_DFL);
    ::signal(SIGHUP, SIG_DFL);
    if (g_pair[0] >= 0) {
        ::close(g_pair[0]);
        ::close(g_pair[1]);
        g_pair[0] = g_pair[1] = -1;
    }
}

void SessionSignals::Read() {
    unsigned char number = 0;
    while (::read(g_pair[1], &number, 1) == 1) emit endRequested(number);
}

} // namespace vemo::ui
