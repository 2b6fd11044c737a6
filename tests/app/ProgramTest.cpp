#include "Program.h"
#include "CommandLine.h"
#include "FakeHotkeyBackend.h"
#include "FakeShell.h"
#include "FakeWindowActivator.h"
#include "MessageBox.h"
#include "ScriptedMixerDriver.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ProgramFixture : ::testing::Test {
    QTemporaryDir dir;
    FakeHotkeyBackend* backend = new FakeHotkeyBackend;
    FakeShell* shell = new FakeShell;
    FakeWindowActivator* activator = new FakeWindowActivator;
    // No sound device at all: the program must come up without touching the sound system.
    std::unique_ptr<Program> program = std::make_unique<Program>(
        std::unique_ptr<HotkeyBackend>(backend), std::unique_ptr<Shell>(shell),
        std::make_unique<ScriptedMixerDriver>(), std::unique_ptr<WindowActivator>(activator));

    void SetUp() override {
        SetMessageHook([](QWidget*, const QString&) {});
    }
    void TearDown() override {
        program.reset();
        SetMessageHook(nullptr);
    }
    void start(const QStringList& args = {}) {
        QSignalSpy started(&program->Life, &Lifecycle::started);
        const QString cmd = CommandLine::Rebuild(QCoreApplication::applicationFilePath(), args);
        ASSERT_EQ(program->Life.FormCreate(cmd, {dir.path(), {}}, dir.path()),
                  Lifecycle::CreateOutcome::Created);
        ASSERT_TRUE(started.wait(5000));
    }
};

} // namespace

TEST_F(ProgramFixture, HotkeysReachTheShellTheMainWindowAndTheVolume) {
    start();
    ASSERT_TRUE(program->Form1.isVisible());
    backend->press(3);
    EXPECT_EQ(shell->opened, QStringList({"calc.exe"}));
    backend->press(12); // "Show/Hide Application"
    EXPECT_FALSE(program->Form1.isVisible());
    backend->press(17); // "VolumeUp", with no sound device
    EXPECT_TRUE(program->FormVolume.isVisible());
    EXPECT_EQ(program->FormVolume.ButtonBar()->text(), "No sound device");
}

TEST_F(ProgramFixture, StoredSettingsApplyAtStartAndAreSavedAtExit) {
    ASSERT_TRUE(
        writeAll(dir.filePath("Settings.ini"), "[VolumeWindow]\nStep=8\nShow=0\n[Mine]\nkept=1\n"));
    EXPECT_DOUBLE_EQ(program->Volume.step(), 655.35); // before the settings are applied
    start({"hide"});
    EXPECT_DOUBLE_EQ(program->Volume.step(), 13107);
    backend->press(16); // "VolumeMute": the volume window is switched off
    EXPECT_FALSE(program->FormVolume.isVisible());

    program->Life.Exit1Click();
    const QByteArray saved = readAll(dir.filePath("Settings.ini"));
    EXPECT_TRUE(saved.contains("Step=8\n"));
    EXPECT_TRUE(saved.contains("Show=0\n"));
    EXPECT_TRUE(saved.contains("[Mine]\nkept=1\n"));
    EXPECT_TRUE(saved.contains("[General]\nLogo=1\nAutorun=1\nColor=0\nQuality=1\n"));
    EXPECT_TRUE(QFile::exists(dir.filePath("Hotkeys.ini")));
}

TEST_F(ProgramFixture, AStartInTheTrayBuildsNoWindowAndOpensNoMixer) {
    start({"hide"});
    EXPECT_FALSE(program->Form1.isVisible());
    EXPECT_FALSE(program->Form1.built());
    EXPECT_FALSE(program->Volume.mixerOpened());
    EXPECT_TRUE(program->FormVolume.findChildren<QWidget*>().isEmpty());
    backend->press(12); // "Show/Hide Application": the window comes with the press's time
    EXPECT_TRUE(program->Form1.isVisible());
    ASSERT_FALSE(activator->times.empty());
    EXPECT_EQ(activator->times.back(), backend->lastPressTime());
    backend->press(15); // "VolumeDown"
    EXPECT_TRUE(program->Volume.mixerOpened());
}

TEST_F(ProgramFixture, HideClosesTheOtherWindowsAndWritesTheTable) {
    start();
    program->FormAbout.ShowAbout();
    backend->press(17); // the volume window
    ASSERT_TRUE(program->FormAbout.isVisible());
    ASSERT_TRUE(program->FormVolume.isVisible());
    ASSERT_FALSE(QFile::exists(dir.filePath("Hotkeys.ini")));
    program->Form1.Hide1Click();
    EXPECT_FALSE(program->Form1.isVisible());
    EXPECT_FALSE(program->FormAbout.isVisible());
    EXPECT_FALSE(program->FormVolume.isVisible());
    EXPECT_TRUE(readAll(dir.filePath("Hotkeys.ini")).contains("Count=20"));
}
