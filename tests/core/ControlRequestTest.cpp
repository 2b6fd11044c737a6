// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ControlRequest.h"
#include "core/SingleInstance.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace ControlRequest;

TEST(ControlRequest, ArgumentsMakeARequestOnlyWhenAnOptionLeadsAlone) {
    const struct {
        QStringList arguments;
        std::optional<Request> request; // none: an ordinary start, or a wrong use
        const char* error;
    } rows[] = {
        {{"hide"}, std::nullopt, ""},
        {{"hide", "--pause"}, std::nullopt, ""},
        {{"--run", "12"}, Request{Kind::Run, 12}, ""},
        {{"--toggle-pause"}, Request{Kind::TogglePause, 0}, ""},
        {{"--run"}, std::nullopt, "--run takes one entry ID"},
        {{"--run", "1", "2"}, std::nullopt, "--run takes one entry ID"},
        {{"--run", " 7"}, std::nullopt, "--run:  7 is no entry ID"},
        {{"--pause", "now"}, std::nullopt, "--pause takes no argument"},
    };
    for (const auto& row : rows) {
        const Parsed parsed = FromArguments(row.arguments);
        EXPECT_EQ(parsed.request, row.request) << row.arguments.join(u' ').toStdString();
        EXPECT_EQ(parsed.error, QString::fromUtf8(row.error));
    }
}

TEST(ControlRequest, EveryRequestComesBackFromItsLineAndNoOtherLineIsOne) {
    for (const Kind k :
         {Kind::Raise, Kind::Show, Kind::Run, Kind::Pause, Kind::Resume, Kind::TogglePause})
        EXPECT_EQ(FromLine(ToLine({k, k == Kind::Run ? 42 : 0})),
                  (Request{k, k == Kind::Run ? 42 : 0}));
    for (const char* junk : {"raise", "run\n", "run x\n", "run 1 2\n", "RUN 1\n", "pause \n"})
        EXPECT_EQ(FromLine(junk), std::nullopt) << junk;
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
    EXPECT_EQ(ErrorOfAnswer(answers.left(3)), QString());
    EXPECT_EQ(served, (QList<Request>{{Kind::Run, 4}, {Kind::Run, 9}}));
    EXPECT_EQ(raised.count(), 1);
}
