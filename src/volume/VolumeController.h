#pragma once

#include "TAudioMixer.h"
#include "VolumeFunctions.h"

#include <QObject>
#include <memory>

class SettingsStore;

// The volume built-ins on mixer device 0: owns the mixer component and the volume step,
// which follows the settings, and hands what each function wrote to whoever shows it.
class VolumeController : public QObject {
    Q_OBJECT
public:
    // Mixer units per step before the settings are applied: one hundredth of full scale.
    static constexpr double InitialStep = 655.35;

    VolumeController(std::unique_ptr<MixerDriver> driver, SettingsStore& settings,
                     QObject* parent = nullptr);

    void VolumeUp();
    void VolumeDown();
    void VolumeMute();

    double step() const { return m_step; }
    TAudioMixer* const AudioMixer1;

signals:
    // What a volume function wrote (-1 where it left a value alone), or that there is no
    // device to write to.
    void levelWritten(int left, int right, int mute);
    void noDevice();

private:
    void report(const VolumeFunctions::VolumeLevel& level);

    SettingsStore& m_settings;
    double m_step = InitialStep;
};
