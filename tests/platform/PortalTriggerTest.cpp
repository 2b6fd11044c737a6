// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/portal/PortalTrigger.h"
#include "core/KeyTable.h"

#include <gtest/gtest.h>

// The xkb key name the desktop is asked for, for the first 90 keys of the key table in its
// order; the keys after them are in KeyNamesTest.
TEST(PortalTrigger, EveryKeyOfTheKeyTableHasItsXkbName) {
    const char* const expected[KeyTable::ClassicCount] = {
        "0",         "1",           "2",
        "3",         "4",           "5",
        "6",         "7",           "8",
        "9",         "KP_0",        "KP_1",
        "KP_2",      "KP_3",        "KP_4",
        "KP_5",      "KP_6",        "KP_7",
        "KP_8",      "KP_9",        "Num_Lock",
        "KP_Divide", "KP_Multiply", "KP_Subtract",
        "KP_Add",    "KP_Decimal",  "a",
        "b",         "c",           "d",
        "e",         "f",           "g",
        "h",         "i",           "j",
        "k",         "l",           "m",
        "n",         "o",           "p",
        "q",         "r",           "s",
        "t",         "u",           "v",
        "w",         "x",           "y",
        "z",         "Insert",      "Home",
        "Page_Up",   "Page_Down",   "Up",
        "Down",      "Left",        "Right",
        "Escape",    "Tab",         "Caps_Lock",
        "space",     "minus",       "equal",
        "BackSpace", "bracketleft", "bracketright",
        "backslash", "semicolon",   "apostrophe",
        "Return",    "comma",       "period",
        "slash",     "F1",          "F2",
        "F3",        "F4",          "F5",
        "F6",        "F7",          "F8",
        "F9",        "F10",         "F11",
        "F12",       "Scroll_Lock", "Pause",
    };
    for (int position = 0; position < KeyTable::ClassicCount; ++position) {
        const KeyTable::Key& key = KeyTable::at(position);
        EXPECT_EQ(PortalTrigger::KeyName(key.code), QString::fromLatin1(expected[position]))
            << key.name;
        EXPECT_EQ(PortalTrigger::Text(0, key.code), QString::fromLatin1(expected[position]));
    }
}

TEST(PortalTrigger, ModifiersComeInTheOrderCtrlAltShiftLogo) {
    struct Row {
        unsigned bits; // Alt 1, Ctrl 2, Shift 4, Win 8
        const char* trigger;
    };
    const Row rows[] = {
        {0, "k"},
        {1, "ALT+k"},
        {2, "CTRL+k"},
        {3, "CTRL+ALT+k"},
        {4, "SHIFT+k"},
        {5, "ALT+SHIFT+k"},
        {6, "CTRL+SHIFT+k"},
        {7, "CTRL+ALT+SHIFT+k"},
        {8, "LOGO+k"},
        {12, "SHIFT+LOGO+k"},
        {15, "CTRL+ALT+SHIFT+LOGO+k"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(PortalTrigger::Text(row.bits, 'K'), QString::fromLatin1(row.trigger)) << row.bits;
}

TEST(PortalTrigger, ACodeOutsideTheKeyTableHasNoTrigger) {
    for (const int code : {0, 7, 136, 184, 255})
        EXPECT_TRUE(PortalTrigger::Text(3, code).isEmpty()) << code;
}
