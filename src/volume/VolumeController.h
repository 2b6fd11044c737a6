// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/BuiltinFunctions.h"
#include "volume/TAudioMixer.h"
#include "volume/VolumeFunctions.h"

#include <QObject>
#include <memory>

class SettingsStore;

// The volume built-ins on mixer device 0: owns the mixer component and the volume step,
// which follows the settings, and hands the level each function left to whoever shows it. The
// mixer is opened at the first volume function: a start that never changes the volume
// never loads the sound system.
class VolumeController : public QObject, public VolumeSteps {
    Q_OBJECT
public:
    // Mixer units per step before the settings are applied: one hundredth of full scale.
    static constexpr double InitialStep = 655.35;

    VolumeController(std::unique_ptr<MixerDriver> driver, SettingsStore& settings,
                     QObject* parent = nullptr);

    void VolumeUp() override;
    void VolumeDown() override;
    void VolumeMute() override;

    double step() const { return m_step; }
    // The mixer component, opened on first use.
    TAudioMixer& AudioMixer1();
    bool mixerOpened() const { return m_mixer != nullptr; }

signals:
    // The line as a volume function left it (-1 where it has no such control), or that there
    // is no device to write to.
    void levelWritten(int left, int right, int mute);
    void noDevice();

private:
    void report(const VolumeFunctions::VolumeLevel& level);

    std::unique_ptr<MixerDriver> m_driver;
    TAudioMixer* m_mixer = nullptr;
    SettingsStore& m_settings;
    double m_step = InitialStep;
};
