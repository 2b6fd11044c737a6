// SPDX-License-Identifier: GPL-3.0-or-later
#include "volume/TAudioMixer.h"
#include "ScriptedMixerDriver.h"

#include <QVariant>
#include <gtest/gtest.h>

namespace {
constexpr quint32 kVolume = Mixer::ControlTypeVolume;
constexpr quint32 kMute = Mixer::ControlTypeMute;
constexpr quint32 kMux = Mixer::ControlTypeMux;
constexpr quint32 kMixer = Mixer::ControlTypeMixer;
constexpr quint32 kDestination = 0xFFFF0000;
constexpr int kUntouched = 12345;

ScriptedDevice Device(std::vector<ScriptedDestination> destinations, quint16 manufacturer = 1) {
    ScriptedDevice d;
    d.caps.manufacturerId = manufacturer;
    d.caps.productId = 42;
    d.caps.driverVersion = 0x0501;
    d.caps.productName = QStringLiteral("Speakers") + QChar(0) + QStringLiteral("junk");
    d.caps.destinations = quint32(destinations.size());
    d.destinations = std::move(destinations);
    return d;
}

// One destination line with these controls and channels.
ScriptedDevice LineDevice(quint32 channels, std::vector<ScriptedControl> controls) {
    return Device({{Line(kDestination, channels, std::move(controls)), {}}});
}

ScriptedDevice StereoDevice() {
    return LineDevice(2, {Control(1, kVolume, {30000, 20000}), Control(2, kMute, {0, 0})});
}

struct Reading {
    bool found = false;
    int left = kUntouched, right = kUntouched, mute = kUntouched;
    bool stereo = true, volumeDisabled = false, muteDisabled = false, isSelect = true;
};

Reading Read(TAudioMixer& mixer, int destination = 0, int connection = -1) {
    Reading r;
    r.found = mixer.ReadVolume(destination, connection, r.left, r.right, r.mute, r.stereo,
                               r.volumeDisabled, r.muteDisabled, r.isSelect);
    return r;
}

std::vector<std::vector<qint32>>
Values(const std::vector<ScriptedMixerDriver::DetailsCall>& calls) {
    std::vector<std::vector<qint32>> out;
    out.reserve(calls.size());
    for (const auto& c : calls)
        out.push_back(c.values);
    return out;
}

bool WasRead(const ScriptedMixerDriver& driver, quint32 controlId) {
    return std::any_of(driver.reads.begin(), driver.reads.end(),
                       [&](const auto& c) { return c.controlId == controlId; });
}
} // namespace

TEST(TAudioMixerOpen, OpensDeviceZeroWithNotificationsAndTakesTheTree) {
    ScriptedLine failing = Line(0x10001, 2, {});
    failing.failInfo = true;
    ScriptedLine noControls = Line(0x10002, 2, {Control(11, kVolume, {1, 1})});
    noControls.failControls = true;
    ScriptedDestination main{
        Line(kDestination, 2, {Control(1, kVolume, {1, 1}), Control(2, kMute, {0, 0})}),
        {Line(0x10000, 2, {Control(10, kVolume, {1, 1})}), failing, noControls}};
    ScriptedDestination unreadable{Line(kDestination + 1, 2, {}), {}};
    unreadable.line.failInfo = true;
    auto [driver, mixer] = Make({Device({main, unreadable})});

    ASSERT_EQ(driver->opens.size(), 1u);
    EXPECT_EQ(driver->opens[0].deviceId, 0u);
    EXPECT_TRUE(driver->opens[0].withCallback);
    EXPECT_EQ(mixer->MixerId(), 0);
    EXPECT_EQ(mixer->NumberOfLine(), 2);
    EXPECT_EQ(mixer->ProductName(), QStringLiteral("Speakers"));
    EXPECT_EQ(mixer->DriverVersion(), 0x0501u);
    EXPECT_EQ(mixer->ProductId(), 42);
    EXPECT_EQ(mixer->Manufacturer(), QStringLiteral("Microsoft"));
    EXPECT_EQ(mixer->property("MixerId").toInt(), 0);

    // Lines that cannot be read are left out; a line whose controls fail has none.
    ASSERT_EQ(mixer->Destinations()->Count(), 1);
    TMixerDestination* d = mixer->Destination(0);
    EXPECT_EQ(d->Controls.Count(), 2);
    ASSERT_EQ(d->Connections.Count(), 2);
    EXPECT_EQ(d->Connections.Get(0)->Line.lineId, 0x10000u);
    EXPECT_EQ(d->Connections.Get(0)->Controls.Count(), 1);
    EXPECT_EQ(d->Connections.Get(1)->Line.lineId, 0x10002u);
    EXPECT_EQ(d->Connections.Get(1)->Controls.Count(), 0);
    EXPECT_EQ(d->Connections.Get(2), nullptr);
    EXPECT_EQ(mixer->Destination(1), nullptr);
}

TEST(TAudioMixerOpen, ManufacturerNamesOnlyIdentifierOne) {
    auto [driver, mixer] = Make({Device({}, 2)});
    EXPECT_EQ(mixer->Manufacturer(), QStringLiteral("2 = Unknown"));
}

TEST(TAudioMixerOpen, WithoutDevicesTheTreeIsEmptyAndNothingIsFound) {
    auto [driver, mixer] = Make({});
    EXPECT_TRUE(driver->opens.empty());
    EXPECT_EQ(mixer->MixerId(), -1);
    EXPECT_EQ(mixer->NumberOfLine(), 0);
    ASSERT_NE(mixer->Destinations(), nullptr);
    EXPECT_EQ(mixer->Destinations()->Count(), 0);
    const Reading r = Read(*mixer);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.left, -1);
    EXPECT_EQ(r.right, -1);
    EXPECT_EQ(r.mute, -1);
    EXPECT_FALSE(mixer->WriteVolume(0, -1, 100, 100, 1));
}

TEST(TAudioMixerOpen, ADeviceThatCannotBeOpenedIsTriedThreeTimes) {
    ScriptedDevice device = StereoDevice();
    device.failingOpens = 3;
    auto [driver, mixer] = Make({device});

    ASSERT_EQ(driver->opens.size(), 3u);
    EXPECT_TRUE(driver->opens[0].withCallback);
    EXPECT_TRUE(driver->opens[1].withCallback);
    EXPECT_FALSE(driver->opens[2].withCallback);
    EXPECT_EQ(mixer->MixerId(), -1);
    EXPECT_EQ(mixer->Destinations()->Count(), 0);
    const Reading r = Read(*mixer);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.left, -1);
    EXPECT_EQ(r.mute, -1);
    EXPECT_FALSE(mixer->WriteVolume(0, -1, 100, 100, 1));
    EXPECT_TRUE(driver->writes.empty());
}

TEST(TAudioMixerOpen, TheLastAttemptOpensWithoutNotifications) {
    ScriptedDevice device = StereoDevice();
    device.failingOpens = 2;
    auto [driver, mixer] = Make({device});
    EXPECT_EQ(mixer->MixerId(), 0);
    EXPECT_EQ(Read(*mixer).left, 30000);
    EXPECT_FALSE(driver->Notify(Mixer::ControlChangeMessage, 1));
}

TEST(TAudioMixerOpen, MixerIdOutsideTheDevicesChangesNothingAndTheSameIdReopens) {
    ScriptedDevice second = StereoDevice();
    second.caps.productName = QStringLiteral("Second");
    auto [driver, mixer] = Make({StereoDevice(), second});

    mixer->SetMixerId(2);
    mixer->SetMixerId(-2);
    EXPECT_EQ(driver->opens.size(), 1u);
    EXPECT_EQ(driver->closes, 0);
    EXPECT_EQ(mixer->MixerId(), 0);
    EXPECT_EQ(Read(*mixer).left, 30000);

    mixer->SetMixerId(1);
    EXPECT_EQ(driver->closes, 1);
    EXPECT_EQ(mixer->MixerId(), 1);
    EXPECT_EQ(mixer->ProductName(), QStringLiteral("Second"));

    mixer->setProperty("MixerId", 1);
    EXPECT_EQ(driver->closes, 2);
    EXPECT_EQ(driver->opens.size(), 3u);
    EXPECT_EQ(mixer->MixerId(), 1);
}

TEST(TAudioMixerOpen, AfterCloseMixerReadsAndWritesFindNothingAndTouchNothing) {
    auto [driver, mixer] = Make({StereoDevice()});
    mixer->CloseMixer();
    EXPECT_EQ(driver->closes, 1);
    EXPECT_EQ(mixer->MixerId(), -1);
    EXPECT_EQ(mixer->Destinations(), nullptr);
    const Reading r = Read(*mixer);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.left, kUntouched);
    EXPECT_EQ(r.mute, kUntouched);
    EXPECT_FALSE(mixer->WriteVolume(0, -1, 1, 1, 1));
    EXPECT_TRUE(driver->writes.empty());
}

TEST(TAudioMixerRead, StereoLineGivesBothChannelsAndMute) {
    auto [driver, mixer] = Make({StereoDevice()});
    const Reading r = Read(*mixer);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.left, 30000);
    EXPECT_EQ(r.right, 20000);
    EXPECT_EQ(r.mute, 0);
    EXPECT_TRUE(r.stereo);
    EXPECT_FALSE(r.volumeDisabled);
    EXPECT_FALSE(r.muteDisabled);
    EXPECT_FALSE(r.isSelect);
    ASSERT_FALSE(driver->reads.empty());
    EXPECT_EQ(driver->reads[0].channels, 2u);
    EXPECT_EQ(driver->reads[0].items, 0u);
}

TEST(TAudioMixerRead, MonoAndUniformVolumeReadRightAsLeft) {
    for (const auto& [channels, flags] :
         {std::pair{1u, 0u}, std::pair{2u, Mixer::ControlFlagUniform}}) {
        auto [driver, mixer] =
            Make({LineDevice(channels, {Control(1, kVolume, {700, 9999}, flags)})});
        const Reading r = Read(*mixer);
        EXPECT_EQ(r.left, 700);
        EXPECT_EQ(r.right, 700);
        EXPECT_FALSE(r.stereo);
        EXPECT_EQ(driver->reads.at(0).channels, 1u);
    }
}

TEST(TAudioMixerRead, OnlyTheFirstReadableVolumeAndMuteControlsCount) {
    ScriptedControl unreadable = Control(7, kVolume, {1, 1});
    unreadable.failValues = true;
    auto [driver, mixer] =
        Make({LineDevice(2, {Control(5, kVolume, {11, 11}, Mixer::ControlFlagMultiple), unreadable,
                             Control(1, kVolume, {100, 200}, Mixer::ControlFlagDisabled),
                             Control(3, kVolume, {900, 900}), Control(2, kMute, {3, 0}),
                             Control(4, kMute, {0, 0})})});
    const Reading r = Read(*mixer);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right, 200);
    EXPECT_TRUE(r.volumeDisabled);
    EXPECT_EQ(r.mute, 1); // any non-zero element is muted
    EXPECT_FALSE(r.muteDisabled);
    EXPECT_FALSE(WasRead(*driver, 5)); // multiple-item controls are never volume or mute
    EXPECT_FALSE(WasRead(*driver, 3));
    EXPECT_FALSE(WasRead(*driver, 4));
}

TEST(TAudioMixerRead, ALineWithoutControlsReadsMinusOne) {
    auto [driver, mixer] = Make({LineDevice(2, {Control(9, 0x10010000, {1})})});
    const Reading r = Read(*mixer);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.left, -1);
    EXPECT_EQ(r.right, -1);
    EXPECT_EQ(r.mute, -1);
    EXPECT_FALSE(r.stereo);
    EXPECT_TRUE(r.volumeDisabled);
    EXPECT_TRUE(r.muteDisabled);
    EXPECT_FALSE(Read(*mixer, 1).found);
    EXPECT_FALSE(Read(*mixer, 0, 0).found);
}

TEST(TAudioMixerWrite, StereoVolumeAndMuteAreWritten) {
    auto [driver, mixer] = Make({StereoDevice()});
    EXPECT_TRUE(mixer->WriteVolume(0, -1, 1000, 2000, 1));
    EXPECT_EQ(Values(driver->WritesOf(1)), (std::vector<std::vector<qint32>>{{1000, 2000}}));
    EXPECT_EQ(Values(driver->WritesOf(2)), (std::vector<std::vector<qint32>>{{1, 1}}));
}

TEST(TAudioMixerWrite, MinusOneLeavesValuesAlone) {
    auto [driver, mixer] = Make({StereoDevice()});
    mixer->WriteVolume(0, -1, 1000, -1, -1); // right -1: left on both channels
    mixer->WriteVolume(0, -1, -1, 5, 0);     // left -1: no volume
    EXPECT_EQ(Values(driver->WritesOf(1)), (std::vector<std::vector<qint32>>{{1000, 1000}}));
    EXPECT_EQ(Values(driver->WritesOf(2)), (std::vector<std::vector<qint32>>{{0, 0}}));
}

TEST(TAudioMixerWrite, MonoAndUniformVolumeWriteOnlyLeft) {
    for (const auto& [channels, flags] :
         {std::pair{1u, 0u}, std::pair{2u, Mixer::ControlFlagUniform}}) {
        auto [driver, mixer] = Make({LineDevice(channels, {Control(1, kVolume, {0}, flags)})});
        mixer->WriteVolume(0, -1, 700, 900, -1);
        ASSERT_EQ(driver->writes.size(), 1u);
        EXPECT_EQ(driver->writes[0].channels, 1u);
        EXPECT_EQ(driver->writes[0].values, std::vector<qint32>{700});
    }
}

TEST(TAudioMixerWrite, OnlyTheFirstVolumeAndMuteControlsAndNoMultipleItemControl) {
    auto [driver, mixer] = Make({LineDevice(
        2, {Control(5, kMute, {0, 0}, Mixer::ControlFlagMultiple), Control(1, kVolume, {0, 0}),
            Control(3, kVolume, {0, 0}), Control(2, kMute, {0, 0}), Control(4, kMute, {0, 0})})});
    mixer->WriteVolume(0, -1, 10, 20, 1);
    ASSERT_EQ(driver->writes.size(), 2u);
    EXPECT_EQ(driver->writes[0].controlId, 1u);
    EXPECT_EQ(driver->writes[1].controlId, 2u);
}

TEST(TAudioMixerWrite, ChannelsPastTheSecondKeepTheirValues) {
    auto [driver, mixer] = Make({LineDevice(6, {Control(1, kVolume, {1, 2, 3, 4, 5, 6})})});
    mixer->WriteVolume(0, -1, 100, 200, -1);
    EXPECT_EQ(Values(driver->WritesOf(1)),
              (std::vector<std::vector<qint32>>{{100, 200, 3, 4, 5, 6}}));
}

TEST(TAudioMixerWrite, AnUnreadableLineOfManyChannelsKeepsItsVolume) {
    ScriptedControl unreadable = Control(1, kVolume, {1, 2, 3, 4, 5, 6});
    unreadable.failValues = true;
    auto [driver, mixer] = Make({LineDevice(
        6, {unreadable, Control(3, kVolume, {0, 0, 0, 0, 0, 0}), Control(2, kMute, {0})})});
    EXPECT_TRUE(mixer->WriteVolume(0, -1, 100, 200, 1));
    // The first volume control was tried; the write goes to the mute control only.
    EXPECT_TRUE(WasRead(*driver, 1));
    ASSERT_EQ(driver->writes.size(), 1u);
    EXPECT_EQ(driver->writes[0].controlId, 2u);
}

TEST(TAudioMixerWrite, AMissingLineWritesNothing) {
    auto [driver, mixer] = Make({StereoDevice()});
    EXPECT_FALSE(mixer->WriteVolume(1, -1, 1, 1, 1));
    EXPECT_FALSE(mixer->WriteVolume(0, 3, 1, 1, 1));
    EXPECT_TRUE(driver->writes.empty());
}

namespace {
// A recording destination whose selection control lists three sources; the third has a
// mute control of its own; a fourth source is not listed.
ScriptedDevice SelectionDevice(ScriptedControl selection,
                               std::vector<ScriptedControl> before = {}) {
    before.push_back(std::move(selection));
    ScriptedDestination d{Line(kDestination, 2, std::move(before)),
                          {Line(0x10000, 2, {Control(30, kVolume, {5, 5})}),
                           Line(0x10001, 2, {Control(31, kVolume, {5, 5})}),
                           Line(0x10002, 2, {Control(32, kMute, {1, 1})}),
                           Line(0x10003, 2, {Control(33, kVolume, {5, 5})})}};
    return Device({d});
}

ScriptedControl Mux(quint32 id = 20, quint32 flags = 0) {
    return Selection(id, kMux, {0x10000, 0x10001, 0x10002}, {0, 1, 0}, flags);
}
} // namespace

TEST(TAudioMixerSelection, ASourceWithoutMuteReadsItsSelectionState) {
    auto [driver, mixer] = Make({SelectionDevice(Mux(20, Mixer::ControlFlagDisabled))});
    Reading r = Read(*mixer, 0, 1);
    EXPECT_EQ(r.mute, 1);
    EXPECT_TRUE(r.isSelect);
    EXPECT_TRUE(r.muteDisabled);
    EXPECT_EQ(r.left, 5);
    r = Read(*mixer, 0, 0);
    EXPECT_EQ(r.mute, 0);
    EXPECT_TRUE(r.isSelect);
    // Its own mute control wins; a line not listed has no mute; the destination itself
    // never looks at its selection.
    r = Read(*mixer, 0, 2);
    EXPECT_EQ(r.mute, 1);
    EXPECT_FALSE(r.isSelect);
    r = Read(*mixer, 0, 3);
    EXPECT_EQ(r.mute, -1);
    EXPECT_FALSE(r.isSelect);
    EXPECT_EQ(Read(*mixer).mute, -1);
}

TEST(TAudioMixerSelection, ReadSkipsASelectionControlThatFailsToAnswer) {
    ScriptedControl broken = Mux(21);
    broken.failTexts = true;
    auto [driver, mixer] = Make({SelectionDevice(Selection(20, kMixer, {0x10000}, {1}), {broken})});
    const Reading r = Read(*mixer, 0, 0);
    EXPECT_EQ(r.mute, 1);
    EXPECT_TRUE(r.isSelect);
}

TEST(TAudioMixerSelection, WritingAMuxSelectsOneSourceAndDeselectsTheOthers) {
    auto [driver, mixer] = Make({SelectionDevice(Mux())});
    EXPECT_TRUE(mixer->WriteVolume(0, 0, -1, -1, 1));
    EXPECT_EQ(Values(driver->WritesOf(20)), (std::vector<std::vector<qint32>>{{1, 0, 0}}));
    EXPECT_EQ(driver->writes[0].items, 3u);
    EXPECT_EQ(driver->writes[0].channels, 1u);
    EXPECT_EQ(Read(*mixer, 0, 0).mute, 1);
    EXPECT_EQ(Read(*mixer, 0, 1).mute, 0);
}

TEST(TAudioMixerSelection, WritingAMixerChangesOnlyThatSource) {
    auto [driver, mixer] =
        Make({SelectionDevice(Selection(20, kMixer, {0x10000, 0x10001, 0x10002}, {0, 1, 0}))});
    mixer->WriteVolume(0, 0, -1, -1, 1);
    mixer->WriteVolume(0, 1, -1, -1, 0);
    EXPECT_EQ(Values(driver->WritesOf(20)),
              (std::vector<std::vector<qint32>>{{1, 1, 0}, {1, 0, 0}}));
}

TEST(TAudioMixerSelection, TheFirstSelectionControlEndsTheWriteEvenWhenItFails) {
    ScriptedControl broken = Mux(20);
    broken.failTexts = true;
    auto [driver, mixer] = Make({SelectionDevice(Mux(21), {broken})});
    mixer->WriteVolume(0, 0, -1, -1, 1);
    EXPECT_TRUE(driver->writes.empty());
    // A source that is not listed writes nothing either.
    auto [driver2, mixer2] = Make({SelectionDevice(Mux())});
    mixer2->WriteVolume(0, 3, -1, -1, 1);
    EXPECT_TRUE(driver2->writes.empty());
}

TEST(TAudioMixerSelection, ManyItemsAreReadAndWrittenWithoutOverrun) {
    std::vector<quint32> lines(300, 0x1FFFF);
    std::vector<qint32> selected(300, 0);
    lines[250] = 0x10001;
    selected[250] = 1;
    auto [driver, mixer] = Make({SelectionDevice(Selection(20, kMux, lines, selected))});
    EXPECT_EQ(Read(*mixer, 0, 1).mute, 1);
    mixer->WriteVolume(0, 1, -1, -1, 1);
    ASSERT_EQ(driver->writes.size(), 1u);
    EXPECT_EQ(driver->writes[0].values.size(), 300u);
    EXPECT_EQ(driver->writes[0].values[250], 1);
}

TEST(TAudioMixerEvents, ChangeMessagesReachTheEventsThatAreSet) {
    auto [driver, mixer] = Make({StereoDevice()});
    EXPECT_TRUE(driver->Notify(Mixer::ControlChangeMessage, 7)); // unset: dropped

    std::vector<std::tuple<TAudioMixer*, qint32, qint32>> lines, controls;
    mixer->OnLineChange = [&](TAudioMixer* s, qint32 h, qint32 id) {
        lines.emplace_back(s, h, id);
    };
    mixer->OnControlChange = [&](TAudioMixer* s, qint32 h, qint32 id) {
        controls.emplace_back(s, h, id);
    };
    driver->Notify(Mixer::ControlChangeMessage, 7);
    driver->Notify(Mixer::LineChangeMessage, 0xFFFF0000);
    driver->Notify(0x3D2, 9);

    const qint32 handle = qint32(driver->handle());
    ASSERT_EQ(controls.size(), 1u);
    EXPECT_EQ(controls[0], std::make_tuple(mixer.get(), handle, 7));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::make_tuple(mixer.get(), handle, qint32(0xFFFF0000)));
}
