#include "QtTrayHost.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {
const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
} // namespace

QtTrayHost::QtTrayHost() = default;

void QtTrayHost::setUp() {
    // At the first add, after the hotkeys: no bus connection and no tray query before them.
    if (m_icon)
        return;
    createIcon();
    m_available = QSystemTrayIcon::isSystemTrayAvailable();
    // An XEmbed tray that comes later takes the shown icon through Qt itself.
    // A StatusNotifierItem host that registers later: Qt picks the kind of tray when the icon
    // is made, so a new icon is made for it.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        m_watcher = new QDBusServiceWatcher(kWatcherService, bus,
                                            QDBusServiceWatcher::WatchForRegistration, this);
        connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
            // Give the host a moment's turn to register itself with the watcher.
            QMetaObject::invokeMethod(this, &QtTrayHost::trayChanged, Qt::QueuedConnection);
        });
    }
}

QtTrayHost::~QtTrayHost() {
    remove();
}

void QtTrayHost::createIcon() {
    QIcon icon;
    QString tip;
    if (m_icon) {
        icon = m_icon->icon();
        tip = m_icon->toolTip();
        m_icon->hide();
        delete m_icon;
    }
    m_icon = new QSystemTrayIcon(icon, this);
    m_icon->setToolTip(tip);
    if (m_menu)
        m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                switch (reason) {
                case QSystemTrayIcon::Trigger:
                    emit pressed(Button::Left);
                    emit released(Button::Left);
                    break;
                case QSystemTrayIcon::Context:
                    emit pressed(Button::Right);
                    emit released(Button::Right);
                    break;
                case QSystemTrayIcon::MiddleClick:
                    emit pressed(Button::Middle);
                    emit released(Button::Middle);
                    break;
                case QSystemTrayIcon::DoubleClick: emit doubleClicked(); break;
                case QSystemTrayIcon::Unknown: break;
                }
            });
}

void QtTrayHost::trayChanged() {
    if (m_shown)
        createIcon();
    const bool now = QSystemTrayIcon::isSystemTrayAvailable();
    if (m_shown)
        m_icon->show();
    if (now != m_available) {
        m_available = now;
        emit availableChanged(now);
    }
}

bool QtTrayHost::available() const {
    return m_icon ? QSystemTrayIcon::isSystemTrayAvailable() : false;
}

bool QtTrayHost::add(const QIcon& icon, const QString& tip) {
    setUp();
    m_icon->setIcon(icon);
    m_icon->setToolTip(tip);
    // Shown even without a tray: Qt puts a shown icon into an XEmbed tray that comes later.
    m_icon->show();
    m_shown = true;
    return available();
}

bool QtTrayHost::modify(const QIcon& icon, const QString& tip) {
    if (!m_shown || !m_icon)
        return false;
    if (m_icon->icon().cacheKey() != icon.cacheKey())
        m_icon->setIcon(icon);
    if (m_icon->toolTip() != tip)
        m_icon->setToolTip(tip);
    return available();
}

bool QtTrayHost::remove() {
    if (!m_shown || !m_icon)
        return false;
    m_icon->hide();
    m_shown = false;
    return true;
}

void QtTrayHost::setMenu(QMenu* menu) {
    m_menu = menu;
    if (m_icon)
        m_icon->setContextMenu(menu);
}

std::unique_ptr<TrayHost> CreateTrayHost() {
    return std::make_unique<QtTrayHost>();
}
