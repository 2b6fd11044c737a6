// SPDX-License-Identifier: GPL-3.0-or-later
#include "volume/VolumeFunctions.h"

#include "volume/TAudioMixer.h"

namespace VolumeFunctions {

namespace {
constexpr long double kFull = 65535;

// A sound server that ended and came back leaves the device's handle dead for good;
// device 0 is opened anew so that this press already works.
void ReopenIfLost(TAudioMixer& mixer) {
    if (mixer.DeviceLost())
        mixer.SetMixerId(0);
}

VolumeLevel ReadLine(TAudioMixer& mixer) {
    VolumeLevel v;
    bool stereo = false, volumeDisabled = true, muteDisabled = true, isSelect = false;
    mixer.ReadVolume(0, -1, v.left, v.right, v.mute, stereo, volumeDisabled, muteDisabled,
                     isSelect);
    v.noDevice = mixer.MixerId() == -1;
    return v;
}

VolumeLevel Read(TAudioMixer& mixer) {
    ReopenIfLost(mixer);
    return ReadLine(mixer);
}

// A value that could not be read is left alone on the device: a control that failed to
// answer the read must not get a value computed from -1 (a volume near zero, a mute
// switched on). Returns what the line holds after the write, read back, so that the volume
// window shows the level the device really has: a device that rounds to its own steps, or
// one that took no write at all, is never shown as stepped.
VolumeLevel Write(TAudioMixer& mixer, const VolumeLevel& read, VolumeLevel v) {
    if (read.left == -1)
        v.left = -1;
    if (read.right == -1)
        v.right = -1;
    if (read.mute == -1)
        v.mute = -1;
    mixer.WriteVolume(0, -1, v.left, v.right, v.mute);
    return ReadLine(mixer);
}

// One press: the line as read, changed by `change`, written.
template <typename Change> VolumeLevel Adjust(TAudioMixer& mixer, Change change) {
    const VolumeLevel read = Read(mixer);
    VolumeLevel v = read;
    change(v);
    return Write(mixer, read, v);
}
} // namespace

// The threshold 65535 - step and the sum value + step are formed in long double. Where
// that is x87's 64-bit mantissa, both are exact for any step of 64 units or more (every
// step the options offer, and 655.35), so a fractional step is compared and truncated by
// its true value and no rounding of the sum can carry it across a whole number.
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

namespace {
// Both channels moved by one step up or down.
VolumeLevel StepBoth(TAudioMixer& mixer, double step, int (*move)(int, double)) {
    return Adjust(mixer, [step, move](VolumeLevel& v) {
        v.left = move(v.left, step);
        v.right = move(v.right, step);
    });
}
} // namespace

VolumeLevel VolumeUp(TAudioMixer& mixer, double step) {
    return StepBoth(mixer, step, StepUp);
}

VolumeLevel VolumeDown(TAudioMixer& mixer, double step) {
    return StepBoth(mixer, step, StepDown);
}

VolumeLevel VolumeMute(TAudioMixer& mixer) {
    return Adjust(mixer, [](VolumeLevel& v) { v.mute = ToggledMute(v.mute); });
}

} // namespace VolumeFunctions
