// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InstanceLock.h"

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

qint64 readOwnerPid(int fd) {
    char buffer[64] = {};
    const ssize_t got = ::pread(fd, buffer, sizeof buffer - 1, 0);
    if (got <= 0)
        return 0;
    bool ok = false;
    const qint64 pid = QByteArray(buffer, got).split('\n').value(0).trimmed().toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

// The same lines Qt's lock files hold, so that an older Orvane sees the running one too.
bool writeOwner(int fd) {
    const QByteArray text = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                            QCoreApplication::applicationName().toUtf8() + '\n' +
                            QSysInfo::machineHostName().toUtf8() + '\n';
    return ::ftruncate(fd, 0) == 0 &&
           ::pwrite(fd, text.constData(), text.size(), 0) == static_cast<ssize_t>(text.size());
}

QString reason(int error) {
    return error == EACCES || error == EPERM ? QStringLiteral("permission denied")
                                             : QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

InstanceLock::InstanceLock(QString path) : m_path(std::move(path)) {}

InstanceLock::~InstanceLock() {
    // Closing drops the lock. The file stays: removing it could let a start that opened it a
    // moment ago lock a file no later start sees.
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle));
}

InstanceLock::Outcome InstanceLock::take() {
    const QByteArray native = QFile::encodeName(m_path);
    const int fd =
        ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
    if (fd < 0) {
        m_problem = reason(errno);
        return Outcome::Failed;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        m_problem = QStringLiteral("not a regular file");
        return Outcome::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EWOULDBLOCK)
            m_ownerPid = readOwnerPid(fd);
        else
            m_problem = reason(error);
        ::close(fd);
        return error == EWOULDBLOCK ? Outcome::Held : Outcome::Failed;
    }
    // The lock is ours whatever the file says; the owner's line is for the user only.
    if (!writeOwner(fd))
        m_problem = reason(errno);
    m_handle = fd;
    return Outcome::Taken;
}
