// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <sys/types.h>

namespace DetachedProcess {

// Starts program (an absolute path) with arguments, detached: in a session of its own, it
// outlives Orvane, and is reaped when it ends (through the event loop), so it leaves no
// zombie. No command interpreter is involved. Returns 0 once the program has been
// executed, or the errno that stopped it; started, if given, receives the process id.
// ended, if given, is called with the program's wait status once it has been reaped, or
// with -1 when something else reaped it first.
using Ended = std::function<void(int waitStatus)>;
int Start(const QString& program, const QStringList& arguments, pid_t* started = nullptr,
          Ended ended = {});

} // namespace DetachedProcess
