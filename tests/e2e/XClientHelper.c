// SPDX-License-Identifier: GPL-3.0-or-later
/* A second X client for the end-to-end tests:
 *   XClientHelper grab KEYSYM MODMASK   grabs the combination on the root window (every
 *                                       lock state), prints "ready" and holds it until
 *                                       its standard input closes;
 *   XClientHelper grab-exact KEYSYM MODMASK   the same with exactly MODMASK (no lock
 *                                       variants), to hold one lock state of a combination;
 *   XClientHelper close WINDOW          sends WM_DELETE_WINDOW, as a window manager does
 *                                       for a click on the close box;
 *   XClientHelper press KEYSYM          presses Ctrl+Alt+KEYSYM through XTEST, all events
 *                                       in one burst, as a fast typist or a tool does;
 *   XClientHelper press-code KEYCODE    the same with the key at KEYCODE, whatever symbol
 *                                       the layout gives it;
 *   XClientHelper hold                  stays connected, prints "ready" and waits until its
 *                                       standard input closes: the server resets its
 *                                       keyboard map when its last client leaves. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

static xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t a = r ? r->atom : XCB_NONE;
    free(r);
    return a;
}

static xcb_keycode_t keycode_of(xcb_key_symbols_t* syms, xcb_keysym_t sym) {
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(syms, sym);
    const xcb_keycode_t code = codes ? codes[0] : XCB_NO_SYMBOL;
    free(codes);
    return code;
}

static void wait_for_stdin_to_close(void) {
    char buf[64];
    while (fread(buf, 1, sizeof buf, stdin) > 0) {
    }
}

static int grab(xcb_connection_t* c, xcb_window_t root, xcb_keysym_t sym, uint16_t mods,
                int exact) {
    xcb_key_symbols_t* syms = xcb_key_symbols_alloc(c);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(syms, sym);
    xcb_key_symbols_free(syms);
    if (!codes || codes[0] == XCB_NO_SYMBOL) {
        fprintf(stderr, "no keycode for keysym 0x%x\n", sym);
        free(codes);
        return 1;
    }
    /* Lock, Mod2 (NumLock on the usual maps) and their combination. */
    const uint16_t locks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                              XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
    for (xcb_keycode_t* k = codes; *k != XCB_NO_SYMBOL; ++k) {
        for (size_t i = 0; i < (exact ? 1 : sizeof locks / sizeof locks[0]); ++i) {
            xcb_generic_error_t* e = xcb_request_check(
                c, xcb_grab_key_checked(c, 1, root, mods | locks[i], *k, XCB_GRAB_MODE_ASYNC,
                                        XCB_GRAB_MODE_ASYNC));
            if (e) {
                fprintf(stderr, "grab refused\n");
                free(e);
                free(codes);
                return 1;
            }
        }
    }
    free(codes);
    printf("ready\n");
    fflush(stdout);
    wait_for_stdin_to_close();
    return 0;
}

static int close_window(xcb_connection_t* c, xcb_window_t w) {
    xcb_client_message_event_t ev;
    memset(&ev, 0, sizeof ev);
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = atom(c, "WM_PROTOCOLS");
    ev.data.data32[0] = atom(c, "WM_DELETE_WINDOW");
    ev.data.data32[1] = XCB_CURRENT_TIME;
    xcb_generic_error_t* e = xcb_request_check(
        c, xcb_send_event_checked(c, 0, w, XCB_EVENT_MASK_NO_EVENT, (const char*)&ev));
    if (e) {
        fprintf(stderr, "send_event failed\n");
        free(e);
        return 1;
    }
    return 0;
}

/* KEYCODE 0: the key of sym. */
static int press(xcb_connection_t* c, xcb_keysym_t sym, xcb_keycode_t keycode) {
    xcb_key_symbols_t* syms = xcb_key_symbols_alloc(c);
    xcb_keycode_t keys[3] = {keycode_of(syms, 0xffe3 /* Control_L */),
                             keycode_of(syms, 0xffe9 /* Alt_L */),
                             keycode ? keycode : keycode_of(syms, sym)};
    xcb_key_symbols_free(syms);
    for (int i = 0; i < 3; ++i) {
        if (keys[i] == XCB_NO_SYMBOL)
            return 1;
    }
    for (int i = 0; i < 3; ++i)
        xcb_test_fake_input(c, XCB_KEY_PRESS, keys[i], XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    for (int i = 2; i >= 0; --i)
        xcb_test_fake_input(c, XCB_KEY_RELEASE, keys[i], XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL));
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 2 || (argc < 3 && strcmp(argv[1], "hold") != 0)) {
        fprintf(stderr,
                "usage: %s grab[-exact] KEYSYM MODMASK | close WINDOW | press KEYSYM |"
                " press-code KEYCODE | hold\n",
                argv[0]);
        return 2;
    }
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "cannot connect to the X server\n");
        return 2;
    }
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    int rc = 2;
    if (strcmp(argv[1], "grab") == 0 && argc == 4)
        rc = grab(c, root, (xcb_keysym_t)strtoul(argv[2], NULL, 0),
                  (uint16_t)strtoul(argv[3], NULL, 0), 0);
    else if (strcmp(argv[1], "grab-exact") == 0 && argc == 4)
        rc = grab(c, root, (xcb_keysym_t)strtoul(argv[2], NULL, 0),
                  (uint16_t)strtoul(argv[3], NULL, 0), 1);
    else if (strcmp(argv[1], "press") == 0)
        rc = press(c, (xcb_keysym_t)strtoul(argv[2], NULL, 0), 0);
    else if (strcmp(argv[1], "press-code") == 0)
        rc = press(c, 0, (xcb_keycode_t)strtoul(argv[2], NULL, 0));
    else if (strcmp(argv[1], "hold") == 0) {
        printf("ready\n");
        fflush(stdout);
        wait_for_stdin_to_close();
        rc = 0;
    } else if (strcmp(argv[1], "close") == 0)
        rc = close_window(c, (xcb_window_t)strtoul(argv[2], NULL, 0));
    xcb_disconnect(c);
    return rc;
}
