// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Shell.h"

#include <QObject>
#include <chrono>

// The desktop shell's "open" on a freedesktop system: executables run directly, installed
// applications start through GIO, everything else goes to xdg-open.
class XdgShell : public Shell {
public:
    // openerWait: how long openReporting waits for xdg-open's answer; an xdg-open still
    // running then has started what opens the target.
    explicit XdgShell(std::chrono::milliseconds openerWait = std::chrono::seconds(5));

    int open(const QString& target) override;
    bool resolves(const QString& target) override;
    // Reports xdg-open's exit status rather than its start: it fails (no handler for the
    // target, say) only after it has started.
    void openReporting(const QString& target, const Outcome& done) override;

private:
    std::chrono::milliseconds m_openerWait;
    QObject m_answers; // what is still to be reported ends with the shell
};
