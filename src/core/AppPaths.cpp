// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppPaths.h"

#include "BuildInfo.h"
#include "core/ProjectLinks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace AppPaths {

QString InstalledDataDirectory(const QString& executableDir, const QString& dataFromBinDir,
                               const std::function<bool(const QString&)>& isDir) {
    const QString dir = QDir::cleanPath(executableDir + QLatin1Char('/') + dataFromBinDir);
    return isDir(dir) ? dir : QString();
}

QString FilesDirectory(const QString& executableDir, const QString& configHome,
                       const std::function<bool(const QString&)>& isWritableDir, bool installed) {
    // No folder at all is the folder of an executable whose path is not valid UTF-8: its
    // files must not land in the root or the current folder.
    if (!installed && QDir::isAbsolutePath(executableDir) && isWritableDir(executableDir))
        return executableDir;
    return configHome + QStringLiteral("/Orvane");
}

QString HistoryFile(const QString& executableDir, const QString& installedDataDir) {
    const QString dir = installedDataDir.isEmpty() ? executableDir : installedDataDir;
    return dir + QLatin1Char('/') + QLatin1String(ProjectLinks::WhatsNewFile);
}

bool CanCreateFileIn(const QString& dir) {
    QTemporaryFile probe(dir + QStringLiteral("/.orvane-write-probe-XXXXXX"));
    return probe.open();
}

static QString installedDataDirectory() {
    return InstalledDataDirectory(QCoreApplication::applicationDirPath(),
                                  QStringLiteral(ORVANE_DATA_FROM_BINDIR),
                                  [](const QString& d) { return QFileInfo(d).isDir(); });
}

QString FilesDirectory() {
    QString dir =
        FilesDirectory(QCoreApplication::applicationDirPath(),
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                       CanCreateFileIn, !installedDataDirectory().isEmpty());
    QDir().mkpath(dir);
    return dir;
}

QString HistoryFile() {
    return HistoryFile(QCoreApplication::applicationDirPath(), installedDataDirectory());
}

} // namespace AppPaths
