// SPDX-License-Identifier: GPL-3.0-or-later
#include "volume/VolumeController.h"

#include "settings/SettingsStore.h"

VolumeController::VolumeController(std::unique_ptr<MixerDriver> driver, SettingsStore& settings,
                                   QObject* parent)
    : QObject(parent), m_driver(std::move(driver)), m_settings(settings) {
    connect(&m_settings, &SettingsStore::changed, this, [this](Setting s) {
        // A list without a selection has no step to give: the last one stays.
        if (s == Setting::VolumeStep) {
            if (const int units = VolumeStepUnits(m_settings.value(s)); units >= 0)
                m_step = units;
        }
    });
}

TAudioMixer& VolumeController::AudioMixer1() {
    if (!m_mixer)
        m_mixer = new TAudioMixer(std::move(m_driver), this);
    return *m_mixer;
}

void VolumeController::report(const VolumeFunctions::VolumeLevel& level) {
    if (level.noDevice)
        emit noDevice();
    else
        emit levelWritten(level.left, level.right, level.mute);
}

void VolumeController::VolumeUp() {
    report(VolumeFunctions::VolumeUp(AudioMixer1(), m_step));
}

void VolumeController::VolumeDown() {
    report(VolumeFunctions::VolumeDown(AudioMixer1(), m_step));
}

void VolumeController::VolumeMute() {
    report(VolumeFunctions::VolumeMute(AudioMixer1()));
}
