// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Lifecycle.h"
#include "FakeHotkeyBackend.h"
#include "TestFiles.h"
#include "core/CommandLine.h"
#include "core/HotkeyCommands.h"
#include "core/HotkeyRegistration.h"
#include "core/HotkeyTable.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLockFile>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The windows as the life cycle sees them: what it asked of them, in order.
class RecordingWindows : public LifecycleWindows {
public:
    void PrepareLists() override { calls << "PrepareLists"; }
    void ShowSplash() override { calls << "ShowSplash"; }
    void ShowMainWindow() override {
        calls << "ShowMainWindow";
        visible = true;
    }
    void HideMainWindow() override {
        calls << "HideMainWindow";
        visible = false;
    }
    void RestoreMainWindow() override { calls << "RestoreMainWindow"; }
    void TellUser(const QString& text) override { told << text; }

    QStringList calls;
    QStringList told;
    bool visible = false;
};

struct LifecycleFixture : ::testing::Test {
    QTemporaryDir dir;
    HotkeyTable table;
    FakeHotkeyBackend backend;
    RecordingWindows windows;
    QStringList settingsCalls;
    bool logo = false;
    bool settingsWritable = true;
    QStringList unresolvable; // targets the desktop cannot open
    std::unique_ptr<Lifecycle> life;

    void SetUp() override {
        table.appendMany(DefaultHotkeyTable());
        life = std::make_unique<Lifecycle>(
            table, backend, windows,
            SettingsHooks{[this](const QString& p) { settingsCalls << "load " + p; },
                          [this](const QString& p) {
                              settingsCalls << "save " + p;
                              return settingsWritable;
                          },
                          [this] { return logo; }},
            [this](const QString& target) { return !unresolvable.contains(target); });
    }
    QString iniPath() const { return dir.filePath("Hotkeys.ini"); }
    QString commandLine(const QStringList& args) const {
        return CommandLine::Rebuild(QCoreApplication::applicationFilePath(), args);
    }
    Lifecycle::CreateOutcome create(const QStringList& args = {}) {
        return life->FormCreate(commandLine(args), {dir.path(), {}}, dir.path());
    }
    void start(const QStringList& args = {}) {
        QSignalSpy started(life.get(), &Lifecycle::started);
        ASSERT_EQ(create(args), Lifecycle::CreateOutcome::Created);
        ASSERT_TRUE(started.wait(5000));
    }
};

} // namespace

TEST_F(LifecycleFixture, APlainStartLoadsAppliesRegistersAndShows) {
    logo = true;
    start();
    EXPECT_EQ(settingsCalls, QStringList{"load " + dir.filePath("Settings.ini")});
    EXPECT_EQ(windows.calls,
              QStringList({"ShowSplash", "PrepareLists", "HideMainWindow", "ShowMainWindow"}));
    EXPECT_EQ(table.count(), 20);
    // A first start leaves the combinations desktop programs use (Ctrl+Shift+C, E, M, N, S
    // and W) to them.
    EXPECT_EQ(backend.registered.size(), 14u);
    EXPECT_FALSE(table.at(3).Checked);
    EXPECT_TRUE(windows.told.isEmpty());
}

// A command that writes says so when it cannot, and the change stays for the next write; only
// the end, with nobody left to answer, is quiet.
TEST_F(LifecycleFixture, ACommandsWriteThatFailsSaysSoAndKeepsTheChange) {
    start();
    table.remove(0);
    settingsWritable = false;
    ASSERT_TRUE(QDir().mkdir(iniPath())); // nothing can replace a folder, not even as root
    life->MainWindowHidden();
    EXPECT_FALSE(life->SaveSettings());
    EXPECT_FALSE(life->SaveResetTable());
    const QString hotkeys = "Error: " + iniPath() + " cannot be written (a folder has its name).";
    EXPECT_EQ(windows.told, QStringList({hotkeys,
                                         "Error: " + dir.filePath("Settings.ini") +
                                             " cannot be written (the disk refused the write).",
                                         hotkeys}));
    ASSERT_TRUE(QDir().rmdir(iniPath()));
    life->MainWindowHidden();
    EXPECT_TRUE(readAll(iniPath()).startsWith("[HotKeys]\nCount=19\n"));
    life->Exit1Click(); // the settings still fail
    EXPECT_EQ(windows.told.size(), 3);
}

TEST_F(LifecycleFixture, StartsByTheirCommandLine) {
    struct Row {
        QStringList args;
        bool shown;
        bool splash;
    };
    const Row rows[] = {{{}, true, true}, {{""}, true, false}, {{"hide"}, false, true}};
    logo = true;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.join(",").toStdString());
        table.clear();
        windows.calls.clear();
        windows.visible = false;
        SetUp();
        start(row.args);
        EXPECT_EQ(windows.visible, row.shown);
        EXPECT_EQ(windows.calls.contains("ShowSplash"), row.splash);
        life.reset(); // frees the lock for the next row
    }
}

TEST_F(LifecycleFixture, ExitReleasesEverythingThenSavesSettingsAndHotkeys) {
    start();
    settingsCalls.clear();
    windows.calls.clear();
    ASSERT_TRUE(windows.visible);
    life->Exit1Click();
    EXPECT_TRUE(life->exitFlag());
    EXPECT_FALSE(windows.visible);
    EXPECT_TRUE(backend.registered.empty());
    EXPECT_EQ(settingsCalls, QStringList{"save " + dir.filePath("Settings.ini")});
    EXPECT_TRUE(readAll(iniPath()).startsWith("[HotKeys]\nCount=20\nKey0=69\n"));
    // A second Exit (a repeated signal) neither hides nor saves again.
    life->Exit1Click();
    EXPECT_EQ(windows.calls, QStringList{"HideMainWindow"});
    EXPECT_EQ(settingsCalls.size(), 1);
}

TEST_F(LifecycleFixture, AnEndBeforeTheStartUpLoadLeavesTheFilesAlone) {
    const QByteArray mine = "[HotKeys]\nCount=1\nKey0=75\nChecked0=1\nPath0=mine\n";
    ASSERT_TRUE(writeAll(iniPath(), mine));
    ASSERT_EQ(create(), Lifecycle::CreateOutcome::Created);
    ASSERT_EQ(table.count(), 20); // still the default table: nothing loaded yet
    life->EndingNow();
    life->Exit1Click();
    EXPECT_EQ(readAll(iniPath()), mine);
    EXPECT_TRUE(settingsCalls.isEmpty());
}

TEST_F(LifecycleFixture, AnEndWithoutTheEventLoopSavesWhatChanged) {
    ASSERT_TRUE(writeAll(iniPath(), "[HotKeys]\nCount=1\nKey0=75\nChecked0=1\nPath0=mine\n"));
    start();
    table.setChecked(0, false);
    life->EndingNow();
    EXPECT_TRUE(readAll(iniPath()).contains("Checked0=0\n"));
    EXPECT_EQ(windows.calls.count("HideMainWindow"), 1); // only the plain start's: no window
}

TEST_F(LifecycleFixture, WithoutADisplayEntriesKeepTheirStateAndTheUserIsToldOnce) {
    backend.noDisplay = true;
    ASSERT_TRUE(writeAll(iniPath(), "[HotKeys]\nCount=2\nKey0=75\nChecked0=1\nPath0=a\n"
                                    "Key1=74\nChecked1=0\nPath1=b\n"));
    start();
    QCoreApplication::processEvents();
    EXPECT_EQ(windows.told, QStringList{HotkeyRegistration::kNoDisplay});
    EXPECT_TRUE(table.at(0).Checked);
    EXPECT_FALSE(table.at(1).Checked);
    life->Exit1Click();
    EXPECT_TRUE(readAll(iniPath()).contains("Checked0=1\n"));
}

TEST_F(LifecycleFixture, WithoutAShortcutServiceTheUserIsToldWhatToDoAndTicksStay) {
    backend.noDisplay = true;
    backend.noService = true;
    ASSERT_TRUE(writeAll(iniPath(), "[HotKeys]\nCount=1\nKey0=75\nChecked0=1\nPath0=a\n"));
    start();
    QCoreApplication::processEvents();
    EXPECT_EQ(windows.told, QStringList{HotkeyRegistration::kNoService});
    EXPECT_TRUE(table.at(0).Checked);
}

TEST_F(LifecycleFixture, AStartThatCannotTakeTheLockSaysWhyAndEnds) {
    QLockFile heldElsewhere(dir.filePath("Orvane 2.lock")); // a live owner that never answers
    ASSERT_TRUE(heldElsewhere.tryLock(0));
    EXPECT_EQ(create(), Lifecycle::CreateOutcome::Failed);
    ASSERT_EQ(windows.told.size(), 1);
    EXPECT_TRUE(windows.told[0].contains("does not answer"));

    windows.told.clear();
    EXPECT_EQ(life->FormCreate(commandLine({}), {{}, "no private folder"}, dir.path()),
              Lifecycle::CreateOutcome::Failed);
    ASSERT_EQ(windows.told.size(), 1);
    EXPECT_TRUE(windows.told[0].contains("no private folder"));
}

TEST_F(LifecycleFixture, ALaterStartRestoresTheMainWindow) {
    start({"hide"});
    Lifecycle later(table, backend, windows, {});
    EXPECT_EQ(later.FormCreate(commandLine({}), {dir.path(), {}}, dir.path()),
              Lifecycle::CreateOutcome::HandedToFirst);
    for (QDeadlineTimer deadline(5000);
         !windows.calls.contains("RestoreMainWindow") && !deadline.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_TRUE(windows.calls.contains("RestoreMainWindow"));
}

TEST_F(LifecycleFixture, ResetEndsWithAnEmptyTableSoTheNextStartTakesTheDefaults) {
    ASSERT_TRUE(writeAll(iniPath(), "[HotKeys]\nCount=1\nKey0=75\nChecked0=1\nPath0=mine\n"));
    start();
    ASSERT_EQ(table.count(), 1);
    QStringList warned;
    ASSERT_TRUE(HotkeyCommands::Resettodefault1Click(
        table, [](const QString&, const QString&) { return HotkeyCommands::Answer::Yes; },
        [&](const QString&, const QString& caption) { warned << caption; },
        [&] { return life->SaveResetTable(); }));
    EXPECT_EQ(warned, QStringList{"Restart"});
    EXPECT_TRUE(readAll(iniPath()).startsWith("[HotKeys]\nCount=0\n"));
    life->Exit1Click();
    EXPECT_TRUE(readAll(iniPath()).startsWith("[HotKeys]\nCount=0\n"));

    // The next start, with the table the program holds from its creation; the system has
    // dropped the ended process's registrations.
    life.reset();
    backend.registered.clear();
    SetUp();
    start();
    ASSERT_EQ(table.count(), 20);
    EXPECT_EQ(table.at(1), DefaultHotkeyTable()[1]);
    EXPECT_EQ(table.at(8).Execute, "\\\\" + QSysInfo::machineHostName());
}

TEST_F(LifecycleFixture, HidingWritesTheTableOnceItWasLoaded) {
    const QByteArray mine = "[HotKeys]\nCount=1\nKey0=75\nChecked0=1\nPath0=mine\n";
    ASSERT_TRUE(writeAll(iniPath(), mine));
    ASSERT_EQ(create(), Lifecycle::CreateOutcome::Created);
    life->MainWindowHidden(); // before the start-up load: the default table is not written
    EXPECT_EQ(readAll(iniPath()), mine);

    QSignalSpy started(life.get(), &Lifecycle::started);
    ASSERT_TRUE(started.wait(5000));
    table.setChecked(0, false);
    life->MainWindowHidden();
    EXPECT_TRUE(readAll(iniPath()).contains("Count=1\nKey0=75\nChecked0=0\n"));
    EXPECT_FALSE(life->exitFlag());
    EXPECT_EQ(backend.registered.size(), 1u); // hiding leaves every hotkey registered
}

TEST_F(LifecycleFixture, SavingTheSettingsOnRequestWaitsForTheStartUpLoad) {
    ASSERT_EQ(create(), Lifecycle::CreateOutcome::Created);
    EXPECT_FALSE(life->SaveSettings()) << "nothing loaded yet: the user's file stays";
    EXPECT_TRUE(settingsCalls.isEmpty());

    QSignalSpy started(life.get(), &Lifecycle::started);
    ASSERT_TRUE(started.wait(5000));
    settingsCalls.clear();
    EXPECT_TRUE(life->SaveSettings());
    EXPECT_EQ(settingsCalls, QStringList{"save " + dir.filePath("Settings.ini")});
    EXPECT_FALSE(life->exitFlag());
    EXPECT_FALSE(QFile::exists(iniPath())) << "only the settings";
}

TEST_F(LifecycleFixture, AFirstStartAsksTheGivenCheckWhetherADefaultTargetOpens) {
    unresolvable = {"dxdiag.exe"};
    start();
    ASSERT_EQ(table.at(4).Execute, "dxdiag.exe");
    EXPECT_FALSE(table.at(4).Checked);
    EXPECT_EQ(table.statusAt(4).state, HotkeyStatus::State::NoTarget);
    EXPECT_EQ(backend.registered.size(), 13u) << "one fewer than when every target opens";
}
