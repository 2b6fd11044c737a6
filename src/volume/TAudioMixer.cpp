// SPDX-License-Identifier: GPL-3.0-or-later
#include "volume/TAudioMixer.h"

#include <algorithm>

// Receives the device's change messages and hands them to the component.
class TAudioMixer::NotificationWindow : public MixerNotify {
public:
    explicit NotificationWindow(TAudioMixer& owner) : m_owner(owner) {}
    void MixerMessage(unsigned message, MixerHandle mixer, quint32 id) override {
        m_owner.WndProc(message, mixer, id);
    }

private:
    TAudioMixer& m_owner;
};

struct TAudioMixer::Addressed {
    TMixerDestination* destination = nullptr;
    TMixerConnection* connection = nullptr;
    const MixerLine* line = nullptr;
    const TMixerControls* controls = nullptr;
};

namespace {
bool IsMultiple(const MixerControl& c) {
    return c.controlFlags & Mixer::ControlFlagMultiple;
}
bool IsDisabled(const MixerControl& c) {
    return c.controlFlags & Mixer::ControlFlagDisabled;
}
// Items of the value and text arrays: the item count of a multiple-item control, else none.
quint32 ItemsOf(const MixerControl& c) {
    return IsMultiple(c) ? c.multipleItems : 0;
}
} // namespace

TAudioMixer::TAudioMixer(std::unique_ptr<MixerDriver> driver, QObject* owner)
    : QObject(owner), m_driver(std::move(driver)),
      m_window(std::make_unique<NotificationWindow>(*this)) {
    m_deviceCount = m_driver->GetNumDevs();
    m_mixerId = -1;
    if (m_deviceCount == 0) {
        m_destinations = std::make_unique<TMixerDestinations>();
        return;
    }
    SetMixerId(0);
}

TAudioMixer::~TAudioMixer() {
    CloseMixer();
    m_window.reset();
}

void TAudioMixer::SetMixerId(qint32 id) {
    if (id < 0 || quint32(id) >= m_deviceCount)
        return;
    CloseMixer();

    MixerHandle handle = 0;
    MixerResult result =
        m_driver->Open(&handle, quint32(id), m_window.get(), Mixer::CallbackWindow);
    if (result != Mixer::NoError)
        result = m_driver->Open(&handle, quint32(id), m_window.get(), Mixer::CallbackWindow);
    if (result != Mixer::NoError)
        result = m_driver->Open(&handle, quint32(id), nullptr, 0);
    if (result != Mixer::NoError) {
        m_destinations = std::make_unique<TMixerDestinations>();
        return;
    }

    m_handle = handle;
    m_mixerId = id;
    m_driver->GetDevCaps(quint32(id), m_caps);
    m_manufacturer = m_caps.manufacturerId == Mixer::ManufacturerMicrosoft
                         ? QStringLiteral("Microsoft")
                         : QString::number(m_caps.manufacturerId) + QStringLiteral(" = Unknown");
    m_productName = m_caps.productName;
    if (const qsizetype end = m_productName.indexOf(QChar(0)); end >= 0)
        m_productName.truncate(end);

    m_destinations = std::make_unique<TMixerDestinations>();
    for (quint32 d = 0; d < m_caps.destinations; ++d) {
        MixerLine line;
        line.destination = d;
        if (m_driver->GetLineInfo(m_handle, line, Mixer::LineInfoByDestination) == Mixer::NoError)
            m_destinations->Add(new TMixerDestination(*this, line));
    }
}

void TAudioMixer::CloseMixer() {
    if (m_mixerId >= 0) {
        m_driver->Close(m_handle);
        m_handle = 0;
        m_mixerId = -1;
    }
    m_destinations.reset();
}

bool TAudioMixer::DeviceLost() {
    quint32 id = 0;
    return m_mixerId < 0 || m_driver->GetID(m_handle, &id) != Mixer::NoError;
}

TMixerDestination* TAudioMixer::Destination(int index) const {
    return m_destinations ? m_destinations->Get(index) : nullptr;
}

void TAudioMixer::WndProc(unsigned message, MixerHandle mixer, quint32 id) {
    // An unset event drops the message.
    if (message == Mixer::LineChangeMessage && OnLineChange)
        OnLineChange(this, qint32(mixer), qint32(id));
    else if (message == Mixer::ControlChangeMessage && OnControlChange)
        OnControlChange(this, qint32(mixer), qint32(id));
}

bool TAudioMixer::Address(int destination, int connection, Addressed& out) const {
    out.destination = Destination(destination);
    if (!out.destination)
        return false;
    if (connection == -1) {
        out.line = &out.destination->Line;
        out.controls = &out.destination->Controls;
        return true;
    }
    out.connection = out.destination->Connections.Get(connection);
    if (!out.connection)
        return false;
    out.line = &out.connection->Line;
    out.controls = &out.connection->Controls;
    return true;
}

quint32 TAudioMixer::ChannelsOf(const MixerControl& control, const MixerLine& line) const {
    return (control.controlFlags & Mixer::ControlFlagUniform) ? 1 : line.channels;
}

MixerResult TAudioMixer::ReadValues(const MixerControl& control, quint32 channels, quint32 items,
                                    std::vector<qint32>& values) {
    // Sized from the counts, so a control with many channels or items cannot overrun it.
    values.assign(std::size_t(std::max<quint32>(channels, 1)) * std::max<quint32>(items, 1), 0);
    MixerControlDetails details;
    details.controlId = control.controlId;
    details.channels = channels;
    details.multipleItems = items;
    details.values = values;
    return m_driver->GetControlDetails(m_handle, details, Mixer::DetailsValue);
}

// Reads a selection control's values and finds the item that names the source line:
// false when a query failed, else index is the item (-1 when the line is not listed).
bool TAudioMixer::FindSelection(const MixerControl& control, const MixerLine& destinationLine,
                                quint32 sourceLineId, std::vector<qint32>& values, int& index) {
    index = -1;
    const quint32 channels = ChannelsOf(control, destinationLine);
    const quint32 items = ItemsOf(control);
    if (ReadValues(control, channels, items, values) != Mixer::NoError)
        return false;

    std::vector<MixerListText> texts(std::size_t(channels) * items);
    MixerControlDetails details;
    details.controlId = control.controlId;
    details.channels = channels;
    details.multipleItems = items;
    details.listTexts = texts;
    if (m_driver->GetControlDetails(m_handle, details, Mixer::DetailsListText) != Mixer::NoError)
        return false;
    if (channels == 0)
        return true;
    for (quint32 k = channels - 1; k < items && k < texts.size(); k += channels) {
        if (texts[k].param1 == sourceLineId) {
            index = int(k);
            break;
        }
    }
    return true;
}

// What ReadVolume reports about a line, before anything is found.
struct TAudioMixer::LineVolume {
    int left = -1;
    int right = -1;
    int mute = -1;
    bool stereo = false;
    bool volumeDisabled = true;
    bool muteDisabled = true;
    bool isSelect = false;
};

bool TAudioMixer::ReadVolume(int destination, int connection, int& left, int& right, int& mute,
                             bool& stereo, bool& volumeDisabled, bool& muteDisabled,
                             bool& isSelect) {
    if (!m_destinations)
        return false;
    LineVolume v;
    Addressed a;
    const bool found = Address(destination, connection, a);
    if (found) {
        ReadOwnControls(a, v);
        // A source line without a mute control of its own: its selection state in the
        // destination's selection control stands in for it.
        if (v.mute == -1 && connection != -1)
            ReadSelectionState(a, v);
    }
    left = v.left;
    right = v.right;
    mute = v.mute;
    stereo = v.stereo;
    volumeDisabled = v.volumeDisabled;
    muteDisabled = v.muteDisabled;
    isSelect = v.isSelect;
    return found;
}

// The first readable volume and the first readable mute control of the line itself.
void TAudioMixer::ReadOwnControls(const Addressed& a, LineVolume& v) {
    std::vector<qint32> values;
    for (int i = 0; i < a.controls->Count() && (v.left == -1 || v.mute == -1); ++i) {
        const MixerControl& control = *a.controls->Get(i);
        const bool isVolume = control.controlType == Mixer::ControlTypeVolume && v.left == -1;
        const bool isMute = control.controlType == Mixer::ControlTypeMute && v.mute == -1;
        if ((!isVolume && !isMute) || IsMultiple(control))
            continue;
        const quint32 channels = ChannelsOf(control, *a.line);
        if (ReadValues(control, channels, 0, values) != Mixer::NoError)
            continue;
        if (isVolume) {
            v.volumeDisabled = IsDisabled(control);
            v.left = values[0];
            v.stereo = channels > 1;
            v.right = v.stereo ? values[1] : v.left;
        } else {
            v.muteDisabled = IsDisabled(control);
            v.mute = values[0] != 0 ? 1 : 0;
        }
    }
}

// The first list control of the destination that answers and lists the source line.
void TAudioMixer::ReadSelectionState(const Addressed& a, LineVolume& v) {
    const MixerLine& destinationLine = a.destination->Line;
    const TMixerControls& controls = a.destination->Controls;
    std::vector<qint32> values;
    for (int i = 0; i < controls.Count() && v.mute == -1; ++i) {
        const MixerControl& control = *controls.Get(i);
        if ((control.controlType & Mixer::ControlClassMask) != Mixer::ControlClassList)
            continue;
        int k = -1;
        if (!FindSelection(control, destinationLine, a.line->lineId, values, k) || k < 0)
            continue;
        v.mute = values[std::size_t(k)];
        v.muteDisabled = IsDisabled(control);
        v.isSelect = true;
    }
}

bool TAudioMixer::WriteVolume(int destination, int connection, int left, int right, int mute) {
    if (!m_destinations)
        return false;
    Addressed a;
    if (!Address(destination, connection, a))
        return false;
    const bool muteDone = WriteOwnControls(a, left, right, mute);
    // A source line without a mute control of its own: select or deselect it in the
    // destination's first selection control.
    if (!muteDone && connection != -1)
        WriteSelectionState(a, mute);
    return true;
}

// Writes the first volume and the first mute control of the line itself; true when the
// mute is taken care of (nothing to write, or a mute control took it).
bool TAudioMixer::WriteOwnControls(const Addressed& a, int left, int right, int mute) {
    bool volumeDone = left == -1;
    bool muteDone = mute == -1;
    std::vector<qint32> values;
    for (int i = 0; i < a.controls->Count() && (!volumeDone || !muteDone); ++i) {
        const MixerControl& control = *a.controls->Get(i);
        if (IsMultiple(control))
            continue;
        const bool isVolume = control.controlType == Mixer::ControlTypeVolume && !volumeDone;
        const bool isMute = control.controlType == Mixer::ControlTypeMute && !muteDone;
        if (!isVolume && !isMute)
            continue;
        const quint32 channels = ChannelsOf(control, *a.line);
        if (isVolume) {
            volumeDone = true;
            if (!VolumeValues(control, channels, left, right, values))
                continue;
        } else {
            muteDone = true;
            values.assign(std::max<quint32>(channels, 1), mute);
        }
        WriteValues(control, channels, 0, values);
    }
    return muteDone;
}

// The values of a volume write: left and right on the first two channels. Channels past
// those keep what they have, so a line with more than two channels must not have the others
// silenced by a stereo write; false when they cannot be read.
bool TAudioMixer::VolumeValues(const MixerControl& control, quint32 channels, int left, int right,
                               std::vector<qint32>& values) {
    values.assign(std::max<quint32>(channels, 1), 0);
    if (channels > 2 && ReadValues(control, channels, 0, values) != Mixer::NoError)
        return false;
    values[0] = left;
    if (channels > 1)
        values[1] = right == -1 ? left : right;
    return true;
}

// Only the first selection control of the destination is used, even when it fails.
void TAudioMixer::WriteSelectionState(const Addressed& a, int mute) {
    const MixerLine& destinationLine = a.destination->Line;
    const TMixerControls& controls = a.destination->Controls;
    for (int i = 0; i < controls.Count(); ++i) {
        const MixerControl& control = *controls.Get(i);
        const bool isMux = control.controlType == Mixer::ControlTypeMux;
        if (!isMux && control.controlType != Mixer::ControlTypeMixer)
            continue;
        std::vector<qint32> values;
        int k = -1;
        // A query that fails writes nothing, as the read path skips such a control.
        if (!FindSelection(control, destinationLine, a.line->lineId, values, k) || k < 0)
            return;
        if (isMux) // a multiplexer selects exactly one source
            std::fill_n(values.begin(), std::min<std::size_t>(ItemsOf(control), values.size()), 0);
        values[std::size_t(k)] = mute;
        WriteValues(control, ChannelsOf(control, destinationLine), ItemsOf(control), values);
        return;
    }
}

void TAudioMixer::WriteValues(const MixerControl& control, quint32 channels, quint32 items,
                              std::vector<qint32>& values) {
    MixerControlDetails details;
    details.controlId = control.controlId;
    details.channels = channels;
    details.multipleItems = items;
    details.values = values;
    m_driver->SetControlDetails(m_handle, details, Mixer::DetailsValue);
}
