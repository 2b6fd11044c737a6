// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ControlRequest.h"

#include <array>
#include <utility>

namespace ControlRequest {

namespace {
// Option and socket word of each request; a plain start's raise has no option.
struct Word {
    Kind kind;
    const char* option;
    const char* line;
};
constexpr std::array<Word, 6> kWords{{
    {Kind::Raise, nullptr, "raise"},
    {Kind::Show, "--show", "show"},
    {Kind::Run, "--run", "run"},
    {Kind::Pause, "--pause", "pause"},
    {Kind::Resume, "--resume", "resume"},
    {Kind::TogglePause, "--toggle-pause", "toggle-pause"},
}};

std::optional<int> Identifier(const QString& text) {
    bool ok = false;
    const int id = text.toInt(&ok);
    if (!ok || text.trimmed() != text)
        return std::nullopt;
    return id;
}
} // namespace

Parsed FromArguments(const QStringList& arguments) {
    if (arguments.isEmpty())
        return {};
    for (const Word& w : kWords) {
        if (!w.option || arguments.front() != QLatin1String(w.option))
            continue;
        const bool run = w.kind == Kind::Run;
        if (arguments.size() != (run ? 2 : 1))
            return {std::nullopt, run ? QStringLiteral("--run takes one entry ID")
                                      : QStringLiteral("%1 takes no argument").arg(w.option)};
        if (!run)
            return {Request{w.kind, 0}, {}};
        if (const auto id = Identifier(arguments.at(1)))
            return {Request{Kind::Run, *id}, {}};
        return {std::nullopt, QStringLiteral("--run: %1 is no entry ID").arg(arguments.at(1))};
    }
    return {};
}

QByteArray ToLine(const Request& request) {
    for (const Word& w : kWords) {
        if (w.kind != request.kind)
            continue;
        QByteArray line(w.line);
        if (request.kind == Kind::Run)
            line += ' ' + QByteArray::number(request.id);
        return line + '\n';
    }
    return {};
}

std::optional<Request> FromLine(const QByteArray& line) {
    if (!line.endsWith('\n'))
        return std::nullopt;
    const QByteArray text = line.chopped(1);
    for (const Word& w : kWords) {
        if (w.kind != Kind::Run && text == w.line)
            return Request{w.kind, 0};
    }
    const QByteArray run = QByteArray("run ");
    if (text.startsWith(run)) {
        if (const auto id = Identifier(QString::fromLatin1(text.mid(run.size()))))
            return Request{Kind::Run, *id};
    }
    return std::nullopt;
}

QByteArray AnswerLine(const QString& error) {
    if (error.isEmpty())
        return "ok\n";
    QString oneLine = error;
    oneLine.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return "error " + oneLine.toUtf8() + '\n';
}

QString ErrorOfAnswer(const QByteArray& line) {
    if (line == "ok\n")
        return {};
    if (line.startsWith("error ") && line.endsWith('\n'))
        return QString::fromUtf8(line.mid(6).chopped(1));
    return QStringLiteral("Orvane gave no answer");
}

} // namespace ControlRequest
