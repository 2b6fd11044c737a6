// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg/XdgApplications.h"

#include "platform/Shell.h"
#include "platform/posix/ModuleLoader.h"

namespace {
constexpr GioModule::Calls none{
    [](const QString&) { return false; },
    [](const QString&) { return ShellResult::FileNotFound; },
    [] { return QList<InstalledApplication>(); },
};
} // namespace

const GioModule::Calls& LoadedGioCalls(const QString& module) {
    const auto entry =
        reinterpret_cast<GioModule::EntryFunction>(ModuleLoader::Entry(module, GioModule::Entry));
    const GioModule::Calls* calls = entry ? entry() : nullptr;
    return calls ? *calls : none;
}
