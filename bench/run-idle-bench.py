#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Orvane's idle cost in a tray, beside sxhkd, and how fast the volume window appears.

Three virtual desktops, each with a window manager (metacity), an XEmbed tray (trayer) and
a session bus of its own, share one PulseAudio null sink. Each runs a copy of Orvane started
with `hide` and one hotkey, Ctrl+Alt+V for VolumeUp:
  - "animation off": [Tray] Animate=0; sxhkd with one binding idles on the same desktop;
  - "animation on": Animate=1, the icon steps one frame per 1500 ms;
  - "volume window used": Animate=0, and first driven by BenchVolumeShow, which times
    PRESSES taps of Ctrl+Alt+V from the key press until the volume window is viewable (the
    window hides after 500 ms between taps), so that its idle figures show whatever the
    volume window or the mixer leaves running.
Once every icon is docked and the presses are done, all four processes are measured over
the same idle window of SECONDS: wake-ups (voluntary context switches summed over all
threads, from /proc/PID/task/*/status) and CPU time (utime + stime, /proc/PID/stat).
Idle, the processes do not disturb each other's figures, so one window serves all four.
Qt's pixmap cache looks for stale pixmaps 30 s after the last paint: an Orvane that painted
shortly before the window opened wakes once for it.

    python3 bench/run-idle-bench.py [BUILD_DIR] [--seconds 60] [--presses 40]
"""

import argparse
import os
import shutil
import subprocess
import tempfile
import time

import benchlib
from benchlib import Desktop, PulseAudio, Usage, docked_icon, hotkeys_ini, stop_process

KEY = ("v", 86)  # Ctrl+Alt+V: VolumeUp in every Orvane
# Its own key: Orvane holds Ctrl+Alt+V on the same display.
SXHKD_BINDING = "ctrl + alt + b\n    amixer -q set Master 1%-\n"
SETTLE_S = 3.0  # after the last start-up or press, before the idle window opens
QUIET_MS = 50  # after the volume window hid, before the next press
CYCLE_MS = 1500


def orvane(bin_path, desktop, directory, animate, visible_time=2):
    hotkeys = hotkeys_ini([{"key": KEY[1], "path": "VolumeUp"}])
    settings = benchlib.settings_ini({
        "VolumeWindow": {"VisibleTime": visible_time},
        "Tray": {"Visible": 1, "Animate": animate},
        # No autostart entry and no splash window: a start with `hide` from the log-on.
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


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("build", nargs="?", help="build directory (default: build)")
    parser.add_argument("--seconds", type=float, default=60, help="idle window (default 60)")
    parser.add_argument("--presses", type=int, default=40,
                        help="timed volume window appearances (default 40)")
    args = parser.parse_args()
    bin_path = benchlib.bin_dir(args.build)

    tmp = tempfile.mkdtemp(prefix="orvane-idle-bench-")
    pulse = PulseAudio(tmp)
    desktops, procs = [], []
    try:
        pulse.start()
        pulse.pactl("set-sink-volume", "orvane_null", "30%")
        for name in ("off", "on", "used"):
            root = os.path.join(tmp, name)
            os.makedirs(root)
            desktops.append(Desktop(root, wm=True, bus=True, tray=True, pulse=pulse))
        off, on, used = desktops
        programs = {
            "Orvane, animation off": orvane(bin_path, off, os.path.join(tmp, "off", "app"), 0),
            "Orvane, animation on": orvane(bin_path, on, os.path.join(tmp, "on", "app"), 1),
            "Orvane, animation off, volume window used": orvane(
                bin_path, used, os.path.join(tmp, "used", "app"), 0, visible_time=0),
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

        first, shown = press_to_visible(bin_path, used, args.presses)
        time.sleep(SETTLE_S)
        for name, p in programs.items():
            if p.poll() is not None:
                raise RuntimeError("%s ended early (exit %s)" % (name, p.returncode))
        before = {name: Usage(p.pid) for name, p in programs.items()}
        time.sleep(args.seconds)
        after = {name: Usage(p.pid) for name, p in programs.items()}
        idle = {name: after[name].since(before[name]) for name in programs}
    finally:
        for p in reversed(procs):
            stop_process(p)
        for d in reversed(desktops):
            d.stop()
        pulse.stop()
        shutil.rmtree(tmp, True)

    seconds = next(iter(idle.values()))["seconds"]
    steps = seconds * 1000 / CYCLE_MS
    print("Idle over %.1f s (%.0f icon steps at %d ms while animated):" % (seconds, steps,
                                                                           CYCLE_MS))
    print()
    print("| program | wake-ups | per second | CPU time | wake-ups by thread |")
    print("|---|---|---|---|---|")
    for name, v in idle.items():
        threads = ", ".join("%s %d" % kv for kv in sorted(v["per_thread"].items(),
                                                           key=lambda kv: -kv[1]) if kv[1])
        print("| %s | %d | %.2f | %.0f ms | %s |" % (name, v["wakeups"], v["wakeups"] / seconds,
                                                     v["cpu_ms"], threads or "-"))
    animated = idle["Orvane, animation on"]["wakeups"] - idle["Orvane, animation off"]["wakeups"]
    print()
    print("Animation: %.1f wake-ups per icon step (animation on less animation off)."
          % (animated / steps))
    print()
    print("| VolumeUp press to volume window viewable | first (builds the window) | median |"
          " p95 | presses |")
    print("|---|---|---|---|---|")
    print("| Orvane | %.2f ms | %.2f ms | %.2f ms | %d |" % (
        first, benchlib.median(shown), benchlib.percentile(shown, 0.95), len(shown)))


if __name__ == "__main__":
    main()
