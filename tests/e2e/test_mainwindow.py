# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: the main window clicked with the mouse as a user does, or worked with the
keyboard alone, under a window manager, and the hotkeys following what was done."""

import subprocess
import unittest

from harness import DEADLINE, NO_SPLASH, XHELPER, OrvaneTestCase, hotkeys_ini, read_ini, wait_for

K, J = 75, 74

# Places in the main window's client area (the layout's numbers).
LIST_TOP = 45 + 1 + 20  # list, its border and its header
ROW = 32
PANEL = (2, 272)


def row_centre_y(row):
    return LIST_TOP + row * ROW + ROW // 2


def panel(x, y):
    return PANEL[0] + x, PANEL[1] + y


class MainWindowTests(OrvaneTestCase):
    def setUp(self):
        super().setUp()
        self.start_window_manager()

    def open_window(self, entries):
        self.write_ini(hotkeys_ini(entries))
        self.orvane = self.start()
        return self.visible_window()

    def proves_silent(self, silent, combo_then, marker, count):
        """Presses `silent` and then a combination known to work; once the second one has run,
        the first one would have run before it."""
        self.key(silent)
        self.key(combo_then)
        self.wait_runs(marker, count)

    def test_a_row_check_box_stops_and_restarts_its_hotkey(self):
        window = self.open_window([
            {"key": K, "path": self.marker_script("k")},
            {"key": J, "path": self.marker_script("j")},
        ])
        self.key("ctrl+alt+k")
        self.wait_runs("k", 1)
        # Untick row 0 in the list's check-box strip.
        self.click(window, 14, row_centre_y(0))
        self.proves_silent("ctrl+alt+k", "ctrl+alt+j", "j", 1)
        self.assertEqual(self.runs("k"), 1)
        # Tick it again: it works at once.
        self.click(window, 14, row_centre_y(0))
        self.key("ctrl+alt+k")
        self.wait_runs("k", 2)

    def test_a_key_changed_in_the_panel_takes_over_from_the_old_one(self):
        window = self.open_window([
            {"key": K, "path": self.marker_script("first")},
            {"key": 85, "path": self.marker_script("u")},  # ctrl+alt+u, a witness
        ])
        self.click(window, 300, row_centre_y(0))  # select the row
        self.click(window, *panel(246, 20))  # the key list opens
        self.key("J", "Return")
        self.click(window, *panel(478, 22))  # Apply
        self.key("ctrl+alt+j")
        self.wait_runs("first", 1)
        self.proves_silent("ctrl+alt+k", "ctrl+alt+u", "u", 1)
        self.assertEqual(self.runs("first"), 1)

    def test_a_new_entry_applied_and_exit_is_there_at_the_next_start(self):
        window = self.open_window([{"key": K, "path": "/bin/true"}])
        target = self.marker_script("new")
        self.click(window, 53, 35)  # "Hotkeys"
        self.key("Down", "Return")  # "New"
        self.click(window, *panel(246, 20))  # key list
        self.key("J", "Return")
        self.click(window, *panel(246, 75))  # target field
        self.key("ctrl+a")
        self.run_x("xdotool", "type", "--delay", "5", target)
        self.click(window, *panel(20, 33))  # Enabled
        self.click(window, *panel(478, 22))  # Apply
        self.key("ctrl+alt+j")
        self.wait_runs("new", 1)
        self.click(window, 253, 35)  # "Window"
        self.key("Up", "Return")  # "Exit", the last item
        self.assertEqual(self.orvane.wait(20), 0)

        saved = read_ini(self.ini_path)
        self.assertEqual(saved["count"], "2")
        self.assertEqual((saved["key1"], saved["path1"], saved["checked1"]), ("74", target, "1"))
        self.start()
        self.visible_window()  # shown after the registration pass
        self.key("ctrl+alt+j")
        self.wait_runs("new", 2)

    def test_the_keyboard_alone_adds_edits_applies_and_hides(self):
        window = self.open_window([{"key": K, "path": "/bin/true"}])
        wait_for(lambda: self.run_x("xdotool", "getactivewindow").stdout.strip() == window,
                 "the window to have the keyboard")
        target = self.marker_script("new")
        self.key("F10", "Return")  # Hotkeys > New: Ctrl+Alt+0, unticked
        self.key("Tab", "space")  # Enabled
        self.key("Tab", "Tab", "Tab", "space")  # past Alt and Control, Shift
        self.key("Tab", "Tab", "space", "J", "Return")  # past Win, the key list
        self.key("Tab", "Tab", "Tab", "ctrl+a")  # past Record and Icon, the target field
        self.run_x("xdotool", "type", "--delay", "5", target)
        self.key("Tab", "Return")  # Apply
        self.key("ctrl+alt+shift+j")
        self.wait_runs("new", 1)
        self.assertEqual(read_ini(self.ini_path)["count"], "1")  # Apply writes no file

        self.key("F10", "Right", "Right", "Return")  # Window > Hide, its first item
        wait_for(lambda: self.window_state(window)[1] == "IsUnMapped", "the window to go")
        wait_for(lambda: read_ini(self.ini_path).get("count") == "2", "the table to be written")
        saved = read_ini(self.ini_path)
        self.assertEqual([saved[n + "1"] for n in ("key", "path", "checked", "alt", "ctrl",
                                                   "shift")],
                         ["74", target, "1", "1", "1", "1"])

    def test_deleting_the_last_row_frees_its_keys_and_the_empty_list_stays(self):
        window = self.open_window([{"key": K, "path": self.marker_script("k")}])
        self.key("ctrl+alt+k")
        self.wait_runs("k", 1)
        self.click(window, 300, row_centre_y(0))  # select the row
        self.click(window, 53, 35)  # "Hotkeys"
        self.key("Down", "Down", "Return")  # "Delete Selected"
        question = self.run_x("xdotool", "search", "--sync", "--onlyvisible", "--name",
                              r"^Delete \?$").stdout.split()[0]
        self.run_x("xdotool", "windowactivate", "--sync", question)
        self.key("Return")  # Yes
        wait_for(lambda: not self.is_visible(r"^Delete \?$"), "the question to close")

        # Another program can take the combination at once.
        holder = subprocess.Popen([XHELPER, "grab", "0x6b", str(4 | 8)], env=self.env,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.addCleanup(holder.wait)
        self.addCleanup(holder.stdout.close)
        self.addCleanup(holder.stdin.close)
        self.assertEqual(holder.stdout.readline().strip(), "ready")

        self.terminate(self.orvane)
        self.assertEqual(read_ini(self.ini_path)["count"], "-1")  # not the default table

    def test_minimise_to_tray_leaves_no_window_behind(self):
        self.write_ini(NO_SPLASH + "[MainWindow]\nMinimizeToTray=1\n", self.settings_path)
        window = self.open_window([{"key": K, "path": "Show/Hide Application"},
                                   {"key": J, "path": self.marker_script("j")}])
        for attempt in range(1, 41):  # a lost race shows in some tries only
            wait_for(lambda: self.window_state(window) == ("Normal", "IsViewable"), "the window")
            if attempt == 1:
                self.click(window, 253, 35)  # "Window"
                self.key("Down", "Down", "Return")  # "Minimize"
            else:
                self.run_x("xdotool", "windowminimize", window)
            wait_for(lambda: self.window_state(window)[0] == "Withdrawn", "the window to go")
            self.key("ctrl+alt+j")  # once it has run, Orvane has done all it was going to do
            self.wait_runs("j", attempt)
            self.assertEqual(self.window_state(window), ("Withdrawn", "IsUnMapped"), attempt)
            self.key("ctrl+alt+k")  # back from the tray

    def holder_of(self, keysym, mods):
        """An XClientHelper holding the combination when it can take it, else None."""
        holder = subprocess.Popen([XHELPER, "grab", keysym, str(mods)], env=self.env,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True)
        if holder.stdout.readline().strip() == "ready":
            return holder
        holder.wait()
        holder.stdin.close()
        holder.stdout.close()
        return None

    def wait_until_recording(self):
        """Orvane lets Ctrl+Alt+K go only inside its keyboard grab: once another client can take
        the combination, the recording has begun. The client lets it go again at once."""
        holder = wait_for(lambda: self.holder_of("0x6b", 4 | 8), "the recording to start")
        holder.stdin.close()
        self.assertEqual(holder.wait(DEADLINE), 0)
        holder.stdout.close()

    def test_record_takes_a_super_combination_while_the_hotkeys_stay_silent(self):
        # A layout with an F13 key, kept while the test runs.
        self.hold_the_keymap()
        self.run_x("xmodmap", "-e", "keycode 191 = F13")
        window = self.open_window([
            {"key": K, "path": self.marker_script("k")},
            {"key": J, "path": self.marker_script("j")},
        ])
        self.key("ctrl+alt+k")
        self.wait_runs("k", 1)
        self.click(window, 300, row_centre_y(0))  # select the row
        self.click(window, *panel(282, 46))  # Record

        # The existing hotkey, pressed while recording, is recorded and does not run.
        self.wait_until_recording()
        self.key("ctrl+alt+k")
        # The hotkeys are back once it has ended: the witness runs, after the silent one.
        wait_for(lambda: self.key("ctrl+alt+j") or self.runs("j") > 0, "the hotkeys back")
        self.assertEqual(self.runs("k"), 1)

        # A desktop shortcut on the combination to record: the recording gets it first.
        desktop = self.holder_of("0xffca", 1 | 64)  # F13 with Shift and Super (Mod4)
        self.assertIsNotNone(desktop)
        # From the keyboard alone: Record keeps the focus, Space records again.
        self.key("space")
        self.wait_until_recording()
        self.key("super+shift+F13")
        desktop.stdin.close()  # it lets the combination go for Orvane's Apply
        self.assertEqual(desktop.wait(DEADLINE), 0)
        desktop.stdout.close()
        self.key("Tab", "Tab", "Tab", "Return")  # Icon, the target field, Apply
        wait_for(lambda: self.key("super+shift+F13") or self.runs("k") > 1,
                 "the recorded combination to work")
        self.terminate(self.orvane)
        saved = read_ini(self.ini_path)
        self.assertEqual([saved[n + "0"] for n in ("key", "win", "alt", "ctrl", "shift")],
                         ["124", "1", "0", "0", "1"])


if __name__ == "__main__":
    unittest.main()
