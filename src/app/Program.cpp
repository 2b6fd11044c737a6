#include "Program.h"

#include "HotkeyRegistration.h"
#include "MessageBox.h"
#include "MixerDriver.h"

Program::Program(std::unique_ptr<HotkeyBackend> backend, std::unique_ptr<Shell> shell,
                 std::unique_ptr<MixerDriver> mixerDriver)
    : m_backend(std::move(backend)), m_shell(std::move(shell)),
      Volume(std::move(mixerDriver), Settings), Form1(Hotkeys, *m_backend), FormVolume(Settings),
      Life(Hotkeys, *m_backend, Form1,
           {[this](const QString& path) { Settings.Load(path); },
            [this](const QString& path) { return Settings.Save(path); },
            [this] { return Settings.isOn(Setting::Logo); }}),
      m_executor(*this, *m_shell, [this](const QString& text) { ShowMessage(&Form1, text); }) {
    // The table the program holds from its creation: the default one, until a load.
    Hotkeys.appendMany(DefaultHotkeyTable());

    Form1.OnCloseQuery = [this] { return Life.FormClose(); };
    Form1.OnExit = [this] { Life.Exit1Click(); };

    connect(m_backend.get(), &HotkeyBackend::hotkeyPressed, this, [this](int id, bool repeat) {
        HotkeyRegistration::ApplicationEvents1Message(Hotkeys, id, repeat, m_executor);
    });
    connect(m_backend.get(), &HotkeyBackend::registrationChanged, &Hotkeys,
            &HotkeyTable::setRegistrationResult);
    connect(&Volume, &VolumeController::levelWritten, &FormVolume, &TFormVolume::ShowVolumeLevel);
    connect(&Volume, &VolumeController::noDevice, &FormVolume, &TFormVolume::ShowNoDevice);
}

Program::~Program() = default;

void Program::ToggleMainWindow() {
    Form1.ToggleMainWindow();
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
