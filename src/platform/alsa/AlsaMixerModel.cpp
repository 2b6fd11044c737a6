// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/alsa/AlsaMixerModel.h"

#include "platform/alsa/AlsaVolumeScale.h"

#include <algorithm>

namespace {
// Line identifiers: destinations and their sources, never 0 (0 marks "no line").
quint32 DestinationLineId(quint32 d) {
    return 0xFFFF0000u | d;
}
quint32 SourceLineId(quint32 d, quint32 s) {
    return ((d + 1) << 16) | s;
}

// MIXERLINE component types and line flags, for completeness of the line records.
constexpr quint32 kComponentSpeakers = 4;
constexpr quint32 kComponentWaveIn = 7;
constexpr quint32 kComponentSourceUndefined = 0x1000;
constexpr quint32 kLineActive = 0x1;
constexpr quint32 kLineSource = 0x80000000;
constexpr quint32 kListFlags = Mixer::ControlFlagMultiple | Mixer::ControlFlagUniform;

std::vector<snd_mixer_selem_channel_id_t> Channels(snd_mixer_elem_t* e, bool capture) {
    std::vector<snd_mixer_selem_channel_id_t> channels;
    const bool mono =
        capture ? snd_mixer_selem_is_capture_mono(e) : snd_mixer_selem_is_playback_mono(e);
    if (!mono) {
        for (int c = 0; c <= SND_MIXER_SCHN_LAST; ++c) {
            const auto id = snd_mixer_selem_channel_id_t(c);
            if (capture ? snd_mixer_selem_has_capture_channel(e, id)
                        : snd_mixer_selem_has_playback_channel(e, id))
                channels.push_back(id);
        }
    }
    if (channels.empty())
        channels.push_back(SND_MIXER_SCHN_MONO);
    return channels;
}

QString ElementName(snd_mixer_elem_t* e) {
    return QString::fromUtf8(snd_mixer_selem_get_name(e));
}

bool HasPlayback(snd_mixer_elem_t* e) {
    return snd_mixer_selem_has_playback_volume(e) || snd_mixer_selem_has_playback_switch(e);
}

bool HasCapture(snd_mixer_elem_t* e) {
    return snd_mixer_selem_has_capture_volume(e) || snd_mixer_selem_has_capture_switch(e);
}

bool IsCaptureSourceEnum(snd_mixer_elem_t* e) {
    return snd_mixer_selem_is_enumerated(e) && snd_mixer_selem_is_enum_capture(e);
}

// A control is uniform when it has one value for every channel.
quint32 UniformIf(bool uniform) {
    return uniform ? Mixer::ControlFlagUniform : 0;
}

// The element called Master (index 0) when it plays back, else the first element with a
// playback volume, else none.
snd_mixer_elem_t* FindMaster(snd_mixer_t* mixer) {
    for (auto* e = snd_mixer_first_elem(mixer); e; e = snd_mixer_elem_next(e)) {
        if (ElementName(e) == QLatin1String("Master") && snd_mixer_selem_get_index(e) == 0 &&
            HasPlayback(e))
            return e;
    }
    for (auto* e = snd_mixer_first_elem(mixer); e; e = snd_mixer_elem_next(e)) {
        if (snd_mixer_selem_has_playback_volume(e))
            return e;
    }
    return nullptr;
}
} // namespace

// The mixer's elements by the role they get, in the mixer's order.
struct AlsaMixerModel::Elements {
    snd_mixer_elem_t* master = nullptr;
    std::vector<snd_mixer_elem_t*> playback; // the master's sources
    std::vector<snd_mixer_elem_t*> capture;  // recording sources
    snd_mixer_elem_t* captureEnum = nullptr; // the first capture-source enumeration
};

AlsaMixerModel::Elements AlsaMixerModel::SortElements(snd_mixer_t* mixer) {
    Elements found;
    found.master = FindMaster(mixer);
    for (auto* e = snd_mixer_first_elem(mixer); e; e = snd_mixer_elem_next(e)) {
        if (e != found.master && HasPlayback(e))
            found.playback.push_back(e);
        if (IsCaptureSourceEnum(e)) {
            if (!found.captureEnum)
                found.captureEnum = e;
        } else if (HasCapture(e)) {
            found.capture.push_back(e);
        }
    }
    return found;
}

void AlsaMixerModel::Build(snd_mixer_t* mixer, const QString& productName) {
    m_mixer = mixer;
    caps.productName = productName;
    caps.driverVersion = (SND_LIB_MAJOR << 8) | SND_LIB_MINOR;

    const Elements found = SortElements(m_mixer);
    if (found.master)
        AddPlaybackDestination(found.master, found.playback);
    if (!found.capture.empty() || found.captureEnum)
        AddCaptureDestination(found.capture, found.captureEnum);
    CountConnectionsAndControls();
}

int AlsaMixerModel::AddDestination(const QString& lineName, quint32 component,
                                   snd_mixer_elem_t* elem, bool isCapture) {
    MixerLine info;
    info.destination = quint32(destinations.size());
    info.lineId = DestinationLineId(info.destination);
    info.componentType = component;
    info.name = info.shortName = lineName;
    const int line = AddLine(info, elem, isCapture);
    destinations.push_back(line);
    sources.emplace_back();
    return line;
}

// A source line of the destination added last.
int AlsaMixerModel::AddSource(snd_mixer_elem_t* elem, bool isCapture) {
    const quint32 d = quint32(destinations.size() - 1);
    MixerLine info;
    info.destination = d;
    info.source = quint32(sources.back().size());
    info.lineId = SourceLineId(d, info.source);
    info.lineFlags = kLineSource;
    info.componentType = kComponentSourceUndefined;
    info.name = info.shortName = ElementName(elem);
    const int line = AddLine(info, elem, isCapture);
    sources.back().push_back(line);
    return line;
}

void AlsaMixerModel::AddPlaybackControls(int line, snd_mixer_elem_t* e) {
    const bool mono = snd_mixer_selem_is_playback_mono(e);
    if (snd_mixer_selem_has_playback_volume(e))
        AddControl(line, Kind::PlaybackVolume, Mixer::ControlTypeVolume,
                   UniformIf(mono || snd_mixer_selem_has_playback_volume_joined(e)), e);
    if (snd_mixer_selem_has_playback_switch(e))
        AddControl(line, Kind::PlaybackMute, Mixer::ControlTypeMute,
                   UniformIf(mono || snd_mixer_selem_has_playback_switch_joined(e)), e);
}

// The master with the other playback elements as its sources; the sources' controls come
// first.
void AlsaMixerModel::AddPlaybackDestination(snd_mixer_elem_t* master,
                                            const std::vector<snd_mixer_elem_t*>& playback) {
    const int line = AddDestination(ElementName(master), kComponentSpeakers, master, false);
    for (auto* e : playback)
        AddPlaybackControls(AddSource(e, false), e);
    AddPlaybackControls(line, master);
}

void AlsaMixerModel::AddCaptureDestination(const std::vector<snd_mixer_elem_t*>& capture,
                                           snd_mixer_elem_t* captureEnum) {
    // The capture destination itself is no element: its one control is the selection.
    const int line = AddDestination(QStringLiteral("Capture"), kComponentWaveIn, nullptr, true);
    std::vector<snd_mixer_elem_t*> switches;
    std::vector<int> switchLines;
    for (auto* e : capture) {
        const int source = AddSource(e, true);
        if (AddCaptureSourceControls(source, e, captureEnum != nullptr)) {
            switches.push_back(e);
            switchLines.push_back(source);
        }
    }
    if (captureEnum)
        AddMuxControl(line, captureEnum);
    else if (!switches.empty())
        AddMixerControl(line, switches, switchLines);
}

// A capture source's volume, and its mute beside a source enumeration; true when the
// element has a capture switch.
bool AlsaMixerModel::AddCaptureSourceControls(int source, snd_mixer_elem_t* e, bool besideEnum) {
    const bool mono = snd_mixer_selem_is_capture_mono(e);
    if (snd_mixer_selem_has_capture_volume(e))
        AddControl(source, Kind::CaptureVolume, Mixer::ControlTypeVolume,
                   UniformIf(mono || snd_mixer_selem_has_capture_volume_joined(e)), e);
    if (!snd_mixer_selem_has_capture_switch(e))
        return false;
    // Beside a source enumeration a capture switch mutes its source; without one the
    // switches together select what is recorded.
    if (besideEnum)
        AddControl(source, Kind::CaptureMute, Mixer::ControlTypeMute,
                   UniformIf(mono || snd_mixer_selem_has_capture_switch_joined(e)), e);
    return true;
}

// The enumeration's items, each naming the capture source of the same name when there is one.
void AlsaMixerModel::AddMuxControl(int line, snd_mixer_elem_t* captureEnum) {
    AddControl(line, Kind::Mux, Mixer::ControlTypeMux, kListFlags, captureEnum);
    Control& mux = controls.back();
    const int items = std::max(0, snd_mixer_selem_get_enum_items(captureEnum));
    for (int i = 0; i < items; ++i) {
        char text[64] = {};
        snd_mixer_selem_get_enum_item_name(captureEnum, unsigned(i), sizeof text - 1, text);
        MixerListText t;
        t.name = QString::fromUtf8(text);
        for (int s : sources.back()) {
            if (lines[std::size_t(s)].info.name.compare(t.name, Qt::CaseInsensitive) == 0)
                t.param1 = lines[std::size_t(s)].info.lineId;
        }
        mux.texts.push_back(t);
    }
    mux.info.multipleItems = quint32(items);
}

// One item per capture switch, naming its source line.
void AlsaMixerModel::AddMixerControl(int line, const std::vector<snd_mixer_elem_t*>& switches,
                                     const std::vector<int>& switchLines) {
    AddControl(line, Kind::Mixer, Mixer::ControlTypeMixer, kListFlags, nullptr);
    Control& mixer = controls.back();
    mixer.items = switches;
    for (int s : switchLines) {
        const MixerLine& source = lines[std::size_t(s)].info;
        mixer.texts.push_back({source.lineId, 0, source.name});
    }
    mixer.info.multipleItems = quint32(switches.size());
}

void AlsaMixerModel::CountConnectionsAndControls() {
    for (std::size_t d = 0; d < destinations.size(); ++d)
        lines[std::size_t(destinations[d])].info.connections = quint32(sources[d].size());
    for (Line& line : lines)
        line.info.controls = quint32(line.controls.size());
    caps.destinations = quint32(destinations.size());
}

int AlsaMixerModel::AddLine(const MixerLine& info, snd_mixer_elem_t* elem, bool capture) {
    Line line;
    line.info = info;
    line.elem = elem;
    line.channels = elem ? Channels(elem, capture) : std::vector{SND_MIXER_SCHN_MONO};
    line.info.channels = quint32(line.channels.size());
    if (!elem || snd_mixer_selem_is_active(elem))
        line.info.lineFlags |= kLineActive;
    lines.push_back(line);
    m_lineIndex[info.lineId] = int(lines.size() - 1);
    return int(lines.size() - 1);
}

void AlsaMixerModel::AddControl(int line, Kind kind, quint32 type, quint32 flags,
                                snd_mixer_elem_t* elem) {
    Control c;
    c.kind = kind;
    c.line = line;
    c.elem = elem;
    c.info.controlId = quint32(controls.size() + 1);
    c.info.controlType = type;
    c.info.controlFlags = flags;
    if (elem && !snd_mixer_selem_is_active(elem))
        c.info.controlFlags |= Mixer::ControlFlagDisabled;
    const QString lineName = lines[std::size_t(line)].info.name;
    switch (kind) {
    case Kind::PlaybackVolume:
    case Kind::CaptureVolume:
        c.info.name = lineName + QStringLiteral(" Volume");
        if (kind == Kind::PlaybackVolume)
            snd_mixer_selem_get_playback_volume_range(elem, &c.min, &c.max);
        else
            snd_mixer_selem_get_capture_volume_range(elem, &c.min, &c.max);
        c.info.maximum = AlsaVolumeScale::kFull;
        c.info.steps = quint32(std::max(0L, c.max - c.min));
        break;
    case Kind::PlaybackMute:
    case Kind::CaptureMute:
        c.info.name = lineName + QStringLiteral(" Mute");
        c.info.maximum = 1;
        break;
    case Kind::Mux:
    case Kind::Mixer:
        c.info.name = kind == Kind::Mux ? QStringLiteral("Source") : QStringLiteral("Recording");
        c.info.maximum = 1;
        break;
    }
    c.info.shortName = c.info.name.left(15);
    lines[std::size_t(line)].controls.push_back(int(controls.size()));
    controls.push_back(std::move(c));
}

const AlsaMixerModel::Line* AlsaMixerModel::FindLine(quint32 lineId) const {
    const auto it = m_lineIndex.find(lineId);
    return it == m_lineIndex.end() ? nullptr : &lines[std::size_t(it->second)];
}

AlsaMixerModel::Control* AlsaMixerModel::FindControl(quint32 controlId) {
    return controlId >= 1 && controlId <= controls.size() ? &controls[controlId - 1] : nullptr;
}

MixerResult AlsaMixerModel::GetLineInfo(MixerLine& line, quint32 flags) const {
    if (flags != Mixer::LineInfoByDestination && flags != Mixer::LineInfoBySource)
        return Mixer::InvalidFlag;
    const quint32 d = line.destination;
    if (d >= destinations.size())
        return Mixer::InvalidLine;
    int index = destinations[d];
    if (flags == Mixer::LineInfoBySource) {
        if (line.source >= sources[d].size())
            return Mixer::InvalidLine;
        index = sources[d][line.source];
    }
    line = lines[std::size_t(index)].info;
    return Mixer::NoError;
}

MixerResult AlsaMixerModel::GetLineControls(quint32 lineId, std::span<MixerControl> controls,
                                            quint32 flags) const {
    if (flags != Mixer::LineControlsAll)
        return Mixer::InvalidFlag;
    const Line* line = FindLine(lineId);
    if (!line)
        return Mixer::InvalidLine;
    if (controls.size() != line->controls.size())
        return Mixer::InvalidParam;
    for (std::size_t i = 0; i < controls.size(); ++i)
        controls[i] = this->controls[std::size_t(line->controls[i])].info;
    return Mixer::NoError;
}
