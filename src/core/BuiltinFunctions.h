// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

// What a built-in function does.
enum class BuiltinAction { VolumeUp, VolumeDown, VolumeMute, ToggleMainWindow, TogglePause };

struct BuiltinFunction {
    const char* name; // the target text that names it, whole and case-sensitive
    BuiltinAction action;
    bool repeatsWhileHeld; // keeps acting while its hotkey is held (the volume steps)
};

// The built-in functions a target can name, in the order the functions menu offers them.
// Everything else, mute included, acts once per press.
inline constexpr std::array<BuiltinFunction, 5> BuiltinFunctionTable{{
    {"VolumeUp", BuiltinAction::VolumeUp, true},
    {"VolumeDown", BuiltinAction::VolumeDown, true},
    {"VolumeMute", BuiltinAction::VolumeMute, false},
    {"Show/Hide Application", BuiltinAction::ToggleMainWindow, false},
    // Its entries keep their hotkeys through a pause: they are the way back.
    {"Pause/Resume Hotkeys", BuiltinAction::TogglePause, false},
}};

// The table's row whose name is the whole target, letter case and blanks counting; null
// for a target the shell gets.
const BuiltinFunction* FindBuiltin(const QString& target);
bool IsBuiltinTarget(const QString& target);
bool RepeatsWhileHeld(const QString& target);
bool IsPauseTarget(const QString& target);

// Who carries out the volume functions.
class VolumeSteps {
public:
    virtual ~VolumeSteps() = default;
    virtual void VolumeUp() = 0;
    virtual void VolumeDown() = 0;
    virtual void VolumeMute() = 0;
};

// Who shows the main window when it is hidden and hides it when it is shown.
class MainWindowToggle {
public:
    virtual ~MainWindowToggle() = default;
    virtual void ToggleMainWindow() = 0;
};

// Who pauses all hotkeys and resumes them.
class PauseToggle {
public:
    virtual ~PauseToggle() = default;
    virtual void TogglePause() = 0;
};
