// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

// Pictures written for review under the build tree (ORVANE_SCREENSHOT_DIR). On a scaled
// screen (QT_SCALE_FACTOR=2) the same writer names them name@2x.png.
inline QString ScreenshotPath(const char* name) {
    const QString dir = QStringLiteral(ORVANE_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    QString file = QLatin1String(name);
    const qreal scale = qGuiApp->devicePixelRatio();
    if (scale > 1 && file.endsWith(QLatin1String(".png")))
        file.insert(file.size() - 4, QStringLiteral("@%1x").arg(scale));
    return dir + QLatin1Char('/') + file;
}

// A window as the screen shows it, at the screen's pixel density: its outline cut, the rest in
// the desktop's colour.
inline QImage WindowLook(QWidget* window, const QColor& desktop = QColor(90, 90, 90)) {
    const qreal scale = window->devicePixelRatioF();
    QImage shot(window->size() * scale,
                desktop.alpha() < 255 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    shot.setDevicePixelRatio(scale);
    shot.fill(desktop);
    QPainter p(&shot);
    p.setClipRegion(window->mask().isEmpty() ? QRegion(window->rect()) : window->mask());
    p.drawPixmap(0, 0, window->grab());
    return shot;
}
