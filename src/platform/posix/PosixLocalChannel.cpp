// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalChannel.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The address of path; nothing when the path does not fit one.
std::optional<sockaddr_un> addressOf(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (bytes.isEmpty() || static_cast<size_t>(bytes.size()) >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, bytes.constData(), static_cast<size_t>(bytes.size()));
    return address;
}

int newSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Writes all of bytes to a socket that is never full for lines this short; a peer that
// has gone raises no signal.
bool sendAll(int fd, const QByteArray& bytes, QDeadlineTimer deadline) {
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n =
            ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, int(deadline.remainingTime())) > 0)
                continue;
        }
        return false;
    }
    return true;
}

} // namespace

struct LocalListener::Client {
    int fd = -1;
    QSocketNotifier* notifier = nullptr;
    QByteArray pending;
};

LocalListener::LocalListener(qsizetype maxLine, QObject* parent)
    : QObject(parent), m_maxLine(maxLine) {}

LocalListener::~LocalListener() {
    for (const quintptr id : m_clients.keys())
        drop(id);
    if (m_fd >= 0) {
        ::close(int(m_fd));
        // The next run finds no socket that answers nobody.
        ::unlink(QFile::encodeName(m_path).constData());
    }
}

bool LocalListener::listen(const QString& path) {
    const std::optional<sockaddr_un> address = addressOf(path);
    if (!address) {
        m_error = QStringLiteral("the path is too long for a local socket");
        return false;
    }
    const int fd = newSocket();
    if (fd < 0) {
        m_error = systemError();
        return false;
    }
    // The caller holds the instance lock: whatever socket is there, no one answers on it.
    ::unlink(address->sun_path);
    const auto* raw = reinterpret_cast<const sockaddr*>(&*address);
    // Only this user may connect, whatever the folder allows.
    if (::bind(fd, raw, sizeof *address) != 0 || ::chmod(address->sun_path, S_IRWXU) != 0 ||
        ::listen(fd, SOMAXCONN) != 0) {
        m_error = systemError();
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_path = path;
    m_accepting = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_accepting, &QSocketNotifier::activated, this, &LocalListener::accept);
    return true;
}

void LocalListener::accept() {
    for (;;) {
        const int fd = ::accept4(int(m_fd), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return;
        const auto id = static_cast<quintptr>(fd);
        auto client = std::make_shared<Client>();
        client->fd = fd;
        client->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(client->notifier, &QSocketNotifier::activated, this, [this, id] { read(id); });
        m_clients.insert(id, client);
    }
}

void LocalListener::read(quintptr id) {
    // Held here: a slot of lineReceived may drop the client meanwhile.
    const std::shared_ptr<Client> client = m_clients.value(id);
    if (!client)
        return;
    char buffer[512];
    const ssize_t got = ::recv(client->fd, buffer, sizeof buffer, 0);
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (got <= 0)
        return drop(id);
    client->pending.append(buffer, got);
    qsizetype end = 0;
    while ((end = client->pending.indexOf('\n')) >= 0 && m_clients.contains(id)) {
        if (end >= m_maxLine)
            return drop(id);
        const QByteArray line = client->pending.left(end + 1);
        client->pending.remove(0, end + 1);
        emit lineReceived(id, line);
    }
    // Nothing waits for a line longer than any request: such a client is not one of ours.
    if (client->pending.size() >= m_maxLine)
        drop(id);
}

void LocalListener::reply(quintptr id, const QByteArray& line) {
    if (const std::shared_ptr<Client> client = m_clients.value(id))
        sendAll(client->fd, line, QDeadlineTimer(1000));
}

void LocalListener::drop(quintptr id) {
    const std::shared_ptr<Client> client = m_clients.take(id);
    if (!client)
        return;
    client->notifier->setEnabled(false);
    client->notifier->deleteLater();
    ::close(client->fd);
}

std::optional<QByteArray> LocalExchange(const QString& path, const QByteArray& line,
                                        bool wantAnswer, int answerMs, qsizetype maxAnswer) {
    const std::optional<sockaddr_un> address = addressOf(path);
    if (!address)
        return std::nullopt;
    const int fd = newSocket();
    if (fd < 0)
        return std::nullopt;
    const auto done = [fd](std::optional<QByteArray> result) {
        ::close(fd);
        return result;
    };
    // A local connect is made or refused at once; a full backlog says EAGAIN.
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0)
        return done(std::nullopt);
    QDeadlineTimer deadline(answerMs);
    if (!sendAll(fd, line, deadline))
        return done(std::nullopt);
    if (!wantAnswer)
        return done(QByteArray());
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() <= maxAnswer) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return done(std::nullopt);
        char buffer[256];
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (got <= 0)
            return done(std::nullopt);
        answer.append(buffer, got);
    }
    const qsizetype end = answer.indexOf('\n');
    return done(end >= 0 ? answer.left(end + 1) : answer.left(maxAnswer));
}
