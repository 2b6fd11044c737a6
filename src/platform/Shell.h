// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>

// The desktop shell's "open": starts a program or opens a document, folder, network path
// or URL, and returns at once with a ShellExecute-style code (greater than 32 on success;
// 0, 2, 3, 11 or another value up to 32 on failure).
class Shell {
public:
    using Outcome = std::function<void(int code)>;

    virtual ~Shell() = default;
    virtual int open(const QString& target) = 0;
    // Whether open would find something to start or to hand the target to, without starting
    // anything. A shell that cannot tell answers true.
    virtual bool resolves(const QString& target) {
        (void)target;
        return true;
    }
    // Opens target as open() does, and hands done its code once the outcome is known: where
    // a helper opens the target for the shell, what the helper answered, waited for a few
    // seconds at most and without holding up the event loop. done is called once, and never
    // after the shell has gone.
    virtual void openReporting(const QString& target, const Outcome& done) { done(open(target)); }
};

namespace ShellResult {
constexpr int OutOfResources = 0;
constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int BadFormat = 11;
constexpr int NoAssociation = 31;
constexpr int Ok = 42;
} // namespace ShellResult

std::unique_ptr<Shell> CreateShell();
