// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowActivator.h"
#include "platform/qt/QtWindowActivator.h"

#include <QGuiApplication>
#include <QWidget>
#include <gtest/gtest.h>

// Off X (here Qt's offscreen platform, as under Wayland without XWayland) there are no X
// event times: the activator is Qt's own, and it still shows and restores the window.
TEST(WindowActivatorFactory, OffXTheWindowIsShownAndRestoredAsQtDoesIt) {
    ASSERT_NE(QGuiApplication::platformName(), "xcb");
    const std::unique_ptr<WindowActivator> activator = CreateWindowActivator();
    ASSERT_NE(dynamic_cast<QtWindowActivator*>(activator.get()), nullptr);
    activator->Activate(nullptr, 0);

    const struct {
        const char* name;
        bool visible;
        bool minimised;
    } rows[] = {{"hidden", false, false}, {"minimised", true, true}, {"both", false, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget window;
        QWidget child(&window);
        if (row.minimised)
            window.setWindowState(Qt::WindowMinimized);
        window.setVisible(row.visible);
        ASSERT_EQ(window.isMinimized(), row.minimised);
        // Asked for through any widget of the window.
        activator->Activate(&child, 1234);
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.isMinimized());
    }
}
