# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: the log-on entry Orvane writes, started the way a desktop starts it (GLib's
reading of the entry, through gio launch)."""

import ctypes
import os
import signal
import subprocess
import time
import unittest

from harness import DEADLINE, OrvaneTestCase, hotkeys_ini, wait_for

K = 75
PR_SET_CHILD_SUBREAPER = 36
SPLASH = r"^Loading \.\.\.$"


class AutorunTests(OrvaneTestCase):
    def setUp(self):
        super().setUp()
        # gio ends once Orvane runs; as subreaper this test becomes Orvane's parent, so it
        # ends and reaps exactly the processes it caused.
        libc = ctypes.CDLL(None, use_errno=True)
        if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
            raise OSError(ctypes.get_errno(), "prctl")
        self.addCleanup(libc.prctl, PR_SET_CHILD_SUBREAPER, 0, 0, 0, 0)
        self.addCleanup(self.reap_orvanes)
        self.entry = os.path.join(self.env["XDG_CONFIG_HOME"], "autostart", "Orvane.desktop")

    def orvane_children(self):
        """{pid: state} of this test's children that are (or were) Orvane."""
        found = {}
        for name in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open("/proc/%s/stat" % name) as f:
                    stat = f.read()
            except OSError:
                continue
            comm_end = stat.rindex(")")
            state, ppid = stat[comm_end + 2:].split()[:2]
            if int(ppid) == os.getpid() and stat[stat.index("(") + 1:comm_end] == "orvane":
                found[int(name)] = state
        return found

    def running(self):
        return sorted(p for p, state in self.orvane_children().items() if state != "Z")

    def reap_orvanes(self):
        for pid in self.orvane_children():
            os.kill(pid, signal.SIGTERM)
            end = time.monotonic() + DEADLINE
            while os.waitpid(pid, os.WNOHANG) == (0, 0):
                if time.monotonic() > end:
                    os.kill(pid, signal.SIGKILL)
                    os.waitpid(pid, 0)
                    break
                time.sleep(0.02)

    def windows(self, name, visible=False):
        """Ids of the windows so named: all of them, or those shown now. A Qt window exists
        from its first show on."""
        cmd = ["xdotool", "search"] + (["--onlyvisible"] if visible else []) + ["--name", name]
        return subprocess.run(cmd, env=self.env, capture_output=True, text=True,
                              timeout=DEADLINE).stdout.split()

    def launch(self):
        """Starts the entry as the desktop would. Orvane keeps what gio hands it as output, so
        no pipe of ours goes with it."""
        subprocess.run(["gio", "launch", self.entry], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=DEADLINE)

    def test_the_entry_starts_orvane_hidden_in_the_background_once(self):
        self.write_ini("[General]\nLogo=1\n", self.settings_path)  # this story wants the splash
        self.write_ini(hotkeys_ini([{"key": K, "path": self.marker_script("k")}]))
        first = self.start()  # Autorun is on by default: the start writes the entry
        self.visible_window()
        self.terminate(first)
        with open(self.entry) as f:
            self.assertIn('\nExec="%s" hide\n' % self.bin, f.read())

        self.launch()
        pids = wait_for(self.running, "Orvane to start")
        self.assertEqual(len(pids), 1)
        with open("/proc/%d/cmdline" % pids[0], "rb") as f:
            self.assertEqual(f.read().split(b"\0")[:-1], [self.bin.encode(), b"hide"])
        # No window to wait for: press until the grab is in place (the start-up has run).
        wait_for(lambda: self.key("ctrl+alt+k") or self.runs("k") > 0, "the hotkey to work")
        self.assertFalse(self.is_visible(), "a start in the background shows no main window")
        # The splash window was made when it showed, and goes by itself.
        wait_for(lambda: self.windows(SPLASH), "the splash window")
        wait_for(lambda: not self.windows(SPLASH, visible=True), "the splash window to go")

        # Another start through the entry ends at once and brings up the running one.
        self.launch()
        self.visible_window()
        wait_for(lambda: self.running() == pids, "the second start to end")


if __name__ == "__main__":
    unittest.main()
