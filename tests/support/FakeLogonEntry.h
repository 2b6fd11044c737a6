#pragma once

#include "LogonEntry.h"

#include <QStringList>
#include <optional>

// A log-on list that records what reaches it; refuse makes every change fail.
class FakeLogonEntry : public LogonEntry {
public:
    bool write(const QString& executablePath) override {
        calls << QStringLiteral("write ") + executablePath;
        if (refuse)
            return false;
        entry = executablePath;
        return true;
    }
    bool remove() override {
        calls << QStringLiteral("remove");
        if (refuse && entry)
            return false;
        entry.reset();
        return true;
    }
    QString error() const override { return QStringLiteral("refused"); }

    bool refuse = false;
    std::optional<QString> entry; // the executable the entry starts, while there is one
    QStringList calls;
};
