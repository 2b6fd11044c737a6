// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NullHotkeyBackend.h"
#include "platform/portal/PortalHotkeyBackend.h"
#include "platform/x11/X11HotkeyBackend.h"

#include <QGuiApplication>

// In a Wayland session no program may grab keys, and grabs under XWayland only see keys
// while an X window has the focus: there the desktop's shortcut service is the only way.
// X key grabs need Qt on X; anywhere else nothing can be registered, and the entries must
// keep their state rather than be unchecked one by one.
std::unique_ptr<HotkeyBackend> CreateHotkeyBackend() {
    const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
                         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (wayland) {
        // Whether the desktop offers the service is asked in the background: the start-up
        // does not wait for a portal that is slow or never answers.
        const QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected())
            return std::make_unique<PortalHotkeyBackend>(bus);
        return std::make_unique<NullHotkeyBackend>(RegisterResult::NoService);
    }
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return std::make_unique<X11HotkeyBackend>();
    return std::make_unique<NullHotkeyBackend>();
}
