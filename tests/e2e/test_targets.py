# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: hotkeys whose targets are command lines and installed applications."""

import os
import stat
import unittest

from harness import OrvaneTestCase, hotkeys_ini, wait_for

K, J = 75, 74


class TargetTests(OrvaneTestCase):
    def executable(self, path, body):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write(body)
        os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)

    def read(self, name):
        path = os.path.join(self.tmp, name)
        wait_for(lambda: os.path.exists(path) and os.path.getsize(path) > 0, name)
        with open(path) as f:
            return f.read()

    def test_a_command_line_runs_its_program_with_its_arguments(self):
        program = os.path.join(self.tmp, "my dir", "args.sh")
        self.executable(program, "#!/bin/sh\nprintf '%%s|' \"$@\" > '%s/args'\n" % self.tmp)
        target = '"%s" "two words" ; $HOME' % program
        self.write_ini(hotkeys_ini([{"key": K, "path": target}]))
        self.start()
        self.visible_window()
        self.key("ctrl+alt+k")
        self.assertEqual(self.read("args"), "two words|;|$HOME|")

    def test_a_desktop_entry_starts_its_application(self):
        data = os.path.join(self.tmp, "data")
        self.executable(os.path.join(self.tmp, "entry.sh"),
                        "#!/bin/sh\necho started > '%s/started'\n" % self.tmp)
        entry = os.path.join(data, "applications", "orvane-e2e.desktop")
        os.makedirs(os.path.dirname(entry))
        with open(entry, "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Orvane E2E\nExec=\"%s/entry.sh\"\n"
                    % self.tmp)
        self.env["XDG_DATA_DIRS"] = data
        self.write_ini(hotkeys_ini([{"key": J, "path": "orvane-e2e.desktop"}]))
        self.start()
        self.visible_window()
        self.key("ctrl+alt+j")
        self.assertEqual(self.read("started"), "started\n")


if __name__ == "__main__":
    unittest.main()
