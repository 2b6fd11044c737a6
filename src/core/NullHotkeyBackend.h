#pragma once

#include "HotkeyBackend.h"

// The backend of a session where no global hotkey can be registered (no X display): every
// registration answers NoDisplay, so the entries keep their stored state.
class NullHotkeyBackend : public HotkeyBackend {
public:
    using HotkeyBackend::HotkeyBackend;
    RegisterResult registerHotKey(int, unsigned, int) override { return RegisterResult::NoDisplay; }
    void unregisterHotKey(int) override {}
};
