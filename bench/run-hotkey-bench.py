#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Hotkey benchmark on a virtual X display: Orvane beside sxhkd, with the same target.

For tables of 20 and 1,000 entries it measures the latency from a synthetic key press to
the started target (median and p99 over 200 presses), the time from exec to hotkeys
ready, resident memory after start-up, and Orvane's own load and registration time. In the
same run it measures the floor, a bare Qt Widgets program with one xcb grab that starts the
target with posix_spawn, and gives Orvane's figures as multiples of the floor's.

    python3 bench/run-hotkey-bench.py [BUILD_DIR]      (default: build)
"""

import os
import shutil
import subprocess
import sys
import tempfile

import benchlib
from benchlib import Desktop, hotkeys_ini, rss_kib, stop_pid

BIN = benchlib.bin_dir(sys.argv[1] if len(sys.argv) > 1 else None)
PRESSES = 200

KEYS = [(chr(c), c - 32) for c in range(ord("a"), ord("z") + 1)] \
    + [(str(d), 48 + d) for d in range(10)] + [("F%d" % f, 111 + f) for f in range(1, 13)]
MODS = [(a, c, s) for a in (0, 1) for c in (0, 1) for s in (0, 1) if (a, c, s) != (0, 0, 0)]


def combos(n):
    """Entry 0 is Ctrl+Alt+K (the one pressed); the rest walk through the other combinations."""
    rest = [(k, m) for m in MODS for k in KEYS if not (k[0] == "k" and m == (1, 1, 0))]
    out = [(("k", 75), (1, 1, 0))]
    i = 0
    while len(out) < n:
        out.append(rest[i % len(rest)])
        i += 1
    return out


def orvane_ini(entries, target):
    return hotkeys_ini([{"key": vk, "path": target if i == 0 else "/bin/true",
                         "alt": a, "ctrl": c, "shift": s}
                        for i, ((_, vk), (a, c, s)) in enumerate(entries)])


def sxhkd_conf(entries, target):
    out = []
    for i, ((name, _), (a, c, s)) in enumerate(entries):
        mods = [m for m, on in (("alt", a), ("ctrl", c), ("shift", s)) if on]
        out.append(" + ".join(mods + [name]))
        out.append("    " + (target if i == 0 else "/bin/true"))
    return "\n".join(out) + "\n"


def drive(env, fifo, command, delay_ms, presses):
    """Starts command, presses once after delay_ms, then `presses` more times. Returns
    whether the first press was answered, the driver's figures and the resident memory."""
    env = dict(env, BENCH_FIRST_DELAY_MS=str(delay_ms))
    for _ in range(3):
        out = subprocess.run([os.path.join(BIN, "BenchKeyPress"), fifo, "0x6b", str(presses),
                              "--", *command], env=env, capture_output=True, text=True,
                             timeout=300)
        values = dict((line.split(" ", 1) + [""])[:2] for line in out.stdout.splitlines())
        if "pid" in values:
            break
        # The driver could not start (now and then it finds no X connection): once more.
    else:
        raise RuntimeError("%s: exit %d %s" % (command[0], out.returncode, out.stderr.strip()))
    pid = int(values["pid"])
    rss = rss_kib(pid)
    stop_pid(pid)
    return out.returncode == 0, values, rss


def ready_ms(env, fifo, command):
    """The shortest time after exec at which one press already runs the target, to 2 ms.
    Found over several starts, so that no press reaches the program while it sets up (sxhkd
    stops answering for good when one does)."""
    lo, hi = 0, 25
    while not drive(env, fifo, command, hi, 0)[0]:
        lo, hi = hi, hi * 2
        if hi > 20000:
            raise RuntimeError("%s never became ready" % command[0])
    while hi - lo > 2:
        mid = (lo + hi) // 2
        if drive(env, fifo, command, mid, 0)[0]:
            hi = mid
        else:
            lo = mid
    return hi


def measure(env, fifo, command):
    ready = ready_ms(env, fifo, command)
    ok, values, rss = drive(env, fifo, command, max(1000, 2 * ready), PRESSES)
    if not ok:
        raise RuntimeError("%s did not answer" % command[0])
    values["ready_ms"] = str(ready)
    values["rss_mib"] = "%.1f" % (rss / 1024)
    return values


def main():
    tmp = tempfile.mkdtemp(prefix="orvane-bench-")
    desktop = Desktop(tmp)
    env = desktop.env
    fifo = os.path.join(tmp, "fifo")
    os.mkfifo(fifo)
    target = os.path.join(BIN, "BenchTarget")
    rows = []
    floor = None
    try:
        floor = measure(env, fifo, [os.path.join(BIN, "BenchFloor"), target])
        for n in (20, 1000):
            entries = combos(n)
            app = os.path.join(tmp, "orvane-%d" % n)
            exe = benchlib.orvane_copy(BIN, app, orvane_ini(entries, target))
            ini = os.path.join(app, "Hotkeys.ini")
            startup = subprocess.run([os.path.join(BIN, "BenchStartup"), ini, "20"], env=env,
                                     capture_output=True, text=True, check=True).stdout
            inner = dict(line.split(" ", 1) for line in startup.splitlines())
            o = measure(env, fifo, [exe, "hide"])
            conf = os.path.join(tmp, "sxhkdrc-%d" % n)
            with open(conf, "w") as f:
                f.write(sxhkd_conf(entries, target))
            s = measure(env, fifo, ["sxhkd", "-c", conf])
            rows.append((n, o, s, inner))
    finally:
        desktop.stop()
        shutil.rmtree(tmp, True)

    print("| entries | program | press to target, median | p99 | exec to hotkeys ready | RSS after start-up |")
    print("|---|---|---|---|---|---|")
    print("| 1 | floor (Qt + xcb + posix_spawn) | %s ms | %s ms | %s ms | %s MiB |" % (
        floor["median_ms"], floor["p99_ms"], floor["ready_ms"], floor["rss_mib"]))
    for n, o, s, _ in rows:
        for name, v in (("Orvane", o), ("sxhkd", s)):
            print("| %d | %s | %s ms | %s ms | %s ms | %s MiB |" % (
                n, name, v["median_ms"], v["p99_ms"], v["ready_ms"], v["rss_mib"]))
    print()
    print("| entries | Orvane / floor: press to target | exec to ready | RSS |")
    print("|---|---|---|---|")
    for n, o, _, _ in rows:
        print("| %d | %.2fx | %.2fx | %.2fx |" % (
            n, float(o["median_ms"]) / float(floor["median_ms"]),
            float(o["ready_ms"]) / float(floor["ready_ms"]),
            float(o["rss_mib"]) / float(floor["rss_mib"])))
    print()
    print("| entries | Orvane: load Hotkeys.ini | registration pass (X grabs) | registered |")
    print("|---|---|---|---|")
    for n, _, _, inner in rows:
        print("| %d | %s ms | %s ms | %s |" % (n, inner["load_ms"], inner["register_ms"],
                                               inner["registered"]))


if __name__ == "__main__":
    main()
