// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pulse/PulseConnection.h"

#include "core/Logging.h"

#include <QDeadlineTimer>
#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>
#include <pulse/operation.h>
#include <pulse/subscribe.h>
#include <utility>

// Failures the mixer turns into -1 values; silent unless switched on.

namespace {
// A local server answers in well under a millisecond; one that takes this long is stuck.
constexpr int kAnswerMs = 1000;

struct SinkQuery {
    PulseSink* sink;
    bool found = false;
};

void SinkInfo(pa_context*, const pa_sink_info* info, int eol, void* data) {
    auto* query = static_cast<SinkQuery*>(data);
    if (eol != 0 || !info)
        return;
    query->sink->index = info->index;
    query->sink->name = QString::fromUtf8(info->name);
    query->sink->description =
        QString::fromUtf8(info->description ? info->description : info->name);
    query->sink->volume = info->volume;
    query->sink->map = info->channel_map;
    query->sink->muted = info->mute != 0;
    query->found = pa_cvolume_valid(&info->volume) && info->volume.channels > 0;
}

void ServerInfo(pa_context*, const pa_server_info* info, void* data) {
    if (info)
        *static_cast<QString*>(data) = QString::fromUtf8(info->server_name);
}

void Changed(pa_context*, pa_subscription_event_type_t, quint32, void* changed) {
    *static_cast<bool*>(changed) = true;
}
} // namespace

PulseConnection::PulseConnection() : m_loop(pa_mainloop_new()) {}

PulseConnection::~PulseConnection() {
    Disconnect();
    pa_mainloop_free(m_loop);
}

void PulseConnection::Disconnect() {
    if (!m_context)
        return;
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
}

bool PulseConnection::Connect() {
    if (Connected())
        return true;
    Disconnect();
    m_context = pa_context_new(pa_mainloop_get_api(m_loop), "Orvane");
    // Orvane follows the sound server the desktop runs; it never starts one of its own.
    if (!m_context || pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        qCWarning(lcPulse) << "no sound server:"
                           << (m_context ? pa_strerror(pa_context_errno(m_context)) : "");
        Disconnect();
        return false;
    }
    const bool ready = Wait([this] {
        const pa_context_state_t s = pa_context_get_state(m_context);
        return s == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(s);
    });
    if (!ready || pa_context_get_state(m_context) != PA_CONTEXT_READY) {
        qCWarning(lcPulse) << "no sound server answers";
        Disconnect();
        return false;
    }
    m_changed = true;
    pa_context_set_subscribe_callback(m_context, &Changed, &m_changed);
    Complete(pa_context_subscribe(
        m_context, pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SERVER),
        nullptr, nullptr));
    Complete(pa_context_get_server_info(m_context, &ServerInfo, &m_serverName));
    return m_context != nullptr;
}

bool PulseConnection::Connected() {
    if (!m_context)
        return false;
    // A server that ended shows as the end of the connection once it is read.
    for (int i = 0; i < 16 && pa_mainloop_iterate(m_loop, 0, nullptr) > 0; ++i) {
    }
    if (pa_context_get_state(m_context) == PA_CONTEXT_READY)
        return true;
    Disconnect();
    return false;
}

bool PulseConnection::TakeChanged() {
    const bool connected = Connected();
    return std::exchange(m_changed, false) || !connected;
}

quint32 PulseConnection::ProtocolVersion() const {
    return m_context ? pa_context_get_server_protocol_version(m_context) : 0;
}

bool PulseConnection::Wait(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(kAnswerMs);
    while (!done()) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0 || pa_mainloop_prepare(m_loop, int(left * 1000)) < 0 ||
            pa_mainloop_poll(m_loop) < 0 || pa_mainloop_dispatch(m_loop) < 0) {
            qCWarning(lcPulse) << "the sound server did not answer in time";
            Disconnect();
            return false;
        }
    }
    return true;
}

bool PulseConnection::Complete(pa_operation* operation) {
    if (!operation) {
        Disconnect();
        return false;
    }
    const bool answered = Wait([this, operation] {
        return pa_operation_get_state(operation) != PA_OPERATION_RUNNING ||
               pa_context_get_state(m_context) != PA_CONTEXT_READY;
    });
    const bool done = answered && pa_operation_get_state(operation) == PA_OPERATION_DONE;
    pa_operation_unref(operation);
    if (answered && pa_context_get_state(m_context) != PA_CONTEXT_READY)
        Disconnect();
    return done;
}

bool PulseConnection::DefaultSink(PulseSink& sink) {
    if (!m_context)
        return false;
    SinkQuery query{&sink};
    // The server resolves its default sink itself, in the same answer.
    if (!Complete(pa_context_get_sink_info_by_name(m_context, "@DEFAULT_SINK@", &SinkInfo, &query)))
        return false;
    // The server sends its news in order: what it told before this answer, the answer holds.
    m_changed = false;
    return query.found;
}

namespace {
void Succeeded(pa_context*, int success, void* data) {
    *static_cast<bool*>(data) = success != 0;
}
} // namespace

bool PulseConnection::SetVolume(quint32 sinkIndex, const pa_cvolume& volume) {
    bool success = false;
    return m_context &&
           Complete(pa_context_set_sink_volume_by_index(m_context, sinkIndex, &volume, &Succeeded,
                                                        &success)) &&
           success;
}

bool PulseConnection::SetMute(quint32 sinkIndex, bool muted) {
    bool success = false;
    return m_context &&
           Complete(pa_context_set_sink_mute_by_index(m_context, sinkIndex, muted ? 1 : 0,
                                                      &Succeeded, &success)) &&
           success;
}
