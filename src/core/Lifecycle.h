// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SingleInstance.h"
#include "core/StartupNotice.h"

#include <QObject>
#include <functional>

class HotkeyBackend;
class HotkeyTable;
class QTimer;

// What the life cycle asks of the windows.
class LifecycleWindows {
public:
    virtual ~LifecycleWindows() = default;
    // Column captions and widths of the hotkey list, and the icon picker filled.
    virtual void PrepareLists() = 0;
    virtual void ShowSplash() = 0;
    virtual void ShowMainWindow() = 0;
    virtual void HideMainWindow() = 0;
    // A later start asks for the main window: restored and brought to the front.
    virtual void RestoreMainWindow() = 0;
    virtual void TellUser(const QString& text) = 0;
};

// The settings' part in start and end; unset hooks are skipped.
struct SettingsHooks {
    std::function<void(const QString& path)> LoadSettings;
    std::function<bool(const QString& path)> SaveSettings;
    std::function<bool()> ShowLogoAtStartup;
};

// The program's life cycle: one instance per user, the start-up sequence on the first tick of
// TimerInit, and the end through Exit that releases every hotkey and saves what was loaded.
class Lifecycle : public QObject {
    Q_OBJECT
public:
    enum class CreateOutcome {
        Created,       // the first instance: run the event loop
        HandedToFirst, // a later start: the running instance was asked to come to the front
        Failed,        // cannot run; the user has been told why
    };

    // How a first start learns whether the desktop can open a default row's target; unset,
    // every target counts as one it can open.
    using TargetCheck = std::function<bool(const QString& target)>;

    Lifecycle(HotkeyTable& table, HotkeyBackend& backend, LifecycleWindows& windows,
              SettingsHooks settings, TargetCheck resolves = {}, QObject* parent = nullptr);

    // The creation step; in a later start or on failure the process must end now. runtime is
    // where the single-instance lock lives; filesDir overrides where Hotkeys.ini and
    // Settings.ini live (tests), empty meaning the usual place.
    CreateOutcome FormCreate(const QString& commandLine, const RuntimePlace& runtime,
                             const QString& filesDir = {});

    // Name of the lock and the socket that make one instance per user.
    static QString InstanceName() { return QStringLiteral("Orvane 2"); }
    // How the running instance carries out a later start's request (`--run` and the pause
    // options); --show is the life cycle's own. Set before FormCreate.
    void SetRequestHandler(SingleInstance::RequestHandler handler) {
        m_requests = std::move(handler);
    }

    QString HotkeysPath() const;
    QString SettingsPath() const;
    bool exitFlag() const { return m_exitFlag; }

    // The one end of the program, whoever asks (menus, tray, Reset, the session): every
    // hotkey released, the main window hidden, what was loaded saved, the event loop told to
    // quit. A second Exit does nothing.
    void Exit1Click();
    // The process is ending without its event loop (the display is gone): releases nothing
    // and touches no window, only saves what was loaded.
    void EndingNow();
    // The Hide command has hidden the main window: the table goes to Hotkeys.ini, once it
    // has been loaded. A write that fails is told to the user; the table stays as it is.
    void MainWindowHidden();
    // The options dialog's OK: Settings.ini is written now. Nothing is written before the
    // start-up sequence has loaded it; false when nothing was written, and a write that
    // fails is told to the user.
    bool SaveSettings();
    // Reset's write: Hotkeys.ini gets Count=0 so that the next start takes the default table,
    // and the end of this run leaves it so. False, the user told, when it cannot be written.
    bool SaveResetTable();
    QTimer* const TimerInit;

signals:
    // The start-up sequence has run: table loaded, settings applied, hotkeys registered.
    void started();
    // The start-up registration did not take hotkeys that were stored ticked: said once,
    // after started, and only in a session that can register hotkeys at all.
    void hotkeysRefused(const StartupNotice& notice);

private:
    void TimerInitTimer();
    void SaveLoadedState();
    // Tells the user that a command's write failed; false, for the caller to return.
    bool tellWriteFailed(const QString& path);
    CreateOutcome failToStart(const QString& why);
    // That no hotkey can work in this session is said once per run.
    void tellOnce(const QString& text);

    HotkeyTable& m_table;
    HotkeyBackend& m_backend;
    LifecycleWindows& m_windows;
    SettingsHooks m_settings;
    TargetCheck m_resolves;
    SingleInstance* m_instance = nullptr;
    SingleInstance::RequestHandler m_requests;
    QString m_commandLine;
    QString m_filesDir;
    QString m_settingsFileName;
    QString m_hotkeysFileName;
    bool m_exitFlag = false;
    // Only what was loaded is ever written back: an end before the start-up sequence must
    // leave the files on disk as they are.
    bool m_loaded = false;
    bool m_saved = false;
    bool m_resetSaved = false; // Count=0 is on disk: the end must not write the empty table
    bool m_toldNoHotkeys = false;
};
