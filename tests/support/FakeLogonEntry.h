// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LogonEntry.h"

#include <QStringList>
#include <optional>

// A log-on list that records what reaches it.
class FakeLogonEntry : public LogonEntry {
public:
    bool write(const QString& executablePath) override {
        calls << QStringLiteral("write");
        entry = executablePath;
        return true;
    }
    bool remove() override {
        calls << QStringLiteral("remove");
        entry.reset();
        return true;
    }
    QString error() const override { return {}; }

    std::optional<QString> entry; // the executable the entry starts, while there is one
    QStringList calls;
};
