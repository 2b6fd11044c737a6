// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg/XdgLogonEntry.h"

#include "platform/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

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

QString XdgLogonEntry::Unrepresentable(const QString& executablePath) {
    const QString rename = QStringLiteral(" Rename its folder to turn Autorun on.");
    if (!QDir::isAbsolutePath(executablePath))
        return QStringLiteral("\"%1\" is not the full path of its executable.").arg(executablePath);
    // Tab, line feed and carriage return have escapes in an entry; other control characters
    // have none.
    const bool control = std::any_of(executablePath.begin(), executablePath.end(), [](QChar c) {
        return (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
                c != QLatin1Char('\r')) ||
               c.unicode() == 0x7f;
    });
    if (control)
        return QStringLiteral("the path of its executable holds a control character, which an "
                              "autostart entry cannot hold.") +
               rename;
    // A path with % is started through env, which would take a path with = for a variable.
    if (executablePath.contains(QLatin1Char('%')) && executablePath.contains(QLatin1Char('=')))
        return QStringLiteral("the path of its executable holds both % and =, and no autostart "
                              "entry can start such a path.") +
               rename;
    return {};
}

bool XdgLogonEntry::TurnedOffByDesktop(const QByteArray& text) {
    bool mainGroup = false;
    bool hidden = false;
    bool enabled = true;
    // The last of repeated keys counts, as GLib reads them.
    for (const QByteArray& raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            mainGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!mainGroup || equals < 0 || line.startsWith('#'))
            continue;
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (key == "Hidden")
            hidden = value == "true" || value == "1";
        else if (key == "X-GNOME-Autostart-enabled")
            enabled = value != "false" && value != "0";
    }
    return hidden || !enabled;
}

QByteArray XdgLogonEntry::EntryText(const QString& executablePath) {
    // GLib looks the program up before it turns %% back into %, so it cannot find a path
    // with a percent sign; as env's argument the path is only expanded.
    const QString program = executablePath.contains(QLatin1Char('%'))
                                ? QStringLiteral("env ") + ExecArgument(executablePath)
                                : ExecArgument(executablePath);
    // TryExec: once this copy is deleted, desktops skip the entry instead of failing on it.
    // The delay and the "after the panel" keys let the tray exist before Orvane docks its
    // icon; Orvane also docks into a tray that comes later.
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Orvane\n"
                          "Comment=Hotkeys for programs, documents and the volume\n"
                          "Exec=%1\n"
                          "TryExec=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n"
                          "X-GNOME-Autostart-Delay=2\n"
                          "X-KDE-autostart-after=panel\n"
                          "X-LXQt-Need-Tray=true\n")
        .arg(StringValue(program + QStringLiteral(" hide")), StringValue(executablePath))
        .toUtf8();
}

QString XdgLogonEntry::filePath() const {
    return m_directory + QStringLiteral("/Orvane.desktop");
}

LogonWrite XdgLogonEntry::fail(const QString& why, LogonWrite outcome) {
    m_error = why;
    return outcome;
}

XdgLogonEntry::Found XdgLogonEntry::read(QByteArray& text) {
    QFile file;
    switch (OpenRegularFileForReading(file, filePath())) {
    case RegularFileOpen::Missing: return Found::Nothing;
    case RegularFileOpen::NotRegular:
        m_error = QStringLiteral("%1 is not a regular file; it is left as it is").arg(filePath());
        return Found::NotAnEntry;
    case RegularFileOpen::Failed:
        m_error = QStringLiteral("%1 cannot be read; it is left as it is").arg(filePath());
        return Found::NotAnEntry;
    case RegularFileOpen::Opened: break;
    }
    text = file.read(MaxEntrySize + 1);
    if (text.size() > MaxEntrySize) {
        m_error = QStringLiteral("%1 is too large for an autostart entry; it is left as it is")
                      .arg(filePath());
        return Found::NotAnEntry;
    }
    return TurnedOffByDesktop(text) ? Found::TurnedOff : Found::Entry;
}

LogonWrite XdgLogonEntry::write(const QString& executablePath) {
    if (const QString why = Unrepresentable(executablePath); !why.isEmpty())
        return fail(why, LogonWrite::Impossible);
    const QByteArray text = EntryText(executablePath);
    QByteArray current;
    switch (read(current)) {
    case Found::NotAnEntry: return LogonWrite::Refused;
    case Found::TurnedOff:
        // The user's choice in the desktop's own settings: the box shows it unticked.
        return fail(
            QStringLiteral("the desktop has turned off the start at log-on in %1").arg(filePath()));
    case Found::Entry:
        // Every start asks for the entry: one that already says this costs no write and no
        // sync.
        if (current == text) {
            m_error.clear();
            return LogonWrite::Written;
        }
        break;
    case Found::Nothing: break;
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
    return LogonWrite::Written;
}

bool XdgLogonEntry::remove() {
    QByteArray current;
    switch (read(current)) {
    case Found::NotAnEntry: return false;
    case Found::TurnedOff:
        // Already off, and the desktop's own record of it stays as the desktop wrote it.
        m_error.clear();
        return true;
    case Found::Nothing:
        // A link to nothing is an entry too.
        if (!QFileInfo(filePath()).isSymLink())
            return true;
        break;
    case Found::Entry: break;
    }
    QFile file(filePath());
    if (!file.remove()) {
        m_error = file.errorString();
        return false;
    }
    m_error.clear();
    return true;
}
