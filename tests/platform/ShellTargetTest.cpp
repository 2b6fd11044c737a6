#include "ShellTarget.h"
#include "Shell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void makeFile(const QString& path, bool executable) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
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
    EXPECT_EQ(ShellTarget::Plan("tool --flag", path).failure, ShellResult::FileNotFound);
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
