// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AppCatalog.h"

#include <QString>

// Installed applications through GIO, the desktop's own reading of desktop entries: Exec
// field codes, Terminal=true, D-Bus activation and the desktop's folders, as menus do it.
namespace GioApplications {

// Whether a desktop entry, by id or by the absolute path of its file, is installed and can
// be started here.
bool Installed(const QString& entry);

// Starts an application by desktop entry id or by the absolute path of its .desktop file,
// in a session of its own with only standard input (from /dev/null), output and error.
// Returns a ShellResult code: Ok only once GIO has started it.
int Launch(const QString& entry);

// The applications the desktop shows in its menus, by name.
QList<InstalledApplication> Shown();

} // namespace GioApplications

class GioAppCatalog : public AppCatalog {
public:
    QList<InstalledApplication> Applications() override { return GioApplications::Shown(); }
};
