// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pulse/PulseEvents.h"

#include "core/Logging.h"

#include "platform/pulse/PulseConnection.h"
#include "platform/pulse/PulseVolumeScale.h"

#include <algorithm>
#include <pulse/context.h>
#include <pulse/glib-mainloop.h>
#include <pulse/introspect.h>
#include <pulse/operation.h>

namespace {
// A restarting server is back within a second or two; one that stays away is asked for
// again at the next volume press instead of every few seconds for ever.
constexpr int kFirstRetryMs = 100;
constexpr int kLastRetryMs = 5000;
constexpr int kRetries = 12;

void Forget(pa_operation* operation) {
    if (operation)
        pa_operation_unref(operation);
}
} // namespace

PulseEvents::PulseEvents(QObject* parent)
    // nullptr: GLib's default context, the one Qt's event loop runs.
    : QObject(parent), m_loop(pa_glib_mainloop_new(nullptr)) {
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &PulseEvents::Connect);
}

PulseEvents::~PulseEvents() {
    Drop();
    pa_glib_mainloop_free(m_loop);
}

void PulseEvents::Start(const PulseSink* seen) {
    m_retries = 0;
    if (seen && !m_context)
        TookSink(seen->index, seen->name, seen->volume, seen->map, seen->muted);
    if (!m_context && !m_retry.isActive())
        Connect();
}

void PulseEvents::Drop() {
    if (!m_context)
        return;
    pa_context_set_state_callback(m_context, nullptr, nullptr);
    pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
    pa_context_disconnect(m_context);
    pa_context_unref(m_context);
    m_context = nullptr;
}

void PulseEvents::Connect() {
    Drop();
    m_context = pa_context_new(pa_glib_mainloop_get_api(m_loop), "Orvane");
    if (!m_context)
        return;
    pa_context_set_state_callback(m_context, &PulseEvents::StateCallback, this);
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        Drop();
        Retry();
    }
}

void PulseEvents::Retry() {
    if (m_retries >= kRetries)
        return;
    m_retry.start(std::min(kLastRetryMs, kFirstRetryMs << std::min(m_retries, 8)));
    ++m_retries;
}

void PulseEvents::StateCallback(pa_context* context, void* self) {
    auto* events = static_cast<PulseEvents*>(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY: events->Ready(); break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        qCInfo(lcPulse) << "the sound server went away";
        // Not from inside the context's own call: the context is dropped from the loop,
        // unless another has taken its place meanwhile.
        QMetaObject::invokeMethod(
            events,
            [events, context] {
                if (events->m_context != context)
                    return;
                events->Drop();
                events->Retry();
            },
            Qt::QueuedConnection);
        break;
    default: break;
    }
}

void PulseEvents::Ready() {
    m_retries = 0;
    pa_context_set_subscribe_callback(m_context, &PulseEvents::EventCallback, this);
    Forget(pa_context_subscribe(
        m_context, pa_subscription_mask_t(PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SERVER),
        nullptr, nullptr));
    AskServer();
    // A server that came back may have other sinks, another default, other volumes.
    if (m_wasReady)
        emit lineChanged();
    m_wasReady = true;
}

void PulseEvents::AskServer() {
    Forget(pa_context_get_server_info(m_context, &PulseEvents::ServerCallback, this));
}

void PulseEvents::AskSink() {
    Forget(pa_context_get_sink_info_by_name(m_context, m_defaultName.toUtf8().constData(),
                                            &PulseEvents::SinkCallback, this));
}

void PulseEvents::EventCallback(pa_context*, pa_subscription_event_type_t type, quint32 index,
                                void* self) {
    auto* events = static_cast<PulseEvents*>(self);
    emit events->heard();
    const int facility = type & PA_SUBSCRIPTION_EVENT_FACILITY_MASK;
    const int kind = type & PA_SUBSCRIPTION_EVENT_TYPE_MASK;
    if (facility == PA_SUBSCRIPTION_EVENT_SERVER) {
        events->AskServer(); // the default sink may have moved
        return;
    }
    if (facility != PA_SUBSCRIPTION_EVENT_SINK || !events->m_known ||
        index != events->m_defaultIndex)
        return;
    if (kind == PA_SUBSCRIPTION_EVENT_REMOVE) {
        events->m_known = false;
        emit events->lineChanged();
    } else if (kind == PA_SUBSCRIPTION_EVENT_CHANGE) {
        events->AskSink();
    }
}

void PulseEvents::ServerCallback(pa_context*, const pa_server_info* info, void* self) {
    auto* events = static_cast<PulseEvents*>(self);
    if (!info)
        return;
    const QString name = QString::fromUtf8(info->default_sink_name ? info->default_sink_name : "");
    const bool moved = !events->m_defaultName.isNull() && name != events->m_defaultName;
    events->m_defaultName = name;
    if (moved) {
        events->m_known = false;
        emit events->lineChanged();
    }
    if (!name.isEmpty())
        events->AskSink();
}

void PulseEvents::SinkCallback(pa_context*, const pa_sink_info* info, int eol, void* self) {
    auto* events = static_cast<PulseEvents*>(self);
    // An answer about a sink that is no longer the default is dropped.
    if (eol == 0 && info && QString::fromUtf8(info->name) == events->m_defaultName)
        events->TookSink(info->index, events->m_defaultName, info->volume, info->channel_map,
                         info->mute != 0);
}

void PulseEvents::TookSink(quint32 index, const QString& name, const pa_cvolume& cv,
                           const pa_channel_map& map, bool muted) {
    std::vector<int> volume(2);
    PulseVolumeScale::Read(cv, map, volume);
    const bool known = m_known && index == m_defaultIndex && name == m_defaultName;
    const bool volumeMoved = known && volume != m_volume;
    const bool muteMoved = known && muted != m_muted;
    m_defaultIndex = index;
    m_defaultName = name;
    m_volume = volume;
    m_muted = muted;
    m_known = true;
    if (volumeMoved)
        emit volumeChanged();
    if (muteMoved)
        emit muteChanged();
}
