// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowActivator.h"
#include "platform/qt/QtWindowActivator.h"
#include "platform/x11/X11WindowActivator.h"

#include <QGuiApplication>

// Event times and the EWMH activation request exist only with Qt on X (xcb, XWayland
// included); elsewhere the window system's own activation is all there is.
std::unique_ptr<WindowActivator> CreateWindowActivator() {
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return std::make_unique<X11WindowActivator>();
    return std::make_unique<QtWindowActivator>();
}
