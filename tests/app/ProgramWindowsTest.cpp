// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFixture.h"
#include "TestFiles.h"
#include "mainwindow/MainWindowMenus.h"

#include <QPointer>
#include <QTest>

namespace {

QString filesOf(const QTemporaryDir& dir) {
    QStringList present;
    for (const char* name : {"Hotkeys.ini", "Settings.ini"}) {
        if (QFile::exists(dir.filePath(QLatin1String(name))))
            present << QLatin1String(name);
    }
    return present.join(u',');
}

MessageAnswer answerYes(QWidget*, const QString&, const QString&) {
    return MessageAnswer::Yes;
}

struct ExitRow {
    const char* what;
    void (*ask)(ProgramFixture&);
    bool releases; // Reset has emptied the table: nothing is left to release
    const char* table;
};

class ExitFrom : public ProgramFixture, public ::testing::WithParamInterface<ExitRow> {};

} // namespace

TEST_P(ExitFrom, ReleasesHidesAndSavesOnceAndASecondExitDoesNothing) {
    SetQuestionHook(answerYes);
    SetWarningHook([](QWidget*, const QString&, const QString&) {});
    start();
    const size_t registered = backend->registered.size();
    ASSERT_GT(registered, 0u);
    ASSERT_TRUE(parts().Form1.isVisible());
    ASSERT_EQ(filesOf(dir), "");

    GetParam().ask(*this);
    EXPECT_TRUE(program->exitFlag());
    EXPECT_FALSE(parts().Form1.isVisible());
    EXPECT_EQ(backend->registered.size(), GetParam().releases ? 0u : registered);
    EXPECT_EQ(filesOf(dir), "Hotkeys.ini,Settings.ini");
    EXPECT_TRUE(readAll(dir.filePath("Hotkeys.ini")).startsWith(GetParam().table));

    ASSERT_TRUE(QFile::remove(dir.filePath("Hotkeys.ini")));
    ASSERT_TRUE(QFile::remove(dir.filePath("Settings.ini")));
    parts().Form1.Menus->Exit1->trigger();
    parts().PopupMenuTray.Exit3->trigger();
    emit sessionEnd->endRequested();
    EXPECT_EQ(filesOf(dir), "") << "saved once";
    SetQuestionHook(nullptr);
    SetWarningHook(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPlace, ExitFrom,
    ::testing::Values(
        ExitRow{"WindowMenu", [](ProgramFixture& f) { f.parts().Form1.Menus->Exit1->trigger(); },
                true, "[HotKeys]\nCount=20\n"},
        ExitRow{"ContextMenu", [](ProgramFixture& f) { f.parts().Form1.Menus->Exit2->trigger(); },
                true, "[HotKeys]\nCount=20\n"},
        ExitRow{"TrayMenu", [](ProgramFixture& f) { f.parts().PopupMenuTray.Exit3->trigger(); },
                true, "[HotKeys]\nCount=20\n"},
        ExitRow{"SessionEnd", [](ProgramFixture& f) { emit f.sessionEnd->endRequested(); }, true,
                "[HotKeys]\nCount=20\n"},
        ExitRow{"Reset",
                [](ProgramFixture& f) { f.parts().Form1.Menus->Resettodefault1->trigger(); }, false,
                "[HotKeys]\nCount=0\n"}),
    [](const ::testing::TestParamInfo<ExitRow>& row) { return row.param.what; });

TEST_F(ProgramFixture, AWindowManagersCloseOnlyHidesAndSavesNothing) {
    start();
    const size_t registered = backend->registered.size();
    ASSERT_GT(registered, 0u);
    EXPECT_FALSE(parts().Form1.close());
    EXPECT_FALSE(parts().Form1.isVisible());
    EXPECT_FALSE(program->exitFlag());
    EXPECT_EQ(backend->registered.size(), registered);
    EXPECT_EQ(filesOf(dir), "");
}

TEST_F(ProgramFixture, TheSessionIsFollowedOnlyOnceThisInstanceRuns) {
    EXPECT_FALSE(sessionEnd) << "not before the creation step";
    start({"hide"});
    ASSERT_TRUE(sessionEnd);

    // A later start hands over: it follows no session end, and the running one's window comes.
    bool laterFollows = false;
    Program later(Platform{std::make_unique<FakeHotkeyBackend>(), std::make_unique<FakeShell>(),
                           std::make_unique<ScriptedMixerDriver>(),
                           std::make_unique<FakeWindowActivator>(),
                           std::make_unique<FakeTrayHost>(), std::make_unique<FakeLogonEntry>(),
                           [&] {
                               laterFollows = true;
                               return std::make_unique<SessionEnd>();
                           },
                           nullptr, nullptr});
    const QString cmd = CommandLine::Rebuild(QCoreApplication::applicationFilePath(), {});
    ASSERT_FALSE(parts().Form1.isVisible());
    EXPECT_EQ(later.FormCreate(cmd, {dir.path(), {}}, dir.path()),
              Lifecycle::CreateOutcome::HandedToFirst);
    EXPECT_FALSE(laterFollows);
    EXPECT_TRUE(QTest::qWaitFor([this] { return parts().Form1.isVisible(); }));
}

TEST_F(ProgramFixture, AnEndWithoutTheEventLoopSavesAndLeavesHotkeysAndWindowsAlone) {
    start();
    const size_t registered = backend->registered.size();
    parts().FormAbout.ShowAbout();
    emit sessionEnd->endingNow();
    EXPECT_TRUE(program->exitFlag());
    EXPECT_EQ(filesOf(dir), "Hotkeys.ini,Settings.ini");
    EXPECT_EQ(backend->registered.size(), registered);
    EXPECT_TRUE(parts().Form1.isVisible());
    EXPECT_TRUE(parts().FormAbout.isVisible());
}

TEST_F(ProgramFixture, TheShowHideFunctionBringsBackAMinimisedWindowWithThePressTime) {
    start();
    backend->press(12); // "Show/Hide Application"
    EXPECT_FALSE(parts().Form1.isVisible());
    EXPECT_EQ(filesOf(dir), "") << "unlike Hide, the toggle writes nothing";
    backend->press(12);
    EXPECT_TRUE(parts().Form1.isVisible());
    EXPECT_EQ(activator->times.back(), backend->lastPressTime());

    parts().Form1.showMinimized();
    ASSERT_TRUE(parts().Form1.isMinimized());
    backend->press(12); // a minimised window counts as hidden
    EXPECT_TRUE(parts().Form1.isVisible());
    EXPECT_FALSE(parts().Form1.isMinimized());
    EXPECT_EQ(activator->times.back(), backend->lastPressTime());
}

TEST_F(ProgramFixture, TheWindowsOwnedByTheMainWindowGoWithIt) {
    QPointer<QWidget> about = &parts().FormAbout;
    QPointer<QWidget> options = &parts().FormOptions;
    EXPECT_EQ(about->parentWidget(), &parts().Form1);
    EXPECT_EQ(options->parentWidget(), &parts().Form1);
    program.reset();
    EXPECT_TRUE(about.isNull());
    EXPECT_TRUE(options.isNull());
}

// Without a notification service the tray says it; a click on the message opens the window.
TEST_F(ProgramFixture, HotkeysTheStartCouldNotTakeAreToldOnceInTheTray) {
    ASSERT_TRUE(writeAll(dir.filePath("Hotkeys.ini"),
                         "[HotKeys]\nCount=2\nKey0=74\nChecked0=1\nAlt0=1\nCtrl0=1\n"
                         "Path0=/t/j.sh\nKey1=75\nChecked1=1\nAlt1=1\nCtrl1=1\nPath1=/t/k.sh\n"));
    backend->takenElsewhere[{Modifiers::Alt | Modifiers::Ctrl, 74}] = true;
    start({"hide"});
    EXPECT_EQ(tray->messages,
              QStringList{"Orvane: 1 hotkey could not be taken\nAlt+Ctrl+J (/t/j.sh): another "
                          "program holds this combination"});
    ASSERT_FALSE(parts().Form1.isVisible());
    emit tray->messageClicked();
    EXPECT_TRUE(parts().Form1.isVisible());
}
