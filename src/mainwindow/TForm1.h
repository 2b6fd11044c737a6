#pragma once

#include "ActionExecutor.h"
#include "HotkeyBackend.h"
#include "HotkeyIconList.h"
#include "HotkeyTable.h"
#include "Shell.h"
#include "SingleInstance.h"
#include "TAudioMixer.h"
#include "TFormVolume.h"

#include <QWidget>
#include <memory>

class QMenu;
class QTimer;
class QTreeView;

// The main window: owns the hotkey table (its list's rows), the hotkey registrations and
// the start-up timer, and runs the program's life cycle.
class TForm1 : public QWidget, public BuiltinFunctions {
    Q_OBJECT
public:
    TForm1(std::unique_ptr<HotkeyBackend> backend, std::unique_ptr<Shell> shell,
           QWidget* parent = nullptr);
    ~TForm1() override;

    enum class CreateOutcome {
        Created,       // the first instance: run the event loop
        HandedToFirst, // a later start: the running instance was asked to come to the front
        Failed,        // cannot run; the user has been told why
    };
    // The creation step; in a later start or on failure the process must end now.
    // filesDir overrides where Hotkeys.ini and Settings.ini live (tests); empty means the
    // usual place.
    // runtime is where the single-instance lock lives; left empty, Qt's runtime location.
    CreateOutcome FormCreate(const QString& commandLine, const QString& filesDir = {},
                             const RuntimePlace& runtime = {});

    QString HotkeysPath() const;
    QString SettingsPath() const;
    bool exitFlag() const { return m_exitFlag; }

    // Commands.
    void Exit1Click();
    // The process is ending without its event loop (the display is gone): releases nothing
    // and touches no window, only saves what was loaded.
    void EndingNow();
    void ShowMainWindow();
    void HideMainWindow();
    void ToggleMainWindow() override;
    void VolumeDown() override;
    void VolumeUp() override;
    void VolumeMute() override;
    void LoadSettings();
    void SaveSettings();

    // Runs the hotkey message of identifier id.
    void ApplicationEvents1Message(int id, bool autoRepeat);

    HotkeyTable* const Hotkeys;
    QTreeView* const ListView1;
    QMenu* const PopupMenu1;
    QTimer* const TimerInit;
    // Mixer units per volume step; the settings load replaces it.
    double VolumeStep = 655.35;
    // The mixer device the volume functions act on (device 0), and the window that shows
    // what they wrote.
    TAudioMixer* const AudioMixer1 = new TAudioMixer(CreateMixerDriver(), this);
    const std::unique_ptr<TFormVolume> FormVolume = std::make_unique<TFormVolume>();
    bool ShowLogoAtStartup = false;

signals:
    // The start-up sequence wants the splash window shown.
    void splashWanted();
    // The start-up sequence has run: table loaded, hotkeys registered.
    void started();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void TimerInitTimer();
    void ListView1CheckToggled(int row, bool checked);
    void RestoreFromOtherInstance();
    void SaveLoadedState();
    CreateOutcome failToStart(const QString& why);

    std::unique_ptr<HotkeyBackend> m_backend;
    std::unique_ptr<Shell> m_shell;
    ActionExecutor m_executor;
    HotkeyIconList m_icons;
    SingleInstance* m_instance = nullptr;
    QString m_commandLine;
    QString m_filesDir;
    QString m_settingsFileName;
    QString m_hotkeysFileName;
    bool m_exitFlag = false;
    // Only what was loaded is ever written back: an end before the start-up sequence must
    // leave the files on disk as they are.
    bool m_loaded = false;
    bool m_saved = false;
};
