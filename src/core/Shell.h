// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

// The desktop shell's "open": starts a program or opens a document, folder, network path
// or URL, and returns at once with a ShellExecute-style code (greater than 32 on success;
// 0, 2, 3, 11 or another value up to 32 on failure).
class Shell {
public:
    virtual ~Shell() = default;
    virtual int open(const QString& target) = 0;
    // Whether open would find something to start or to hand the target to, without starting
    // anything. A shell that cannot tell answers true.
    virtual bool resolves(const QString& target) {
        (void)target;
        return true;
    }
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
