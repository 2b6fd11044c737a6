// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

// What became of a request to write the log-on entry.
enum class LogonWrite {
    Written,    // the entry starts the executable at log-on (it may have done so already)
    Refused,    // the system refused, or the user turned the start off elsewhere; error() says why
    Impossible, // no entry can start this executable; error() says why, for the user
};

// Orvane's one entry in the system's list of programs started when the user logs on: it
// starts the executable by its full path with the single argument "hide".
class LogonEntry {
public:
    virtual ~LogonEntry() = default;
    // Writes the entry for executablePath, replacing the one there.
    virtual LogonWrite write(const QString& executablePath) = 0;
    // Removes the entry; no entry is no failure.
    virtual bool remove() = 0;
    virtual QString error() const = 0;
};

// A system whose log-on list Orvane does not know: no entry can be written, and there is
// never one to remove.
class NullLogonEntry : public LogonEntry {
public:
    LogonWrite write(const QString&) override { return LogonWrite::Refused; }
    bool remove() override { return true; }
    QString error() const override {
        return QStringLiteral("no log-on list is known on this system");
    }
};

// The platform's log-on list.
std::unique_ptr<LogonEntry> CreateLogonEntry();
