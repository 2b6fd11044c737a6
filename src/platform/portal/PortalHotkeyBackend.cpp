// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/portal/PortalHotkeyBackend.h"

#include "core/Logging.h"

#include "core/HotkeyStatus.h"
#include "platform/dbus/DBusStructure.h"
#include "platform/portal/PortalTrigger.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <algorithm>

Q_DECLARE_METATYPE(PortalShortcut)

namespace {
const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");
// Fixed, so that a desktop that keeps bindings per session token finds them at every start.
const QString kSessionToken = QStringLiteral("orvane");
const QLatin1String kShortcutsSignature("a(sa{sv})");

// A session or request path as an object path, or as the string older portals send; empty
// for anything else.
QString PathText(const QVariant& value) {
    if (value.userType() == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    if (value.userType() != QMetaType::QString || !value.toString().startsWith(QLatin1Char('/')))
        return {};
    return QDBusObjectPath(value.toString()).path();
}

// The shortcuts a portal sent, when they have the shape the portal promises; what does not
// fit is left out, as a portal that sent nothing.
QList<PortalShortcut> ShortcutsOf(const QVariant& value) {
    if (!value.isValid())
        return {};
    if (value.userType() != qMetaTypeId<QDBusArgument>() ||
        value.value<QDBusArgument>().currentSignature() != kShortcutsSignature) {
        qCWarning(lcPortal) << "ignoring shortcuts of an unknown form from the portal";
        return {};
    }
    return qdbus_cast<QList<PortalShortcut>>(value);
}
} // namespace

const QString PortalHotkeyBackend::AppId = QStringLiteral("org.orvane.Orvane");

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    return WriteStructure(argument, shortcut.id, shortcut.properties);
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    return ReadStructure(argument, shortcut.id, shortcut.properties);
}

PortalHotkeyBackend::PortalHotkeyBackend(const QDBusConnection& bus)
    : m_bus(bus), m_watcher(kService, bus, QDBusServiceWatcher::WatchForOwnerChange) {
    // Typed arguments cross D-Bus only once their types are registered.
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    qRegisterMetaType<QDBusObjectPath>();

    m_sessionTimer.setSingleShot(true);
    m_sessionTimer.setInterval(100); // gathers a start-up pass or a burst of Apply
    connect(&m_sessionTimer, &QTimer::timeout, this, &PortalHotkeyBackend::buildSession);
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, &PortalHotkeyBackend::buildSession);
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) { ownerChanged(owner); });

    // Signals are broadcast to every client: each handler keeps only its own session's.
    m_bus.connect(kService, {}, kRequest, QStringLiteral("Response"), this,
                  SLOT(onResponse(QDBusMessage)));
    m_bus.connect(kService, kPath, kShortcuts, QStringLiteral("Activated"), this,
                  SLOT(onActivated(QDBusMessage)));
    m_bus.connect(kService, kPath, kShortcuts, QStringLiteral("Deactivated"), this,
                  SLOT(onDeactivated(QDBusMessage)));
    m_bus.connect(kService, kPath, kShortcuts, QStringLiteral("ShortcutsChanged"), this,
                  SLOT(onShortcutsChanged(QDBusMessage)));
    m_bus.connect(kService, {}, kSession, QStringLiteral("Closed"), this,
                  SLOT(onSessionClosed(QDBusMessage)));
    probe();
}

PortalHotkeyBackend::~PortalHotkeyBackend() {
    closeSession();
}

RegisterResult PortalHotkeyBackend::registerHotKey(int id, unsigned modifierBits, int virtualKey) {
    const QString trigger = PortalTrigger::Text(modifierBits, virtualKey);
    if (trigger.isEmpty())
        return RegisterResult::KeyNotOnLayout;
    // The combination is part of the id: the desktop keeps a user's choice per id, so a new
    // combination must reach it as a new shortcut rather than as an ignored preference.
    m_shortcuts[id] = {QStringLiteral("hotkey-%1-%2").arg(id).arg(trigger), trigger, {}, {}};
    m_held.remove(id);
    if (m_service == Service::Missing) {
        m_shortcuts[id].outcome = RegisterResult::NoService;
        return RegisterResult::NoService; // kept, for a portal that comes later
    }
    scheduleSession();
    return RegisterResult::Pending;
}

void PortalHotkeyBackend::unregisterHotKey(int id) {
    m_held.remove(id);
    if (m_shortcuts.erase(id) > 0)
        scheduleSession();
}

void PortalHotkeyBackend::probe() {
    m_service = Service::Unknown;
    const unsigned current = ++m_probes;
    // Newer portals want the application id before any other call; portals before the
    // registry have no such interface, and the call then fails harmlessly.
    QDBusMessage registration = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.host.portal.Registry"),
        QStringLiteral("Register"));
    registration << AppId << QVariantMap();
    auto* registered = new QDBusPendingCallWatcher(m_bus.asyncCall(registration, 5000), this);
    connect(registered, &QDBusPendingCallWatcher::finished, this,
            [this, current](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                // The interface's version property exists only where a desktop backend
                // implements it.
                QDBusMessage get = QDBusMessage::createMethodCall(
                    kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                    QStringLiteral("Get"));
                get << kShortcuts << QStringLiteral("version");
                auto* asked = new QDBusPendingCallWatcher(m_bus.asyncCall(get), this);
                connect(asked, &QDBusPendingCallWatcher::finished, this,
                        [this, current](QDBusPendingCallWatcher* a) {
                            a->deleteLater();
                            probeAnswered(current, !a->isError());
                        });
            });
}

void PortalHotkeyBackend::probeAnswered(unsigned probe, bool offered) {
    if (probe != m_probes)
        return;
    m_service = offered ? Service::Offered : Service::Missing;
    qCInfo(lcPortal) << "global-shortcut service:" << (offered ? "offered" : "missing");
    if (offered)
        return buildSession();
    reportAll(RegisterResult::NoService);
    emit serviceMissing();
}

void PortalHotkeyBackend::scheduleSession() {
    if (!m_sessionTimer.isActive())
        m_sessionTimer.start();
}

void PortalHotkeyBackend::buildSession() {
    if (m_step != Step::Idle) {
        m_changedMeanwhile = true; // built again once the desktop has answered
        return;
    }
    m_changedMeanwhile = false;
    // This build carries every change gathered so far; built again, the session would be
    // closed under a press the desktop is already signalling.
    m_sessionTimer.stop();
    m_retryTimer.stop();
    closeSession();
    // Until the portal has said it offers the service, its answer builds the session.
    if (m_shortcuts.empty() || m_service != Service::Offered)
        return;
    // Desktops that bind what CreateSession carries answer with the bound shortcuts; the
    // others get BindShortcuts once the session exists.
    QVariantMap options{{QStringLiteral("session_handle_token"), kSessionToken},
                        {QStringLiteral("shortcuts"), QVariant::fromValue(shortcutList())}};
    call(QStringLiteral("CreateSession"), {options}, Step::Creating);
}

void PortalHotkeyBackend::closeSession() {
    m_held.clear();
    if (m_session.isEmpty())
        return;
    m_bus.asyncCall(
        QDBusMessage::createMethodCall(kService, m_session, kSession, QStringLiteral("Close")));
    m_session.clear();
}

void PortalHotkeyBackend::call(const QString& method, const QList<QVariant>& arguments, Step step) {
    // The request's path is known before the call, so that a Response that comes before
    // the reply is not missed.
    const QString token = nextToken();
    QList<QVariant> args = arguments;
    QVariantMap options = args.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    args.append(options);
    m_request = kPath + QStringLiteral("/request/") + senderPart() + QLatin1Char('/') + token;
    m_step = step;

    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kShortcuts, method);
    message.setArguments(args);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, request = m_request](QDBusPendingCallWatcher* w) { callReplied(w, request); });
}

void PortalHotkeyBackend::callReplied(QDBusPendingCallWatcher* watcher, const QString& request) {
    watcher->deleteLater();
    // The reply of a request given up since (the portal restarted) must not end the new one.
    if (m_step == Step::Idle || request != m_request)
        return;
    const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
    if (!reply.isError()) {
        m_request = reply.value().path();
        return;
    }
    qCWarning(lcPortal) << "the portal refused a call:" << reply.error().message();
    m_step = Step::Idle;
    m_request.clear();
    sessionFailed();
}

void PortalHotkeyBackend::onResponse(const QDBusMessage& message) {
    if (m_step == Step::Idle || message.path() != m_request)
        return;
    const Step step = m_step;
    m_step = Step::Idle;
    m_request.clear();
    if (message.signature() != QLatin1String("ua{sv}")) {
        qCWarning(lcPortal) << "the portal answered in an unknown form:" << message.signature();
        return sessionFailed();
    }
    const uint code = message.arguments().at(0).toUInt();
    const QVariantMap results = qdbus_cast<QVariantMap>(message.arguments().at(1));
    if (step == Step::Creating)
        sessionCreated(code, results);
    else
        shortcutsBound(code, results);
}

void PortalHotkeyBackend::sessionCreated(uint code, const QVariantMap& results) {
    m_session = PathText(results.value(QStringLiteral("session_handle")));
    if (code != 0 || m_session.isEmpty()) {
        qCWarning(lcPortal) << "the desktop gave no shortcut session, answer" << code;
        return sessionFailed();
    }
    m_retryMs = kFirstRetryMs;
    if (m_changedMeanwhile)
        return stepDone();
    const auto bound = ShortcutsOf(results.value(QStringLiteral("shortcuts")));
    bool all = true;
    for (const auto& [id, s] : m_shortcuts) {
        const QString& name = s.name;
        all = all && std::any_of(bound.begin(), bound.end(),
                                 [&name](const PortalShortcut& b) { return b.id == name; });
    }
    if (all) {
        applyAnswer(bound, true);
        return stepDone();
    }
    call(QStringLiteral("BindShortcuts"),
         {QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(shortcutList()),
          QString(), QVariantMap()},
         Step::Binding);
}

void PortalHotkeyBackend::shortcutsBound(uint code, const QVariantMap& results) {
    if (code == 0)
        applyAnswer(ShortcutsOf(results.value(QStringLiteral("shortcuts"))), true);
    else
        reportAll(RegisterResult::Declined);
    stepDone();
}

void PortalHotkeyBackend::stepDone() {
    if (m_changedMeanwhile)
        scheduleSession();
}

void PortalHotkeyBackend::sessionFailed() {
    m_session.clear();
    reportAll(RegisterResult::NoService);
    if (m_changedMeanwhile)
        return scheduleSession();
    // A portal still starting, or one that answered nonsense once, may serve later; asked at
    // once again and again, a broken one would keep both busy.
    qCInfo(lcPortal) << "asking for a shortcut session again in" << m_retryMs << "ms";
    m_retryTimer.start(m_retryMs);
    m_retryMs = std::min(m_retryMs * 2, kLastRetryMs);
}

void PortalHotkeyBackend::applyAnswer(const QList<PortalShortcut>& answer, bool missingHasNoKey) {
    for (const auto& [id, s] : m_shortcuts) {
        const QString& name = s.name;
        const auto it = std::find_if(answer.begin(), answer.end(),
                                     [&name](const PortalShortcut& a) { return a.id == name; });
        if (it == answer.end()) {
            if (missingHasNoKey)
                report(id, RegisterResult::NoKeyAssigned);
            continue;
        }
        // A key another shortcut holds comes back with no description: the desktop gave none.
        const QString keyText =
            it->properties.value(QStringLiteral("trigger_description")).toString();
        if (keyText.isEmpty())
            report(id, RegisterResult::NoKeyAssigned);
        else
            report(id, RegisterResult::Registered, keyText);
    }
}

void PortalHotkeyBackend::report(int id, RegisterResult result, const QString& keyText) {
    Shortcut& s = m_shortcuts.at(id);
    if (s.outcome == result && s.keyText == keyText)
        return;
    s.outcome = result;
    s.keyText = keyText;
    qCInfo(lcPortal).noquote() << "hotkey" << id << s.trigger << "->"
                               << StatusText(StatusOf(result, keyText));
    emit registrationChanged(id, result, keyText);
}

void PortalHotkeyBackend::reportAll(RegisterResult result) {
    // report() may not change the map, but a slot of registrationChanged may.
    std::vector<int> ids;
    for (const auto& entry : m_shortcuts)
        ids.push_back(entry.first);
    for (const int id : ids)
        if (m_shortcuts.count(id))
            report(id, result);
}

bool PortalHotkeyBackend::isOurSession(const QVariant& handle) const {
    const QString path = PathText(handle);
    if (!m_session.isEmpty())
        return path == m_session;
    // The desktop may signal a press on the session it has just made before its answer to
    // CreateSession reaches us; the fixed token tells the path in advance.
    return m_step == Step::Creating && path == kPath + QStringLiteral("/session/") + senderPart() +
                                                   QLatin1Char('/') + kSessionToken;
}

void PortalHotkeyBackend::onActivated(const QDBusMessage& message) {
    const QList<QVariant> args = message.arguments();
    if (args.size() < 2 || !isOurSession(args.at(0)))
        return;
    const int id = idOfShortcut(args.at(1).toString());
    if (id < 0)
        return;
    // A second activation before the release is the desktop repeating a held key.
    const bool repeat = m_held.contains(id);
    m_held.insert(id);
    emit hotkeyPressed(id, repeat);
}

void PortalHotkeyBackend::onDeactivated(const QDBusMessage& message) {
    const QList<QVariant> args = message.arguments();
    if (args.size() < 2 || !isOurSession(args.at(0)))
        return;
    m_held.remove(idOfShortcut(args.at(1).toString()));
}

void PortalHotkeyBackend::onShortcutsChanged(const QDBusMessage& message) {
    const QList<QVariant> args = message.arguments();
    if (args.size() < 2 || m_session.isEmpty() || PathText(args.at(0)) != m_session)
        return;
    applyAnswer(ShortcutsOf(args.at(1)), false);
}

void PortalHotkeyBackend::onSessionClosed(const QDBusMessage& message) {
    if (m_session.isEmpty() || message.path() != m_session)
        return;
    qCInfo(lcPortal) << "the desktop closed the shortcut session; opening a new one";
    m_session.clear();
    m_held.clear();
    scheduleSession();
}

void PortalHotkeyBackend::ownerChanged(const QString& newOwner) {
    // Whatever the old portal held is gone with it, requests included.
    m_session.clear();
    m_held.clear();
    m_request.clear();
    m_step = Step::Idle;
    m_retryTimer.stop();
    m_retryMs = kFirstRetryMs;
    if (newOwner.isEmpty()) {
        qCInfo(lcPortal) << "the portal left the bus";
        ++m_probes; // an answer on its way is the old portal's
        m_service = Service::Missing;
        reportAll(RegisterResult::NoService);
        return;
    }
    qCInfo(lcPortal) << "the portal is back; binding the shortcuts again";
    probe();
}

int PortalHotkeyBackend::idOfShortcut(const QString& name) const {
    for (const auto& [id, s] : m_shortcuts)
        if (s.name == name)
            return id;
    return -1;
}

QList<PortalShortcut> PortalHotkeyBackend::shortcutList() const {
    QList<PortalShortcut> list;
    for (const auto& [id, s] : m_shortcuts)
        list.append({s.name,
                     {{QStringLiteral("description"),
                       QStringLiteral("Orvane hotkey %1 (%2)").arg(id).arg(s.trigger)},
                      {QStringLiteral("preferred_trigger"), s.trigger}}});
    return list;
}

QString PortalHotkeyBackend::senderPart() const {
    // Request and session paths name the caller by its unique name, without the colon and
    // with its dots as underscores.
    QString sender = m_bus.baseService().mid(1);
    return sender.replace(QLatin1Char('.'), QLatin1Char('_'));
}

QString PortalHotkeyBackend::nextToken() {
    return QStringLiteral("orvane%1").arg(++m_tokens);
}
