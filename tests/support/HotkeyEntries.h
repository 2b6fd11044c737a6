// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HotkeyEntry.h"

#include <QString>

// An entry with the combination and target a test needs.
inline HotkeyEntry entry(int id, const char* key, bool alt, bool ctrl, bool shift, bool checked,
                         const char* target = "x") {
    HotkeyEntry e;
    e.ID = QString::number(id);
    e.Key = key;
    e.Alt = FlagText(alt);
    e.Ctrl = FlagText(ctrl);
    e.Shift = FlagText(shift);
    e.Flags = ModifierText(alt, ctrl, shift);
    e.Checked = checked;
    e.Execute = target;
    return e;
}
