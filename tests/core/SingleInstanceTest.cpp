// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SingleInstance.h"

#include "platform/InstanceLock.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(SingleInstance, SecondClaimFailsAndRaisesTheFirst) {
    QTemporaryDir dir;
    SingleInstance first("Orvane 2", dir.path());
    ASSERT_EQ(first.claim(), SingleInstance::Claim::First);
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    SingleInstance second("Orvane 2", dir.path());
    EXPECT_EQ(second.claim(), SingleInstance::Claim::AnotherRuns);
    EXPECT_EQ(second.ownerPid(), QCoreApplication::applicationPid());
    EXPECT_TRUE(second.askFirstToRaise());
    EXPECT_TRUE(raised.wait(5000));
    EXPECT_EQ(raised.count(), 1);
}

TEST(SingleInstance, AStaleLockOfADeadProcessDoesNotBlock) {
    QTemporaryDir dir;
    // A crashed owner: a process that took the lock and died without releasing it.
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(dir.filePath("Orvane 2.lock"));
        _exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_TRUE(QFile::exists(dir.filePath("Orvane 2.lock")));
    SingleInstance next("Orvane 2", dir.path());
    EXPECT_EQ(next.claim(), SingleInstance::Claim::First);
}

// What a power loss between the lock's creation and its write leaves, a hand-made file, a
// process that died or a number that now belongs to another program: no live owner.
class ALockFileWithoutALiveOwner : public testing::TestWithParam<QByteArray> {};

TEST_P(ALockFileWithoutALiveOwner, IsStale) {
    QTemporaryDir dir;
    QFile file(dir.filePath("Orvane 2.lock"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(GetParam()) == GetParam().size());
    file.close();
    SingleInstance next("Orvane 2", dir.path());
    EXPECT_EQ(next.claim(), SingleInstance::Claim::First);
    // Held now: another start sees this process.
    SingleInstance later("Orvane 2", dir.path());
    EXPECT_EQ(later.claim(), SingleInstance::Claim::AnotherRuns);
    EXPECT_EQ(later.ownerPid(), QCoreApplication::applicationPid());
}

INSTANTIATE_TEST_SUITE_P(Contents, ALockFileWithoutALiveOwner,
                         testing::Values(QByteArray(), QByteArray("\0\0\0\0", 4),
                                         QByteArray("garbage\n"), QByteArray("-5\n"),
                                         QByteArray::number(getppid()) + "\nOrvane\n" +
                                             QSysInfo::machineHostName().toUtf8()));

TEST(SingleInstance, OfManyRacingStartsExactlyOneRuns) {
    QTemporaryDir dir;
    std::array<int, 2> results{}, release{};
    ASSERT_TRUE(pipe(results.data()) == 0 && pipe(release.data()) == 0);
    for (int i = 0; i < 24; ++i) {
        if (fork() == 0) { // each start keeps what it got until all have tried
            close(release[1]);
            InstanceLock lock(dir.filePath("Orvane 2.lock"));
            char got = lock.take() == InstanceLock::Outcome::Taken ? 'F' : 'A', none = 0;
            _exit(write(results[1], &got, 1) == 1 && read(release[0], &none, 1) == 0 ? 0 : 1);
        }
    }
    close(results[1]);
    std::string got(24, '?');
    FILE* answers = fdopen(results[0], "r");
    EXPECT_EQ(fread(got.data(), 1, got.size(), answers), got.size());
    close(release[1]);
    while (wait(nullptr) > 0) {
    }
    fclose(answers);
    EXPECT_EQ(std::count(got.begin(), got.end(), 'F'), 1) << got;
}

TEST(SingleInstance, LockIsReleasedWithItsOwner) {
    QTemporaryDir dir;
    {
        SingleInstance first("Orvane 2", dir.path());
        ASSERT_EQ(first.claim(), SingleInstance::Claim::First);
    }
    SingleInstance again("Orvane 2", dir.path());
    EXPECT_EQ(again.claim(), SingleInstance::Claim::First);
}

TEST(SingleInstance, ALockThatCannotBeCreatedIsAFailureNotARunningInstance) {
    QTemporaryDir dir;
    // A file where the folder should be: nothing can be created under it.
    QFile blocker(dir.filePath("runtime"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    SingleInstance s("Orvane 2", dir.filePath("runtime"));
    EXPECT_EQ(s.claim(), SingleInstance::Claim::Failed);
    EXPECT_FALSE(s.problem().isEmpty());
}

TEST(SingleInstance, AClientThatSendsWithoutEndIsCutOffAndOthersAreStillHeard) {
    QTemporaryDir dir;
    SingleInstance first("Orvane 2", dir.path());
    ASSERT_EQ(first.claim(), SingleInstance::Claim::First);
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    QLocalSocket flood;
    flood.connectToServer(dir.filePath("Orvane 2.socket"));
    ASSERT_TRUE(flood.waitForConnected(5000));
    QSignalSpy cutOff(&flood, &QLocalSocket::disconnected);
    flood.write(QByteArray(1 << 20, 'x'));
    EXPECT_TRUE(cutOff.wait(5000));

    SingleInstance second("Orvane 2", dir.path());
    ASSERT_EQ(second.claim(), SingleInstance::Claim::AnotherRuns);
    EXPECT_TRUE(second.askFirstToRaise());
    EXPECT_TRUE(raised.wait(5000));
}

// What a killed run leaves where the socket goes does not keep the next one from listening;
// the socket it makes only this user can reach, and it is gone once the instance ends.
TEST(SingleInstance, ListensWhereAKilledRunLeftItsSocketAndOnlyForThisUser) {
    QTemporaryDir dir;
    const QString socket = dir.filePath("Orvane 2.socket");
    {
        QFile leftOver(socket);
        ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
    }
    {
        SingleInstance first("Orvane 2", dir.path());
        ASSERT_EQ(first.claim(), SingleInstance::Claim::First);
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(socket).constData(), &info), 0);
        EXPECT_TRUE(S_ISSOCK(info.st_mode));
        EXPECT_EQ(info.st_mode & 077, 0u);
        QSignalSpy raised(&first, &SingleInstance::raiseRequested);
        SingleInstance second("Orvane 2", dir.path());
        ASSERT_EQ(second.claim(), SingleInstance::Claim::AnotherRuns);
        EXPECT_TRUE(second.askFirstToRaise());
        EXPECT_TRUE(raised.wait(5000));
    }
    EXPECT_FALSE(QFile::exists(socket));
}
