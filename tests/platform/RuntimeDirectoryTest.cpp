// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/RuntimeDirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Prepared { Nothing, Private, GroupWritable, OthersOwn, LinkToPrivate, Loose };

// Makes path as the case wants it; false when the case needs root and this is not root.
bool prepare(const QString& path, Prepared how) {
    const QByteArray p = QFile::encodeName(path);
    switch (how) {
    case Prepared::Nothing: return true;
    case Prepared::Private: return mkdir(p, 0700) == 0;
    case Prepared::GroupWritable: return mkdir(p, 0700) == 0 && chmod(p, 0770) == 0;
    case Prepared::Loose: return mkdir(p, 0700) == 0 && chmod(p, 0755) == 0;
    case Prepared::OthersOwn:
        return getuid() == 0 && mkdir(p, 0700) == 0 && chown(p, 4242, 4242) == 0;
    case Prepared::LinkToPrivate: {
        const QByteArray target = p + ".target";
        return mkdir(target, 0700) == 0 && symlink(target, p) == 0;
    }
    }
    return false;
}

struct Case {
    const char* name;
    bool xdgSet;
    Prepared xdg;
    Prepared firstFallback;
    int expectedChoice; // 0: XDG_RUNTIME_DIR, 1: first fallback, 2: second fallback
};

const Case kCases[] = {
    {"a private runtime folder is used", true, Prepared::Private, Prepared::Nothing, 0},
    {"no runtime folder: Orvane makes its own", false, Prepared::Nothing, Prepared::Nothing, 1},
    {"a runtime folder others can write is not used", true, Prepared::GroupWritable,
     Prepared::Nothing, 1},
    {"a runtime folder of another user is not used", true, Prepared::OthersOwn, Prepared::Nothing,
     1},
    {"a missing runtime folder is not used", true, Prepared::Nothing, Prepared::Nothing, 1},
    {"a folder another user prepared is skipped", false, Prepared::Nothing, Prepared::OthersOwn, 2},
    {"a link planted in the folder's place is skipped", false, Prepared::Nothing,
     Prepared::LinkToPrivate, 2},
    {"an own folder with loose rights is tightened", false, Prepared::Nothing, Prepared::Loose, 1},
};

} // namespace

TEST(RuntimeDirectory, ChoosesOnlyAFolderPrivateToTheUser) {
    const uid_t uid = getuid();
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        const QString xdg = root.filePath("xdg");
        const QString base1 = root.filePath("tmp");
        const QString base2 = root.filePath("cache");
        QDir().mkpath(base1);
        const QString fallback1 = base1 + "/orvane-" + QString::number(uid);
        const QString fallback2 = base2 + "/orvane-" + QString::number(uid);
        if (!prepare(xdg, c.xdg) || !prepare(fallback1, c.firstFallback)) {
            ASSERT_NE(getuid(), 0u);
            continue; // needs root to give a folder to another user
        }
        const RuntimePlace place =
            RuntimeDirectory::Choose(c.xdgSet ? xdg : QString(), {base1, base2}, uid);
        const QString expected = c.expectedChoice == 0   ? xdg
                                 : c.expectedChoice == 1 ? fallback1
                                                         : fallback2;
        EXPECT_EQ(place.directory, expected);
        EXPECT_TRUE(place.problem.isEmpty());
        struct stat st = {};
        ASSERT_EQ(lstat(QFile::encodeName(expected), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_TRUE(RuntimeDirectory::IsPrivate(place.directory, uid));
    }
}

TEST(RuntimeDirectory, NoUsableFolderIsReportedWithWhatWasTried) {
    QTemporaryDir root;
    // Files where the bases should be: nothing can be made under them.
    QFile(root.filePath("a")).open(QIODevice::WriteOnly);
    QFile(root.filePath("b")).open(QIODevice::WriteOnly);
    const RuntimePlace place =
        RuntimeDirectory::Choose(QString(), {root.filePath("a"), root.filePath("b")}, getuid());
    EXPECT_TRUE(place.directory.isEmpty());
    EXPECT_TRUE(place.problem.contains(root.filePath("a")));
    EXPECT_TRUE(place.problem.contains("not set"));
}
