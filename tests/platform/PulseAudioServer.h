// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

// A PulseAudio server of the test's own, with one null sink, in a temporary directory, as
// root or as a normal user. PrepareClientEnvironment points this process's ALSA `default`
// device and its PulseAudio clients at it; it must run before the first ALSA call, which
// reads the configuration once.
class PulseAudioServer {
public:
    PulseAudioServer();
    ~PulseAudioServer();

    static inline const QString kSink = QStringLiteral("orvane_null");

    void PrepareClientEnvironment();
    // Starts the server and waits until it accepts clients; false with the log on failure.
    bool Start(QString* error = nullptr);
    // Ends the server the way a crash does (kill), or orderly.
    void Kill();
    void Stop();
    bool Running() const { return m_server.state() != QProcess::NotRunning; }

    // pactl against this server; the output, or a null string when it failed.
    QString Pactl(const QStringList& args) const;
    QList<int> SinkVolume(const QString& sink = kSink) const;
    int SinkMuted(const QString& sink = kSink) const; // 1, 0, or -1 when unknown
    // Another null sink, as a headset plugged in; the module to unload it with, or -1.
    int AddSink(const QString& sink);

private:
    QTemporaryDir m_dir;
    QProcess m_server;
    bool m_ready = false;
};

// Runs the event loop until done() is true or 20 seconds have passed (a failure).
bool WaitUntil(const std::function<bool()>& done);
