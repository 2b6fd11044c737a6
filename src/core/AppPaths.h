// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

namespace AppPaths {

// Where Hotkeys.ini and Settings.ini live: beside the executable, or, when that directory
// cannot be written (an installed copy), configHome + "/Orvane", so nothing is ever lost.
QString FilesDirectory(const QString& executableDir, const QString& configHome,
                       const std::function<bool(const QString&)>& isWritableDir);

// The same for this process, with a real write probe; creates the fallback directory.
QString FilesDirectory();

// True when a file can really be created in dir (permission bits alone mislead root and
// read-only mounts).
bool CanCreateFileIn(const QString& dir);

} // namespace AppPaths
