// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SingleInstance.h"

#include "core/Logging.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

namespace {
constexpr char kRaise[] = "raise\n";
constexpr int kConnectTries = 20;
constexpr int kConnectWaitMs = 250;
// A request may open a volume window or start a program before the answer comes.
constexpr int kAnswerWaitMs = 10000;
} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& directory, QObject* parent)
    : QObject(parent), m_lockPath(directory + QLatin1Char('/') + name + QStringLiteral(".lock")),
      m_socketPath(directory + QLatin1Char('/') + name + QStringLiteral(".socket")) {
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server.nextPendingConnection())
            serve(s);
    });
}

void SingleInstance::serve(QLocalSocket* client) {
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    // Qt stops reading from the socket once this much waits: a client cannot make the
    // running instance buffer without end.
    client->setReadBufferSize(MaxRequest);
    connect(client, &QLocalSocket::readyRead, this, [this, client] {
        while (client->canReadLine())
            answer(client, client->readLine(MaxRequest + 1));
        if (client->bytesAvailable() >= MaxRequest)
            client->abort();
    });
}

void SingleInstance::answer(QLocalSocket* client, const QByteArray& line) {
    const auto request = ControlRequest::FromLine(line);
    if (!request)
        return;
    QString error;
    if (request->kind == ControlRequest::Kind::Raise)
        emit raiseRequested(); // a plain later start has gone already: no answer
    else if (m_handler)
        error = m_handler(*request);
    else
        error = QStringLiteral("Orvane is still starting");
    if (request->kind != ControlRequest::Kind::Raise)
        client->write(ControlRequest::AnswerLine(error));
}

SingleInstance::Claim SingleInstance::claim() {
    const QString dir = QFileInfo(m_lockPath).absolutePath();
    if (!QDir().mkpath(dir)) {
        m_problem = QStringLiteral("The folder %1 cannot be created.").arg(dir);
        return Claim::Failed;
    }
    m_lock = std::make_unique<InstanceLock>(m_lockPath);
    switch (m_lock->take()) {
    case InstanceLock::Outcome::Taken:
        QLocalServer::removeServer(m_socketPath);
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        // Without the socket a later start cannot raise this one; it still runs.
        if (!m_server.listen(m_socketPath))
            qCWarning(lcLife) << "cannot listen on" << m_socketPath << m_server.errorString();
        return Claim::First;
    case InstanceLock::Outcome::Held:
        m_ownerPid = m_lock->ownerPid();
        m_lock.reset();
        return Claim::AnotherRuns;
    case InstanceLock::Outcome::Failed: break;
    }
    m_problem = QStringLiteral("The lock file %1 cannot be created (%2).")
                    .arg(m_lockPath, m_lock->problem());
    m_lock.reset();
    return Claim::Failed;
}

bool SingleInstance::askFirstToRaise() {
    // The first instance may have taken the lock a moment ago and not listen yet.
    for (int i = 0; i < kConnectTries; ++i) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(kConnectWaitMs)) {
            socket.write(kRaise);
            const bool sent = socket.waitForBytesWritten(kConnectWaitMs * 4);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(kConnectWaitMs / 5);
    }
    return false;
}

std::optional<QString> SingleInstance::ask(const ControlRequest::Request& request) {
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(kConnectWaitMs * 4))
        return std::nullopt;
    socket.write(ControlRequest::ToLine(request));
    if (!socket.waitForBytesWritten(kConnectWaitMs * 4))
        return std::nullopt;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kAnswerWaitMs))
            return std::nullopt;
    }
    return ControlRequest::ErrorOfAnswer(socket.readLine(MaxRequest * 4));
}
