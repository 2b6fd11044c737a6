// SPDX-License-Identifier: GPL-3.0-or-later
/* Times a volume hotkey from the key press until the on-screen volume window is on the
 * screen (viewable: the window and, under a window manager, its frame are mapped).
 *
 *   BenchVolumeShow KEYSYM TITLE PRESSES QUIET_MS
 *
 * Taps Ctrl+Alt+KEYSYM until a window titled TITLE appears (the daemon is ready, and this
 * first appearance builds the window) and lets it hide again. Then PRESSES times: a tap,
 * timed until the window is viewable, then a wait until it has hidden by itself and QUIET_MS
 * have passed without an event, so that every press finds it hidden. Prints "first NS" for
 * the first appearance, then one "NS" line per timed press. */
#include "XTestCombo.h"

#include <poll.h>
#include <stdbool.h>
#include <stdio.h>
#include <string.h>

static xcb_connection_t* c;
static xcb_window_t root;

/* The next event, or NULL once the deadline has passed. */
static xcb_generic_event_t* next_event(uint64_t deadline) {
    for (;;) {
        xcb_generic_event_t* e = xcb_poll_for_event(c);
        if (e || xcb_connection_has_error(c))
            return e;
        const uint64_t now = now_ns();
        if (now >= deadline)
            return NULL;
        struct pollfd p = {xcb_get_file_descriptor(c), POLLIN, 0};
        poll(&p, 1, (int)((deadline - now) / 1000000u) + 1);
    }
}

static bool titled(xcb_window_t w, const char* title) {
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 64), NULL);
    bool hit = false;
    if (r) {
        const int n = xcb_get_property_value_length(r);
        hit = n == (int)strlen(title) && memcmp(xcb_get_property_value(r), title, (size_t)n) == 0;
        free(r);
    }
    return hit;
}

/* The window titled TITLE at w or below it (a frame holds its client a level or two down). */
static xcb_window_t find_titled(xcb_window_t w, const char* title, int depth) {
    if (titled(w, title))
        return w;
    xcb_window_t found = XCB_NONE;
    xcb_query_tree_reply_t* t = xcb_query_tree_reply(c, xcb_query_tree(c, w), NULL);
    if (!t)
        return XCB_NONE;
    const xcb_window_t* kids = xcb_query_tree_children(t);
    for (int i = 0; depth > 0 && i < xcb_query_tree_children_length(t) && !found; ++i)
        found = find_titled(kids[i], title, depth - 1);
    free(t);
    return found;
}

static bool viewable(xcb_window_t w) {
    xcb_get_window_attributes_reply_t* a =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), NULL);
    const bool v = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
    free(a);
    return v;
}

static void watch(xcb_window_t w, uint32_t mask) {
    xcb_change_window_attributes(c, w, XCB_CW_EVENT_MASK, &mask);
}

/* Waits for the window to become viewable; returns when the map that made it so arrived, 0
 * on time-out. With window XCB_NONE it waits for any window titled TITLE to be mapped and
 * stores it in *window. */
static uint64_t wait_shown(xcb_window_t* window, const char* title, int timeout_ms) {
    const uint64_t deadline = now_ns() + (uint64_t)timeout_ms * 1000000u;
    xcb_generic_event_t* e;
    while ((e = next_event(deadline))) {
        const uint64_t t = now_ns();
        const bool map = (e->response_type & 0x7f) == XCB_MAP_NOTIFY;
        const xcb_window_t mapped = map ? ((xcb_map_notify_event_t*)e)->window : XCB_NONE;
        free(e);
        if (!map)
            continue;
        if (*window == XCB_NONE) {
            *window = find_titled(mapped, title, 2);
            if (*window != XCB_NONE)
                watch(*window, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
        }
        if (*window != XCB_NONE && viewable(*window))
            return t;
    }
    return 0;
}

/* Waits for the window's unmap, then for quiet_ms without any event. */
static bool wait_hidden(xcb_window_t window, int timeout_ms, int quiet_ms) {
    const uint64_t deadline = now_ns() + (uint64_t)timeout_ms * 1000000u;
    bool hidden = !viewable(window);
    xcb_generic_event_t* e;
    while (!hidden && (e = next_event(deadline))) {
        hidden = (e->response_type & 0x7f) == XCB_UNMAP_NOTIFY &&
                 ((xcb_unmap_notify_event_t*)e)->window == window;
        free(e);
    }
    if (!hidden)
        return false;
    while ((e = next_event(now_ns() + (uint64_t)quiet_ms * 1000000u)))
        free(e);
    return true;
}

static uint64_t tap(const xcb_keycode_t mods[2], xcb_keycode_t key) {
    const uint64_t t0 = press_ctrl_alt(c, mods, key);
    release_ctrl_alt(c, mods, key);
    return t0;
}

int main(int argc, char** argv) {
    if (argc != 5) {
        fprintf(stderr, "usage: %s KEYSYM TITLE PRESSES QUIET_MS\n", argv[0]);
        return 2;
    }
    const char* title = argv[2];
    const int presses = atoi(argv[3]);
    const int quiet_ms = atoi(argv[4]);
    int screen_number = 0;
    c = xcb_connect(NULL, &screen_number);
    if (xcb_connection_has_error(c))
        return 2;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen_number; ++i)
        xcb_screen_next(&it);
    root = it.data->root;
    /* Every map and unmap of a top-level window (a frame, or a window without one). */
    watch(root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
    xcb_key_symbols_t* syms = xcb_key_symbols_alloc(c);
    const xcb_keycode_t mods[2] = {code_of(syms, XK_Control_L), code_of(syms, XK_Alt_L)};
    const xcb_keycode_t key = code_of(syms, (xcb_keysym_t)strtoul(argv[1], NULL, 0));
    sync_x(c);

    xcb_window_t window = XCB_NONE;
    uint64_t first = 0;
    for (int i = 0; i < 20 && !first; ++i) {
        const uint64_t t0 = tap(mods, key);
        const uint64_t t1 = wait_shown(&window, title, 1000);
        if (t1)
            first = t1 - t0;
    }
    if (!first) {
        fprintf(stderr, "no window titled \"%s\" appeared\n", title);
        return 1;
    }
    printf("first %llu\n", (unsigned long long)first);
    if (!wait_hidden(window, 10000, quiet_ms)) {
        fprintf(stderr, "the window did not hide\n");
        return 1;
    }
    for (int i = 0; i < presses; ++i) {
        const uint64_t t0 = tap(mods, key);
        const uint64_t t1 = wait_shown(&window, title, 5000);
        if (!t1) {
            fprintf(stderr, "press %d: the window did not appear\n", i);
            return 1;
        }
        printf("%llu\n", (unsigned long long)(t1 - t0));
        if (!wait_hidden(window, 10000, quiet_ms)) {
            fprintf(stderr, "press %d: the window did not hide\n", i);
            return 1;
        }
    }
    fflush(stdout);
    xcb_key_symbols_free(syms);
    xcb_disconnect(c);
    return 0;
}
