// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyStatus.h"

HotkeyStatus InitialStatus(bool checked) {
    return {checked ? HotkeyStatus::State::NotRegistered : HotkeyStatus::State::Unchecked, {}};
}

HotkeyStatus StatusOf(RegisterResult result, const QString& keyText) {
    using State = HotkeyStatus::State;
    switch (result) {
    case RegisterResult::Registered: return {State::Active, keyText};
    case RegisterResult::HeldByOtherProgram: return {State::HeldByOtherProgram, {}};
    case RegisterResult::HeldByThisProgram: return {State::HeldByThisProgram, {}};
    case RegisterResult::KeyNotOnLayout: return {State::KeyNotOnLayout, {}};
    case RegisterResult::NoDisplay: return {State::NoDisplay, {}};
    case RegisterResult::Pending: return {State::Pending, {}};
    case RegisterResult::NoKeyAssigned: return {State::NoKeyAssigned, {}};
    case RegisterResult::Declined: return {State::Declined, {}};
    case RegisterResult::NoService: return {State::NoService, {}};
    case RegisterResult::Paused: return {State::Paused, {}};
    }
    return {State::NotRegistered, {}};
}

QString StatusText(const HotkeyStatus& status) {
    using State = HotkeyStatus::State;
    switch (status.state) {
    case State::NotRegistered: return QStringLiteral("Off: not registered yet");
    case State::Active:
        if (!status.detail.isEmpty())
            return QStringLiteral("Active: the desktop assigned ") + status.detail;
        return QStringLiteral("Active");
    case State::Unchecked: return QStringLiteral("Off: unchecked");
    case State::HeldByOtherProgram:
        return QStringLiteral("Off: another program holds this combination");
    case State::HeldByThisProgram:
        return QStringLiteral("Off: Orvane already uses this combination for another entry");
    case State::SameAsEntry:
        return QStringLiteral("Off: same combination as the entry with ID ") + status.detail;
    case State::KeyNotOnLayout:
        return QStringLiteral("Off: this key is not on the current keyboard layout");
    case State::NoKey: return QStringLiteral("Off: no key chosen");
    case State::NoDisplay:
        return QStringLiteral("Off: no display to register hotkeys on; it works again on X11");
    case State::Pending: return QStringLiteral("Off: waiting for the desktop's answer");
    case State::NoKeyAssigned: return QStringLiteral("Off: no key assigned by the desktop");
    case State::Declined: return QStringLiteral("Off: the shortcuts were declined on the desktop");
    case State::NoService:
        return QStringLiteral("Off: this desktop offers no global-shortcut service");
    case State::UnknownKey:
        return QStringLiteral("Off: key code %1 is not one Orvane knows; it is kept as stored")
            .arg(status.detail);
    case State::Reserved: return QStringLiteral("Off: ") + status.detail;
    case State::NoTarget:
        return QStringLiteral("Off: nothing on this system opens ") + status.detail;
    case State::Paused: return QStringLiteral("Off: paused");
    }
    return {};
}
