// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg/XdgLogonEntry.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray execLine(const QByteArray& entry) {
    for (const QByteArray& line : entry.split('\n'))
        if (line.startsWith("Exec="))
            return line;
    return {};
}

// Runs a tool to its end: its exit code and everything it printed.
std::pair<int, QByteArray> run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(20000))
        return {-1, "did not finish"};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAll()};
}

} // namespace

TEST(XdgLogonEntry, TheFolderFollowsTheBaseDirectoryRules) {
    struct Row {
        const char* configHome;
        const char* expected;
    };
    const Row rows[] = {{"/cfg", "/cfg/autostart"},
                        {"/cfg/", "/cfg/autostart"},
                        {"", "/home/u/.config/autostart"},
                        {"cfg", "/home/u/.config/autostart"}, // relative: ignored
                        {"./cfg", "/home/u/.config/autostart"}};
    for (const Row& row : rows)
        EXPECT_EQ(XdgLogonEntry::Directory(row.configHome, "/home/u"), row.expected)
            << row.configHome;
}

// Each path as a folder of its own holding a script: the entry must start exactly that file
// with exactly "hide" when a real desktop parser (GLib's, through gio) launches it.
TEST(XdgLogonEntry, TheEntryStartsThePathWithHideWhateverItHolds) {
    struct Row {
        const char* folder;
        const char* exec; // after "Exec=\"<tmp>/"
    };
    const Row rows[] = {
        {"plain", R"(plain/orvane" hide)"},
        {"with blank", R"(with blank/orvane" hide)"},
        {R"(say "hi")", R"(say \\"hi\\"/orvane" hide)"},
        {"$HOME", R"(\\$HOME/orvane" hide)"},
        {"`id`", R"(\\`id\\`/orvane" hide)"},
        {R"(back\slash)", R"(back\\\\slash/orvane" hide)"},
        {"a=b", R"(a=b/orvane" hide)"},
        // GLib cannot find a program whose path holds %%; env takes it as an argument.
        {"100%u", R"(100%%u/orvane" hide)"},
    };
    const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
    const QString gio = QStandardPaths::findExecutable("gio");
    ASSERT_FALSE(validate.isEmpty()) << "desktop-file-utils is not installed";
    ASSERT_FALSE(gio.isEmpty()) << "gio (libglib2.0-bin) is not installed";
    QTemporaryDir dir;
    XdgLogonEntry entry(dir.filePath("config/autostart"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.folder);
        const QString exe = dir.filePath(QString::fromUtf8(row.folder) + "/orvane");
        const QString out = dir.filePath("argv");
        QFile::remove(out);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(exe).path()));
        QFile script(exe);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > '" + out.toUtf8() + "'\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);

        ASSERT_EQ(entry.write(exe), LogonWrite::Written) << entry.error().toStdString();
        const QByteArray text = contents(entry.filePath());
        EXPECT_EQ(execLine(text), (exe.contains('%') ? "Exec=env \"" : "Exec=\"") +
                                      dir.path().toUtf8() + '/' + row.exec);
        EXPECT_TRUE(text.contains("\nName=Orvane\n") && text.startsWith("[Desktop Entry]\n"));
        EXPECT_TRUE(text.contains("\nTryExec=" + exe.toUtf8().replace("\\", "\\\\") + '\n'));
        const auto [valid, complaints] = run(validate, {entry.filePath()});
        EXPECT_EQ(valid, 0);
        EXPECT_EQ(complaints.toStdString(), "");

        EXPECT_EQ(run(gio, {"launch", entry.filePath()}).first, 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(out).size() > 0; }, 10000));
        EXPECT_EQ(contents(out), exe.toUtf8() + "\nhide\n");
        ASSERT_TRUE(QFile::remove(exe));
        EXPECT_NE(run(gio, {"launch", entry.filePath()}).first, 0) << "a deleted copy is skipped";
    }
}

TEST(XdgLogonEntry, APathNoEntryCanHoldIsRefusedAndNothingIsWritten) {
    QTemporaryDir dir;
    XdgLogonEntry entry(dir.filePath("autostart"));
    for (const char* path : {"", "orvane", "/a\x01b/orvane", "/a=b%c/orvane"}) {
        EXPECT_EQ(entry.write(QString::fromUtf8(path)), LogonWrite::Impossible) << path;
        EXPECT_FALSE(entry.error().isEmpty());
        EXPECT_FALSE(QFileInfo::exists(entry.filePath())) << path;
    }
}

// The desktop's own settings turn an autostart entry off inside the file: KDE with Hidden,
// GNOME with its enabled key, in the main group, the last of repeated keys counting.
TEST(XdgLogonEntry, TheDesktopsOffIsReadFromTheMainGroup) {
    const std::pair<const char*, bool> rows[] = {
        {"Hidden=true\n", true},
        {"X-GNOME-Autostart-enabled = false\n", true},
        {"Hidden=1\n", true},
        {"Hidden=false\n", false},
        {"X-GNOME-Autostart-enabled=false\nX-GNOME-Autostart-enabled=true\n", false},
        {"[Desktop Action Quit]\nHidden=true\n", false}};
    for (const auto& [added, off] : rows)
        EXPECT_EQ(XdgLogonEntry::TurnedOffByDesktop(XdgLogonEntry::EntryText("/o") + added), off)
            << added;
}

// What stands at the entry's place but is no entry (a FIFO, a device, a huge file) is never
// waited on, never read whole, and neither replaced nor removed.
TEST(XdgLogonEntry, WhatIsNoEntryIsLeftAloneWithoutWaiting) {
    QTemporaryDir dir;
    XdgLogonEntry entry(dir.path());
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
    QFile huge(dir.filePath("huge"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(XdgLogonEntry::MaxEntrySize + 1));
    for (const QString& target :
         {dir.filePath("fifo"), QStringLiteral("/dev/zero"), huge.fileName()}) {
        ASSERT_TRUE(QFile::link(target, entry.filePath()));
        EXPECT_EQ(entry.write("/opt/orvane"), LogonWrite::Refused) << target.toStdString();
        EXPECT_FALSE(entry.remove());
        EXPECT_EQ(QFileInfo(entry.filePath()).symLinkTarget(), target);
        EXPECT_EQ(huge.size(), XdgLogonEntry::MaxEntrySize + 1);
        ASSERT_TRUE(QFile::remove(entry.filePath()));
    }
}

TEST(XdgLogonEntry, RemovalTakesTheEntryAwayAndIsQuietWhenThereIsNone) {
    QTemporaryDir dir;
    XdgLogonEntry entry(dir.filePath("autostart"));
    EXPECT_TRUE(entry.remove()) << "no folder at all";
    ASSERT_EQ(entry.write("/opt/orvane/orvane"), LogonWrite::Written);
    ASSERT_EQ(entry.write("/moved/orvane"), LogonWrite::Written);
    EXPECT_EQ(execLine(contents(entry.filePath())), R"(Exec="/moved/orvane" hide)");
    EXPECT_TRUE(entry.remove());
    EXPECT_FALSE(QFile::exists(entry.filePath()));
    EXPECT_TRUE(entry.remove()) << "again, with nothing left to remove";
}
