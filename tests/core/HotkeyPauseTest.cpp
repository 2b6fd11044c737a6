// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyPause.h"
#include "FakeHotkeyBackend.h"
#include "FakeShell.h"
#include "HotkeyEntries.h"
#include "core/ActionExecutor.h"
#include "core/HotkeyRegistration.h"
#include "core/HotkeyTable.h"
#include "core/KeyTable.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace HotkeyRegistration;
using State = HotkeyStatus::State;

namespace {

constexpr const char* kPause = "Pause/Resume Hotkeys";

// A table registered through the pause as Orvane's start does: two ordinary ticked entries,
// one unticked, and the way back on F5.
struct PauseFixture : ::testing::Test {
    HotkeyTable table;
    FakeHotkeyBackend system;
    HotkeyPause pause{system, table};
    QSignalSpy changed{&pause, &HotkeyPause::pausedChanged};

    void SetUp() override {
        table.append(entry(1, "C", true, true, false, true));
        table.append(entry(2, "F5", false, false, false, true, kPause));
        table.append(entry(3, "D", true, false, false, false));
        table.append(entry(4, "G", false, true, false, true));
        RegistrationPass(table, pause);
        ASSERT_EQ(held(), (std::vector<int>{1, 2, 4}));
    }
    std::vector<int> held() const {
        std::vector<int> ids;
        for (const auto& [id, combo] : system.registered)
            ids.push_back(id);
        return ids;
    }
    std::vector<State> states() const {
        std::vector<State> s;
        s.reserve(size_t(table.count()));
        for (int row = 0; row < table.count(); ++row)
            s.push_back(table.statusAt(row).state);
        return s;
    }
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
    EXPECT_TRUE(pause.paused());
    EXPECT_EQ(held(), std::vector<int>{2});
    EXPECT_EQ(states(),
              (std::vector<State>{State::Paused, State::Active, State::Unchecked, State::Paused}));
    EXPECT_EQ(StatusText(table.statusAt(0)), "Off: paused");
    EXPECT_TRUE(table.at(0).Checked && table.at(3).Checked);

    system.press(2);
    EXPECT_FALSE(pause.paused());
    EXPECT_EQ(held(), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(states(),
              (std::vector<State>{State::Active, State::Active, State::Unchecked, State::Active}));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(1).at(0).toBool(), false);

    // Setting the state it has already changes nothing.
    pause.SetPaused(false);
    EXPECT_EQ(changed.count(), 2);
}

namespace {
// An Apply made while paused: what the panel says, and whether the combination is held
// then and after the resume.
struct ApplyRow {
    const char* name;
    int row;
    bool enabled;
    const char* target;
    bool heldWhilePaused;
    State stateWhilePaused;
    bool heldAfterResume;
};

class ApplyWhilePaused : public PauseFixture, public ::testing::WithParamInterface<ApplyRow> {};
} // namespace

TEST_P(ApplyWhilePaused, GrabsOnlyTheWayBackUntilTheResume) {
    const ApplyRow& r = GetParam();
    pause.SetPaused(true);
    HotkeyEntry e = table.at(r.row);
    e.Checked = r.enabled;
    e.Execute = r.target;
    PanelValues panel;
    panel.enabled = r.enabled;
    panel.alt = e.Alt == "1";
    panel.ctrl = e.Ctrl == "1";
    panel.keyPosition = KeyTable::positionOfName(e.Key).value_or(-1);
    panel.execute = e.Execute;
    const int id = e.ID.toInt();

    const ApplyOutcome out = ButtonApply(table, r.row, panel, pause);
    EXPECT_EQ(out.message, QString());
    EXPECT_EQ(table.at(r.row).Checked, r.enabled);
    EXPECT_EQ(system.registered.count(id) == 1, r.heldWhilePaused);
    EXPECT_EQ(table.statusAt(r.row).state, r.stateWhilePaused);

    pause.SetPaused(false);
    EXPECT_EQ(system.registered.count(id) == 1, r.heldAfterResume);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ApplyWhilePaused,
    ::testing::Values(ApplyRow{"TickedEntryWaits", 0, true, "calc.exe", false, State::Paused, true},
                      ApplyRow{"NewlyTickedWaits", 2, true, "x", false, State::Paused, true},
                      ApplyRow{"UntickedStaysFree", 0, false, "x", false, State::Unchecked, false},
                      ApplyRow{"BecomesTheWayBack", 3, true, kPause, true, State::Active, true},
                      ApplyRow{"WayBackBecomesOrdinary", 1, true, "x", false, State::Paused, true}),
    [](const auto& info) { return std::string(info.param.name); });
