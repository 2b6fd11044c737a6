// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/KeyRepeatFilter.h"
#include "platform/HotkeyBackend.h"
#include "platform/x11/X11KeyLookup.h"

#include <QAbstractNativeEventFilter>
#include <QHash>
#include <map>
#include <unordered_map>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

// Global hotkeys as passive key grabs on the root window of Qt's own X connection. Every
// grab is checked with a round trip, so "refused" means the server said BadAccess; each
// combination is grabbed under every state of the lock modifiers found in the modifier
// map, so CapsLock, NumLock and ScrollLock never matter. A virtual-key code is the key at
// its place in the active layout group; grabs follow map changes and group switches. A
// registration whose key the layout lacks is kept and grabbed once a layout has the key.
class X11HotkeyBackend : public HotkeyBackend, public QAbstractNativeEventFilter {
public:
    X11HotkeyBackend();
    ~X11HotkeyBackend() override;

    RegisterResult registerHotKey(int id, unsigned modifierBits, int virtualKey) override;
    // All grabs sent at once and checked with one round trip, not one per registration.
    std::vector<RegisterResult> registerHotKeys(std::span<const HotkeyRequest> requests,
                                                const std::function<void()>& whileAsked) override;
    void unregisterHotKey(int id) override;
    quint32 lastPressTime() const override { return m_lastPressTime; }
    std::optional<int> virtualKeyOfScanCode(quint32 nativeScanCode) const override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Combination {
        xcb_keycode_t keycode;
        uint16_t modifiers; // X modifier mask without lock bits
        bool operator==(const Combination&) const = default;
    };
    struct Registration {
        unsigned modifierBits;
        int virtualKey;
        std::vector<Combination> combinations; // grabbed now, each under every lock state
        std::vector<uint16_t> locks;           // the lock states they were grabbed with
        RegisterResult outcome = RegisterResult::Registered; // what the last grab answered
    };

    void readKeyboard();
    bool keyPress(const xcb_key_press_event_t& event);
    bool keyRelease(const xcb_key_release_event_t& event);
    void xkbEvent(const void* message);
    std::vector<Combination> combinationsFor(unsigned modifierBits, int virtualKey) const;
    std::vector<uint16_t> lockVariants(int virtualKey) const;
    bool connected() const;
    // Sends reg's grabs, or answers at once what needs no server.
    std::optional<RegisterResult> askGrab(Registration& reg,
                                          std::vector<xcb_void_cookie_t>& cookies);
    // The server's answer to askGrab's requests; a refusal rolls back what went through.
    RegisterResult takeAnswer(int id, const Registration& reg,
                              const std::vector<xcb_void_cookie_t>& cookies);
    RegisterResult grab(int id, Registration& reg);
    RegisterResult keep(int id, Registration reg, RegisterResult result);
    void release(int id); // ungrab and forget, without flushing
    // What a request would take, and what its id holds now and would free.
    std::vector<quint32> combinationKeys(const HotkeyRequest& r) const;
    void ungrab(const Registration& reg);
    void scheduleRegrab();
    void regrabAll();
    void forget(const Registration& reg);
    static quint32 comboKey(xcb_keycode_t keycode, uint16_t modifiers) {
        return (quint32(keycode) << 16) | modifiers;
    }

    xcb_connection_t* m_conn = nullptr;
    xcb_window_t m_root = 0;
    xcb_key_symbols_t* m_symbols = nullptr; // the core map, for the modifier keys
    std::vector<X11KeyLookup::Key> m_keys;  // the XKB map, for the hotkeys' keys
    unsigned m_group = 0;                   // the active (locked) layout group
    // The keys of each virtual-key code looked up in the map and group above.
    mutable std::unordered_map<int, std::vector<uint8_t>> m_keycodesOf;
    uint8_t m_xkbFirstEvent = 0;
    uint16_t m_altMask = XCB_MOD_MASK_1;
    uint16_t m_superMask = XCB_MOD_MASK_4;
    uint16_t m_numLockMask = 0;
    uint16_t m_scrollLockMask = 0;
    bool m_regrabPending = false;

    std::map<int, Registration> m_registrations;
    QHash<quint32, int> m_owner;             // grabbed combination -> id
    QHash<xcb_keycode_t, int> m_grabbedKeys; // keycode -> number of combinations using it
    KeyRepeatFilter m_repeats;
    quint32 m_lastPressTime = 0;
};
