"""End-to-end: Orvane's icon in a real XEmbed system tray (trayer) under a window manager."""

import subprocess

from harness import OrvaneTestCase, wait_for


class TrayTests(OrvaneTestCase):
    def start_tray(self):
        tray = subprocess.Popen(["trayer", "--edge", "bottom", "--align", "right",
                                 "--widthtype", "pixel", "--width", "64", "--height", "32",
                                 "--SetDockType", "true"], env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(tray)
        # The tray is up once it owns the system tray selection's window.
        out = self.run_x("xdotool", "search", "--sync", "--name", "^panel$").stdout.split()
        return out[0]

    def icon_window(self, panel):
        """Orvane's icon window, once the tray has docked it: a child of the tray's panel
        of Orvane's window class."""
        def find():
            r = subprocess.run(["xwininfo", "-tree", "-id", panel], env=self.env,
                               capture_output=True, text=True)
            for line in r.stdout.splitlines():
                if '("orvane"' in line:
                    return line.split()[0]
            return None
        wait_for(lambda: find() is not None, "the tray icon to dock")
        return find()

    def test_a_start_in_the_background_shows_the_icon_and_a_click_the_window(self):
        self.start_window_manager()
        panel = self.start_tray()
        self.start("hide")
        icon = self.icon_window(panel)
        self.assertFalse(self.is_visible(), "no main window on a start in the background")
        self.click(icon, 4, 4)
        self.visible_window()

    def test_a_tray_that_starts_later_gets_the_icon(self):
        self.start_window_manager()
        self.start()
        self.visible_window()
        panel = self.start_tray()
        self.icon_window(panel)
