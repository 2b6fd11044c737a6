// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MixerDriver.h"
#include "volume/TAudioMixer.h"

#include <algorithm>
#include <memory>
#include <span>
#include <vector>

// A mixer driver whose devices, lines, controls and values the test writes down, for what
// no real device here has: mono and uniform controls, several volume controls on a line,
// multiple-item controls, selection controls, devices that fail to open. It keeps a log of
// the calls that matter.
struct ScriptedControl {
    MixerControl info;
    std::vector<qint32> values; // as many as a full read returns
    std::vector<MixerListText> texts;
    bool failValues = false;
    bool failTexts = false;
    bool ignoreWrites = false; // takes a write without error and keeps its values
};

struct ScriptedLine {
    MixerLine info;
    std::vector<ScriptedControl> controls;
    bool failInfo = false;
    bool failControls = false;
};

struct ScriptedDestination {
    ScriptedLine line;
    std::vector<ScriptedLine> sources;
};

struct ScriptedDevice {
    MixerCaps caps;
    std::vector<ScriptedDestination> destinations;
    int failingOpens = 0; // this many open attempts fail before one succeeds
};

inline ScriptedControl Control(quint32 id, quint32 type, std::vector<qint32> values,
                               quint32 flags = 0) {
    ScriptedControl c;
    c.info.controlId = id;
    c.info.controlType = type;
    c.info.controlFlags = flags;
    c.values = std::move(values);
    return c;
}

// A selection control listing source lines (one item per line identifier).
inline ScriptedControl Selection(quint32 id, quint32 type, const std::vector<quint32>& lines,
                                 std::vector<qint32> selected, quint32 flags = 0) {
    ScriptedControl c = Control(id, type, std::move(selected),
                                flags | Mixer::ControlFlagMultiple | Mixer::ControlFlagUniform);
    c.info.multipleItems = quint32(lines.size());
    for (quint32 line : lines)
        c.texts.push_back({line, 0, QStringLiteral("item")});
    return c;
}

inline ScriptedLine Line(quint32 id, quint32 channels, std::vector<ScriptedControl> controls) {
    ScriptedLine l;
    l.info.lineId = id;
    l.info.channels = channels;
    l.controls = std::move(controls);
    return l;
}

class ScriptedMixerDriver : public MixerDriver {
public:
    struct OpenCall {
        quint32 deviceId;
        bool withCallback;
    };
    struct DetailsCall {
        quint32 controlId;
        quint32 channels;
        quint32 items;
        std::vector<qint32> values;
    };

    std::vector<ScriptedDevice> devices;
    std::vector<OpenCall> opens;
    int closes = 0;
    std::vector<DetailsCall> reads;
    std::vector<DetailsCall> writes;
    bool lost = false; // the open device no longer answers

    quint32 GetNumDevs() override { return quint32(devices.size()); }

    MixerResult Open(MixerHandle* mixer, quint32 id, MixerNotify* callback,
                     quint32 flags) override {
        opens.push_back({id, callback && (flags & Mixer::CallbackWindow)});
        if (id >= devices.size())
            return Mixer::BadDeviceId;
        if (devices[id].failingOpens > 0) {
            --devices[id].failingOpens;
            return Mixer::NoDriver;
        }
        m_open = id;
        m_callback = opens.back().withCallback ? callback : nullptr;
        *mixer = m_handle = 0x100 + quint32(opens.size());
        lost = false;
        return Mixer::NoError;
    }

    MixerResult Close(MixerHandle mixer) override {
        ++closes;
        if (mixer != m_handle)
            return Mixer::InvalidHandle;
        m_handle = 0;
        m_callback = nullptr;
        return Mixer::NoError;
    }

    MixerResult GetDevCaps(quint32 id, MixerCaps& caps) override {
        if (id >= devices.size())
            return Mixer::BadDeviceId;
        caps = devices[id].caps;
        return Mixer::NoError;
    }

    MixerResult GetLineInfo(MixerHandle mixer, MixerLine& line, quint32 flags) override {
        if (mixer != m_handle || !m_handle)
            return Mixer::InvalidHandle;
        auto& dests = devices[m_open].destinations;
        if (line.destination >= dests.size())
            return Mixer::InvalidLine;
        ScriptedDestination& d = dests[line.destination];
        ScriptedLine* l = &d.line;
        if (flags == Mixer::LineInfoBySource) {
            if (line.source >= d.sources.size())
                return Mixer::InvalidLine;
            l = &d.sources[line.source];
        }
        if (l->failInfo)
            return Mixer::InvalidLine;
        const quint32 destination = line.destination, source = line.source;
        line = l->info;
        line.destination = destination;
        line.source = source;
        line.connections = flags == Mixer::LineInfoBySource ? 0 : quint32(d.sources.size());
        line.controls = quint32(l->controls.size());
        return Mixer::NoError;
    }

    MixerResult GetLineControls(MixerHandle mixer, quint32 lineId, std::span<MixerControl> controls,
                                quint32) override {
        ScriptedLine* l = FindLine(mixer, lineId);
        if (!l || l->failControls)
            return Mixer::InvalidLine;
        if (controls.size() != l->controls.size())
            return Mixer::InvalidParam;
        for (std::size_t i = 0; i < controls.size(); ++i)
            controls[i] = l->controls[i].info;
        return Mixer::NoError;
    }

    MixerResult GetControlDetails(MixerHandle mixer, MixerControlDetails& d,
                                  quint32 flags) override {
        ScriptedControl* c = FindControl(mixer, d.controlId);
        if (!c)
            return Mixer::InvalidControl;
        const std::size_t count = std::size_t(d.channels) * std::max<quint32>(d.multipleItems, 1);
        if (flags == Mixer::DetailsListText) {
            if (c->failTexts || d.listTexts.size() < count)
                return Mixer::InvalidParam;
            for (std::size_t k = 0; k < count; ++k)
                d.listTexts[k] = k < c->texts.size() ? c->texts[k] : MixerListText{};
            return Mixer::NoError;
        }
        reads.push_back({d.controlId, d.channels, d.multipleItems, {}});
        if (c->failValues || d.values.size() < count)
            return Mixer::InvalidParam;
        for (std::size_t k = 0; k < count; ++k)
            d.values[k] = k < c->values.size() ? c->values[k] : 0;
        return Mixer::NoError;
    }

    MixerResult SetControlDetails(MixerHandle mixer, const MixerControlDetails& d,
                                  quint32) override {
        ScriptedControl* c = FindControl(mixer, d.controlId);
        const std::size_t count = std::size_t(d.channels) * std::max<quint32>(d.multipleItems, 1);
        const std::span<const qint32> sent = d.values.first(std::min(count, d.values.size()));
        std::vector<qint32> values(sent.begin(), sent.end());
        writes.push_back({d.controlId, d.channels, d.multipleItems, values});
        if (!c)
            return Mixer::InvalidControl;
        if (c->ignoreWrites)
            return Mixer::NoError;
        if (c->values.size() < values.size())
            c->values.resize(values.size());
        std::copy(values.begin(), values.end(), c->values.begin());
        return Mixer::NoError;
    }

    MixerResult GetID(MixerHandle mixer, quint32* id) override {
        if (mixer != m_handle || !m_handle)
            return Mixer::InvalidHandle;
        if (lost)
            return Mixer::NoDriver;
        *id = m_open;
        return Mixer::NoError;
    }

    // Sends a change message to the open device's callback, as the system would.
    bool Notify(unsigned message, quint32 id) {
        if (!m_callback)
            return false;
        m_callback->MixerMessage(message, m_handle, id);
        return true;
    }

    MixerHandle handle() const { return m_handle; }

    std::vector<DetailsCall> WritesOf(quint32 controlId) const {
        std::vector<DetailsCall> out;
        std::copy_if(writes.begin(), writes.end(), std::back_inserter(out),
                     [&](const DetailsCall& c) { return c.controlId == controlId; });
        return out;
    }

private:
    ScriptedLine* FindLine(MixerHandle mixer, quint32 lineId) {
        if (mixer != m_handle || !m_handle)
            return nullptr;
        for (ScriptedDestination& d : devices[m_open].destinations) {
            if (d.line.info.lineId == lineId)
                return &d.line;
            for (ScriptedLine& s : d.sources) {
                if (s.info.lineId == lineId)
                    return &s;
            }
        }
        return nullptr;
    }

    ScriptedControl* FindControl(MixerHandle mixer, quint32 controlId) {
        if (mixer != m_handle || !m_handle)
            return nullptr;
        for (ScriptedDestination& d : devices[m_open].destinations) {
            std::vector<ScriptedLine*> lines{&d.line};
            for (ScriptedLine& s : d.sources)
                lines.push_back(&s);
            for (ScriptedLine* l : lines) {
                for (ScriptedControl& c : l->controls) {
                    if (c.info.controlId == controlId)
                        return &c;
                }
            }
        }
        return nullptr;
    }

    quint32 m_open = 0;
    MixerHandle m_handle = 0;
    MixerNotify* m_callback = nullptr;
};

// A mixer component on a scripted driver that the test keeps a hand on.
struct Harness {
    ScriptedMixerDriver* driver;
    std::unique_ptr<TAudioMixer> mixer;
};

inline Harness Make(std::vector<ScriptedDevice> devices) {
    auto driver = std::make_unique<ScriptedMixerDriver>();
    driver->devices = std::move(devices);
    ScriptedMixerDriver* raw = driver.get();
    return {raw, std::make_unique<TAudioMixer>(std::move(driver))};
}
