// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class TAudioMixer;

// The three volume functions on the first destination line of the mixer's open device.
// Each reads the line, computes the new state, writes it, and returns what the line holds
// after the write, for the volume window.
namespace VolumeFunctions {

struct VolumeLevel {
    int left = -1; // 0..65535, -1: the line has no volume
    int right = -1;
    int mute = -1;         // 1, 0, -1: the line has no mute
    bool noDevice = false; // device 0 could not be opened: nothing was read or written
};

// One channel stepped up or down by step mixer units, clamped to 0..65535.
int StepUp(int value, double step);
int StepDown(int value, double step);
// 0 for a muted line (1), 1 for anything else.
int ToggledMute(int mute);

VolumeLevel VolumeUp(TAudioMixer& mixer, double step);
VolumeLevel VolumeDown(TAudioMixer& mixer, double step);
VolumeLevel VolumeMute(TAudioMixer& mixer);

} // namespace VolumeFunctions
