#include "SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {
constexpr char kRaise[] = "raise\n";
constexpr int kConnectTries = 20;
constexpr int kConnectWaitMs = 250;
} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& directory, QObject* parent)
    : QObject(parent), m_lockPath(directory + QLatin1Char('/') + name + QStringLiteral(".lock")),
      m_socketPath(directory + QLatin1Char('/') + name + QStringLiteral(".socket")) {
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = m_server.nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                while (s->canReadLine()) {
                    if (s->readLine() == kRaise)
                        emit raiseRequested();
                }
            });
        }
    });
}

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : SingleInstance(name, QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
                     parent) {}

bool SingleInstance::claim() {
    QDir().mkpath(QFileInfo(m_lockPath).absolutePath());
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // The lock is held for the whole run: only a dead owner makes it stale, never its age.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        m_lock.reset();
        return false;
    }
    QLocalServer::removeServer(m_socketPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    m_server.listen(m_socketPath);
    return true;
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
