// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sni/StatusNotifierItem.h"

#include "platform/sni/DBusMenuExporter.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QGuiApplication>

namespace {
const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");
const QString kMenuPath = QStringLiteral("/MenuBar");
constexpr QDBusConnection::RegisterOptions kExport = QDBusConnection::ExportScriptableContents;
} // namespace

StatusNotifierItem::StatusNotifierItem(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus), m_menu(new DBusMenuExporter(this)),
      // The protocol's name for an item: the process and the item's number in it (Qt's own
      // tray items count from 1).
      m_service(QStringLiteral("org.kde.StatusNotifierItem-%1-0")
                    .arg(QCoreApplication::applicationPid())) {
    RegisterSniTypes();
}

StatusNotifierItem::~StatusNotifierItem() {
    hide();
}

bool StatusNotifierItem::show() {
    if (!m_shown) {
        if (!m_bus.registerObject(kItemPath, this, kExport) ||
            !m_bus.registerObject(kMenuPath, m_menu, kExport) ||
            !m_bus.registerService(m_service)) {
            m_bus.unregisterObject(kMenuPath);
            m_bus.unregisterObject(kItemPath);
            return false;
        }
        m_shown = true;
    }
    registerWithWatcher();
    return true;
}

void StatusNotifierItem::hide() {
    if (!m_shown)
        return;
    m_bus.unregisterService(m_service);
    m_bus.unregisterObject(kMenuPath);
    m_bus.unregisterObject(kItemPath);
    m_shown = false;
}

void StatusNotifierItem::registerWithWatcher() {
    if (!m_shown)
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        kWatcher, kWatcherPath, kWatcher, QStringLiteral("RegisterStatusNotifierItem"));
    call << m_service;
    // Not awaited: a panel that does not answer must not stop Orvane.
    m_bus.send(call);
}

void StatusNotifierItem::setIcon(const QIcon& icon) {
    if (icon.cacheKey() == m_iconKey)
        return;
    m_iconKey = icon.cacheKey();
    m_pixmaps = SniPixmaps(icon);
    emit NewIcon();
}

void StatusNotifierItem::setToolTip(const QString& tip) {
    if (tip == m_tip)
        return;
    m_tip = tip;
    emit NewToolTip();
}

void StatusNotifierItem::setMenu(QMenu* menu) {
    m_menu->setMenu(menu);
}

QString StatusNotifierItem::Id() const {
    return QCoreApplication::applicationName();
}

QString StatusNotifierItem::Title() const {
    return QGuiApplication::applicationDisplayName();
}

QDBusObjectPath StatusNotifierItem::Menu() const {
    return QDBusObjectPath(kMenuPath);
}

SniToolTip StatusNotifierItem::ToolTip() const {
    return {QString(), {}, m_tip, QString()};
}

void StatusNotifierItem::ContextMenu(int x, int y) {
    emit contextMenuRequested(QPoint(x, y));
}

void StatusNotifierItem::Activate(int x, int y) {
    emit activated(QPoint(x, y));
}

void StatusNotifierItem::SecondaryActivate(int x, int y) {
    emit secondaryActivated(QPoint(x, y));
}

void StatusNotifierItem::Scroll(int delta, const QString& orientation) {
    // The icon has no wheel action.
    Q_UNUSED(delta);
    Q_UNUSED(orientation);
}
