# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: the real Orvane on a real X server, driven by real key presses."""

import os
import re
import shutil
import subprocess
import unittest

from harness import XHELPER, OrvaneTestCase, hotkeys_ini, read_ini, wait_for

K, J, U, Y, F5, F6 = 75, 74, 85, 89, 116, 117


def keymap_keycodes(keymap):
    """From xkbcomp's text of a keyboard map: {key name: keycode} and {key name: the
    symbol of its first level in its first group}."""
    codes = {name: int(code) for name, code in re.findall(r"<(\w+)>\s*=\s*(\d+);", keymap)}
    first = {}
    for name, body in re.findall(r"\bkey\s+<(\w+)>\s*\{(.*?)\};", keymap, re.S):
        m = re.search(r"(?:symbols\[Group1\]\s*=\s*|^\s*)\[\s*([^,\s\]]+)", body)
        if m:
            first[name] = m.group(1)
    return codes, first


class PressTests(OrvaneTestCase):
    def test_pressed_combination_runs_its_target(self):
        self.write_ini(hotkeys_ini([{"key": K, "path": self.marker_script("k")}]))
        self.start()
        self.visible_window()
        self.key("ctrl+alt+k")
        self.wait_runs("k", 1)

    def test_lock_modifiers_do_not_stop_a_hotkey(self):
        self.write_ini(hotkeys_ini([{"key": K, "path": self.marker_script("k")}]))
        self.start()
        self.visible_window()
        self.key("Num_Lock")
        self.key("ctrl+alt+k")
        self.wait_runs("k", 1)
        self.key("Caps_Lock")
        self.key("ctrl+alt+k")
        self.wait_runs("k", 2)
        self.key("Num_Lock")
        self.key("ctrl+alt+k")
        self.wait_runs("k", 3)

    def test_bare_key_and_ctrl_combination_are_different_hotkeys(self):
        self.write_ini(hotkeys_ini([
            {"key": F5, "path": self.marker_script("bare"), "alt": 0, "ctrl": 0},
            {"key": F6, "path": self.marker_script("ctrl"), "alt": 0, "ctrl": 1},
        ]))
        self.start()
        self.visible_window()
        # The wrong combinations first; each right one after it proves the wrong one, had
        # it fired, would have been handled (and started) before.
        self.key("ctrl+F5")
        self.key("F6")
        self.key("F5")
        self.wait_runs("bare", 1)
        self.key("ctrl+F6")
        self.wait_runs("ctrl", 1)
        self.assertEqual(self.runs("bare"), 1)

    def test_a_background_start_stays_hidden_and_its_hotkeys_work(self):
        self.write_ini(hotkeys_ini([{"key": K, "path": self.marker_script("k")}]))
        self.start("hide")
        # No window to wait for: press until the grab is in place.
        wait_for(lambda: self.key("ctrl+alt+k") or self.runs("k") > 0, "the hotkey to work")
        self.assertFalse(self.is_visible())

    def keymap(self):
        return keymap_keycodes(self.run_x("xkbcomp", "-xkb", self.env["DISPLAY"], "-").stdout)

    def keycode_typing(self, keysym):
        """The keycode whose key types keysym unshifted in the first group, or None."""
        codes, first = self.keymap()
        names = [name for name, sym in first.items() if sym == keysym]
        return codes[names[0]] if names else None

    def keycode_named(self, name):
        return self.keymap()[0].get(name)

    def test_keyboard_layout_change_renews_the_grabs(self):
        self.write_ini(hotkeys_ini([{"key": Y, "path": self.marker_script("y")}]))
        self.start()
        self.visible_window()
        us_y = self.keycode_typing("y")
        self.assertIsNotNone(us_y)
        self.key("ctrl+alt+y")
        self.wait_runs("y", 1)
        # On a German layout Y sits where Z was: only a renewed grab catches it.
        self.run_x("setxkbmap", "de")
        de_y = self.keycode_typing("y")
        self.assertNotIn(de_y, (None, us_y), "the layout did not change")
        self.assertEqual(self.keycode_typing("z"), us_y)
        wait_for(lambda: self.key("ctrl+alt+y") or self.runs("y") > 1,
                 "the hotkey to work on the new layout")

    def test_letters_of_a_layout_without_latin_ones_are_the_keys_at_their_us_places(self):
        # No Hotkeys.ini: the default table, whose Ctrl+Alt+H shows and hides the window.
        self.hold_the_keymap()
        self.run_x("setxkbmap", "ru")
        self.assertIsNone(self.keycode_typing("h"), "the layout has Latin letters")
        h_key = self.keycode_named("AC06")
        self.assertEqual(self.keycode_typing("Cyrillic_er"), h_key)
        orvane = self.start()
        self.visible_window()
        self.run_x(XHELPER, "press-code", str(h_key))
        wait_for(lambda: not self.is_visible(), "the window to hide")
        self.terminate(orvane)
        saved = read_ini(self.ini_path)
        self.assertEqual(saved["count"], "20")
        self.assertEqual(saved["checked11"], "1")  # Ctrl+Alt+H
        # A first start leaves Ctrl+Shift+E, C, M, N, S and W to terminals, browsers and
        # editors.
        self.assertEqual([saved["checked%d" % i] for i in (0, 3, 6, 8, 12, 19)], ["0"] * 6)

    def test_a_key_name_never_takes_another_names_key_and_waits_for_its_own(self):
        # German: "/" is Shift+7, the US "/" key is "-", "[" is AltGr+8 and its US key "ü".
        self.hold_the_keymap()
        self.run_x("setxkbmap", "de")
        self.assertIsNone(self.keycode_typing("slash"), "the layout types / unshifted")
        self.assertEqual(self.keycode_typing("udiaeresis"), self.keycode_named("AD11"))
        self.write_ini(hotkeys_ini([{"key": key, "path": self.marker_script(name)} for key, name
                                    in ((191, "slash"), (55, "seven"), (219, "bracket"))]))
        orvane = self.start()
        self.visible_window()
        self.key("ctrl+alt+7", "ctrl+alt+udiaeresis")
        self.wait_runs("seven", 1)
        self.wait_runs("bracket", 1)
        self.assertEqual(self.runs("slash"), 0)

        self.run_x("setxkbmap", "us")
        wait_for(lambda: self.key("ctrl+alt+slash") or self.runs("slash") > 0,
                 "the hotkey of / to work on a US layout")
        self.terminate(orvane)
        saved = read_ini(self.ini_path)
        self.assertEqual([saved["checked%d" % i] for i in range(3)], ["1"] * 3)
        self.assertEqual(self.runs("seven"), 1)


    def test_super_combinations_and_a_keyboards_volume_key_are_hotkeys(self):
        # A keyboard whose volume key is on a keycode of its own: a spare one takes the
        # symbol, and the key Xvfb had for it gives it up.
        self.hold_the_keymap()
        pke = self.run_x("xmodmap", "-pke").stdout
        spare = max(int(c) for c, syms in re.findall(r"keycode +(\d+) =(.*)", pke)
                    if not syms.strip())
        self.run_x("xmodmap", "-e", "keycode %d = XF86AudioRaiseVolume" % spare,
                   "-e", "keycode 123 =")
        pke = self.run_x("xmodmap", "-pke").stdout
        self.assertRegex(pke, r"keycode +%d = XF86AudioRaiseVolume" % spare)
        self.assertNotRegex(pke, r"keycode +123 = XF86AudioRaiseVolume")
        self.write_ini(hotkeys_ini([
            {"key": K, "path": self.marker_script("super"), "alt": 0, "ctrl": 0, "win": 1},
            {"key": 175, "path": self.marker_script("volume"), "alt": 0, "ctrl": 0},
            {"key": J, "path": self.marker_script("end")},
        ]))
        self.start()
        self.visible_window()
        # Alt with the letter is not Super with it: had it fired, it would run before "end".
        self.key("alt+k", "ctrl+alt+j")
        self.wait_runs("end", 1)
        self.assertEqual(self.runs("super"), 0)
        self.key("super+k")
        self.wait_runs("super", 1)
        self.key("XF86AudioRaiseVolume")
        self.wait_runs("volume", 1)
        self.assertEqual(self.runs("super"), 1)


class RegistrationTests(OrvaneTestCase):
    def test_refused_combinations_end_disabled_in_the_saved_file(self):
        holder = subprocess.Popen([XHELPER, "grab", "0x6a", str(4 | 8)], env=self.env,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.addCleanup(holder.wait)
        self.addCleanup(holder.stdin.close)
        self.assertEqual(holder.stdout.readline().strip(), "ready")

        script = self.marker_script("u")
        self.write_ini(hotkeys_ini([
            {"key": J, "path": script},  # held by the other client
            {"key": U, "path": script},
            {"key": U, "path": script},  # the same combination a second time
        ]))
        orvane = self.start()
        self.visible_window()
        self.key("ctrl+alt+u")
        self.wait_runs("u", 1)
        self.terminate(orvane)
        saved = read_ini(self.ini_path)
        self.assertEqual([saved["checked0"], saved["checked1"], saved["checked2"]], ["0", "1", "0"])


class LifeCycleTests(OrvaneTestCase):
    def test_second_instance_raises_the_first_and_ends(self):
        self.write_ini(hotkeys_ini([{"key": K, "path": self.marker_script("k")}]))
        first = self.start("hide")
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "Orvane 2.socket")
        wait_for(lambda: os.path.exists(socket), "the first instance to listen")
        self.assertFalse(self.is_visible())
        second = self.start()
        self.assertEqual(second.wait(20), 0)
        self.visible_window()
        self.assertIsNone(first.poll())
        out = subprocess.run(["pgrep", "-c", "-f", self.bin], capture_output=True, text=True)
        self.assertEqual(out.stdout.strip(), "1")
        self.key("ctrl+alt+k")
        self.wait_runs("k", 1)

    def test_close_request_hides_and_sigterm_saves(self):
        self.write_ini("[HotKeys]\r\nCount=1\r\nKey0=0x4B\r\nChecked0=1\r\nPath0=%s\r\n"
                       "; a comment the save keeps\r\n" % self.marker_script("k"))
        orvane = self.start()
        window = self.visible_window()
        self.run_x(XHELPER, "close", window)
        wait_for(lambda: not self.is_visible(), "the window to hide")
        self.assertIsNone(orvane.poll())
        self.key("ctrl+alt+k")
        self.wait_runs("k", 1)
        self.terminate(orvane)
        saved = read_ini(self.ini_path)
        self.assertEqual(saved["key0"], "75")
        self.assertEqual(saved["image0"], "34")
        self.assertEqual([saved["alt0"], saved["ctrl0"], saved["shift0"]], ["1", "1", "0"])
        with open(self.ini_path, "rb") as f:
            self.assertIn(b"; a comment the save keeps", f.read())

    def test_binary_hotkeys_file_neither_crashes_nor_is_lost(self):
        garbage = bytes(range(256)) * 64 + b"\n[HotKeys]\nCount=1\nKey0=75\nChecked0=1\n"
        self.write_ini(garbage)
        orvane = self.start()
        self.visible_window()
        self.terminate(orvane)
        saved = read_ini(self.ini_path)
        self.assertEqual(saved["count"], "1")
        self.assertEqual(saved["key0"], "75")


class ReadOnlyInstallTests(OrvaneTestCase):
    def setUp(self):
        super().setUp()
        # An installed copy: the executable's directory is a read-only file system.
        self.ro = os.path.join(self.tmp, "installed")
        os.makedirs(self.ro)
        if os.geteuid() != 0 or subprocess.run(
                ["mount", "-t", "tmpfs", "-o", "size=64m", "tmpfs", self.ro],
                capture_output=True).returncode != 0:
            self.skipTest("needs root to mount a read-only file system")
        self.addCleanup(subprocess.run, ["umount", "-l", self.ro])
        # Its modules stay where the first copy has them: ../lib/orvane from here as well.
        shutil.copy2(self.bin, self.ro)
        subprocess.run(["mount", "-o", "remount,ro", self.ro], check=True)
        self.bin = os.path.join(self.ro, "orvane")

    def test_files_fall_back_to_the_users_configuration(self):
        config = os.path.join(self.env["XDG_CONFIG_HOME"], "Orvane")
        os.makedirs(config)
        with open(os.path.join(config, "Hotkeys.ini"), "w") as f:
            f.write("[HotKeys]\nCount=1\nKey0=75\nChecked0=1\nPath0=%s\n" % self.marker_script("k"))
        orvane = self.start()
        self.visible_window()
        self.key("ctrl+alt+k")
        self.wait_runs("k", 1)
        self.terminate(orvane)
        saved = read_ini(os.path.join(config, "Hotkeys.ini"))
        self.assertEqual(saved["image0"], "34")  # written by the save, not by the test
        self.assertEqual(saved["shift0"], "0")
        self.assertFalse(os.path.exists(os.path.join(self.ro, "Hotkeys.ini")))


if __name__ == "__main__":
    unittest.main()
