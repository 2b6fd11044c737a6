// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HotkeyBackend.h"

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
        Pending,            // the desktop's shortcut service has not answered yet
        NoKeyAssigned,      // the desktop gave the shortcut no key
        Declined,           // the user declined the shortcuts when the desktop asked
        NoService,          // no global-shortcut service in this session; the tick stays
        UnknownKey,         // the stored key code is not in the key table; kept for the file
        Reserved,           // a first start left it unticked: other programs use the keys
        NoTarget,           // a first start left it unticked: nothing here opens its target
        Paused,             // the hotkeys are paused; the tick stays and resuming takes it
    };

    State state = State::NotRegistered;
    // SameAsEntry: the ID of the other entry; Active: the key the desktop assigned, when
    // it is the desktop that chooses; UnknownKey: the code; Reserved: the combination and
    // who uses it; NoTarget: the target.
    QString detail;

    bool operator==(const HotkeyStatus&) const = default;
};

// Reasons a first start gives for a default row it left unticked; they stay on the row
// until the user changes it.
inline bool IsFirstStartReason(HotkeyStatus::State state) {
    return state == HotkeyStatus::State::Reserved || state == HotkeyStatus::State::NoTarget;
}

// The status of a row the registration has not looked at yet: what its tick says.
HotkeyStatus InitialStatus(bool checked);

// The status that a registration answer leaves; keyText is the desktop's key, if any.
HotkeyStatus StatusOf(RegisterResult result, const QString& keyText = {});

// A short line for the row's tooltip, "Active" or "Off: " and the reason.
QString StatusText(const HotkeyStatus& status);
