#include "AlsaMixerDevice.h"

#include "AlsaMixerNotifier.h"
#include "AlsaVolumeScale.h"

#include <algorithm>
#include <cerrno>

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

bool IsListKind(quint32 type) {
    return (type & Mixer::ControlClassMask) == Mixer::ControlClassList;
}
} // namespace

int AlsaMixerDevice::Open(const QByteArray& name, std::unique_ptr<AlsaMixerDevice>& device) {
    snd_hctl_t* hctl = nullptr;
    int err = snd_hctl_open(&hctl, name.constData(), SND_CTL_NONBLOCK);
    if (err < 0)
        return err;
    snd_mixer_t* mixer = nullptr;
    if ((err = snd_mixer_open(&mixer, 0)) < 0) {
        snd_hctl_close(hctl);
        return err;
    }
    // From here the mixer owns the control handle (attaching closes it on failure).
    if ((err = snd_mixer_attach_hctl(mixer, hctl)) < 0 ||
        (err = snd_mixer_selem_register(mixer, nullptr, nullptr)) < 0 ||
        (err = snd_mixer_load(mixer)) < 0) {
        snd_mixer_close(mixer);
        return err;
    }
    device.reset(new AlsaMixerDevice(mixer));
    device->Build(name, hctl);
    return 0;
}

AlsaMixerDevice::AlsaMixerDevice(snd_mixer_t* mixer) : m_mixer(mixer) {}

AlsaMixerDevice::~AlsaMixerDevice() {
    delete m_notifier; // before its descriptors close
    m_notifier = nullptr;
    // Closing removes every element; nothing of this object may hear about it.
    snd_mixer_set_callback(m_mixer, nullptr);
    for (auto* e = snd_mixer_first_elem(m_mixer); e; e = snd_mixer_elem_next(e))
        snd_mixer_elem_set_callback(e, nullptr);
    snd_mixer_close(m_mixer);
}

void AlsaMixerDevice::Build(const QByteArray& name, snd_hctl_t* hctl) {
    m_hctl = hctl;
    snd_ctl_card_info_t* info = nullptr;
    snd_ctl_card_info_alloca(&info);
    m_caps.productName = snd_ctl_card_info(snd_hctl_ctl(hctl), info) >= 0
                             ? QString::fromUtf8(snd_ctl_card_info_get_name(info))
                             : QString::fromUtf8(name);
    m_caps.driverVersion = (SND_LIB_MAJOR << 8) | SND_LIB_MINOR;

    snd_mixer_elem_t* master = nullptr;
    for (auto* e = snd_mixer_first_elem(m_mixer); e && !master; e = snd_mixer_elem_next(e)) {
        if (ElementName(e) == QLatin1String("Master") && snd_mixer_selem_get_index(e) == 0 &&
            (snd_mixer_selem_has_playback_volume(e) || snd_mixer_selem_has_playback_switch(e)))
            master = e;
    }
    for (auto* e = snd_mixer_first_elem(m_mixer); e && !master; e = snd_mixer_elem_next(e)) {
        if (snd_mixer_selem_has_playback_volume(e))
            master = e;
    }
    std::vector<snd_mixer_elem_t*> playback, capture;
    snd_mixer_elem_t* captureEnum = nullptr;
    for (auto* e = snd_mixer_first_elem(m_mixer); e; e = snd_mixer_elem_next(e)) {
        if (e != master &&
            (snd_mixer_selem_has_playback_volume(e) || snd_mixer_selem_has_playback_switch(e)))
            playback.push_back(e);
        if (snd_mixer_selem_is_enumerated(e) && snd_mixer_selem_is_enum_capture(e)) {
            if (!captureEnum)
                captureEnum = e;
        } else if (snd_mixer_selem_has_capture_volume(e) || snd_mixer_selem_has_capture_switch(e)) {
            capture.push_back(e);
        }
    }

    auto addDestination = [this](const QString& lineName, quint32 component, snd_mixer_elem_t* elem,
                                 bool isCapture) {
        MixerLine info;
        info.destination = quint32(m_destinations.size());
        info.lineId = DestinationLineId(info.destination);
        info.componentType = component;
        info.name = info.shortName = lineName;
        const int line = AddLine(info, elem, isCapture);
        m_destinations.push_back(line);
        m_sources.emplace_back();
        return line;
    };
    auto addSource = [this](snd_mixer_elem_t* elem, bool isCapture) {
        const quint32 d = quint32(m_destinations.size() - 1);
        MixerLine info;
        info.destination = d;
        info.source = quint32(m_sources.back().size());
        info.lineId = SourceLineId(d, info.source);
        info.lineFlags = kLineSource;
        info.componentType = kComponentSourceUndefined;
        info.name = info.shortName = ElementName(elem);
        const int line = AddLine(info, elem, isCapture);
        m_sources.back().push_back(line);
        return line;
    };
    auto addPlaybackControls = [this](int line, snd_mixer_elem_t* e) {
        const bool mono = snd_mixer_selem_is_playback_mono(e);
        if (snd_mixer_selem_has_playback_volume(e))
            AddControl(line, Kind::PlaybackVolume, Mixer::ControlTypeVolume,
                       mono || snd_mixer_selem_has_playback_volume_joined(e)
                           ? Mixer::ControlFlagUniform
                           : 0,
                       e);
        if (snd_mixer_selem_has_playback_switch(e))
            AddControl(line, Kind::PlaybackMute, Mixer::ControlTypeMute,
                       mono || snd_mixer_selem_has_playback_switch_joined(e)
                           ? Mixer::ControlFlagUniform
                           : 0,
                       e);
    };

    if (master) {
        const int line = addDestination(ElementName(master), kComponentSpeakers, master, false);
        for (auto* e : playback)
            addPlaybackControls(addSource(e, false), e);
        addPlaybackControls(line, master);
    }
    if (!capture.empty() || captureEnum) {
        // The capture destination itself is no element: its one control is the selection.
        const int line = addDestination(QStringLiteral("Capture"), kComponentWaveIn, nullptr, true);
        std::vector<snd_mixer_elem_t*> switches;
        std::vector<int> switchLines;
        for (auto* e : capture) {
            const int source = addSource(e, true);
            const bool mono = snd_mixer_selem_is_capture_mono(e);
            if (snd_mixer_selem_has_capture_volume(e))
                AddControl(source, Kind::CaptureVolume, Mixer::ControlTypeVolume,
                           mono || snd_mixer_selem_has_capture_volume_joined(e)
                               ? Mixer::ControlFlagUniform
                               : 0,
                           e);
            if (snd_mixer_selem_has_capture_switch(e)) {
                // Beside a source enumeration a capture switch mutes its source; without
                // one the switches together select what is recorded.
                if (captureEnum)
                    AddControl(source, Kind::CaptureMute, Mixer::ControlTypeMute,
                               mono || snd_mixer_selem_has_capture_switch_joined(e)
                                   ? Mixer::ControlFlagUniform
                                   : 0,
                               e);
                switches.push_back(e);
                switchLines.push_back(source);
            }
        }
        const quint32 listFlags = Mixer::ControlFlagMultiple | Mixer::ControlFlagUniform;
        if (captureEnum) {
            AddControl(line, Kind::Mux, Mixer::ControlTypeMux, listFlags, captureEnum);
            Control& mux = m_controls.back();
            const int items = std::max(0, snd_mixer_selem_get_enum_items(captureEnum));
            for (int i = 0; i < items; ++i) {
                char text[64] = {};
                snd_mixer_selem_get_enum_item_name(captureEnum, unsigned(i), sizeof text - 1, text);
                MixerListText t;
                t.name = QString::fromUtf8(text);
                for (int s : m_sources.back()) {
                    if (m_lines[std::size_t(s)].info.name.compare(t.name, Qt::CaseInsensitive) == 0)
                        t.param1 = m_lines[std::size_t(s)].info.lineId;
                }
                mux.texts.push_back(t);
            }
            mux.info.multipleItems = quint32(items);
        } else if (!switches.empty()) {
            AddControl(line, Kind::Mixer, Mixer::ControlTypeMixer, listFlags, nullptr);
            Control& mixer = m_controls.back();
            mixer.items = switches;
            for (int s : switchLines) {
                const MixerLine& source = m_lines[std::size_t(s)].info;
                mixer.texts.push_back({source.lineId, 0, source.name});
            }
            mixer.info.multipleItems = quint32(switches.size());
        }
    }

    for (std::size_t d = 0; d < m_destinations.size(); ++d)
        m_lines[std::size_t(m_destinations[d])].info.connections = quint32(m_sources[d].size());
    for (Line& line : m_lines)
        line.info.controls = quint32(line.controls.size());
    for (Control& control : m_controls)
        ReadControl(control, control.last);
    m_caps.destinations = quint32(m_destinations.size());
}

int AlsaMixerDevice::AddLine(const MixerLine& info, snd_mixer_elem_t* elem, bool capture) {
    Line line;
    line.info = info;
    line.elem = elem;
    line.channels = elem ? Channels(elem, capture) : std::vector{SND_MIXER_SCHN_MONO};
    line.info.channels = quint32(line.channels.size());
    if (!elem || snd_mixer_selem_is_active(elem))
        line.info.lineFlags |= kLineActive;
    m_lines.push_back(line);
    m_lineIndex[info.lineId] = int(m_lines.size() - 1);
    if (elem) {
        snd_mixer_elem_set_callback(elem, &AlsaMixerDevice::ElementCallback);
        snd_mixer_elem_set_callback_private(elem, this);
    }
    return int(m_lines.size() - 1);
}

void AlsaMixerDevice::AddControl(int line, Kind kind, quint32 type, quint32 flags,
                                 snd_mixer_elem_t* elem) {
    Control c;
    c.kind = kind;
    c.line = line;
    c.elem = elem;
    c.info.controlId = quint32(m_controls.size() + 1);
    c.info.controlType = type;
    c.info.controlFlags = flags;
    if (elem && !snd_mixer_selem_is_active(elem))
        c.info.controlFlags |= Mixer::ControlFlagDisabled;
    const QString lineName = m_lines[std::size_t(line)].info.name;
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
    m_lines[std::size_t(line)].controls.push_back(int(m_controls.size()));
    m_controls.push_back(std::move(c));
    if (elem) {
        snd_mixer_elem_set_callback(elem, &AlsaMixerDevice::ElementCallback);
        snd_mixer_elem_set_callback_private(elem, this);
    }
    for (auto* item : m_controls.back().items) {
        snd_mixer_elem_set_callback(item, &AlsaMixerDevice::ElementCallback);
        snd_mixer_elem_set_callback_private(item, this);
    }
}

const AlsaMixerDevice::Line* AlsaMixerDevice::FindLine(quint32 lineId) const {
    const auto it = m_lineIndex.find(lineId);
    return it == m_lineIndex.end() ? nullptr : &m_lines[std::size_t(it->second)];
}

AlsaMixerDevice::Control* AlsaMixerDevice::FindControl(quint32 controlId) {
    return controlId >= 1 && controlId <= m_controls.size() ? &m_controls[controlId - 1] : nullptr;
}

MixerResult AlsaMixerDevice::GetLineInfo(MixerLine& line, quint32 flags) const {
    if (flags != Mixer::LineInfoByDestination && flags != Mixer::LineInfoBySource)
        return Mixer::InvalidFlag;
    const quint32 d = line.destination;
    if (d >= m_destinations.size())
        return Mixer::InvalidLine;
    int index = m_destinations[d];
    if (flags == Mixer::LineInfoBySource) {
        if (line.source >= m_sources[d].size())
            return Mixer::InvalidLine;
        index = m_sources[d][line.source];
    }
    line = m_lines[std::size_t(index)].info;
    return Mixer::NoError;
}

MixerResult AlsaMixerDevice::GetLineControls(quint32 lineId, std::span<MixerControl> controls,
                                             quint32 flags) const {
    if (flags != Mixer::LineControlsAll)
        return Mixer::InvalidFlag;
    const Line* line = FindLine(lineId);
    if (!line)
        return Mixer::InvalidLine;
    if (controls.size() != line->controls.size())
        return Mixer::InvalidParam;
    for (std::size_t i = 0; i < controls.size(); ++i)
        controls[i] = m_controls[std::size_t(line->controls[i])].info;
    return Mixer::NoError;
}

MixerResult AlsaMixerDevice::Failed(int alsaError) {
    switch (-alsaError) {
    case ENODEV:
    case ENXIO:
    case EIO:
    case EBADFD:
    case ENOTCONN:
    case EPIPE:
    case ESHUTDOWN:
        MarkLost();
        return Mixer::NoDriver;
    default:
        return Mixer::Error;
    }
}

MixerResult AlsaMixerDevice::ReadControl(const Control& c, std::vector<qint32>& values) {
    values.clear();
    const Line& line = m_lines[std::size_t(c.line)];
    if (c.kind == Kind::Mixer) {
        for (auto* item : c.items) {
            int on = 0;
            if (item && snd_mixer_selem_get_capture_switch(item, SND_MIXER_SCHN_MONO, &on) < 0)
                on = 0;
            values.push_back(on ? 1 : 0);
        }
        return Mixer::NoError;
    }
    if (!c.elem)
        return Mixer::InvalidControl; // its element went away
    if (c.kind == Kind::Mux) {
        unsigned selected = 0;
        if (const int err = snd_mixer_selem_get_enum_item(c.elem, SND_MIXER_SCHN_MONO, &selected);
            err < 0)
            return Failed(err);
        for (quint32 i = 0; i < c.info.multipleItems; ++i)
            values.push_back(i == selected ? 1 : 0);
        return Mixer::NoError;
    }
    for (const auto channel : line.channels) {
        long raw = 0;
        int on = 0, err = 0;
        switch (c.kind) {
        case Kind::PlaybackVolume:
            err = snd_mixer_selem_get_playback_volume(c.elem, channel, &raw);
            values.push_back(AlsaVolumeScale::ToUnits(raw, c.min, c.max));
            break;
        case Kind::CaptureVolume:
            err = snd_mixer_selem_get_capture_volume(c.elem, channel, &raw);
            values.push_back(AlsaVolumeScale::ToUnits(raw, c.min, c.max));
            break;
        case Kind::PlaybackMute:
            err = snd_mixer_selem_get_playback_switch(c.elem, channel, &on);
            values.push_back(on ? 0 : 1);
            break;
        default:
            err = snd_mixer_selem_get_capture_switch(c.elem, channel, &on);
            values.push_back(on ? 0 : 1);
            break;
        }
        if (err < 0)
            return Failed(err);
    }
    return Mixer::NoError;
}

MixerResult AlsaMixerDevice::WriteChannels(Control& c, std::span<const qint32> values) {
    const Line& line = m_lines[std::size_t(c.line)];
    if (!c.elem)
        return Mixer::InvalidControl;
    // One value sets every channel; otherwise value k sets channel k.
    for (std::size_t k = 0; k < line.channels.size(); ++k) {
        if (values.size() > 1 && k >= values.size())
            break;
        const qint32 v = values.size() == 1 ? values[0] : values[k];
        const auto channel = line.channels[k];
        const bool capture = c.kind == Kind::CaptureVolume || c.kind == Kind::CaptureMute;
        int err = 0;
        if (c.kind == Kind::PlaybackVolume || c.kind == Kind::CaptureVolume) {
            long current = 0;
            err = capture ? snd_mixer_selem_get_capture_volume(c.elem, channel, &current)
                          : snd_mixer_selem_get_playback_volume(c.elem, channel, &current);
            const long raw = AlsaVolumeScale::RawForWrite(v, current, c.min, c.max);
            if (err >= 0 && raw != current)
                err = capture ? snd_mixer_selem_set_capture_volume(c.elem, channel, raw)
                              : snd_mixer_selem_set_playback_volume(c.elem, channel, raw);
        } else {
            const int on = v ? 0 : 1;
            err = capture ? snd_mixer_selem_set_capture_switch(c.elem, channel, on)
                          : snd_mixer_selem_set_playback_switch(c.elem, channel, on);
        }
        if (err < 0)
            return Failed(err);
    }
    return Mixer::NoError;
}

MixerResult AlsaMixerDevice::WriteItems(Control& c, std::span<const qint32> values) {
    if (c.kind == Kind::Mixer) {
        for (std::size_t i = 0; i < c.items.size() && i < values.size(); ++i) {
            if (!c.items[i])
                continue;
            if (const int err =
                    snd_mixer_selem_set_capture_switch_all(c.items[i], values[i] ? 1 : 0);
                err < 0)
                return Failed(err);
        }
        return Mixer::NoError;
    }
    if (!c.elem)
        return Mixer::InvalidControl;
    // A multiplexer selects one item: the first one set. With none set it stays as it is.
    const auto it = std::find_if(values.begin(), values.end(), [](qint32 v) { return v != 0; });
    if (it == values.end())
        return Mixer::NoError;
    const unsigned item = unsigned(it - values.begin());
    for (int channel = 0; channel <= SND_MIXER_SCHN_LAST; ++channel) {
        const int err =
            snd_mixer_selem_set_enum_item(c.elem, snd_mixer_selem_channel_id_t(channel), item);
        if (err < 0) {
            if (channel == 0)
                return Failed(err);
            break; // past the element's last channel
        }
    }
    return Mixer::NoError;
}

// The shape of a details request: channels × items elements, items only for list controls.
static bool ShapeFits(quint32 channels, quint32 lineChannels, bool list, quint32 items,
                      quint32 askedItems) {
    if (channels == 0 || channels > std::max<quint32>(lineChannels, 1))
        return false;
    return list ? askedItems == items : true;
}

MixerResult AlsaMixerDevice::GetControlDetails(MixerControlDetails& d, quint32 flags) {
    if (!Alive())
        return Mixer::NoDriver;
    const Control* c = FindControl(d.controlId);
    if (!c)
        return Mixer::InvalidControl;
    const bool list = IsListKind(c->info.controlType);
    const quint32 items = list ? c->info.multipleItems : 0;
    if (!ShapeFits(d.channels, m_lines[std::size_t(c->line)].info.channels, list, items,
                   d.multipleItems))
        return Mixer::InvalidParam;
    const std::size_t count = std::size_t(d.channels) * std::max<quint32>(items, 1);

    if (flags == Mixer::DetailsListText) {
        if (!list || d.listTexts.size() < count)
            return Mixer::InvalidParam;
        for (std::size_t k = 0; k < count; ++k)
            d.listTexts[k] = c->texts[k % items];
        return Mixer::NoError;
    }
    if (flags != Mixer::DetailsValue)
        return Mixer::InvalidFlag;
    if (d.values.size() < count)
        return Mixer::InvalidParam;
    std::vector<qint32> all;
    if (const MixerResult r = ReadControl(*c, all); r != Mixer::NoError)
        return r;
    for (std::size_t k = 0; k < count; ++k)
        d.values[k] = list ? all[k % items] : all[d.channels == 1 ? 0 : k];
    return Mixer::NoError;
}

MixerResult AlsaMixerDevice::SetControlDetails(const MixerControlDetails& d, quint32 flags) {
    if (!Alive())
        return Mixer::NoDriver;
    if (flags != Mixer::DetailsValue)
        return Mixer::InvalidFlag;
    Control* c = FindControl(d.controlId);
    if (!c)
        return Mixer::InvalidControl;
    const bool list = IsListKind(c->info.controlType);
    const quint32 items = list ? c->info.multipleItems : 0;
    if (!ShapeFits(d.channels, m_lines[std::size_t(c->line)].info.channels, list, items,
                   d.multipleItems))
        return Mixer::InvalidParam;
    const std::size_t count = std::size_t(d.channels) * std::max<quint32>(items, 1);
    if (d.values.size() < count)
        return Mixer::InvalidParam;
    // A list control takes the values of its first channel.
    return list ? WriteItems(*c, d.values.first(items))
                : WriteChannels(*c, d.values.first(d.channels));
}

bool AlsaMixerDevice::Alive() {
    if (m_lost)
        return false;
    // Takes in pending changes, so reads see what other programs set meanwhile.
    if (const int err = snd_mixer_handle_events(m_mixer);
        err < 0 && err != -EAGAIN && err != -EINTR)
        MarkLost();
    // A sound server that ended shows in the next element read.
    if (snd_hctl_elem_t* elem = m_hctl ? snd_hctl_first_elem(m_hctl) : nullptr; elem && !m_lost) {
        snd_ctl_elem_value_t* value = nullptr;
        snd_ctl_elem_value_alloca(&value);
        if (const int err = snd_hctl_elem_read(elem, value); err < 0)
            Failed(err);
    }
    return !m_lost;
}

void AlsaMixerDevice::MarkLost() {
    m_lost = true;
    if (m_notifier)
        m_notifier->Stop();
}

void AlsaMixerDevice::StartNotifications(MixerNotify* callback, MixerHandle handle) {
    snd_mixer_set_callback(m_mixer, &AlsaMixerDevice::MixerCallback);
    snd_mixer_set_callback_private(m_mixer, this);
    m_notifier = new AlsaMixerNotifier(m_mixer, callback, handle, this);
    connect(m_notifier, &AlsaMixerNotifier::ready, this, [this](bool failed) {
        if (failed)
            MarkLost();
        else
            Alive();
    });
}

int AlsaMixerDevice::ElementCallback(snd_mixer_elem_t* elem, unsigned int mask) {
    static_cast<AlsaMixerDevice*>(snd_mixer_elem_get_callback_private(elem))
        ->ElementEvent(elem, mask);
    return 0;
}

int AlsaMixerDevice::MixerCallback(snd_mixer_t* mixer, unsigned int mask, snd_mixer_elem_t*) {
    auto* self = static_cast<AlsaMixerDevice*>(snd_mixer_get_callback_private(mixer));
    // An element that appeared is not in the snapshot; its destination's line changed.
    if ((mask & SND_CTL_EVENT_MASK_ADD) && !self->m_destinations.empty())
        self->Post(Mixer::LineChangeMessage,
                   self->m_lines[std::size_t(self->m_destinations[0])].info.lineId);
    return 0;
}

void AlsaMixerDevice::ElementEvent(snd_mixer_elem_t* elem, unsigned int mask) {
    if (mask == SND_CTL_EVENT_MASK_REMOVE) {
        // The element is freed after this call: nothing may point at it any more.
        for (Line& line : m_lines) {
            if (line.elem == elem) {
                line.elem = nullptr;
                Post(Mixer::LineChangeMessage, line.info.lineId);
            }
        }
        for (Control& c : m_controls) {
            if (c.elem == elem)
                c.elem = nullptr;
            std::replace(c.items.begin(), c.items.end(), elem,
                         static_cast<snd_mixer_elem_t*>(nullptr));
        }
        return;
    }
    if (mask & SND_CTL_EVENT_MASK_INFO) {
        for (const Line& line : m_lines) {
            if (line.elem == elem)
                Post(Mixer::LineChangeMessage, line.info.lineId);
        }
    }
    if (mask & SND_CTL_EVENT_MASK_VALUE) {
        // One element carries several controls; only those whose values moved are reported.
        std::vector<qint32> values;
        for (Control& c : m_controls) {
            if (c.elem != elem && std::find(c.items.begin(), c.items.end(), elem) == c.items.end())
                continue;
            if (ReadControl(c, values) == Mixer::NoError && values != c.last) {
                c.last = values;
                Post(Mixer::ControlChangeMessage, c.info.controlId);
            }
        }
    }
}

void AlsaMixerDevice::Post(unsigned message, quint32 id) {
    if (m_notifier)
        m_notifier->Post(message, id);
}
