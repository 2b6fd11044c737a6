// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/gio/GioModule.h"

#include <QString>

// GIO's calls from module, loaded at the first call. Without the module (not installed, or
// from another build) no application is installed, none starts (ShellResult::FileNotFound,
// as for an entry GIO does not know) and none is shown.
const GioModule::Calls&
LoadedGioCalls(const QString& module = QString::fromLatin1(GioModule::Name));
