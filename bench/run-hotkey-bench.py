#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Hotkey benchmark on a virtual X display: Orvane beside sxhkd, with the same target.

For tables of 20 and 1,000 entries it measures the latency from a synthetic key press to
the started target (median and p99 over 200 presses), the time from exec to hotkeys
ready, resident memory after start-up, and Orvane's own load and registration time; Orvane
with the settings a user has by default (splash, autostart entry, tray animation) and with
those off. Each run also measures the floor, a bare Qt Widgets program with one xcb grab that
starts the target with posix_spawn, and gives Orvane's figures as multiples of that run's
floor. The tables give the median and the spread (min-max) over the runs, ratios taken per
run first; paste them into the README as printed.

    python3 bench/run-hotkey-bench.py [BUILD_DIR] [--runs 5]      (default: build, 5)
"""

import os
import shutil
import subprocess
import tempfile

import benchlib
from benchlib import Desktop, hotkeys_ini, rss_kib, stop_pid

BIN = None  # the build's programs, set by main()
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


def answers_at(env, fifo, command, delay_ms):
    """Whether most starts answer a press delay_ms after exec. A start that answers proves it;
    one that does not may have met a hiccup of the machine (the floor meets them as well), so
    two more starts decide."""
    if drive(env, fifo, command, delay_ms, 0)[0]:
        return True
    return all(drive(env, fifo, command, delay_ms, 0)[0] for _ in range(2))


def ready_ms(env, fifo, command):
    """The shortest time after exec at which a press already runs the target in most starts,
    to 2 ms. Found over several starts, so that no press reaches the program while it sets
    up (sxhkd stops answering for good when one does)."""
    lo, hi = 0, 25
    while not answers_at(env, fifo, command, hi):
        lo, hi = hi, hi * 2
        if hi > 20000:
            raise RuntimeError("%s never became ready" % command[0])
    while hi - lo > 2:
        mid = (lo + hi) // 2
        if answers_at(env, fifo, command, mid):
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


# The user's settings as installed (no Settings.ini: splash, autostart entry and tray
# animation on), and a start with all three off.
CONFIGS = [("defaults", None),
           ("splash, autorun, animation off", benchlib.settings_ini({
               "General": {"Logo": 0, "Autorun": 0}, "Tray": {"Animate": 0}}))]


def one_run(tmp, env, fifo, target, run):
    """The floor, then Orvane in each configuration and sxhkd, for 20 and 1,000 entries."""
    out = {"floor": measure(env, fifo, [os.path.join(BIN, "BenchFloor"), target])}
    for n in (20, 1000):
        entries = combos(n)
        for c, (name, settings) in enumerate(CONFIGS):
            app = os.path.join(tmp, "orvane-%d-%d-%d" % (run, n, c))
            exe = benchlib.orvane_copy(BIN, app, orvane_ini(entries, target), settings)
            out[(n, name)] = measure(env, fifo, [exe, "hide"])
            if c == 0 and run == 0:
                ini = os.path.join(app, "Hotkeys.ini")
                startup = subprocess.run([os.path.join(BIN, "BenchStartup"), ini, "20"],
                                         env=env, capture_output=True, text=True,
                                         check=True).stdout
                out[(n, "inner")] = dict(line.split(" ", 1) for line in startup.splitlines())
        conf = os.path.join(tmp, "sxhkdrc-%d-%d" % (run, n))
        with open(conf, "w") as f:
            f.write(sxhkd_conf(entries, target))
        out[(n, "sxhkd")] = measure(env, fifo, ["sxhkd", "-c", conf])
    return out


def main():
    args = benchlib.parser(__doc__).parse_args()
    global BIN
    BIN = benchlib.bin_dir(args.build)
    state = benchlib.machine_state(args.runs)
    tmp = tempfile.mkdtemp(prefix="orvane-bench-")
    target = os.path.join(BIN, "BenchTarget")
    runs = []
    try:
        # Each run on an X server and a FIFO of its own: nothing a run leaves behind (a
        # program that still holds a grab, a target still waiting to write) answers the next.
        for run in range(args.runs):
            root = os.path.join(tmp, "run-%d" % run)
            os.makedirs(root)
            desktop = Desktop(root)
            try:
                fifo = os.path.join(root, "fifo")
                os.mkfifo(fifo)
                runs.append(one_run(root, desktop.env, fifo, target, run))
            finally:
                desktop.stop()
    finally:
        shutil.rmtree(tmp, True)

    def figures(key, field):
        return [float(r[key][field]) for r in runs]

    def cells(key):
        return "%s ms | %s ms | %s ms | %s MiB" % tuple(
            benchlib.spread(figures(key, f), d) for f, d in (
                ("median_ms", 3), ("p99_ms", 3), ("ready_ms", 0), ("rss_mib", 1)))

    print(state)
    print()
    print("| entries | program | press to target, median | p99 | exec to hotkeys ready | RSS after start-up |")
    print("|---|---|---|---|---|---|")
    print("| 1 | floor (Qt + xcb + posix_spawn) | %s |" % cells("floor"))
    for n in (20, 1000):
        for name, _ in CONFIGS:
            print("| %d | Orvane, %s | %s |" % (n, name, cells((n, name))))
        print("| %d | sxhkd | %s |" % (n, cells((n, "sxhkd"))))
    print()
    print("Orvane / floor, each run's ratio, then their median (min-max):")
    print()
    print("| entries | settings | press to target | exec to ready | RSS |")
    print("|---|---|---|---|---|")
    for n in (20, 1000):
        for name, _ in CONFIGS:
            ratios = [benchlib.spread([float(r[(n, name)][f]) / float(r["floor"][f])
                                       for r in runs], 2, "x")
                      for f in ("median_ms", "ready_ms", "rss_mib")]
            print("| %d | %s | %s |" % (n, name, " | ".join(ratios)))
    print()
    print("| entries | Orvane: load Hotkeys.ini | registration pass (X grabs) | registered |")
    print("|---|---|---|---|")
    for n in (20, 1000):
        inner = runs[0][(n, "inner")]
        print("| %d | %s ms | %s ms | %s |" % (n, inner["load_ms"], inner["register_ms"],
                                               inner["registered"]))


if __name__ == "__main__":
    main()
