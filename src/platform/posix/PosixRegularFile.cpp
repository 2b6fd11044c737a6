// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegularFile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFileOpen OpenRegularFileForReading(QFile& file, const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? RegularFileOpen::Missing
                                                   : RegularFileOpen::Failed;
    }
    if (!S_ISREG(st.st_mode))
        return RegularFileOpen::NotRegular;
    // The path may be replaced between the check and the open: O_NONBLOCK keeps a FIFO put
    // there from holding the open, and fstat looks at what was really opened.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return errno == ENOENT ? RegularFileOpen::Missing : RegularFileOpen::Failed;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return RegularFileOpen::NotRegular;
    }
    if (const int flags = ::fcntl(fd, F_GETFL); flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return RegularFileOpen::Failed;
    return RegularFileOpen::Opened;
}
