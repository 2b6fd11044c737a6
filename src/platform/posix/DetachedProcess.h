#pragma once

#include <QString>
#include <QStringList>

namespace DetachedProcess {

// Starts program (an absolute path) with arguments, detached: it outlives Orvane and
// leaves no zombie. No command interpreter is involved. Returns 0 once the program has
// been executed, or the errno that stopped it.
int Start(const QString& program, const QStringList& arguments);

} // namespace DetachedProcess
