// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

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
