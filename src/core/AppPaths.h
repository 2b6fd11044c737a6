// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

namespace AppPaths {

// The folder of an installed copy's read-only data (history.txt): executableDir +
// "/" + dataFromBinDir when that folder exists, as cmake --install and the package lay it
// out; empty for a build tree or a copy on its own, which keep everything beside the
// executable.
QString InstalledDataDirectory(const QString& executableDir, const QString& dataFromBinDir,
                               const std::function<bool(const QString&)>& isDir);

// Where Hotkeys.ini and Settings.ini live: configHome + "/Orvane" for an installed copy
// (whoever may write its bin folder, root included) or when the executable's folder cannot
// be written, so nothing is ever lost, or when executableDir is no full path (empty: the
// system could not name the executable); beside the executable otherwise.
QString FilesDirectory(const QString& executableDir, const QString& configHome,
                       const std::function<bool(const QString&)>& isWritableDir,
                       bool installed = false);

// The version history that "What's new" opens: in the installed data folder, else beside
// the executable.
QString HistoryFile(const QString& executableDir, const QString& installedDataDir);

// The same for this process, with a real write probe; FilesDirectory() creates the folder.
QString FilesDirectory();
QString HistoryFile();

// True when a file can really be created in dir (permission bits alone mislead root and
// read-only mounts).
bool CanCreateFileIn(const QString& dir);

} // namespace AppPaths
