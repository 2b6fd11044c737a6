// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11KeyboardMap.h"

#include <cstdlib>
#include <cstring>
#include <memory>
// xkb.h names a struct member "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace X11KeyboardMap {

namespace {

struct FreeReply {
    void operator()(void* p) const { free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

std::vector<X11KeyLookup::Key> readCoreKeys(xcb_connection_t* conn, xcb_key_symbols_t* symbols) {
    std::vector<X11KeyLookup::Key> keys;
    if (!symbols)
        return keys;
    const xcb_setup_t* setup = xcb_get_setup(conn);
    for (unsigned code = setup->min_keycode; code <= setup->max_keycode; ++code) {
        const auto keycode = static_cast<xcb_keycode_t>(code);
        keys.push_back({keycode,
                        {},
                        1,
                        2,
                        {xcb_key_symbols_get_keysym(symbols, keycode, 0),
                         xcb_key_symbols_get_keysym(symbols, keycode, 1)}});
    }
    return keys;
}

void readKeyNames(xcb_connection_t* conn, xcb_xkb_get_names_cookie_t cookie,
                  std::vector<X11KeyLookup::Key>& keys) {
    const Reply<xcb_xkb_get_names_reply_t> names(xcb_xkb_get_names_reply(conn, cookie, nullptr));
    if (!names || keys.empty())
        return;
    xcb_xkb_get_names_value_list_t list{};
    xcb_xkb_get_names_value_list_unpack(xcb_xkb_get_names_value_list(names.get()), names->nTypes,
                                        names->indicators, names->virtualMods, names->groupNames,
                                        names->nKeys, names->nKeyAliases, names->nRadioGroups,
                                        names->which, &list);
    const xcb_xkb_key_name_t* keyNames = xcb_xkb_get_names_value_list_key_names(&list);
    const int count = xcb_xkb_get_names_value_list_key_names_length(names.get(), &list);
    const unsigned first = keys.front().keycode;
    for (int i = 0; i < count; ++i) {
        const unsigned index = names->firstKey + unsigned(i) - first;
        if (index < keys.size()) {
            const char* name = keyNames[i].name; // four characters, padded with NULs
            keys[index].name.assign(name, strnlen(name, sizeof keyNames[i].name));
        }
    }
}

} // namespace

std::vector<X11KeyLookup::Key> ReadKeys(xcb_connection_t* conn, bool xkb,
                                        xcb_key_symbols_t* coreSymbols) {
    if (!xkb)
        return readCoreKeys(conn, coreSymbols);
    const auto mapCookie = xcb_xkb_get_map(conn, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_MAP_PART_KEY_SYMS,
                                           0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    const auto namesCookie =
        xcb_xkb_get_names(conn, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_NAME_DETAIL_KEY_NAMES);
    std::vector<X11KeyLookup::Key> keys;
    const Reply<xcb_xkb_get_map_reply_t> map(xcb_xkb_get_map_reply(conn, mapCookie, nullptr));
    if (map) {
        xcb_xkb_get_map_map_t parts{};
        xcb_xkb_get_map_map_unpack(xcb_xkb_get_map_map(map.get()), map->nTypes, map->nKeySyms,
                                   map->nKeyActions, map->totalActions, map->totalKeyBehaviors,
                                   map->virtualMods, map->totalKeyExplicit, map->totalModMapKeys,
                                   map->totalVModMapKeys, map->present, &parts);
        xcb_xkb_key_sym_map_iterator_t it =
            xcb_xkb_get_map_map_syms_rtrn_iterator(map.get(), &parts);
        for (unsigned i = 0; it.rem > 0; ++i, xcb_xkb_key_sym_map_next(&it)) {
            const xcb_keysym_t* syms = xcb_xkb_key_sym_map_syms(it.data);
            const int count = xcb_xkb_key_sym_map_syms_length(it.data);
            keys.push_back({static_cast<uint8_t>(map->firstKeySym + i),
                            {},
                            it.data->groupInfo,
                            it.data->width,
                            std::vector<uint32_t>(syms, syms + count)});
        }
    }
    readKeyNames(conn, namesCookie, keys);
    return keys;
}

unsigned ReadLockedGroup(xcb_connection_t* conn, bool xkb) {
    if (!xkb)
        return 0;
    const Reply<xcb_xkb_get_state_reply_t> state(
        xcb_xkb_get_state_reply(conn, xcb_xkb_get_state(conn, XCB_XKB_ID_USE_CORE_KBD), nullptr));
    return state ? state->lockedGroup : 0;
}

} // namespace X11KeyboardMap
