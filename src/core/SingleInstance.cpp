// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SingleInstance.h"

#include "core/Logging.h"

#include <QDir>
#include <QFileInfo>
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
      m_socketPath(directory + QLatin1Char('/') + name + QStringLiteral(".socket")),
      m_server(MaxRequest) {
    connect(&m_server, &LocalListener::lineReceived, this, &SingleInstance::answer);
}

void SingleInstance::answer(quintptr client, const QByteArray& line) {
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
        m_server.reply(client, ControlRequest::AnswerLine(error));
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
        if (LocalExchange(m_socketPath, kRaise, false, kConnectWaitMs * 4, 0))
            return true;
        QThread::msleep(kConnectWaitMs / 5);
    }
    return false;
}

std::optional<QString> SingleInstance::ask(const ControlRequest::Request& request) {
    const std::optional<QByteArray> answer = LocalExchange(
        m_socketPath, ControlRequest::ToLine(request), true, kAnswerWaitMs, MaxRequest * 4);
    if (!answer)
        return std::nullopt;
    return ControlRequest::ErrorOfAnswer(*answer);
}
