// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ActionExecutor.h"

#include "platform/Shell.h"

QString ShellOutcomeText(int code) {
    if (code > 32)
        return QStringLiteral("Execution OK!");
    switch (code) {
    case 0: return QStringLiteral("The operating system is out of memory or resources.");
    case 2: return QStringLiteral("The specified file was not found.");
    case 3: return QStringLiteral("The specified path was not found.");
    case 11:
        return QStringLiteral("The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).");
    default: return QString();
    }
}

ActionExecutor::ActionExecutor(MainWindowToggle& mainWindow, VolumeSteps& volume, Shell& shell,
                               MessageBox showMessage, PauseToggle* pause)
    : m_mainWindow(mainWindow), m_volume(volume), m_shell(shell),
      m_showMessage(std::move(showMessage)), m_pause(pause) {}

void ActionExecutor::Execute(const QString& target, bool showOutcome) {
    if (const BuiltinFunction* builtin = FindBuiltin(target)) {
        run(builtin->action);
        return;
    }
    if (!showOutcome) {
        m_shell.open(target);
        return;
    }
    // Test tells what came of it, so it waits for the shell's answer; a hotkey never waits.
    m_shell.openReporting(target, [show = m_showMessage](int code) {
        if (show)
            show(ShellOutcomeText(code));
    });
}

void ActionExecutor::run(BuiltinAction action) {
    switch (action) {
    case BuiltinAction::VolumeUp: m_volume.VolumeUp(); break;
    case BuiltinAction::VolumeDown: m_volume.VolumeDown(); break;
    case BuiltinAction::VolumeMute: m_volume.VolumeMute(); break;
    case BuiltinAction::ToggleMainWindow: m_mainWindow.ToggleMainWindow(); break;
    case BuiltinAction::TogglePause:
        if (m_pause)
            m_pause->TogglePause();
        break;
    }
}
