// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StartupNotice.h"

#include "core/HotkeyStatus.h"
#include "core/HotkeyTable.h"

namespace {

QString Combination(const HotkeyEntry& e) {
    const QString key = e.Key.isEmpty() ? QStringLiteral("(no key)") : e.Key;
    return ModifierText(e.Alt == u'1', e.Ctrl == u'1', e.Shift == u'1', e.Win == u'1') + key;
}

// The status line without its "Off: ": the notice says "why", the row's tooltip "off".
QString Why(const HotkeyStatus& status) {
    const QString text = StatusText(status);
    const QString off = QStringLiteral("Off: ");
    return text.startsWith(off) ? text.mid(off.size()) : text;
}

} // namespace

std::optional<StartupNotice> RefusedNotice(const HotkeyTable& table,
                                           const HotkeyRegistration::PassOutcome& pass) {
    if (pass.noDisplay)
        return std::nullopt;
    StartupNotice notice;
    for (int row : pass.refused) {
        if (row < 0 || row >= table.count())
            continue;
        const HotkeyEntry& e = table.at(row);
        notice.lines << QStringLiteral("%1 (%2): %3")
                            .arg(Combination(e), e.Execute, Why(table.statusAt(row)));
    }
    if (notice.lines.isEmpty())
        return std::nullopt;
    const qsizetype n = notice.lines.size();
    notice.summary = n == 1 ? QStringLiteral("Orvane: 1 hotkey could not be taken")
                            : QStringLiteral("Orvane: %1 hotkeys could not be taken").arg(n);
    return notice;
}
