// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Lifecycle.h"

#include "core/AppPaths.h"
#include "core/CommandLine.h"
#include "core/FirstStart.h"
#include "core/HotkeyRegistration.h"
#include "core/HotkeyStore.h"
#include "core/HotkeyTable.h"
#include "core/Logging.h"
#include "core/StartupMarks.h"
#include "platform/HotkeyBackend.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSysInfo>
#include <QTimer>
#include <cstdio>

namespace {

// Why a file could not be written, as far as its place tells.
QString WriteFailure(const QString& path) {
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    QString why = QStringLiteral("the disk refused the write");
    if (file.isDir())
        why = QStringLiteral("a folder has its name");
    else if (!folder.isDir())
        why = QStringLiteral("its folder does not exist");
    else if (file.exists() && !file.isWritable())
        why = QStringLiteral("the file is read-only");
    else if (!folder.isWritable())
        why = QStringLiteral("its folder is read-only");
    return QStringLiteral("%1 cannot be written (%2).").arg(path, why);
}

} // namespace

Lifecycle::Lifecycle(HotkeyTable& table, HotkeyBackend& backend, LifecycleWindows& windows,
                     SettingsHooks settings, TargetCheck resolves, QObject* parent)
    : QObject(parent), TimerInit(new QTimer(this)), m_table(table), m_backend(backend),
      m_windows(windows), m_settings(std::move(settings)), m_resolves(std::move(resolves)) {
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
    m_instance = new SingleInstance(InstanceName(), runtime.directory, this);
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
    m_instance->setRequestHandler([this](const ControlRequest::Request& request) {
        if (request.kind == ControlRequest::Kind::Show) {
            m_windows.RestoreMainWindow();
            return QString();
        }
        // A request in the first moment waits for the start-up it would have missed.
        if (!m_loaded && TimerInit->isActive())
            TimerInitTimer();
        if (!m_loaded || !m_requests)
            return QStringLiteral("Orvane is still starting");
        return m_requests(request);
    });

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
    StartupMarks::Mark("first event-loop turn");
    const bool stored =
        HotkeyStore::Load(m_table, HotkeysPath(), [] { return QSysInfo::machineHostName(); });
    if (!stored)
        FirstStart::FitDefaultTable(m_table, m_resolves);
    StartupMarks::Mark("Hotkeys.ini loaded");

    const QString exe = QCoreApplication::applicationFilePath();
    // The settings, the splash and the lists change nothing the registration reads, and
    // nothing the user sees comes sooner or later: they are done while the window system
    // considers the hotkeys, which then work that much sooner.
    const HotkeyRegistration::PassOutcome pass =
        HotkeyRegistration::RegistrationPass(m_table, m_backend, [this, &exe] {
            StartupMarks::Mark("hotkeys asked for");
            if (m_settings.LoadSettings)
                m_settings.LoadSettings(SettingsPath());
            m_loaded = true;
            StartupMarks::Mark("Settings.ini loaded and applied");
            const bool logo = m_settings.ShowLogoAtStartup && m_settings.ShowLogoAtStartup();
            if (logo && !CommandLine::IsQuotedPathWithBlank(m_commandLine, exe))
                m_windows.ShowSplash();
            StartupMarks::Mark("splash shown");
            m_windows.PrepareLists();
            StartupMarks::Mark("lists prepared");
        });
    StartupMarks::Mark("hotkeys registered");

    if (CommandLine::IsPlainStart(m_commandLine, exe)) {
        m_windows.HideMainWindow();
        m_windows.ShowMainWindow();
    }
    emit started();
    StartupMarks::Mark("started (tray icon, main window)");
    if (const auto notice = RefusedNotice(m_table, pass))
        emit hotkeysRefused(*notice);
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
    HotkeyRegistration::ReleaseAll(m_table, m_backend);
    m_windows.HideMainWindow();
    SaveLoadedState();
    QCoreApplication::quit();
}

void Lifecycle::EndingNow() {
    m_exitFlag = true;
    SaveLoadedState();
}

void Lifecycle::MainWindowHidden() {
    if (!m_loaded)
        return;
    if (!HotkeyStore::Save(m_table, HotkeysPath()))
        tellWriteFailed(HotkeysPath());
}

bool Lifecycle::SaveSettings() {
    if (!m_loaded || !m_settings.SaveSettings)
        return false;
    if (m_settings.SaveSettings(SettingsPath()))
        return true;
    return tellWriteFailed(SettingsPath());
}

bool Lifecycle::SaveResetTable() {
    if (!m_loaded)
        return false; // the user's file was never read: it is not Orvane's to replace
    if (!HotkeyStore::SaveReset(HotkeysPath()))
        return tellWriteFailed(HotkeysPath());
    m_resetSaved = true;
    return true;
}

bool Lifecycle::tellWriteFailed(const QString& path) {
    const QString why = WriteFailure(path);
    qCWarning(lcStore).noquote() << why;
    m_windows.TellUser(QStringLiteral("Error: ") + why);
    return false;
}

void Lifecycle::SaveLoadedState() {
    if (!m_loaded || m_saved)
        return;
    m_saved = true;
    QStringList failed;
    if (m_settings.SaveSettings && !m_settings.SaveSettings(SettingsPath()))
        failed << WriteFailure(SettingsPath());
    if (!m_resetSaved && !HotkeyStore::Save(m_table, HotkeysPath()))
        failed << WriteFailure(HotkeysPath());
    if (failed.isEmpty())
        return;
    // Nobody is left to answer a box at the end: the log, and one line for the terminal or
    // the session's journal.
    const QString line = QStringLiteral("Orvane: not saved at exit: ") + failed.join(u' ');
    qCWarning(lcStore).noquote() << line;
    std::fprintf(stderr, "%s\n", qPrintable(line));
}
