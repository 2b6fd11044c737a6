#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Orvane's idle cost in a tray, beside sxhkd, and how fast the volume window appears.

Three virtual desktops, each with a window manager (metacity), an XEmbed tray (trayer) and
a session bus of its own, share one PulseAudio null sink. Each runs a copy of Orvane started
with `hide` and one hotkey, Ctrl+Alt+V for VolumeUp:
  - "animation off": [Tray] Animate=0, no splash, no autostart entry; sxhkd with one binding
    and the floor of the hotkey benchmark (BenchFloor) idle on the same desktop;
  - "defaults": no Settings.ini, so the splash shows, the autostart entry is written and
    the icon steps one frame per 1500 ms;
  - "volume window used": as "animation off", and first driven by BenchVolumeShow, which
    times PRESSES taps of Ctrl+Alt+V from the key press until the volume window is viewable
    (the window hides after 500 ms between taps), so that its idle figures show whatever the
    volume window or the mixer leaves running.
Once every icon is docked, the splash has gone and the presses are done, all five processes
are measured over the same idle window of SECONDS: wake-ups (voluntary context switches
summed over all threads, from /proc/PID/task/*/status), CPU time (utime + stime,
/proc/PID/stat), and resident memory at its end (VmRSS), also as a multiple of the floor's.
Idle, the processes do not disturb each other's figures, so one window serves all five.
Qt's pixmap cache looks for stale pixmaps 30 s after the last paint: an Orvane that painted
shortly before the window opened wakes once for it.

Each run starts everything afresh; the tables give the median and the spread (min-max) over
the runs. Paste them into the README as printed.

    python3 bench/run-idle-bench.py [BUILD_DIR] [--seconds 60] [--presses 40] [--runs 5]
"""

import os
import shutil
import subprocess
import tempfile
import time

import benchlib
from benchlib import (Desktop, PulseAudio, Usage, docked_icon, hotkeys_ini, rss_kib,
                      stop_process)

KEY = ("v", 86)  # Ctrl+Alt+V: VolumeUp in every Orvane
# Its own key: Orvane holds Ctrl+Alt+V on the same display.
SXHKD_BINDING = "ctrl + alt + b\n    amixer -q set Master 1%-\n"
SETTLE_S = 3.0  # after the last start-up or press, before the idle window opens (the splash
# hides 2 s after the start)
QUIET_MS = 50  # after the volume window hid, before the next press
CYCLE_MS = 1500
FLOOR = "floor (Qt + xcb + posix_spawn)"
OFF = "Orvane, animation off"
DEFAULTS = "Orvane, defaults (splash, autorun, animation on)"
USED = "Orvane, animation off, volume window used"


def orvane(bin_path, desktop, directory, defaults=False, visible_time=2):
    hotkeys = hotkeys_ini([{"key": KEY[1], "path": "VolumeUp"}])
    settings = None if defaults else benchlib.settings_ini({
        "VolumeWindow": {"VisibleTime": visible_time},
        "Tray": {"Visible": 1, "Animate": 0},
        "General": {"Logo": 0, "Autorun": 0},
    })
    exe = benchlib.orvane_copy(bin_path, directory, hotkeys, settings)
    return desktop.start(exe, "hide")


def press_to_visible(bin_path, desktop, presses):
    """The first appearance and each timed one, in ms."""
    r = subprocess.run([os.path.join(bin_path, "BenchVolumeShow"), hex(ord(KEY[0])), "Volume",
                        str(presses), str(QUIET_MS)], env=desktop.env, capture_output=True,
                       text=True, timeout=600)
    if r.returncode != 0:
        raise RuntimeError("BenchVolumeShow: " + r.stderr.strip())
    lines = r.stdout.split()
    first = float(lines[1]) / 1e6
    ms = [float(v) / 1e6 for v in lines[2:]]
    return first, ms


def one_run(bin_path, tmp, pulse, seconds, presses):
    """Three desktops with their Orvane and sxhkd, the timed appearances of the volume
    window, then every program's figures over one idle window."""
    desktops, procs = [], []
    try:
        pulse.pactl("set-sink-volume", "orvane_null", "30%")
        for name in ("off", "on", "used"):
            root = os.path.join(tmp, name)
            os.makedirs(root)
            desktops.append(Desktop(root, wm=True, bus=True, tray=True, pulse=pulse))
        off, on, used = desktops
        programs = {
            FLOOR: off.start(os.path.join(bin_path, "BenchFloor"), "/bin/true"),
            OFF: orvane(bin_path, off, os.path.join(tmp, "off", "app")),
            DEFAULTS: orvane(bin_path, on, os.path.join(tmp, "on", "app"), defaults=True),
            USED: orvane(bin_path, used, os.path.join(tmp, "used", "app"), visible_time=0),
        }
        procs += programs.values()
        conf = os.path.join(tmp, "sxhkdrc")
        with open(conf, "w") as f:
            f.write(SXHKD_BINDING)
        programs["sxhkd, one binding"] = off.start("sxhkd", "-c", conf)
        procs.append(programs["sxhkd, one binding"])
        # The icon goes into the tray once the hotkeys work.
        for d in desktops:
            docked_icon(d.env, d.tray_panel)

        first, shown = press_to_visible(bin_path, used, presses)
        time.sleep(SETTLE_S)
        for name, p in programs.items():
            if p.poll() is not None:
                raise RuntimeError("%s ended early (exit %s)" % (name, p.returncode))
        before = {name: Usage(p.pid) for name, p in programs.items()}
        time.sleep(seconds)
        after = {name: Usage(p.pid) for name, p in programs.items()}
        idle = {name: dict(after[name].since(before[name]), rss_mib=rss_kib(p.pid) / 1024)
                for name, p in programs.items()}
    finally:
        for p in reversed(procs):
            stop_process(p)
        for d in reversed(desktops):
            d.stop()
    return idle, first, shown


def main():
    parser = benchlib.parser(__doc__)
    parser.add_argument("--seconds", type=float, default=60, help="idle window (default 60)")
    parser.add_argument("--presses", type=int, default=40,
                        help="timed volume window appearances (default 40)")
    args = parser.parse_args()
    bin_path = benchlib.bin_dir(args.build)
    state = benchlib.machine_state(args.runs)

    tmp = tempfile.mkdtemp(prefix="orvane-idle-bench-")
    pulse = PulseAudio(tmp)
    runs = []
    try:
        pulse.start()
        for run in range(args.runs):
            root = os.path.join(tmp, "run-%d" % run)
            os.makedirs(root)
            runs.append(one_run(bin_path, root, pulse, args.seconds, args.presses))
    finally:
        pulse.stop()
        shutil.rmtree(tmp, True)

    seconds = benchlib.median([next(iter(idle.values()))["seconds"] for idle, _, _ in runs])
    steps = seconds * 1000 / CYCLE_MS
    print(state)
    print()
    print("Idle over %.1f s (%.0f icon steps at %d ms while animated):" % (seconds, steps,
                                                                           CYCLE_MS))
    print()
    print("| program | wake-ups | per second | CPU time | RSS at the end | RSS / floor |")
    print("|---|---|---|---|---|---|")
    for name in runs[0][0]:
        wakeups = [idle[name]["wakeups"] for idle, _, _ in runs]
        rates = [idle[name]["wakeups"] / idle[name]["seconds"] for idle, _, _ in runs]
        cpu = [idle[name]["cpu_ms"] for idle, _, _ in runs]
        rss = [idle[name]["rss_mib"] for idle, _, _ in runs]
        ratio = [idle[name]["rss_mib"] / idle[FLOOR]["rss_mib"] for idle, _, _ in runs]
        print("| %s | %s | %s | %s | %s | %s |" % (
            name, benchlib.spread(wakeups, 0), benchlib.spread(rates, 2),
            benchlib.spread(cpu, 0, " ms"), benchlib.spread(rss, 1, " MiB"),
            benchlib.spread(ratio, 2, "x")))
    per_step = [(idle[DEFAULTS]["wakeups"] - idle[OFF]["wakeups"]) /
                (idle[DEFAULTS]["seconds"] * 1000 / CYCLE_MS) for idle, _, _ in runs]
    print()
    print("Animation: %s wake-ups per icon step (defaults less animation off)."
          % benchlib.spread(per_step, 1))
    print()
    print("| VolumeUp press to volume window viewable | first (builds the window) | median |"
          " p95 | presses per run |")
    print("|---|---|---|---|---|")
    print("| Orvane | %s | %s | %s | %d |" % (
        benchlib.spread([first for _, first, _ in runs], 2, " ms"),
        benchlib.spread([benchlib.median(shown) for _, _, shown in runs], 2, " ms"),
        benchlib.spread([benchlib.percentile(shown, 0.95) for _, _, shown in runs], 2, " ms"),
        len(runs[0][2])))


if __name__ == "__main__":
    main()
