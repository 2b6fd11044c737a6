// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/alsa/AlsaMixerDriver.h"
#include "platform/pulse/PulseMixerDriver.h"

namespace {
// Chooses at the first mixer call, so a start that never changes the volume never reaches
// the sound system: the sound server when one answers, for it knows the current default
// output and follows it; else ALSA, for systems that run none.
class ChosenMixerDriver : public MixerDriver {
public:
    quint32 GetNumDevs() override { return Chosen().GetNumDevs(); }
    MixerResult Open(MixerHandle* mixer, quint32 deviceId, MixerNotify* callback,
                     quint32 flags) override {
        return Chosen().Open(mixer, deviceId, callback, flags);
    }
    MixerResult Close(MixerHandle mixer) override { return Chosen().Close(mixer); }
    MixerResult GetDevCaps(quint32 deviceId, MixerCaps& caps) override {
        return Chosen().GetDevCaps(deviceId, caps);
    }
    MixerResult GetLineInfo(MixerHandle mixer, MixerLine& line, quint32 flags) override {
        return Chosen().GetLineInfo(mixer, line, flags);
    }
    MixerResult GetLineControls(MixerHandle mixer, quint32 lineId, std::span<MixerControl> controls,
                                quint32 flags) override {
        return Chosen().GetLineControls(mixer, lineId, controls, flags);
    }
    MixerResult GetControlDetails(MixerHandle mixer, MixerControlDetails& details,
                                  quint32 flags) override {
        return Chosen().GetControlDetails(mixer, details, flags);
    }
    MixerResult SetControlDetails(MixerHandle mixer, const MixerControlDetails& details,
                                  quint32 flags) override {
        return Chosen().SetControlDetails(mixer, details, flags);
    }
    MixerResult GetID(MixerHandle mixer, quint32* deviceId) override {
        return Chosen().GetID(mixer, deviceId);
    }

private:
    MixerDriver& Chosen() {
        if (!m_chosen) {
            auto pulse = std::make_unique<PulseMixerDriver>();
            if (pulse->ServerAnswers())
                m_chosen = std::move(pulse);
            else
                m_chosen = std::make_unique<AlsaMixerDriver>();
        }
        return *m_chosen;
    }

    std::unique_ptr<MixerDriver> m_chosen;
};
} // namespace

std::unique_ptr<MixerDriver> CreateMixerDriver() {
    return std::make_unique<ChosenMixerDriver>();
}
