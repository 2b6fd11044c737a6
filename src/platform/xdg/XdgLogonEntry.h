// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LogonEntry.h"

#include <QByteArray>
#include <QString>

// The log-on entry of a freedesktop session: Orvane.desktop in the user's autostart folder.
class XdgLogonEntry : public LogonEntry {
public:
    explicit XdgLogonEntry(QString autostartDirectory);

    LogonWrite write(const QString& executablePath) override;
    bool remove() override;
    QString error() const override { return m_error; }

    QString filePath() const;

    // $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when the variable is unset, empty or
    // not an absolute path (such a value is to be ignored).
    static QString Directory(const QString& configHomeVariable, const QString& home);
    // The most an entry holds; a larger file is not one and is never read whole.
    static constexpr qint64 MaxEntrySize = qint64{64} * 1024;

    // Why no entry can start executablePath; empty when one can.
    static QString Unrepresentable(const QString& executablePath);
    // True when an entry's text says the desktop does not start it at log-on: the user
    // turned it off in the desktop's own settings (Hidden=true, X-GNOME-Autostart-enabled
    // =false in its main group).
    static bool TurnedOffByDesktop(const QByteArray& text);
    // One Exec argument, quoted so that a desktop hands exactly this text to the program.
    static QString ExecArgument(const QString& argument);
    // Text as a desktop entry's string value holds it.
    static QString StringValue(const QString& text);
    // The whole entry that starts executablePath in the background.
    static QByteArray EntryText(const QString& executablePath);

private:
    enum class Found { Nothing, Entry, TurnedOff, NotAnEntry };
    // What is at filePath(), and the entry's text; read as the INI files are, so that a FIFO,
    // a device or a huge file there can neither hold Orvane nor fill its memory.
    Found read(QByteArray& text);
    LogonWrite fail(const QString& why, LogonWrite outcome = LogonWrite::Refused);

    QString m_directory;
    QString m_error;
};
