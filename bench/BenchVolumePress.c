// SPDX-License-Identifier: GPL-3.0-or-later
/* Presses volume hotkeys (XTEST) and times each press until the sound server reports the
 * change to another client: the lines of `pactl subscribe` arrive on standard input.
 *
 *   BenchVolumePress UP_KEYSYM DOWN_KEYSYM PRESSES QUIET_MS
 *
 * Presses Ctrl+Alt+UP until the first change arrives (the daemon is ready), then PRESSES
 * times: Ctrl+Alt+UP, timed until its change, and Ctrl+Alt+DOWN, untimed, so the volume
 * stays in range. After each press it waits for QUIET_MS without a change, so that a late
 * second change is never taken for the next press's. Prints one "ns" line per timed press,
 * and on standard error how many changes came beyond the first of a press. */
#include "XTestCombo.h"

#include <poll.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

static char buf[65536];
static size_t used;

/* Waits for the next "change on sink" line; 0 when none came within timeout_ms. */
static uint64_t wait_change(int timeout_ms) {
    const uint64_t end = now_ns() + (uint64_t)timeout_ms * 1000000u;
    for (;;) {
        char* nl;
        while ((nl = memchr(buf, '\n', used))) {
            *nl = 0;
            const int hit = strstr(buf, "'change' on sink #") != NULL;
            used -= (size_t)(nl + 1 - buf);
            memmove(buf, nl + 1, used);
            if (hit)
                return now_ns();
        }
        const uint64_t now = now_ns();
        struct pollfd p = {STDIN_FILENO, POLLIN, 0};
        if (now >= end || poll(&p, 1, (int)((end - now) / 1000000u) + 1) <= 0)
            return 0;
        const ssize_t n = read(STDIN_FILENO, buf + used, sizeof buf - used - 1);
        if (n <= 0)
            return 0;
        used += (size_t)n;
    }
}

/* Waits until the server has been quiet for quiet_ms, so that a late event of one press
 * (a command that writes twice, a slow client) is not taken for the next press. Returns
 * how many sink changes came meanwhile. */
static int settle(int quiet_ms) {
    int extra = 0;
    while (wait_change(quiet_ms))
        ++extra;
    used = 0;
    return extra;
}

int main(int argc, char** argv) {
    if (argc != 5) {
        fprintf(stderr, "usage: %s UP_KEYSYM DOWN_KEYSYM PRESSES QUIET_MS\n", argv[0]);
        return 2;
    }
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c))
        return 2;
    xcb_key_symbols_t* syms = xcb_key_symbols_alloc(c);
    const xcb_keycode_t mods[2] = {code_of(syms, XK_Control_L), code_of(syms, XK_Alt_L)};
    const xcb_keycode_t up = code_of(syms, (xcb_keysym_t)strtoul(argv[1], NULL, 0));
    const xcb_keycode_t down = code_of(syms, (xcb_keysym_t)strtoul(argv[2], NULL, 0));
    const int presses = atoi(argv[3]);
    const int quiet_ms = atoi(argv[4]);

    uint64_t got = 0;
    for (int i = 0; i < 600 && !got; ++i) {
        settle(0);
        press_ctrl_alt(c, mods, up);
        got = wait_change(50);
        release_ctrl_alt(c, mods, up);
    }
    if (!got) {
        fprintf(stderr, "the volume never changed\n");
        return 1;
    }
    int extra = settle(quiet_ms);
    for (int i = 0; i < presses; ++i) {
        const uint64_t t0 = press_ctrl_alt(c, mods, up);
        const uint64_t t1 = wait_change(5000);
        release_ctrl_alt(c, mods, up);
        if (!t1) {
            fprintf(stderr, "press %d: no change\n", i);
            return 1;
        }
        printf("%llu\n", (unsigned long long)(t1 - t0));
        extra += settle(quiet_ms);
        press_ctrl_alt(c, mods, down);
        const uint64_t t2 = wait_change(5000);
        release_ctrl_alt(c, mods, down);
        if (!t2) {
            fprintf(stderr, "press %d down: no change\n", i);
            return 1;
        }
        extra += settle(quiet_ms);
    }
    fprintf(stderr, "extra %d\n", extra);
    fflush(stdout);
    xcb_key_symbols_free(syms);
    xcb_disconnect(c);
    return 0;
}
