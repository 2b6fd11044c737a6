// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg/XdgShell.h"
#include "FakeShell.h"
#include "core/ActionExecutor.h"
#include "platform/posix/DetachedProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <vector>

extern char** environ;
#include <sys/wait.h>
#include <unistd.h>

namespace {

void writeScript(const QString& path, const QByteArray& body, bool executable = true) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(body);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

// Waits for a file a started program writes: the program runs on its own, detached.
bool waitForFile(const QString& path) {
    return QTest::qWaitFor([&] { return QFileInfo(path).size() > 0; }, 10000);
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct ShellFixture : ::testing::Test {
    QTemporaryDir dir;
    QByteArray savedPath = qgetenv("PATH");
    void SetUp() override {
        // A recording xdg-open first on PATH: opening documents for real needs a desktop.
        QDir().mkpath(dir.filePath("bin"));
        writeScript(dir.filePath("bin/xdg-open"),
                    "#!/bin/sh\nprintf '%s' \"$1\" > '" + dir.filePath("opened").toUtf8() + "'\n");
        qputenv("PATH", dir.filePath("bin").toUtf8() + ":" + savedPath);
    }
    void TearDown() override { qputenv("PATH", savedPath); }
};

} // namespace

TEST_F(ShellFixture, TargetWithBlanksQuotesAndSemicolonIsOneProgram) {
    const QString marker = dir.filePath("marker");
    // Run from the test directory, so that a name split by a shell would touch "pwned" here.
    const QString savedCwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QString injected = dir.filePath("pwned");
    const QString script = dir.filePath("run me; touch pwned \"now\" 'x'.sh");
    writeScript(script, "#!/bin/sh\necho ran > '" + marker.toUtf8() + "'\n");
    XdgShell shell;
    EXPECT_EQ(shell.open(script), ShellResult::Ok);
    EXPECT_TRUE(waitForFile(marker));
    QDir::setCurrent(savedCwd);
    EXPECT_FALSE(QFileInfo::exists(injected));
}

TEST_F(ShellFixture, DocumentsFoldersAndUrlsGoToXdgOpen) {
    const QString opened = dir.filePath("opened");
    XdgShell shell;
    EXPECT_EQ(shell.open("mailto: a@example.org"), ShellResult::Ok);
    ASSERT_TRUE(waitForFile(opened));
    EXPECT_EQ(contents(opened), "mailto:a@example.org");
    QFile::remove(opened);

    const QString doc = dir.filePath("a b.txt");
    writeScript(doc, "text", false);
    EXPECT_EQ(shell.open(doc), ShellResult::Ok);
    ASSERT_TRUE(waitForFile(opened));
    EXPECT_EQ(contents(opened), doc.toUtf8());
}

TEST_F(ShellFixture, FailuresGiveTheirResultCodes) {
    XdgShell shell;
    EXPECT_EQ(shell.open(dir.filePath("missing")), ShellResult::FileNotFound);
    EXPECT_EQ(shell.open(dir.filePath("nodir/missing")), ShellResult::PathNotFound);
    const QString noInterpreter = dir.filePath("bad.sh");
    writeScript(noInterpreter, "#!/no/such/interpreter\n");
    EXPECT_EQ(shell.open(noInterpreter), ShellResult::FileNotFound);
    const QString broken = dir.filePath("broken-program");
    writeScript(broken, QByteArray("\x7f"
                                   "ELF",
                                   4) +
                            "not a program image after all\n");
    EXPECT_EQ(shell.open(broken), ShellResult::BadFormat);
}

TEST_F(ShellFixture, ExecutableDocumentsAreOpenedNotRun) {
    const QString opened = dir.filePath("opened");
    const QString doc = dir.filePath("from windows.txt");
    writeScript(doc, "no interpreter line, not a program\n");
    ASSERT_TRUE(QFileInfo(doc).isExecutable());
    XdgShell shell;
    EXPECT_EQ(shell.open(doc), ShellResult::Ok);
    ASSERT_TRUE(waitForFile(opened));
    EXPECT_EQ(contents(opened), doc.toUtf8());
}

TEST_F(ShellFixture, NoOpenerInstalledMeansNoAssociation) {
    qputenv("PATH", dir.filePath("nothing-here").toUtf8());
    XdgShell shell;
    EXPECT_EQ(shell.open("https://example.org/"), ShellResult::NoAssociation);
}

TEST_F(ShellFixture, ResolvesTellsWhetherOpenWouldFindSomethingWithoutStartingIt) {
    writeScript(dir.filePath("bin/orvane-test-program"), "#!/bin/sh\n");
    XdgShell shell;
    for (const auto& [target, resolves] : {std::pair<QString, bool>{"orvane-test-program", true},
                                           {"mailto: a@example.org", true},
                                           {dir.path(), true},
                                           {"no-such-program.exe", false},
                                           {"c:\\Missing\\x.exe", false}})
        EXPECT_EQ(shell.resolves(target), resolves) << target.toStdString();
    qputenv("PATH", dir.filePath("nothing-here").toUtf8());
    EXPECT_FALSE(shell.resolves("https://example.org/")) << "no xdg-open to hand it to";
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("opened")));
}

// Test reports xdg-open's exit, not its start; one still at work when the wait is over has
// started what opens the target. (3: no program for the target, a code without a text.)
TEST_F(ShellFixture, TestReportsWhatXdgOpenAnswered) {
    const std::pair<const char*, QString> rows[] = {
        {"exit 0", "Execution OK!"},
        {"exit 2", "The specified file was not found."},
        {"exit 3", ""},
        {"exit 4", ""},
        {"while [ ! -e release ]; do sleep 0.05; done; echo > released", "Execution OK!"},
    };
    for (const auto& [end, message] : rows) {
        SCOPED_TRACE(end);
        writeScript(dir.filePath("bin/xdg-open"),
                    "#!/bin/sh\ncd '" + dir.path().toUtf8() + "'\n" + end);
        const bool waits = QByteArray(end).startsWith("while");
        XdgShell shell{waits ? std::chrono::milliseconds(100) : std::chrono::minutes(1)};
        RecordingBuiltins builtins;
        QStringList messages;
        ActionExecutor executor{builtins, builtins, shell,
                                [&](const QString& m) { messages << m; }};
        executor.Execute("https://example.org/", true);
        EXPECT_TRUE(messages.isEmpty()) << "answered before xdg-open did";
        ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.isEmpty(); }, 70000));
        EXPECT_EQ(messages, QStringList{message});
        if (waits) { // ended, so that nothing of the test outlives it
            writeScript(dir.filePath("release"), "", false);
            EXPECT_TRUE(waitForFile(dir.filePath("released")));
        }
    }
}

TEST(DetachedProcess, LeavesNoZombieBehind) {
    ASSERT_EQ(DetachedProcess::Start("/bin/true", {}), 0);
    // Once the program has ended, the event loop reaps it: no child of ours remains.
    EXPECT_TRUE(QTest::qWaitFor(
        [] {
            // WNOWAIT: look without reaping, so only Orvane's own reaping can pass this.
            siginfo_t info{};
            errno = 0;
            return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD;
        },
        10000));
    EXPECT_EQ(DetachedProcess::Start("/no/such/program", {}), ENOENT);
}

TEST(DetachedProcess, RunsInASessionOfItsOwn) {
    QTemporaryDir dir;
    const QString out = dir.filePath("sid");
    const QString script = dir.filePath("sid.sh");
    writeScript(script, "#!/bin/sh\ncut -d' ' -f6 /proc/$$/stat > '" + out.toUtf8() + "'\n");
    ASSERT_EQ(DetachedProcess::Start(script, {}), 0);
    ASSERT_TRUE(waitForFile(out));
    EXPECT_NE(contents(out).trimmed().toLongLong(), static_cast<qint64>(getsid(0)));
}

// Descriptors that libraries leave open without close-on-exec (PulseAudio's shared memory,
// for one) must not reach the started program.
TEST(DetachedProcess, GetsOnlyStandardInputOutputAndError) {
    QTemporaryDir dir;
    const QString out = dir.filePath("fds");
    const QString script = dir.filePath("fds.sh");
    writeScript(script, "#!/bin/sh\nls /proc/self/fd > '" + out.toUtf8() + ".tmp'\nmv '" +
                            out.toUtf8() + ".tmp' '" + out.toUtf8() + "'\n");
    const int plain = open("/dev/null", O_RDONLY);
    const int leaked = fcntl(plain, F_DUPFD, 100);
    close(plain);
    ASSERT_GE(leaked, 100);
    ASSERT_EQ(fcntl(leaked, F_GETFD) & FD_CLOEXEC, 0);

    ASSERT_EQ(DetachedProcess::Start(script, {}), 0);
    ASSERT_TRUE(waitForFile(out));
    QStringList fds = QString::fromUtf8(contents(out)).split('\n', Qt::SkipEmptyParts);
    fds.sort();
    // 3 is the directory the listing itself reads.
    EXPECT_EQ(fds.join(' ').toStdString(), "0 1 2 3");
    close(leaked);
}

// The program gets Orvane's environment as it is at the moment of the start, unchanged.
TEST(DetachedProcess, GetsTheEnvironmentAsItIsAtTheStart) {
    QTemporaryDir dir;
    const QByteArray out = dir.filePath("environ").toUtf8();
    const QString script = dir.filePath("env.sh");
    writeScript(script, "#!/bin/sh\ncat /proc/$$/environ > '" + out + ".tmp'\nmv '" + out +
                            ".tmp' '" + out + "'\n");
    qputenv("ORVANE_TEST_LATE", "set after start-up; \"quoted\"");
    QByteArray expected;
    for (char** e = environ; *e; ++e)
        expected += QByteArray(*e) + '\0';
    ASSERT_TRUE(expected.contains("ORVANE_TEST_LATE=set after"));

    ASSERT_EQ(DetachedProcess::Start(script, {}), 0);
    qunsetenv("ORVANE_TEST_LATE");
    ASSERT_TRUE(waitForFile(out));
    EXPECT_EQ(contents(out), expected);
}

namespace {

int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

// WNOWAIT: only looks, so that only the module's own reaping can make a child disappear.
bool stillWaitable(pid_t pid) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0;
}

bool hasEnded(pid_t pid) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == pid;
}

bool allReaped(const std::vector<pid_t>& pids) {
    return QTest::qWaitFor([&] { return std::none_of(pids.begin(), pids.end(), stillWaitable); },
                           10000);
}

// Ends the long-running programs a test started, whatever the test's outcome; only those
// not yet reaped, whose process ids cannot have been handed on.
struct Started {
    std::vector<pid_t> pids;
    ~Started() {
        for (pid_t pid : pids)
            if (stillWaitable(pid))
                kill(pid, SIGKILL);
    }
};

} // namespace

// About a thousand running programs must not use up the descriptors Orvane needs itself.
TEST(DetachedProcess, RunningProgramsHoldNoDescriptorsAndEndedOnesAreReaped) {
    pid_t first = -1;
    ASSERT_EQ(DetachedProcess::Start("/bin/true", {}, &first), 0);
    ASSERT_TRUE(allReaped({first})); // whatever reaping needs once is in place now
    const int before = openDescriptors();

    Started running;
    std::vector<pid_t> shortLived;
    for (int i = 0; i < 50; ++i) {
        pid_t pid = -1;
        ASSERT_EQ(DetachedProcess::Start("/bin/sleep", {"600"}, &pid), 0);
        running.pids.push_back(pid);
        ASSERT_EQ(DetachedProcess::Start("/bin/true", {}, &pid), 0);
        shortLived.push_back(pid);
    }
    for (pid_t pid : running.pids)
        ASSERT_TRUE(stillWaitable(pid) && !hasEnded(pid)) << pid;
    EXPECT_EQ(openDescriptors(), before);

    EXPECT_TRUE(allReaped(shortLived));
    for (pid_t pid : running.pids)
        EXPECT_FALSE(hasEnded(pid)) << pid; // the long-lived ones are left alone
    for (pid_t pid : running.pids)
        kill(pid, SIGTERM);
    EXPECT_TRUE(allReaped(running.pids));
}

// Children that others started (Qt, libraries, the program itself) are theirs to wait for.
TEST(DetachedProcess, ReapsOnlyWhatItStarted) {
    pid_t foreign = -1;
    char arg0[] = "true";
    char* argv[] = {arg0, nullptr};
    ASSERT_EQ(posix_spawn(&foreign, "/bin/true", nullptr, nullptr, argv, environ), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return hasEnded(foreign); }, 10000));
    // The module wakes up for its own child after the other one has ended ...
    pid_t own = -1;
    ASSERT_EQ(DetachedProcess::Start("/bin/true", {}, &own), 0);
    ASSERT_TRUE(allReaped({own}));
    // ... and leaves the other one to be waited for.
    int status = -1;
    EXPECT_EQ(waitpid(foreign, &status, 0), foreign);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// A child-signal handler installed before the first start keeps getting its signals. In a
// process of its own, so that it really comes first.
TEST(DetachedProcessDeathTest, EarlierChildSignalHandlerStillRuns) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static volatile sig_atomic_t seen = 0;
            struct sigaction earlier {};
            earlier.sa_handler = [](int) { seen = 1; };
            sigaction(SIGCHLD, &earlier, nullptr);
            pid_t pid = -1;
            const bool started = DetachedProcess::Start("/bin/true", {}, &pid) == 0;
            const bool reaped = started && allReaped({pid});
            std::_Exit(reaped && seen ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
