// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pulse/PulseMixerDriver.h"

#include "platform/pulse/PulseEvents.h"
#include "platform/pulse/PulseVolumeScale.h"

#include <QPointer>
#include <algorithm>
#include <utility>

namespace {
// MIXERLINE component type and line flag, for completeness of the line record.
constexpr quint32 kComponentSpeakers = 4;
constexpr quint32 kLineActive = 0x1;

MixerControl ControlInfo(quint32 id) {
    MixerControl c;
    c.controlId = id;
    if (id == PulseMixerDriver::VolumeId) {
        c.controlType = Mixer::ControlTypeVolume;
        c.shortName = c.name = QStringLiteral("Volume");
        c.maximum = PulseVolumeScale::kFull;
        c.steps = quint32(PulseVolumeScale::kFull) + 1;
    } else {
        c.controlType = Mixer::ControlTypeMute;
        c.controlFlags = Mixer::ControlFlagUniform; // one switch for every channel
        c.shortName = c.name = QStringLiteral("Mute");
        c.maximum = 1;
        c.steps = 2;
    }
    return c;
}
} // namespace

PulseMixerDriver::PulseMixerDriver() = default;
PulseMixerDriver::~PulseMixerDriver() = default;

bool PulseMixerDriver::ServerAnswers() {
    return m_connection.Connect();
}

// Device 0 stays while the server restarts; opening it fails until the server is back.
quint32 PulseMixerDriver::GetNumDevs() {
    return 1;
}

MixerResult PulseMixerDriver::Open(MixerHandle* mixer, quint32 deviceId, MixerNotify* callback,
                                   quint32 flags) {
    if (deviceId != 0)
        return Mixer::BadDeviceId;
    m_sinkRead = false;
    if (!m_connection.Connect())
        return Mixer::NoDriver;
    const MixerHandle handle = m_nextHandle++;
    const bool notify = callback && (flags & Mixer::CallbackWindow);
    m_open[handle] = notify ? callback : nullptr;
    if (notify) {
        if (!m_events) {
            // Post queues the message: a handler may close the device, which must not
            // happen inside libpulse's call.
            m_events = std::make_unique<PulseEvents>();
            QObject::connect(m_events.get(), &PulseEvents::lineChanged, &m_alive,
                             [this] { Post(Mixer::LineChangeMessage, LineId); });
            QObject::connect(m_events.get(), &PulseEvents::volumeChanged, &m_alive,
                             [this] { Post(Mixer::ControlChangeMessage, VolumeId); });
            QObject::connect(m_events.get(), &PulseEvents::muteChanged, &m_alive,
                             [this] { Post(Mixer::ControlChangeMessage, MuteId); });
            // The answering connection hears the same news: taken in now, it never piles up
            // at the server while no volume key is pressed.
            QObject::connect(m_events.get(), &PulseEvents::heard, &m_alive,
                             [this] { m_connection.Connected(); });
        }
        m_events->Start(Sink());
    }
    *mixer = handle;
    return Mixer::NoError;
}

MixerResult PulseMixerDriver::Close(MixerHandle mixer) {
    if (!m_open.erase(mixer))
        return Mixer::InvalidHandle;
    if (std::none_of(m_open.begin(), m_open.end(), [](const auto& o) { return o.second; }))
        m_events.reset();
    return Mixer::NoError;
}

MixerResult PulseMixerDriver::GetDevCaps(quint32 deviceId, MixerCaps& caps) {
    if (deviceId != 0)
        return Mixer::BadDeviceId;
    if (!m_connection.Connect())
        return Mixer::NoDriver;
    caps = {};
    caps.productName = m_connection.ServerName();
    caps.driverVersion = m_connection.ProtocolVersion();
    caps.destinations = 1;
    return Mixer::NoError;
}

const PulseSink* PulseMixerDriver::Sink() {
    if (m_connection.TakeChanged() || !m_sinkRead) {
        PulseSink sink;
        m_sink.reset();
        if (m_connection.DefaultSink(sink))
            m_sink = sink;
        m_sinkRead = true;
    }
    return m_sink ? &*m_sink : nullptr;
}

MixerResult PulseMixerDriver::GetLineInfo(MixerHandle mixer, MixerLine& line, quint32 flags) {
    if (!m_open.contains(mixer))
        return Mixer::InvalidHandle;
    if (flags == Mixer::LineInfoBySource || line.destination != 0)
        return Mixer::InvalidLine; // the default output has no source lines
    if (flags != Mixer::LineInfoByDestination)
        return Mixer::InvalidFlag;
    const PulseSink* sink = Sink();
    line.lineId = LineId;
    line.lineFlags = kLineActive;
    line.componentType = kComponentSpeakers;
    // Left and right, or one channel for a mono sink; other layouts show as their sides.
    line.channels = sink && sink->volume.channels == 1 ? 1 : 2;
    line.connections = 0;
    line.controls = 2;
    line.shortName = QStringLiteral("Master");
    line.name = sink ? sink->description : line.shortName;
    return Mixer::NoError;
}

MixerResult PulseMixerDriver::GetLineControls(MixerHandle mixer, quint32 lineId,
                                              std::span<MixerControl> controls, quint32 flags) {
    if (!m_open.contains(mixer))
        return Mixer::InvalidHandle;
    if (flags != Mixer::LineControlsAll)
        return Mixer::InvalidFlag;
    if (lineId != LineId)
        return Mixer::InvalidLine;
    if (controls.size() != 2)
        return Mixer::InvalidParam;
    controls[0] = ControlInfo(VolumeId);
    controls[1] = ControlInfo(MuteId);
    return Mixer::NoError;
}

// The shape of a values request: one or two channels of the volume, any of the mute.
MixerResult PulseMixerDriver::Check(MixerHandle mixer, const MixerControlDetails& d,
                                    quint32 flags) const {
    if (!m_open.contains(mixer))
        return Mixer::InvalidHandle;
    if (d.controlId != VolumeId && d.controlId != MuteId)
        return Mixer::InvalidControl;
    if (flags != Mixer::DetailsValue)
        return Mixer::InvalidFlag; // neither control is a list
    const bool fits =
        d.controlId == VolumeId ? d.channels == 1 || d.channels == 2 : d.channels >= 1;
    if (!fits || d.multipleItems != 0 || d.values.size() < d.channels)
        return Mixer::InvalidParam;
    return Mixer::NoError;
}

MixerResult PulseMixerDriver::CheckedSink(MixerHandle mixer, const MixerControlDetails& d,
                                          quint32 flags, const PulseSink*& sink) {
    if (const MixerResult r = Check(mixer, d, flags); r != Mixer::NoError)
        return r;
    sink = Sink();
    return sink ? Mixer::NoError : Mixer::Error;
}

MixerResult PulseMixerDriver::GetControlDetails(MixerHandle mixer, MixerControlDetails& d,
                                                quint32 flags) {
    const PulseSink* sink = nullptr;
    if (const MixerResult r = CheckedSink(mixer, d, flags, sink); r != Mixer::NoError)
        return r;
    if (d.controlId == VolumeId)
        PulseVolumeScale::Read(sink->volume, sink->map, d.values.first(d.channels));
    else
        std::fill_n(d.values.begin(), d.channels, sink->muted ? 1 : 0);
    return Mixer::NoError;
}

MixerResult PulseMixerDriver::SetControlDetails(MixerHandle mixer, const MixerControlDetails& d,
                                                quint32 flags) {
    const PulseSink* sink = nullptr;
    if (const MixerResult r = CheckedSink(mixer, d, flags, sink); r != Mixer::NoError)
        return r;
    bool done = true;
    if (d.controlId == VolumeId) {
        const pa_cvolume volume =
            PulseVolumeScale::Written(sink->volume, sink->map, d.values.first(d.channels));
        // Only a change is sent: others hear of nothing that did not move.
        if (!pa_cvolume_equal(&volume, &sink->volume))
            done = m_connection.SetVolume(sink->index, volume);
    } else if (const bool muted = d.values[0] != 0; muted != sink->muted) {
        done = m_connection.SetMute(sink->index, muted);
    }
    m_sinkRead = false; // what is read next is what the server holds after this
    return done ? Mixer::NoError : Mixer::Error;
}

MixerResult PulseMixerDriver::GetID(MixerHandle mixer, quint32* deviceId) {
    if (!m_open.contains(mixer))
        return Mixer::InvalidHandle;
    if (!m_connection.Connected())
        return Mixer::NoDriver;
    *deviceId = 0;
    return Mixer::NoError;
}

void PulseMixerDriver::Post(unsigned message, quint32 id) {
    if (m_pending.isEmpty())
        QMetaObject::invokeMethod(
            &m_alive, [this] { Deliver(); }, Qt::QueuedConnection);
    m_pending.append({message, id});
}

void PulseMixerDriver::Deliver() {
    const auto pending = std::exchange(m_pending, {});
    const QPointer<QObject> alive(&m_alive);
    for (const auto& [message, id] : pending) {
        // A handler may close a device or end the mixer: the handles are looked up anew.
        const std::vector<std::pair<MixerHandle, MixerNotify*>> targets(m_open.begin(),
                                                                        m_open.end());
        for (const auto& [handle, callback] : targets) {
            if (callback && m_open.contains(handle))
                callback->MixerMessage(message, handle, id);
            if (!alive)
                return;
        }
    }
}
