// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/SoundModule.h"
#include "platform/posix/ModuleLoader.h"

#include <utility>

namespace {
// A system without mixer devices: what a mixer driver is while the sound module is missing.
class NoMixerDevices : public MixerDriver {
public:
    quint32 GetNumDevs() override { return 0; }
    MixerResult Open(MixerHandle*, quint32, MixerNotify*, quint32) override {
        return Mixer::BadDeviceId;
    }
    MixerResult Close(MixerHandle) override { return Mixer::InvalidHandle; }
    MixerResult GetDevCaps(quint32, MixerCaps&) override { return Mixer::BadDeviceId; }
    MixerResult GetLineInfo(MixerHandle, MixerLine&, quint32) override {
        return Mixer::InvalidHandle;
    }
    MixerResult GetLineControls(MixerHandle, quint32, std::span<MixerControl>, quint32) override {
        return Mixer::InvalidHandle;
    }
    MixerResult GetControlDetails(MixerHandle, MixerControlDetails&, quint32) override {
        return Mixer::InvalidHandle;
    }
    MixerResult SetControlDetails(MixerHandle, const MixerControlDetails&, quint32) override {
        return Mixer::InvalidHandle;
    }
    MixerResult GetID(MixerHandle, quint32*) override { return Mixer::InvalidHandle; }
};

// Loads the sound module at the first mixer call, so a start that never changes the volume
// never maps the sound libraries; the module chooses the driver.
class ModuleMixerDriver : public MixerDriver {
public:
    explicit ModuleMixerDriver(QString module) : m_module(std::move(module)) {}

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
            const auto entry = reinterpret_cast<SoundModule::EntryFunction>(
                ModuleLoader::Entry(m_module, SoundModule::Entry));
            if (entry)
                m_chosen.reset(entry());
            if (!m_chosen)
                m_chosen = std::make_unique<NoMixerDevices>();
        }
        return *m_chosen;
    }

    QString m_module;
    std::unique_ptr<MixerDriver> m_chosen;
};
} // namespace

std::unique_ptr<MixerDriver> CreateModuleMixerDriver(const QString& module) {
    return std::make_unique<ModuleMixerDriver>(module);
}

std::unique_ptr<MixerDriver> CreateMixerDriver() {
    return CreateModuleMixerDriver(QString::fromLatin1(SoundModule::Name));
}
