// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

namespace CommandLine {

QString Rebuild(const QString& executablePath, const QStringList& arguments) {
    QString line = QLatin1Char('"') + executablePath + QLatin1Char('"');
    for (const QString& a : arguments)
        line += QLatin1Char(' ') + a;
    return line;
}

static QString quotedLower(const QString& executablePath) {
    return QLatin1Char('"') + executablePath.toLower() + QLatin1Char('"');
}

bool IsPlainStart(const QString& commandLine, const QString& executablePath) {
    const QString lower = commandLine.toLower();
    const QString quoted = quotedLower(executablePath);
    return lower == quoted || lower == quoted + QLatin1Char(' ');
}

bool IsQuotedPathWithBlank(const QString& commandLine, const QString& executablePath) {
    return commandLine.toLower() == quotedLower(executablePath) + QLatin1Char(' ');
}

} // namespace CommandLine
