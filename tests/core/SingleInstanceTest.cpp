// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
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
