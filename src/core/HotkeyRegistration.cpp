// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyRegistration.h"

#include "core/ActionExecutor.h"
#include "core/BuiltinFunctions.h"
#include "core/HotkeyTable.h"
#include "core/KeyTable.h"
#include "platform/HotkeyBackend.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace HotkeyRegistration {

namespace {
// Taken, handed to a desktop that answers later, or held back by a pause: the entry keeps
// its tick.
bool Accepted(RegisterResult result) {
    return result == RegisterResult::Registered || result == RegisterResult::Pending ||
           result == RegisterResult::Paused;
}
} // namespace

QString ClashMessage(const QString& id) {
    return QStringLiteral("HotKey exists on ID ") + id + QStringLiteral(" ! Choose another one!");
}

PassOutcome RegistrationPass(HotkeyTable& table, HotkeyBackend& backend,
                             const std::function<void()>& whileAsked) {
    PassOutcome out;
    // Asked all at once: the system answers the whole table in about the time of one.
    std::vector<HotkeyRequest> requests;
    std::vector<int> rows;
    for (int row = 0; row < table.count(); ++row) {
        const HotkeyEntry& e = table.at(row);
        if (!e.Checked) {
            // A first start's reason for leaving a row unticked stays readable.
            if (!IsFirstStartReason(table.statusAt(row).state))
                table.setStatus(row, {HotkeyStatus::State::Unchecked, {}});
            continue;
        }
        const auto code = KeyTable::codeOfName(e.Key);
        if (!code) {
            const auto unknown = KeyTable::unknownCodeOfText(e.Key);
            table.setChecked(row, false);
            table.setStatus(row, unknown ? HotkeyStatus{HotkeyStatus::State::UnknownKey,
                                                        QString::number(*unknown)}
                                         : HotkeyStatus{HotkeyStatus::State::NoKey, {}});
            out.refused << row;
            continue;
        }
        requests.push_back({e.ID.toInt(), ModifierBits(e), *code});
        rows.push_back(row);
    }
    const std::vector<RegisterResult> answers = backend.registerHotKeys(requests, whileAsked);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = rows[i];
        const RegisterResult result = answers[i];
        if (result == RegisterResult::NoDisplay || result == RegisterResult::NoService) {
            out.noDisplay = true;
            out.noService = out.noService || result == RegisterResult::NoService;
        } else if (!Accepted(result)) {
            out.refused << row;
            // A key missing from this layout does not untick the entry: it waits for a
            // layout that has it, ticked.
            if (result != RegisterResult::KeyNotOnLayout)
                table.setChecked(row, false);
        }
        // Set after the untick, so that the row tells the refusal and not only the untick.
        table.setStatus(row, StatusOf(result));
    }
    // In table order, as the start-up notice lists them.
    std::sort(out.refused.begin(), out.refused.end());
    return out;
}

ApplyOutcome ButtonApply(HotkeyTable& table, int selectedRow, const PanelValues& panel,
                         HotkeyBackend& backend) {
    ApplyOutcome out;
    if (selectedRow < 0 || selectedRow >= table.count())
        return out;
    out.ran = true;
    try {
        if (panel.keyPosition < 0 || panel.keyPosition >= KeyTable::Count ||
            panel.execute.isEmpty()) {
            out.message = kIncomplete;
            return out;
        }
        HotkeyEntry e = table.at(selectedRow);
        e.Checked = panel.enabled;
        if (panel.image >= 0)
            e.Image = panel.image;
        e.Key = QString::fromLatin1(KeyTable::at(panel.keyPosition).name);
        e.Alt = FlagText(panel.alt);
        e.Ctrl = FlagText(panel.ctrl);
        e.Shift = FlagText(panel.shift);
        e.Win = FlagText(panel.win);
        e.Execute = panel.execute;
        e.Flags = ModifierText(panel.alt, panel.ctrl, panel.shift, panel.win);
        table.replace(selectedRow, e);

        const int id = e.ID.toInt();
        if (e.Checked) {
            for (int row = 0; row < table.count(); ++row) {
                const HotkeyEntry& other = table.at(row);
                if (row == selectedRow || !other.Checked || other.Key != e.Key ||
                    other.Flags != e.Flags)
                    continue;
                out.message = ClashMessage(other.ID);
                backend.unregisterHotKey(id);
                table.setChecked(selectedRow, false);
                table.setStatus(selectedRow, {HotkeyStatus::State::SameAsEntry, other.ID});
                out.clearEnabledCheckBox = true;
                return out;
            }
        }
        backend.unregisterHotKey(id);
        if (e.Checked) {
            const RegisterResult result =
                backend.registerHotKey(id, ModifierBits(e), KeyTable::at(panel.keyPosition).code);
            if (result == RegisterResult::NoDisplay)
                out.message = kNoDisplay;
            else if (result == RegisterResult::NoService)
                out.message = kNoService;
            else if (!Accepted(result))
                out.message = kCannotRegister;
            table.setStatus(selectedRow, StatusOf(result));
        } else {
            table.setStatus(selectedRow, {HotkeyStatus::State::Unchecked, {}});
        }
        out.applyButtonEnabled = false;
    } catch (const std::exception& ex) {
        out.message = QStringLiteral("Error: ") + QString::fromLocal8Bit(ex.what());
    }
    return out;
}

void ReleaseAll(const HotkeyTable& table, HotkeyBackend& backend) {
    for (const HotkeyEntry& e : table.entries())
        backend.unregisterHotKey(e.ID.toInt());
}

void RegisterChecked(HotkeyTable& table, HotkeyBackend& backend) {
    for (int row = 0; row < table.count(); ++row) {
        const HotkeyEntry& e = table.at(row);
        const auto code = KeyTable::codeOfName(e.Key);
        if (e.Checked && code)
            table.setStatus(row,
                            StatusOf(backend.registerHotKey(e.ID.toInt(), ModifierBits(e), *code)));
    }
}

void ApplicationEvents1Message(const HotkeyTable& table, int id, bool autoRepeat,
                               ActionExecutor& executor) {
    const int row = table.rowOfId(id);
    // An unticked entry has no hotkey of its own: a press under its ID is a stale one.
    if (row < 0 || !table.at(row).Checked)
        return;
    const QString target = table.at(row).Execute;
    if (autoRepeat && !RepeatsWhileHeld(target))
        return;
    executor.Execute(target, false);
}

} // namespace HotkeyRegistration
