// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/x11/X11KeyLookup.h"

#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

// The core keyboard's map and layout group as the server has them now.
namespace X11KeyboardMap {

// Every key with its symbols by group and level and its XKB name. Without XKB, the core
// map's first two columns as a single group, and no names.
std::vector<X11KeyLookup::Key> ReadKeys(xcb_connection_t* conn, bool xkb,
                                        xcb_key_symbols_t* coreSymbols);

// The locked (active) layout group, counted from 0; 0 without XKB.
unsigned ReadLockedGroup(xcb_connection_t* conn, bool xkb);

} // namespace X11KeyboardMap
