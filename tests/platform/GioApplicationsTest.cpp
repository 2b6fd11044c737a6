// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gio/GioApplications.h"
#include "FakeShell.h"
#include "core/ActionExecutor.h"
#include "platform/xdg/XdgShell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

void writeFile(const QString& path, const QByteArray& body) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(body);
}

// The desktop's folders are read once per process, so the entries are in place, and the
// user's own folders out of the way, before GIO is first asked.
struct Entries : ::testing::Test {
    static inline QTemporaryDir* dir = nullptr;
    static inline int inherited = -1; // open without close-on-exec across every launch

    static QString file(const QString& name) { return dir->filePath(name); }
    // An entry whose program writes "<pid> <session> <whether it got `inherited`>" to
    // <marker>.
    static void entry(const QString& id, const QByteArray& marker, const QByteArray& extra = {}) {
        const QString script = file(marker + ".sh");
        writeFile(script, "read -r _ _ _ _ _ sid _ < /proc/$$/stat\n"
                          "[ -e /proc/$$/fd/" +
                              QByteArray::number(inherited) + " ] && fd=kept || fd=closed\n" +
                              "echo $$ $sid $fd > '" + file(marker).toUtf8() + "'\n");
        writeFile(file("data/applications/" + id),
                  "[Desktop Entry]\nType=Application\nName=Orvane " + marker + "\nIcon=orvane-" +
                      marker + "\nExec=/bin/sh \"" + script.toUtf8() + "\"\n" + extra);
    }
    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        inherited = ::open("/dev/null", O_RDONLY);
        entry("orvane-test-marker.desktop", "marker");
        entry("org.gnome.Calculator.desktop", "calculator");
        entry("orvane-hidden.desktop", "hidden", "NoDisplay=true\n");
        writeFile(file("data/applications/orvane-no-program.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Gone\nExec=orvane-no-such-program\n");
        qputenv("XDG_DATA_DIRS", file("data").toUtf8());
        qputenv("XDG_DATA_HOME", file("home").toUtf8());
    }
    static void TearDownTestSuite() {
        ::close(inherited);
        delete dir;
    }
};

} // namespace

// Test shows "Execution OK!" only where GIO started the application, by id, by the path of
// its file, or for a Windows program name whose stand-in is installed; and what went wrong
// otherwise, for a command line's missing program too.
TEST_F(Entries, TestStartsInstalledApplicationsThroughGio) {
    const struct Row {
        QString target;
        QString message;
        QString marker; // written by the started program; empty where nothing starts
    } rows[] = {
        {"orvane-test-marker.desktop", "Execution OK!", "marker"},
        {file("data/applications/orvane-test-marker.desktop"), "Execution OK!", "marker"},
        {"calc.exe", "Execution OK!", "calculator"},
        {"orvane-not-installed.desktop", "The specified file was not found.", ""},
        {"orvane-no-program.desktop", "The specified file was not found.", ""},
        {file("data/missing.desktop"), "The specified file was not found.", ""},
        {"orvane-no-such-program --x", "The specified file was not found.", ""},
        {file("data/applications/orvane-no-program.desktop"), "The specified file was not found.",
         ""},
    };
    XdgShell shell;
    RecordingBuiltins builtins;
    QStringList messages;
    ActionExecutor executor{builtins, builtins, shell, [&](const QString& m) { messages << m; }};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.target.toStdString());
        QFile::remove(file(row.marker));
        messages.clear();
        executor.Execute(row.target, true);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.isEmpty(); }, 10000));
        EXPECT_EQ(messages, QStringList{row.message});
        EXPECT_EQ(shell.resolves(row.target), !row.marker.isEmpty());
        if (row.marker.isEmpty())
            continue;
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(file(row.marker)).size() > 0; }));
        QFile f(file(row.marker));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> seen = f.readAll().simplified().split(' ');
        ASSERT_EQ(seen.size(), 3);
        EXPECT_EQ(seen[0], seen[1]) << "leads a session of its own";
        EXPECT_EQ(seen[2], "closed");
    }
    ASSERT_TRUE(fcntl(inherited, F_GETFD) >= 0 && !(fcntl(inherited, F_GETFD) & FD_CLOEXEC));
}

TEST_F(Entries, TheCatalogListsWhatTheDesktopShows) {
    const QList<InstalledApplication> apps = GioAppCatalog().Applications();
    QStringList ids;
    for (const InstalledApplication& app : apps)
        ids << app.id;
    EXPECT_EQ(ids, (QStringList{"org.gnome.Calculator.desktop", "orvane-test-marker.desktop"}));
    ASSERT_EQ(apps.size(), 2);
    EXPECT_EQ(apps[1].name, "Orvane marker");
    EXPECT_EQ(apps[1].icon, "orvane-marker");
}
