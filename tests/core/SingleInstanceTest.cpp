#include "SingleInstance.h"

#include <QFile>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(SingleInstance, SecondClaimFailsAndRaisesTheFirst) {
    QTemporaryDir dir;
    SingleInstance first("Orvane 2", dir.path());
    ASSERT_TRUE(first.claim());
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    SingleInstance second("Orvane 2", dir.path());
    EXPECT_FALSE(second.claim());
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
    EXPECT_TRUE(next.claim());
}

TEST(SingleInstance, LockIsReleasedWithItsOwner) {
    QTemporaryDir dir;
    {
        SingleInstance first("Orvane 2", dir.path());
        ASSERT_TRUE(first.claim());
    }
    SingleInstance again("Orvane 2", dir.path());
    EXPECT_TRUE(again.claim());
}
