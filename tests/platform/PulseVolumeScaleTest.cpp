// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pulse/PulseVolumeScale.h"

#include <gtest/gtest.h>
#include <pulse/channelmap.h>
#include <vector>

namespace {
struct Sink {
    pa_cvolume volume{};
    pa_channel_map map{};
};

Sink Make(pa_channel_map_def_t layout, std::vector<pa_volume_t> volumes) {
    Sink s;
    pa_channel_map_init_auto(&s.map, unsigned(volumes.size()), layout);
    s.volume.channels = quint8(volumes.size());
    std::copy(volumes.begin(), volumes.end(), s.volume.values);
    return s;
}

std::vector<qint32> Read(const Sink& s, std::size_t channels) {
    std::vector<qint32> values(channels);
    PulseVolumeScale::Read(s.volume, s.map, values);
    return values;
}

std::vector<pa_volume_t> Written(const Sink& s, const std::vector<qint32>& values) {
    const pa_cvolume out = PulseVolumeScale::Written(s.volume, s.map, values);
    return {out.values, out.values + out.channels};
}
} // namespace

TEST(PulseVolumeScale, StereoAndMonoSinksChannelByChannel) {
    const Sink stereo = Make(PA_CHANNEL_MAP_DEFAULT, {30000, 20000});
    EXPECT_EQ(Read(stereo, 2), (std::vector<qint32>{30000, 20000}));
    EXPECT_EQ(Read(stereo, 1), (std::vector<qint32>{30000})); // the louder one
    EXPECT_EQ(Written(stereo, {30655, 20655}), (std::vector<pa_volume_t>{30655, 20655}));
    EXPECT_EQ(Written(stereo, {64880, 64880}), (std::vector<pa_volume_t>{64881, 64881}));

    const Sink mono = Make(PA_CHANNEL_MAP_DEFAULT, {40000});
    EXPECT_EQ(Read(mono, 2), (std::vector<qint32>{39999, 39999}));
    EXPECT_EQ(Written(mono, {40654, 40654}), (std::vector<pa_volume_t>{40655}));
}

// What is written back as it was read stays as the server had it, also above 100 %.
TEST(PulseVolumeScale, AValueWrittenBackKeepsTheSinksOwn) {
    const Sink loud = Make(PA_CHANNEL_MAP_DEFAULT, {98304, 65537});
    EXPECT_EQ(Read(loud, 2), (std::vector<qint32>{65535, 65535}));
    EXPECT_EQ(Written(loud, {65535, 65535}), (std::vector<pa_volume_t>{98304, 65537}));
    EXPECT_EQ(Written(loud, {65535, 64880}), (std::vector<pa_volume_t>{98304, 64881}));
}

// A surround sink shows its loudest left and right channels; a step moves every channel and
// keeps the balance and the centre's share.
TEST(PulseVolumeScale, ASurroundSinkIsSteppedAsItsTwoSides) {
    const Sink surround =
        Make(PA_CHANNEL_MAP_ALSA, {40000, 20000, 40000, 20000, 30000, 30000}); // FL FR RL RR FC LFE
    ASSERT_EQ(surround.map.map[4], PA_CHANNEL_POSITION_FRONT_CENTER);
    EXPECT_EQ(Read(surround, 2), (std::vector<qint32>{39999, 20000}));
    EXPECT_EQ(Written(surround, Read(surround, 2)),
              (std::vector<pa_volume_t>{40000, 20000, 40000, 20000, 30000, 30000}));

    const std::vector<pa_volume_t> up = Written(surround, {52000, 26000});
    const Sink stepped = Make(PA_CHANNEL_MAP_ALSA, up);
    const std::vector<qint32> read = Read(stepped, 2);
    EXPECT_NEAR(read[0], 52000, 1);
    EXPECT_NEAR(read[1], 26000, 1);
    EXPECT_NEAR(double(up[4]) / up[0], 0.75, 0.001);
}
