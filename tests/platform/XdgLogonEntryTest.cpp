// SPDX-License-Identifier: GPL-3.0-or-later
#include "XdgLogonEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

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
        bool glibStartsIt = true;
    };
    const Row rows[] = {
        {"plain", R"(plain/orvane" hide)"},
        {"with blank", R"(with blank/orvane" hide)"},
        {R"(say "hi")", R"(say \\"hi\\"/orvane" hide)"},
        {"$HOME", R"(\\$HOME/orvane" hide)"},
        {"`id`", R"(\\`id\\`/orvane" hide)"},
        {R"(back\slash)", R"(back\\\\slash/orvane" hide)"},
        // GLib looks the program up before it turns %% back into %, so it cannot start a
        // path with a percent sign however it is written; %% is what the format asks for.
        {"100%u", R"(100%%u/orvane" hide)", false},
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

        ASSERT_TRUE(entry.write(exe)) << entry.error().toStdString();
        const QByteArray text = contents(entry.filePath());
        EXPECT_EQ(execLine(text), "Exec=\"" + dir.path().toUtf8() + '/' + row.exec);
        EXPECT_TRUE(text.contains("\nName=Orvane\n") && text.startsWith("[Desktop Entry]\n"));
        const auto [valid, complaints] = run(validate, {entry.filePath()});
        EXPECT_EQ(valid, 0);
        EXPECT_EQ(complaints.toStdString(), "");

        if (!row.glibStartsIt)
            continue;
        EXPECT_EQ(run(gio, {"launch", entry.filePath()}).first, 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(out).size() > 0; }, 10000));
        EXPECT_EQ(contents(out), exe.toUtf8() + "\nhide\n");
    }
}

TEST(XdgLogonEntry, RemovalTakesTheEntryAwayAndIsQuietWhenThereIsNone) {
    QTemporaryDir dir;
    XdgLogonEntry entry(dir.filePath("autostart"));
    EXPECT_TRUE(entry.remove()) << "no folder at all";
    ASSERT_TRUE(entry.write("/opt/orvane/orvane"));
    ASSERT_TRUE(entry.write("/moved/orvane"));
    EXPECT_EQ(execLine(contents(entry.filePath())), R"(Exec="/moved/orvane" hide)");
    EXPECT_TRUE(entry.remove());
    EXPECT_FALSE(QFile::exists(entry.filePath()));
    EXPECT_TRUE(entry.remove()) << "again, with nothing left to remove";
}
