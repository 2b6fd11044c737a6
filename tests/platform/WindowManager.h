// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>

// A window manager of the test's own on $DISPLAY (metacity: it prevents focus stealing),
// running from start() until the object goes.
class WindowManager {
public:
    WindowManager() = default;
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // Starts it and waits until it has announced itself on the root window
    // (_NET_SUPPORTING_WM_CHECK); false when it did not within timeoutMs.
    bool start(int timeoutMs = 20000);

private:
    QProcess m_process;
};
