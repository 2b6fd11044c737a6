# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: every way Orvane ends keeps what the user had, and nothing else."""

import os
import random
import signal
import subprocess
import time
import unittest

from harness import DEADLINE, OrvaneTestCase, hotkeys_ini, read_ini, wait_for

K = 75


class EndingTests(OrvaneTestCase):
    def test_the_display_going_away_saves(self):
        self.two_equal_entries()
        orvane = self.start()
        self.visible_window()
        self.assertEqual(read_ini(self.ini_path)["checked1"], "1")
        self.xserver.stop()
        orvane.wait(DEADLINE)
        self.assertEqual(read_ini(self.ini_path)["checked1"], "0")

    def test_hang_up_saves(self):
        self.two_equal_entries()
        orvane = self.start()
        self.visible_window()
        orvane.send_signal(signal.SIGHUP)
        self.assertEqual(orvane.wait(DEADLINE), 0)
        self.assertEqual(read_ini(self.ini_path)["checked1"], "0")

    def test_signals_while_ending_do_not_cut_the_end_short(self):
        self.two_equal_entries()
        orvane = self.start()
        self.visible_window()
        # A session manager that repeats itself: the end goes on to its normal exit.
        end = time.monotonic() + DEADLINE
        while orvane.poll() is None and time.monotonic() < end:
            orvane.send_signal(signal.SIGTERM)
            time.sleep(0.0005)
        self.assertEqual(orvane.wait(DEADLINE), 0)
        self.assertEqual(read_ini(self.ini_path)["checked1"], "0")

    def test_started_programs_get_the_environment_unchanged(self):
        dump = os.path.join(self.tmp, "env.sh")
        with open(dump, "w") as f:
            f.write("#!/bin/sh\necho \"${QT_QPA_PLATFORM-unset}\" > '%s/env.out'\n" % self.tmp)
        os.chmod(dump, 0o755)
        self.write_ini(hotkeys_ini([{"key": K, "path": dump}]))
        self.assertNotIn("QT_QPA_PLATFORM", self.env)
        self.start()
        self.visible_window()  # on X: Orvane chose the xcb platform for itself
        self.key("ctrl+alt+k")
        out = os.path.join(self.tmp, "env.out")
        wait_for(lambda: os.path.exists(out) and os.path.getsize(out) > 0, "the target to run")
        with open(out) as f:
            self.assertEqual(f.read().strip(), "unset")


class RequestTests(OrvaneTestCase):
    def ask(self, *args):
        return subprocess.run([self.bin, *args], env=self.env, capture_output=True, text=True,
                              timeout=DEADLINE)

    def test_run_option_fires_an_entry_through_the_running_instance(self):
        # Unticked: only the request can run it.
        self.write_ini(hotkeys_ini([{"key": 75, "path": self.marker_script("k"),
                                     "checked": 0}]))
        self.start("hide")
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "Orvane 2.socket")
        wait_for(lambda: os.path.exists(socket), "the first instance to listen")
        r = self.ask("--run", "1")
        self.assertEqual((r.returncode, r.stderr), (0, ""))
        self.wait_runs("k", 1)
        r = self.ask("--run", "2")
        self.assertEqual((r.returncode, r.stderr), (1, "orvane: Orvane has no entry with ID 2\n"))
        self.assertEqual(self.runs("k"), 1)
        self.assertFalse(self.is_visible(), "a request opens no window")
        out = subprocess.run(["pgrep", "-c", "-f", self.bin], capture_output=True, text=True)
        self.assertEqual(out.stdout.strip(), "1")


class RuntimeFolderTests(OrvaneTestCase):
    def test_an_unusable_runtime_folder_gives_way_to_a_private_one(self):
        if os.geteuid() != 0:
            self.skipTest("needs root to give a folder to another user")
        others = os.path.join(self.tmp, "others")
        os.makedirs(others, mode=0o700)
        os.chown(others, 4242, 4242)
        self.env["XDG_RUNTIME_DIR"] = others
        self.env["TMPDIR"] = os.path.join(self.tmp, "tmp")
        os.makedirs(self.env["TMPDIR"])
        self.write_ini(hotkeys_ini([{"key": K, "path": self.marker_script("k")}]))
        first = self.start()
        self.visible_window()
        private = os.path.join(self.env["TMPDIR"], "orvane-%d" % os.getuid())
        self.assertTrue(os.path.exists(os.path.join(private, "Orvane 2.lock")))
        self.assertEqual(os.stat(private).st_mode & 0o777, 0o700)
        second = self.start()
        self.assertEqual(second.wait(DEADLINE), 0)
        self.assertIsNone(first.poll())
        self.key("ctrl+alt+k")
        self.wait_runs("k", 1)


class ReliabilityTests(OrvaneTestCase):
    """Stopped at any moment, Orvane leaves Hotkeys.ini as it was or as it wrote it whole."""

    ROUNDS = 25

    def check_whole(self, old, what):
        with open(self.ini_path, "rb") as f:
            now = f.read()
        if now == old:
            return
        saved = read_ini(self.ini_path)
        count = int(saved["count"])
        self.assertNotEqual(count, 20, what + ": the default table was written")
        self.assertEqual(count, int(read_ini_bytes(old)["count"]), what)
        last = count - 1
        self.assertIn("shift%d" % last, saved, what + ": the file is cut short")
        self.assertTrue(now.endswith(b"\n"), what + ": the file is cut short")

    def test_sigterm_during_start_up_never_writes_over_the_file(self):
        old = hotkeys_ini([{"key": K, "path": "/nonexistent/mine"}]).encode()
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "Orvane 2.socket")
        rng = random.Random(7)
        for i in range(self.ROUNDS):
            self.write_ini(old)
            orvane = self.start()
            if i % 2:
                time.sleep(rng.uniform(0, 0.15))
            else:
                # Most often just after the instance is set up and before its first timer,
                # where an end once wrote the default table over the user's.
                end = time.monotonic() + DEADLINE
                while not os.path.exists(socket) and time.monotonic() < end:
                    time.sleep(0.0002)
                time.sleep(rng.uniform(0, 0.015))
            orvane.send_signal(signal.SIGTERM)
            orvane.wait(DEADLINE)
            self.check_whole(old, "round %d" % i)

    def test_sigkill_during_the_save_leaves_the_old_or_the_new_file(self):
        entries = [{"key": 65 + i % 26, "path": "/nonexistent/%05d" % i, "alt": i % 2,
                    "shift": (i // 2) % 2} for i in range(3000)]
        old = hotkeys_ini(entries).encode()
        rng = random.Random(11)
        for i in range(self.ROUNDS // 2):
            self.write_ini(old)
            orvane = self.start()
            self.visible_window()  # loaded and registered: a save now writes the table
            orvane.send_signal(signal.SIGTERM)
            # The end releases 3,000 grabs and then saves: about 0.1 s to 0.2 s here.
            time.sleep(rng.uniform(0, 0.2))
            orvane.kill()
            orvane.wait(DEADLINE)
            self.check_whole(old, "round %d" % i)


def read_ini_bytes(data):
    values = {}
    for line in data.decode("utf-8", "replace").splitlines():
        if "=" in line:
            k, v = line.split("=", 1)
            values.setdefault(k.strip().lower(), v.strip())
    return values


if __name__ == "__main__":
    unittest.main()
