// SPDX-License-Identifier: GPL-3.0-or-later
/* What the key press tools share: the clock, keysym to keycode, a round trip to the server,
 * and Ctrl+Alt+key pressed and released through XTEST. */
#pragma once

#include <stdint.h>
#include <stdlib.h>
#include <time.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#define XK_Control_L 0xffe3
#define XK_Alt_L 0xffe9

static inline uint64_t now_ns(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint64_t)ts.tv_sec * 1000000000u + (uint64_t)ts.tv_nsec;
}

static inline xcb_keycode_t code_of(xcb_key_symbols_t* syms, xcb_keysym_t sym) {
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(syms, sym);
    const xcb_keycode_t c = codes ? codes[0] : 0;
    free(codes);
    return c;
}

/* A round trip: everything sent before has been processed by the server. */
static inline void sync_x(xcb_connection_t* c) {
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL));
}

static inline void fake_key(xcb_connection_t* c, uint8_t type, xcb_keycode_t key) {
    xcb_test_fake_input(c, type, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
}

/* Presses Ctrl+Alt+key (the modifiers already down at the server) and returns the moment
 * the key itself went to the server. */
static inline uint64_t press_ctrl_alt(xcb_connection_t* c, const xcb_keycode_t mods[2],
                                      xcb_keycode_t key) {
    fake_key(c, XCB_KEY_PRESS, mods[0]);
    fake_key(c, XCB_KEY_PRESS, mods[1]);
    sync_x(c);
    const uint64_t t0 = now_ns();
    fake_key(c, XCB_KEY_PRESS, key);
    xcb_flush(c);
    return t0;
}

static inline void release_ctrl_alt(xcb_connection_t* c, const xcb_keycode_t mods[2],
                                    xcb_keycode_t key) {
    fake_key(c, XCB_KEY_RELEASE, key);
    fake_key(c, XCB_KEY_RELEASE, mods[1]);
    fake_key(c, XCB_KEY_RELEASE, mods[0]);
    sync_x(c);
}
