#include "VolumeFunctions.h"

#include "TAudioMixer.h"

namespace VolumeFunctions {

namespace {
constexpr long double kFull = 65535;

// A sound server that ended and came back leaves the device's handle dead for good;
// device 0 is opened anew so that this press already works.
void ReopenIfLost(TAudioMixer& mixer) {
    if (mixer.DeviceLost())
        mixer.SetMixerId(0);
}

VolumeLevel Read(TAudioMixer& mixer) {
    ReopenIfLost(mixer);
    VolumeLevel v;
    bool stereo = false, volumeDisabled = true, muteDisabled = true, isSelect = false;
    mixer.ReadVolume(0, -1, v.left, v.right, v.mute, stereo, volumeDisabled, muteDisabled,
                     isSelect);
    return v;
}

// Returns the computed values, which the volume window shows. A value that could not be
// read is left alone on the device: a control that failed to answer the read must not get
// a value computed from -1 (a volume near zero, a mute switched on).
VolumeLevel Write(TAudioMixer& mixer, const VolumeLevel& read, const VolumeLevel& v) {
    mixer.WriteVolume(0, -1, read.left == -1 ? -1 : v.left, read.right == -1 ? -1 : v.right,
                      read.mute == -1 ? -1 : v.mute);
    return v;
}
} // namespace

// Extended precision, as the comparisons and sums are specified in it.
int StepUp(int value, double step) {
    const long double s = step;
    if (value >= kFull - s)
        return int(kFull);
    return int(value + s);
}

int StepDown(int value, double step) {
    const long double s = step;
    if (value > s)
        return int(value - s);
    return 0;
}

int ToggledMute(int mute) {
    return mute == 1 ? 0 : 1;
}

VolumeLevel VolumeUp(TAudioMixer& mixer, double step) {
    const VolumeLevel read = Read(mixer);
    VolumeLevel v = read;
    v.left = StepUp(v.left, step);
    v.right = StepUp(v.right, step);
    return Write(mixer, read, v);
}

VolumeLevel VolumeDown(TAudioMixer& mixer, double step) {
    const VolumeLevel read = Read(mixer);
    VolumeLevel v = read;
    v.left = StepDown(v.left, step);
    v.right = StepDown(v.right, step);
    return Write(mixer, read, v);
}

VolumeLevel VolumeMute(TAudioMixer& mixer) {
    const VolumeLevel read = Read(mixer);
    VolumeLevel v = read;
    v.mute = ToggledMute(v.mute);
    return Write(mixer, read, v);
}

} // namespace VolumeFunctions
