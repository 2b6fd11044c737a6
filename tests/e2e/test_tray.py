"""End-to-end: Orvane's icon in a real XEmbed system tray (trayer) under a window manager."""

import subprocess

from harness import DEADLINE, OrvaneTestCase, read_ini, wait_for


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

    def menu_window(self, icon):
        """The tray menu once it is open: Orvane's other visible window besides the icon."""
        def find():
            r = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "orvane"],
                               env=self.env, capture_output=True, text=True)
            others = [w for w in r.stdout.split() if int(w) != int(icon, 16)]
            return others[0] if others else None
        return wait_for(find, "the tray menu to open")

    def test_exit_from_the_tray_menu_saves_and_ends(self):
        self.two_equal_entries()
        self.write_ini("[Tray]\nAnimate=0\n", self.settings_path)
        self.start_window_manager()
        panel = self.start_tray()
        orvane = self.start("hide")
        icon = self.icon_window(panel)
        self.click(icon, 4, 4, button=3)
        menu = self.menu_window(icon)
        # Nothing saved yet: what the files say afterwards comes from the exit.
        self.assertEqual(read_ini(self.ini_path)["checked1"], "1")
        self.assertNotIn("visibletime", read_ini(self.settings_path))
        _, _, width, height = self.window_geometry(menu)
        self.click(menu, width // 2, height * 3 // 4)  # "Exit", the second of two items
        self.assertEqual(orvane.wait(DEADLINE), 0)
        self.assertEqual(read_ini(self.ini_path)["checked1"], "0")
        settings = read_ini(self.settings_path)
        self.assertEqual((settings["animate"], settings["visibletime"]), ("0", "2"))

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
