// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// Turning one key press into a hotkey combination, for the panel's Record button: which
// modifiers were held and which key of the key list was pressed.
namespace KeyRecording {

// A key press as the window saw it.
struct Press {
    int qtKey = 0; // Qt::Key
    bool win = false, alt = false, ctrl = false, shift = false;
    bool keypad = false; // the key is on the numeric keypad
    // The virtual-key code the hotkey backend would grab for the key pressed, when it can
    // tell; it knows the keyboard layout better than the Qt key does.
    std::optional<int> virtualKey = std::nullopt;
};

enum class Result {
    Waiting,   // only a modifier so far: the combination is not complete
    Cancelled, // Esc alone
    NotInList, // a key the key list does not have: nothing changes
    Taken,
};

struct Outcome {
    Result result = Result::Waiting;
    bool win = false, alt = false, ctrl = false, shift = false;
    int keyPosition = -1; // in the key list, for Taken
    QString message;      // for NotInList
};

Outcome Take(const Press& press);

// The key list's position of a Qt key, for when the backend cannot name the key itself.
std::optional<int> PositionOfQtKey(int qtKey, bool keypad);

inline const QString kNotInList =
    QStringLiteral("This key is not in Orvane's key list; nothing was changed.");

} // namespace KeyRecording
