// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/BuiltinFunctions.h"

#include <QString>
#include <functional>

class Shell;

// Text shown for a shell result code in test mode.
QString ShellOutcomeText(int code);

// Turns a target into its effect: a built-in function, or the shell's "open".
class ActionExecutor {
public:
    using MessageBox = std::function<void(const QString& text)>;

    // Without pause the Pause/Resume function does nothing.
    ActionExecutor(MainWindowToggle& mainWindow, VolumeSteps& volume, Shell& shell,
                   MessageBox showMessage, PauseToggle* pause = nullptr);

    // With showOutcome the shell's outcome text is shown, even when empty, once the shell
    // has answered (Shell::openReporting); without it the shell's open returns at once. A
    // built-in function never shows anything.
    void Execute(const QString& target, bool showOutcome);

private:
    void run(BuiltinAction action);

    MainWindowToggle& m_mainWindow;
    VolumeSteps& m_volume;
    Shell& m_shell;
    MessageBox m_showMessage;
    PauseToggle* m_pause;
};
