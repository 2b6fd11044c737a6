// SPDX-License-Identifier: GPL-3.0-or-later
#include "volume/TMixerDestinations.h"

#include "volume/TAudioMixer.h"

TMixerControls::TMixerControls(TAudioMixer& mixer, const MixerLine& line)
    : m_buffer(line.controls) {
    // All of the line's controls in one query; a line whose controls cannot be read has none.
    if (mixer.Driver().GetLineControls(mixer.Handle(), line.lineId, m_buffer,
                                       Mixer::LineControlsAll) != Mixer::NoError)
        return;
    for (MixerControl& control : m_buffer)
        m_list.Add(&control);
}

TMixerConnection::TMixerConnection(TAudioMixer& mixer, const MixerLine& line)
    : Mixer(mixer), Line(line), Controls(mixer, line) {}

TMixerConnections::TMixerConnections(TAudioMixer& mixer, const MixerLine& destination)
    : Mixer(mixer), m_list([](TMixerConnection* c) { delete c; }) {
    for (quint32 source = 0; source < destination.connections; ++source) {
        MixerLine line;
        line.destination = destination.destination;
        line.source = source;
        if (mixer.Driver().GetLineInfo(mixer.Handle(), line, Mixer::LineInfoBySource) ==
            Mixer::NoError)
            m_list.Add(new TMixerConnection(mixer, line));
    }
}

TMixerDestination::TMixerDestination(TAudioMixer& mixer, const MixerLine& line)
    : Mixer(mixer), Line(line), Connections(mixer, line), Controls(mixer, line) {}

TMixerDestinations::TMixerDestinations() : m_list([](TMixerDestination* d) { delete d; }) {}
