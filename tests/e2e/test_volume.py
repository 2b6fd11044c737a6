# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: a real hotkey bound to a volume function changes the volume of a real
PulseAudio server, which ALSA's default device reaches, and shows the volume window."""

import subprocess

from harness import NO_SPLASH, OrvaneTestCase, hotkeys_ini, wait_for
from pulseaudio import LineReader, PulseAudio, wait_change

# Ctrl+Alt+F<n> would be taken by the X server itself (the switch to console n).
V, M = 86, 77


class VolumeTests(OrvaneTestCase):
    def setUp(self):
        super().setUp()
        self.pulse = PulseAudio(self.tmp)
        self.pulse.start()
        self.addCleanup(self.pulse.stop)
        self.env = self.pulse.client_env(self.env, self.env["HOME"])
        self.pulse.pactl("set-sink-volume", "orvane_null", "30000", "20000")
        subscriber = self.pulse.subscribe()
        self.addCleanup(subscriber.stdout.close)
        self.addCleanup(subscriber.wait)
        self.addCleanup(subscriber.kill)
        self.events = LineReader(subscriber.stdout)

    def wait_sink(self, condition, what):
        """Reads the sink's change events until condition() holds."""
        while not condition():
            self.assertTrue(wait_change(self.events), what)

    def test_volume_up_hotkey_raises_the_sink_and_mute_hotkey_mutes_it(self):
        self.write_ini(hotkeys_ini([{"key": V, "path": "VolumeUp"},
                                    {"key": M, "path": "VolumeMute"}]))
        self.start()
        self.visible_window()
        self.key("ctrl+alt+v")
        # Through ALSA the channels are written one after the other, a change for each.
        self.wait_sink(lambda: all(now != before for now, before in
                                   zip(self.pulse.sink_volume(), [30000, 20000])),
                       "both channels of the sink to change")
        # One step of 655.35 mixer units, truncated, on each channel.
        self.assertEqual(self.pulse.sink_volume(), [30655, 20655])
        self.assertFalse(self.pulse.sink_muted())
        self.key("ctrl+alt+m")
        self.wait_sink(self.pulse.sink_muted, "the sink to be muted")
        self.assertEqual(self.pulse.sink_volume(), [30655, 20655])

    def test_volume_up_follows_the_default_output(self):
        """A headset plugged in after the first press, then unplugged again."""
        self.write_ini(hotkeys_ini([{"key": V, "path": "VolumeUp"}]))
        self.start()
        self.visible_window()
        self.key("ctrl+alt+v")
        self.wait_sink(lambda: self.pulse.sink_volume() == [30655, 20655], "the first sink")
        module = self.pulse.pactl("load-module", "module-null-sink",
                                  "sink_name=orvane_headset").strip()
        self.pulse.pactl("set-sink-volume", "orvane_headset", "10000")
        self.pulse.pactl("set-default-sink", "orvane_headset")
        self.key("ctrl+alt+v")
        self.wait_sink(lambda: self.pulse.sink_volume("orvane_headset") == [10655, 10655],
                       "the headset, now the default, to change")
        self.assertEqual(self.pulse.sink_volume(), [30655, 20655])
        self.pulse.pactl("unload-module", module)
        self.key("ctrl+alt+v")
        self.wait_sink(lambda: self.pulse.sink_volume() == [31310, 21310],
                       "the sink left to change")

    def focus(self):
        return self.run_x("xdotool", "getwindowfocus").stdout.strip()

    def test_the_volume_window_shows_without_taking_the_focus_hides_and_can_be_dragged(self):
        self.write_ini(hotkeys_ini([{"key": V, "path": "VolumeUp"}]))
        # The longest visible time: room for the drag while the window is up.
        self.write_ini("[VolumeWindow]\nVisibleTime=5\n" + NO_SPLASH, self.settings_path)
        self.start_window_manager()
        self.start()
        self.visible_window()
        # The window the user types in, opened after Orvane's.
        typing = subprocess.Popen(["xmessage", "-name", "typing", "typing here"], env=self.env)
        self.procs.append(typing)
        holder = self.run_x("xdotool", "search", "--sync", "--onlyvisible", "--classname",
                            "typing").stdout.split()[0]
        wait_for(lambda: self.focus() == holder, "the other window to have the focus")
        self.key("ctrl+alt+v")
        volume = wait_for(lambda: self.is_visible("^Volume$"), "the volume window to show")
        self.assertEqual(self.focus(), holder)

        x, y, _, _ = self.window_geometry(volume)
        self.run_x("xdotool", "mousemove", "--sync", str(x + 100), str(y + 10), "mousedown", "1",
                   "mousemove", "--sync", str(x + 160), str(y + 50), "mouseup", "1")
        wait_for(lambda: self.window_origin(volume) == (x + 60, y + 40), "the window to move")
        self.assertEqual(self.focus(), holder)

        wait_for(lambda: not self.is_visible("^Volume$"), "the volume window to hide")
        self.assertEqual(self.focus(), holder)
        # Shown again where the drag left it.
        self.key("ctrl+alt+v")
        self.assertEqual(wait_for(lambda: self.is_visible("^Volume$"), "the window to show"),
                         volume)
        self.assertEqual(self.window_origin(volume), (x + 60, y + 40))
