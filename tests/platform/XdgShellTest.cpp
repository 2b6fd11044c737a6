#include "XdgShell.h"
#include "DetachedProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
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
