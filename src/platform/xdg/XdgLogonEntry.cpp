// SPDX-License-Identifier: GPL-3.0-or-later
#include "XdgLogonEntry.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

std::unique_ptr<LogonEntry> CreateLogonEntry() {
    return std::make_unique<XdgLogonEntry>(
        XdgLogonEntry::Directory(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath()));
}

XdgLogonEntry::XdgLogonEntry(QString autostartDirectory)
    : m_directory(std::move(autostartDirectory)) {}

QString XdgLogonEntry::Directory(const QString& configHomeVariable, const QString& home) {
    const QString base = QDir::isAbsolutePath(configHomeVariable)
                             ? configHomeVariable
                             : home + QStringLiteral("/.config");
    return QDir::cleanPath(base + QStringLiteral("/autostart"));
}

QString XdgLogonEntry::ExecArgument(const QString& argument) {
    // Inside double quotes a desktop takes ", `, $ and \ literally only after a backslash;
    // a percent sign would start a field code anywhere in the line.
    QString quoted(QLatin1Char('"'));
    for (const QChar c : argument) {
        if (c == QLatin1Char('%')) {
            quoted += QStringLiteral("%%");
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

QString XdgLogonEntry::StringValue(const QString& text) {
    QString value;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': value += QStringLiteral("\\\\"); break;
        case '\n': value += QStringLiteral("\\n"); break;
        case '\t': value += QStringLiteral("\\t"); break;
        case '\r': value += QStringLiteral("\\r"); break;
        default: value += c;
        }
    }
    // A leading blank would be trimmed away by the reader.
    if (value.startsWith(QLatin1Char(' ')))
        value.replace(0, 1, QStringLiteral("\\s"));
    return value;
}

QByteArray XdgLogonEntry::EntryText(const QString& executablePath) {
    const QString exec = ExecArgument(executablePath) + QStringLiteral(" hide");
    // The delay and the "after the panel" keys let the tray exist before Orvane docks its
    // icon; Orvane also docks into a tray that comes later.
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Orvane\n"
                          "Comment=Hotkeys for programs, documents and the volume\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n"
                          "X-GNOME-Autostart-Delay=2\n"
                          "X-KDE-autostart-after=panel\n"
                          "X-LXQt-Need-Tray=true\n")
        .arg(StringValue(exec))
        .toUtf8();
}

QString XdgLogonEntry::filePath() const {
    return m_directory + QStringLiteral("/Orvane.desktop");
}

bool XdgLogonEntry::fail(const QString& why) {
    m_error = why;
    return false;
}

bool XdgLogonEntry::write(const QString& executablePath) {
    const QByteArray text = EntryText(executablePath);
    // Every start asks for the entry: one that already says this costs no write and no sync.
    if (QFile current(filePath()); current.open(QIODevice::ReadOnly) && current.readAll() == text) {
        m_error.clear();
        return true;
    }
    if (!QDir().mkpath(m_directory))
        return fail(QStringLiteral("cannot create the folder %1").arg(m_directory));
    // Replaced whole or not at all: a desktop never reads half an entry.
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(text) != text.size() || !file.commit())
        return fail(file.errorString());
    m_error.clear();
    return true;
}

bool XdgLogonEntry::remove() {
    const QFileInfo entry(filePath());
    // A link to nothing is an entry too.
    if (!entry.exists() && !entry.isSymLink())
        return true;
    QFile file(filePath());
    if (!file.remove())
        return fail(file.errorString());
    m_error.clear();
    return true;
}
