// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/KeyRecording.h"

#include "core/KeyTable.h"

#include <Qt>
#include <array>
#include <utility>

namespace KeyRecording {
namespace {

using QtToCode = std::pair<int, int>;

// Keys whose Qt key does not follow from a range, with their virtual-key codes. The shifted
// symbols are those of a US keyboard: a layout the backend knows is asked first.
constexpr QtToCode kKeys[] = {
    {Qt::Key_Insert, 45},
    {Qt::Key_Home, 36},
    {Qt::Key_End, 35},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_Up, 38},
    {Qt::Key_Down, 40},
    {Qt::Key_Left, 37},
    {Qt::Key_Right, 39},
    {Qt::Key_Delete, 46},
    {Qt::Key_Escape, 27},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9}, // Shift+Tab
    {Qt::Key_Space, 32},
    {Qt::Key_Backspace, 8},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Print, 44},
    {Qt::Key_Menu, 93},
    {Qt::Key_Pause, 19},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_NumLock, 144},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
    {Qt::Key_Comma, 188},
    {Qt::Key_Less, 188},
    {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_VolumeMute, 173},
    {Qt::Key_VolumeDown, 174},
    {Qt::Key_VolumeUp, 175},
    {Qt::Key_MediaNext, 176},
    {Qt::Key_MediaPrevious, 177},
    {Qt::Key_MediaStop, 178},
    {Qt::Key_MediaPlay, 179},
    {Qt::Key_MediaTogglePlayPause, 179},
    {Qt::Key_LaunchMail, 180},
    {Qt::Key_LaunchMedia, 181},
    {Qt::Key_Launch0, 182}, // what X calls My Computer
    {Qt::Key_Calculator, 183},
    {Qt::Key_Back, 166},
    {Qt::Key_Forward, 167},
    {Qt::Key_Refresh, 168},
    {Qt::Key_Stop, 169},
    {Qt::Key_Search, 170},
    {Qt::Key_Favorites, 171},
    {Qt::Key_HomePage, 172},
    {Qt::Key_Explorer, 182},
    {Qt::Key_Sleep, 95},
    {Qt::Key_Standby, 95},
};

// Keys the list has in two places: on the keypad they are the "Num" ones.
constexpr QtToCode kKeypad[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},  {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Comma, 110}, // the decimal key of some layouts
    {Qt::Key_Slash, 111},
};

// The rest of a US keyboard's shifted digits, ")" to "(" over 0 to 9.
constexpr std::array<int, 10> kShiftedDigits{
    Qt::Key_ParenRight, Qt::Key_Exclam,   Qt::Key_At,          Qt::Key_NumberSign,
    Qt::Key_Dollar,     Qt::Key_Percent,  Qt::Key_AsciiCircum, Qt::Key_Ampersand,
    Qt::Key_Asterisk,   Qt::Key_ParenLeft};

std::optional<int> codeOfQtKey(int qtKey, bool keypad) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return (keypad ? 96 : 48) + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 65 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    if (keypad) {
        for (const auto& [key, code] : kKeypad)
            if (key == qtKey)
                return code;
    }
    for (const auto& [key, code] : kKeys)
        if (key == qtKey)
            return code;
    for (int digit = 0; digit < 10; ++digit)
        if (kShiftedDigits[static_cast<size_t>(digit)] == qtKey)
            return 48 + digit;
    return std::nullopt;
}

bool isModifierKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R: return true;
    default: return false;
    }
}

} // namespace

std::optional<int> PositionOfQtKey(int qtKey, bool keypad) {
    const std::optional<int> code = codeOfQtKey(qtKey, keypad);
    return code ? KeyTable::positionOfCode(*code) : std::nullopt;
}

Outcome Take(const Press& press) {
    Outcome out;
    if (isModifierKey(press.qtKey))
        return out;
    const bool anyModifier = press.win || press.alt || press.ctrl || press.shift;
    if (press.qtKey == Qt::Key_Escape && !anyModifier) {
        out.result = Result::Cancelled;
        return out;
    }
    const std::optional<int> position = press.virtualKey
                                            ? KeyTable::positionOfCode(*press.virtualKey)
                                            : PositionOfQtKey(press.qtKey, press.keypad);
    if (!position) {
        out.result = Result::NotInList;
        out.message = kNotInList;
        return out;
    }
    out.result = Result::Taken;
    out.win = press.win;
    out.alt = press.alt;
    out.ctrl = press.ctrl;
    out.shift = press.shift;
    out.keyPosition = *position;
    return out;
}

} // namespace KeyRecording
