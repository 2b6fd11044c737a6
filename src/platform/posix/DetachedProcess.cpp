#include "DetachedProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace DetachedProcess {

int Start(const QString& program, const QStringList& arguments) {
    // Everything the children need is prepared before fork: after it, only
    // async-signal-safe calls are allowed in a process that has threads.
    const std::string path = program.toStdString();
    std::vector<std::string> args{path};
    for (const QString& a : arguments)
        args.push_back(a.toStdString());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int errPipe[2];
    if (pipe2(errPipe, O_CLOEXEC) != 0)
        return errno;

    const pid_t child = fork();
    if (child < 0) {
        const int e = errno;
        close(errPipe[0]);
        close(errPipe[1]);
        return e;
    }
    if (child == 0) {
        close(errPipe[0]);
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0) {
            struct sigaction dfl = {};
            dfl.sa_handler = SIG_DFL;
            for (int sig : {SIGTERM, SIGINT, SIGPIPE, SIGCHLD, SIGHUP})
                sigaction(sig, &dfl, nullptr);
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            const int devNull = open("/dev/null", O_RDONLY);
            if (devNull >= 0) {
                dup2(devNull, STDIN_FILENO);
                close(devNull);
            }
            execv(argv[0], argv.data());
            const int e = errno;
            (void)!write(errPipe[1], &e, sizeof e);
            _exit(127);
        }
        if (grandchild < 0) {
            const int e = errno;
            (void)!write(errPipe[1], &e, sizeof e);
        }
        _exit(0);
    }

    close(errPipe[1]);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes on a successful exec; an errno arrives when exec failed.
    int execError = 0;
    ssize_t n;
    while ((n = read(errPipe[0], &execError, sizeof execError)) < 0 && errno == EINTR) {
    }
    close(errPipe[0]);
    return n == static_cast<ssize_t>(sizeof execError) ? execError : 0;
}

} // namespace DetachedProcess
