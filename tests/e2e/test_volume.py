"""End-to-end: a real hotkey bound to a volume function changes the volume of a real
PulseAudio server, which ALSA's default device reaches."""

from harness import OrvaneTestCase, hotkeys_ini
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

    def test_volume_up_hotkey_raises_the_sink_and_mute_hotkey_mutes_it(self):
        self.write_ini(hotkeys_ini([{"key": V, "path": "VolumeUp"},
                                    {"key": M, "path": "VolumeMute"}]))
        self.start()
        self.visible_window()
        self.key("ctrl+alt+v")
        self.assertTrue(wait_change(self.events), "the sink volume to change")
        # One step of 655.35 mixer units, truncated, on each channel.
        self.assertEqual(self.pulse.sink_volume(), [30655, 20655])
        self.assertFalse(self.pulse.sink_muted())
        self.key("ctrl+alt+m")
        self.assertTrue(wait_change(self.events), "the sink mute to change")
        self.assertTrue(self.pulse.sink_muted())
        self.assertEqual(self.pulse.sink_volume(), [30655, 20655])
