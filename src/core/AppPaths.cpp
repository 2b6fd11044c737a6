// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace AppPaths {

QString FilesDirectory(const QString& executableDir, const QString& configHome,
                       const std::function<bool(const QString&)>& isWritableDir) {
    if (isWritableDir(executableDir))
        return executableDir;
    return configHome + QStringLiteral("/Orvane");
}

bool CanCreateFileIn(const QString& dir) {
    QTemporaryFile probe(dir + QStringLiteral("/.orvane-write-probe-XXXXXX"));
    return probe.open();
}

QString FilesDirectory() {
    QString dir = FilesDirectory(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), CanCreateFileIn);
    QDir().mkpath(dir);
    return dir;
}

} // namespace AppPaths
