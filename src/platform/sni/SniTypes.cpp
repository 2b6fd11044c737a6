// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sni/SniTypes.h"

#include "platform/dbus/DBusStructure.h"

#include <QDBusMetaType>
#include <QIcon>
#include <QImage>
#include <QtEndian>

namespace {
// The icon's picture of exactly `size` pixels, one device pixel a pixel (the panel scales for
// its own screen). A picture made for a double-density screen (a "@2x" file) counts at its
// pixel size, which Qt gives only when asked for half the size at twice the density.
QImage picture(const QIcon& icon, QSize size) {
    QImage image = icon.pixmap(size, 1.0).toImage();
    if (image.size() != size) {
        const QImage dense = icon.pixmap(size / 2, 2.0).toImage();
        if (dense.size() == size)
            image = dense;
    }
    if (!image.isNull() && image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image.convertToFormat(QImage::Format_ARGB32);
}
} // namespace

SniPixmapList SniPixmaps(const QIcon& icon) {
    SniPixmapList pixmaps;
    if (icon.isNull())
        return pixmaps;
    QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty()) // a drawing without sizes of its own: the sizes panels use most
        sizes = {QSize(16, 16), QSize(32, 32), QSize(64, 64)};
    for (const QSize& size : sizes) {
        const QImage image = picture(icon, size);
        if (image.isNull())
            continue;
        SniPixmap pixmap{image.width(), image.height(), QByteArray()};
        pixmap.bytes.resize(qsizetype(image.width()) * image.height() * 4);
        uchar* out = reinterpret_cast<uchar*>(pixmap.bytes.data());
        for (int y = 0; y < image.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x, out += 4)
                qToBigEndian<quint32>(line[x], out);
        }
        pixmaps.append(pixmap);
    }
    return pixmaps;
}

QDBusArgument& operator<<(QDBusArgument& arg, const SniPixmap& pixmap) {
    return WriteStructure(arg, pixmap.width, pixmap.height, pixmap.bytes);
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SniPixmap& pixmap) {
    return ReadStructure(arg, pixmap.width, pixmap.height, pixmap.bytes);
}

QDBusArgument& operator<<(QDBusArgument& arg, const SniToolTip& tip) {
    return WriteStructure(arg, tip.iconName, tip.pixmaps, tip.title, tip.text);
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SniToolTip& tip) {
    return ReadStructure(arg, tip.iconName, tip.pixmaps, tip.title, tip.text);
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuLayoutItem& item) {
    arg.beginStructure();
    arg << item.id << item.properties;
    // The entries under it, each a variant that holds the same structure.
    arg.beginArray(QMetaType::fromType<QDBusVariant>());
    for (const DBusMenuLayoutItem& child : item.children)
        arg << QDBusVariant(QVariant::fromValue(child));
    arg.endArray();
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuLayoutItem& item) {
    arg.beginStructure();
    arg >> item.id >> item.properties;
    item.children.clear();
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant child;
        arg >> child;
        DBusMenuLayoutItem entry;
        child.variant().value<QDBusArgument>() >> entry;
        item.children.append(entry);
    }
    arg.endArray();
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItemProperties& item) {
    return WriteStructure(arg, item.id, item.properties);
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItemProperties& item) {
    return ReadStructure(arg, item.id, item.properties);
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuEvent& event) {
    return WriteStructure(arg, event.id, event.eventId, event.data, event.timestamp);
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuEvent& event) {
    return ReadStructure(arg, event.id, event.eventId, event.data, event.timestamp);
}

void RegisterSniTypes() {
    qDBusRegisterMetaType<SniPixmap>();
    qDBusRegisterMetaType<SniPixmapList>();
    qDBusRegisterMetaType<SniToolTip>();
    qDBusRegisterMetaType<DBusMenuLayoutItem>();
    qDBusRegisterMetaType<DBusMenuItemProperties>();
    qDBusRegisterMetaType<DBusMenuItemPropertiesList>();
    qDBusRegisterMetaType<DBusMenuEvent>();
    qDBusRegisterMetaType<QList<DBusMenuEvent>>();
}
