# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: the Debian package unpacked (dpkg-deb -x) into a temporary root. Its executable
runs from the installed layout, its hotkeys work, and it keeps its files in
$XDG_CONFIG_HOME/Orvane. ORVANE_DEB names the package (scripts/ci.sh, stage package)."""

import glob
import os
import subprocess
import unittest

from harness import DEADLINE, OrvaneTestCase, read_ini, wait_for


class PackageTests(OrvaneTestCase):
    SOURCE = "ORVANE_DEB"

    def install(self, deb):
        self.deb = deb
        self.root = os.path.join(self.tmp, "root")
        subprocess.run(["dpkg-deb", "-x", deb, self.root], check=True, timeout=DEADLINE)
        return os.path.join(self.root, "usr", "bin", "orvane")

    @property
    def files_dir(self):
        return os.path.join(self.env["XDG_CONFIG_HOME"], "Orvane")

    def test_the_installed_copy_works_from_its_layout(self):
        for path in ("share/orvane/history.txt", "share/applications/org.orvane.Orvane.desktop",
                     "share/metainfo/org.orvane.Orvane.metainfo.xml", "share/man/man1/orvane.1.gz",
                     "share/icons/hicolor/scalable/apps/org.orvane.Orvane.svg",
                     "share/icons/hicolor/256x256/apps/org.orvane.Orvane.png",
                     "share/doc/orvane/copyright", "share/doc/orvane/changelog.gz"):
            self.assertTrue(os.path.isfile(os.path.join(self.root, "usr", path)), path)
        # The modules, where the executable looks for them, and what they link among the
        # package's dependencies.
        modules = glob.glob(os.path.join(self.root, "usr", "lib*", "**", "orvane", "orvane-*.so"),
                            recursive=True)
        self.assertEqual(sorted(os.path.basename(m) for m in modules),
                         ["orvane-gio.so", "orvane-sound.so"])
        depends = subprocess.run(["dpkg-deb", "-f", self.deb, "Depends"], check=True,
                                 capture_output=True, text=True).stdout
        for package in ("libpulse0", "libasound2", "libglib2.0-0"):
            self.assertIn(package, depends)
        version = subprocess.run(["dpkg-deb", "-f", self.deb, "Version"], check=True,
                                 capture_output=True, text=True).stdout.strip()
        self.assertEqual(self.run_x(self.bin, "--version").stdout, "Orvane %s\n" % version)

        # The bin folder can be written (root may write /usr/bin too): the layout, not the
        # permission, makes this an installed copy.
        bindir = os.path.dirname(self.bin)
        self.assertTrue(os.access(bindir, os.W_OK))
        self.two_equal_entries()
        self.assertEqual(read_ini(self.ini_path)["checked1"], "1")
        orvane = self.start("hide")
        wait_for(lambda: self.key("ctrl+alt+u") or self.runs("u") > 0, "the hotkey to work")
        self.assertFalse(self.is_visible(), "a start with hide shows no main window")
        self.terminate(orvane)
        self.assertEqual(read_ini(self.ini_path)["checked1"], "0", "saved at SIGTERM")
        self.assertEqual(os.listdir(bindir), ["orvane"])

        # Autorun (on by default) names the installed executable in a valid entry.
        entry = os.path.join(self.env["XDG_CONFIG_HOME"], "autostart", "Orvane.desktop")
        with open(entry) as f:
            self.assertIn('\nExec="%s" hide\n' % self.bin, f.read())
        self.assertEqual(self.run_x("desktop-file-validate", entry).stdout, "")


if __name__ == "__main__":
    unittest.main()
