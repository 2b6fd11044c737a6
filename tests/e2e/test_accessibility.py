# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: Orvane as a screen reader finds it over AT-SPI (at-spi2-core's bus on a private
session bus), walked with pyatspi: every shown control of the four windows has a name and a
role that says what it is, the list's rows read as sentences, and changes are announced."""

import os
import signal
import subprocess

from harness import DEADLINE, NO_SPLASH, OrvaneTestCase, hotkeys_ini, stop_process, wait_for
from privatebus import PrivateBus
from pulseaudio import PulseAudio
from test_mainwindow import row_centre_y

K, V = 75, 86
# Roles that say nothing of a control: only for what holds other controls (a tab widget's
# pages are a layered pane).
BARE_ROLES = {"panel", "filler", "layered pane", "unknown", "invalid", "redundant object"}


class AccessibilityBus:
    """at-spi-bus-launcher starts the bus; the registry is started here, not by the bus,
    which would leave it to init (that need not reap it)."""

    def __init__(self, env):
        self.proc = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                     env=env, stderr=subprocess.DEVNULL)
        self.registry = None
        try:
            self.address = wait_for(lambda: ask(env, "--session", "--dest=org.a11y.Bus",
                                                "/org/a11y/bus", "org.a11y.Bus.GetAddress"),
                                    "the accessibility bus")
            self.registry = subprocess.Popen(["/usr/libexec/at-spi2-registryd"],
                                             env=dict(env, AT_SPI_BUS_ADDRESS=self.address),
                                             stdout=subprocess.DEVNULL)
            wait_for(lambda: ask(env, "--bus=" + self.address, "--dest=org.freedesktop.DBus",
                                 "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                                 "string:org.a11y.atspi.Registry") == "boolean true",
                     "the registry")
        except BaseException:
            self.stop()
            raise

    def stop(self):
        if self.registry:
            stop_process(self.registry)
        # The bus before the launcher, which reaps it.
        pids = subprocess.run(["pgrep", "-P", str(self.proc.pid)], capture_output=True,
                              text=True).stdout.split()
        for bus in map(int, pids):
            os.kill(bus, signal.SIGTERM)
            wait_for(lambda: not os.path.exists("/proc/%d" % bus), "the bus to end")
        stop_process(self.proc)


def ask(env, *args):
    r = subprocess.run(["dbus-send", "--print-reply=literal", *args], env=env,
                       capture_output=True, text=True, timeout=DEADLINE)
    return r.stdout.strip() if r.returncode == 0 else None


class AccessibilityTests(OrvaneTestCase):
    def setUp(self):
        super().setUp()
        self.bus = PrivateBus(self.tmp)
        self.addCleanup(self.bus.stop)
        self.env.update(DBUS_SESSION_BUS_ADDRESS=self.bus.address, GSETTINGS_BACKEND="memory",
                        # No screen reader announces itself on this bus.
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        a11y = AccessibilityBus(self.env)
        self.addCleanup(a11y.stop)
        # Qt 6.4 given AT_SPI_BUS_ADDRESS connects to it but never turns its bridge on: Orvane
        # finds the bus through the session bus; pyatspi, here, through the variable.
        os.environ.update(DISPLAY=self.env["DISPLAY"], AT_SPI_BUS_ADDRESS=a11y.address)
        self.pulse = PulseAudio(self.tmp)
        self.pulse.start()
        self.addCleanup(self.pulse.stop)
        self.env = self.pulse.client_env(self.env, self.env["HOME"])
        import pyatspi
        from gi.repository import GLib
        self.atspi, self.loop, self.events = pyatspi, GLib.MainContext.default(), []
        kinds = ("object:state-changed:checked", "object:state-changed:showing",
                 "object:state-changed:enabled", "object:property-change:accessible-value")
        pyatspi.Registry.registerEventListener(self.events.append, *kinds)
        self.addCleanup(pyatspi.Registry.deregisterEventListener, self.events.append, *kinds)

    def has(self, acc, state):
        return acc.getState().contains(state)

    def shown(self, root):
        """Every shown accessible under root, depth first."""
        for child in root:
            if child is not None and self.has(child, self.atspi.STATE_SHOWING):
                yield child
                yield from self.shown(child)

    def find(self, root, role, name=None):
        return next((a for a in self.shown(root)
                     if a.getRoleName() == role and name in (None, a.name)), None)

    def window(self, name):
        def find():
            apps = [a for a in self.atspi.Registry.getDesktop(0) if a and a.name == "Orvane"]
            return next((w for w in self.shown(apps[0]) if w.name == name), None) if apps else None
        return wait_for(find, "the window " + name)

    def assert_readable(self, window):
        """Every shown control has a name and a role that says what it is, but what only holds
        others and the border strips (separators, which have no name)."""
        shown = [(a.getRoleName(), a.name, a.childCount) for a in self.shown(window)]
        self.assertGreater(len(shown), 3)
        self.assertEqual([(role, name) for role, name, children in shown
                          if role in BARE_ROLES and not children
                          or role not in BARE_ROLES | {"separator"} and not name.strip()], [])

    def act(self, acc, action="Press"):
        actions = acc.queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        self.assertIn(action, names, acc.name)
        actions.doAction(names.index(action))

    def event(self, kind, what, match):
        """Waits for an event of that kind that match(event) accepts; returns it."""
        def arrived():
            while self.loop.pending():
                self.loop.iteration(False)
            return next((e for e in self.events if e.type == kind and match(e)), None)
        return wait_for(arrived, "%s of %s" % (kind, what))

    def menu_item(self, main, button, item):
        """Presses a menu button; Qt lists no menu among the windows, a screen reader hears of
        it as it shows."""
        del self.events[:]
        self.act(self.find(main, "push button", button))
        menu = self.event("object:state-changed:showing", "a menu",
                          lambda e: e.source.getRoleName() == "popup menu").source
        self.act(self.find(menu, "menu item", item))

    def test_a_screen_reader_reads_every_window_and_hears_what_changes(self):
        self.write_ini(hotkeys_ini([{"key": K, "path": "/bin/true"},
                                    {"key": V, "path": "VolumeUp", "checked": 0}]))
        # The volume window stays for the longest time the options offer: it is walked shown.
        self.write_ini("[VolumeWindow]\nVisibleTime=5\n" + NO_SPLASH, self.settings_path)
        self.pulse.pactl("set-sink-volume", "orvane_null", "30000", "20000")
        # Without one, a menu opened away from the pointer loses the focus and closes at once.
        self.start_window_manager()
        self.start()
        window = self.visible_window()
        CHECKED = self.atspi.STATE_CHECKED

        with self.subTest("main window"):
            main = self.window("Orvane")
            self.assertEqual(main.getRoleName(), "frame")
            self.assert_readable(main)
            rows = self.find(main, "tree", "Hotkeys").queryTable()
            self.assertEqual(rows.getAccessibleAt(0, 0).name,
                             "Alt+Ctrl+K, /bin/true, ID 1, Active")
            self.assertTrue(self.has(rows.getAccessibleAt(0, 0), CHECKED))
            self.assertFalse(self.has(rows.getAccessibleAt(1, 0), CHECKED))
            self.click(window, 14, row_centre_y(1))
            self.event("object:state-changed:checked", "the second row",
                       lambda e: e.source.name.startswith("Alt+Ctrl+V, VolumeUp") and e.detail1)
            self.act(self.find(main, "check box", "Shift"), "Toggle")
            self.event("object:state-changed:enabled", "Apply",
                       lambda e: e.source.name == "Aplly" and e.detail1)
            self.act(self.find(main, "push button", "Icon  "))
            wait_for(lambda: self.find(main, "list", "Icons"), "the icons")
            self.assert_readable(main)

        with self.subTest("volume window"):
            # The level is announced as the window shows it.
            self.key("ctrl+alt+v")
            left = self.event("object:property-change:accessible-value", "the left bar",
                              lambda e: e.source.name == "Left channel").source
            self.assertGreater(left.queryValue().currentValue, 0)
            volume = self.window("Volume")
            self.assertFalse(self.has(volume, self.atspi.STATE_ACTIVE))
            self.assert_readable(volume)
            self.assertIsNotNone(self.find(volume, "progress bar", "Right channel"))
            self.assertIsNotNone(self.find(volume, "check box", "Mute"))
            self.assertTrue(self.has(volume, self.atspi.STATE_SHOWING), "hidden before the end")

        with self.subTest("options dialog"):
            self.menu_item(main, "View", "Options")
            options = self.window("Options")
            self.assertEqual(options.getRoleName(), "dialog")
            tabs = [t for t in self.find(options, "page tab list") if t.getRoleName() == "page tab"]
            self.assertEqual(len(tabs), 5)
            for tab in tabs:
                self.act(tab)
                # The current tab is the focused one.
                wait_for(lambda: self.has(tab, self.atspi.STATE_FOCUSED), "the page " + tab.name)
                self.assert_readable(options)
            # The last page is the General one. Qt names a list by its item: its caption
            # labels it.
            self.assertFalse(self.has(self.find(options, "check box", "Show Logo at startup"),
                                      CHECKED))
            self.assertEqual([r.getTarget(0).name for r in self.find(options, "combo box", "Blue")
                              .getRelationSet()
                              if r.getRelationType() == self.atspi.RELATION_LABELLED_BY],
                             ["Color scheme"])
            self.act(tabs[2])
            boxes = wait_for(lambda: self.find(options, "check box", "Show CheckBoxes"), "a box")
            self.assertTrue(self.has(boxes, CHECKED))

        with self.subTest("about box"):
            self.menu_item(main, "Help", "About")
            about = self.window("About")
            self.assert_readable(about)
            links = [(a.name, a.description) for a in about if a.getRoleName() == "link"]
            self.assertEqual(links, [(links[0][0], "mailto:" + links[0][0]),
                                     (links[1][0], "https://" + links[1][0])])
