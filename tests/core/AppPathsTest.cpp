// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppPaths.h"
#include "BuildInfo.h"

#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

TEST(AppPaths, FilesLiveBesideTheExecutableWhenItsDirectoryIsWritable) {
    EXPECT_EQ(
        AppPaths::FilesDirectory("/opt/o", "/home/u/.config", [](const QString&) { return true; }),
        "/opt/o");
}

// Unwritable, or no folder at all (an executable the system could not name): never the
// root or the current folder.
TEST(AppPaths, AnUnwritableOrUnnamedDirectoryFallsBackToTheUsersConfiguration) {
    for (const char* exeDir : {"/usr/bin", "", "bin"})
        EXPECT_EQ(AppPaths::FilesDirectory(exeDir, "/home/u/.config",
                                           [](const QString& d) { return d != "/usr/bin"; }),
                  "/home/u/.config/Orvane")
            << exeDir;
}

TEST(AppPaths, WriteProbeTellsRealDirectoriesApart) {
    QTemporaryDir dir;
    EXPECT_TRUE(AppPaths::CanCreateFileIn(dir.path()));
    EXPECT_FALSE(AppPaths::CanCreateFileIn(dir.filePath("does-not-exist")));
    EXPECT_FALSE(AppPaths::CanCreateFileIn("/proc"));
}

// Where an installed copy is, the layout says, never the permission: root may write /usr/bin.
TEST(AppPaths, TheInstalledLayoutKeepsFilesInTheConfigurationAndFindsItsHistory) {
    struct Row {
        const char* exeDir;
        std::vector<QString> dirs; // the folders that exist
        bool exeDirWritable;
        const char* files;
        const char* history;
    };
    const Row rows[] = {
        {"/usr/bin",
         {"/usr/share/orvane"},
         true,
         "/home/u/.config/Orvane",
         "/usr/share/orvane/history.txt"},
        {"/usr/local/bin",
         {"/usr/local/share/orvane"},
         false,
         "/home/u/.config/Orvane",
         "/usr/local/share/orvane/history.txt"},
        {"/home/u/.local/bin",
         {"/home/u/.local/share/orvane"},
         true,
         "/home/u/.config/Orvane",
         "/home/u/.local/share/orvane/history.txt"},
        // A build tree, or a copy on its own: everything beside the executable.
        {"/src/build/bin", {}, true, "/src/build/bin", "/src/build/bin/history.txt"},
        {"/usr/bin", {"/usr/share/other"}, true, "/usr/bin", "/usr/bin/history.txt"},
        {"/opt/o", {}, false, "/home/u/.config/Orvane", "/opt/o/history.txt"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.exeDir);
        const QString data = AppPaths::InstalledDataDirectory(
            row.exeDir, ORVANE_DATA_FROM_BINDIR, [&](const QString& d) {
                return std::find(row.dirs.begin(), row.dirs.end(), d) != row.dirs.end();
            });
        EXPECT_EQ(AppPaths::FilesDirectory(
                      row.exeDir, "/home/u/.config",
                      [&](const QString&) { return row.exeDirWritable; }, !data.isEmpty()),
                  row.files);
        EXPECT_EQ(AppPaths::HistoryFile(row.exeDir, data), row.history);
    }
}
