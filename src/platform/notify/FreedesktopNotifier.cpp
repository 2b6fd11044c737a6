// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/notify/FreedesktopNotifier.h"

#include "core/Logging.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");
} // namespace

FreedesktopNotifier::FreedesktopNotifier(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus) {
    // Connected before any Notify: an answer can never overtake its signal's match rule.
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(ActionInvoked(uint, QString)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                  SLOT(NotificationClosed(uint, uint)));
}

void FreedesktopNotifier::notify(const QString& summary, const QString& body,
                                 const QString& actionLabel, std::function<void()> onAction,
                                 std::function<void()> unavailable) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.orvane.Orvane"));
    call << QStringLiteral("Orvane") << uint(0) << QStringLiteral("org.orvane.Orvane") << summary
         << body << QStringList{kDefaultAction, actionLabel} << hints << -1;
    // Asked in the background: a server started on demand must not hold the start-up.
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, action = std::move(onAction),
             fallback = std::move(unavailable)](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<uint> reply = *w;
                if (reply.isError()) {
                    qCInfo(lcLife).noquote()
                        << "no notification service:" << reply.error().message();
                    if (fallback)
                        fallback();
                    return;
                }
                m_actions.insert(reply.value(), action);
            });
}

void FreedesktopNotifier::ActionInvoked(uint id, const QString& actionKey) {
    const auto it = m_actions.constFind(id);
    if (it == m_actions.cend() || actionKey != kDefaultAction)
        return;
    const std::function<void()> action = *it;
    if (action)
        action();
}

void FreedesktopNotifier::NotificationClosed(uint id, uint) {
    m_actions.remove(id);
}

std::unique_ptr<Notifier> CreateNotifier() {
    return std::make_unique<FreedesktopNotifier>(QDBusConnection::sessionBus());
}
