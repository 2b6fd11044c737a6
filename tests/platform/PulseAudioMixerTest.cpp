// SPDX-License-Identifier: GPL-3.0-or-later
// The mixer and the volume functions on the real sound system, a PulseAudio server that the
// test starts itself: through the driver the system picks (the server's own protocol) and
// through ALSA's default device and its PulseAudio plugin, as on a system without one.
#include "PulseAudioServer.h"
#include "platform/alsa/AlsaMixerDriver.h"
#include "volume/TAudioMixer.h"
#include "volume/VolumeFunctions.h"

#include <gtest/gtest.h>

using namespace VolumeFunctions;

namespace {
// PulseAudio's full scale is 65536; the mixer's is 65535. Sink volumes below half scale
// keep their number on the mixer scale, so the steps are easy to read.
constexpr int kStart = 30000;

PulseAudioServer* server = nullptr;

// One server for the whole program: ALSA reads its configuration once.
class PulseAudioEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        server = new PulseAudioServer;
        server->PrepareClientEnvironment();
    }
    void TearDown() override {
        delete server;
        server = nullptr;
    }
};
[[maybe_unused]] auto* const environment =
    ::testing::AddGlobalTestEnvironment(new PulseAudioEnvironment);

class PulseAudioMixer : public ::testing::Test {
protected:
    void SetUp() override {
        QString error;
        ASSERT_TRUE(server->Start(&error)) << error.toStdString();
        ASSERT_FALSE(server
                         ->Pactl({"set-sink-volume", PulseAudioServer::kSink,
                                  QString::number(kStart), QString::number(kStart - 10000)})
                         .isNull());
    }
    void TearDown() override { server->Stop(); }

    static std::unique_ptr<TAudioMixer> OpenMixer() {
        return std::make_unique<TAudioMixer>(CreateMixerDriver());
    }
};

struct Driver {
    const char* name;
    std::unique_ptr<MixerDriver> (*make)();
    QString productName;
    QString lineName;
};

void PrintTo(const Driver& driver, std::ostream* out) {
    *out << driver.name;
}

class PulseAudioMixerDriver : public PulseAudioMixer, public ::testing::WithParamInterface<Driver> {
protected:
    std::unique_ptr<TAudioMixer> OpenMixer() const {
        return std::make_unique<TAudioMixer>(GetParam().make());
    }
};

INSTANTIATE_TEST_SUITE_P(
    Drivers, PulseAudioMixerDriver,
    ::testing::Values(Driver{"System", &CreateMixerDriver, "pulseaudio", "Null Output"},
                      Driver{"Alsa",
                             [] { return std::unique_ptr<MixerDriver>(new AlsaMixerDriver); },
                             "PulseAudio", "Master"}),
    [](const auto& info) { return std::string(info.param.name); });

QList<int> Both(int left, int right) {
    return {left, right};
}

const MixerControl* ControlOfType(const TMixerControls& controls, quint32 type) {
    for (int i = 0; i < controls.Count(); ++i) {
        if (controls.Get(i)->controlType == type)
            return controls.Get(i);
    }
    return nullptr;
}
} // namespace

TEST_P(PulseAudioMixerDriver, DeviceZeroIsTheDefaultOutputWithAStereoLine) {
    const auto mixer = OpenMixer();
    EXPECT_EQ(mixer->MixerId(), 0);
    EXPECT_EQ(mixer->ProductName(), GetParam().productName);
    EXPECT_EQ(mixer->Manufacturer(), QStringLiteral("0 = Unknown"));
    ASSERT_GE(mixer->NumberOfLine(), 1);
    const TMixerDestination* master = mixer->Destination(0);
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(master->Line.name, GetParam().lineName);
    EXPECT_EQ(master->Line.channels, 2u);
    EXPECT_NE(ControlOfType(master->Controls, Mixer::ControlTypeVolume), nullptr);
    EXPECT_NE(ControlOfType(master->Controls, Mixer::ControlTypeMute), nullptr);

    int left, right, mute;
    bool stereo, volumeDisabled, muteDisabled, isSelect;
    ASSERT_TRUE(mixer->ReadVolume(0, -1, left, right, mute, stereo, volumeDisabled, muteDisabled,
                                  isSelect));
    EXPECT_EQ(left, kStart);
    EXPECT_EQ(right, kStart - 10000);
    EXPECT_EQ(mute, 0);
    EXPECT_TRUE(stereo);
    EXPECT_FALSE(volumeDisabled);
    EXPECT_FALSE(muteDisabled);
}

TEST_P(PulseAudioMixerDriver, VolumeUpAndDownMoveTheSinkByTheStep) {
    const auto mixer = OpenMixer();
    const VolumeLevel up = VolumeUp(*mixer, 655.35);
    EXPECT_EQ(up.left, kStart + 655);
    EXPECT_EQ(server->SinkVolume(), Both(kStart + 655, kStart - 10000 + 655));
    VolumeDown(*mixer, 13107);
    EXPECT_EQ(server->SinkVolume(), Both(kStart + 655 - 13107, kStart - 10000 + 655 - 13107));
    EXPECT_EQ(server->SinkMuted(), 0);
}

TEST_P(PulseAudioMixerDriver, VolumeMuteTogglesTheSinkMuteAndKeepsTheVolume) {
    const auto mixer = OpenMixer();
    EXPECT_EQ(VolumeMute(*mixer).mute, 1);
    EXPECT_EQ(server->SinkMuted(), 1);
    EXPECT_EQ(VolumeMute(*mixer).mute, 0);
    EXPECT_EQ(server->SinkMuted(), 0);
    EXPECT_EQ(server->SinkVolume(), Both(kStart, kStart - 10000));
}

TEST_P(PulseAudioMixerDriver, AChangeByAnotherProgramRaisesOnControlChangeAndIsReadAfresh) {
    const auto mixer = OpenMixer();
    const TMixerControls& controls = mixer->Destination(0)->Controls;
    const qint32 volumeId = qint32(ControlOfType(controls, Mixer::ControlTypeVolume)->controlId);
    const qint32 muteId = qint32(ControlOfType(controls, Mixer::ControlTypeMute)->controlId);
    QList<qint32> changed;
    mixer->OnControlChange = [&](TAudioMixer* sender, qint32 handle, qint32 id) {
        EXPECT_EQ(sender, mixer.get());
        EXPECT_EQ(handle, qint32(mixer->Handle()));
        changed.append(id);
    };

    ASSERT_FALSE(server->Pactl({"set-sink-volume", PulseAudioServer::kSink, "20000"}).isNull());
    ASSERT_TRUE(WaitUntil([&] { return changed.contains(volumeId); }));
    ASSERT_FALSE(server->Pactl({"set-sink-mute", PulseAudioServer::kSink, "1"}).isNull());
    ASSERT_TRUE(WaitUntil([&] { return changed.contains(muteId); }));

    EXPECT_EQ(VolumeUp(*mixer, 655).left, 20655);
    EXPECT_EQ(server->SinkVolume(), Both(20655, 20655));
    EXPECT_EQ(server->SinkMuted(), 1);
}

TEST_P(PulseAudioMixerDriver, AServerThatEndsAndComesBackLosesNoPress) {
    const auto mixer = OpenMixer();
    VolumeUp(*mixer, 655);
    EXPECT_EQ(server->SinkVolume(), Both(kStart + 655, kStart - 10000 + 655));

    server->Kill();
    // A press while there is no server changes nothing and breaks nothing.
    const VolumeLevel none = VolumeUp(*mixer, 655);
    EXPECT_EQ(none.left, -1);
    EXPECT_EQ(none.mute, -1);
    EXPECT_TRUE(none.noDevice);

    ASSERT_TRUE(server->Start());
    ASSERT_FALSE(server->Pactl({"set-sink-volume", PulseAudioServer::kSink, "10000"}).isNull());
    EXPECT_EQ(VolumeUp(*mixer, 655).left, 10655);
    EXPECT_EQ(server->SinkVolume(), Both(10655, 10655));

    // The server ends again under an open device: the next press reopens it.
    server->Stop();
    ASSERT_TRUE(server->Start());
    ASSERT_FALSE(server->Pactl({"set-sink-volume", PulseAudioServer::kSink, "40000"}).isNull());
    EXPECT_EQ(VolumeDown(*mixer, 655).left, 39999 - 655); // 40000 is 39999 on the mixer scale
    EXPECT_EQ(server->SinkVolume(), Both(40000 - 655, 40000 - 655));

    // And the reopened device reports changes again.
    bool changed = false;
    mixer->OnControlChange = [&](TAudioMixer*, qint32, qint32) { changed = true; };
    ASSERT_FALSE(server->Pactl({"set-sink-mute", PulseAudioServer::kSink, "1"}).isNull());
    EXPECT_TRUE(WaitUntil([&] { return changed; }));
}

TEST_P(PulseAudioMixerDriver, WithoutASoundServerNothingOpensAndThePressesDoNothing) {
    server->Stop();
    const auto mixer = OpenMixer();
    EXPECT_EQ(mixer->MixerId(), -1);
    EXPECT_EQ(mixer->Destinations()->Count(), 0);
    // What is returned is what was written: nothing, and no device to show.
    const VolumeLevel up = VolumeUp(*mixer, 655.35);
    EXPECT_EQ(up.left, -1);
    EXPECT_EQ(up.right, -1);
    EXPECT_TRUE(up.noDevice);
    EXPECT_EQ(VolumeMute(*mixer).mute, -1);
}

// As the desktop's own volume keys: the output that is the default now, a headset plugged in
// after the first press, and the one left when it is unplugged. Each press comes once the
// server has told of the change: the server sends that news after it answers the change's
// own request, so a press in between still finds the output it knew.
TEST_F(PulseAudioMixer, TheVolumeFunctionsFollowTheDefaultOutput) {
    const auto mixer = OpenMixer();
    bool lineChanged = false;
    mixer->OnLineChange = [&](TAudioMixer*, qint32, qint32) { lineChanged = true; };
    EXPECT_EQ(VolumeUp(*mixer, 655).left, kStart + 655);

    const QString headset = QStringLiteral("orvane_headset");
    const int module = server->AddSink(headset);
    ASSERT_GE(module, 0);
    ASSERT_FALSE(server->Pactl({"set-sink-volume", headset, "20000"}).isNull());
    lineChanged = false;
    ASSERT_FALSE(server->Pactl({"set-default-sink", headset}).isNull());
    ASSERT_TRUE(WaitUntil([&] { return lineChanged; }));
    EXPECT_EQ(VolumeUp(*mixer, 655).left, 20655) << "the level of the output that changed";
    EXPECT_EQ(server->SinkVolume(headset), Both(20655, 20655));
    EXPECT_EQ(server->SinkVolume(), Both(kStart + 655, kStart - 10000 + 655));

    lineChanged = false;
    ASSERT_FALSE(server->Pactl({"unload-module", QString::number(module)}).isNull());
    ASSERT_TRUE(WaitUntil([&] { return lineChanged; }));
    EXPECT_EQ(VolumeUp(*mixer, 655).left, kStart + 2 * 655);
    EXPECT_EQ(server->SinkVolume(), Both(kStart + 2 * 655, kStart - 10000 + 2 * 655));
}
