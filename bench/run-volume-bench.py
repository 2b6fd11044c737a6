#!/usr/bin/env python3
"""Volume hotkey benchmark on a virtual X display and a PulseAudio null sink of its own:
Orvane beside sxhkd running `amixer -q set Master 1%+` for the same key.

It measures the latency from a synthetic press of the "VolumeUp" hotkey to the new sink
volume reaching another client of the sound server (a `pactl subscribe`), median and p99
over 200 presses; Orvane's resident memory before and after 10,000 more presses; and one
ReadVolume + WriteVolume pair (bench_volume).

    python3 bench/run-volume-bench.py [BUILD_DIR]      (default: build)
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from harness import Xvfb  # noqa: E402
from pulseaudio import PulseAudio  # noqa: E402

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
BIN = os.path.join(BUILD, "bin")
PRESSES = 200
SOAK = 10000
UP, DOWN = ("v", 86), ("b", 66)
QUIET_MS = 30  # silence that ends the sink changes of one press
SOAK_QUIET_MS = 5


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


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
    ms = sorted(ms)
    return statistics.median(ms), ms[min(len(ms) - 1, int(len(ms) * 0.99))], extra


def stop(proc):
    proc.terminate()
    try:
        proc.wait(20)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def main():
    tmp = tempfile.mkdtemp(prefix="orvane-volume-bench-")
    xvfb = Xvfb()
    display = xvfb.display
    pulse = PulseAudio(tmp)
    pulse.start()
    env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=tmp,
               XDG_CONFIG_HOME=os.path.join(tmp, "config"))
    env.pop("QT_QPA_PLATFORM", None)
    env = pulse.client_env(env, os.path.join(tmp, "home"))
    results = {}
    try:
        pair = subprocess.run([os.path.join(BIN, "bench_volume"), "--benchmark_format=csv"],
                              env=env, capture_output=True, text=True, check=True).stdout

        pulse.pactl("set-sink-volume", "orvane_null", "30%")
        app = os.path.join(tmp, "app")
        os.makedirs(app)
        shutil.copy2(os.path.join(BIN, "orvane"), app)
        with open(os.path.join(app, "Hotkeys.ini"), "w") as f:
            f.write("[HotKeys]\nCount=2\n")
            for i, (vk, target) in enumerate(((UP[1], "VolumeUp"), (DOWN[1], "VolumeDown"))):
                f.write("Key%d=%d\nChecked%d=1\nImage%d=0\nPath%d=%s\nAlt%d=1\nCtrl%d=1\n"
                        "Shift%d=0\n" % (i, vk, i, i, i, target, i, i, i))
        orvane = subprocess.Popen([os.path.join(app, "orvane"), "hide"], env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            results["Orvane"] = summary(press(env, PRESSES, QUIET_MS))
            before = rss_kib(orvane.pid)
            # Each round is one up and one down press; the short quiet time takes in the second
            # sink change of a press, so the driver never runs ahead of Orvane.
            press(env, SOAK // 2, SOAK_QUIET_MS)
            after = rss_kib(orvane.pid)
        finally:
            stop(orvane)

        pulse.pactl("set-sink-volume", "orvane_null", "30%")
        conf = os.path.join(tmp, "sxhkdrc")
        with open(conf, "w") as f:
            f.write("ctrl + alt + %s\n    amixer -q set Master 1%%+\n" % UP[0])
            f.write("ctrl + alt + %s\n    amixer -q set Master 1%%-\n" % DOWN[0])
        sxhkd = subprocess.Popen(["sxhkd", "-c", conf], env=env, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        try:
            results["sxhkd + amixer"] = summary(press(env, PRESSES, QUIET_MS))
        finally:
            stop(sxhkd)
    finally:
        pulse.stop()
        xvfb.stop()
        shutil.rmtree(tmp, True)

    print("| program | VolumeUp press to new volume at another client, median | p99 |"
          " extra changes |")
    print("|---|---|---|---|")
    for name, (median, p99, extra) in results.items():
        print("| %s | %.2f ms | %.2f ms | %d |" % (name, median, p99, extra))
    print()
    print("Orvane resident memory: %d KiB after %d presses, %d KiB after %d more (%+d KiB)"
          % (before, PRESSES * 2, after, SOAK, after - before))
    print()
    print("bench_volume (csv):")
    print(pair.strip())


if __name__ == "__main__":
    main()
