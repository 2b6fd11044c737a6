// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FirstStart.h"

#include "core/BuiltinFunctions.h"
#include "core/HotkeyTable.h"

#include <array>

namespace FirstStart {
namespace {

struct Reserved {
    unsigned modifiers;
    const char* key;
    const char* use;
};

constexpr unsigned kCtrlShift = Modifiers::Ctrl | Modifiers::Shift;

// Combinations that terminals, browsers, editors and file managers use on Linux desktops;
// grabbing one takes it from all of them at once.
constexpr std::array<Reserved, 9> kReserved{{
    {kCtrlShift, "C", "copy in terminals"},
    {kCtrlShift, "V", "paste in terminals"},
    {kCtrlShift, "T", "a new tab in terminals and browsers"},
    {kCtrlShift, "W", "close tab in terminals and close window in browsers"},
    {kCtrlShift, "N", "a new window in terminals and a new folder in file managers"},
    {kCtrlShift, "S", "save as in editors"},
    {kCtrlShift, "E", "the explorer in code editors and a split in terminals"},
    {kCtrlShift, "M", "the responsive design view in browsers"},
    {kCtrlShift, "Q", "quit in terminals"},
}};

} // namespace

std::optional<QString> ReservedUse(unsigned modifierBits, const QString& key) {
    for (const Reserved& r : kReserved) {
        if (r.modifiers == modifierBits &&
            key.compare(QLatin1String(r.key), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(r.use);
    }
    return std::nullopt;
}

void FitDefaultTable(HotkeyTable& table, const std::function<bool(const QString&)>& resolves) {
    for (int row = 0; row < table.count(); ++row) {
        const HotkeyEntry& e = table.at(row);
        if (!e.Checked)
            continue;
        HotkeyStatus why;
        if (const auto use = ReservedUse(ModifierBits(e), e.Key)) {
            why = {HotkeyStatus::State::Reserved, e.Flags + e.Key + QStringLiteral(" is ") + *use};
        } else if (!IsBuiltinTarget(e.Execute) && resolves && !resolves(e.Execute)) {
            why = {HotkeyStatus::State::NoTarget, e.Execute};
        } else {
            continue;
        }
        table.setChecked(row, false);
        table.setStatus(row, why);
    }
}

} // namespace FirstStart
