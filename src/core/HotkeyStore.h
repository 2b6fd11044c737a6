// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class HotkeyTable;

// Keeps the hotkey table in Hotkeys.ini between runs.
namespace HotkeyStore {

// A table longer than this is not one a person made; a larger Count is cut to it so that a
// damaged file cannot make the load run out of memory.
constexpr int MaxEntries = 10000;

// Fills the table from the file, or leaves the table (the default table) in place when the
// file holds no entries; then the network placeholder takes the computer's name, when
// computerName yields one. True when the file held a table (Count not 0), an empty one
// included; false when the default table stays. A key code the key table does not hold is
// kept as the key text KeyTable::textOfUnknownCode gives.
bool Load(HotkeyTable& table, const QString& path, const std::function<QString()>& computerName);

// Writes the whole table into the file as it is on disk now. False when nothing was written.
// An empty table is written as Count=-1, which loads as a table that stays empty: Count=0
// would bring back the default table.
bool Save(const HotkeyTable& table, const QString& path);

// Writes Count=0 alone, so that the next start takes the default table. False when nothing
// was written.
bool SaveReset(const QString& path);

} // namespace HotkeyStore
