// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One row of the hotkey list. The flag fields are texts ("1"/"0") because the list
// shows and stores them as such; only an exact "1" counts as set.
struct HotkeyEntry {
    QString Flags;   // modifier text, e.g. "Alt+Ctrl+"
    QString Key;     // key name from the key table, or empty
    QString Execute; // target
    QString ID;      // hotkey identifier as decimal text
    QString Alt = QStringLiteral("0");
    QString Ctrl = QStringLiteral("0");
    QString Shift = QStringLiteral("0");
    QString Win = QStringLiteral("0"); // the Super (Windows) key
    bool Checked = false;
    int Image = 34;

    bool operator==(const HotkeyEntry&) const = default;
};

namespace Modifiers {
constexpr unsigned Alt = 1;
constexpr unsigned Ctrl = 2;
constexpr unsigned Shift = 4;
constexpr unsigned Win = 8; // Super; the bit the Windows key has in RegisterHotKey
} // namespace Modifiers

// "Alt+Ctrl+"-style caption, always in the order Win, Alt, Ctrl, Shift.
QString ModifierText(bool alt, bool ctrl, bool shift, bool win = false);

// 0..15 from the entry's flag texts (Alt 1, Ctrl 2, Shift 4, Win 8).
unsigned ModifierBits(const HotkeyEntry& entry);

inline QString FlagText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
