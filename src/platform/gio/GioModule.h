// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AppCatalog.h"

#include <QList>
#include <QString>

// The GIO module, orvane-gio: GioApplications with GIO and GObject, loaded the first time a
// target names an application or someone picks one.
namespace GioModule {

// GioApplications' calls, as the module hands them over.
struct Calls {
    bool (*installed)(const QString& entry);
    int (*launch)(const QString& entry);
    QList<InstalledApplication> (*shown)();
};

inline constexpr char Name[] = "orvane-gio";
// Its one entry: the calls, valid while the module is loaded.
inline constexpr char Entry[] = "orvane_gio_calls";
using EntryFunction = const Calls* (*)();

} // namespace GioModule
