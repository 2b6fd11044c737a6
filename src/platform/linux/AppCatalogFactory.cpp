// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AppCatalog.h"
#include "platform/xdg/XdgApplications.h"

namespace {
// Reads the applications through the GIO module, loaded when someone first picks one.
class ModuleAppCatalog : public AppCatalog {
public:
    QList<InstalledApplication> Applications() override { return LoadedGioCalls().shown(); }
};
} // namespace

std::unique_ptr<AppCatalog> CreateAppCatalog() {
    return std::make_unique<ModuleAppCatalog>();
}
