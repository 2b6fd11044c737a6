// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Which keys of a keyboard map stand for a virtual-key code. A code names a key by its
// position in the active layout, so only what the active group's keys type without AltGr
// counts; the map's contents come in as values, so the choice is made without an X server.
namespace X11KeyLookup {

// One key of an XKB keyboard map, as the server describes it.
struct Key {
    uint8_t keycode = 0;
    std::string name;           // the XKB key name, such as "AB03" (where C is on a US keyboard)
    uint8_t groupInfo = 0;      // number of groups, and how a group beyond them is brought in range
    uint8_t width = 0;          // levels per group
    std::vector<uint32_t> syms; // group after group: syms[group * width + level]
};

// What groupInfo says when the active group is beyond a key's own groups.
enum GroupInfo : uint8_t {
    WrapIntoRange = 0x00,
    ClampIntoRange = 0x40,
    RedirectIntoRange = 0x80, // to the group in bits 4 and 5
};

// The keycodes of the keys that are virtualKey while group (0-based) is the active one:
// the keys whose first level holds its keysym, else those whose second (shifted) level does
// unless their first level is another virtual-key code's keysym (a key is what it types
// unshifted); else the key at its place on a US keyboard, unless that key is another
// code's. Empty when the keyboard has no such key.
std::vector<uint8_t> KeycodesFor(const std::vector<Key>& keys, unsigned group, int virtualKey);

// The XKB name of the key a letter, digit or punctuation key has on a US keyboard ("AC01"
// for A, "AB10" for "/ ?"), or nullptr for any other virtual-key code.
const char* UsKeyName(int virtualKey);

} // namespace X11KeyLookup
