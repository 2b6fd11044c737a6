// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/notify/FreedesktopNotifier.h"

#include "core/Logging.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");
} // namespace

FreedesktopNotifier::FreedesktopNotifier(std::function<QDBusConnection()> connectBus,
                                         QObject* parent)
    : QObject(parent), m_connectBus(std::move(connectBus)) {}

QDBusConnection& FreedesktopNotifier::bus() {
    if (!m_bus) {
        m_bus = m_connectBus();
        // Subscribed before any Notify, so that no click can come before its match rule.
        m_bus->connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                       SLOT(ActionInvoked(uint, QString)));
        m_bus->connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                       SLOT(NotificationClosed(uint, uint)));
    }
    return *m_bus;
}

void FreedesktopNotifier::notify(const QString& summary, const QString& body,
                                 const QString& actionLabel, std::function<void()> onAction,
                                 std::function<void()> unavailable) {
    // The server says first whether it reads markup: a target's "&" or "<" must then be
    // escaped, and must not be where it does not.
    ask(
        QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                       QStringLiteral("GetCapabilities")),
        [=, this](const QDBusMessage& capabilities) {
            const bool markup = capabilities.arguments().value(0).toStringList().contains(
                QStringLiteral("body-markup"));
            QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                               QStringLiteral("Notify"));
            QVariantMap hints;
            hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.orvane.Orvane"));
            call << QStringLiteral("Orvane") << uint(0) << QStringLiteral("org.orvane.Orvane")
                 << summary << (markup ? body.toHtmlEscaped() : body)
                 << QStringList{kDefaultAction, actionLabel} << hints << -1;
            ask(
                call,
                [this, onAction](const QDBusMessage& reply) {
                    m_actions.insert(reply.arguments().value(0).toUInt(), onAction);
                },
                unavailable);
        },
        unavailable);
}

void FreedesktopNotifier::ask(const QDBusMessage& call,
                              std::function<void(const QDBusMessage&)> answered,
                              std::function<void()> failed) {
    // Asked in the background: a server started on demand must not hold the start-up.
    auto* watcher = new QDBusPendingCallWatcher(bus().asyncCall(call), this);
    connect(
        watcher, &QDBusPendingCallWatcher::finished, this,
        [answered = std::move(answered), failed = std::move(failed)](QDBusPendingCallWatcher* w) {
            w->deleteLater();
            if (w->isError()) {
                qCInfo(lcLife).noquote() << "no notification service:" << w->error().message();
                if (failed)
                    failed();
                return;
            }
            answered(w->reply());
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
    return std::make_unique<FreedesktopNotifier>([] { return QDBusConnection::sessionBus(); });
}
