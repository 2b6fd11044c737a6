// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/KeyRepeatFilter.h"

bool KeyRepeatFilter::press(unsigned keycode, uint32_t time) {
    State& s = m_keys[keycode];
    const bool recent = time - s.lastPress <= MaxRepeatGapMs;
    const bool repeat =
        (s.down && recent) || (!m_detectable && s.released && s.lastRelease == time);
    s.down = true;
    s.released = false;
    s.lastPress = time;
    return repeat;
}

void KeyRepeatFilter::release(unsigned keycode, uint32_t time) {
    State& s = m_keys[keycode];
    s.down = false;
    s.released = true;
    s.lastRelease = time;
}
