// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/alsa/AlsaMixerNotifier.h"

#include <QPointer>
#include <QSocketNotifier>
#include <poll.h>

AlsaMixerNotifier::AlsaMixerNotifier(snd_mixer_t* mixer, MixerNotify* callback, MixerHandle handle,
                                     QObject* parent)
    : QObject(parent), m_mixer(mixer), m_callback(callback), m_handle(handle) {
    const int count = snd_mixer_poll_descriptors_count(m_mixer);
    if (count <= 0)
        return;
    m_pollFds.resize(std::size_t(count));
    const int filled = snd_mixer_poll_descriptors(m_mixer, m_pollFds.data(), unsigned(count));
    m_pollFds.resize(std::size_t(std::max(0, filled)));
    for (const pollfd& fd : m_pollFds) {
        for (const auto& [mask, type] : {std::pair{POLLIN, QSocketNotifier::Read},
                                         std::pair{POLLOUT, QSocketNotifier::Write}}) {
            if (!(fd.events & mask))
                continue;
            auto* notifier = new QSocketNotifier(fd.fd, type, this);
            connect(notifier, &QSocketNotifier::activated, this, &AlsaMixerNotifier::PollReady);
            m_notifiers.append(notifier);
        }
    }
}

AlsaMixerNotifier::~AlsaMixerNotifier() = default;

void AlsaMixerNotifier::Stop() {
    // A dead descriptor stays readable: left on, it would wake the event loop for ever.
    for (QSocketNotifier* n : std::as_const(m_notifiers))
        n->setEnabled(false);
}

void AlsaMixerNotifier::PollReady() {
    std::vector<pollfd> fds = m_pollFds;
    for (pollfd& fd : fds)
        fd.revents = 0;
    ::poll(fds.data(), nfds_t(fds.size()), 0);
    unsigned short revents = 0;
    const bool failed = snd_mixer_poll_descriptors_revents(m_mixer, fds.data(),
                                                           unsigned(fds.size()), &revents) < 0 ||
                        (revents & (POLLERR | POLLHUP | POLLNVAL));
    emit ready(failed);
}

void AlsaMixerNotifier::Post(unsigned message, quint32 id) {
    // Delivered from the event loop: a handler never runs inside a driver call, and may
    // itself read or reopen the device.
    if (m_pending.isEmpty())
        QMetaObject::invokeMethod(this, &AlsaMixerNotifier::Deliver, Qt::QueuedConnection);
    m_pending.append({message, id});
}

void AlsaMixerNotifier::Deliver() {
    const auto pending = std::exchange(m_pending, {});
    QPointer<AlsaMixerNotifier> self(this);
    for (const auto& [message, id] : pending) {
        m_callback->MixerMessage(message, m_handle, id);
        if (!self)
            return; // the handler closed the device
    }
}
