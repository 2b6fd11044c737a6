// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/alsa/AlsaVolumeScale.h"

#include <gtest/gtest.h>

using namespace AlsaVolumeScale;

TEST(AlsaVolumeScale, EveryMixerValueSurvivesAWriteAndReadOnAFineRange) {
    // PulseAudio's range, one step wider than the mixer scale.
    for (int units = 0; units <= 65535; ++units) {
        const long raw = ToRaw(units, 0, 65536);
        ASSERT_EQ(ToUnits(raw, 0, 65536), units) << units;
    }
    EXPECT_EQ(ToUnits(0, 0, 65536), 0);
    EXPECT_EQ(ToUnits(65536, 0, 65536), 65535);
    EXPECT_EQ(ToUnits(-90, -100, 0), 6554); // ranges need not start at 0
    EXPECT_EQ(ToRaw(65535, -100, 0), 0);
    EXPECT_EQ(ToUnits(5, 3, 3), 0); // an empty range
}

TEST(AlsaVolumeScale, WritingBackWhatWasReadKeepsTheRawValue) {
    for (long raw = 0; raw <= 65536; raw += 7)
        ASSERT_EQ(RawForWrite(ToUnits(raw, 0, 65536), raw, 0, 65536), raw) << raw;
}

TEST(AlsaVolumeScale, SmallStepsMoveACoarseElementByOneStep) {
    // A card with 32 steps: 655 units is a third of a step.
    const long raw = 20;
    const int units = ToUnits(raw, 0, 31);
    EXPECT_EQ(RawForWrite(units + 655, raw, 0, 31), 21);
    EXPECT_EQ(RawForWrite(units - 655, raw, 0, 31), 19);
    EXPECT_EQ(RawForWrite(65535, 31, 0, 31), 31);
    EXPECT_EQ(RawForWrite(0, 0, 0, 31), 0);
    EXPECT_EQ(RawForWrite(units + 13107, raw, 0, 31), ToRaw(units + 13107, 0, 31));
}
