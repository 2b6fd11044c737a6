# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: `orvane --help` and `orvane --version` print and end at once, with no display,
no running instance and no file touched."""

import os
import re
import resource
import shutil
import subprocess
import tempfile
import unittest

from harness import DEADLINE, copy_modules


def tree(root):
    """Every folder and file under root, as paths relative to it."""
    found = []
    for folder, dirs, files in os.walk(root):
        found += [os.path.relpath(os.path.join(folder, n), root) for n in dirs + files]
    return sorted(found)


class InformationTests(unittest.TestCase):
    def setUp(self):
        source = os.environ.get("ORVANE_BIN", "")
        if not source:
            self.skipTest("ORVANE_BIN is not set")
        self.tmp = tempfile.mkdtemp(prefix="orvane-e2e-")
        self.addCleanup(shutil.rmtree, self.tmp, True)
        self.bin = os.path.join(self.tmp, "app", "orvane")
        os.makedirs(os.path.dirname(self.bin))
        shutil.copy2(source, self.bin)
        copy_modules(os.path.dirname(source), os.path.dirname(self.bin))
        for name in ("runtime", "config", "home", "tmp"):
            os.makedirs(os.path.join(self.tmp, name), mode=0o700)
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                 "XDG_SESSION_TYPE")}
        self.env.update({"XDG_RUNTIME_DIR": os.path.join(self.tmp, "runtime"),
                         "XDG_CONFIG_HOME": os.path.join(self.tmp, "config"),
                         "HOME": os.path.join(self.tmp, "home"),
                         "TMPDIR": os.path.join(self.tmp, "tmp")})

    def run_orvane(self, *args):
        # A start that fails for want of a display aborts; it leaves no core file behind.
        return subprocess.run(
            [self.bin, *args], env=self.env, cwd=self.tmp, capture_output=True, text=True,
            timeout=DEADLINE, preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_CORE, (0, 0)))

    def test_help_and_version_print_and_end_touching_nothing(self):
        # Precondition: here a start needs the display it does not have.
        self.assertNotEqual(self.run_orvane().returncode, 0)
        before = tree(self.tmp)
        version = os.environ.get("ORVANE_VERSION", r"\d+\.\d+\.\d+")
        rows = [(["--version"], "Orvane %s\n" % re.escape(version)),
                (["--help"], r"Usage: orvane \[hide\]\n(.*\n)*  --version .*\n(.*\n)*")]
        for args, pattern in rows:
            with self.subTest(args=args):
                r = self.run_orvane(*args)
                self.assertEqual((r.returncode, r.stderr), (0, ""))
                self.assertRegex(r.stdout, "^" + pattern + "$")
                self.assertEqual(tree(self.tmp), before)

    def test_a_request_with_no_orvane_running_fails_and_starts_none(self):
        rows = [(["--run", "3"], 1, "orvane: Orvane is not running\n"),
                (["--toggle-pause"], 1, "orvane: Orvane is not running\n"),
                (["--run"], 2, "orvane: --run takes one entry ID\n"),
                (["--run", "x"], 2, "orvane: --run: x is no entry ID\n")]
        for args, status, line in rows:
            with self.subTest(args=args):
                before = tree(self.tmp)
                r = self.run_orvane(*args)
                self.assertEqual((r.returncode, r.stdout, r.stderr), (status, "", line))
                self.assertEqual(tree(self.tmp), before)


if __name__ == "__main__":
    unittest.main()
