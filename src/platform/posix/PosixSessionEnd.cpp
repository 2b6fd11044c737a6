#include "PosixSessionEnd.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_fds[2] = {-1, -1};

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    (void)!write(g_fds[0], &byte, 1);
    errno = saved;
}
} // namespace

std::unique_ptr<SessionEnd> CreateSessionEnd() {
    return std::make_unique<PosixSessionEnd>();
}

PosixSessionEnd::PosixSessionEnd() {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_fds) != 0)
        return;
    m_notifier = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char buf[16];
        while (read(g_fds[1], buf, sizeof buf) > 0) {
        }
        emit endRequested();
    });
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

PosixSessionEnd::~PosixSessionEnd() {
    struct sigaction dfl = {};
    dfl.sa_handler = SIG_DFL;
    sigaction(SIGTERM, &dfl, nullptr);
    sigaction(SIGINT, &dfl, nullptr);
    delete m_notifier;
    close(g_fds[0]);
    close(g_fds[1]);
    g_fds[0] = g_fds[1] = -1;
}
