// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyPause.h"
#include "FakeHotkeyBackend.h"
#include "FakeShell.h"
#include "HotkeyEntries.h"
#include "core/ActionExecutor.h"
#include "core/HotkeyRegistration.h"
#include "core/HotkeyTable.h"
#include "core/KeyTable.h"

#include <gtest/gtest.h>

using namespace HotkeyRegistration;
using State = HotkeyStatus::State;

namespace {
constexpr const char* kPause = "Pause/Resume Hotkeys";

// Registered through the pause as a start does: two ticked entries, the way back on F5 (ID
// 2) and an unticked one.
struct PauseFixture : ::testing::Test {
    HotkeyTable table;
    FakeHotkeyBackend system;
    HotkeyPause pause{system, table};

    void SetUp() override {
        table.append(entry(1, "C", true, true, false, true));
        table.append(entry(2, "F5", false, false, false, true, kPause));
        table.append(entry(3, "D", true, false, false, false));
        table.append(entry(4, "G", false, true, false, true));
        RegistrationPass(table, pause);
        ASSERT_EQ(system.registered.size(), 3u);
    }
    bool held(int id) const { return system.registered.count(id) == 1; }
};
} // namespace

TEST_F(PauseFixture, PauseKeepsOnlyTheWayBackAndItsOwnPressResumes) {
    FakeShell shell;
    RecordingBuiltins builtins;
    ActionExecutor executor(builtins, builtins, shell, {}, &pause);
    QObject::connect(&pause, &HotkeyBackend::hotkeyPressed, [&](int id, bool repeat) {
        ApplicationEvents1Message(table, id, repeat, executor);
    });

    pause.SetPaused(true);
    EXPECT_TRUE(!held(1) && held(2) && !held(4));
    EXPECT_EQ(StatusText(table.statusAt(0)), "Off: paused");
    EXPECT_EQ(table.statusAt(1).state, State::Active);
    EXPECT_EQ(table.statusAt(2).state, State::Unchecked);
    EXPECT_TRUE(table.at(0).Checked && table.at(3).Checked);

    system.press(2);
    EXPECT_FALSE(pause.paused());
    EXPECT_TRUE(held(1) && held(2) && held(4) && !held(3));
    EXPECT_EQ(table.statusAt(3).state, State::Active);
}

namespace {
// An Apply while paused: the entry's new tick and target, whether it holds its combination
// then, and after the resume.
struct ApplyRow {
    int row;
    bool enabled;
    const char* target;
    bool heldWhilePaused;
    bool heldAfterResume;
};
class ApplyWhilePaused : public PauseFixture, public ::testing::WithParamInterface<ApplyRow> {};
} // namespace

TEST_P(ApplyWhilePaused, GrabsOnlyTheWayBackUntilTheResume) {
    const ApplyRow& r = GetParam();
    pause.SetPaused(true);
    const HotkeyEntry& e = table.at(r.row);
    PanelValues panel;
    panel.enabled = r.enabled;
    panel.alt = e.Alt == "1";
    panel.ctrl = e.Ctrl == "1";
    panel.keyPosition = KeyTable::positionOfName(e.Key).value_or(-1);
    panel.execute = r.target;
    const int id = e.ID.toInt();

    EXPECT_EQ(ButtonApply(table, r.row, panel, pause).message, QString());
    EXPECT_EQ(held(id), r.heldWhilePaused);
    pause.SetPaused(false);
    EXPECT_EQ(held(id), r.heldAfterResume);
}

INSTANTIATE_TEST_SUITE_P(Rows, ApplyWhilePaused,
                         ::testing::Values(ApplyRow{2, true, "x", false, true},
                                           ApplyRow{0, false, "x", false, false},
                                           ApplyRow{3, true, kPause, true, true},
                                           ApplyRow{1, true, "x", false, true}));
