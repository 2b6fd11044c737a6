// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HotkeyRegistration.h"

#include <QStringList>
#include <optional>

class HotkeyTable;

// What a start tells the user about the hotkeys it could not take: a headline and one line
// per entry, naming its combination, its target and why.
struct StartupNotice {
    QString summary;
    QStringList lines;

    bool operator==(const StartupNotice&) const = default;
};

// The notice for the rows the start-up registration pass refused, from each row's status;
// nothing when it refused none, or when the session can register no hotkey at all (that is
// said once for the whole session, not entry by entry).
std::optional<StartupNotice> RefusedNotice(const HotkeyTable& table,
                                           const HotkeyRegistration::PassOutcome& pass);
