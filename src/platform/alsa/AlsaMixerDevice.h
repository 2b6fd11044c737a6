#pragma once

#include "MixerDriver.h"

#include <QByteArray>
#include <QObject>
#include <alsa/asoundlib.h>
#include <map>
#include <memory>
#include <vector>

class AlsaMixerNotifier;

// One open ALSA control device seen as a mixer device. Destination 0 is the playback master
// (the Master element, else the first element with playback volume) with the other playback
// elements as its source lines; a capture destination follows when the device can record,
// with a MUX control over its capture-source enumeration or, without one, a MIXER control
// over the capture switches.
class AlsaMixerDevice : public QObject {
    Q_OBJECT
public:
    // A negative ALSA error when the device cannot be opened.
    static int Open(const QByteArray& name, std::unique_ptr<AlsaMixerDevice>& device);
    ~AlsaMixerDevice() override;

    // Change messages go to callback, tagged with handle, from the event loop.
    void StartNotifications(MixerNotify* callback, MixerHandle handle);
    // Takes in what changed meanwhile; false once the device behind the handle is gone.
    bool Alive();

    const MixerCaps& Caps() const { return m_caps; }
    MixerResult GetLineInfo(MixerLine& line, quint32 flags) const;
    MixerResult GetLineControls(quint32 lineId, std::span<MixerControl> controls,
                                quint32 flags) const;
    MixerResult GetControlDetails(MixerControlDetails& details, quint32 flags);
    MixerResult SetControlDetails(const MixerControlDetails& details, quint32 flags);

private:
    enum class Kind { PlaybackVolume, PlaybackMute, CaptureVolume, CaptureMute, Mux, Mixer };
    struct Line {
        MixerLine info;
        snd_mixer_elem_t* elem = nullptr;
        std::vector<snd_mixer_selem_channel_id_t> channels;
        std::vector<int> controls;
    };
    struct Control {
        MixerControl info;
        Kind kind = Kind::PlaybackVolume;
        int line = 0;
        snd_mixer_elem_t* elem = nullptr;
        long min = 0, max = 0;
        std::vector<snd_mixer_elem_t*> items; // MIXER: one capture switch per item
        std::vector<MixerListText> texts;
        std::vector<qint32> last; // the values last reported as a change
    };

    explicit AlsaMixerDevice(snd_mixer_t* mixer);
    void Build(const QByteArray& name, snd_hctl_t* hctl);
    int AddLine(const MixerLine& info, snd_mixer_elem_t* elem, bool capture);
    void AddControl(int line, Kind kind, quint32 type, quint32 flags, snd_mixer_elem_t* elem);
    const Line* FindLine(quint32 lineId) const;
    Control* FindControl(quint32 controlId);

    // Every value of a control: one per channel of its line, or one per item.
    MixerResult ReadControl(const Control& control, std::vector<qint32>& values);
    MixerResult WriteChannels(Control& control, std::span<const qint32> values);
    MixerResult WriteItems(Control& control, std::span<const qint32> values);
    MixerResult Failed(int alsaError);

    void ElementEvent(snd_mixer_elem_t* elem, unsigned int mask);
    void Post(unsigned message, quint32 id);
    void MarkLost();
    static int ElementCallback(snd_mixer_elem_t* elem, unsigned int mask);
    static int MixerCallback(snd_mixer_t* mixer, unsigned int mask, snd_mixer_elem_t* elem);

    snd_mixer_t* m_mixer = nullptr;
    snd_hctl_t* m_hctl = nullptr;
    MixerCaps m_caps;
    std::vector<Line> m_lines;
    std::vector<int> m_destinations;
    std::vector<std::vector<int>> m_sources;
    std::map<quint32, int> m_lineIndex;
    std::vector<Control> m_controls;
    bool m_lost = false;

    AlsaMixerNotifier* m_notifier = nullptr;
};
