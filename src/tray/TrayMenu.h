// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QList>
#include <QMenu>

// The tray icon's menu: "Show", the default item drawn bold, the check item "Pause hotkeys",
// and "Exit".
class TrayMenu : public QMenu {
    Q_OBJECT
public:
    TrayMenu();
    QAction* const Show1;
    QAction* const Pausehotkeys1;
    QAction* const Exit3;
};

// The eight animation frames of the tray icon, each at 16, 32 and 64 pixels; frame 0 is the
// application's icon, frame 4 the still one.
QList<QIcon> ImageListTray();

// The tray icon while the hotkeys are paused: the still frame, greyed.
QIcon PausedTrayIcon();
