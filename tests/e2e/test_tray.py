# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: Orvane's icon in a real XEmbed system tray (trayer) under a window manager."""

import subprocess

from harness import (DEADLINE, NO_SPLASH, XHELPER, OrvaneTestCase, docked_icon, hotkeys_ini,
                     read_ini, start_tray, wait_for)


class TrayTests(OrvaneTestCase):
    def start_tray(self):
        tray, panel = start_tray(self.env)
        self.procs.append(tray)
        return panel

    def icon_window(self, panel):
        return docked_icon(self.env, panel)

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
        self.write_ini("[Tray]\nAnimate=0\n" + NO_SPLASH, self.settings_path)
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
        self.click(menu, width // 2, height * 5 // 6)  # "Exit", the last of three items
        self.assertEqual(orvane.wait(DEADLINE), 0)
        self.assertEqual(read_ini(self.ini_path)["checked1"], "0")
        settings = read_ini(self.settings_path)
        self.assertEqual((settings["animate"], settings["visibletime"]), ("0", "2"))

    def other_client_gets_ctrl_alt_k(self):
        """Whether another X client can grab Ctrl+Alt+K now; it lets go at once."""
        r = subprocess.run([XHELPER, "grab", "0x6b", str(4 | 8)], env=self.env,
                           stdin=subprocess.DEVNULL, capture_output=True, text=True,
                           timeout=DEADLINE)
        return r.returncode == 0

    def test_pause_from_the_tray_menu_frees_the_grab_and_resume_takes_it_back(self):
        self.write_ini(hotkeys_ini([{"key": 75, "path": self.marker_script("k")}]))
        self.start_window_manager()
        panel = self.start_tray()
        self.start("hide")
        # The icon comes once the hotkeys are registered.
        icon = self.icon_window(panel)
        self.assertFalse(self.other_client_gets_ctrl_alt_k())
        for paused in (True, False):
            self.click(icon, 4, 4, button=3)
            menu = self.menu_window(icon)
            _, _, width, height = self.window_geometry(menu)
            self.click(menu, width // 2, height // 2)  # "Pause hotkeys", the middle item
            wait_for(lambda: self.other_client_gets_ctrl_alt_k() == paused,
                     "Ctrl+Alt+K to be %s" % ("free" if paused else "Orvane's again"))
        self.key("ctrl+alt+k")
        self.wait_runs("k", 1)

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
