// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MixerDriver.h"

#include <map>
#include <memory>

class AlsaMixerDevice;

// The mixer devices over ALSA, for systems without a sound server: device 0 is the `default`
// control device, the hardware cards follow in their order.
class AlsaMixerDriver : public MixerDriver {
public:
    AlsaMixerDriver();
    ~AlsaMixerDriver() override;

    quint32 GetNumDevs() override;
    MixerResult Open(MixerHandle* mixer, quint32 deviceId, MixerNotify* callback,
                     quint32 flags) override;
    MixerResult Close(MixerHandle mixer) override;
    MixerResult GetDevCaps(quint32 deviceId, MixerCaps& caps) override;
    MixerResult GetLineInfo(MixerHandle mixer, MixerLine& line, quint32 flags) override;
    MixerResult GetLineControls(MixerHandle mixer, quint32 lineId, std::span<MixerControl> controls,
                                quint32 flags) override;
    MixerResult GetControlDetails(MixerHandle mixer, MixerControlDetails& details,
                                  quint32 flags) override;
    MixerResult SetControlDetails(MixerHandle mixer, const MixerControlDetails& details,
                                  quint32 flags) override;
    MixerResult GetID(MixerHandle mixer, quint32* deviceId) override;

private:
    struct OpenDevice {
        quint32 deviceId = 0;
        std::unique_ptr<AlsaMixerDevice> device;
    };
    AlsaMixerDevice* Find(MixerHandle mixer) const;

    std::map<MixerHandle, OpenDevice> m_open;
    MixerHandle m_nextHandle = 1;
};
