// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// What a later start asks of the running Orvane over the single-instance socket: one line
// each way. A plain later start asks it to raise its window; `--run ID`, `--pause`,
// `--resume`, `--toggle-pause` and `--show` ask for that and wait for the answer.
namespace ControlRequest {

enum class Kind { Raise, Show, Run, Pause, Resume, TogglePause };

struct Request {
    Kind kind = Kind::Raise;
    int id = 0; // Run: the entry's identifier

    bool operator==(const Request&) const = default;
};

// A command line's arguments (without the program name) read as a request. Nothing, no
// error: an ordinary start. An error: a request option used wrongly, said in one line.
struct Parsed {
    std::optional<Request> request;
    QString error;
};
Parsed FromArguments(const QStringList& arguments);

// The line on the socket, and back; nothing for a line that is no request.
QByteArray ToLine(const Request& request);
std::optional<Request> FromLine(const QByteArray& line);

// The answer line: "ok", or "error " and why, for the asking start to print.
QByteArray AnswerLine(const QString& error);
// Empty for "ok"; why it failed otherwise, a line that is no answer counting as a failure.
QString ErrorOfAnswer(const QByteArray& line);

} // namespace ControlRequest
