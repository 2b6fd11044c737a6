// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

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

// One registration of a batch: what registerHotKey takes.
struct HotkeyRequest {
    int id;
    unsigned modifierBits;
    int virtualKey;
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
    // Registers the requests as registerHotKey would one after the other, and returns the
    // answers in their order. whileAsked runs once, when the requests are on their way and
    // before their answers are read, so that work the answers do not touch overlaps the
    // system's; a backend that cannot ask ahead runs it first.
    virtual std::vector<RegisterResult> registerHotKeys(std::span<const HotkeyRequest> requests,
                                                        const std::function<void()>& whileAsked) {
        if (whileAsked)
            whileAsked();
        std::vector<RegisterResult> answers;
        answers.reserve(requests.size());
        for (const HotkeyRequest& r : requests)
            answers.push_back(registerHotKey(r.id, r.modifierBits, r.virtualKey));
        return answers;
    }
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
