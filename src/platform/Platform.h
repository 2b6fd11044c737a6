// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AppCatalog.h"
#include "platform/HotkeyBackend.h"
#include "platform/LogonEntry.h"
#include "platform/MixerDriver.h"
#include "platform/Notifier.h"
#include "platform/SessionEnd.h"
#include "platform/Shell.h"
#include "platform/TrayHost.h"
#include "platform/WindowActivator.h"

#include <functional>
#include <memory>

// Everything Orvane needs of the system it runs on, chosen in one place. An unset tray host
// or log-on entry is one that does nothing; an unset session end is never watched.
struct Platform {
    std::unique_ptr<HotkeyBackend> hotkeys;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<MixerDriver> mixer;
    std::unique_ptr<WindowActivator> activator;
    std::unique_ptr<TrayHost> tray;
    std::unique_ptr<LogonEntry> logonEntry;
    // Made only once this process is the instance that runs: until then an end signal keeps
    // its default action, so a start that hands over to the running instance, or that fails
    // with a message on screen, still ends at once when told to.
    std::function<std::unique_ptr<SessionEnd>()> sessionEnd;
    // Unset: no notifications; what Orvane would say in one goes to the tray.
    std::unique_ptr<Notifier> notifier;
    // The installed applications, for choosing a target; unset offers none.
    std::unique_ptr<AppCatalog> applications;
};

// The backends of the session Orvane runs in; needs the application object.
Platform CreatePlatform();
