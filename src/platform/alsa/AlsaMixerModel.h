// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MixerDriver.h"

#include <alsa/asoundlib.h>
#include <map>
#include <vector>

// The lines and controls that one ALSA mixer shows as a mixer device, taken at opening.
// Destination 0 is the playback master (the Master element, else the first element with
// playback volume) with the other playback elements as its source lines; a capture
// destination follows when the device can record, with a MUX control over its
// capture-source enumeration or, without one, a MIXER control over the capture switches.
class AlsaMixerModel {
public:
    enum class Kind { PlaybackVolume, PlaybackMute, CaptureVolume, CaptureMute, Mux, Mixer };
    struct Line {
        MixerLine info;
        snd_mixer_elem_t* elem = nullptr; // nullptr once the element went away
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

    void Build(snd_mixer_t* mixer, const QString& productName);

    const Line* FindLine(quint32 lineId) const;
    Control* FindControl(quint32 controlId);
    MixerResult GetLineInfo(MixerLine& line, quint32 flags) const;
    MixerResult GetLineControls(quint32 lineId, std::span<MixerControl> controls,
                                quint32 flags) const;

    MixerCaps caps;
    std::vector<Line> lines;
    std::vector<int> destinations;         // indexes into lines
    std::vector<std::vector<int>> sources; // per destination, indexes into lines
    std::vector<Control> controls;         // control identifier - 1

private:
    struct Elements;

    static Elements SortElements(snd_mixer_t* mixer);
    int AddDestination(const QString& lineName, quint32 component, snd_mixer_elem_t* elem,
                       bool isCapture);
    int AddSource(snd_mixer_elem_t* elem, bool isCapture);
    void AddPlaybackControls(int line, snd_mixer_elem_t* e);
    void AddPlaybackDestination(snd_mixer_elem_t* master,
                                const std::vector<snd_mixer_elem_t*>& playback);
    void AddCaptureDestination(const std::vector<snd_mixer_elem_t*>& capture,
                               snd_mixer_elem_t* captureEnum);
    bool AddCaptureSourceControls(int source, snd_mixer_elem_t* e, bool besideEnum);
    void AddMuxControl(int line, snd_mixer_elem_t* captureEnum);
    void AddMixerControl(int line, const std::vector<snd_mixer_elem_t*>& switches,
                         const std::vector<int>& switchLines);
    void CountConnectionsAndControls();
    int AddLine(const MixerLine& info, snd_mixer_elem_t* elem, bool capture);
    void AddControl(int line, Kind kind, quint32 type, quint32 flags, snd_mixer_elem_t* elem);

    snd_mixer_t* m_mixer = nullptr;
    std::map<quint32, int> m_lineIndex;
};
