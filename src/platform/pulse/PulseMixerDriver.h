// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MixerDriver.h"
#include "platform/pulse/PulseConnection.h"

#include <QList>
#include <QObject>
#include <map>
#include <memory>
#include <optional>

class PulseEvents;

// The mixer over the sound server (PulseAudio, or PipeWire's PulseAudio service). Its one
// device is the server's default output as it is at each call: destination 0 with a volume
// and a mute control, which always act on the sink that is the default now, also after the
// default moved to a headset, the sink went away or the server restarted.
class PulseMixerDriver : public MixerDriver {
public:
    static constexpr quint32 LineId = 0xFFFF0000;
    static constexpr quint32 VolumeId = 1;
    static constexpr quint32 MuteId = 2;

    PulseMixerDriver();
    ~PulseMixerDriver() override;

    // True when a sound server answers.
    bool ServerAnswers();

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
    // The default sink as last read; asked again after a write, or once the server told
    // of a change, so a volume key costs no wait for an answer before its write.
    const PulseSink* Sink();
    MixerResult Check(MixerHandle mixer, const MixerControlDetails& details, quint32 flags) const;
    // Check, then the default sink the request acts on (Error when there is none).
    MixerResult CheckedSink(MixerHandle mixer, const MixerControlDetails& details, quint32 flags,
                            const PulseSink*& sink);
    void Post(unsigned message, quint32 id);
    void Deliver();

    PulseConnection m_connection;
    std::map<MixerHandle, MixerNotify*> m_open;
    MixerHandle m_nextHandle = 1;
    std::optional<PulseSink> m_sink;
    bool m_sinkRead = false;
    // Lives as long as the driver: queued calls to it die with it.
    QObject m_alive;
    std::unique_ptr<PulseEvents> m_events;
    QList<std::pair<unsigned, quint32>> m_pending;
};
