// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HotkeyBackend.h"

// The backend of a session where no global hotkey can be registered (no X display, or a
// Wayland desktop without a shortcut service): every registration gets the same answer, so
// the entries keep their stored state.
class NullHotkeyBackend : public HotkeyBackend {
public:
    explicit NullHotkeyBackend(RegisterResult answer = RegisterResult::NoDisplay)
        : m_answer(answer) {}
    RegisterResult registerHotKey(int, unsigned, int) override { return m_answer; }
    void unregisterHotKey(int) override {}

private:
    RegisterResult m_answer;
};
