// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Orvane's own modules: backends whose system libraries are mapped only once something
// calls them, so that a start that never changes the volume nor starts an application never
// pays for them. They lie in one folder relative to the executable's, the same in the build
// tree as when installed.
namespace ModuleLoader {

// The file module ("orvane-sound") is loaded from.
QString PathOf(const QString& module);

// The function symbol of module, which is opened at the first call and then stays loaded
// for the run. Null when the module cannot be loaded or lacks the symbol; that is logged
// once.
QFunctionPointer Entry(const QString& module, const char* symbol);

} // namespace ModuleLoader
