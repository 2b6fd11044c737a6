// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CommandLine.h"

#include <gtest/gtest.h>

using namespace CommandLine;

TEST(CommandLine, RebuiltTheWayWindowsHandsItOver) {
    EXPECT_EQ(Rebuild("/opt/Orvane/orvane", {}), "\"/opt/Orvane/orvane\"");
    EXPECT_EQ(Rebuild("/opt/Orvane/orvane", {"hide"}), "\"/opt/Orvane/orvane\" hide");
    EXPECT_EQ(Rebuild("/opt/Orvane/orvane", {""}), "\"/opt/Orvane/orvane\" ");
    EXPECT_EQ(Rebuild("/a b/o", {"x y", "z"}), "\"/a b/o\" x y z");
}

TEST(CommandLine, PlainStartIsTheQuotedPathAloneOrWithOneBlank) {
    const QString exe = "/opt/Orvane/Orvane";
    EXPECT_TRUE(IsPlainStart("\"/opt/Orvane/Orvane\"", exe));
    EXPECT_TRUE(IsPlainStart("\"/opt/Orvane/Orvane\" ", exe));
    EXPECT_TRUE(IsPlainStart("\"/OPT/orvane/ORVANE\"", exe)); // compared in lower case
    EXPECT_FALSE(IsPlainStart("\"/opt/Orvane/Orvane\"  ", exe));
    EXPECT_FALSE(IsPlainStart("\"/opt/Orvane/Orvane\" hide", exe));
    EXPECT_FALSE(IsPlainStart("/opt/Orvane/Orvane", exe));
    EXPECT_FALSE(IsPlainStart("orvane", exe));
}

TEST(CommandLine, OnlyTheQuotedPathWithOneBlankSkipsTheSplash) {
    const QString exe = "/opt/Orvane/orvane";
    EXPECT_TRUE(IsQuotedPathWithBlank(Rebuild(exe, {""}), exe));
    EXPECT_FALSE(IsQuotedPathWithBlank(Rebuild(exe, {}), exe));
    EXPECT_FALSE(IsQuotedPathWithBlank(Rebuild(exe, {"hide"}), exe));
}

TEST(CommandLine, OnlyHelpOrVersionAloneAsksForATextInsteadOfAStart) {
    struct Row {
        QStringList arguments;
        const char* startsWith; // nullptr: Orvane starts
    };
    const Row rows[] = {
        {{"--version"}, "Orvane 9.8.7\n"},
        {{"--help"}, "Usage: orvane [hide]\n"},
        {{}, nullptr},
        {{"hide"}, nullptr},
        {{""}, nullptr},
        {{"--help", "hide"}, nullptr},
        {{"hide", "--version"}, nullptr},
        {{"--HELP"}, nullptr},
        {{"-h"}, nullptr},
        {{"--version "}, nullptr},
    };
    for (const Row& row : rows) {
        const auto text = InformationText(row.arguments, "9.8.7");
        SCOPED_TRACE(row.arguments.join('|').toStdString());
        if (!row.startsWith) {
            EXPECT_FALSE(text.has_value());
            continue;
        }
        ASSERT_TRUE(text.has_value());
        EXPECT_TRUE(text->startsWith(QLatin1String(row.startsWith))) << text->toStdString();
    }
    EXPECT_EQ(*InformationText({"--version"}, "9.8.7"), "Orvane 9.8.7\n");
}
