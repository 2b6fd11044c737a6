// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/RuntimeDirectory.h"

#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

RuntimePlace PrivateRuntimeDirectory() {
    return RuntimeDirectory::Choose(
        qEnvironmentVariable("XDG_RUNTIME_DIR"),
        {QDir::tempPath(), QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)},
        getuid());
}

namespace RuntimeDirectory {

bool IsPrivate(const QString& path, uid_t uid) {
    struct stat st = {};
    if (path.isEmpty() || lstat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == uid && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0 &&
           access(QFile::encodeName(path).constData(), W_OK | X_OK) == 0;
}

namespace {

// Creates dir private to uid, or tightens one uid already owns.
bool makePrivate(const QString& dir, uid_t uid) {
    const QByteArray native = QFile::encodeName(dir);
    if (mkdir(native.constData(), S_IRWXU) != 0 && errno != EEXIST)
        return false;
    struct stat st = {};
    if (lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != uid)
        return false;
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0 && chmod(native.constData(), S_IRWXU) != 0)
        return false;
    return IsPrivate(dir, uid);
}

} // namespace

RuntimePlace Choose(const QString& xdgRuntimeDir, const QStringList& fallbackBases, uid_t uid) {
    if (IsPrivate(xdgRuntimeDir, uid))
        return {xdgRuntimeDir, {}};
    QStringList tried;
    for (const QString& base : fallbackBases) {
        if (base.isEmpty())
            continue;
        QDir().mkpath(base);
        const QString dir = base + QStringLiteral("/orvane-") + QString::number(uid);
        if (makePrivate(dir, uid))
            return {dir, {}};
        tried << dir;
    }
    const QString runtime = xdgRuntimeDir.isEmpty() ? QStringLiteral("not set") : xdgRuntimeDir;
    return {{},
            QStringLiteral("No private folder for Orvane's lock was found: XDG_RUNTIME_DIR (%1) "
                           "cannot serve, nor can %2.")
                .arg(runtime, tried.join(QStringLiteral(", ")))};
}

} // namespace RuntimeDirectory
