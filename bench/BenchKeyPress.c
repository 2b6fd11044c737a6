// SPDX-License-Identifier: GPL-3.0-or-later
/* Drives a hotkey daemon with synthetic key presses (XTEST) and reads, from a FIFO, when
 * the started target began running.
 *
 *   BenchKeyPress FIFO KEYSYM PRESSES -- COMMAND...
 *
 * Starts COMMAND and waits BENCH_FIRST_DELAY_MS, then presses Ctrl+Alt+KEYSYM once: if the
 * target runs, the hotkeys were ready by then (the caller narrows the delay down over
 * several starts); if not, prints "no_answer" and exits with 3. Then presses PRESSES more
 * times one after another (latency from the press to the target running). Prints one
 * "key value" pair a line; the daemon is left running and its pid printed first, so the
 * caller can read its memory and stop it. */
#include "XTestCombo.h"

#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

static void fake(xcb_connection_t* c, uint8_t type, xcb_keycode_t key) {
    fake_key(c, type, key);
    xcb_flush(c);
}

/* Holds the modifiers down a moment before the key, as a hand does, and returns the moment
 * the key itself went down. */
static uint64_t press_combo(xcb_connection_t* c, const xcb_keycode_t keys[3]) {
    fake(c, XCB_KEY_PRESS, keys[0]);
    fake(c, XCB_KEY_PRESS, keys[1]);
    sync_x(c);
    usleep(1000);
    const uint64_t t0 = now_ns();
    fake(c, XCB_KEY_PRESS, keys[2]);
    return t0;
}

static void release_combo(xcb_connection_t* c, const xcb_keycode_t keys[3]) {
    for (int i = 2; i >= 0; --i)
        fake(c, XCB_KEY_RELEASE, keys[i]);
    sync_x(c);
}

/* Reads one time stamp, waiting at most timeout_ms; 0 on time-out. */
static uint64_t read_stamp(int fd, int timeout_ms) {
    struct pollfd p = {fd, POLLIN, 0};
    if (poll(&p, 1, timeout_ms) <= 0)
        return 0;
    uint64_t ns = 0;
    return read(fd, &ns, sizeof ns) == (ssize_t)sizeof ns ? ns : 0;
}

static int cmp_u64(const void* a, const void* b) {
    const uint64_t x = *(const uint64_t*)a, y = *(const uint64_t*)b;
    return x < y ? -1 : x > y;
}

int main(int argc, char** argv) {
    if (argc < 6 || strcmp(argv[4], "--") != 0) {
        fprintf(stderr, "usage: %s FIFO KEYSYM PRESSES -- COMMAND...\n", argv[0]);
        return 2;
    }
    const char* fifo = argv[1];
    const xcb_keysym_t sym = (xcb_keysym_t)strtoul(argv[2], NULL, 0);
    const int presses = atoi(argv[3]);
    const char* delay = getenv("BENCH_FIRST_DELAY_MS");
    const int delay_ms = delay ? atoi(delay) : 1000;
    /* Opened read-write so that neither side blocks in open(). */
    const int fd = open(fifo, O_RDWR | O_NONBLOCK);
    if (fd < 0) {
        perror("fifo");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c))
        return 2;
    xcb_key_symbols_t* syms = xcb_key_symbols_alloc(c);
    const xcb_keycode_t keys[3] = {code_of(syms, XK_Control_L), code_of(syms, XK_Alt_L),
                                   code_of(syms, sym)};

    setenv("ORVANE_BENCH_FIFO", fifo, 1);
    const pid_t pid = fork();
    if (pid == 0) {
        /* The daemon outlives this driver: it must not hold the caller's output pipes. */
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[5], argv + 5);
        _exit(127);
    }
    printf("pid %d\n", pid);
    fflush(stdout);
    usleep((useconds_t)delay_ms * 1000);
    const uint64_t t_probe = press_combo(c, keys);
    /* Shorter than the server's auto-repeat delay: a repeat of a press the program missed
     * must not count as an answer. */
    const uint64_t first = read_stamp(fd, 300);
    release_combo(c, keys);
    while (read_stamp(fd, 0)) {
    }
    if (!first) {
        printf("no_answer\n");
        return 3;
    }
    printf("probe_ms %.3f\n", (double)(first - t_probe) / 1e6);

    uint64_t* lat = calloc((size_t)presses, sizeof *lat);
    for (int i = 0; i < presses; ++i) {
        const uint64_t t0 = press_combo(c, keys);
        const uint64_t t1 = read_stamp(fd, 5000);
        release_combo(c, keys);
        if (!t1) {
            fprintf(stderr, "press %d got no answer\n", i);
            return 1;
        }
        lat[i] = t1 - t0;
    }
    qsort(lat, (size_t)presses, sizeof *lat, cmp_u64);
    const int median = presses / 2, p99 = (presses * 99) / 100;
    printf("median_ms %.3f\n", (double)lat[median] / 1e6);
    printf("p99_ms %.3f\n", (double)lat[p99] / 1e6);
    free(lat);
    xcb_key_symbols_free(syms);
    xcb_disconnect(c);
    return 0;
}
