// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/KeyRepeatFilter.h"

#include <gtest/gtest.h>

TEST(KeyRepeatFilter, DetectableAutoRepeatPressesWithoutReleases) {
    KeyRepeatFilter f(true);
    EXPECT_FALSE(f.press(45, 1000));
    EXPECT_TRUE(f.press(45, 1660));
    EXPECT_TRUE(f.press(45, 1700));
    f.release(45, 1720);
    EXPECT_FALSE(f.press(45, 1900));
}

TEST(KeyRepeatFilter, ClassicAutoRepeatReleaseAndPressShareATimeStamp) {
    KeyRepeatFilter f;
    EXPECT_FALSE(f.press(45, 1000));
    f.release(45, 1660);
    EXPECT_TRUE(f.press(45, 1660));
    f.release(45, 1700);
    EXPECT_TRUE(f.press(45, 1700));
    f.release(45, 1705);
    EXPECT_FALSE(f.press(45, 1800)); // a real release came between
}

TEST(KeyRepeatFilter, KeysAreIndependent) {
    KeyRepeatFilter f;
    EXPECT_FALSE(f.press(45, 1000));
    EXPECT_FALSE(f.press(46, 1010));
    EXPECT_TRUE(f.press(45, 1040));
}

TEST(KeyRepeatFilter, ALostReleaseDoesNotSilenceTheKeyForGood) {
    KeyRepeatFilter f;
    EXPECT_FALSE(f.press(45, 1000));
    // The release never arrived (a grab broken by another client, say).
    EXPECT_FALSE(f.press(45, 1000 + KeyRepeatFilter::MaxRepeatGapMs + 1));
}

TEST(KeyRepeatFilter, ServerTimeWrapsAround) {
    KeyRepeatFilter f;
    EXPECT_FALSE(f.press(45, 0xFFFFFFF0u));
    EXPECT_TRUE(f.press(45, 0x10u));
}

TEST(KeyRepeatFilter, WithDetectableAutoRepeatAFastNewPressIsNeverARepeat) {
    KeyRepeatFilter f(true);
    EXPECT_FALSE(f.press(45, 1000));
    f.release(45, 1000);
    EXPECT_FALSE(f.press(45, 1000)); // synthetic presses can share a millisecond
}
