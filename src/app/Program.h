// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/Look.h"
#include "core/ActionExecutor.h"
#include "core/HotkeyPause.h"
#include "core/HotkeyTable.h"
#include "core/Lifecycle.h"
#include "mainwindow/TForm1.h"
#include "mainwindow/TFormAbout.h"
#include "platform/Platform.h"
#include "settings/SettingsStore.h"
#include "settings/TFormLogo.h"
#include "settings/TFormOptions.h"
#include "tray/TCoolTrayIcon.h"
#include "tray/TrayMenu.h"
#include "volume/TFormVolume.h"
#include "volume/VolumeController.h"

#include <memory>

// Orvane as a whole: the one hotkey table, the settings, the windows and controllers that
// live for the whole run, and how they are connected. The platform objects come from outside,
// so the whole program runs with test doubles as well as on the real system.
//
// It is also the one place that knows every window: the life cycle's window calls, the main
// window's show and hide (the tray's, the Show/Hide function's, a later start's), the splash,
// and Hide closing the other windows all come here.
class Program : public QObject, private LifecycleWindows, private MainWindowToggle {
    Q_OBJECT
public:
    explicit Program(Platform platform);
    ~Program() override;

    // The creation step (Lifecycle::FormCreate); a created program then also ends when the
    // session tells it to.
    Lifecycle::CreateOutcome FormCreate(const QString& commandLine, const RuntimePlace& runtime,
                                        const QString& filesDir = {});
    bool exitFlag() const { return Life.exitFlag(); }

    // What a test drives and looks at.
    struct Parts {
        Lifecycle& Life;
        SettingsStore& Settings;
        VolumeController& Volume;
        TForm1& Form1;
        QTimer& TimerLogo;
        TFormLogo& FormLogo;
        TFormVolume& FormVolume;
        TFormAbout& FormAbout;
        TFormOptions& FormOptions;
        TrayMenu& PopupMenuTray;
        TCoolTrayIcon& CoolTrayIcon1;
        HotkeyPause& Pause;
    };
    Parts parts();

    // The palette of a scheme name (an unknown or empty name gives the fallback) on every
    // window: About box, splash, volume window, main window, options dialog.
    void ApplyColorScheme(const QString& name);
    // The gradient quality of every gradient button of every window (0 Low, 1 Middle, 2 High).
    void ApplyQuality(int quality);

private:
    // LifecycleWindows
    void PrepareLists() override;
    void ShowSplash() override;
    void ShowMainWindow() override;
    void HideMainWindow() override;
    void RestoreMainWindow() override;
    void TellUser(const QString& text) override;
    // MainWindowToggle: the key press that asked for it lets the window take the focus.
    void ToggleMainWindow() override;

    // Restored if minimised, centred on its first show, in front. eventTime: the X time of
    // the key press or click that asked for it (0: now).
    void showMainWindow(quint32 eventTime);
    // The main window's Hide: out of the task bar, what belongs to it closed, the table written.
    void hideToTray();
    void setUpTray();
    // The two check items and the tray icon follow the pause.
    void setUpPause();
    void followPause(bool paused);
    // A later start's `--run` or pause option: the error for it, empty when done.
    QString Serve(const ControlRequest::Request& request);
    void followTraySetting(Setting setting);
    void followSetting(Setting setting);
    void TimerLogoTimer();
    // The tray's click and its "Show" item: the main window back and in front.
    void CoolTrayIcon1Click();
    // Names the hotkeys the start could not take, in a notification whose action opens the
    // main window, or in a tray balloon where the desktop has no notifications.
    void tellRefused(const StartupNotice& notice);

    const std::unique_ptr<HotkeyBackend> m_backend;
    const std::unique_ptr<Shell> m_shell;
    const std::unique_ptr<WindowActivator> m_activator;
    const std::unique_ptr<TrayHost> m_trayHost;
    const std::unique_ptr<LogonEntry> m_logonEntry;
    std::function<std::unique_ptr<SessionEnd>()> m_makeSessionEnd;
    const std::unique_ptr<Notifier> m_notifier;
    const std::unique_ptr<AppCatalog> m_applications;

    SettingsStore Settings;
    HotkeyTable Hotkeys;
    // Everything registers through it; the pause lives there.
    HotkeyPause Pause;
    VolumeController Volume;
    // The colour scheme and gradient quality all the windows follow.
    Look WindowLook;
    TForm1 Form1;
    // Ends the splash time, 2 s after the main window came into being.
    QTimer* const TimerLogo;
    TFormLogo FormLogo;
    TFormVolume FormVolume;
    // Owned by the main window, their Qt parent: they go with it, whatever the member order.
    TFormAbout& FormAbout;
    TFormOptions& FormOptions;
    TrayMenu PopupMenuTray;
    TCoolTrayIcon CoolTrayIcon1;
    Lifecycle Life;
    ActionExecutor m_executor;
    std::unique_ptr<SessionEnd> m_sessionEnd;
    bool m_placed = false;
};
