// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ControlRequest.h"
#include "platform/InstanceLock.h"
#include "platform/LocalChannel.h"

#include <QObject>
#include <functional>
#include <memory>

// Where the lock and socket of the running instance live, as the platform layer found it:
// a private directory of this user's, or, when there is none, why not.
struct RuntimePlace {
    QString directory;
    QString problem;
};

// Defined by the platform layer: $XDG_RUNTIME_DIR when it serves, else a private
// directory of Orvane's own.
RuntimePlace PrivateRuntimeDirectory();

// One running Orvane per user: a lock that only a live owner holds, so that nothing a crash
// or a power loss leaves in its file blocks the next start, and a local socket over which a later
// start asks the running one to come to the front.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        First,       // this process is the running instance now
        AnotherRuns, // a live process holds the lock
        Failed,      // the lock could not be taken for another reason; see problem()
    };

    // Longest request a later start sends; a client that sends more without a line end is
    // not one of ours and is cut off.
    static constexpr qint64 MaxRequest = 64;

    // name names both the lock and the socket; they live in directory.
    SingleInstance(const QString& name, const QString& directory, QObject* parent = nullptr);

    // First: this process listens for later starts from now on.
    Claim claim();
    // From a later start: asks the first instance to raise its main window. True when the
    // request was delivered.
    bool askFirstToRaise();
    // From a start with a request: sends it to the running instance, without claiming, and
    // waits for its answer. Nothing when no instance answers; else the error, empty for done.
    std::optional<QString> ask(const ControlRequest::Request& request);

    // How the running instance carries out a request other than a raise: the error for the
    // asking start, empty when done. Unset, every such request is refused.
    using RequestHandler = std::function<QString(const ControlRequest::Request& request)>;
    void setRequestHandler(RequestHandler handler) { m_handler = std::move(handler); }

    // Why the claim failed, for the user.
    QString problem() const { return m_problem; }
    // The process that holds the lock, when another runs (0 when unknown).
    qint64 ownerPid() const { return m_ownerPid; }

signals:
    void raiseRequested();

private:
    void answer(quintptr client, const QByteArray& line);

    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<InstanceLock> m_lock;
    LocalListener m_server;
    QString m_problem;
    qint64 m_ownerPid = 0;
    RequestHandler m_handler;
};
