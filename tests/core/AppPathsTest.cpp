// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppPaths.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AppPaths, FilesLiveBesideTheExecutableWhenItsDirectoryIsWritable) {
    EXPECT_EQ(
        AppPaths::FilesDirectory("/opt/o", "/home/u/.config", [](const QString&) { return true; }),
        "/opt/o");
}

TEST(AppPaths, AnUnwritableDirectoryFallsBackToTheUsersConfiguration) {
    EXPECT_EQ(AppPaths::FilesDirectory("/usr/bin", "/home/u/.config",
                                       [](const QString& d) { return d != "/usr/bin"; }),
              "/home/u/.config/Orvane");
}

TEST(AppPaths, WriteProbeTellsRealDirectoriesApart) {
    QTemporaryDir dir;
    EXPECT_TRUE(AppPaths::CanCreateFileIn(dir.path()));
    EXPECT_FALSE(AppPaths::CanCreateFileIn(dir.filePath("does-not-exist")));
    EXPECT_FALSE(AppPaths::CanCreateFileIn("/proc"));
}
