// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Program.h"

#include "controls/MessageBox.h"
#include "controls/Skin.h"
#include "core/HotkeyRegistration.h"
#include "core/Logging.h"
#include "mainwindow/MainWindowMenus.h"
#include "platform/NullNotifier.h"
#include "platform/NullTrayHost.h"
#include "settings/Autorun.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

Program::Program(Platform platform)
    : m_backend(std::move(platform.hotkeys)), m_shell(std::move(platform.shell)),
      m_activator(std::move(platform.activator)),
      m_trayHost(platform.tray ? std::move(platform.tray) : std::make_unique<NullTrayHost>()),
      m_logonEntry(platform.logonEntry ? std::move(platform.logonEntry)
                                       : std::make_unique<NullLogonEntry>()),
      m_makeSessionEnd(std::move(platform.sessionEnd)),
      m_notifier(platform.notifier ? std::move(platform.notifier)
                                   : std::make_unique<NullNotifier>()),
      m_applications(std::move(platform.applications)), Pause(*m_backend, Hotkeys),
      Volume(std::move(platform.mixer), Settings),
      Form1(Hotkeys, Pause, Settings, WindowLook, [this] { return Life.SaveResetTable(); }),
      TimerLogo(new QTimer(&Form1)), FormLogo(WindowLook, Form1.palette().color(QPalette::Window)),
      FormVolume(Settings, WindowLook),
      FormAbout(*new TFormAbout([this](const QString& link) { m_shell->open(link); }, WindowLook,
                                &Form1)),
      FormOptions(*new TFormOptions(Settings, WindowLook, &Form1)),
      CoolTrayIcon1(*m_trayHost,
                    {&Form1, [this] { ShowMainWindow(); }, [this] { HideMainWindow(); }}),
      Life(Hotkeys, Pause, *this,
           {[this](const QString& path) { Settings.Load(path); },
            [this](const QString& path) { return Settings.Save(path); },
            [this] { return Settings.isOn(Setting::Logo); }},
           [this](const QString& target) { return m_shell->resolves(target); }),
      m_executor(
          *this, Volume, *m_shell, [this](const QString& text) { ShowMessage(&Form1, text); },
          &Pause) {
    // The table the program holds from its creation: the default one, until a load.
    Hotkeys.appendMany(DefaultHotkeyTable());
    Form1.Applications = m_applications.get();

    connect(m_backend.get(), &HotkeyBackend::hotkeyPressed, this, [this](int id, bool repeat) {
        HotkeyRegistration::ApplicationEvents1Message(Hotkeys, id, repeat, m_executor);
    });
    connect(m_backend.get(), &HotkeyBackend::registrationChanged, &Hotkeys,
            &HotkeyTable::setRegistrationResult);
    connect(&Life, &Lifecycle::hotkeysRefused, this, &Program::tellRefused);
    connect(m_trayHost.get(), &TrayHost::messageClicked, this, &Program::CoolTrayIcon1Click);
    connect(&Form1, &TForm1::hideRequested, this, &Program::hideToTray);
    connect(&Form1, &TForm1::exitRequested, &Life, &Lifecycle::Exit1Click);
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
    TimerLogo->start();
    connect(&Settings, &SettingsStore::changed, this, &Program::followSetting);

    connect(&Volume, &VolumeController::levelWritten, &FormVolume, &TFormVolume::ShowVolumeLevel);
    connect(&Volume, &VolumeController::noDevice, &FormVolume, &TFormVolume::ShowNoDevice);
    setUpTray();
    setUpPause();
}

Lifecycle::CreateOutcome Program::FormCreate(const QString& commandLine,
                                             const RuntimePlace& runtime, const QString& filesDir) {
    const Lifecycle::CreateOutcome outcome = Life.FormCreate(commandLine, runtime, filesDir);
    if (outcome != Lifecycle::CreateOutcome::Created || !m_makeSessionEnd)
        return outcome;
    m_sessionEnd = m_makeSessionEnd();
    connect(m_sessionEnd.get(), &SessionEnd::endRequested, &Life, &Lifecycle::Exit1Click);
    connect(m_sessionEnd.get(), &SessionEnd::endingNow, &Life, &Lifecycle::EndingNow,
            Qt::DirectConnection);
    return outcome;
}

Program::Parts Program::parts() {
    return {Life,       Settings,  Volume,      Form1,         *TimerLogo,    FormLogo,
            FormVolume, FormAbout, FormOptions, PopupMenuTray, CoolTrayIcon1, Pause};
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
    connect(PopupMenuTray.Exit3, &QAction::triggered, &Life, &Lifecycle::Exit1Click);
    connect(&Settings, &SettingsStore::changed, this, &Program::followTraySetting);
    // The icon goes into the tray once the hotkeys work: nothing is drawn before them.
    connect(&Life, &Lifecycle::started, &t, &TCoolTrayIcon::Loaded);
}

void Program::followTraySetting(Setting setting) {
    switch (setting) {
    case Setting::TrayVisible: CoolTrayIcon1.SetIconVisible(Settings.isOn(setting)); break;
    case Setting::TrayAnimate:
        // A paused icon stays still and grey; the resume takes the setting up.
        if (Pause.paused())
            break;
        CoolTrayIcon1.SetCycleIcons(Settings.isOn(setting));
        // The still icon.
        if (!Settings.isOn(setting))
            CoolTrayIcon1.SetIconIndex(4);
        break;
    case Setting::MinimizeToTray: CoolTrayIcon1.SetMinimizeToTray(Settings.isOn(setting)); break;
    default: break;
    }
}

void Program::setUpPause() {
    for (QAction* item : {PopupMenuTray.Pausehotkeys1, Form1.Menus->Pausehotkeys1})
        connect(item, &QAction::triggered, &Pause, &HotkeyPause::SetPaused);
    connect(&Pause, &HotkeyPause::pausedChanged, this, &Program::followPause);
    Life.SetRequestHandler([this](const ControlRequest::Request& r) { return Serve(r); });
}

QString Program::Serve(const ControlRequest::Request& request) {
    using Kind = ControlRequest::Kind;
    switch (request.kind) {
    case Kind::Pause: Pause.SetPaused(true); break;
    case Kind::Resume: Pause.SetPaused(false); break;
    case Kind::TogglePause: Pause.TogglePause(); break;
    case Kind::Run: {
        // Asked for by name: it runs whether its hotkey is ticked, paused or not.
        const int row = Hotkeys.rowOfId(request.id);
        if (row < 0)
            return QStringLiteral("Orvane has no entry with ID %1").arg(request.id);
        m_executor.Execute(Hotkeys.at(row).Execute, false);
        break;
    }
    case Kind::Raise:
    case Kind::Show: ShowMainWindow(); break;
    }
    return {};
}

void Program::followPause(bool paused) {
    PopupMenuTray.Pausehotkeys1->setChecked(paused);
    Form1.Menus->Pausehotkeys1->setChecked(paused);
    TCoolTrayIcon& t = CoolTrayIcon1;
    t.SetHint(paused ? QStringLiteral("Orvane (paused)") : QStringLiteral("Orvane"));
    if (paused) {
        t.SetCycleIcons(false);
        t.SetIcon(PausedTrayIcon());
    } else {
        followTraySetting(Setting::TrayAnimate);
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
                                         TellUser(text);
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
    HideMainWindow();
    ShowMainWindow();
}

void Program::tellRefused(const StartupNotice& notice) {
    const QString body = notice.lines.join(u'\n');
    m_notifier->notify(
        notice.summary, body, QStringLiteral("Open Orvane"), [this] { CoolTrayIcon1Click(); },
        [this, notice, body] {
            if (!m_trayHost->showMessage(notice.summary, body))
                qCInfo(lcLife).noquote() << notice.summary << body;
        });
}

Program::~Program() {
    // No end signal may reach a program half torn down.
    m_sessionEnd.reset();
}

void Program::PrepareLists() {
    Form1.PrepareLists();
}

void Program::ShowSplash() {
    FormLogo.ShowLogo();
}

void Program::ShowMainWindow() {
    showMainWindow(0);
}

void Program::showMainWindow(quint32 eventTime) {
    // Shown normally: a window minimised to the task bar comes back as it was.
    if (Form1.isMinimized())
        Form1.setWindowState(Form1.windowState() & ~Qt::WindowMinimized);
    if (!m_placed) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            Form1.move(screen->availableGeometry().center() - Form1.rect().center());
        m_placed = true;
    }
    m_activator->Activate(&Form1, eventTime);
}

void Program::HideMainWindow() {
    // The window itself hidden, task-bar entry and all.
    Form1.hide();
}

void Program::RestoreMainWindow() {
    showMainWindow(0);
}

void Program::TellUser(const QString& text) {
    ShowMessage(&Form1, text);
}

void Program::ToggleMainWindow() {
    if (Form1.isVisible() && !Form1.isMinimized())
        HideMainWindow();
    else
        showMainWindow(m_backend->lastPressTime());
}

void Program::hideToTray() {
    // Shown first, so that a minimised window leaves the task bar too and comes back restored.
    ShowMainWindow();
    HideMainWindow();
    // Hide closes what belongs to the main window, then writes the table.
    if (FormAbout.isVisible())
        FormAbout.close();
    if (FormOptions.isVisible())
        FormOptions.close();
    if (FormVolume.isVisible())
        FormVolume.hide();
    Life.MainWindowHidden();
}
