// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <cstdint>

// Tells a key's first press from the presses the X server repeats while it is held. Works
// with detectable auto-repeat (presses without releases between them) and without it (a
// release and a press carrying the same time stamp).
class KeyRepeatFilter {
public:
    // With detectable auto-repeat the server sends no release while a key is held, and
    // the time stamp rule (which a fast synthetic press could also meet) stays off.
    explicit KeyRepeatFilter(bool detectableAutoRepeat = false)
        : m_detectable(detectableAutoRepeat) {}
    void setDetectableAutoRepeat(bool on) { m_detectable = on; }

    // A press seen longer than this after the key's last event starts a new press even if
    // its release went missing, so that a lost release never silences a hotkey for good.
    static constexpr uint32_t MaxRepeatGapMs = 2000;

    // True when this press only repeats a key that is still held.
    bool press(unsigned keycode, uint32_t time);
    void release(unsigned keycode, uint32_t time);

private:
    struct State {
        bool down = false;
        uint32_t lastPress = 0;
        uint32_t lastRelease = 0;
        bool released = false;
    };
    QHash<unsigned, State> m_keys;
    bool m_detectable;
};
