// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtTrayHost.h"

#include "platform/sni/StatusNotifierItem.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
} // namespace

QtTrayHost::QtTrayHost() = default;

QtTrayHost::~QtTrayHost() {
    remove();
}

void QtTrayHost::setUp() {
    // At the first add, after the hotkeys: no bus connection and no tray query before them.
    if (m_setUp)
        return;
    m_setUp = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        auto* watcher = new QDBusServiceWatcher(kWatcherService, bus,
                                                QDBusServiceWatcher::WatchForRegistration |
                                                    QDBusServiceWatcher::WatchForUnregistration,
                                                this);
        connect(watcher, &QDBusServiceWatcher::serviceRegistered, this,
                &QtTrayHost::watcherChanged);
        connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
            if (m_item && m_panel) {
                m_panel = false;
                emit availableChanged(false);
            }
        });
        bus.connect(kWatcherService, kWatcherPath, kWatcherService,
                    QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(watcherChanged()));
    }
    // Qt settles on the kind of its tray icons once per process, at the first one: with no
    // panel on the bus yet it is XEmbed for good. So Qt's icon serves only XEmbed trays, and
    // a panel on the bus, now or later, gets Orvane's own item. The bus itself always
    // answers; the watcher is asked without waiting.
    if (bus.isConnected() && bus.interface()->isServiceRegistered(kWatcherService))
        askWatcher();
    else
        createIcon();
}

void QtTrayHost::askWatcher() {
    if (m_asking) {
        m_askAgain = true;
        return;
    }
    m_asking = true;
    m_askAgain = false;
    // A watcher without a host (a panel still starting, or none that draws) shows nothing.
    QDBusMessage get = QDBusMessage::createMethodCall(
        kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    // A hung panel holds nothing up: Qt's icon comes once it has not answered in this time.
    constexpr int kAnswerMs = 10000;
    auto* call =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(get, kAnswerMs), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        m_asking = false;
        const QDBusPendingReply<QDBusVariant> reply = *w;
        const bool host = !reply.isError() && reply.value().variant().toBool();
        if (!host && m_askAgain)
            return askWatcher();
        watcherAnswered(host);
    });
}

void QtTrayHost::watcherAnswered(bool host) {
    if (m_item)
        return;
    if (host) {
        useStatusNotifier();
        if (!m_panel) {
            m_panel = true;
            emit availableChanged(true);
        }
        return;
    }
    if (m_icon)
        return;
    createIcon();
    if (m_shown) {
        // Shown even without a tray: Qt puts a shown icon into an XEmbed tray that comes later.
        m_icon->show();
        if (available())
            emit availableChanged(true);
    }
}

void QtTrayHost::watcherChanged() {
    if (!m_item)
        return askWatcher();
    // A panel that restarted: the item it knew is gone from its list.
    m_item->registerWithWatcher();
    if (!m_panel) {
        m_panel = true;
        emit availableChanged(true);
    }
}

void QtTrayHost::click(Button button) {
    emit pressed(button);
    emit released(button);
}

void QtTrayHost::createIcon() {
    m_icon = new QSystemTrayIcon(m_image, this);
    m_icon->setToolTip(m_tip);
    if (m_menu)
        m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                switch (reason) {
                case QSystemTrayIcon::Trigger: click(Button::Left); break;
                case QSystemTrayIcon::Context: click(Button::Right); break;
                case QSystemTrayIcon::MiddleClick: click(Button::Middle); break;
                case QSystemTrayIcon::DoubleClick: emit doubleClicked(); break;
                case QSystemTrayIcon::Unknown: break;
                }
            });
    connect(m_icon, &QSystemTrayIcon::messageClicked, this, &TrayHost::messageClicked);
}

void QtTrayHost::useStatusNotifier() {
    if (m_icon) {
        // Out of the XEmbed tray, so that the desktop shows one icon.
        m_icon->hide();
        delete m_icon;
        m_icon = nullptr;
    }
    m_item = new StatusNotifierItem(QDBusConnection::sessionBus(), this);
    m_item->setMenu(m_menu);
    updateItem();
    // The panel's activation is the icon's click; its secondary activation the middle button.
    connect(m_item, &StatusNotifierItem::activated, this, [this] { click(Button::Left); });
    connect(m_item, &StatusNotifierItem::secondaryActivated, this,
            [this] { click(Button::Middle); });
    // A panel that does not draw the menu itself asks for it: the right button's menu.
    connect(m_item, &StatusNotifierItem::contextMenuRequested, this, [this](QPoint at) {
        click(Button::Right);
        if (m_menu)
            m_menu->popup(at);
    });
    if (m_shown)
        m_item->show();
}

bool QtTrayHost::available() const {
    if (m_item)
        return m_panel;
    return m_icon ? QSystemTrayIcon::isSystemTrayAvailable() : false;
}

void QtTrayHost::updateItem() {
    m_item->setIcon(m_image);
    m_item->setToolTip(m_tip);
}

bool QtTrayHost::showMessage(const QString& title, const QString& text) {
    if (!m_icon || !m_icon->isVisible() || !QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    m_icon->showMessage(title, text);
    return true;
}

bool QtTrayHost::add(const QIcon& icon, const QString& tip) {
    m_image = icon;
    m_tip = tip;
    setUp();
    m_shown = true;
    if (m_item) {
        updateItem();
        return m_item->show() && m_panel;
    }
    if (!m_icon)
        return false; // the watcher's answer brings the item or the icon, shown
    m_icon->setIcon(icon);
    m_icon->setToolTip(tip);
    // Shown even without a tray: Qt puts a shown icon into an XEmbed tray that comes later.
    m_icon->show();
    return available();
}

bool QtTrayHost::modify(const QIcon& icon, const QString& tip) {
    if (!m_shown)
        return false;
    m_image = icon;
    m_tip = tip;
    if (m_item) {
        updateItem();
        return m_item->isShown() && m_panel;
    }
    if (!m_icon)
        return false;
    if (m_icon->icon().cacheKey() != icon.cacheKey())
        m_icon->setIcon(icon);
    if (m_icon->toolTip() != tip)
        m_icon->setToolTip(tip);
    return available();
}

bool QtTrayHost::remove() {
    if (!m_shown)
        return false;
    m_shown = false;
    if (m_item)
        m_item->hide();
    else if (m_icon)
        m_icon->hide();
    return true;
}

void QtTrayHost::setMenu(QMenu* menu) {
    m_menu = menu;
    if (m_item)
        m_item->setMenu(menu);
    if (m_icon)
        m_icon->setContextMenu(menu);
}

std::unique_ptr<TrayHost> CreateTrayHost() {
    return std::make_unique<QtTrayHost>();
}
