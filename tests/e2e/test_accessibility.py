# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: what a screen reader finds in Orvane over AT-SPI. Orvane runs on its own X
server with a private session bus and the accessibility bus of at-spi2-core, and the test
walks its windows with pyatspi as Orca would: every control that shows has a name and a role
that says what it is, the hotkey list's rows read as sentences, check boxes tell their state,
and a tick in the list and a new volume level are announced as events."""

import os
import signal
import subprocess

from harness import DEADLINE, NO_SPLASH, OrvaneTestCase, hotkeys_ini, stop_process, wait_for
from privatebus import PrivateBus
from pulseaudio import PulseAudio
from test_mainwindow import row_centre_y

K, V = 75, 86
# The centres of the View and Help menu buttons in the main window.
VIEW, HELP = (153, 35), (353, 35)
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
REGISTRY = "/usr/libexec/at-spi2-registryd"
# Roles that say nothing of what a control is: allowed only for what holds other controls.
BARE_ROLES = {"panel", "filler", "unknown", "invalid", "redundant object"}
# What has no name by nature: the windows' border strips.
UNNAMED_ROLES = {"separator"}


class AccessibilityBus:
    """The accessibility bus as a desktop session has it: at-spi-bus-launcher on the session
    bus starts the bus, and the registry runs on it. The registry is started here rather than
    by the bus, which would leave it to init (that need not reap it)."""

    def __init__(self, env):
        self.registry = None
        self.proc = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            self.address = wait_for(lambda: self.ask(
                env, "--session", "--dest=org.a11y.Bus", "/org/a11y/bus",
                "org.a11y.Bus.GetAddress"), "the accessibility bus")
            self.registry = subprocess.Popen(
                [REGISTRY], env=dict(env, AT_SPI_BUS_ADDRESS=self.address),
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            wait_for(lambda: self.ask(
                env, "--bus=" + self.address, "--dest=org.freedesktop.DBus",
                "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                "string:org.a11y.atspi.Registry") == "boolean true", "the registry")
        except BaseException:
            self.stop()
            raise

    @staticmethod
    def ask(env, *args):
        r = subprocess.run(["dbus-send", "--print-reply=literal", *args], env=env,
                           capture_output=True, text=True, timeout=DEADLINE)
        return r.stdout.strip() if r.returncode == 0 else None

    def stop(self):
        if self.registry:
            stop_process(self.registry)
        # The bus is ended before the launcher, which reaps it.
        for bus in children(self.proc.pid):
            os.kill(bus, signal.SIGTERM)
            wait_for(lambda: not os.path.exists("/proc/%d" % bus), "the bus to end")
        stop_process(self.proc)


def children(pid):
    """The processes whose parent is pid."""
    found = []
    for entry in os.listdir("/proc"):
        try:
            with open("/proc/%s/stat" % entry) as f:
                stat = f.read()
        except OSError:
            continue
        # The fields after the command, which may hold blanks and brackets: state, parent.
        if entry.isdigit() and int(stat.rsplit(")", 1)[1].split()[1]) == pid:
            found.append(int(entry))
    return found


class AccessibilityTests(OrvaneTestCase):
    def setUp(self):
        super().setUp()
        self.bus = PrivateBus(self.tmp)
        self.addCleanup(self.bus.stop)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.bus.address
        self.env["GSETTINGS_BACKEND"] = "memory"
        a11y = AccessibilityBus(self.env)
        self.addCleanup(a11y.stop)
        # Qt 6.4 finds the bus through the session bus only: given AT_SPI_BUS_ADDRESS it
        # connects but never turns its bridge on. Always on: no screen reader announces itself.
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.pulse = PulseAudio(self.tmp)
        self.pulse.start()
        self.addCleanup(self.pulse.stop)
        self.env = self.pulse.client_env(self.env, self.env["HOME"])
        # pyatspi finds the bus from this process's environment when it is first imported.
        os.environ.update({"DISPLAY": self.env["DISPLAY"], "AT_SPI_BUS_ADDRESS": a11y.address,
                           "DBUS_SESSION_BUS_ADDRESS": self.bus.address})
        import pyatspi
        self.atspi = pyatspi


        from gi.repository import GLib
        self.main_context = GLib.MainContext.default()
        self.events = []
        listener = self.events.append
        types = ("object:state-changed:checked", "object:state-changed:showing",
                 "object:property-change:accessible-value")
        pyatspi.Registry.registerEventListener(listener, *types)
        self.addCleanup(pyatspi.Registry.deregisterEventListener, listener, *types)

    # --- the tree ----------------------------------------------------------------------
    def app(self):
        def find():
            for app in self.atspi.Registry.getDesktop(0):
                if app is not None and app.name == "Orvane":
                    return app
            return None
        return wait_for(find, "Orvane on the accessibility bus")

    def showing(self, acc):
        return acc.getState().contains(self.atspi.STATE_SHOWING)

    def window(self, name):
        """The shown top-level of Orvane whose name is name."""
        def find():
            for w in self.app():
                if w is not None and w.name == name and self.showing(w):
                    return w
            return None
        return wait_for(find, "the window " + name)

    def find(self, root, role, name=None):
        """The first shown accessible under root with that role (and name)."""
        if root.getRoleName() == role and (name is None or root.name == name):
            return root
        for child in root:
            if child is not None and self.showing(child):
                found = self.find(child, role, name)
                if found:
                    return found
        return None

    def walk(self, root, problems, path=""):
        """Adds to problems every shown control under root that a screen reader could not
        name, or whose role says nothing of it."""
        for child in root:
            if child is None or not self.showing(child):
                continue
            role = child.getRoleName()
            where = "%s/%s %r" % (path, role, child.name)
            if child.childCount:
                self.walk(child, problems, where)
            elif role in BARE_ROLES:
                problems.append(where + ": a bare " + role)
            elif not child.name.strip() and role not in UNNAMED_ROLES:
                problems.append(where + ": no name")
        return problems

    def assert_readable(self, window):
        self.assertEqual(self.walk(window, []), [])

    def press(self, acc):
        action = acc.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        self.assertIn("Press", names, acc.name)
        action.doAction(names.index("Press"))

    def menu_item(self, button, item):
        """Clicks a menu button of the main window and presses an item of the menu it opens.
        Qt lists no menu among the application's windows: a screen reader learns of it by
        its being shown."""
        del self.events[:]
        self.click(self.visible_window(), *button)
        self.wait_event("object:state-changed:showing", "", 1, role="popup menu")
        menu = next(e.source for e in self.events if e.source.getRoleName() == "popup menu")
        self.press(self.find(menu, "menu item", item))

    def checked(self, acc):
        return acc.getState().contains(self.atspi.STATE_CHECKED)

    # --- events ------------------------------------------------------------------------
    def wait_event(self, kind, source, value=None, role=None):
        """Waits for an event of that kind from an accessible whose name starts with source
        (and of that role)."""
        def arrived():
            while self.main_context.pending():
                self.main_context.iteration(False)
            return any(e.type == kind and e.source.name.startswith(source)
                       and (value is None or e.detail1 == value)
                       and (role is None or e.source.getRoleName() == role)
                       for e in self.events)
        wait_for(arrived, "%s from %s" % (kind, source))

    # --- the story ---------------------------------------------------------------------
    def test_a_screen_reader_reads_every_window_and_hears_what_changes(self):
        self.write_ini(hotkeys_ini([{"key": K, "path": "/bin/true"},
                                    {"key": V, "path": "VolumeUp", "checked": 0}]))
        # The longest the volume window stays: it is walked while it shows.
        self.write_ini("[VolumeWindow]\nVisibleTime=5\n" + NO_SPLASH, self.settings_path)
        self.pulse.pactl("set-sink-volume", "orvane_null", "30000", "20000")
        self.start()
        self.visible_window()

        with self.subTest("main window"):
            main = self.window("Orvane")
            self.assertEqual(main.getRoleName(), "frame")
            self.assert_readable(main)
            table = self.find(main, "tree", "Hotkeys").queryTable()
            first, second = table.getAccessibleAt(0, 0), table.getAccessibleAt(1, 0)
            self.assertEqual(first.name, "Alt+Ctrl+K, /bin/true, ID 1, Active")
            self.assertTrue(self.checked(first))
            self.assertIn("VolumeUp", second.name)
            self.assertFalse(self.checked(second))
            # A tick in the list's strip of boxes is announced as one.
            self.click(self.visible_window(), 14, row_centre_y(1))
            self.wait_event("object:state-changed:checked", "Alt+Ctrl+V, VolumeUp", 1)
            self.assertTrue(self.checked(table.getAccessibleAt(1, 0)))

        with self.subTest("volume window"):
            # A level shown while the window is up is announced by its bars.
            self.key("ctrl+alt+v")
            volume = self.window("Volume")
            left = self.find(volume, "progress bar", "Left channel")
            before = left.queryValue().currentValue
            self.key("ctrl+alt+v")
            self.wait_event("object:property-change:accessible-value", "Left channel")
            self.assertGreater(left.queryValue().currentValue, before)
            self.assertFalse(volume.getState().contains(self.atspi.STATE_ACTIVE))
            self.assert_readable(volume)
            self.assertIsNotNone(self.find(volume, "progress bar", "Right channel"))
            self.assertIsNotNone(self.find(volume, "check box", "Mute"))
            self.assertTrue(self.showing(volume), "the window hid before the walk ended")

        with self.subTest("options dialog"):
            self.menu_item(VIEW, "Options")
            options = self.window("Options")
            self.assertEqual(options.getRoleName(), "dialog")
            tabs = self.find(options, "page tab list")
            pages = [t for t in tabs if t is not None and t.getRoleName() == "page tab"]
            self.assertEqual(len(pages), 5)
            for tab in pages:
                self.press(tab)
                # Qt marks the current tab as the focused one.
                wait_for(lambda: tab.getState().contains(self.atspi.STATE_FOCUSED),
                         "the page " + tab.name)
                self.assert_readable(options)
                if tab.name == "General":
                    self.assertFalse(self.checked(
                        self.find(options, "check box", "Show Logo at startup")))
                if tab.name == "Hotkeys List":
                    self.assertTrue(self.checked(
                        self.find(options, "check box", "Show CheckBoxes")))

        with self.subTest("about box"):
            self.menu_item(HELP, "About")
            about = self.window("About")
            self.assert_readable(about)
            links = [a for a in about if a is not None and a.getRoleName() == "link"]
            self.assertEqual([(a.name, a.description) for a in links],
                             [(links[0].name, "mailto:" + links[0].name),
                              (links[1].name, "https://" + links[1].name)])
