// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MixerDriver.h"

#include <QString>
#include <memory>

// The sound module, orvane-sound: the mixer drivers with the sound server's and ALSA's
// libraries, loaded at the first mixer call.
namespace SoundModule {
inline constexpr char Name[] = "orvane-sound";
// Its one entry: a new mixer driver for this system, owned by the caller.
inline constexpr char Entry[] = "orvane_sound_mixer_driver";
using EntryFunction = MixerDriver* (*)();
} // namespace SoundModule

// A mixer driver that loads module at its first call and hands every call on to the driver
// the module makes. Without the module (not installed, or from another build) it is a
// system without mixer devices, as the volume functions know it.
std::unique_ptr<MixerDriver> CreateModuleMixerDriver(const QString& module);
