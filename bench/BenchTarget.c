// SPDX-License-Identifier: GPL-3.0-or-later
/* The target the hotkey benchmarks start: writes the moment it began running (monotonic
 * nanoseconds) to the FIFO named by ORVANE_BENCH_FIFO, which the start-up environment of
 * Orvane or of the peer hands down to it. */
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

int main(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const uint64_t ns = (uint64_t)ts.tv_sec * 1000000000u + (uint64_t)ts.tv_nsec;
    const char* fifo = getenv("ORVANE_BENCH_FIFO");
    if (!fifo)
        return 1;
    const int fd = open(fifo, O_WRONLY);
    if (fd < 0)
        return 1;
    const ssize_t n = write(fd, &ns, sizeof ns);
    close(fd);
    return n == (ssize_t)sizeof ns ? 0 : 1;
}
