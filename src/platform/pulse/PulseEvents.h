// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/pulse/PulseConnection.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <pulse/subscribe.h>
#include <vector>

struct pa_context;
struct pa_glib_mainloop;
struct pa_server_info;
struct pa_sink_info;

// Follows the sound server's default sink from the event loop Qt already runs (GLib's),
// without a thread: the default moving to another sink, that sink going away, its volume or
// mute changed by anyone, and the server ending and coming back, which it reconnects to.
class PulseEvents : public QObject {
    Q_OBJECT
public:
    explicit PulseEvents(QObject* parent = nullptr);
    ~PulseEvents() override;

    // Connects unless connected or connecting; again after it gave up on a server that was
    // gone. Changes are told against seen, the default sink as it was read last, so that
    // one made while connecting is not missed.
    void Start(const PulseSink* seen);

signals:
    // The line stands for another sink now, or the server came back.
    void lineChanged();
    void volumeChanged();
    void muteChanged();
    // Any news of a sink or of the server.
    void heard();

private:
    static void StateCallback(pa_context* context, void* self);
    static void EventCallback(pa_context* context, pa_subscription_event_type_t type, quint32 index,
                              void* self);
    static void ServerCallback(pa_context* context, const pa_server_info* info, void* self);
    static void SinkCallback(pa_context* context, const pa_sink_info* info, int eol, void* self);

    void Connect();
    void Drop();
    void Ready();
    void AskServer();
    void AskSink();
    void TookSink(quint32 index, const QString& name, const pa_cvolume& volume,
                  const pa_channel_map& map, bool muted);
    void Retry();

    pa_glib_mainloop* m_loop;
    pa_context* m_context = nullptr;
    bool m_wasReady = false;
    QString m_defaultName;
    quint32 m_defaultIndex = 0;
    bool m_known = false; // m_volume and m_muted hold the default sink's
    std::vector<int> m_volume;
    bool m_muted = false;
    QTimer m_retry;
    int m_retries = 0;
};
