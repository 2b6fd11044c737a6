#pragma once

#include "HotkeyBackend.h"

#include <QString>

// Why a row's hotkey works or not, as the last registration of it found out. Held for the
// run only: it is never stored, since the next start registers everything anew.
struct HotkeyStatus {
    enum class State {
        NotRegistered,      // ticked, but no registration has answered yet
        Active,             // registered: the combination fires
        Unchecked,          // the user unticked it, or it was stored unticked
        HeldByOtherProgram, // the system refused: another program has the combination
        HeldByThisProgram,  // refused: Orvane holds the combination under another ID
        SameAsEntry,        // Apply found an enabled entry with the same combination
        KeyNotOnLayout,     // the current keyboard layout has no such key
        NoKey,              // the entry names no key of the key table
        NoDisplay,          // nothing can be registered in this session; the tick stays
    };

    State state = State::NotRegistered;
    QString clashId; // the ID of the other entry, for SameAsEntry

    bool operator==(const HotkeyStatus&) const = default;
};

// The status of a row the registration has not looked at yet: what its tick says.
HotkeyStatus InitialStatus(bool checked);

// The status that a registration answer leaves.
HotkeyStatus StatusOf(RegisterResult result);

// A short line for the row's tooltip, "Active" or "Off: " and the reason.
QString StatusText(const HotkeyStatus& status);
