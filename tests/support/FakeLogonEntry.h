// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LogonEntry.h"

#include <QStringList>
#include <optional>

// A log-on list that records what reaches it.
class FakeLogonEntry : public LogonEntry {
public:
    LogonWrite write(const QString& executablePath) override {
        calls << QStringLiteral("write");
        if (outcome == LogonWrite::Written)
            entry = executablePath;
        return outcome;
    }
    bool remove() override {
        calls << QStringLiteral("remove");
        entry.reset();
        return true;
    }
    QString error() const override { return QStringLiteral("why"); }

    std::optional<QString> entry; // the executable the entry starts, while there is one
    QStringList calls;
    LogonWrite outcome = LogonWrite::Written; // what every write gives
};
