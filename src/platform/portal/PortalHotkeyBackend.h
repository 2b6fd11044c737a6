// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HotkeyBackend.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QSet>
#include <QTimer>
#include <QVariantMap>
#include <map>

class QDBusArgument;
class QDBusMessage;
class QDBusPendingCallWatcher;

// One shortcut as the portal passes it: its id and its properties (a(sa{sv})).
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};
QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);

// Global hotkeys through the desktop's GlobalShortcuts portal, for Wayland sessions where no
// program may grab keys. The desktop decides which key a shortcut gets, and answers later:
// every registration answers Pending at once (NoService once the portal is known to be
// missing), and the desktop's answer for each entry follows as registrationChanged. Nothing
// waits for the portal: whether it offers the service is asked in the background too. Registrations
// made together (the start-up pass, a burst of Apply) go to the desktop as one session; every
// change builds the session anew, since a session cannot drop a shortcut it holds.
class PortalHotkeyBackend : public HotkeyBackend {
    Q_OBJECT
public:
    // The application id the desktop keeps the bindings under; a desktop file of that name
    // is installed with Orvane.
    static const QString AppId;

    explicit PortalHotkeyBackend(const QDBusConnection& bus);
    ~PortalHotkeyBackend() override;

    RegisterResult registerHotKey(int id, unsigned modifierBits, int virtualKey) override;
    void unregisterHotKey(int id) override;

private slots:
    void onResponse(const QDBusMessage& message);
    void onActivated(const QDBusMessage& message);
    void onDeactivated(const QDBusMessage& message);
    void onShortcutsChanged(const QDBusMessage& message);
    void onSessionClosed(const QDBusMessage& message);

private:
    struct Shortcut {
        QString name;    // the shortcut id the desktop knows it by
        QString trigger; // the key Orvane asks for
        RegisterResult outcome = RegisterResult::Pending;
        QString keyText; // what the desktop says it assigned
    };
    enum class Step { Idle, Creating, Binding };
    enum class Service { Unknown, Offered, Missing };

    void probe();
    void probeAnswered(unsigned probe, bool offered);
    void scheduleSession();
    void buildSession();
    void closeSession();
    void call(const QString& method, const QList<QVariant>& arguments, Step step);
    void callReplied(QDBusPendingCallWatcher* watcher, const QString& request);
    void sessionCreated(uint code, const QVariantMap& results);
    void shortcutsBound(uint code, const QVariantMap& results);
    void stepDone();
    void sessionFailed();
    void applyAnswer(const QList<PortalShortcut>& answer, bool missingHasNoKey);
    void report(int id, RegisterResult result, const QString& keyText = {});
    void reportAll(RegisterResult result);
    void ownerChanged(const QString& newOwner);
    bool isOurSession(const QVariant& handle) const;
    int idOfShortcut(const QString& name) const;
    QList<PortalShortcut> shortcutList() const;
    QString senderPart() const;
    QString nextToken();

    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
    QTimer m_sessionTimer;
    static constexpr int kFirstRetryMs = 2000;
    static constexpr int kLastRetryMs = 60000;
    QTimer m_retryTimer; // a failed session is asked for again, ever less often
    int m_retryMs = kFirstRetryMs;
    Service m_service = Service::Unknown;
    unsigned m_probes = 0; // the answer of an older probe is stale
    std::map<int, Shortcut> m_shortcuts;
    QSet<int> m_held; // ids activated and not yet deactivated
    QString m_session;
    QString m_request; // the request object whose Response is awaited
    Step m_step = Step::Idle;
    bool m_changedMeanwhile = false;
    unsigned m_tokens = 0;
};
