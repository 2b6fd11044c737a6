// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/ModuleLoader.h"

#include "core/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <map>
#include <mutex>
#include <utility>

namespace ModuleLoader {

QString PathOf(const QString& module) {
    // ORVANE_MODULES_FROM_BINDIR comes from the installed layout (../lib/orvane, say).
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                           QStringLiteral(ORVANE_MODULES_FROM_BINDIR) + QLatin1Char('/') + module +
                           QStringLiteral(".so"));
}

QFunctionPointer Entry(const QString& module, const char* symbol) {
    // The application catalog asks from a thread of its own.
    static std::mutex guard;
    static std::map<std::pair<QString, QByteArray>, QFunctionPointer> known;
    const std::lock_guard lock(guard);
    auto key = std::make_pair(module, QByteArray(symbol));
    if (const auto found = known.find(key); found != known.end())
        return found->second;
    // A QLibrary that goes out of scope leaves its library loaded.
    QLibrary library(PathOf(module));
    const QFunctionPointer entry = library.load() ? library.resolve(symbol) : nullptr;
    if (!entry)
        qCWarning(lcModule) << "cannot load" << symbol << "from" << library.fileName() << ":"
                            << library.errorString();
    known.emplace(std::move(key), entry);
    return entry;
}

} // namespace ModuleLoader
