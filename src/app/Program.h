#pragma once

#include "ActionExecutor.h"
#include "HotkeyBackend.h"
#include "HotkeyTable.h"
#include "Lifecycle.h"
#include "SettingsStore.h"
#include "Shell.h"
#include "TCoolTrayIcon.h"
#include "TForm1.h"
#include "TFormAbout.h"
#include "TFormOptions.h"
#include "TFormVolume.h"
#include "TrayHost.h"
#include "TrayMenu.h"
#include "VolumeController.h"

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
            std::unique_ptr<TrayHost> trayHost = {});
    ~Program() override;

    void ToggleMainWindow() override;
    void VolumeDown() override;
    void VolumeUp() override;
    void VolumeMute() override;

    // The scheme of that name (the fallback palette for any other, none included) on every
    // window, and the gradient quality of every window's gradient buttons.
    void ApplyColorScheme(const QString& name);
    void ApplyQuality(int quality);

private:
    const std::unique_ptr<HotkeyBackend> m_backend;
    const std::unique_ptr<Shell> m_shell;
    const std::unique_ptr<WindowActivator> m_activator;
    const std::unique_ptr<TrayHost> m_trayHost;

public:
    SettingsStore Settings;
    HotkeyTable Hotkeys;
    VolumeController Volume;
    TForm1 Form1;
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
    void followAppearance(Setting setting);
    // The tray's click and its "Show" item: the main window back and in front.
    void CoolTrayIcon1Click();

    ActionExecutor m_executor;
};
