// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>

// Pictures written for review under the build tree (ORVANE_SCREENSHOT_DIR).
inline QString ScreenshotPath(const char* name) {
    const QString dir = QStringLiteral(ORVANE_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + QLatin1String(name);
}

// A window as the screen shows it: its outline cut, the rest in the desktop's colour.
inline QImage WindowLook(QWidget* window, const QColor& desktop = QColor(90, 90, 90)) {
    QImage shot(window->size(), QImage::Format_RGB32);
    shot.fill(desktop);
    QPainter p(&shot);
    p.setClipRegion(window->mask().isEmpty() ? QRegion(window->rect()) : window->mask());
    p.drawPixmap(0, 0, window->grab());
    return shot;
}
