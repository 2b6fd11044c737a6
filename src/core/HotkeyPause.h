// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/BuiltinFunctions.h"
#include "platform/HotkeyBackend.h"

class HotkeyTable;

// The hotkeys as the rest of Orvane registers them: the system's backend, and the one place
// that knows whether the hotkeys are paused. While paused only entries bound to the
// Pause/Resume function hold their combinations, so a game or a remote desktop gets every other
// key; a registration made meanwhile (Apply, a tick) is held back and answered Paused, and
// the resume takes what is ticked then. The pause lasts for the run only.
class HotkeyPause : public HotkeyBackend, public PauseToggle {
    Q_OBJECT
public:
    HotkeyPause(HotkeyBackend& system, HotkeyTable& table, QObject* parent = nullptr);

    bool paused() const { return m_paused; }
    void SetPaused(bool paused);
    void TogglePause() override { SetPaused(!m_paused); }

    RegisterResult registerHotKey(int id, unsigned modifierBits, int virtualKey) override;
    std::vector<RegisterResult> registerHotKeys(std::span<const HotkeyRequest> requests,
                                                const std::function<void()>& whileAsked) override;
    void unregisterHotKey(int id) override;
    quint32 lastPressTime() const override { return m_system.lastPressTime(); }
    std::optional<int> virtualKeyOfScanCode(quint32 nativeScanCode) const override {
        return m_system.virtualKeyOfScanCode(nativeScanCode);
    }

signals:
    void pausedChanged(bool paused);

private:
    // The entry with this ID runs Pause/Resume: it keeps its hotkey through a pause.
    bool isWayBack(int id) const;

    HotkeyBackend& m_system;
    HotkeyTable& m_table;
    bool m_paused = false;
};
