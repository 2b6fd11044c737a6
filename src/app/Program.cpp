// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Program.h"

#include "controls/MessageBox.h"
#include "controls/Skin.h"
#include "core/HotkeyRegistration.h"
#include "platform/MixerDriver.h"
#include "platform/NullTrayHost.h"
#include "platform/WindowActivator.h"
#include "settings/Autorun.h"

#include <QCoreApplication>
#include <QTimer>

Program::Program(std::unique_ptr<HotkeyBackend> backend, std::unique_ptr<Shell> shell,
                 std::unique_ptr<MixerDriver> mixerDriver,
                 std::unique_ptr<WindowActivator> activator, std::unique_ptr<TrayHost> trayHost,
                 std::unique_ptr<LogonEntry> logonEntry)
    : m_backend(std::move(backend)), m_shell(std::move(shell)), m_activator(std::move(activator)),
      m_trayHost(trayHost ? std::move(trayHost) : std::make_unique<NullTrayHost>()),
      m_logonEntry(logonEntry ? std::move(logonEntry) : std::make_unique<NullLogonEntry>()),
      Volume(std::move(mixerDriver), Settings),
      Form1(Hotkeys, *m_backend, Settings, *m_activator, WindowLook), TimerLogo(new QTimer(&Form1)),
      FormLogo(WindowLook, Form1.palette().color(QPalette::Window)),
      FormVolume(Settings, WindowLook),
      FormAbout([this](const QString& link) { m_shell->open(link); }, WindowLook, &Form1),
      FormOptions(Settings, WindowLook, &Form1),
      CoolTrayIcon1(*m_trayHost, {&Form1, [this] { Form1.ShowMainWindow(quint32(0)); },
                                  [this] { Form1.HideForm(); }}),
      Life(Hotkeys, *m_backend, Form1,
           {[this](const QString& path) { Settings.Load(path); },
            [this](const QString& path) { return Settings.Save(path); },
            [this] { return Settings.isOn(Setting::Logo); }}),
      m_executor(*this, *m_shell, [this](const QString& text) { ShowMessage(&Form1, text); }) {
    // The table the program holds from its creation: the default one, until a load.
    Hotkeys.appendMany(DefaultHotkeyTable());

    Form1.OnCloseQuery = [this] { return Life.FormClose(); };
    Form1.OnExit = [this] { Life.Exit1Click(); };
    Form1.OnResetWrite = [this] { return Life.SaveResetTable(); };
    Life.setTargetCheck([this](const QString& target) { return m_shell->resolves(target); });

    connect(m_backend.get(), &HotkeyBackend::hotkeyPressed, this, [this](int id, bool repeat) {
        HotkeyRegistration::ApplicationEvents1Message(Hotkeys, id, repeat, m_executor);
    });
    connect(m_backend.get(), &HotkeyBackend::registrationChanged, &Hotkeys,
            &HotkeyTable::setRegistrationResult);
    connect(&Form1, &TForm1::hidden, this, &Program::Hidden);
    connect(&Form1, &TForm1::aboutRequested, &FormAbout, &TFormAbout::ShowAbout);
    connect(&Form1, &TForm1::optionsRequested, &FormOptions, &TFormOptions::ShowOptions);
    connect(&FormOptions, &TFormOptions::saveRequested, &Life, &Lifecycle::SaveSettings);
    connect(&FormOptions, &TFormOptions::volumePreviewWanted, &FormVolume,
            &TFormVolume::ShowPreview);
    connect(&Form1, &TForm1::openRequested, this,
            [this](const QString& target) { m_shell->open(target); });
    connect(&Form1, &TForm1::testRequested, this,
            [this](const QString& target) { m_executor.Execute(target, true); });

    // The splash time runs from the main window's creation, whether the splash shows or not.
    TimerLogo->setObjectName(QStringLiteral("TimerLogo"));
    TimerLogo->setSingleShot(true);
    TimerLogo->setInterval(2000);
    connect(TimerLogo, &QTimer::timeout, this, &Program::TimerLogoTimer);
    connect(&Form1, &TForm1::splashWanted, &FormLogo, &TFormLogo::ShowLogo);
    TimerLogo->start();
    connect(&Settings, &SettingsStore::changed, this, &Program::followSetting);

    connect(&Volume, &VolumeController::levelWritten, &FormVolume, &TFormVolume::ShowVolumeLevel);
    connect(&Volume, &VolumeController::noDevice, &FormVolume, &TFormVolume::ShowNoDevice);
    setUpTray();
}

void Program::setUpTray() {
    TCoolTrayIcon& t = CoolTrayIcon1;
    t.SetCycleIcons(true);
    t.SetCycleInterval(1500);
    t.SetHint(QStringLiteral("Orvane"));
    t.SetShowHint(true);
    t.SetStartMinimized(true);
    t.SetPopupMenu(&PopupMenuTray);
    t.SetIconList(ImageListTray());
    t.OnClick = [this] { CoolTrayIcon1Click(); };
    connect(PopupMenuTray.Show1, &QAction::triggered, this, &Program::CoolTrayIcon1Click);
    connect(PopupMenuTray.Exit3, &QAction::triggered, this, [this] { Life.Exit1Click(); });
    connect(&Settings, &SettingsStore::changed, this, &Program::followTraySetting);
    Form1.CoolTrayIcon1 = &CoolTrayIcon1;
    // The icon goes into the tray once the hotkeys work: nothing is drawn before them.
    connect(&Life, &Lifecycle::started, &t, &TCoolTrayIcon::Loaded);
}

void Program::followTraySetting(Setting setting) {
    switch (setting) {
    case Setting::TrayVisible: CoolTrayIcon1.SetIconVisible(Settings.isOn(setting)); break;
    case Setting::TrayAnimate:
        CoolTrayIcon1.SetCycleIcons(Settings.isOn(setting));
        // The still icon.
        if (!Settings.isOn(setting))
            CoolTrayIcon1.SetIconIndex(4);
        break;
    case Setting::MinimizeToTray: CoolTrayIcon1.SetMinimizeToTray(Settings.isOn(setting)); break;
    default: break;
    }
}

void Program::followSetting(Setting setting) {
    switch (setting) {
    case Setting::Autorun:
        // The running executable, wherever it is now: a moved Orvane fixes its entry.
        CheckBoxAutorunClick(Settings, *m_logonEntry, QCoreApplication::applicationFilePath(),
                             [this](const QString& text) {
                                 // Said once the start-up has run: a box now would hold the
                                 // settings load and the hotkeys behind it.
                                 QTimer::singleShot(0, this, [this, text] {
                                     if (!Life.exitFlag())
                                         Form1.TellUser(text);
                                 });
                             });
        break;
    case Setting::Color: {
        const int index = Settings.value(setting);
        // A list without a selection names no scheme.
        ApplyColorScheme(index >= 0 && index < int(Skin::SchemeNames.size())
                             ? QLatin1String(Skin::SchemeNames[size_t(index)])
                             : QString());
        break;
    }
    case Setting::Quality: ApplyQuality(Settings.value(setting)); break;
    default: break;
    }
}

void Program::ApplyColorScheme(const QString& name) {
    WindowLook.SetScheme(name);
}

void Program::ApplyQuality(int quality) {
    WindowLook.SetQuality(quality);
}

void Program::TimerLogoTimer() {
    TimerLogo->stop();
    FormLogo.EndLogo();
}

void Program::CoolTrayIcon1Click() {
    CoolTrayIcon1.HideMainWindow();
    CoolTrayIcon1.ShowMainWindow();
}

Program::~Program() = default;

void Program::ToggleMainWindow() {
    // The key press that asked for it lets the window take the focus.
    Form1.ToggleMainWindow(m_backend->lastPressTime());
}

void Program::Hidden() {
    // Hide closes what belongs to the main window, then writes the table.
    if (FormAbout.isVisible())
        FormAbout.close();
    if (FormOptions.isVisible())
        FormOptions.close();
    if (FormVolume.isVisible())
        FormVolume.hide();
    Life.MainWindowHidden();
}

void Program::VolumeDown() {
    Volume.VolumeDown();
}

void Program::VolumeUp() {
    Volume.VolumeUp();
}

void Program::VolumeMute() {
    Volume.VolumeMute();
}
