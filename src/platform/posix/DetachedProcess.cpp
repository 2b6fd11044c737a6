// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/DetachedProcess.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace DetachedProcess {
namespace {

// Started programs stay this process's children until they end, and are reaped then, so
// none lingers as a zombie. Holding a descriptor per running program (a pidfd) would let
// a thousand of them use up Orvane's own descriptors; one child signal wakes the event
// loop instead, through a socket pair, and only the programs started here are waited for
// (never any child, which would take those of Qt or of a library from them).
int s_wake[2] = {-1, -1};
struct sigaction s_previous {};

void onChildSignal(int sig, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    const char byte = 0;
    // A full socket already holds a wake-up, which is all that is needed.
    [[maybe_unused]] const ssize_t written = write(s_wake[1], &byte, 1);
    if (s_previous.sa_handler != SIG_DFL && s_previous.sa_handler != SIG_IGN) {
        if (s_previous.sa_flags & SA_SIGINFO)
            s_previous.sa_sigaction(sig, info, context);
        else
            s_previous.sa_handler(sig);
    }
    errno = savedErrno;
}

bool installHandler() {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, s_wake) != 0)
        return false;
    // The earlier handler is taken before ours can run, so that ours always finds it.
    sigaction(SIGCHLD, nullptr, &s_previous);
    struct sigaction ours {};
    ours.sa_sigaction = onChildSignal;
    sigemptyset(&ours.sa_mask);
    ours.sa_flags = SA_SIGINFO | SA_RESTART | SA_NOCLDSTOP;
    return sigaction(SIGCHLD, &ours, nullptr) == 0;
}

struct Child {
    pid_t pid;
    Ended ended;
};

std::vector<Child>& children() {
    static std::vector<Child> started;
    return started;
}

void reapEnded() {
    std::vector<std::pair<Ended, int>> told;
    for (Child& child : children()) {
        int status = 0;
        const pid_t r = waitpid(child.pid, &status, WNOHANG);
        if (r != child.pid && !(r < 0 && errno == ECHILD))
            continue;
        if (child.ended)
            told.emplace_back(std::move(child.ended), r == child.pid ? status : -1);
        child.pid = 0; // reaped
    }
    std::erase_if(children(), [](const Child& child) { return child.pid == 0; });
    // Told once the list is settled: a receiver may start programs itself.
    for (auto& [ended, status] : told)
        ended(status);
}

// Starts are made on the GUI thread; the notifier lives there, with the application.
void watchChildren() {
    static const bool installed = installHandler();
    static QPointer<QSocketNotifier> notifier;
    auto* app = QCoreApplication::instance();
    if (!installed || notifier || !app)
        return;
    notifier = new QSocketNotifier(s_wake[0], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char drain[64];
        while (read(s_wake[0], drain, sizeof drain) > 0) {
        }
        reapEnded();
    });
}

} // namespace

int Start(const QString& program, const QStringList& arguments, pid_t* started, Ended ended) {
    const std::string path = program.toStdString();
    std::vector<std::string> args{path};
    for (const QString& a : arguments)
        args.push_back(a.toStdString());
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // A session of its own (a terminal's hang-up or Ctrl+C aimed at Orvane never reaches
    // it), default signal handling, nothing blocked, and no input from Orvane's terminal.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGTERM, SIGINT, SIGPIPE, SIGCHLD, SIGHUP})
        sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // Only input, output and error: libraries loaded here leave descriptors open without
    // close-on-exec (a sound server's shared memory, for one).
    posix_spawn_file_actions_addclosefrom_np(&files, STDERR_FILENO + 1);

    // Watching before the start, so that no end goes unnoticed.
    watchChildren();
    // The parent waits only until the program is executed (or fails to be), which is
    // when posix_spawn returns; exec errors come back as its result.
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &files, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attr);
    if (rc != 0)
        return rc;
    // Also here, so that programs are reaped even where no event loop runs.
    reapEnded();
    children().push_back({pid, std::move(ended)});
    if (started)
        *started = pid;
    return 0;
}

} // namespace DetachedProcess
