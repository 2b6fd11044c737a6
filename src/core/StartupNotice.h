// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
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

// The notice for the given rows of the table (those the start-up registration refused), from
// each row's status; nothing when no row is given.
std::optional<StartupNotice> RefusedNotice(const HotkeyTable& table, const QList<int>& rows);
