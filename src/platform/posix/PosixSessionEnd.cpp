// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/PosixSessionEnd.h"

#include "core/Logging.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {
std::atomic<int> g_writeFd{-1};
PosixSessionEnd* g_live = nullptr;

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // After the watcher is gone the process is about to end anyway; the byte goes nowhere.
    (void)!write(g_writeFd.load(), &byte, 1);
    errno = saved;
}

// The display connection breaking makes the GUI layer call exit(): the watcher still
// lives then (main has not returned), and the Exit command never ran.
void onExit() {
    if (g_live)
        emit g_live->endingNow();
}

void handle(int sig, bool keepIgnored) {
    struct sigaction old = {};
    sigaction(sig, nullptr, &old);
    // Started under nohup, or in the background of a shell without job control: the
    // starter chose to have these ignored.
    if (keepIgnored && old.sa_handler == SIG_IGN)
        return;
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(sig, &sa, nullptr);
}
} // namespace

std::unique_ptr<SessionEnd> CreateSessionEnd() {
    return std::make_unique<PosixSessionEnd>();
}

PosixSessionEnd::PosixSessionEnd() {
    static const bool exitHooked = std::atexit(onExit) == 0;
    (void)exitHooked;
    g_live = this;

    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) != 0) {
        // The signals keep their default action: the program still ends, without saving.
        qCWarning(lcLife) << "cannot watch for end signals:" << strerror(errno);
        return;
    }
    m_notifier = new QSocketNotifier(fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this, fd = fds[1]] {
        char buf[16];
        while (read(fd, buf, sizeof buf) > 0) {
        }
        emit endRequested();
    });
    g_writeFd = fds[0];
    handle(SIGTERM, false);
    handle(SIGINT, true);
    handle(SIGHUP, true);
}

PosixSessionEnd::~PosixSessionEnd() {
    g_live = nullptr;
    // The handlers stay: a second signal while the program winds down must not kill it
    // half-way through; its byte is simply dropped.
    const int writeFd = g_writeFd.exchange(-1);
    if (m_notifier) {
        const int readFd = static_cast<int>(m_notifier->socket());
        delete m_notifier;
        close(readFd);
    }
    if (writeFd >= 0)
        close(writeFd);
}
