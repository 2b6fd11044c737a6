"""End-to-end: Orvane's icon in a real XEmbed system tray (trayer) under a window manager."""

from harness import OrvaneTestCase, docked_icon, start_tray


class TrayTests(OrvaneTestCase):
    def start_tray(self):
        tray, panel = start_tray(self.env)
        self.procs.append(tray)
        return panel

    def icon_window(self, panel):
        return docked_icon(self.env, panel)

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
