#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Volume hotkey benchmark on a virtual X display and a PulseAudio null sink of its own:
Orvane beside sxhkd running `amixer -q set Master 1%+` for the same key.

It measures the latency from a synthetic press of the "VolumeUp" hotkey to the new sink
volume reaching another client of the sound server (a `pactl subscribe`), median and p99
over 200 presses, in each of several runs, each with fresh starts; Orvane's resident memory
before and after 10,000 more presses (first run); and one ReadVolume + WriteVolume pair
(bench_volume, repeated as often). The tables give the median and the spread (min-max) over
the runs; paste them into the README as printed.

    python3 bench/run-volume-bench.py [BUILD_DIR] [--runs 5]      (default: build, 5)
"""

import os
import shutil
import subprocess
import tempfile

import benchlib
from benchlib import Desktop, PulseAudio, hotkeys_ini, rss_kib, stop_process

BIN = None  # the build's programs, set by main()
PRESSES = 200
SOAK = 10000
UP, DOWN = ("v", 86), ("b", 66)
QUIET_MS = 30  # silence that ends the sink changes of one press
SOAK_QUIET_MS = 5


def press(env, presses, quiet_ms):
    """Runs BenchVolumePress fed by a pactl subscription: the latencies in ms, and how many
    changes came beyond the first of a press."""
    sub = subprocess.Popen(["pactl", "subscribe"], env=env, stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL)
    try:
        out = subprocess.run([os.path.join(BIN, "BenchVolumePress"), hex(ord(UP[0])),
                              hex(ord(DOWN[0])), str(presses), str(quiet_ms)], env=env, stdin=sub.stdout,
                             capture_output=True, text=True, timeout=3600)
    finally:
        sub.kill()
        sub.wait()
        sub.stdout.close()
    if out.returncode != 0:
        raise RuntimeError(out.stderr.strip())
    extra = int(out.stderr.split()[-1])
    return [int(line) / 1e6 for line in out.stdout.split()], extra


def summary(result):
    ms, extra = result
    return benchlib.median(ms), benchlib.percentile(ms, 0.99), extra


def one_run(tmp, desktop, pulse, run, soak):
    """Orvane's press latencies (and, in the first run, its memory over the soak), then
    sxhkd's with amixer, each with a fresh start."""
    env = desktop.env
    out = {}
    pulse.pactl("set-sink-volume", "orvane_null", "30%")
    exe = benchlib.orvane_copy(BIN, os.path.join(tmp, "app-%d" % run), hotkeys_ini(
        [{"key": UP[1], "path": "VolumeUp"}, {"key": DOWN[1], "path": "VolumeDown"}]))
    orvane = desktop.start(exe, "hide")
    try:
        out["Orvane"] = summary(press(env, PRESSES, QUIET_MS))
        if soak:
            before = rss_kib(orvane.pid)
            # Each round is one up and one down press; the short quiet time takes in the
            # second sink change of a press, so the driver never runs ahead of Orvane.
            press(env, SOAK // 2, SOAK_QUIET_MS)
            out["memory"] = (before, rss_kib(orvane.pid))
    finally:
        stop_process(orvane)

    pulse.pactl("set-sink-volume", "orvane_null", "30%")
    conf = os.path.join(tmp, "sxhkdrc")
    with open(conf, "w") as f:
        f.write("ctrl + alt + %s\n    amixer -q set Master 1%%+\n" % UP[0])
        f.write("ctrl + alt + %s\n    amixer -q set Master 1%%-\n" % DOWN[0])
    sxhkd = desktop.start("sxhkd", "-c", conf)
    try:
        out["sxhkd + amixer"] = summary(press(env, PRESSES, QUIET_MS))
    finally:
        stop_process(sxhkd)
    return out


def main():
    args = benchlib.parser(__doc__).parse_args()
    global BIN
    BIN = benchlib.bin_dir(args.build)
    state = benchlib.machine_state(args.runs)
    tmp = tempfile.mkdtemp(prefix="orvane-volume-bench-")
    pulse = PulseAudio(tmp)
    pulse.start()
    desktop = Desktop(tmp, pulse=pulse)
    runs = []
    try:
        pair = subprocess.run([os.path.join(BIN, "bench_volume"), "--benchmark_format=csv",
                               "--benchmark_repetitions=%d" % args.runs,
                               "--benchmark_report_aggregates_only=true"],
                              env=desktop.env, capture_output=True, text=True,
                              check=True).stdout
        for run in range(args.runs):
            runs.append(one_run(tmp, desktop, pulse, run, soak=run == 0))
    finally:
        desktop.stop()
        pulse.stop()
        shutil.rmtree(tmp, True)

    print(state)
    print()
    print("| program | VolumeUp press to new volume at another client, median | p99 |"
          " extra changes |")
    print("|---|---|---|---|")
    for name in ("Orvane", "sxhkd + amixer"):
        medians, p99s, extras = zip(*(r[name] for r in runs))
        print("| %s | %s | %s | %s |" % (name, benchlib.spread(medians, 2, " ms"),
                                         benchlib.spread(p99s, 2, " ms"),
                                         benchlib.spread(extras, 0)))
    print()
    before, after = runs[0]["memory"]
    print("Orvane resident memory (first run): %d KiB after %d presses, %d KiB after %d more "
          "(%+d KiB)" % (before, PRESSES * 2, after, SOAK, after - before))
    print()
    print("bench_volume, %d repetitions (csv):" % args.runs)
    print(pair.strip())


if __name__ == "__main__":
    main()
