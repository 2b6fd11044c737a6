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
    bool Checked = false;
    int Image = 34;

    bool operator==(const HotkeyEntry&) const = default;
};

namespace Modifiers {
constexpr unsigned Alt = 1;
constexpr unsigned Ctrl = 2;
constexpr unsigned Shift = 4;
} // namespace Modifiers

// "Alt+Ctrl+"-style caption, always in the order Alt, Ctrl, Shift.
QString ModifierText(bool alt, bool ctrl, bool shift);

// 0..7 from the entry's flag texts (Alt 1, Ctrl 2, Shift 4).
unsigned ModifierBits(const HotkeyEntry& entry);

inline QString FlagText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
