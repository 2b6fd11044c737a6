// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MixerDriver.h"
#include "platform/alsa/AlsaMixerModel.h"

#include <QByteArray>
#include <QObject>
#include <alsa/asoundlib.h>
#include <memory>
#include <vector>

class AlsaMixerNotifier;

// One open ALSA control device seen as a mixer device: its lines and controls, their
// values on the 0..65535 scale, and its change messages.
class AlsaMixerDevice : public QObject {
    Q_OBJECT
public:
    // A negative ALSA error when the device cannot be opened.
    static int Open(const QByteArray& name, std::unique_ptr<AlsaMixerDevice>& device);
    ~AlsaMixerDevice() override;

    // Change messages go to callback, tagged with handle, from the event loop.
    void StartNotifications(MixerNotify* callback, MixerHandle handle);
    // Takes in what changed meanwhile; false once the device behind the handle is gone.
    bool Refresh();
    // Refresh, and asks the device: false once it is gone.
    bool Alive();

    const MixerCaps& Caps() const { return m_model.caps; }
    MixerResult GetLineInfo(MixerLine& line, quint32 flags) const {
        return m_model.GetLineInfo(line, flags);
    }
    MixerResult GetLineControls(quint32 lineId, std::span<MixerControl> controls,
                                quint32 flags) const {
        return m_model.GetLineControls(lineId, controls, flags);
    }
    MixerResult GetControlDetails(MixerControlDetails& details, quint32 flags);
    MixerResult SetControlDetails(const MixerControlDetails& details, quint32 flags);

private:
    static int OpenMixer(const QByteArray& name, std::unique_ptr<AlsaMixerDevice>& device);
    using Kind = AlsaMixerModel::Kind;
    using Line = AlsaMixerModel::Line;
    using Control = AlsaMixerModel::Control;

    AlsaMixerDevice(snd_mixer_t* mixer, snd_hctl_t* hctl);
    void Watch();

    // The control that details name, when their channel and item counts fit it.
    MixerResult FindFitting(const MixerControlDetails& details, Control*& control);
    // Every value of a control: one per channel of its line, or one per item.
    MixerResult ReadControl(const Control& control, std::vector<qint32>& values);
    MixerResult ReadSwitchItems(const Control& control, std::vector<qint32>& values);
    MixerResult ReadSelectedItem(const Control& control, std::vector<qint32>& values);
    MixerResult ReadChannels(const Control& control, std::vector<qint32>& values);
    MixerResult WriteChannels(Control& control, std::span<const qint32> values);
    MixerResult WriteItems(Control& control, std::span<const qint32> values);
    MixerResult Failed(int alsaError);

    void ElementEvent(snd_mixer_elem_t* elem, unsigned int mask);
    void ElementRemoved(snd_mixer_elem_t* elem);
    void PostValueChanges(snd_mixer_elem_t* elem);
    void Post(unsigned message, quint32 id);
    void MarkLost();
    static int ElementCallback(snd_mixer_elem_t* elem, unsigned int mask);
    static int MixerCallback(snd_mixer_t* mixer, unsigned int mask, snd_mixer_elem_t* elem);

    snd_mixer_t* m_mixer;
    snd_hctl_t* m_hctl;
    AlsaMixerModel m_model;
    bool m_lost = false;
    AlsaMixerNotifier* m_notifier = nullptr;
};
