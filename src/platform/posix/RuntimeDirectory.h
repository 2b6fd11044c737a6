// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SingleInstance.h"

#include <QStringList>
#include <sys/types.h>

namespace RuntimeDirectory {

// True when path is a directory (not a link) that belongs to uid and that no other user can
// write into.
bool IsPrivate(const QString& path, uid_t uid);

// xdgRuntimeDir when it is private to uid; otherwise the first of the folders
// "<base>/orvane-<uid>" (base from fallbackBases, in order) that is or can be made private.
// Never a folder another user owns or could have prepared.
RuntimePlace Choose(const QString& xdgRuntimeDir, const QStringList& fallbackBases, uid_t uid);

} // namespace RuntimeDirectory
