// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// The eighteen preferences of Settings.ini, in file order (also the order of load and save).
enum class Setting : int {
    EasyMove,
    MinimizeToTray,
    MainTransparent,
    MainAlpha,
    Properties,
    VolumeShow,
    VolumeStep,
    VisibleTime,
    VolumeTransparent,
    VolumeAlpha,
    CheckBoxes,
    GridLines,
    TrayVisible,
    TrayAnimate,
    Logo,
    Autorun,
    Color,
    Quality,
};
inline constexpr int SettingCount = 18;

enum class SettingKind {
    Bool,      // "1"/"0"; any non-zero integer reads as on
    Slider,    // clamped into min..max
    ListIndex, // 0..max; anything else leaves the list without a selection (-1)
};

// When a load hands a value to whatever applies it.
enum class LoadApply {
    OnChange,          // a check box or slider: only when the value differs from the current
    Always,            // a list or menu item: every load
    OnChangeAndAlways, // on a change, and then once more whatever happened (the log-on entry)
};

struct SettingDef {
    Setting setting;
    const char* section;
    const char* key;
    SettingKind kind;
    int defaultValue;
    int min;
    int max;
    LoadApply apply;
};

const std::array<SettingDef, SettingCount>& SettingsTable();
const SettingDef& DefinitionOf(Setting setting);

// A stored integer brought into the setting's range as the controls would take it.
int Normalised(const SettingDef& def, int raw);

// The volume step lists and their meaning: the item texts, with a comma as decimal mark.
inline constexpr std::array<const char*, 9> kVolumeStepItems = {"0,1", "0,2", "0,5", "1", "2",
                                                                "3",   "5",   "10",  "20"};
inline constexpr std::array<const char*, 6> kVisibleTimeItems = {"0,5", "1", "2", "3", "4", "5"};

// Mixer units of a step index (the item's per cent of 65535, truncated); -1 for no item.
int VolumeStepUnits(int index);
// Milliseconds the volume window stays up for a visible-time index; -1 for no item.
int VisibleTimeMs(int index);
