// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MixerDriver.h"

#include <QList>
#include <QObject>
#include <alsa/asoundlib.h>
#include <vector>

class QSocketNotifier;

// Watches an ALSA mixer's poll descriptors from the event loop and delivers the device's
// change messages to its callback from there, as posted window messages would be.
class AlsaMixerNotifier : public QObject {
    Q_OBJECT
public:
    AlsaMixerNotifier(snd_mixer_t* mixer, MixerNotify* callback, MixerHandle handle,
                      QObject* parent);
    ~AlsaMixerNotifier() override;

    // Queues a message; it is delivered once control is back in the event loop.
    void Post(unsigned message, quint32 id);
    // The descriptors are dead: stop watching them.
    void Stop();

signals:
    // The descriptors have something to read (failed: they report an error or hang-up).
    void ready(bool failed);

private:
    void PollReady();
    void Deliver();

    snd_mixer_t* m_mixer;
    MixerNotify* m_callback;
    MixerHandle m_handle;
    std::vector<pollfd> m_pollFds;
    QList<QSocketNotifier*> m_notifiers;
    QList<std::pair<unsigned, quint32>> m_pending;
};
