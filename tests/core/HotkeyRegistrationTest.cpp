// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyRegistration.h"
#include "FakeHotkeyBackend.h"
#include "FakeShell.h"
#include "HotkeyEntries.h"
#include "core/ActionExecutor.h"
#include "core/HotkeyTable.h"
#include "core/KeyTable.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <optional>

using namespace HotkeyRegistration;

namespace {

PanelValues panelFor(const HotkeyEntry& e) {
    PanelValues p;
    p.enabled = e.Checked;
    p.alt = e.Alt == "1";
    p.ctrl = e.Ctrl == "1";
    p.shift = e.Shift == "1";
    p.keyPosition = KeyTable::positionOfName(e.Key).value_or(-1);
    p.execute = e.Execute;
    p.image = e.Image;
    return p;
}

struct RegistrationFixture : ::testing::Test {
    HotkeyTable table;
    FakeHotkeyBackend backend;
};

} // namespace

TEST_F(RegistrationFixture, PassRegistersEnabledAndDisablesTheRest) {
    table.append(entry(1, "C", true, true, false, true));
    table.append(entry(2, "C", true, true, false, true));    // same combination: refused
    table.append(entry(3, "F5", false, false, false, true)); // bare key: bits 0
    table.append(entry(4, "D", true, false, false, false));  // disabled: not registered
    table.append(entry(5, "", true, true, false, true));     // no key: never grabbed
    table.append(entry(6, "G", false, true, false, true));   // held by another program
    backend.takenElsewhere[{2, 71}] = true;
    RegistrationPass(table, backend);

    EXPECT_TRUE(table.at(0).Checked);
    EXPECT_FALSE(table.at(1).Checked);
    EXPECT_TRUE(table.at(2).Checked);
    EXPECT_FALSE(table.at(3).Checked);
    EXPECT_FALSE(table.at(4).Checked);
    EXPECT_FALSE(table.at(5).Checked);
    EXPECT_EQ(backend.calls, QStringList({"register 1 3 67", "register 2 3 67", "register 3 0 116",
                                          "register 6 2 71"}));
}

TEST_F(RegistrationFixture, ApplyWithoutSelectionDoesNothing) {
    table.append(entry(1, "C", true, true, false, true));
    for (int row : {-1, 1, 7}) {
        const ApplyOutcome out = ButtonApply(table, row, panelFor(table.at(0)), backend);
        EXPECT_FALSE(out.ran);
    }
    EXPECT_TRUE(backend.calls.isEmpty());
}

TEST_F(RegistrationFixture, ApplyRefusesAnIncompletePanel) {
    table.append(entry(1, "C", true, true, false, true, "calc.exe"));
    const HotkeyEntry before = table.at(0);
    PanelValues noKey = panelFor(before);
    noKey.keyPosition = -1;
    PanelValues noTarget = panelFor(before);
    noTarget.execute.clear();
    PanelValues badKey = panelFor(before);
    badKey.keyPosition = KeyTable::Count;
    for (const PanelValues& p : {noKey, noTarget, badKey}) {
        const ApplyOutcome out = ButtonApply(table, 0, p, backend);
        EXPECT_EQ(out.message, "Incomplete!");
        EXPECT_TRUE(out.applyButtonEnabled);
    }
    EXPECT_EQ(table.at(0), before);
    EXPECT_TRUE(backend.calls.isEmpty());
}

TEST_F(RegistrationFixture, ApplyWritesTheEntryAndReleasesBeforeRegistering) {
    table.append(entry(7, "C", true, true, false, true));
    RegistrationPass(table, backend);
    backend.calls.clear();
    PanelValues p = panelFor(table.at(0));
    p.alt = false;
    p.shift = true;
    p.keyPosition = *KeyTable::positionOfName("F5");
    p.execute = "VolumeUp";
    p.image = 12;
    const ApplyOutcome out = ButtonApply(table, 0, p, backend);
    EXPECT_TRUE(out.message.isEmpty());
    EXPECT_FALSE(out.applyButtonEnabled);
    const HotkeyEntry& e = table.at(0);
    EXPECT_EQ(e.Flags, "Ctrl+Shift+");
    EXPECT_EQ(e.Key, "F5");
    EXPECT_EQ(e.Execute, "VolumeUp");
    EXPECT_EQ(e.Image, 12);
    EXPECT_EQ(e.ID, "7");
    EXPECT_EQ(backend.calls, QStringList({"unregister 7", "register 7 6 116"}));
}

TEST_F(RegistrationFixture, ApplyWithoutAnIconKeepsTheEntrysIcon) {
    HotkeyEntry e = entry(1, "C", true, true, false, true);
    e.Image = 9;
    table.append(e);
    PanelValues p = panelFor(e);
    p.image = -1;
    ButtonApply(table, 0, p, backend);
    EXPECT_EQ(table.at(0).Image, 9);
}

TEST_F(RegistrationFixture, DisablingReleasesAtOnce) {
    table.append(entry(1, "C", true, true, false, true));
    RegistrationPass(table, backend);
    PanelValues p = panelFor(table.at(0));
    p.enabled = false;
    const ApplyOutcome out = ButtonApply(table, 0, p, backend);
    EXPECT_TRUE(out.message.isEmpty());
    EXPECT_FALSE(table.at(0).Checked);
    EXPECT_TRUE(backend.registered.empty());
}

TEST_F(RegistrationFixture, ClashWithAnEnabledEntryNamesItsIdAndDisablesTheEdit) {
    table.append(entry(1, "A", true, true, false, true));
    table.append(entry(3, "C", true, true, false, true));
    table.append(entry(4, "C", true, true, false, false)); // disabled: never a clash
    RegistrationPass(table, backend);
    backend.calls.clear();
    PanelValues p = panelFor(table.at(0));
    p.keyPosition = *KeyTable::positionOfName("C");
    p.execute = "changed";
    const ApplyOutcome out = ButtonApply(table, 0, p, backend);
    EXPECT_EQ(out.message, "HotKey exists on ID 3 ! Choose another one!");
    EXPECT_TRUE(out.applyButtonEnabled);
    EXPECT_TRUE(out.clearEnabledCheckBox);
    EXPECT_FALSE(table.at(0).Checked);
    EXPECT_EQ(table.at(0).Execute, "changed"); // the other changes stay
    EXPECT_EQ(backend.calls, QStringList({"unregister 1"}));
    EXPECT_EQ(backend.registered.count(1), 0u); // the former combination no longer fires
}

// Super is a modifier like the others: written, registered with its bit, part of the clash
// check; and a key after the first 90 is applied like any.
TEST_F(RegistrationFixture, ApplyTakesSuperAndTheKeysAfterTheFirst90) {
    table.append(entry(7, "C", true, true, false, true));
    table.append(entry(8, "Volume Up", false, false, false, true));
    RegistrationPass(table, backend);
    backend.calls.clear();
    PanelValues p = panelFor(table.at(0));
    p.win = true;
    const ApplyOutcome withSuper = ButtonApply(table, 0, p, backend);
    EXPECT_TRUE(withSuper.message.isEmpty());
    EXPECT_EQ(table.at(0).Flags, "Win+Alt+Ctrl+");
    EXPECT_EQ(table.at(0).Win, "1");
    p.alt = p.ctrl = false;
    p.keyPosition = *KeyTable::positionOfName("Volume Up");
    const ApplyOutcome twin = ButtonApply(table, 0, p, backend);
    EXPECT_TRUE(twin.message.isEmpty()) << "Win+Volume Up is not the bare Volume Up of ID 8";
    EXPECT_EQ(backend.calls, QStringList({"unregister 7", "register 7 11 67", "unregister 7",
                                          "register 7 8 175"}));
    p.win = false;
    EXPECT_EQ(ButtonApply(table, 0, p, backend).message, ClashMessage("8"));
}

TEST_F(RegistrationFixture, ClashComparesKeyAndFlagsTextExactly) {
    table.append(entry(1, "A", true, true, false, true));
    HotkeyEntry lower = entry(2, "c", true, true, false, true);
    table.append(lower); // a hand-edited name in lower case is a different text
    RegistrationPass(table, backend);
    PanelValues p = panelFor(table.at(0));
    p.keyPosition = *KeyTable::positionOfName("C");
    const ApplyOutcome out = ButtonApply(table, 0, p, backend);
    EXPECT_FALSE(out.message.startsWith("HotKey exists"));
}

TEST_F(RegistrationFixture, EnablingOneOfTwoDisabledTwinsWorksTheSecondIsRefused) {
    table.append(entry(1, "Q", true, false, false, false));
    table.append(entry(2, "Q", true, false, false, false));
    PanelValues p = panelFor(table.at(0));
    p.enabled = true;
    EXPECT_TRUE(ButtonApply(table, 0, p, backend).message.isEmpty());
    const ApplyOutcome second = ButtonApply(table, 1, p, backend);
    EXPECT_EQ(second.message, "HotKey exists on ID 1 ! Choose another one!");
}

TEST_F(RegistrationFixture, RefusalBySystemLeavesTheEntryEnabled) {
    table.append(entry(1, "G", false, true, false, false));
    backend.takenElsewhere[{2, 71}] = true;
    PanelValues p = panelFor(table.at(0));
    p.enabled = true;
    const ApplyOutcome out = ButtonApply(table, 0, p, backend);
    EXPECT_EQ(out.message, "The hotkey cannot be registered!\nMaybe keystrokes specified for the "
                           "hotkey have already been registered by another hotkey or other "
                           "application.");
    EXPECT_TRUE(table.at(0).Checked);
    EXPECT_FALSE(out.applyButtonEnabled);
    EXPECT_TRUE(backend.registered.empty());
}

TEST_F(RegistrationFixture, ReleaseAllReleasesEveryIdEnabledOrNot) {
    table.append(entry(1, "A", true, true, false, true));
    table.append(entry(2, "B", true, true, false, false));
    RegistrationPass(table, backend);
    backend.calls.clear();
    ReleaseAll(table, backend);
    EXPECT_EQ(backend.calls, QStringList({"unregister 1", "unregister 2"}));
}

TEST(HotkeyMessage, RunsTheEntryWhoseIdMatchesAndRepeatsOnlyVolumeSteps) {
    HotkeyTable table;
    table.append(entry(5, "A", true, true, false, true, "/bin/first"));
    table.append(entry(1, "B", true, true, false, true, "VolumeUp"));
    table.append(entry(2, "C", true, true, false, true, "VolumeMute"));
    // A new, unticked row that took the ID of a deleted row, whose hotkey is still registered.
    table.append(entry(7, "D", true, true, false, false, "/bin/unticked"));
    FakeShell shell;
    RecordingBuiltins builtins;
    QStringList messages;
    ActionExecutor executor(builtins, builtins, shell, [&](const QString& m) { messages << m; });

    ApplicationEvents1Message(table, 5, false, executor);
    ApplicationEvents1Message(table, 5, true, executor); // held: started once per press
    ApplicationEvents1Message(table, 1, false, executor);
    ApplicationEvents1Message(table, 1, true, executor); // held volume keeps stepping
    ApplicationEvents1Message(table, 2, false, executor);
    ApplicationEvents1Message(table, 2, true, executor);   // held mute does not flicker
    ApplicationEvents1Message(table, 99, false, executor); // no such entry: nothing
    ApplicationEvents1Message(table, 7, false, executor);  // an unticked entry: nothing

    EXPECT_EQ(shell.opened, QStringList({"/bin/first"}));
    EXPECT_EQ(builtins.calls, QStringList({"VolumeUp", "VolumeUp", "VolumeMute"}));
    EXPECT_TRUE(messages.isEmpty()); // a hotkey never shows an outcome
}

namespace {

// Answers chosen per ID where the test names one, else the fake's own.
class ScriptedBackend : public FakeHotkeyBackend {
public:
    RegisterResult registerHotKey(int id, unsigned modifierBits, int virtualKey) override {
        const RegisterResult own = FakeHotkeyBackend::registerHotKey(id, modifierBits, virtualKey);
        const auto it = answers.find(id);
        if (it == answers.end())
            return own;
        registered.erase(id);
        return it->second;
    }
    std::map<int, RegisterResult> answers;
};

QString tooltip(const HotkeyTable& t, int row, int column = HotkeyTable::ColFlags) {
    return t.data(t.index(row, column), Qt::ToolTipRole).toString();
}

const QString kActive = "Active";
const QString kUnchecked = "Off: unchecked";
const QString kOther = "Off: another program holds this combination";
const QString kOurs = "Off: Orvane already uses this combination for another entry";
const QString kLayout = "Off: this key is not on the current keyboard layout";
const QString kNoDisplayYet = "Off: no display to register hotkeys on; it works again on X11";
const QString kPending = "Off: waiting for the desktop's answer";
const QString kNoServiceYet = "Off: this desktop offers no global-shortcut service";

} // namespace

TEST(HotkeyStatus, EveryRowTellsWhyTheRegistrationPassLeftItOnOrOff) {
    struct Row {
        bool checked;
        const char* key;
        std::optional<RegisterResult> answer;
        QString tooltip;
        bool checkedAfter;
    };
    const Row rows[] = {
        {true, "A", RegisterResult::Registered, kActive, true},
        {false, "B", std::nullopt, kUnchecked, false},
        {true, "C", RegisterResult::HeldByOtherProgram, kOther, false},
        {true, "D", RegisterResult::HeldByThisProgram, kOurs, false},
        // Missing from this layout is no refusal: the entry waits, ticked, for one with it.
        {true, "E", RegisterResult::KeyNotOnLayout, kLayout, true},
        {true, "F", RegisterResult::NoDisplay, kNoDisplayYet, true},
        {true, "", std::nullopt, "Off: no key chosen", false},
        {true, "Code 35", std::nullopt,
         "Off: key code 35 is not one Orvane knows; it is kept as stored", false},
        // The desktop's shortcut service answers later, or is missing: the tick stays.
        {true, "G", RegisterResult::Pending, kPending, true},
        {true, "H", RegisterResult::NoService, kNoServiceYet, true},
    };
    HotkeyTable table;
    ScriptedBackend backend;
    for (int i = 0; i < int(std::size(rows)); ++i) {
        const Row& row = rows[i];
        table.append(entry(i + 1, row.key, true, true, false, row.checked));
        if (row.answer)
            backend.answers[i + 1] = *row.answer;
    }
    ASSERT_EQ(tooltip(table, 0), "Off: not registered yet");
    QSignalSpy changed(&table, &HotkeyTable::dataChanged);
    RegistrationPass(table, backend);
    for (int i = 0; i < int(std::size(rows)); ++i) {
        EXPECT_EQ(tooltip(table, i), rows[i].tooltip) << i;
        EXPECT_EQ(tooltip(table, i, HotkeyTable::ColShift), rows[i].tooltip) << i;
        EXPECT_EQ(table.at(i).Checked, rows[i].checkedAfter) << i;
    }
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_TRUE(changed.last().at(2).value<QList<int>>().contains(Qt::ToolTipRole));
}

TEST(HotkeyStatus, ApplyLeavesTheAnswerOfItsOwnRegistration) {
    struct Row {
        bool enabled;
        std::optional<RegisterResult> answer;
        const char* key; // "C" is the key of the enabled entry with ID 3
        QString tooltip;
    };
    const Row rows[] = {
        {true, std::nullopt, "A", kActive},
        {false, std::nullopt, "A", kUnchecked},
        {true, RegisterResult::HeldByOtherProgram, "A", kOther},
        {true, RegisterResult::HeldByThisProgram, "A", kOurs},
        {true, RegisterResult::KeyNotOnLayout, "A", kLayout},
        {true, RegisterResult::NoDisplay, "A", kNoDisplayYet},
        {true, std::nullopt, "C", "Off: same combination as the entry with ID 3"},
        {true, RegisterResult::Pending, "A", kPending},
        {true, RegisterResult::NoService, "A", kNoServiceYet},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tooltip.toStdString());
        HotkeyTable table;
        ScriptedBackend backend;
        table.append(entry(1, "B", true, true, false, false));
        table.append(entry(3, "C", true, true, false, true));
        RegistrationPass(table, backend);
        ASSERT_EQ(tooltip(table, 0), kUnchecked);
        if (row.answer)
            backend.answers[1] = *row.answer;
        PanelValues p = panelFor(table.at(0));
        p.enabled = row.enabled;
        p.keyPosition = *KeyTable::positionOfName(row.key);
        ButtonApply(table, 0, p, backend);
        EXPECT_EQ(tooltip(table, 0), row.tooltip);
        EXPECT_EQ(tooltip(table, 0, HotkeyTable::ColExecute), row.tooltip);
    }
}

TEST(HotkeyStatus, ARegistrationTheBackendRenewedChangesTheTooltip) {
    HotkeyTable table;
    FakeHotkeyBackend backend;
    QObject::connect(&backend, &HotkeyBackend::registrationChanged, &table,
                     &HotkeyTable::setRegistrationResult);
    table.append(entry(4, "A", true, true, false, true));
    table.append(entry(5, "B", true, true, false, false));
    RegistrationPass(table, backend);
    ASSERT_EQ(tooltip(table, 0), kActive);
    QSignalSpy changed(&table, &HotkeyTable::dataChanged);

    emit backend.registrationChanged(4, RegisterResult::KeyNotOnLayout);
    EXPECT_EQ(tooltip(table, 0), kLayout);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0].at(0).toModelIndex(), table.index(0, 0));
    EXPECT_EQ(changed[0].at(1).toModelIndex(), table.index(0, HotkeyTable::ColumnCount - 1));
    // The row's spoken text carries the status too.
    EXPECT_EQ(changed[0].at(2).value<QList<int>>(),
              (QList<int>{Qt::ToolTipRole, Qt::AccessibleTextRole}));
    emit backend.registrationChanged(4, RegisterResult::Registered);
    EXPECT_EQ(tooltip(table, 0), kActive);

    // An unticked row holds nothing, and an ID no row has names nothing.
    emit backend.registrationChanged(5, RegisterResult::Registered);
    emit backend.registrationChanged(9, RegisterResult::HeldByOtherProgram);
    EXPECT_EQ(tooltip(table, 1), kUnchecked);
    EXPECT_EQ(changed.size(), 2);
}

TEST(HotkeyStatus, ApplyTellsOnlyARefusalOfTheDesktopsService) {
    struct Row {
        RegisterResult answer;
        QString message;
    };
    const Row rows[] = {
        {RegisterResult::Pending, ""},
        {RegisterResult::NoService, HotkeyRegistration::kNoService},
        {RegisterResult::NoDisplay, kNoDisplay},
        {RegisterResult::HeldByOtherProgram, kCannotRegister},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message.toStdString());
        HotkeyTable table;
        ScriptedBackend backend;
        table.append(entry(1, "B", true, true, false, true));
        backend.answers[1] = row.answer;
        const ApplyOutcome out = ButtonApply(table, 0, panelFor(table.at(0)), backend);
        EXPECT_EQ(out.message, row.message);
        EXPECT_TRUE(table.at(0).Checked);
    }
}

TEST(HotkeyStatus, TheDesktopsLaterAnswerBecomesTheTooltip) {
    struct Row {
        RegisterResult answer;
        QString keyText;
        QString tooltip;
    };
    const Row rows[] = {
        {RegisterResult::Registered, "Ctrl+Alt+K", "Active: the desktop assigned Ctrl+Alt+K"},
        {RegisterResult::Registered, "", kActive},
        {RegisterResult::NoKeyAssigned, "", "Off: no key assigned by the desktop"},
        {RegisterResult::Declined, "", "Off: the shortcuts were declined on the desktop"},
        {RegisterResult::NoService, "", kNoServiceYet},
    };
    HotkeyTable table;
    ScriptedBackend backend;
    QObject::connect(&backend, &HotkeyBackend::registrationChanged, &table,
                     &HotkeyTable::setRegistrationResult);
    table.append(entry(4, "A", true, true, false, true));
    backend.answers[4] = RegisterResult::Pending;
    RegistrationPass(table, backend);
    ASSERT_EQ(tooltip(table, 0), kPending);
    for (const Row& row : rows) {
        emit backend.registrationChanged(4, row.answer, row.keyText);
        EXPECT_EQ(tooltip(table, 0), row.tooltip);
        EXPECT_TRUE(table.at(0).Checked);
    }
}
