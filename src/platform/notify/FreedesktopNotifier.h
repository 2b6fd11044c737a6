// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QHash>
#include <QObject>
#include <functional>
#include <optional>

// Notifications through org.freedesktop.Notifications on the session bus. The action is the
// notification's "default" one (a click on it, or its button where the server draws one).
class FreedesktopNotifier : public QObject, public Notifier {
    Q_OBJECT
public:
    // The bus is connected at the first notification: a start that tells nothing makes no
    // bus connection before its hotkeys work.
    explicit FreedesktopNotifier(std::function<QDBusConnection()> connectBus,
                                 QObject* parent = nullptr);

    void notify(const QString& summary, const QString& body, const QString& actionLabel,
                std::function<void()> onAction, std::function<void()> unavailable) override;

private slots:
    void ActionInvoked(uint id, const QString& actionKey);
    void NotificationClosed(uint id, uint reason);

private:
    // Calls the server in the background; failed runs when it does not answer.
    void ask(const QDBusMessage& call, std::function<void(const QDBusMessage&)> answered,
             std::function<void()> failed);

    QDBusConnection& bus();

    std::function<QDBusConnection()> m_connectBus;
    std::optional<QDBusConnection> m_bus;
    // The actions of the notifications on screen, by the server's id.
    QHash<uint, std::function<void()>> m_actions;
};
