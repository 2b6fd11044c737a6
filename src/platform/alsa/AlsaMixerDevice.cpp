// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/alsa/AlsaMixerDevice.h"

#include "core/Logging.h"

// Failures the mixer turns into -1 values; silent unless switched on.

#include "platform/alsa/AlsaMixerNotifier.h"
#include "platform/alsa/AlsaVolumeScale.h"

#include <algorithm>
#include <cerrno>

namespace {
using Kind = AlsaMixerModel::Kind;

bool IsListKind(quint32 type) {
    return (type & Mixer::ControlClassMask) == Mixer::ControlClassList;
}

// What a details request on a control moves: for a list control channels × items values,
// every channel showing the same items; otherwise one value a channel.
struct Extent {
    bool list = false;
    quint32 items = 0; // 0 for a control that is no list
    std::size_t count = 0;
};

Extent ExtentOf(const AlsaMixerModel::Control& c, quint32 channels) {
    const bool list = IsListKind(c.info.controlType);
    const quint32 items = list ? c.info.multipleItems : 0;
    return {list, items, std::size_t(channels) * std::max<quint32>(items, 1)};
}

bool IsCapture(Kind kind) {
    return kind == Kind::CaptureVolume || kind == Kind::CaptureMute;
}

// One channel's value on the mixer scale (1 for a switch that is off, the mute set), and
// the ALSA result of reading it.
int ReadChannel(const AlsaMixerModel::Control& c, snd_mixer_selem_channel_id_t channel,
                qint32& value) {
    long raw = 0;
    int on = 0, err = 0;
    switch (c.kind) {
    case Kind::PlaybackVolume:
        err = snd_mixer_selem_get_playback_volume(c.elem, channel, &raw);
        value = AlsaVolumeScale::ToUnits(raw, c.min, c.max);
        break;
    case Kind::CaptureVolume:
        err = snd_mixer_selem_get_capture_volume(c.elem, channel, &raw);
        value = AlsaVolumeScale::ToUnits(raw, c.min, c.max);
        break;
    case Kind::PlaybackMute:
        err = snd_mixer_selem_get_playback_switch(c.elem, channel, &on);
        value = on ? 0 : 1;
        break;
    default:
        err = snd_mixer_selem_get_capture_switch(c.elem, channel, &on);
        value = on ? 0 : 1;
        break;
    }
    return err;
}

// Writes a volume only when it changes the element's raw value.
int WriteChannelVolume(const AlsaMixerModel::Control& c, snd_mixer_selem_channel_id_t channel,
                       qint32 value) {
    const bool capture = IsCapture(c.kind);
    long current = 0;
    int err = capture ? snd_mixer_selem_get_capture_volume(c.elem, channel, &current)
                      : snd_mixer_selem_get_playback_volume(c.elem, channel, &current);
    const long raw = AlsaVolumeScale::RawForWrite(value, current, c.min, c.max);
    if (err >= 0 && raw != current)
        err = capture ? snd_mixer_selem_set_capture_volume(c.elem, channel, raw)
                      : snd_mixer_selem_set_playback_volume(c.elem, channel, raw);
    return err;
}

// The ALSA result of writing one channel of a volume or mute control.
int WriteChannel(const AlsaMixerModel::Control& c, snd_mixer_selem_channel_id_t channel,
                 qint32 value) {
    if (c.kind == Kind::PlaybackVolume || c.kind == Kind::CaptureVolume)
        return WriteChannelVolume(c, channel, value);
    const int on = value ? 0 : 1;
    return IsCapture(c.kind) ? snd_mixer_selem_set_capture_switch(c.elem, channel, on)
                             : snd_mixer_selem_set_playback_switch(c.elem, channel, on);
}
} // namespace

int AlsaMixerDevice::Open(const QByteArray& name, std::unique_ptr<AlsaMixerDevice>& device) {
    const int err = OpenMixer(name, device);
    if (err < 0)
        qCWarning(lcAlsa) << "cannot open mixer device" << name << snd_strerror(err);
    return err;
}

int AlsaMixerDevice::OpenMixer(const QByteArray& name, std::unique_ptr<AlsaMixerDevice>& device) {
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
    device.reset(new AlsaMixerDevice(mixer, hctl));
    snd_ctl_card_info_t* info = nullptr;
    snd_ctl_card_info_alloca(&info);
    device->m_model.Build(mixer, snd_ctl_card_info(snd_hctl_ctl(hctl), info) >= 0
                                     ? QString::fromUtf8(snd_ctl_card_info_get_name(info))
                                     : QString::fromUtf8(name));
    device->Watch();
    return 0;
}

AlsaMixerDevice::AlsaMixerDevice(snd_mixer_t* mixer, snd_hctl_t* hctl)
    : m_mixer(mixer), m_hctl(hctl) {}

void AlsaMixerDevice::Watch() {
    auto watch = [this](snd_mixer_elem_t* elem) {
        if (!elem)
            return;
        snd_mixer_elem_set_callback(elem, &AlsaMixerDevice::ElementCallback);
        snd_mixer_elem_set_callback_private(elem, this);
    };
    for (const Line& line : m_model.lines)
        watch(line.elem);
    for (Control& control : m_model.controls) {
        watch(control.elem);
        for (auto* item : control.items)
            watch(item);
        ReadControl(control, control.last);
    }
}

AlsaMixerDevice::~AlsaMixerDevice() {
    delete m_notifier; // before its descriptors close
    m_notifier = nullptr;
    // Closing removes every element; nothing of this object may hear about it.
    snd_mixer_set_callback(m_mixer, nullptr);
    for (auto* e = snd_mixer_first_elem(m_mixer); e; e = snd_mixer_elem_next(e))
        snd_mixer_elem_set_callback(e, nullptr);
    snd_mixer_close(m_mixer);
}

MixerResult AlsaMixerDevice::Failed(int alsaError) {
    qCWarning(lcAlsa) << "mixer call failed:" << snd_strerror(alsaError);
    switch (-alsaError) {
    case ENODEV:
    case ENXIO:
    case EIO:
    case EBADFD:
    case ENOTCONN:
    case EPIPE:
    case ESHUTDOWN: MarkLost(); return Mixer::NoDriver;
    default: return Mixer::Error;
    }
}

MixerResult AlsaMixerDevice::ReadControl(const Control& c, std::vector<qint32>& values) {
    values.clear();
    if (c.kind == Kind::Mixer)
        return ReadSwitchItems(c, values);
    if (!c.elem)
        return Mixer::InvalidControl; // its element went away
    if (c.kind == Kind::Mux)
        return ReadSelectedItem(c, values);
    return ReadChannels(c, values);
}

// One value per capture switch: 1 where it is on.
MixerResult AlsaMixerDevice::ReadSwitchItems(const Control& c, std::vector<qint32>& values) {
    for (auto* item : c.items) {
        int on = 0;
        if (item && snd_mixer_selem_get_capture_switch(item, SND_MIXER_SCHN_MONO, &on) < 0)
            on = 0;
        values.push_back(on ? 1 : 0);
    }
    return Mixer::NoError;
}

// One value per enumeration item: 1 for the selected one.
MixerResult AlsaMixerDevice::ReadSelectedItem(const Control& c, std::vector<qint32>& values) {
    unsigned selected = 0;
    if (const int err = snd_mixer_selem_get_enum_item(c.elem, SND_MIXER_SCHN_MONO, &selected);
        err < 0)
        return Failed(err);
    for (quint32 i = 0; i < c.info.multipleItems; ++i)
        values.push_back(i == selected ? 1 : 0);
    return Mixer::NoError;
}

MixerResult AlsaMixerDevice::ReadChannels(const Control& c, std::vector<qint32>& values) {
    for (const auto channel : m_model.lines[std::size_t(c.line)].channels) {
        qint32 value = 0;
        const int err = ReadChannel(c, channel, value);
        values.push_back(value);
        if (err < 0)
            return Failed(err);
    }
    return Mixer::NoError;
}

MixerResult AlsaMixerDevice::WriteChannels(Control& c, std::span<const qint32> values) {
    const Line& line = m_model.lines[std::size_t(c.line)];
    if (!c.elem)
        return Mixer::InvalidControl;
    // One value sets every channel; otherwise value k sets channel k.
    for (std::size_t k = 0; k < line.channels.size(); ++k) {
        if (values.size() > 1 && k >= values.size())
            break;
        const qint32 v = values.size() == 1 ? values[0] : values[k];
        if (const int err = WriteChannel(c, line.channels[k], v); err < 0)
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

MixerResult AlsaMixerDevice::FindFitting(const MixerControlDetails& d, Control*& control) {
    control = m_model.FindControl(d.controlId);
    if (!control)
        return Mixer::InvalidControl;
    const Extent e = ExtentOf(*control, d.channels);
    if (!ShapeFits(d.channels, m_model.lines[std::size_t(control->line)].info.channels, e.list,
                   e.items, d.multipleItems))
        return Mixer::InvalidParam;
    return Mixer::NoError;
}

MixerResult AlsaMixerDevice::GetControlDetails(MixerControlDetails& d, quint32 flags) {
    if (!Refresh())
        return Mixer::NoDriver;
    Control* c = nullptr;
    if (const MixerResult r = FindFitting(d, c); r != Mixer::NoError)
        return r;
    const Extent e = ExtentOf(*c, d.channels);

    if (flags == Mixer::DetailsListText) {
        if (!e.list || d.listTexts.size() < e.count)
            return Mixer::InvalidParam;
        for (std::size_t k = 0; k < e.count; ++k)
            d.listTexts[k] = c->texts[k % e.items];
        return Mixer::NoError;
    }
    if (flags != Mixer::DetailsValue)
        return Mixer::InvalidFlag;
    if (d.values.size() < e.count)
        return Mixer::InvalidParam;
    std::vector<qint32> all;
    if (const MixerResult r = ReadControl(*c, all); r != Mixer::NoError)
        return r;
    for (std::size_t k = 0; k < e.count; ++k)
        d.values[k] = e.list ? all[k % e.items] : all[d.channels == 1 ? 0 : k];
    return Mixer::NoError;
}

MixerResult AlsaMixerDevice::SetControlDetails(const MixerControlDetails& d, quint32 flags) {
    if (!Refresh())
        return Mixer::NoDriver;
    if (flags != Mixer::DetailsValue)
        return Mixer::InvalidFlag;
    Control* c = nullptr;
    if (const MixerResult r = FindFitting(d, c); r != Mixer::NoError)
        return r;
    const Extent e = ExtentOf(*c, d.channels);
    if (d.values.size() < e.count)
        return Mixer::InvalidParam;
    // A list control takes the values of its first channel.
    return e.list ? WriteItems(*c, d.values.first(e.items))
                  : WriteChannels(*c, d.values.first(d.channels));
}

bool AlsaMixerDevice::Refresh() {
    // Takes in pending changes, so reads see what other programs set meanwhile.
    if (!m_lost) {
        const int err = snd_mixer_handle_events(m_mixer);
        if (err < 0 && err != -EAGAIN && err != -EINTR)
            MarkLost();
    }
    return !m_lost;
}

bool AlsaMixerDevice::Alive() {
    // A sound server that ended shows in the next element read.
    if (Refresh() && m_hctl) {
        if (snd_hctl_elem_t* elem = snd_hctl_first_elem(m_hctl)) {
            snd_ctl_elem_value_t* value = nullptr;
            snd_ctl_elem_value_alloca(&value);
            if (const int err = snd_hctl_elem_read(elem, value); err < 0)
                Failed(err);
        }
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
            Refresh();
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
    if ((mask & SND_CTL_EVENT_MASK_ADD) && !self->m_model.destinations.empty())
        self->Post(Mixer::LineChangeMessage,
                   self->m_model.lines[std::size_t(self->m_model.destinations[0])].info.lineId);
    return 0;
}

void AlsaMixerDevice::ElementEvent(snd_mixer_elem_t* elem, unsigned int mask) {
    if (mask == SND_CTL_EVENT_MASK_REMOVE) {
        ElementRemoved(elem);
        return;
    }
    if (mask & SND_CTL_EVENT_MASK_INFO) {
        for (const Line& line : m_model.lines) {
            if (line.elem == elem)
                Post(Mixer::LineChangeMessage, line.info.lineId);
        }
    }
    if (mask & SND_CTL_EVENT_MASK_VALUE)
        PostValueChanges(elem);
}

void AlsaMixerDevice::ElementRemoved(snd_mixer_elem_t* elem) {
    // The element is freed after this call: nothing may point at it any more.
    for (Line& line : m_model.lines) {
        if (line.elem == elem) {
            line.elem = nullptr;
            Post(Mixer::LineChangeMessage, line.info.lineId);
        }
    }
    for (Control& c : m_model.controls) {
        if (c.elem == elem)
            c.elem = nullptr;
        std::replace(c.items.begin(), c.items.end(), elem, static_cast<snd_mixer_elem_t*>(nullptr));
    }
}

void AlsaMixerDevice::PostValueChanges(snd_mixer_elem_t* elem) {
    // One element carries several controls; only those whose values moved are reported.
    std::vector<qint32> values;
    for (Control& c : m_model.controls) {
        if (c.elem != elem && std::find(c.items.begin(), c.items.end(), elem) == c.items.end())
            continue;
        if (ReadControl(c, values) == Mixer::NoError && values != c.last) {
            c.last = values;
            Post(Mixer::ControlChangeMessage, c.info.controlId);
        }
    }
}

void AlsaMixerDevice::Post(unsigned message, quint32 id) {
    if (m_notifier)
        m_notifier->Post(message, id);
}
