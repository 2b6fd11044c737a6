// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/TrayMenu.h"

TrayMenu::TrayMenu()
    : Show1(addAction(QStringLiteral("Show"))),
      Pausehotkeys1(addAction(QStringLiteral("Pause hotkeys"))),
      Exit3(addAction(QStringLiteral("Exit"))) {
    setObjectName(QStringLiteral("PopupMenuTray"));
    Show1->setObjectName(QStringLiteral("Show1"));
    Pausehotkeys1->setObjectName(QStringLiteral("Pausehotkeys1"));
    Pausehotkeys1->setCheckable(true);
    Exit3->setObjectName(QStringLiteral("Exit3"));
    setDefaultAction(Show1);
}

QList<QIcon> ImageListTray() {
    QList<QIcon> frames;
    for (int i = 0; i < 8; ++i) {
        // Loaded when first drawn, then kept: the animation only swaps finished pictures.
        QIcon frame;
        frame.addFile(QStringLiteral(":/tray/%1-16.png").arg(i), QSize(16, 16));
        frame.addFile(QStringLiteral(":/tray/%1.png").arg(i), QSize(32, 32));
        frame.addFile(QStringLiteral(":/tray/%1@2x.png").arg(i), QSize(64, 64));
        frames.append(frame);
    }
    return frames;
}

QIcon PausedTrayIcon() {
    const QIcon still = ImageListTray().at(4);
    QIcon grey;
    for (const int size : {16, 32, 64})
        grey.addPixmap(still.pixmap(QSize(size, size), 1.0, QIcon::Disabled));
    return grey;
}
