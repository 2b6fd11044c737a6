// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// How the desktop "open" of a target is carried out on a freedesktop system, decided
// without starting anything: run an executable directly, hand the target to xdg-open, or
// fail with a ShellExecute-style code, or start an installed application as the desktop
// does (Launch). Never through a command interpreter.
struct ShellPlan {
    enum class Kind { Run, Open, Fail, Launch };
    Kind kind = Kind::Fail;
    // Run: the executable's absolute path; Open: what xdg-open gets; Launch: a desktop
    // entry's id or the absolute path of its file
    QString argument;
    int failure = 0;     // Fail: the result code
    QStringList options; // Run: what follows the program on its command line
};

namespace ShellTarget {

// Windows-style forms a stored table may hold, turned into their freedesktop meaning:
// "mailto: addr" -> "mailto:addr", "\\HOST\share" -> "smb://HOST/share", "C:\dir" -> "/dir".
QString Translate(const QString& target);

// Desktop programs that stand in for a well-known Windows program name (in order of
// preference), or an empty list for any other name.
QStringList EquivalentsOf(const QString& windowsProgram);
// The same as desktop entry ids, preferred where one is installed.
QStringList DesktopIdsOf(const QString& windowsProgram);

// Whether path is something the system starts itself: an executable file that is a program
// (ELF) or names its interpreter ("#!"). Anything else, execute bit or not, is a document.
bool IsProgram(const QString& path);

// The words of a command line, split as a desktop entry's Exec line is: blanks separate
// words, double quotes hold blanks together, a backslash takes the next character as it is
// (within quotes only before ", `, $ and itself). Nothing when a quote is left open or a
// backslash ends the text.
std::optional<QStringList> SplitCommandLine(const QString& text);

// searchPath: the directories of PATH, in order; relative entries are ignored. The target
// is taken whole first; only a target that is nothing as a whole (and no Windows form) is
// read as a command line, whose program is an absolute path or found on searchPath.
// installed tells whether a desktop entry id is installed; none is without it.
using InstalledEntry = std::function<bool(const QString& desktopId)>;
ShellPlan Plan(const QString& target, const QStringList& searchPath,
               const InstalledEntry& installed = {});

// The first executable file called name in the absolute directories of searchPath, or an
// empty text.
QString FindOnPath(const QString& name, const QStringList& searchPath);

} // namespace ShellTarget
