// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HotkeyBackend.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

// Off X (here Qt's offscreen platform, as under Wayland without XWayland) nothing can be
// grabbed: the backend must say so rather than refuse each combination as taken.
TEST(HotkeyBackendFactory, OffXEveryRegistrationAnswersNoDisplay) {
    ASSERT_NE(QGuiApplication::platformName(), "xcb");
    qunsetenv("XDG_SESSION_TYPE");
    qunsetenv("WAYLAND_DISPLAY");
    const std::unique_ptr<HotkeyBackend> backend = CreateHotkeyBackend();
    EXPECT_EQ(backend->registerHotKey(1, 3, 'K'), RegisterResult::NoDisplay);
    backend->unregisterHotKey(1);
}

// A Wayland session whose bus offers no shortcut service (here: no bus at all) says that,
// so that the user is told what to do instead.
TEST(HotkeyBackendFactory, AWaylandSessionWithoutAShortcutServiceAnswersNoService) {
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/orvane-test-bus");
    const std::unique_ptr<HotkeyBackend> backend = CreateHotkeyBackend();
    EXPECT_EQ(backend->registerHotKey(1, 3, 'K'), RegisterResult::NoService);
}
