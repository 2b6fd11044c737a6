// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

class HotkeyTable;

// What a first start (no stored table) does to the default table on this system: a hotkey
// grabs its combination from every other program, so rows whose combination desktop programs
// rely on, and rows whose target opens nothing here, start unticked and say why.
namespace FirstStart {

// Who relies on a combination of modifier bits and key name ("copy in terminals"), or
// nothing when no common program does.
std::optional<QString> ReservedUse(unsigned modifierBits, const QString& key);

// Unticks the rows described above; resolves tells whether the desktop can open a target.
// Built-in functions always resolve.
void FitDefaultTable(HotkeyTable& table, const std::function<bool(const QString&)>& resolves);

} // namespace FirstStart
