// SPDX-License-Identifier: GPL-3.0-or-later
#include "volume/VolumeFunctions.h"
#include "ScriptedMixerDriver.h"
#include "settings/SettingsStore.h"
#include "volume/TAudioMixer.h"
#include "volume/VolumeController.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace VolumeFunctions;

namespace {
constexpr quint32 kDestination = 0xFFFF0000;

ScriptedDevice Device(std::vector<ScriptedControl> controls) {
    ScriptedDevice d;
    d.caps.destinations = 1;
    d.destinations = {{Line(kDestination, 2, std::move(controls)), {}}};
    return d;
}

ScriptedDevice StereoDevice(qint32 left, qint32 right, qint32 mute) {
    return Device({Control(1, Mixer::ControlTypeVolume, {left, right}),
                   Control(2, Mixer::ControlTypeMute, {mute, mute})});
}

std::vector<std::vector<qint32>> Writes(const ScriptedMixerDriver& d, quint32 controlId) {
    std::vector<std::vector<qint32>> out;
    for (const auto& c : d.WritesOf(controlId))
        out.push_back(c.values);
    return out;
}

void ExpectLevel(const VolumeLevel& v, int left, int right, int mute) {
    EXPECT_EQ(v.left, left);
    EXPECT_EQ(v.right, right);
    EXPECT_EQ(v.mute, mute);
}
} // namespace

TEST(VolumeArithmetic, StepsClampAtTheEndsWithFloatingComparisons) {
    EXPECT_EQ(StepUp(65000, 655), 65535); // 65000 >= 64880
    EXPECT_EQ(StepUp(64000, 655), 64655);
    EXPECT_EQ(StepUp(64880, 655), 65535);
    EXPECT_EQ(StepUp(64879, 655), 65534);
    EXPECT_EQ(StepDown(655, 655), 0); // 655 is not greater than 655
    EXPECT_EQ(StepDown(656, 655), 1);
    EXPECT_EQ(StepUp(1000, 655.35), 1655); // the sum is truncated
    EXPECT_EQ(StepDown(1000, 655.35), 344);
    EXPECT_EQ(StepUp(64879, 655.35), 65534);
    EXPECT_EQ(StepUp(64880, 655.35), 65535);
}

TEST(VolumeArithmetic, ChannelsStepApartUntilBothReachTheLimit) {
    EXPECT_EQ(StepUp(65535, 13107), 65535);
    EXPECT_EQ(StepUp(60000, 13107), 65535);
    EXPECT_EQ(StepDown(65535, 13107), 52428);
    EXPECT_EQ(StepUp(20000, 13107) - StepUp(10000, 13107), 10000);
}

TEST(VolumeArithmetic, MinusOneAndMute) {
    EXPECT_EQ(StepUp(-1, 655.35), 654);
    EXPECT_EQ(StepDown(-1, 655.35), 0);
    EXPECT_EQ(ToggledMute(1), 0);
    EXPECT_EQ(ToggledMute(0), 1);
    EXPECT_EQ(ToggledMute(-1), 1);
}

TEST(VolumeFunctions, UpAndDownStepBothChannelsAndWriteMuteBack) {
    auto [driver, mixer] = Make({StereoDevice(30000, 500, 1)});
    ExpectLevel(VolumeUp(*mixer, 655.35), 30655, 1155, 1);
    ExpectLevel(VolumeDown(*mixer, 1000), 29655, 155, 1);
    ExpectLevel(VolumeDown(*mixer, 1000), 28655, 0, 1);
    EXPECT_EQ(Writes(*driver, 1),
              (std::vector<std::vector<qint32>>{{30655, 1155}, {29655, 155}, {28655, 0}}));
    EXPECT_EQ(Writes(*driver, 2), (std::vector<std::vector<qint32>>(3, {1, 1})));
}

TEST(VolumeFunctions, MuteTogglesAndKeepsTheVolume) {
    auto [driver, mixer] = Make({StereoDevice(30000, 20000, 0)});
    ExpectLevel(VolumeMute(*mixer), 30000, 20000, 1);
    ExpectLevel(VolumeMute(*mixer), 30000, 20000, 0);
    EXPECT_EQ(Writes(*driver, 2), (std::vector<std::vector<qint32>>{{1, 1}, {0, 0}}));
    EXPECT_EQ(Writes(*driver, 1), (std::vector<std::vector<qint32>>(2, {30000, 20000})));
}

// A value that could not be read stays -1, so the window never shows a volume computed
// from -1 (0.998 percent, mute set).
TEST(VolumeFunctions, WithoutADeviceNothingIsWrittenAndTheReturnSaysSo) {
    auto [driver, mixer] = Make({});
    ASSERT_EQ(mixer->MixerId(), -1);
    for (const VolumeLevel& v :
         {VolumeUp(*mixer, 655.35), VolumeDown(*mixer, 655.35), VolumeMute(*mixer)}) {
        ExpectLevel(v, -1, -1, -1);
        EXPECT_TRUE(v.noDevice);
    }
    EXPECT_TRUE(driver->writes.empty());
}

TEST(VolumeFunctions, AValueThatCouldNotBeReadIsNotOverwrittenNorReturned) {
    ScriptedControl volume = Control(1, Mixer::ControlTypeVolume, {30000, 30000});
    volume.failValues = true;
    ScriptedControl mute = Control(2, Mixer::ControlTypeMute, {0, 0});
    mute.failValues = true;
    auto [driver, mixer] = Make({Device({volume, mute})});
    ASSERT_EQ(mixer->MixerId(), 0);
    const VolumeLevel up = VolumeUp(*mixer, 655.35);
    ExpectLevel(up, -1, -1, -1);
    EXPECT_FALSE(up.noDevice); // the device is there, only its controls do not answer
    ExpectLevel(VolumeMute(*mixer), -1, -1, -1);
    EXPECT_TRUE(driver->writes.empty());
}

TEST(VolumeFunctions, ALineWithoutMuteReturnsTheVolumeWrittenAndMuteMinusOne) {
    auto [driver, mixer] = Make({Device({Control(1, Mixer::ControlTypeVolume, {1000, 2000})})});
    ExpectLevel(VolumeUp(*mixer, 655), 1655, 2655, -1);
    ExpectLevel(VolumeMute(*mixer), 1655, 2655, -1);
    EXPECT_EQ(Writes(*driver, 1), (std::vector<std::vector<qint32>>{{1655, 2655}, {1655, 2655}}));
}

// What is shown is what the line holds after the write: a line that took no write (its
// sound server dropped the output behind it) is not shown as stepped.
TEST(VolumeFunctions, ReturnTheLevelTheLineHoldsAfterTheWrite) {
    ScriptedDevice device = StereoDevice(30000, 20000, 0);
    device.destinations[0].line.controls[0].ignoreWrites = true;
    auto [driver, mixer] = Make({device});
    ExpectLevel(VolumeUp(*mixer, 655), 30000, 20000, 0);
    EXPECT_EQ(Writes(*driver, 1), (std::vector<std::vector<qint32>>{{30655, 20655}}));
}

TEST(VolumeFunctions, ALostDeviceIsReopenedBeforeTheRead) {
    auto [driver, mixer] = Make({StereoDevice(30000, 30000, 0)});
    driver->lost = true; // the sound server ended and came back
    driver->devices[0].destinations[0].line.controls[0].values = {10000, 10000};
    ExpectLevel(VolumeUp(*mixer, 655), 10655, 10655, 0);
    EXPECT_EQ(driver->opens.size(), 2u);
    EXPECT_EQ(driver->closes, 1);
    EXPECT_EQ(mixer->MixerId(), 0);
    // A device that answers is not reopened.
    VolumeUp(*mixer, 655);
    EXPECT_EQ(driver->opens.size(), 2u);
}

TEST(VolumeFunctions, ADeviceMissingAtStartIsOpenedByTheNextPress) {
    ScriptedDevice device = StereoDevice(30000, 30000, 0);
    device.failingOpens = 3;
    auto [driver, mixer] = Make({device});
    ASSERT_EQ(mixer->MixerId(), -1);
    const VolumeLevel v = VolumeUp(*mixer, 655);
    ExpectLevel(v, 30655, 30655, 0);
    EXPECT_FALSE(v.noDevice);
    EXPECT_EQ(Writes(*driver, 1), (std::vector<std::vector<qint32>>{{30655, 30655}}));
}

TEST(VolumeController, StepsByTheSettingAndReportsWhatItWrote) {
    auto driver = std::make_unique<ScriptedMixerDriver>();
    driver->devices = {StereoDevice(30000, 20000, 0)};
    ScriptedMixerDriver& d = *driver;
    SettingsStore settings;
    VolumeController volume(std::move(driver), settings);
    QSignalSpy written(&volume, &VolumeController::levelWritten);

    volume.VolumeUp(); // before the settings: one hundredth of full scale, truncated per sum
    settings.LoadDefaults();
    volume.VolumeUp(); // index 3: 655 units
    settings.setValue(Setting::VolumeStep, 8);
    volume.VolumeDown();                        // 13107 units
    settings.setValue(Setting::VolumeStep, 42); // no selection: the step stays
    volume.VolumeDown();
    EXPECT_EQ(Writes(d, 1), (std::vector<std::vector<qint32>>{
                                {30655, 20655}, {31310, 21310}, {18203, 8203}, {5096, 0}}));
    ASSERT_EQ(written.size(), 4);
    EXPECT_EQ(written.last(), (QList<QVariant>{5096, 0, 0}));
}

TEST(VolumeController, WithoutADeviceItSaysSo) {
    SettingsStore settings;
    VolumeController volume(std::make_unique<ScriptedMixerDriver>(), settings);
    QSignalSpy none(&volume, &VolumeController::noDevice);
    QSignalSpy written(&volume, &VolumeController::levelWritten);
    volume.VolumeMute();
    EXPECT_EQ(none.size(), 1);
    EXPECT_TRUE(written.isEmpty());
}
