# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: a start that cannot take a stored hotkey says so once, in a notification on
a private session bus with a fake notification server (fake_notifications.py)."""

import html
import subprocess

import dbus

from harness import DEADLINE, XHELPER, OrvaneTestCase, hotkeys_ini, read_ini, wait_for
from privatebus import FakeNotifications, PrivateBus

J, K = 74, 75
TEST = "org.orvane.FakeNotifications"


class NoticeTests(OrvaneTestCase):
    def setUp(self):
        super().setUp()
        bus = PrivateBus(self.tmp)
        self.addCleanup(bus.stop)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.address
        server = FakeNotifications(bus.address)
        self.addCleanup(server.stop)
        client = dbus.bus.BusConnection(bus.address)
        self.addCleanup(client.close)
        self.server = client.get_object("org.freedesktop.Notifications",
                                        "/org/orvane/FakeNotifications")

    def calls(self):
        return [(int(i), str(app), str(summary), str(body), [str(a) for a in actions])
                for i, app, summary, body, actions
                in self.server.Calls(dbus_interface=TEST, timeout=DEADLINE)]

    def hold(self, keycode, modifiers):
        """Another X client grabs the combination for the rest of the test."""
        holder = subprocess.Popen([XHELPER, "grab", hex(keycode), str(modifiers)], env=self.env,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.addCleanup(holder.wait)
        self.addCleanup(holder.stdin.close)
        self.addCleanup(holder.stdout.close)
        self.assertEqual(holder.stdout.readline().strip(), "ready")

    def test_a_held_combination_is_told_once_and_its_action_opens_the_window(self):
        self.hold(0x6A, 4 | 8)  # Ctrl+Alt+J, as X names the modifiers
        held = self.marker_script("held&kept")  # the server reads markup: "&" is escaped
        self.write_ini(hotkeys_ini([{"key": J, "path": held},
                                    {"key": K, "path": self.marker_script("k")}]))
        orvane = self.start("hide")
        self.addCleanup(orvane.stderr.close)
        [(nid, app, summary, body, actions)] = wait_for(self.calls, "the notification")
        self.assertEqual((app, summary), ("Orvane", "Orvane: 1 hotkey could not be taken"))
        self.assertEqual(body, "Alt+Ctrl+J (%s): another program holds this combination"
                         % html.escape(held))
        self.assertEqual(actions, ["default", "Open Orvane"])

        self.assertIsNone(self.is_visible())
        self.server.Invoke(dbus.UInt32(nid), "default", dbus_interface=TEST, timeout=DEADLINE)
        self.visible_window()
        self.assertEqual(len(self.calls()), 1)
        self.terminate(orvane)
        saved = read_ini(self.ini_path)
        self.assertEqual([saved["checked0"], saved["checked1"]], ["0", "1"])

        # The entry is off now: the next start has nothing to tell, and does not even ask the
        # server. A plain start shows the window after its registration pass, which is when
        # the asking would begin.
        asked = self.server.Asked(dbus_interface=TEST, timeout=DEADLINE)
        self.assertGreater(asked, 0)  # the first start's asking was counted
        again = self.start()
        self.addCleanup(again.stderr.close)
        self.visible_window()
        self.terminate(again)
        self.assertEqual(self.server.Asked(dbus_interface=TEST, timeout=DEADLINE), asked)
        self.assertEqual(len(self.calls()), 1)
