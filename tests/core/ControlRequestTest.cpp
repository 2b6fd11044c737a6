// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ControlRequest.h"
#include "core/SingleInstance.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ControlRequest;

namespace {
// A command line's arguments, the request they make (or none: an ordinary start) and the
// error a wrong use gets.
struct ArgumentsRow {
    QStringList arguments;
    std::optional<Request> request;
    const char* error;
};
} // namespace

TEST(ControlRequest, ArgumentsMakeARequestOnlyWhenAnOptionLeadsAlone) {
    const ArgumentsRow rows[] = {
        {{}, std::nullopt, ""},
        {{"hide"}, std::nullopt, ""},
        {{"--help"}, std::nullopt, ""},
        {{"--run", "12"}, Request{Kind::Run, 12}, ""},
        {{"--run", "-3"}, Request{Kind::Run, -3}, ""},
        {{"--show"}, Request{Kind::Show, 0}, ""},
        {{"--pause"}, Request{Kind::Pause, 0}, ""},
        {{"--resume"}, Request{Kind::Resume, 0}, ""},
        {{"--toggle-pause"}, Request{Kind::TogglePause, 0}, ""},
        {{"--run"}, std::nullopt, "--run takes one entry ID"},
        {{"--run", "1", "2"}, std::nullopt, "--run takes one entry ID"},
        {{"--run", "calc"}, std::nullopt, "--run: calc is no entry ID"},
        {{"--run", " 7"}, std::nullopt, "--run:  7 is no entry ID"},
        {{"--pause", "now"}, std::nullopt, "--pause takes no argument"},
        {{"hide", "--pause"}, std::nullopt, ""},
        {{"--Pause"}, std::nullopt, ""},
    };
    for (const ArgumentsRow& row : rows) {
        SCOPED_TRACE(row.arguments.join(u'|').toStdString());
        const Parsed parsed = FromArguments(row.arguments);
        EXPECT_EQ(parsed.request, row.request);
        EXPECT_EQ(parsed.error, QString::fromUtf8(row.error));
    }
}

TEST(ControlRequest, EveryRequestComesBackFromItsLineAndNoOtherLineIsOne) {
    for (const Request& r :
         {Request{Kind::Raise, 0}, Request{Kind::Show, 0}, Request{Kind::Run, 42},
          Request{Kind::Pause, 0}, Request{Kind::Resume, 0}, Request{Kind::TogglePause, 0}})
        EXPECT_EQ(FromLine(ToLine(r)), r) << ToLine(r).constData();
    // What the first releases sent, byte for byte, still raises.
    EXPECT_EQ(FromLine("raise\n"), Request{});
    for (const QByteArray& junk :
         {QByteArray("raise"), QByteArray("run\n"), QByteArray("run x\n"), QByteArray("run 1 2\n"),
          QByteArray("RUN 1\n"), QByteArray("pause \n"), QByteArray("\n")})
        EXPECT_EQ(FromLine(junk), std::nullopt) << junk.constData();
}

TEST(ControlRequest, AnAnswerIsOneLineAndAnythingElseIsAFailure) {
    EXPECT_EQ(ErrorOfAnswer(AnswerLine({})), QString());
    EXPECT_EQ(AnswerLine("two\nlines"), "error two lines\n");
    EXPECT_EQ(ErrorOfAnswer(AnswerLine("no entry")), "no entry");
    EXPECT_EQ(ErrorOfAnswer("ok"), "Orvane gave no answer");
    EXPECT_EQ(ErrorOfAnswer(""), "Orvane gave no answer");
}

TEST(ControlRequest, NobodyToAskIsNoAnswer) {
    QTemporaryDir dir;
    SingleInstance later("Orvane 2", dir.path());
    EXPECT_EQ(later.ask({Kind::Pause, 0}), std::nullopt);
}

TEST(ControlRequest, TheRunningInstanceAnswersEachRequestLineAndRaisesSilently) {
    QTemporaryDir dir;
    SingleInstance first("Orvane 2", dir.path());
    ASSERT_EQ(first.claim(), SingleInstance::Claim::First);
    QList<Request> served;
    first.setRequestHandler([&](const Request& r) {
        served << r;
        return r.id == 9 ? QStringLiteral("no entry with ID 9") : QString();
    });
    QSignalSpy raised(&first, &SingleInstance::raiseRequested);

    QLocalSocket client;
    client.connectToServer(dir.filePath("Orvane 2.socket"));
    ASSERT_TRUE(client.waitForConnected(5000));
    client.write("raise\nrun 4\njunk\nrun 9\n");
    // Both ends in this thread: the event loop runs while the answers are awaited.
    QSignalSpy readable(&client, &QLocalSocket::readyRead);
    QByteArray answers;
    while (answers.count('\n') < 2 && readable.wait(5000))
        answers += client.readAll();
    EXPECT_EQ(answers, "ok\nerror no entry with ID 9\n");
    EXPECT_EQ(served, (QList<Request>{{Kind::Run, 4}, {Kind::Run, 9}}));
    EXPECT_EQ(raised.count(), 1);
}
