// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MixerDriver.h"
#include "volume/TPointerList.h"

#include <vector>

class TAudioMixer;

// The controls of one line, as the driver reported them when the device was opened.
class TMixerControls {
public:
    TMixerControls(TAudioMixer& mixer, const MixerLine& line);

    int Count() const { return m_list.Count(); }
    // nullptr for an index outside the list.
    const MixerControl* Get(int index) const { return m_list.Get(index); }

private:
    std::vector<MixerControl> m_buffer;
    TPointerList<MixerControl> m_list;
};

// One source line connected to a destination.
class TMixerConnection {
public:
    TMixerConnection(TAudioMixer& mixer, const MixerLine& line);

    TAudioMixer& Mixer;
    const MixerLine Line;
    TMixerControls Controls;
};

// The source lines of one destination, in the driver's order; lines that could not be
// read are left out.
class TMixerConnections {
public:
    TMixerConnections(TAudioMixer& mixer, const MixerLine& destination);

    int Count() const { return m_list.Count(); }
    TMixerConnection* Get(int index) const { return m_list.Get(index); }

    TAudioMixer& Mixer;

private:
    TPointerList<TMixerConnection> m_list;
};

// One destination line with its source lines and its own controls.
class TMixerDestination {
public:
    TMixerDestination(TAudioMixer& mixer, const MixerLine& line);

    TAudioMixer& Mixer;
    const MixerLine Line;
    // Declared before Controls: the source lines are read first.
    TMixerConnections Connections;
    TMixerControls Controls;
};

// The destination lines of the open device.
class TMixerDestinations {
public:
    TMixerDestinations();

    void Add(TMixerDestination* destination) { m_list.Add(destination); }
    int Count() const { return m_list.Count(); }
    TMixerDestination* Get(int index) const { return m_list.Get(index); }

private:
    TPointerList<TMixerDestination> m_list;
};
