// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <memory>
#include <optional>

// What the system answered to a registration: taken, or why it was refused.
enum class RegisterResult {
    Registered,
    HeldByOtherProgram, // another program holds the combination
    HeldByThisProgram,  // this program holds it under another id
    KeyNotOnLayout,     // the keyboard layout has no key for the virtual-key code
    NoDisplay,          // nothing can be registered in this session
    // A desktop's shortcut service decides later; the answer comes as registrationChanged.
    Pending,
    NoKeyAssigned, // the desktop took the shortcut but gave it no key (another holds it)
    Declined,      // the user declined the shortcuts when the desktop asked
    NoService,     // the session offers no global-shortcut service to applications
    Paused,        // held back by Orvane's own pause; no system answers this
};

// The system's global hotkeys, shaped like RegisterHotKey / UnregisterHotKey and the
// hotkey message. The build picks the implementation for the platform.
class HotkeyBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~HotkeyBackend() override = default;

    // Registered when the system took the combination for id, else why it refused it.
    virtual RegisterResult registerHotKey(int id, unsigned modifierBits, int virtualKey) = 0;
    // Releases id; releasing an id that holds nothing does nothing.
    virtual void unregisterHotKey(int id) = 0;
    // The window system's time of the last press handed on as hotkeyPressed, for requests
    // made on the user's behalf; 0 when there is none.
    virtual quint32 lastPressTime() const { return 0; }
    // The virtual-key code a registration would need to catch the key of a key event in
    // one of our own windows, from the event's native scan code (an X keycode); nothing
    // when the backend cannot tell, and the caller goes by the event's Qt key instead.
    virtual std::optional<int> virtualKeyOfScanCode(quint32 nativeScanCode) const {
        Q_UNUSED(nativeScanCode);
        return std::nullopt;
    }

signals:
    // A registered combination was pressed; autoRepeat when the key is only being held.
    void hotkeyPressed(int id, bool autoRepeat);
    // The system renewed id's registration on its own (a new keyboard layout, say), or
    // answered a Pending one, and the answer differs from the one before. keyText is the
    // key the desktop assigned, when it is the desktop that chooses.
    void registrationChanged(int id, RegisterResult result, const QString& keyText = {});
    // The desktop answered after the start-up that it offers no global-shortcut service.
    void serviceMissing();
};

std::unique_ptr<HotkeyBackend> CreateHotkeyBackend();
