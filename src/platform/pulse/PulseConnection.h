// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <pulse/channelmap.h>
#include <pulse/volume.h>

struct pa_context;
struct pa_mainloop;
struct pa_operation;

// The sound server's default sink as one answer read it.
struct PulseSink {
    quint32 index = 0;
    QString name;
    QString description;
    pa_cvolume volume{};
    pa_channel_map map{};
    bool muted = false;
};

// A connection to the sound server for questions that need their answer at once. It runs a
// main loop of its own only while it waits for an answer, never longer than a bound, so
// nothing else of the program runs meanwhile and a server that hangs cannot freeze it. It
// hears of the server's changes too, so an answer is asked again only when it may differ.
class PulseConnection {
public:
    PulseConnection();
    ~PulseConnection();
    PulseConnection(const PulseConnection&) = delete;
    PulseConnection& operator=(const PulseConnection&) = delete;

    // Connects unless connected; false when no server answers.
    bool Connect();
    // Takes in what the server sent meanwhile: false once the connection is gone.
    bool Connected();
    // True once after the server told of a change to a sink or to its default sink since the
    // last call: an answer read before may be out of date.
    bool TakeChanged();
    QString ServerName() const { return m_serverName; }
    quint32 ProtocolVersion() const;

    // The current default sink; false when there is none or the server does not answer.
    bool DefaultSink(PulseSink& sink);
    // Each waits until the server has done it; false when it could not.
    bool SetVolume(quint32 sinkIndex, const pa_cvolume& volume);
    bool SetMute(quint32 sinkIndex, bool muted);

private:
    // Runs the loop until done() or the bound; false when the bound passed or the
    // connection broke (then it is dropped).
    bool Wait(const std::function<bool()>& done);
    bool Complete(pa_operation* operation);
    void Disconnect();

    pa_mainloop* m_loop;
    pa_context* m_context = nullptr;
    QString m_serverName;
    bool m_changed = true;
};
