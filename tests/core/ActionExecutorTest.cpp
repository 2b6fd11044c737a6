// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ActionExecutor.h"
#include "FakeShell.h"

#include <gtest/gtest.h>

namespace {
struct ExecutorFixture : ::testing::Test {
    FakeShell shell;
    RecordingBuiltins builtins;
    QStringList messages;
    ActionExecutor executor{builtins, builtins, shell, [this](const QString& m) { messages << m; },
                            &builtins};
};
} // namespace

TEST_F(ExecutorFixture, BuiltInNamesNeverReachTheShellNorShowAnything) {
    for (const char* name : {"Show/Hide Application", "VolumeDown", "VolumeUp", "VolumeMute"})
        executor.Execute(name, true);
    EXPECT_EQ(builtins.calls,
              QStringList({"ToggleMainWindow", "VolumeDown", "VolumeUp", "VolumeMute"}));
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(messages.isEmpty());
}

namespace {
// Each built-in name, the one call it makes and whether a held hotkey repeats it.
struct BuiltinRow {
    const char* name;
    const char* call;
    bool repeats;
};

class BuiltinName : public ExecutorFixture, public ::testing::WithParamInterface<BuiltinRow> {};
} // namespace

TEST_P(BuiltinName, MakesItsOneCallAndRepeatsOnlyAsAVolumeStep) {
    const BuiltinRow& row = GetParam();
    executor.Execute(row.name, false);
    EXPECT_EQ(builtins.calls, QStringList{row.call});
    EXPECT_TRUE(shell.opened.isEmpty());
    EXPECT_TRUE(IsBuiltinTarget(row.name));
    EXPECT_EQ(RepeatsWhileHeld(row.name), row.repeats);
}

INSTANTIATE_TEST_SUITE_P(
    Each, BuiltinName,
    ::testing::Values(BuiltinRow{"VolumeUp", "VolumeUp", true},
                      BuiltinRow{"VolumeDown", "VolumeDown", true},
                      BuiltinRow{"VolumeMute", "VolumeMute", false},
                      BuiltinRow{"Show/Hide Application", "ToggleMainWindow", false},
                      BuiltinRow{"Pause/Resume Hotkeys", "TogglePause", false}));

TEST_F(ExecutorFixture, NearMissesOfBuiltInNamesGoToTheShellWhole) {
    const QStringList nearMisses{"volumeup", "VolumeUp ", " VolumeMute", "Show/Hide application",
                                 "VolumeUp;rm -rf ~"};
    for (const QString& t : nearMisses)
        executor.Execute(t, false);
    EXPECT_EQ(shell.opened, nearMisses);
    EXPECT_TRUE(builtins.calls.isEmpty());
}

TEST_F(ExecutorFixture, OutcomeTextByResultCodeOnlyInTestMode) {
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {33, "Execution OK!"},
        {42, "Execution OK!"},
        {0, "The operating system is out of memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
        {5, ""},
        {31, ""},
        {32, ""},
    };
    for (const auto& c : cases) {
        shell.result = c.code;
        messages.clear();
        executor.Execute("target", false);
        EXPECT_TRUE(messages.isEmpty()) << c.code;
        executor.Execute("target", true);
        EXPECT_EQ(messages, QStringList({QString::fromLatin1(c.text)})) << c.code;
    }
}
