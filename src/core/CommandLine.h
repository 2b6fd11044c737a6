// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace CommandLine {

// The command line as Windows would hand it over: the executable path in double quotes,
// then each argument after one blank.
QString Rebuild(const QString& executablePath, const QStringList& arguments);

// A plain start shows the main window: the lower-cased command line is the quoted
// executable path, alone or followed by one blank.
bool IsPlainStart(const QString& commandLine, const QString& executablePath);

// The one start that never shows the splash window: the quoted path and one blank.
bool IsQuotedPathWithBlank(const QString& commandLine, const QString& executablePath);

// What `orvane --help` and `orvane --version` print (arguments without the program name):
// those two, each alone, ask for a text and no start. Every other command line starts
// Orvane, so the result is empty.
std::optional<QString> InformationText(const QStringList& arguments, const QString& version);

} // namespace CommandLine
