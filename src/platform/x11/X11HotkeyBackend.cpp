// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11HotkeyBackend.h"

#include "core/Logging.h"

#include "core/HotkeyEntry.h"
#include "core/KeyTable.h"
#include "platform/x11/X11KeySyms.h"
#include "platform/x11/X11KeyboardMap.h"

#include <QGuiApplication>
#include <QSet>
#include <QTimer>
#include <X11/keysym.h>
#include <algorithm>
#include <cstdlib>
// xkb.h names a struct member "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

X11HotkeyBackend::X11HotkeyBackend() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return; // not on X: every registration is refused
    m_conn = x11->connection();
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data->root;
    if (const auto* xkb = xcb_get_extension_data(m_conn, &xcb_xkb_id); xkb && xkb->present) {
        m_xkbFirstEvent = xkb->first_event;
        // Held keys then repeat as presses alone, so a quick real press is never mistaken
        // for a repeat.
        const uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
        auto* reply = xcb_xkb_per_client_flags_reply(
            m_conn, xcb_xkb_per_client_flags(m_conn, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0),
            nullptr);
        m_repeats.setDetectableAutoRepeat(reply && (reply->value & flag));
        free(reply);
        // Told of new maps and of a switch of the layout group. Only these details are
        // touched: what Qt selected on the same connection stays selected.
        xcb_xkb_select_events_details_t details{};
        details.affectNewKeyboard = XCB_XKB_NKN_DETAIL_KEYCODES;
        details.newKeyboardDetails = XCB_XKB_NKN_DETAIL_KEYCODES;
        details.affectState = XCB_XKB_STATE_PART_GROUP_LOCK;
        details.stateDetails = XCB_XKB_STATE_PART_GROUP_LOCK;
        xcb_xkb_select_events_aux(
            m_conn, XCB_XKB_ID_USE_CORE_KBD,
            XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY |
                XCB_XKB_EVENT_TYPE_STATE_NOTIFY,
            0, 0, XCB_XKB_MAP_PART_KEY_SYMS, XCB_XKB_MAP_PART_KEY_SYMS, &details);
    }
    readKeyboard();
    qGuiApp->installNativeEventFilter(this);
}

X11HotkeyBackend::~X11HotkeyBackend() {
    if (!m_conn)
        return;
    qGuiApp->removeNativeEventFilter(this);
    for (const auto& [id, reg] : m_registrations)
        ungrab(reg);
    xcb_flush(m_conn);
    if (m_symbols)
        xcb_key_symbols_free(m_symbols);
}

void X11HotkeyBackend::readKeyboard() {
    if (m_symbols)
        xcb_key_symbols_free(m_symbols);
    m_symbols = xcb_key_symbols_alloc(m_conn);
    m_keys = X11KeyboardMap::ReadKeys(m_conn, m_xkbFirstEvent != 0, m_symbols);
    m_group = X11KeyboardMap::ReadLockedGroup(m_conn, m_xkbFirstEvent != 0);
    m_keycodesOf.clear();

    // Which modifier bits carry Alt, Super, NumLock and ScrollLock differs between keymaps.
    m_altMask = XCB_MOD_MASK_1;
    m_superMask = XCB_MOD_MASK_4;
    m_numLockMask = 0;
    m_scrollLockMask = 0;
    auto* reply = xcb_get_modifier_mapping_reply(m_conn, xcb_get_modifier_mapping(m_conn), nullptr);
    if (!reply)
        return;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
    const int perModifier = reply->keycodes_per_modifier;
    bool altFound = false;
    bool superFound = false;
    for (int mod = 0; mod < 8; ++mod) {
        for (int k = 0; k < perModifier; ++k) {
            const xcb_keycode_t code = codes[mod * perModifier + k];
            if (code == 0)
                continue;
            for (int col = 0; col < 4; ++col) {
                const xcb_keysym_t sym = xcb_key_symbols_get_keysym(m_symbols, code, col);
                const uint16_t bit = uint16_t(1u << mod);
                if (sym == XK_Num_Lock)
                    m_numLockMask = bit;
                else if (sym == XK_Scroll_Lock)
                    m_scrollLockMask = bit;
                else if ((sym == XK_Alt_L || sym == XK_Alt_R) && !altFound && mod >= 3) {
                    m_altMask = bit;
                    altFound = true;
                } else if ((sym == XK_Super_L || sym == XK_Super_R) && !superFound && mod >= 3) {
                    m_superMask = bit;
                    superFound = true;
                }
            }
        }
    }
    free(reply);
}

std::vector<uint16_t> X11HotkeyBackend::lockVariants(int virtualKey) const {
    std::vector<uint16_t> locks;
    const uint16_t lockBits[] = {uint16_t(XCB_MOD_MASK_LOCK), m_numLockMask, m_scrollLockMask};
    locks.push_back(0);
    for (const uint16_t bit : lockBits) {
        if (bit == 0)
            continue;
        const size_t n = locks.size();
        for (size_t i = 0; i < n; ++i)
            locks.push_back(locks[i] | bit);
    }
    // The keypad's digits and decimal point are those keys only with NumLock on.
    if (X11KeySyms::NeedsNumLock(virtualKey) && m_numLockMask) {
        std::erase_if(locks, [this](uint16_t m) { return !(m & m_numLockMask); });
    }
    return locks;
}

std::vector<X11HotkeyBackend::Combination> X11HotkeyBackend::combinationsFor(unsigned modifierBits,
                                                                             int virtualKey) const {
    std::vector<Combination> out;
    uint16_t mods = 0;
    if (modifierBits & Modifiers::Alt)
        mods |= m_altMask;
    if (modifierBits & Modifiers::Ctrl)
        mods |= XCB_MOD_MASK_CONTROL;
    if (modifierBits & Modifiers::Shift)
        mods |= XCB_MOD_MASK_SHIFT;
    if (modifierBits & Modifiers::Win)
        mods |= m_superMask;
    // A table asks for the same few keys again and again; the lookup walks the whole map.
    auto known = m_keycodesOf.find(virtualKey);
    if (known == m_keycodesOf.end())
        known =
            m_keycodesOf.emplace(virtualKey, X11KeyLookup::KeycodesFor(m_keys, m_group, virtualKey))
                .first;
    for (const uint8_t keycode : known->second)
        out.push_back({keycode, mods});
    return out;
}

std::optional<RegisterResult> X11HotkeyBackend::askGrab(Registration& reg,
                                                        std::vector<xcb_void_cookie_t>& cookies) {
    reg.combinations = combinationsFor(reg.modifierBits, reg.virtualKey);
    if (reg.combinations.empty())
        return RegisterResult::KeyNotOnLayout;
    // X would let this client grab a combination it already holds; the system must not.
    for (const Combination& c : reg.combinations) {
        if (m_owner.contains(comboKey(c.keycode, c.modifiers)))
            return RegisterResult::HeldByThisProgram;
    }
    reg.locks = lockVariants(reg.virtualKey);
    cookies.reserve(reg.combinations.size() * reg.locks.size());
    for (const Combination& c : reg.combinations) {
        for (const uint16_t lock : reg.locks) {
            cookies.push_back(xcb_grab_key_checked(m_conn, 0, m_root, c.modifiers | lock, c.keycode,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        }
    }
    return std::nullopt;
}

RegisterResult X11HotkeyBackend::takeAnswer(int id, const Registration& reg,
                                            const std::vector<xcb_void_cookie_t>& cookies) {
    bool refused = false;
    for (const xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t* err = xcb_request_check(m_conn, cookie)) {
            refused = true;
            free(err);
        }
    }
    if (refused) {
        // Roll back the variants that did go through; ungrabbing others' grabs does nothing.
        ungrab(reg);
        return RegisterResult::HeldByOtherProgram;
    }
    for (const Combination& c : reg.combinations) {
        m_owner.insert(comboKey(c.keycode, c.modifiers), id);
        ++m_grabbedKeys[c.keycode];
    }
    return RegisterResult::Registered;
}

RegisterResult X11HotkeyBackend::grab(int id, Registration& reg) {
    std::vector<xcb_void_cookie_t> cookies;
    if (const auto now = askGrab(reg, cookies))
        return *now;
    const RegisterResult result = takeAnswer(id, reg, cookies);
    xcb_flush(m_conn);
    return result;
}

void X11HotkeyBackend::ungrab(const Registration& reg) {
    for (const Combination& c : reg.combinations) {
        for (const uint16_t lock : reg.locks)
            xcb_ungrab_key(m_conn, c.keycode, m_root, c.modifiers | lock);
    }
}

bool X11HotkeyBackend::connected() const {
    if (!m_conn)
        return false;
    // A connection that broke answers nothing: no grab can be held, and none was refused.
    if (const int error = xcb_connection_has_error(m_conn)) {
        qCWarning(lcX11) << "the X connection is broken, error" << error;
        return false;
    }
    return true;
}

RegisterResult X11HotkeyBackend::keep(int id, Registration reg, RegisterResult result) {
    // A key this layout lacks is kept without a grab, and grabbed when a layout has it.
    if (result == RegisterResult::Registered || result == RegisterResult::KeyNotOnLayout) {
        reg.outcome = result;
        m_registrations.emplace(id, std::move(reg));
    }
    return result;
}

RegisterResult X11HotkeyBackend::registerHotKey(int id, unsigned modifierBits, int virtualKey) {
    if (!connected())
        return RegisterResult::NoDisplay;
    unregisterHotKey(id);
    Registration reg{modifierBits, virtualKey, {}, {}, RegisterResult::Registered};
    const RegisterResult result = grab(id, reg);
    return keep(id, std::move(reg), result);
}

std::vector<quint32> X11HotkeyBackend::combinationKeys(const HotkeyRequest& r) const {
    std::vector<quint32> keys;
    for (const Combination& c : combinationsFor(r.modifierBits, r.virtualKey))
        keys.push_back(comboKey(c.keycode, c.modifiers));
    if (const auto old = m_registrations.find(r.id); old != m_registrations.end()) {
        for (const Combination& c : old->second.combinations)
            keys.push_back(comboKey(c.keycode, c.modifiers));
    }
    return keys;
}

std::vector<RegisterResult>
X11HotkeyBackend::registerHotKeys(std::span<const HotkeyRequest> requests,
                                  const std::function<void()>& whileAsked) {
    if (!connected())
        return HotkeyBackend::registerHotKeys(requests, whileAsked);
    std::vector<RegisterResult> answers(requests.size(), RegisterResult::Registered);
    std::vector<size_t> todo(requests.size());
    for (size_t i = 0; i < todo.size(); ++i)
        todo[i] = i;
    bool waited = false;
    // Rounds of requests sent together and answered together. A request that shares an id or
    // a combination with one still unanswered waits for the next round, so that each sees
    // what those before it left, as one by one; at start-up the first round is the table.
    while (!todo.empty()) {
        struct Asked {
            size_t index;
            Registration reg;
            std::vector<xcb_void_cookie_t> cookies;
        };
        std::vector<Asked> asked;
        std::vector<size_t> later;
        QSet<int> ids;
        QSet<quint32> touched;
        for (const size_t i : todo) {
            const HotkeyRequest& r = requests[i];
            const std::vector<quint32> keys = combinationKeys(r);
            const bool wait = ids.contains(r.id) || std::ranges::any_of(keys, [&](quint32 k) {
                                  return touched.contains(k);
                              });
            ids.insert(r.id);
            for (const quint32 k : keys)
                touched.insert(k);
            if (wait) {
                later.push_back(i);
                continue;
            }
            release(r.id);
            Asked a{i, {r.modifierBits, r.virtualKey, {}, {}, RegisterResult::Registered}, {}};
            if (const auto now = askGrab(a.reg, a.cookies))
                answers[i] = keep(r.id, std::move(a.reg), *now);
            else
                asked.push_back(std::move(a));
        }
        xcb_flush(m_conn);
        if (!waited && whileAsked)
            whileAsked();
        waited = true;
        for (Asked& a : asked) {
            const int id = requests[a.index].id;
            const RegisterResult result = takeAnswer(id, a.reg, a.cookies);
            answers[a.index] = keep(id, std::move(a.reg), result);
        }
        xcb_flush(m_conn);
        todo = std::move(later);
    }
    if (!waited && whileAsked)
        whileAsked();
    return answers;
}

void X11HotkeyBackend::release(int id) {
    const auto it = m_registrations.find(id);
    if (it == m_registrations.end())
        return;
    ungrab(it->second);
    forget(it->second);
    m_registrations.erase(it);
}

void X11HotkeyBackend::unregisterHotKey(int id) {
    release(id);
    if (m_conn)
        xcb_flush(m_conn);
}

void X11HotkeyBackend::scheduleRegrab() {
    if (m_regrabPending)
        return;
    m_regrabPending = true;
    // One renewal for the burst of notifications a layout change sends.
    QTimer::singleShot(0, this, [this] { regrabAll(); });
}

void X11HotkeyBackend::forget(const Registration& reg) {
    for (const Combination& c : reg.combinations) {
        m_owner.remove(comboKey(c.keycode, c.modifiers));
        if (--m_grabbedKeys[c.keycode] <= 0)
            m_grabbedKeys.remove(c.keycode);
    }
}

void X11HotkeyBackend::regrabAll() {
    m_regrabPending = false;
    readKeyboard();
    // A switch between keyboards with the same map notifies as loudly as a layout change;
    // only registrations whose keys or lock states really moved are grabbed anew, so a
    // press during the switch is never lost to a needless ungrab.
    std::vector<std::pair<int, Registration*>> moved;
    for (auto& [id, reg] : m_registrations) {
        if (reg.combinations.empty() ||
            combinationsFor(reg.modifierBits, reg.virtualKey) != reg.combinations ||
            lockVariants(reg.virtualKey) != reg.locks)
            moved.emplace_back(id, &reg);
    }
    for (auto& [id, reg] : moved) {
        ungrab(*reg);
        forget(*reg);
        reg->combinations.clear();
    }
    // One that another client took meanwhile stays registered without a grab, and is tried
    // again at the next change.
    std::vector<std::pair<int, RegisterResult>> changed;
    for (auto& [id, reg] : moved) {
        const RegisterResult result = grab(id, *reg);
        if (result != RegisterResult::Registered)
            reg->combinations.clear();
        if (result != reg->outcome)
            changed.emplace_back(id, result);
        reg->outcome = result;
    }
    xcb_flush(m_conn);
    // Told once the registrations are settled: a receiver may register or release again.
    for (const auto& [id, result] : changed)
        emit registrationChanged(id, result);
}

bool X11HotkeyBackend::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* ev = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t type = ev->response_type & 0x7f;
    switch (type) {
    case XCB_KEY_PRESS: return keyPress(*static_cast<const xcb_key_press_event_t*>(message));
    case XCB_KEY_RELEASE: return keyRelease(*static_cast<const xcb_key_release_event_t*>(message));
    case XCB_MAPPING_NOTIFY: {
        const auto* m = static_cast<const xcb_mapping_notify_event_t*>(message);
        if (m->request != XCB_MAPPING_POINTER)
            scheduleRegrab();
        return false;
    }
    default:
        if (m_xkbFirstEvent && type == m_xkbFirstEvent)
            xkbEvent(message);
        return false;
    }
}

bool X11HotkeyBackend::keyPress(const xcb_key_press_event_t& k) {
    if (k.event != m_root)
        return false;
    const uint16_t mods =
        k.state & (XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | m_altMask | m_superMask);
    const auto it = m_owner.constFind(comboKey(k.detail, mods));
    if (it == m_owner.constEnd())
        return false;
    const bool repeat = m_repeats.press(k.detail, k.time);
    // Handed on from the event loop once this X event is done. Qt goes on taking X events
    // while any are waiting and only then delivers what it made of them (keys to our own
    // windows, exposures) and runs timers: an action that waits here, as a volume change
    // waits for the sound server, would hold all that back while presses keep coming.
    QMetaObject::invokeMethod(
        this,
        [this, id = *it, repeat, time = k.time] {
            m_lastPressTime = time;
            emit hotkeyPressed(id, repeat);
        },
        Qt::QueuedConnection);
    return true;
}

std::optional<int> X11HotkeyBackend::virtualKeyOfScanCode(quint32 nativeScanCode) const {
    // The same lookup as a grab's, so a key taken this way is the key its hotkey catches.
    for (int position = 0; position < KeyTable::Count; ++position) {
        const int code = KeyTable::at(position).code;
        const std::vector<uint8_t> keycodes = X11KeyLookup::KeycodesFor(m_keys, m_group, code);
        if (std::find(keycodes.begin(), keycodes.end(), nativeScanCode) != keycodes.end())
            return code;
    }
    return std::nullopt;
}

bool X11HotkeyBackend::keyRelease(const xcb_key_release_event_t& k) {
    if (k.event != m_root || !m_grabbedKeys.contains(k.detail))
        return false;
    m_repeats.release(k.detail, k.time);
    return true;
}

void X11HotkeyBackend::xkbEvent(const void* message) {
    // Byte 1 of every XKB event is its own type.
    const uint8_t xkbType = static_cast<const uint8_t*>(message)[1];
    if (xkbType == XCB_XKB_NEW_KEYBOARD_NOTIFY || xkbType == XCB_XKB_MAP_NOTIFY)
        scheduleRegrab();
    if (xkbType == XCB_XKB_STATE_NOTIFY) {
        // Qt asks for every modifier change too: only a new layout group matters.
        const auto* state = static_cast<const xcb_xkb_state_notify_event_t*>(message);
        if ((state->changed & XCB_XKB_STATE_PART_GROUP_LOCK) && state->lockedGroup != m_group)
            scheduleRegrab();
    }
}
