// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Shell.h"

// The desktop shell's "open" on a freedesktop system: executables run directly, everything
// else goes to xdg-open.
class XdgShell : public Shell {
public:
    int open(const QString& target) override;
    bool resolves(const QString& target) override;
};
