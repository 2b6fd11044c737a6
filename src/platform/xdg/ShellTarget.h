// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// How the desktop "open" of a target is carried out on a freedesktop system, decided
// without starting anything: run an executable directly, hand the target to xdg-open, or
// fail with a ShellExecute-style code. Never through a command interpreter, never split.
struct ShellPlan {
    enum class Kind { Run, Open, Fail };
    Kind kind = Kind::Fail;
    QString argument; // Run: the executable's absolute path; Open: what xdg-open gets
    int failure = 0;  // Fail: the result code
};

namespace ShellTarget {

// Windows-style forms a stored table may hold, turned into their freedesktop meaning:
// "mailto: addr" -> "mailto:addr", "\\HOST\share" -> "smb://HOST/share", "C:\dir" -> "/dir".
QString Translate(const QString& target);

// Desktop programs that stand in for a well-known Windows program name (in order of
// preference), or an empty list for any other name.
QStringList EquivalentsOf(const QString& windowsProgram);

// Whether path is something the system starts itself: an executable file that is a program
// (ELF) or names its interpreter ("#!"). Anything else, execute bit or not, is a document.
bool IsProgram(const QString& path);

// searchPath: the directories of PATH, in order; relative entries are ignored.
ShellPlan Plan(const QString& target, const QStringList& searchPath);

// The first executable file called name in the absolute directories of searchPath, or an
// empty text.
QString FindOnPath(const QString& name, const QStringList& searchPath);

} // namespace ShellTarget
