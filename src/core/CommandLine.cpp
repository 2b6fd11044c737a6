// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CommandLine.h"

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

std::optional<QString> InformationText(const QStringList& arguments, const QString& version) {
    if (arguments.size() != 1)
        return std::nullopt;
    if (arguments.front() == QLatin1String("--version"))
        return QStringLiteral("Orvane %1\n").arg(version);
    if (arguments.front() == QLatin1String("--help"))
        return QStringLiteral(
            "Usage: orvane [hide]\n"
            "       orvane --run ID | --show | --pause | --resume | --toggle-pause\n"
            "       orvane --help | --version\n"
            "Binds system-wide hotkeys to programs, documents, web pages and the volume.\n"
            "\n"
            "  (no argument)  start and show the main window; if Orvane already runs,\n"
            "                 bring its window to the front\n"
            "  hide           start in the background, in the tray (any argument not\n"
            "                 listed here does the same), as the autostart entry does\n"
            "  --run ID       run the entry with identifier ID in the running Orvane, as\n"
            "                 if its hotkey had been pressed\n"
            "  --show         bring the running Orvane's main window to the front\n"
            "  --pause        release every hotkey but those bound to Pause/Resume Hotkeys\n"
            "  --resume       take the hotkeys back\n"
            "  --toggle-pause pause when running, resume when paused\n"
            "                 These five only ask the running Orvane and never start one;\n"
            "                 exit status 1 and a line on stderr when it is not running\n"
            "                 or has no such entry, 2 when the option is used wrongly.\n"
            "  --help         print this help and exit\n"
            "  --version      print the version and exit\n"
            "\n"
            "SIGTERM, SIGINT and SIGHUP save Hotkeys.ini and Settings.ini and end Orvane.\n"
            "Where the files live: see orvane(1).\n");
    return std::nullopt;
}

} // namespace CommandLine
