# SPDX-License-Identifier: GPL-3.0-or-later
"""What the benchmark scripts share: the build's programs, copies of Orvane with their own
ini files, virtual desktops (Xvfb, and as asked a window manager, an XEmbed tray, a session
bus and a sound server) stopped exactly as they were started, and a process's figures from
/proc."""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from harness import (Xvfb, copy_modules, docked_icon, hotkeys_ini,  # noqa: E402,F401
                     start_tray, start_window_manager, stop_process)
from privatebus import PrivateBus  # noqa: E402
from pulseaudio import PulseAudio  # noqa: E402,F401

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def bin_dir(build=None):
    """The directory of the built programs of build (default: the worktree's build/)."""
    return os.path.join(os.path.abspath(build or os.path.join(ROOT, "build")), "bin")


def settings_ini(sections):
    """Text of a Settings.ini from {section: {key: value}}."""
    lines = []
    for section, keys in sections.items():
        lines.append("[%s]" % section)
        lines += ["%s=%s" % kv for kv in keys.items()]
    return "\n".join(lines) + "\n"


def orvane_copy(bin_path, directory, hotkeys, settings=None):
    """A copy of Orvane and its modules in directory with Hotkeys.ini (text) and, if given,
    Settings.ini (text); its files live beside it. Returns the executable's path."""
    os.makedirs(directory, exist_ok=True)
    shutil.copy2(os.path.join(bin_path, "orvane"), directory)
    copy_modules(bin_path, directory)
    with open(os.path.join(directory, "Hotkeys.ini"), "w") as f:
        f.write(hotkeys)
    if settings is not None:
        with open(os.path.join(directory, "Settings.ini"), "w") as f:
            f.write(settings)
    return os.path.join(directory, "orvane")


def rss_kib(pid):
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except FileNotFoundError:
        pass
    return 0


def stop_pid(pid):
    """Ends a process that is not our child and waits until it is gone (a zombie counts),
    so that what it held (its X grabs) is free before the next program starts."""
    os.kill(pid, signal.SIGTERM)
    for _ in range(1000):
        try:
            with open("/proc/%d/stat" % pid) as f:
                if f.read().split(") ")[-1].startswith("Z"):
                    return
        except FileNotFoundError:
            return
        time.sleep(0.01)


def percentile(values, share):
    """The value below which `share` (0..1) of the sorted values lie."""
    values = sorted(values)
    return values[min(len(values) - 1, int(len(values) * share))]


def median(values):
    return statistics.median(values)


def spread(values, digits=2, unit=""):
    """"median (min-max)" of values, for the tables: the figure and how far runs differ."""
    f = "%%.%df" % digits
    return (f + "%s (" + f + "-" + f + ")") % (median(values), unit, min(values), max(values))


def parser(doc):
    """The arguments every benchmark script takes: the build directory and the runs."""
    p = argparse.ArgumentParser(description=doc.split("\n")[0])
    p.add_argument("build", nargs="?", help="build directory (default: build)")
    p.add_argument("--runs", type=int, default=5, help="runs (default 5)")
    return p


def machine_state(runs):
    """One line for the top of a script's tables: when, on what, how busy, how many runs."""
    with open("/proc/loadavg") as f:
        load = f.read().split()[:3]
    model = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as f:
            model = next(line.split(":", 1)[1].strip() for line in f
                         if line.startswith("model name"))
    except (FileNotFoundError, StopIteration):
        pass
    try:
        rev = subprocess.run(["git", "-C", ROOT, "rev-parse", "--short", "HEAD"],
                             capture_output=True, text=True, timeout=10).stdout.strip()
    except OSError:
        rev = ""
    return ("Measured %s on %d cores (%s), load average %s at the start; %d runs, median "
            "(min-max) over the runs; Orvane %s." % (
                time.strftime("%Y-%m-%d"), os.cpu_count() or 0, model, " ".join(load), runs,
                rev or "(no git)"))


class Desktop:
    """An X server of its own and, as asked, a window manager, a session bus, an XEmbed tray
    and a sound server's client set-up. env is what a program on this desktop runs with;
    stop() ends what was started, last first. Directories live under root."""

    def __init__(self, root, wm=False, bus=False, tray=False, pulse=None):
        self._started = []
        self.tray_panel = None
        runtime = os.path.join(root, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        os.makedirs(os.path.join(root, "home"), exist_ok=True)
        try:
            xvfb = Xvfb()
            self._started.append(xvfb.stop)
            self.display = xvfb.display
            env = dict(os.environ, DISPLAY=self.display, XDG_RUNTIME_DIR=runtime,
                       XDG_CONFIG_HOME=os.path.join(root, "config"),
                       HOME=os.path.join(root, "home"))
            for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"):
                env.pop(name, None)
            if pulse:
                env = pulse.client_env(env, env["HOME"])
            if bus:
                private = PrivateBus(root)
                self._started.append(private.stop)
                env["DBUS_SESSION_BUS_ADDRESS"] = private.address
            else:
                # No bus: nothing may start one on demand.
                env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=/nonexistent"
            self.env = env
            if wm:
                self._started.append(start_window_manager(self.display).stop)
            if tray:
                proc, self.tray_panel = start_tray(env)
                self._started.append(lambda: stop_process(proc))
        except BaseException:
            self.stop()
            raise

    def start(self, *command):
        """A program on this desktop, its output discarded; stop it with stop_process()."""
        return subprocess.Popen(list(command), env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def stop(self):
        while self._started:
            self._started.pop()()


class Usage:
    """A process's wake-ups (voluntary context switches, summed over its threads) and CPU time
    (user + system, all threads) at one moment, from /proc."""

    def __init__(self, pid):
        self.time = time.monotonic()
        self.threads = {}
        for tid in os.listdir("/proc/%d/task" % pid):
            task = "/proc/%d/task/%s" % (pid, tid)
            try:
                with open(task + "/comm") as f:
                    name = f.read().strip()
                with open(task + "/status") as f:
                    switches = next(int(line.split()[1]) for line in f
                                    if line.startswith("voluntary_ctxt_switches:"))
            except FileNotFoundError:
                continue  # a thread that ended meanwhile
            self.threads[tid] = (name, switches)
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(") ", 1)[1].split()
        self.cpu_ticks = int(fields[11]) + int(fields[12])

    def since(self, before):
        """Wake-ups, wake-ups per thread name and CPU milliseconds from before to this one.
        A thread that began meanwhile counts from 0; one that ended meanwhile is missing."""
        per_name = {}
        for tid, (name, switches) in self.threads.items():
            old = before.threads.get(tid, (name, 0))[1]
            per_name[name] = per_name.get(name, 0) + switches - old
        return {"seconds": self.time - before.time,
                "wakeups": sum(per_name.values()),
                "per_thread": per_name,
                "cpu_ms": (self.cpu_ticks - before.cpu_ticks) * 1000.0 / CLOCK_TICKS}
