// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class Shell;

// The built-in functions a target can name. The main window provides them.
class BuiltinFunctions {
public:
    virtual ~BuiltinFunctions() = default;
    virtual void ToggleMainWindow() = 0;
    virtual void VolumeDown() = 0;
    virtual void VolumeUp() = 0;
    virtual void VolumeMute() = 0;
};

// Text shown for a shell result code in test mode.
QString ShellOutcomeText(int code);

// True for the four built-in names (whole text, letter case and blanks counting).
bool IsBuiltinTarget(const QString& target);
// True for the targets that keep acting while their hotkey is held: the volume steps.
// Everything else, mute included, acts once per press.
bool RepeatsWhileHeld(const QString& target);

// Turns a target into its effect: a built-in function, or the shell's "open".
class ActionExecutor {
public:
    using MessageBox = std::function<void(const QString& text)>;

    ActionExecutor(BuiltinFunctions& builtins, Shell& shell, MessageBox showMessage);

    // With showOutcome the shell's outcome text is shown, even when empty, once the shell
    // has answered (Shell::openReporting); without it the shell's open returns at once. A
    // built-in function never shows anything.
    void Execute(const QString& target, bool showOutcome);

private:
    BuiltinFunctions& m_builtins;
    Shell& m_shell;
    MessageBox m_showMessage;
};
