// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11KeyLookup.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>

using X11KeyLookup::Key;
using Keycodes = std::vector<uint8_t>;

namespace {

// A key with one list of level symbols per group.
Key key(uint8_t keycode, const char* name, std::vector<std::vector<uint32_t>> groups,
        uint8_t outOfRange = X11KeyLookup::WrapIntoRange) {
    size_t width = 0;
    for (const auto& g : groups)
        width = std::max(width, g.size());
    Key k{keycode, name, uint8_t(groups.size() | outOfRange), uint8_t(width), {}};
    for (auto& g : groups) {
        g.resize(width, 0);
        k.syms.insert(k.syms.end(), g.begin(), g.end());
    }
    return k;
}

// Parts of real layouts, with their evdev keycodes.
const std::vector<Key> German = {
    key(16, "AE07", {{XK_7, XK_slash, XK_braceleft}}),
    key(17, "AE08", {{XK_8, XK_parenleft, XK_bracketleft, XK_degree}}),
    key(29, "AD06", {{XK_z, XK_Z}}),
    key(34, "AD11", {{XK_udiaeresis, XK_Udiaeresis}}),
    key(35, "AD12", {{XK_plus, XK_asterisk, XK_asciitilde}}),
    key(47, "AC10", {{XK_odiaeresis, XK_Odiaeresis}}),
    key(51, "BKSL", {{XK_numbersign, XK_apostrophe}}),
    key(52, "AB01", {{XK_y, XK_Y, XK_guillemotright}}),
    key(59, "AB08", {{XK_comma, XK_semicolon}}),
    key(61, "AB10", {{XK_minus, XK_underscore}}),
};
const std::vector<Key> UsFrench = {
    key(10, "AE01", {{XK_1, XK_exclam}, {XK_ampersand, XK_1}}),
    key(47, "AC10", {{XK_semicolon, XK_colon}, {XK_m, XK_M, XK_mu}}),
    key(58, "AB07", {{XK_m, XK_M}, {XK_comma, XK_question}}),
    key(71, "FK05", {{XK_F5}}),
};
const std::vector<Key> Russian = {
    key(9, "ESC", {}),
    key(13, "AE04", {{XK_4, XK_semicolon}}),
    key(34, "AD11", {{XK_Cyrillic_ha, XK_Cyrillic_HA}}),
    key(43, "AC06", {{XK_Cyrillic_er, XK_Cyrillic_ER}}),
    key(47, "AC10", {{XK_Cyrillic_zhe, XK_Cyrillic_ZHE}}),
    key(54, "AB03", {{XK_Cyrillic_es, XK_Cyrillic_ES}}),
};
// The same keys under other keycodes, as a server with its own keycode set has them.
const std::vector<Key> RussianOtherKeycodes = {
    key(200, "AB03", {{XK_Cyrillic_es, XK_Cyrillic_ES}}),
};
const std::vector<Key> ShiftedAndUnshifted = {
    key(10, "AE01", {{XK_1, XK_exclam}}),
    key(90, "KP0", {{XK_ampersand, XK_1}}),
};
const std::vector<Key> TwoGroupsWrap = {key(20, "AE11", {{XK_minus}, {XK_equal}})};
const std::vector<Key> TwoGroupsClamp = {
    key(20, "AE11", {{XK_minus}, {XK_equal}}, X11KeyLookup::ClampIntoRange)};
const std::vector<Key> TwoGroupsRedirectToSecond = {
    key(20, "AE11", {{XK_minus}, {XK_equal}}, X11KeyLookup::RedirectIntoRange | 0x10)};

struct Row {
    const char* what;
    const std::vector<Key>& keys;
    unsigned group;
    int virtualKey;
    Keycodes expected;
};

} // namespace

TEST(X11KeyLookup, KeysComeFromTheActiveGroupsFirstTwoLevels) {
    const Row rows[] = {
        {"de: \"[\" behind AltGr on 8 is not taken; its US key is", German, 0, 219, {34}},
        {"de: 8 is the 8 key alone", German, 0, '8', {17}},
        {"de: Y is where the US has Z", German, 0, 'Y', {52}},
        {"de: a shifted symbol counts", German, 0, 222, {51}},
        {"de: the 7 key is 7, never the \"/\" on its shifted level", German, 0, 191, {}},
        {"us,fr in us: M is the M key, not the French M on ;", UsFrench, 0, 'M', {58}},
        {"us,fr in us: ; is the ; key", UsFrench, 0, 186, {47}},
        {"us,fr in fr: M moves to the ; key", UsFrench, 1, 'M', {47}},
        {"us,fr in fr: the shifted 1 counts", UsFrench, 1, '1', {10}},
        {"us,fr in fr: a one-group key stays", UsFrench, 1, 116, {71}},
        {"us,fr in fr: ; is on no key", UsFrench, 1, 186, {}},
        {"an unshifted symbol wins over a shifted one", ShiftedAndUnshifted, 0, '1', {10}},
        {"group beyond the key's groups wraps", TwoGroupsWrap, 2, 189, {20}},
        {"group beyond the key's groups clamps", TwoGroupsClamp, 2, 187, {20}},
        {"group beyond the key's groups redirects", TwoGroupsRedirectToSecond, 3, 187, {20}},
        {"wrapping does not reach the other group", TwoGroupsWrap, 2, 187, {}},
        {"a code with no keysym", UsFrench, 0, 7, {}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(X11KeyLookup::KeycodesFor(r.keys, r.group, r.virtualKey), r.expected) << r.what;
}

TEST(X11KeyLookup, KeysTheLayoutLacksAreTheKeysAtTheirUsPlacesUnlessAnotherNamesKey) {
    const Row rows[] = {
        {"ru: C is the key labelled C", Russian, 0, 'C', {54}},
        {"ru: H is the key labelled H", Russian, 0, 'H', {43}},
        {"ru: found by key name, whatever the keycode", RussianOtherKeycodes, 0, 'C', {200}},
        {"ru: the map has no key named for Q", Russian, 0, 'Q', {}},
        {"ru: ; is not the 4 key's shifted level but its US key", Russian, 0, 186, {47}},
        {"ru: [ is the key at its US place", Russian, 0, 219, {34}},
        {"de: ] is the US ] key, + on German", German, 0, 221, {35}},
        {"de: ; is shifted comma: the US ; key", German, 0, 186, {47}},
        {"de: the US / key is German -", German, 0, 191, {}},
        {"de: the US backslash key is German ' shifted", German, 0, 220, {}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(X11KeyLookup::KeycodesFor(r.keys, r.group, r.virtualKey), r.expected) << r.what;
}

TEST(X11KeyLookup, NoKeyIsTwoNames) {
    // Two names on one key: a press runs either target, and the other one is refused.
    for (unsigned group : {0u, 1u}) {
        for (const std::vector<Key>* keys : {&German, &UsFrench, &Russian}) {
            std::map<uint8_t, int> nameOf;
            for (int vk = 1; vk < 256; ++vk)
                for (const uint8_t code : X11KeyLookup::KeycodesFor(*keys, group, vk))
                    EXPECT_TRUE(nameOf.emplace(code, vk).second) << int(code) << ": " << vk;
        }
    }
}

TEST(X11KeyLookup, EveryLetterDigitAndPunctuationKeyHasItsOwnUsKey) {
    const std::set<int> punctuation{189, 187, 219, 221, 220, 186, 222, 188, 190, 191};
    std::set<std::string> names;
    for (int vk = 0; vk < 256; ++vk) {
        const bool letterOrDigit = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
        const char* name = X11KeyLookup::UsKeyName(vk);
        EXPECT_EQ(name != nullptr, letterOrDigit || punctuation.contains(vk)) << vk;
        if (name)
            names.insert(name);
    }
    EXPECT_EQ(names.size(), 46u);
    EXPECT_STREQ(X11KeyLookup::UsKeyName('Q'), "AD01");
    EXPECT_STREQ(X11KeyLookup::UsKeyName('A'), "AC01");
    EXPECT_STREQ(X11KeyLookup::UsKeyName('Z'), "AB01");
    EXPECT_STREQ(X11KeyLookup::UsKeyName('1'), "AE01");
    EXPECT_STREQ(X11KeyLookup::UsKeyName('0'), "AE10");
}
