// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/KeyRecording.h"

#include "FakeHotkeyBackend.h"
#include "core/HotkeyRegistration.h"
#include "core/HotkeyTable.h"
#include "core/KeyTable.h"

#include <Qt>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <tuple>

namespace {

using KeyRecording::Press;
using KeyRecording::Result;

struct Row {
    const char* what;
    Press press;
    Result result;
    const char* key; // the key list's name taken, for Taken
};

const Row kRows[] = {
    {"Shift alone", {.qtKey = Qt::Key_Shift, .shift = true}, Result::Waiting, nullptr},
    {"Super alone", {.qtKey = Qt::Key_Super_L, .win = true}, Result::Waiting, nullptr},
    {"Esc alone", {.qtKey = Qt::Key_Escape}, Result::Cancelled, nullptr},
    {"Ctrl+Esc", {.qtKey = Qt::Key_Escape, .ctrl = true}, Result::Taken, "Esc"},
    {"letter", {.qtKey = Qt::Key_K, .alt = true, .ctrl = true}, Result::Taken, "K"},
    {"keypad digit", {.qtKey = Qt::Key_7, .keypad = true}, Result::Taken, "Num 7"},
    {"keypad plus", {.qtKey = Qt::Key_Plus, .keypad = true}, Result::Taken, "Num +"},
    {"plus", {.qtKey = Qt::Key_Plus, .shift = true}, Result::Taken, "="},
    {"Shift+Tab", {.qtKey = Qt::Key_Backtab, .shift = true}, Result::Taken, "Tab"},
    {"shifted digit", {.qtKey = Qt::Key_Exclam, .shift = true}, Result::Taken, "1"},
    {"Super+Shift+F13", {.qtKey = Qt::Key_F13, .win = true, .shift = true}, Result::Taken, "F13"},
    {"media", {.qtKey = Qt::Key_MediaTogglePlayPause}, Result::Taken, "Play/Pause"},
    {"backend first", {.qtKey = Qt::Key_Z, .alt = true, .virtualKey = 89}, Result::Taken, "Y"},
    {"backend only", {.qtKey = 0, .virtualKey = 175}, Result::Taken, "Volume Up"},
    {"not listed", {.qtKey = Qt::Key_Launch5, .alt = true}, Result::NotInList, nullptr},
    {"backend unlisted", {.qtKey = Qt::Key_K, .virtualKey = 7}, Result::NotInList, nullptr},
};

class KeyRecordingTake : public ::testing::TestWithParam<Row> {};

TEST_P(KeyRecordingTake, PressGivesOutcome) {
    const Row& r = GetParam();
    const KeyRecording::Outcome out = KeyRecording::Take(r.press);
    ASSERT_EQ(out.result, r.result);
    EXPECT_EQ(out.message.isEmpty(), r.result != Result::NotInList);
    if (r.result != Result::Taken) {
        EXPECT_EQ(out.keyPosition, -1);
        return;
    }
    ASSERT_GE(out.keyPosition, 0);
    EXPECT_STREQ(KeyTable::at(out.keyPosition).name, r.key);
    EXPECT_EQ(std::tie(out.win, out.alt, out.ctrl, out.shift),
              std::tie(r.press.win, r.press.alt, r.press.ctrl, r.press.shift));
}

INSTANTIATE_TEST_SUITE_P(Rows, KeyRecordingTake, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return "row" + std::to_string(info.index); });

// Every key of the list can be recorded where the backend cannot name keys: some Qt key
// (on the keypad or not) gives its position. All but the extra key of ISO keyboards, whose
// "<" and ">" are also the shifted "," and "." to Qt: only the backend tells them apart.
TEST(KeyRecordingFallback, EveryListedKeyHasAQtKey) {
    std::set<int> covered;
    const auto scan = [&](int first, int last) {
        for (int key = first; key <= last; ++key)
            for (bool keypad : {false, true})
                if (const auto position = KeyRecording::PositionOfQtKey(key, keypad))
                    covered.insert(*position);
    };
    scan(0x20, 0xff);                         // Latin-1 keys
    scan(Qt::Key_Escape, Qt::Key_Sleep + 16); // function, media and launch keys
    QStringList missing;
    for (int position = 0; position < KeyTable::Count; ++position)
        if (!covered.count(position) && KeyTable::at(position).code != 226)
            missing << QString::fromLatin1(KeyTable::at(position).name);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QStringLiteral(", ")).toStdString();
}

// The end of a recording takes back what its start let go, ticks as they were.
TEST(KeyRecordingEnd, RegisterCheckedTakesBackTheTickedEntriesOnly) {
    HotkeyTable table;
    table.appendMany(DefaultHotkeyTable());
    table.setChecked(1, false);
    FakeHotkeyBackend backend;
    backend.takenElsewhere[{ModifierBits(table.at(2)), *KeyTable::codeOfName(table.at(2).Key)}] =
        true;
    HotkeyRegistration::RegisterChecked(table, backend);
    for (int row = 0; row < table.count(); ++row) {
        SCOPED_TRACE(row);
        const HotkeyEntry& e = table.at(row);
        EXPECT_EQ(backend.registered.count(e.ID.toInt()), e.Checked && row != 2 ? 1u : 0u);
    }
    EXPECT_FALSE(table.at(1).Checked);
    EXPECT_TRUE(table.at(2).Checked) << "a refusal here unticks nothing";
    EXPECT_EQ(table.statusAt(2).state, HotkeyStatus::State::HeldByOtherProgram);
}

} // namespace
