// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ActionExecutor.h"
#include "core/HotkeyTable.h"
#include "core/Lifecycle.h"
#include "mainwindow/TForm1.h"
#include "mainwindow/TFormAbout.h"
#include "platform/HotkeyBackend.h"
#include "platform/LogonEntry.h"
#include "platform/Shell.h"
#include "platform/TrayHost.h"
#include "settings/SettingsStore.h"
#include "settings/TFormLogo.h"
#include "settings/TFormOptions.h"
#include "tray/TCoolTrayIcon.h"
#include "tray/TrayMenu.h"
#include "volume/TFormVolume.h"
#include "volume/VolumeController.h"

#include <memory>

class MixerDriver;
class WindowActivator;

// Orvane as a whole: the one hotkey table, the settings, the windows and controllers that
// live for the whole run, and how they are connected. The platform objects come from outside,
// so the whole program runs with test doubles as well as on the real system.
class Program : public QObject, public BuiltinFunctions {
    Q_OBJECT
public:
    Program(std::unique_ptr<HotkeyBackend> backend, std::unique_ptr<Shell> shell,
            std::unique_ptr<MixerDriver> mixerDriver, std::unique_ptr<WindowActivator> activator,
            std::unique_ptr<TrayHost> trayHost = {}, std::unique_ptr<LogonEntry> logonEntry = {});
    ~Program() override;

    void ToggleMainWindow() override;
    void VolumeDown() override;
    void VolumeUp() override;
    void VolumeMute() override;

    // The palette of a scheme name (an unknown or empty name gives the fallback) on every
    // window: About box, splash, volume window, main window, options dialog.
    void ApplyColorScheme(const QString& name);
    // The gradient quality of every gradient button of every window (0 Low, 1 Middle, 2 High).
    void ApplyQuality(int quality);

private:
    const std::unique_ptr<HotkeyBackend> m_backend;
    const std::unique_ptr<Shell> m_shell;
    const std::unique_ptr<WindowActivator> m_activator;
    const std::unique_ptr<TrayHost> m_trayHost;
    const std::unique_ptr<LogonEntry> m_logonEntry;

public:
    SettingsStore Settings;
    HotkeyTable Hotkeys;
    VolumeController Volume;
    // The colour scheme and gradient quality all the windows follow.
    Look WindowLook;
    TForm1 Form1;
    // Ends the splash time, 2 s after the main window came into being.
    QTimer* const TimerLogo;
    TFormLogo FormLogo;
    TFormVolume FormVolume;
    TFormAbout FormAbout;
    TFormOptions FormOptions;
    TrayMenu PopupMenuTray;
    TCoolTrayIcon CoolTrayIcon1;
    Lifecycle Life;

private:
    void Hidden();
    void setUpTray();
    void followTraySetting(Setting setting);
    void followSetting(Setting setting);
    void TimerLogoTimer();
    // The tray's click and its "Show" item: the main window back and in front.
    void CoolTrayIcon1Click();

    ActionExecutor m_executor;
};
