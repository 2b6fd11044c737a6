// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/SoundModule.h"
#include "platform/alsa/AlsaMixerDriver.h"
#include "platform/pulse/PulseMixerDriver.h"

#include <memory>
#include <type_traits>

// The sound server when one answers, for it knows the current default output and follows
// it; else ALSA, for systems that run none.
extern "C" Q_DECL_EXPORT MixerDriver* orvane_sound_mixer_driver() {
    static_assert(std::is_same_v<decltype(&orvane_sound_mixer_driver), SoundModule::EntryFunction>);
    auto pulse = std::make_unique<PulseMixerDriver>();
    if (pulse->ServerAnswers())
        return pulse.release();
    return new AlsaMixerDriver;
}
