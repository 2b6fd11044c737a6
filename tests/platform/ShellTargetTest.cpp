// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg/ShellTarget.h"
#include "platform/Shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void makeFile(const QString& path, bool executable, const QByteArray& body = "#!/bin/sh\n") {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(body);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

// The first bytes of a real program of this system.
QByteArray elfHeader() {
    QFile f("/bin/true");
    return f.open(QIODevice::ReadOnly) ? f.read(64) : QByteArray();
}

struct PlanFixture : ::testing::Test {
    QTemporaryDir dir;
    QString bin = dir.filePath("bin");
    QStringList path{bin};
    void SetUp() override { QDir().mkpath(bin); }
};

} // namespace

TEST(ShellTargetTranslate, WindowsFormsOfTheDefaultTable) {
    using ShellTarget::Translate;
    EXPECT_EQ(Translate("mailto: someone@example.org"), "mailto:someone@example.org");
    EXPECT_EQ(Translate("MAILTO:\t a@b.c"), "mailto:a@b.c");
    EXPECT_EQ(Translate("mailto:a@b.c"), "mailto:a@b.c");
    EXPECT_EQ(Translate("\\\\OFFICE1"), "smb://OFFICE1");
    EXPECT_EQ(Translate("\\\\HOST\\share\\dir"), "smb://HOST/share/dir");
    EXPECT_EQ(Translate("C:\\"), "/");
    EXPECT_EQ(Translate("c:\\Program Files\\Winamp\\winamp.exe"),
              "/Program Files/Winamp/winamp.exe");
    EXPECT_EQ(Translate("/home/u/a\\b"), "/home/u/a\\b");
    EXPECT_EQ(Translate("https://example.org/"), "https://example.org/");
}

TEST_F(PlanFixture, UrlsGoToTheOpenerUnchanged) {
    for (const char* url : {"https://example.org/a b?c;d", "ftp://x", "file:///etc",
                            "news:comp.lang", "mailto: a@b.c"}) {
        const ShellPlan p = ShellTarget::Plan(url, path);
        EXPECT_EQ(p.kind, ShellPlan::Kind::Open) << url;
    }
    EXPECT_EQ(ShellTarget::Plan("mailto: a@b.c", path).argument, "mailto:a@b.c");
}

TEST_F(PlanFixture, ExecutablesRunDirectlyOtherFilesAndFoldersOpen) {
    const QString script = dir.filePath("my prog; rm -rf \"x\".sh");
    makeFile(script, true);
    const QString doc = dir.filePath("notes.txt");
    makeFile(doc, false);

    ShellPlan p = ShellTarget::Plan(script, path);
    EXPECT_EQ(p.kind, ShellPlan::Kind::Run);
    EXPECT_EQ(p.argument, script); // one file name, never split
    p = ShellTarget::Plan(doc, path);
    EXPECT_EQ(p.kind, ShellPlan::Kind::Open);
    EXPECT_EQ(p.argument, doc);
    p = ShellTarget::Plan(dir.path(), path);
    EXPECT_EQ(p.kind, ShellPlan::Kind::Open);
    EXPECT_EQ(ShellTarget::Plan("C:\\", path).argument, "/");
}

TEST_F(PlanFixture, MissingFileOrPathGivesTheirCodes) {
    EXPECT_EQ(ShellTarget::Plan(dir.filePath("missing.sh"), path).failure,
              ShellResult::FileNotFound);
    EXPECT_EQ(ShellTarget::Plan(dir.filePath("no/such/dir/x.sh"), path).failure,
              ShellResult::PathNotFound);
    EXPECT_EQ(ShellTarget::Plan("c:\\Program Files\\Winamp\\winamp.exe", path).failure,
              ShellResult::PathNotFound);
    EXPECT_EQ(ShellTarget::Plan("volumeup", path).failure, ShellResult::FileNotFound);
    EXPECT_EQ(ShellTarget::Plan("", path).failure, ShellResult::FileNotFound);
}

TEST_F(PlanFixture, BareNamesAreFoundOnThePath) {
    makeFile(bin + "/tool", true);
    makeFile(bin + "/notexec", false);
    ShellPlan p = ShellTarget::Plan("tool", path);
    EXPECT_EQ(p.kind, ShellPlan::Kind::Run);
    EXPECT_EQ(p.argument, bin + "/tool");
    EXPECT_EQ(ShellTarget::Plan("notexec", path).kind, ShellPlan::Kind::Fail);
    EXPECT_TRUE(p.options.isEmpty());
}

TEST_F(PlanFixture, WindowsProgramNamesMapToTheFirstInstalledEquivalent) {
    EXPECT_EQ(ShellTarget::Plan("calc.exe", path).failure, ShellResult::FileNotFound);
    makeFile(bin + "/xcalc", true);
    makeFile(bin + "/kcalc", true);
    ShellPlan p = ShellTarget::Plan("CALC.EXE", path);
    EXPECT_EQ(p.kind, ShellPlan::Kind::Run);
    EXPECT_EQ(p.argument, bin + "/kcalc"); // earlier in the list of preference
    // A program that really has the Windows name wins over its stand-in.
    makeFile(bin + "/calc.exe", true);
    EXPECT_EQ(ShellTarget::Plan("calc.exe", path).argument, bin + "/calc.exe");
    for (const char* name : {"cmd.exe", "notepad.exe", "write.exe", "regedit.exe", "msconfig.exe",
                             "services.msc", "dxdiag.exe", "sol.exe", "winmine.exe"})
        EXPECT_FALSE(ShellTarget::EquivalentsOf(name).isEmpty()) << name;
}

// Files from Windows or on exFAT/NTFS drives often carry the execute bit; only what the
// system can really start runs, the rest is opened like any document.
TEST_F(PlanFixture, OnlyProgramsAndInterpreterScriptsRunWhateverTheirPermissions) {
    ASSERT_TRUE(elfHeader().startsWith("\x7f"
                                       "ELF"));
    struct Row {
        const char* name;
        QByteArray body;
        bool executable;
        ShellPlan::Kind expected;
    } rows[] = {
        {"notes.txt", "plain text\n", true, ShellPlan::Kind::Open},
        {"paper.pdf", "%PDF-1.7\n%\xe2\xe3\xcf\xd3\n", true, ShellPlan::Kind::Open},
        {"tiny", "#", true, ShellPlan::Kind::Open},
        {"empty", "", true, ShellPlan::Kind::Open},
        {"program", elfHeader(), true, ShellPlan::Kind::Run},
        {"script.py", "#!/usr/bin/env python3\n", true, ShellPlan::Kind::Run},
        {"copied-program", elfHeader(), false, ShellPlan::Kind::Open},
        {"copied-script", "#!/bin/sh\n", false, ShellPlan::Kind::Open},
    };
    for (const Row& row : rows) {
        const QString file = dir.filePath(row.name);
        makeFile(file, row.executable, row.body);
        ASSERT_EQ(QFileInfo(file).isExecutable(), row.executable) << row.name;
        const ShellPlan byPath = ShellTarget::Plan(file, path);
        EXPECT_EQ(byPath.kind, row.expected) << row.name;
        EXPECT_EQ(byPath.argument, file) << row.name;

        // The same file found by its bare name on PATH: a document there is opened, and
        // only an executable one is found at all.
        makeFile(bin + "/" + row.name, row.executable, row.body);
        const ShellPlan byName = ShellTarget::Plan(row.name, path);
        if (row.executable) {
            EXPECT_EQ(byName.kind, row.expected) << row.name;
            EXPECT_EQ(byName.argument, bin + "/" + row.name) << row.name;
        } else {
            EXPECT_EQ(byName.failure, ShellResult::FileNotFound) << row.name;
        }
    }
}

// Whoever can write into the folder Orvane was started from must not choose what a bare
// program name runs.
TEST_F(PlanFixture, BareNamesNeverComeFromTheWorkingDirectory) {
    const QString savedCwd = QDir::currentPath();
    const QString here = dir.filePath("here");
    QDir().mkpath(here);
    ASSERT_TRUE(QDir::setCurrent(here));
    makeFile(here + "/calc.exe", true);
    makeFile(here + "/tool", true);
    makeFile(here + "/notes.txt", false);
    makeFile(bin + "/xcalc", true);
    ASSERT_TRUE(QFileInfo("calc.exe").isExecutable()); // really there, relative to the cwd

    for (const QStringList& searchPath :
         {path, QStringList{"", bin}, QStringList{".", bin}, QStringList{"./", bin}}) {
        const ShellPlan calc = ShellTarget::Plan("calc.exe", searchPath);
        EXPECT_EQ(calc.kind, ShellPlan::Kind::Run) << searchPath.join(':').toStdString();
        EXPECT_EQ(calc.argument, bin + "/xcalc") << searchPath.join(':').toStdString();
        for (const char* name : {"tool", "notes.txt"})
            EXPECT_EQ(ShellTarget::Plan(name, searchPath).failure, ShellResult::FileNotFound)
                << name << " " << searchPath.join(':').toStdString();
    }
    // Relative entries lead nowhere; an explicit relative path is still the user's choice.
    EXPECT_TRUE(ShellTarget::FindOnPath("tool", {".", "", "."}).isEmpty());
    EXPECT_EQ(ShellTarget::Plan("./tool", path).argument, here + "/tool");
    QDir::setCurrent(savedCwd);
}

// A target is taken whole first; only what is nothing as a whole, and no Windows form, is a
// command line. "@" stands for the test's folder; the working directory holds a program too,
// and the calculator's desktop entry is installed.
TEST_F(PlanFixture, CommandLinesRunTheirProgramWithItsArgumentsOnceTheWholeIsNothing) {
    const QString savedCwd = QDir::currentPath();
    QDir().mkpath(dir.filePath("My App"));
    for (const char* name : {"bin/tool", "bin/firefox", "bin/gedit", "My App/run", "my prog.sh"})
        makeFile(dir.filePath(name), true);
    makeFile(dir.filePath("notes.txt"), false);
    makeFile(dir.filePath("entry.desktop"), false);
    makeFile(dir.filePath("cwdtool"), true);
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    ASSERT_TRUE(QFileInfo("cwdtool").isExecutable());
    using K = ShellPlan::Kind;
    struct Row {
        const char* target;
        K kind;
        const char* program; // Run: under "@"; Open: what the opener gets
        QStringList options;
        int failure;
    } rows[] = {
        {"tool --flag", K::Run, "@/bin/tool", {"--flag"}, 0},
        {"firefox --private-window https://example.org",
         K::Run,
         "@/bin/firefox",
         {"--private-window", "https://example.org"},
         0},
        {"\"@/My App/run\" --fast", K::Run, "@/My App/run", {"--fast"}, 0},
        {"tool  \"two words\"\ta\\ b \"q\\\"x\\$\" \"\\n\" '' \"\"",
         K::Run,
         "@/bin/tool",
         {"two words", "a b", "q\"x$", "\\n", "''", ""},
         0},
        {"notepad.exe a.txt", K::Run, "@/bin/gedit", {"a.txt"}, 0},
        {"calc.exe", K::Launch, "org.gnome.Calculator.desktop", {}, 0},
        {"firefox.desktop", K::Launch, "firefox.desktop", {}, 0},
        {"@/entry.desktop", K::Launch, "@/entry.desktop", {}, 0},
        {"tool.desktop --x", K::Fail, "", {}, ShellResult::FileNotFound},
        {"@/my prog.sh", K::Run, "@/my prog.sh", {}, 0}, // a whole file, never split
        {"https://example.org/a b", K::Open, "https://example.org/a b", {}, 0},
        {"missing-program --x", K::Fail, "", {}, ShellResult::FileNotFound},
        {"@/missing/run --x", K::Fail, "", {}, ShellResult::PathNotFound},
        {"cwdtool --x", K::Fail, "", {}, ShellResult::FileNotFound},
        {"./cwdtool --x", K::Fail, "", {}, ShellResult::FileNotFound},
        {"tool \"open", K::Fail, "", {}, ShellResult::FileNotFound},
        {"tool trailing\\", K::Fail, "", {}, ShellResult::FileNotFound},
        {"@/notes.txt extra", K::Fail, "", {}, ShellResult::FileNotFound},
        {"C:\\Program Files\\x.exe", K::Fail, "", {}, ShellResult::PathNotFound},
        {"C:\\Program Files\\x.exe --fast", K::Fail, "", {}, ShellResult::PathNotFound},
    };
    for (const Row& row : rows) {
        const QString target = QString(row.target).replace('@', dir.path());
        SCOPED_TRACE(target.toStdString());
        const ShellPlan p = ShellTarget::Plan(
            target, path, [](const QString& id) { return id == "org.gnome.Calculator.desktop"; });
        EXPECT_EQ(p.kind, row.kind);
        EXPECT_EQ(p.argument, QString(row.program).replace('@', dir.path()));
        EXPECT_EQ(p.options, row.options);
        EXPECT_EQ(p.failure, row.failure);
    }
    QDir::setCurrent(savedCwd);
}
