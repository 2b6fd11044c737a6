// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/KeyRecording.h"

#include "FakeHotkeyBackend.h"
#include "core/HotkeyRegistration.h"
#include "core/HotkeyTable.h"
#include "core/KeyTable.h"

#include <Qt>
#include <gtest/gtest.h>
#include <set>

namespace {

using KeyRecording::Press;
using KeyRecording::Result;

struct Row {
    const char* what;
    int qtKey;
    unsigned modifiers; // Modifiers:: bits held
    bool keypad;
    int backendKey; // the backend's virtual-key code, 0 when it cannot tell
    Result result;
    const char* key; // the key list's name taken, for Taken
};

const Row kRows[] = {
    {"Shift alone waits", Qt::Key_Shift, Modifiers::Shift, false, 0, Result::Waiting, nullptr},
    {"Super alone waits", Qt::Key_Super_L, Modifiers::Win, false, 0, Result::Waiting, nullptr},
    {"AltGr alone waits", Qt::Key_AltGr, 0, false, 0, Result::Waiting, nullptr},
    {"Meta alone waits", Qt::Key_Meta, Modifiers::Win | Modifiers::Alt, false, 0, Result::Waiting,
     nullptr},
    {"Esc alone cancels", Qt::Key_Escape, 0, false, 0, Result::Cancelled, nullptr},
    {"Esc with a modifier is a key", Qt::Key_Escape, Modifiers::Ctrl, false, 0, Result::Taken,
     "Esc"},
    {"letter", Qt::Key_K, Modifiers::Alt | Modifiers::Ctrl, false, 0, Result::Taken, "K"},
    {"digit", Qt::Key_7, Modifiers::Win, false, 0, Result::Taken, "7"},
    {"keypad digit", Qt::Key_7, Modifiers::Ctrl, true, 0, Result::Taken, "Num 7"},
    {"keypad plus", Qt::Key_Plus, Modifiers::Alt, true, 0, Result::Taken, "Num +"},
    {"plus on the main keys", Qt::Key_Plus, Modifiers::Alt | Modifiers::Shift, false, 0,
     Result::Taken, "="},
    {"Shift+Tab", Qt::Key_Backtab, Modifiers::Shift, false, 0, Result::Taken, "Tab"},
    {"shifted digit", Qt::Key_Exclam, Modifiers::Ctrl | Modifiers::Shift, false, 0, Result::Taken,
     "1"},
    {"F13", Qt::Key_F13, Modifiers::Win | Modifiers::Shift, false, 0, Result::Taken, "F13"},
    {"F24", Qt::Key_F24, 0, false, 0, Result::Taken, "F24"},
    {"keypad Enter", Qt::Key_Enter, Modifiers::Ctrl, true, 0, Result::Taken, "Enter"},
    {"Print", Qt::Key_Print, 0, false, 0, Result::Taken, "Print Screen"},
    {"tilde key", Qt::Key_QuoteLeft, Modifiers::Alt, false, 0, Result::Taken, "` ~"},
    {"media key", Qt::Key_MediaTogglePlayPause, 0, false, 0, Result::Taken, "Play/Pause"},
    {"browser key", Qt::Key_Favorites, 0, false, 0, Result::Taken, "Browser Favorites"},
    {"My Computer", Qt::Key_Launch0, 0, false, 0, Result::Taken, "My Computer"},
    {"Sleep", Qt::Key_Sleep, 0, false, 0, Result::Taken, "Sleep"},
    {"the backend's key wins", Qt::Key_Z, Modifiers::Alt, false, 89, Result::Taken, "Y"},
    {"the backend's media key", 0, Modifiers::Ctrl, false, 175, Result::Taken, "Volume Up"},
    {"a key not in the list", Qt::Key_Launch5, Modifiers::Alt | Modifiers::Ctrl, false, 0,
     Result::NotInList, nullptr},
    {"a symbol not in the list", Qt::Key_section, 0, false, 0, Result::NotInList, nullptr},
    {"the backend's unknown key", Qt::Key_K, 0, false, 7, Result::NotInList, nullptr},
};

KeyRecording::Press PressOf(const Row& r) {
    KeyRecording::Press press;
    press.qtKey = r.qtKey;
    press.win = (r.modifiers & Modifiers::Win) != 0;
    press.alt = (r.modifiers & Modifiers::Alt) != 0;
    press.ctrl = (r.modifiers & Modifiers::Ctrl) != 0;
    press.shift = (r.modifiers & Modifiers::Shift) != 0;
    press.keypad = r.keypad;
    if (r.backendKey != 0)
        press.virtualKey = r.backendKey;
    return press;
}

class KeyRecordingTake : public ::testing::TestWithParam<Row> {};

TEST_P(KeyRecordingTake, PressGivesOutcome) {
    const Row& r = GetParam();
    const KeyRecording::Press press = PressOf(r);
    const KeyRecording::Outcome out = KeyRecording::Take(press);
    ASSERT_EQ(out.result, r.result);
    EXPECT_EQ(out.message.isEmpty(), r.result != Result::NotInList);
    if (r.result != Result::Taken) {
        EXPECT_EQ(out.keyPosition, -1);
        return;
    }
    ASSERT_GE(out.keyPosition, 0);
    EXPECT_STREQ(KeyTable::at(out.keyPosition).name, r.key);
    EXPECT_EQ(out.win, press.win);
    EXPECT_EQ(out.alt, press.alt);
    EXPECT_EQ(out.ctrl, press.ctrl);
    EXPECT_EQ(out.shift, press.shift);
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
