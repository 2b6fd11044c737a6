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

bool IsBuiltinTarget(const QString& target) {
    return target == QLatin1String("Show/Hide Application") || RepeatsWhileHeld(target) ||
           target == QLatin1String("VolumeMute");
}

bool RepeatsWhileHeld(const QString& target) {
    return target == QLatin1String("VolumeDown") || target == QLatin1String("VolumeUp");
}

ActionExecutor::ActionExecutor(BuiltinFunctions& builtins, Shell& shell, MessageBox showMessage)
    : m_builtins(builtins), m_shell(shell), m_showMessage(std::move(showMessage)) {}

void ActionExecutor::Execute(const QString& target, bool showOutcome) {
    if (target == QLatin1String("Show/Hide Application")) {
        m_builtins.ToggleMainWindow();
        return;
    }
    if (target == QLatin1String("VolumeDown")) {
        m_builtins.VolumeDown();
        return;
    }
    if (target == QLatin1String("VolumeUp")) {
        m_builtins.VolumeUp();
        return;
    }
    if (target == QLatin1String("VolumeMute")) {
        m_builtins.VolumeMute();
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
