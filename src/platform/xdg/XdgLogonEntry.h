// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LogonEntry.h"

#include <QByteArray>
#include <QString>

// The log-on entry of a freedesktop session: Orvane.desktop in the user's autostart folder.
class XdgLogonEntry : public LogonEntry {
public:
    explicit XdgLogonEntry(QString autostartDirectory);

    bool write(const QString& executablePath) override;
    bool remove() override;
    QString error() const override { return m_error; }

    QString filePath() const;

    // $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when the variable is unset, empty or
    // not an absolute path (such a value is to be ignored).
    static QString Directory(const QString& configHomeVariable, const QString& home);
    // One Exec argument, quoted so that a desktop hands exactly this text to the program.
    static QString ExecArgument(const QString& argument);
    // Text as a desktop entry's string value holds it.
    static QString StringValue(const QString& text);
    // The whole entry that starts executablePath in the background.
    static QByteArray EntryText(const QString& executablePath);

private:
    bool fail(const QString& why);

    QString m_directory;
    QString m_error;
};
