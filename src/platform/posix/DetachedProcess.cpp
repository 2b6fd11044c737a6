#include "DetachedProcess.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace DetachedProcess {
namespace {

// The started program stays this process's child until it ends; it is reaped then, so it
// never lingers as a zombie. A pidfd tells exactly when; without one, a slow poll does.
void reapWhenDone(pid_t pid) {
    auto* app = QCoreApplication::instance();
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (pidfd >= 0 && app) {
        auto* notifier = new QSocketNotifier(pidfd, QSocketNotifier::Read, app);
        QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, pid, pidfd] {
            waitpid(pid, nullptr, WNOHANG);
            notifier->setEnabled(false);
            notifier->deleteLater();
            close(pidfd);
        });
        return;
    }
    if (pidfd >= 0)
        close(pidfd);
    if (!app)
        return;
    auto* timer = new QTimer(app);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, pid] {
        if (waitpid(pid, nullptr, WNOHANG) != 0)
            timer->deleteLater();
    });
    timer->start(1000);
}

} // namespace

int Start(const QString& program, const QStringList& arguments) {
    const std::string path = program.toStdString();
    std::vector<std::string> args{path};
    for (const QString& a : arguments)
        args.push_back(a.toStdString());
    std::vector<char*> argv;
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

    // The parent waits only until the program is executed (or fails to be), which is
    // when posix_spawn returns; exec errors come back as its result.
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &files, &attr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attr);
    if (rc == 0)
        reapWhenDone(pid);
    return rc;
}

} // namespace DetachedProcess
