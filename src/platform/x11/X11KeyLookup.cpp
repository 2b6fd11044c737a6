// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11KeyLookup.h"

#include "platform/x11/X11KeySyms.h"

#include <algorithm>
#include <optional>

namespace X11KeyLookup {

namespace {

// The group whose symbols the key shows while `group` is active: a key with fewer groups
// than the layout wraps, clamps or redirects as its map says.
std::optional<unsigned> keyGroup(const Key& key, unsigned group) {
    const unsigned groups = key.groupInfo & 0x0fu;
    if (groups == 0)
        return std::nullopt;
    if (group < groups)
        return group;
    switch (key.groupInfo & 0xc0u) {
    case ClampIntoRange: return groups - 1;
    case RedirectIntoRange: {
        const unsigned target = (key.groupInfo >> 4) & 0x03u;
        return target < groups ? target : 0;
    }
    default: return group % groups;
    }
}

uint32_t symAt(const Key& key, unsigned group, unsigned level) {
    if (level >= key.width)
        return 0;
    const size_t index = size_t(group) * key.width + level;
    return index < key.syms.size() ? key.syms[index] : 0;
}

// The keys whose own first two levels hold sym: those typing it unshifted, else those typing
// it shifted whose unshifted symbol names no other key (the digits of a French keyboard, but
// not the German "/" on the 7 key: that key is "7").
std::vector<uint8_t> keysTyping(const std::vector<Key>& keys, unsigned group, uint32_t sym) {
    std::vector<uint8_t> out;
    for (unsigned level = 0; level < 2 && out.empty(); ++level) {
        for (const Key& key : keys) {
            const std::optional<unsigned> g = keyGroup(key, group);
            if (!g || symAt(key, *g, level) != sym)
                continue;
            if (level == 0 || !X11KeySyms::NamesAKey(symAt(key, *g, 0)))
                out.push_back(key.keycode);
        }
    }
    return out;
}

// Whether another name types on key: its unshifted symbol, or its shifted one where that
// name has no key of its own.
bool takenByAnotherName(const std::vector<Key>& keys, unsigned group, const Key& key) {
    const std::optional<unsigned> g = keyGroup(key, group);
    if (!g)
        return false;
    if (X11KeySyms::NamesAKey(symAt(key, *g, 0)))
        return true;
    const uint32_t shifted = symAt(key, *g, 1);
    if (!X11KeySyms::NamesAKey(shifted))
        return false;
    const std::vector<uint8_t> owners = keysTyping(keys, group, shifted);
    return std::find(owners.begin(), owners.end(), key.keycode) != owners.end();
}

} // namespace

std::vector<uint8_t> KeycodesFor(const std::vector<Key>& keys, unsigned group, int virtualKey) {
    const uint32_t sym = X11KeySyms::ForVirtualKey(virtualKey);
    if (sym == 0)
        return {};
    std::vector<uint8_t> out = keysTyping(keys, group, sym);
    if (!out.empty())
        return out;
    const char* name = UsKeyName(virtualKey);
    if (!name)
        return out;
    for (const Key& key : keys) {
        if (key.name == name) {
            // Never a key that is another name's: two names, one key, and a press of it
            // would run the wrong target.
            if (!takenByAnotherName(keys, group, key))
                out.push_back(key.keycode);
            break;
        }
    }
    return out;
}

const char* UsKeyName(int vk) {
    // The US rows from left to right: the digits, then QWERTY, ASDF and ZXCV.
    static const char* const letters[26] = {
        "AC01", "AB05", "AB03", "AC03", "AD03", "AC04", "AC05", "AC06", "AD08",
        "AC07", "AC08", "AC09", "AB07", "AB06", "AD09", "AD10", "AD01", "AD04",
        "AC02", "AD05", "AD07", "AB04", "AD02", "AB02", "AD06", "AB01",
    };
    static const char* const digits[10] = {
        "AE10", "AE01", "AE02", "AE03", "AE04", "AE05", "AE06", "AE07", "AE08", "AE09",
    };
    if (vk >= 'A' && vk <= 'Z')
        return letters[vk - 'A'];
    if (vk >= '0' && vk <= '9')
        return digits[vk - '0'];
    switch (vk) {
    case 189: return "AE11"; // - _
    case 187: return "AE12"; // = +
    case 219: return "AD11"; // [ {
    case 221: return "AD12"; // ] }
    case 220: return "BKSL"; // \ |
    case 186: return "AC10"; // ; :
    case 222: return "AC11"; // ' "
    case 188: return "AB08"; // , <
    case 190: return "AB09"; // . >
    case 191: return "AB10"; // / ?
    default: return nullptr;
    }
}

} // namespace X11KeyLookup
