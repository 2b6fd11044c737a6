#include "HotkeyBackend.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

// Off X (here Qt's offscreen platform, as under Wayland without XWayland) nothing can be
// grabbed: the backend must say so rather than refuse each combination as taken.
TEST(HotkeyBackendFactory, OffXEveryRegistrationAnswersNoDisplay) {
    ASSERT_NE(QGuiApplication::platformName(), "xcb");
    const std::unique_ptr<HotkeyBackend> backend = CreateHotkeyBackend();
    EXPECT_EQ(backend->registerHotKey(1, 3, 'K'), RegisterResult::NoDisplay);
    backend->unregisterHotKey(1);
}
