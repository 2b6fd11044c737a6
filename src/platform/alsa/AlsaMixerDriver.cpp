// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/alsa/AlsaMixerDriver.h"

#include "platform/alsa/AlsaMixerDevice.h"

#include <QByteArray>
#include <alsa/asoundlib.h>
#include <vector>

namespace {
// ALSA prints its failures on standard error; the mixer reports none.
void Quiet(const char*, int, const char*, int, const char*, ...) {}

std::vector<int> Cards() {
    std::vector<int> cards;
    for (int card = -1; snd_card_next(&card) >= 0 && card >= 0;)
        cards.push_back(card);
    return cards;
}

// The ALSA name of device id, empty when there is no such device.
QByteArray DeviceName(quint32 id) {
    if (id == 0)
        return QByteArrayLiteral("default");
    const std::vector<int> cards = Cards();
    if (id > cards.size())
        return {};
    return "hw:" + QByteArray::number(cards[id - 1]);
}

MixerResult OpenById(quint32 deviceId, std::unique_ptr<AlsaMixerDevice>& device) {
    const QByteArray name = DeviceName(deviceId);
    if (name.isEmpty())
        return Mixer::BadDeviceId;
    return AlsaMixerDevice::Open(name, device) < 0 ? Mixer::NoDriver : Mixer::NoError;
}
} // namespace

AlsaMixerDriver::AlsaMixerDriver() {
    snd_lib_error_set_handler(&Quiet);
}

AlsaMixerDriver::~AlsaMixerDriver() = default;

AlsaMixerDevice* AlsaMixerDriver::Find(MixerHandle mixer) const {
    const auto it = m_open.find(mixer);
    return it == m_open.end() ? nullptr : it->second.device.get();
}

quint32 AlsaMixerDriver::GetNumDevs() {
    return quint32(1 + Cards().size());
}

MixerResult AlsaMixerDriver::Open(MixerHandle* mixer, quint32 deviceId, MixerNotify* callback,
                                  quint32 flags) {
    std::unique_ptr<AlsaMixerDevice> device;
    if (const MixerResult r = OpenById(deviceId, device); r != Mixer::NoError)
        return r;
    const MixerHandle handle = m_nextHandle++;
    if (callback && (flags & Mixer::CallbackWindow))
        device->StartNotifications(callback, handle);
    m_open[handle] = {deviceId, std::move(device)};
    *mixer = handle;
    return Mixer::NoError;
}

MixerResult AlsaMixerDriver::Close(MixerHandle mixer) {
    return m_open.erase(mixer) ? Mixer::NoError : Mixer::InvalidHandle;
}

MixerResult AlsaMixerDriver::GetDevCaps(quint32 deviceId, MixerCaps& caps) {
    for (const auto& [handle, open] : m_open) {
        if (open.deviceId == deviceId) {
            caps = open.device->Caps();
            return Mixer::NoError;
        }
    }
    std::unique_ptr<AlsaMixerDevice> device;
    if (const MixerResult r = OpenById(deviceId, device); r != Mixer::NoError)
        return r;
    caps = device->Caps();
    return Mixer::NoError;
}

MixerResult AlsaMixerDriver::GetLineInfo(MixerHandle mixer, MixerLine& line, quint32 flags) {
    AlsaMixerDevice* device = Find(mixer);
    return device ? device->GetLineInfo(line, flags) : Mixer::InvalidHandle;
}

MixerResult AlsaMixerDriver::GetLineControls(MixerHandle mixer, quint32 lineId,
                                             std::span<MixerControl> controls, quint32 flags) {
    AlsaMixerDevice* device = Find(mixer);
    return device ? device->GetLineControls(lineId, controls, flags) : Mixer::InvalidHandle;
}

MixerResult AlsaMixerDriver::GetControlDetails(MixerHandle mixer, MixerControlDetails& details,
                                               quint32 flags) {
    AlsaMixerDevice* device = Find(mixer);
    return device ? device->GetControlDetails(details, flags) : Mixer::InvalidHandle;
}

MixerResult AlsaMixerDriver::SetControlDetails(MixerHandle mixer,
                                               const MixerControlDetails& details, quint32 flags) {
    AlsaMixerDevice* device = Find(mixer);
    return device ? device->SetControlDetails(details, flags) : Mixer::InvalidHandle;
}

MixerResult AlsaMixerDriver::GetID(MixerHandle mixer, quint32* deviceId) {
    const auto it = m_open.find(mixer);
    if (it == m_open.end())
        return Mixer::InvalidHandle;
    if (!it->second.device->Alive())
        return Mixer::NoDriver;
    *deviceId = it->second.deviceId;
    return Mixer::NoError;
}
