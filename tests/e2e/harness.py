# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs the real Orvane binary on a virtual X display for the end-to-end tests.

Every test starts its own Xvfb on a display number the server picks itself (-displayfd),
copies the binary into a temporary directory with its Hotkeys.ini, and stops exactly what
it started."""

import glob
import os
import select
import shutil
import signal
import stat
import subprocess
import tempfile
import time
import unittest

# The settings every test starts from unless it writes its own (then it adds these).
NO_SPLASH = "[General]\nLogo=0\n"
XHELPER = os.environ.get("ORVANE_XHELPER", "")
DEADLINE = 20.0


def wait_for(condition, what, timeout=DEADLINE):
    """Waits until condition() is true; fails the test with `what` after timeout seconds."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.02)
    raise AssertionError("timed out waiting for " + what)


def copy_modules(bin_dir, directory):
    """Copies Orvane's modules (the backends it loads at first use) from the build whose
    executables are in bin_dir to where a copy of the executable in directory looks for
    them: the same place relative to it ("../lib/orvane" for the usual layout)."""
    found = glob.glob(os.path.join(bin_dir, os.pardir, "lib*", "**", "orvane-sound.so"),
                      recursive=True)
    if len(found) != 1:
        raise RuntimeError("expected one orvane-sound.so beside %s: %s" % (bin_dir, found))
    modules = os.path.dirname(os.path.realpath(found[0]))
    relative = os.path.relpath(modules, os.path.realpath(bin_dir))
    shutil.copytree(modules, os.path.join(directory, relative), dirs_exist_ok=True)


def hotkeys_ini(entries):
    """Text of a Hotkeys.ini; entries are dicts with key (code), path and optional flags."""
    lines = ["[HotKeys]", "Count=%d" % len(entries)]
    for i, e in enumerate(entries):
        lines += [
            "Key%d=%s" % (i, e["key"]),
            "Checked%d=%s" % (i, e.get("checked", 1)),
            "Image%d=%s" % (i, e.get("image", 0)),
            "Path%d=%s" % (i, e["path"]),
            "Alt%d=%s" % (i, e.get("alt", 1)),
            "Ctrl%d=%s" % (i, e.get("ctrl", 1)),
            "Shift%d=%s" % (i, e.get("shift", 0)),
        ]
        if "win" in e:
            lines.append("Win%d=%s" % (i, e["win"]))
    return "\n".join(lines) + "\n"


def read_ini(path):
    """The HotKeys section as a dict of lower-case names (enough for files Orvane wrote)."""
    values = {}
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            if "=" in line and not line.startswith("["):
                k, v = line.rstrip("\r\n").split("=", 1)
                values.setdefault(k.strip().lower(), v.strip())
    return values


def stop_process(proc):
    """Ends a process the tests started: politely, then for good after 10 s."""
    if proc.poll() is not None:
        return
    proc.terminate()
    try:
        proc.wait(10)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


class Xvfb:
    def __init__(self):
        r, w = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-nolisten", "tcp", "-screen", "0", "1280x1024x24"],
            pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        # The server writes its display number once it accepts clients.
        with os.fdopen(r) as f:
            number = f.readline().strip()
        if not number:
            self.proc.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number

    def stop(self):
        stop_process(self.proc)


class WindowManager:
    """A window manager that start_window_manager() started; stop() ends it."""

    def __init__(self, proc):
        self.proc = proc

    def stop(self):
        stop_process(self.proc)


def _wm_check_window(display, window="-root"):
    """The window that _NET_SUPPORTING_WM_CHECK on window names, or None."""
    where = ["-root"] if window == "-root" else ["-id", window]
    r = subprocess.run(["xprop", "-display", display, *where, "_NET_SUPPORTING_WM_CHECK"],
                       capture_output=True, text=True, timeout=DEADLINE)
    words = r.stdout.split()
    return words[-1] if "#" in words and words[-1].startswith("0x") else None


def start_window_manager(display, timeout=DEADLINE):
    """Starts metacity on display and returns it once it manages windows; end it with its
    stop() (e.g. self.addCleanup(wm.stop)). Metacity prevents focus stealing: a window is
    activated only for a request that carries a time no older than the user's last input.

    Ready means the manager has announced itself: the root window's
    _NET_SUPPORTING_WM_CHECK names a window whose own _NET_SUPPORTING_WM_CHECK names itself.
    The root property is watched (xprop -spy) rather than polled."""
    env = dict(os.environ, DISPLAY=display, GSETTINGS_BACKEND="memory")
    # Every root property now and at each change, line-buffered so that each arrives as it
    # happens (xprop cannot watch one property whose name the server does not know yet).
    spy = subprocess.Popen(["stdbuf", "-oL", "xprop", "-display", display, "-spy", "-root"],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    wm = WindowManager(subprocess.Popen(
        ["metacity", "--sm-disable", "--compositor=none"], env=env,
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    try:
        end = time.monotonic() + timeout
        pending = b""
        while True:
            while b"\n" not in pending:
                ready, _, _ = select.select([spy.stdout], [], [],
                                            max(0.0, end - time.monotonic()))
                chunk = os.read(spy.stdout.fileno(), 4096) if ready else b""
                if not chunk or wm.proc.poll() is not None:
                    raise AssertionError("the window manager did not start")
                pending += chunk
            line, pending = pending.split(b"\n", 1)
            words = line.decode(errors="replace").split()
            if (words and words[0].startswith("_NET_SUPPORTING_WM_CHECK(")
                    and _wm_check_window(display, words[-1]) == words[-1]):
                return wm
    except BaseException:
        wm.stop()
        raise
    finally:
        spy.kill()
        spy.wait()
        spy.stdout.close()


def start_tray(env):
    """Starts an XEmbed system tray (trayer) on env's display; returns the process and its
    panel window once it owns the system tray selection's window. The caller stops it."""
    tray = subprocess.Popen(["trayer", "--edge", "bottom", "--align", "right",
                             "--widthtype", "pixel", "--width", "64", "--height", "32",
                             "--SetDockType", "true"], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        out = subprocess.run(["xdotool", "search", "--sync", "--name", "^panel$"], env=env,
                             check=True, capture_output=True, text=True, timeout=DEADLINE)
    except BaseException:
        stop_process(tray)
        raise
    return tray, out.stdout.split()[0]


def docked_icon(env, panel):
    """Orvane's icon window once the tray has docked it: a child of the tray's panel of
    Orvane's window class."""
    def find():
        r = subprocess.run(["xwininfo", "-tree", "-id", panel], env=env, capture_output=True,
                           text=True, timeout=DEADLINE)
        for line in r.stdout.splitlines():
            if '("orvane"' in line:
                return line.split()[0]
        return None
    return wait_for(find, "the tray icon to dock")


class OrvaneTestCase(unittest.TestCase):
    """A test with its own X server and its own copy of Orvane in a temporary directory."""

    # The environment variable naming what install() puts in place; unset skips the test.
    SOURCE = "ORVANE_BIN"

    def install(self, source):
        """Puts Orvane into the temporary directory and returns the executable's path: here a
        copy of the built binary, which keeps its files beside it, with its modules."""
        path = os.path.join(self.tmp, "app", "orvane")
        os.makedirs(os.path.dirname(path))
        shutil.copy2(source, path)
        copy_modules(os.path.dirname(source), os.path.dirname(path))
        return path

    def setUp(self):
        source = os.environ.get(self.SOURCE, "")
        if not source:
            self.skipTest(self.SOURCE + " is not set")
        self.tmp = tempfile.mkdtemp(prefix="orvane-e2e-")
        self.addCleanup(shutil.rmtree, self.tmp, True)
        self.xserver = Xvfb()
        self.addCleanup(self.xserver.stop)
        self.bin = self.install(source)
        runtime = os.path.join(self.tmp, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.env = dict(os.environ)
        self.env.update({
            "DISPLAY": self.xserver.display,
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(self.tmp, "config"),
            "HOME": os.path.join(self.tmp, "home"),
            # Never the developer's own session bus: its panel would take the tray icon.
            # Tests that want a bus start a private one.
            "DBUS_SESSION_BUS_ADDRESS": "unix:path=/nonexistent",
        })
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.env.pop("XDG_SESSION_TYPE", None)  # an X11 session unless a test says otherwise
        self.procs = []
        # No splash over the windows a test clicks into; a test that wants it says so.
        self.write_ini(NO_SPLASH, self.settings_path)

    def tearDown(self):
        for p in self.procs:
            if p.poll() is None:
                p.kill()
                p.wait()
            for pipe in (p.stdout, p.stderr):
                if pipe:
                    pipe.close()

    # --- files -------------------------------------------------------------------------
    @property
    def files_dir(self):
        """Where Orvane keeps Hotkeys.ini and Settings.ini."""
        return os.path.dirname(self.bin)

    @property
    def ini_path(self):
        return os.path.join(self.files_dir, "Hotkeys.ini")

    @property
    def settings_path(self):
        return os.path.join(self.files_dir, "Settings.ini")

    def write_ini(self, text, path=None):
        """Writes Hotkeys.ini, or the file at path."""
        mode = "wb" if isinstance(text, bytes) else "w"
        path = path or self.ini_path
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, mode) as f:
            f.write(text)

    def two_equal_entries(self):
        """A Hotkeys.ini the start-up changes: the second of two equal combinations (Ctrl+Alt+U)
        ends unchecked, so a save is seen in the file."""
        script = self.marker_script("u")
        self.write_ini(hotkeys_ini([{"key": 85, "path": script}, {"key": 85, "path": script}]))

    def marker_script(self, name):
        """An executable that appends a line to <name>.log each time it runs."""
        script = os.path.join(self.tmp, name + ".sh")
        log = os.path.join(self.tmp, name + ".log")
        with open(script, "w") as f:
            f.write("#!/bin/sh\necho run >> '%s'\n" % log)
        os.chmod(script, os.stat(script).st_mode | stat.S_IXUSR | stat.S_IXGRP | stat.S_IXOTH)
        return script

    def runs(self, name):
        try:
            with open(os.path.join(self.tmp, name + ".log")) as f:
                return len(f.readlines())
        except FileNotFoundError:
            return 0

    def wait_runs(self, name, count):
        wait_for(lambda: self.runs(name) >= count, "%s to run %d time(s)" % (name, count))
        self.assertEqual(self.runs(name), count, name)

    # --- processes ---------------------------------------------------------------------
    def run_x(self, *cmd, **kw):
        return subprocess.run(list(cmd), env=self.env, check=True, capture_output=True,
                              text=True, timeout=DEADLINE, **kw)

    def start(self, *args):
        p = subprocess.Popen([self.bin, *args], env=self.env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE)
        self.procs.append(p)
        return p

    def visible_window(self):
        """The id of Orvane's visible main window, once it is mapped (its hotkeys are then
        registered: a plain start shows the window after the registration pass)."""
        out = self.run_x("xdotool", "search", "--sync", "--onlyvisible", "--name", "^Orvane$")
        return out.stdout.split()[0]

    def is_visible(self, name="^Orvane$"):
        """Whether a window whose title matches name is mapped; its id if so."""
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                           env=self.env, capture_output=True, text=True, timeout=DEADLINE)
        ids = r.stdout.split()
        return ids[0] if ids else None

    def window_state(self, window):
        """(WM_STATE as the window manager set it, "Withdrawn" when unset; the X server's map
        state: "IsViewable", "IsUnviewable" or "IsUnMapped")."""
        wm = self.run_x("xprop", "-id", window, "WM_STATE").stdout.partition("window state: ")[2]
        mapped = self.run_x("xwininfo", "-id", window).stdout.partition("Map State: ")[2]
        return (wm.split() or ["Withdrawn"])[0], mapped.split()[0]

    def key(self, *combos):
        self.run_x("xdotool", "key", *combos)

    def hold_the_keymap(self):
        """Keeps a client connected: the server goes back to its own keyboard map whenever
        its last client leaves, so a layout set before Orvane starts would not last."""
        holder = subprocess.Popen([XHELPER, "hold"], env=self.env, stdin=subprocess.PIPE,
                                  stdout=subprocess.PIPE, text=True)
        self.addCleanup(holder.wait)
        self.addCleanup(holder.stdin.close)
        self.addCleanup(holder.stdout.close)
        self.assertEqual(holder.stdout.readline().strip(), "ready")

    def start_window_manager(self):
        wm = start_window_manager(self.xserver.display)
        self.addCleanup(wm.stop)
        return wm

    def window_geometry(self, window):
        """x, y, width and height of a window's client area on the screen."""
        out = self.run_x("xdotool", "getwindowgeometry", "--shell", window).stdout
        values = dict(line.split("=", 1) for line in out.split())
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def window_origin(self, window):
        """The screen position of a window's top-left client pixel."""
        return self.window_geometry(window)[:2]

    def click(self, window, x, y, button=1):
        """A click at (x, y) of the window's client area."""
        ox, oy = self.window_origin(window)
        self.run_x("xdotool", "mousemove", "--sync", str(ox + x), str(oy + y), "click",
                   str(button))

    def terminate(self, proc):
        proc.send_signal(signal.SIGTERM)
        self.assertEqual(proc.wait(DEADLINE), 0)
