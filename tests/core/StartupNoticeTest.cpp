// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StartupNotice.h"
#include "core/HotkeyRegistration.h"
#include "core/HotkeyTable.h"
#include "platform/HotkeyBackend.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <vector>

namespace {

// Answers each ID as the row says, whatever the combination.
class ScriptedBackend : public HotkeyBackend {
public:
    std::map<int, RegisterResult> answers;
    RegisterResult registerHotKey(int id, unsigned, int) override { return answers.at(id); }
    void unregisterHotKey(int) override {}
};

using R = RegisterResult;
constexpr std::optional<R> kStoredUnticked = std::nullopt;
// The entries' keys in table order; "" has no key of the key table.
const char* const kKeys[] = {"J", "K", "", "L"};

struct Row {
    const char* name;
    std::vector<std::optional<R>> answers; // per entry, in table order
    std::vector<bool> tickedAfter;
    const char* summary; // nullptr: no notice
    QStringList lines;
};

class StartupNoticeTest : public ::testing::TestWithParam<Row> {};

TEST_P(StartupNoticeTest, NamesTheStoredTickedEntriesTheStartDidNotTake) {
    const Row& row = GetParam();
    HotkeyTable table;
    ScriptedBackend backend;
    for (size_t i = 0; i < row.answers.size(); ++i) {
        HotkeyEntry e;
        e.ID = QString::number(i + 1);
        e.Key = QString::fromLatin1(kKeys[i]);
        e.Alt = e.Ctrl = QStringLiteral("1");
        e.Flags = ModifierText(true, true, false);
        e.Execute = QStringLiteral("/t/%1.sh").arg(i + 1);
        e.Checked = row.answers[i].has_value();
        backend.answers[int(i + 1)] = row.answers[i].value_or(R::Registered);
        table.append(e);
    }
    const auto notice = RefusedNotice(table, HotkeyRegistration::RegistrationPass(table, backend));

    std::vector<bool> ticked(row.answers.size());
    for (int i = 0; i < table.count(); ++i)
        ticked[size_t(i)] = table.at(i).Checked;
    EXPECT_EQ(ticked, row.tickedAfter);
    ASSERT_EQ(notice.has_value(), row.summary != nullptr);
    if (notice) {
        EXPECT_EQ(*notice, (StartupNotice{QString::fromLatin1(row.summary), row.lines}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StartupNoticeTest,
    ::testing::Values(
        Row{"TwoRefusedInTableOrder",
            {R::Registered, R::HeldByOtherProgram, kStoredUnticked, R::HeldByThisProgram},
            {true, false, false, false},
            "Orvane: 2 hotkeys could not be taken",
            {"Alt+Ctrl+K (/t/2.sh): another program holds this combination",
             "Alt+Ctrl+L (/t/4.sh): Orvane already uses this combination for another entry"}},
        // Named though it stays ticked: the key comes back with a layout that has it.
        Row{"KeyNotOnThisKeyboard",
            {R::KeyNotOnLayout},
            {true},
            "Orvane: 1 hotkey could not be taken",
            {"Alt+Ctrl+J (/t/1.sh): this key is not on the current keyboard layout"}},
        Row{"NoKeyOfTheTable",
            {R::Registered, R::Registered, R::Registered},
            {true, true, false},
            "Orvane: 1 hotkey could not be taken",
            {"Alt+Ctrl+(no key) (/t/3.sh): no key chosen"}},
        // What the user left unticked was not asked for; the desktop that answers later says
        // itself what it did.
        Row{"UntickedAndPending", {kStoredUnticked, R::Pending}, {false, true}, nullptr, {}},
        // The session says once that no hotkey works; the entries are not blamed one by one,
        // not even the one without a key, which the pass unticks before asking.
        Row{"NoDisplay",
            {R::NoDisplay, R::NoDisplay, R::NoDisplay},
            {true, true, false},
            nullptr,
            {}}),
    [](const ::testing::TestParamInfo<Row>& p) { return std::string(p.param.name); });

} // namespace
