// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/HotkeyIconList.h"

#include <QPixmap>
#include <QString>

namespace {

// One icon from a picture and its "@2x" twin. The twin's name gives it a device pixel ratio
// of 2, so the icon serves it wherever 32 logical pixels are drawn on a 2x screen. Both are
// added explicitly: QIcon's own look-up of the twin only happens when the application's
// ratio is already above 1 at load time, which misses a window moved to a 2x screen later.
QIcon loadWithTwin(const QString& base) {
    QIcon icon;
    for (const QString& name : {base + QStringLiteral(".png"), base + QStringLiteral("@2x.png")}) {
        QPixmap picture;
        if (picture.load(name))
            icon.addPixmap(picture);
    }
    return icon;
}

} // namespace

QIcon HotkeyIconList::icon(int index) const {
    if (index < 0 || index >= Count)
        return {};
    QIcon& cached = m_icons[static_cast<size_t>(index)];
    if (cached.isNull())
        cached = loadWithTwin(QStringLiteral(":/hotkeys/%1").arg(index, 2, 10, QLatin1Char('0')));
    return cached;
}

QIcon AppIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/images/orvane-%1.png").arg(size), QSize(size, size));
    return icon;
}
