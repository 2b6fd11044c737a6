// SPDX-License-Identifier: GPL-3.0-or-later
#include "Lifecycle.h"

#include "AppPaths.h"
#include "CommandLine.h"
#include "HotkeyBackend.h"
#include "HotkeyRegistration.h"
#include "HotkeyStore.h"
#include "HotkeyTable.h"
#include "Logging.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <QTimer>

Lifecycle::Lifecycle(HotkeyTable& table, HotkeyBackend& backend, LifecycleWindows& windows,
                     SettingsHooks settings, QObject* parent)
    : QObject(parent), TimerInit(new QTimer(this)), m_table(table), m_backend(backend),
      m_windows(windows), m_settings(std::move(settings)) {
    TimerInit->setObjectName(QStringLiteral("TimerInit"));
    TimerInit->setSingleShot(true);
    // The sequence waits only for the event loop to run; a longer delay would only keep
    // the hotkeys from working sooner.
    TimerInit->setInterval(0);
    connect(TimerInit, &QTimer::timeout, this, &Lifecycle::TimerInitTimer);
}

Lifecycle::CreateOutcome Lifecycle::FormCreate(const QString& commandLine,
                                               const RuntimePlace& runtime,
                                               const QString& filesDir) {
    if (runtime.directory.isEmpty())
        return failToStart(runtime.problem);
    m_instance = new SingleInstance(QStringLiteral("Orvane 2"), runtime.directory, this);
    switch (m_instance->claim()) {
    case SingleInstance::Claim::First: break;
    case SingleInstance::Claim::Failed: return failToStart(m_instance->problem());
    case SingleInstance::Claim::AnotherRuns:
        if (m_instance->askFirstToRaise())
            return CreateOutcome::HandedToFirst;
        return failToStart(
            QStringLiteral("Orvane is already running (process %1), but it does not answer.\n"
                           "End that process and start Orvane again.")
                .arg(m_instance->ownerPid()));
    }
    connect(m_instance, &SingleInstance::raiseRequested, this,
            [this] { m_windows.RestoreMainWindow(); });

    m_commandLine = commandLine;
    m_filesDir = filesDir.isEmpty() ? AppPaths::FilesDirectory() : filesDir;
    m_settingsFileName = QStringLiteral("Settings.ini");
    m_hotkeysFileName = QStringLiteral("Hotkeys.ini");
    TimerInit->start();
    return CreateOutcome::Created;
}

Lifecycle::CreateOutcome Lifecycle::failToStart(const QString& why) {
    const QString text = QStringLiteral("Orvane cannot start.\n") + why;
    qCritical("%s", qPrintable(text));
    m_windows.TellUser(text);
    return CreateOutcome::Failed;
}

QString Lifecycle::HotkeysPath() const {
    return m_filesDir + QLatin1Char('/') + m_hotkeysFileName;
}

QString Lifecycle::SettingsPath() const {
    return m_filesDir + QLatin1Char('/') + m_settingsFileName;
}

void Lifecycle::TimerInitTimer() {
    TimerInit->stop();
    HotkeyStore::Load(m_table, HotkeysPath(), [] { return QSysInfo::machineHostName(); });
    if (m_settings.LoadSettings)
        m_settings.LoadSettings(SettingsPath());
    m_loaded = true;

    const QString exe = QCoreApplication::applicationFilePath();
    const bool logo = m_settings.ShowLogoAtStartup && m_settings.ShowLogoAtStartup();
    if (logo && !CommandLine::IsQuotedPathWithBlank(m_commandLine, exe))
        m_windows.ShowSplash();

    m_windows.PrepareLists();
    const HotkeyRegistration::PassOutcome pass =
        HotkeyRegistration::RegistrationPass(m_table, m_backend);

    if (CommandLine::IsPlainStart(m_commandLine, exe)) {
        m_windows.HideMainWindow();
        m_windows.ShowMainWindow();
    }
    emit started();
    if (pass.noDisplay)
        tellOnce(pass.noService ? HotkeyRegistration::kNoService : HotkeyRegistration::kNoDisplay);
    // A desktop's service answers after the start-up: that it is missing is said then.
    connect(&m_backend, &HotkeyBackend::serviceMissing, this,
            [this] { tellOnce(HotkeyRegistration::kNoService); });
}

void Lifecycle::tellOnce(const QString& text) {
    if (m_toldNoHotkeys)
        return;
    m_toldNoHotkeys = true;
    // Said after the start-up is complete, so that the rest of Orvane works meanwhile.
    QTimer::singleShot(0, this, [this, text] {
        if (m_exitFlag)
            return;
        qCInfo(lcLife).noquote() << "telling the user:" << text;
        m_windows.TellUser(text);
    });
}

void Lifecycle::Exit1Click() {
    if (m_exitFlag)
        return; // already ending: a second signal or click must not save twice
    m_exitFlag = true;
    m_windows.CloseMainWindow();
}

bool Lifecycle::FormClose() {
    if (!m_exitFlag)
        return false;
    HotkeyRegistration::ReleaseAll(m_table, m_backend);
    m_windows.HideMainWindow();
    SaveLoadedState();
    QCoreApplication::quit();
    return true;
}

void Lifecycle::EndingNow() {
    m_exitFlag = true;
    SaveLoadedState();
}

void Lifecycle::MainWindowHidden() {
    if (!m_loaded)
        return;
    if (!HotkeyStore::Save(m_table, HotkeysPath()))
        qCWarning(lcStore) << "Hotkeys.ini could not be saved to" << HotkeysPath();
}

bool Lifecycle::SaveSettings() {
    if (!m_loaded || !m_settings.SaveSettings)
        return false;
    if (m_settings.SaveSettings(SettingsPath()))
        return true;
    qCWarning(lcStore) << "Settings.ini could not be saved to" << SettingsPath();
    return false;
}

void Lifecycle::SaveLoadedState() {
    if (!m_loaded || m_saved)
        return;
    m_saved = true;
    if (m_settings.SaveSettings && !m_settings.SaveSettings(SettingsPath()))
        qCWarning(lcStore) << "Settings.ini could not be saved to" << SettingsPath();
    if (!HotkeyStore::Save(m_table, HotkeysPath()))
        qCWarning(lcStore) << "Hotkeys.ini could not be saved to" << HotkeysPath();
}
