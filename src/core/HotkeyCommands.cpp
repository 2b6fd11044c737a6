// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyCommands.h"

#include "core/HotkeyTable.h"

#include <set>

namespace HotkeyCommands {

int NewIdentifier(const HotkeyTable& table) {
    std::set<int> used;
    for (const HotkeyEntry& e : table.entries())
        used.insert(e.ID.toInt());
    // Every step up passes an identifier some row holds, so this ends after at most one step
    // per row.
    int candidate = table.count();
    while (used.contains(candidate))
        ++candidate;
    return candidate;
}

HotkeyEntry NewHotkeyEntry(int id) {
    HotkeyEntry e;
    e.Flags = ModifierText(true, true, false);
    e.Key = QStringLiteral("0");
    e.Execute = QStringLiteral("Nothing");
    e.ID = QString::number(id);
    e.Alt = FlagText(true);
    e.Ctrl = FlagText(true);
    e.Shift = FlagText(false);
    e.Checked = false;
    e.Image = 34;
    return e;
}

NewOutcome New1Click(HotkeyTable& table) {
    table.append(NewHotkeyEntry(NewIdentifier(table)));
    const int row = table.count() - 1;
    return {row, row * RowHeight};
}

bool Delete1Click(HotkeyTable& table, int selectedRow, const Ask& ask, const Release& release) {
    if (selectedRow < 0 || selectedRow >= table.count())
        return false;
    if (ask(kDeleteText, kDeleteCaption) != Answer::Yes)
        return false;
    bool ok = false;
    const int id = table.at(selectedRow).ID.toInt(&ok);
    if (ok)
        release(id);
    table.remove(selectedRow);
    return true;
}

bool Resettodefault1Click(HotkeyTable& table, const Ask& ask, const Warn& warn,
                          const WriteReset& writeReset) {
    if (ask(kResetText, kResetCaption) != Answer::Yes)
        return false;
    if (!writeReset())
        return false;
    warn(kRestartText, kRestartCaption);
    table.clear();
    return true;
}

} // namespace HotkeyCommands
