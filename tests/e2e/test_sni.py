# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: Orvane's icon as a StatusNotifierItem, on a private session bus with a
panel's watcher (sni_watcher.py), as desktops without an XEmbed tray show it."""

import os
import subprocess
import sys
import time

import dbus

from harness import DEADLINE, OrvaneTestCase, hotkeys_ini, read_ini, stop_process, wait_for
from privatebus import HERE, PrivateBus
from pulseaudio import LineReader

K, U = 75, 85
WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPERTIES = "org.freedesktop.DBus.Properties"
TEST_WATCHER = "org.orvane.TestWatcher"


class Watcher:
    """sni_watcher.py on a bus, stopped exactly as it was started."""

    def __init__(self, address, *args):
        self.proc = subprocess.Popen(
            [sys.executable, os.path.join(HERE, "sni_watcher.py"), "--address", address, *args],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if LineReader(self.proc.stdout).readline(DEADLINE) != "ready\n":
            self.stop()
            raise RuntimeError("the watcher did not start")

    def stop(self):
        stop_process(self.proc)
        self.proc.stdout.close()


class SniTestCase(OrvaneTestCase):
    def setUp(self):
        super().setUp()
        self.bus = PrivateBus(self.tmp)
        self.addCleanup(self.bus.stop)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.bus.address
        self.client = dbus.bus.BusConnection(self.bus.address)
        self.addCleanup(self.client.close)

    def start_watcher(self):
        watcher = Watcher(self.bus.address)
        self.addCleanup(watcher.stop)
        return watcher

    def start_orvane(self):
        orvane = self.start("hide")
        self.addCleanup(orvane.stderr.close)
        return orvane

    def registered_items(self):
        try:
            watcher = self.client.get_object(WATCHER, "/StatusNotifierWatcher")
            return [str(i) for i in watcher.Get(WATCHER, "RegisteredStatusNotifierItems",
                                                 dbus_interface=PROPERTIES, timeout=DEADLINE)]
        except dbus.exceptions.DBusException:
            return []  # the watcher is between runs

    def item(self):
        """Orvane's item once the watcher lists it: (service, its object)."""
        items = wait_for(self.registered_items, "the icon to register with the watcher")
        self.assertEqual(len(items), 1, items)
        service, path = items[0].split("/", 1)
        return service, self.client.get_object(service, "/" + path)

    def call(self, obj, method, *args, interface=ITEM):
        return obj.get_dbus_method(method, interface)(*args, timeout=DEADLINE)

    def props(self, obj, interface=ITEM):
        return self.call(obj, "GetAll", interface, interface=PROPERTIES)

    def pixmaps(self, item):
        """The icon's pictures as {(width, height): bytes}."""
        return {(int(w), int(h)): bytes(data) for w, h, data in self.props(item)["IconPixmap"]}

    def wait_signal(self, service, name):
        """Waits for the next signal `name` (interface.member) that service sends."""
        monitor = subprocess.Popen(["gdbus", "monitor", "--address", self.bus.address,
                                    "--dest", service], stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL)
        try:
            reader = LineReader(monitor.stdout)
            end = time.monotonic() + DEADLINE
            while True:
                line = reader.readline(max(0.0, end - time.monotonic()))
                self.assertIsNotNone(line, "timed out waiting for " + name)
                if " %s (" % name in line:
                    return
        finally:
            stop_process(monitor)
            monitor.stdout.close()

    def menu_items(self, service, item):
        """The menu's top-level entries as {label: id}, and its object."""
        menu = self.client.get_object(service, str(self.props(item)["Menu"]))
        _, (root, _, children) = self.call(menu, "GetLayout", 0, -1, dbus.Array([], "s"),
                                           interface=MENU)
        self.assertEqual(root, 0)
        entries = {}
        for child in children:
            cid, cprops, _ = child
            if cprops.get("type", "standard") == "standard" and cprops.get("visible", True):
                entries[str(cprops["label"]).replace("_", "")] = int(cid)
        return entries, menu

    def click_menu_item(self, menu, item_id):
        self.call(menu, "Event", item_id, "clicked", dbus.String("", variant_level=1),
                  dbus.UInt32(0), interface=MENU)

    def visible_windows(self):
        """Every visible window of Orvane's, menus included (a menu has only a
        _NET_WM_NAME, so it is found by its class)."""
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", "^orvane$"],
                           env=self.env, capture_output=True, text=True, timeout=DEADLINE)
        return r.stdout.split()

    def wait_hidden(self):
        wait_for(lambda: not self.is_visible(), "the main window to hide")


class SniTests(SniTestCase):
    def test_the_icon_shows_in_the_panel_and_its_click_and_menu_reach_orvane(self):
        # Two equal combinations: the start-up unticks the second, so a save shows in the
        # file. Ctrl+Alt+K shows and hides the main window.
        self.write_ini(hotkeys_ini([{"key": K, "path": "Show/Hide Application"},
                                    {"key": K, "path": "Show/Hide Application"}]))
        self.start_watcher()
        orvane = self.start_orvane()
        service, item = self.item()

        props = self.props(item)
        self.assertEqual(props["Title"], "Orvane")
        self.assertEqual(props["ToolTip"][2], "Orvane")
        self.assertEqual(props["Status"], "Active")
        pixmaps = self.pixmaps(item)
        self.assertEqual(sorted(pixmaps), [(16, 16), (32, 32), (64, 64)])
        for (width, height), data in pixmaps.items():
            self.assertEqual(len(data), width * height * 4, "ARGB32, 4 bytes a pixel")
            # Alpha first (network byte order): every frame is clear in its corners and solid
            # in its middle.
            centre = ((height // 2) * width + width // 2) * 4
            self.assertEqual((data[0], data[centre]), (0, 255), (width, height))
        # The animation reaches the panel: the next frame, announced as a new icon.
        self.wait_signal(service, "org.kde.StatusNotifierItem.NewIcon")
        self.assertNotEqual(self.pixmaps(item), pixmaps)

        # The secondary activation (the middle button) and the wheel have no action; a panel
        # that asks for the menu gets it where it says. The calls are handled in order, so
        # once the menu is up the two before it have had their turn.
        self.assertFalse(self.is_visible(), "a start in the background shows no window")
        self.call(item, "SecondaryActivate", 5, 6)
        self.call(item, "Scroll", 120, "vertical")
        self.call(item, "ContextMenu", 300, 400)
        popup = wait_for(self.visible_windows, "the menu to open")
        self.assertEqual(len(popup), 1, popup)
        self.assertEqual(self.window_origin(popup[0]), (300, 400))
        self.assertFalse(self.is_visible(), "the main window stays hidden")
        self.key("Escape")
        wait_for(lambda: not self.visible_windows(), "the menu to close")

        # Activation is the icon's click: it shows the main window.
        self.call(item, "Activate", 0, 0)
        self.visible_window()

        # The menu: "Show" brings the hidden window back, "Exit" ends Orvane and saves.
        entries, menu = self.menu_items(service, item)
        self.assertEqual(sorted(entries), ["Exit", "Pause hotkeys", "Show"])
        self.key("ctrl+alt+k")
        self.wait_hidden()
        self.click_menu_item(menu, entries["Show"])
        self.visible_window()
        self.assertEqual(read_ini(self.ini_path)["checked1"], "1")
        self.click_menu_item(menu, entries["Exit"])
        self.assertEqual(orvane.wait(DEADLINE), 0)
        self.assertEqual(read_ini(self.ini_path)["checked1"], "0")
        self.assertIn("visibletime", read_ini(self.settings_path), "Settings.ini written at exit")

    def test_a_panel_that_starts_after_orvane_gets_the_icon_and_again_after_a_restart(self):
        # A panel's watcher comes with its host, or takes its name first and has the host
        # register a moment later.
        for host_later in (False, True):
            with self.subTest(host_later=host_later):
                marker = "u-%d" % host_later
                self.write_ini(hotkeys_ini([{"key": U, "path": self.marker_script(marker)},
                                            {"key": K, "path": "Show/Hide Application"}]))
                orvane = self.start_orvane()
                try:
                    # A hotkey that works proves the start-up done, the icon's first placing
                    # included. No window to wait for: press until the grab is in place.
                    wait_for(lambda: self.key("ctrl+alt+u") or self.runs(marker) > 0,
                             "the hotkey to work")
                    self.assertEqual(self.registered_items(), [])
                    self.check_panels(host_later)
                    self.terminate(orvane)
                finally:
                    # The next row needs the single-instance lock.
                    if orvane.poll() is None:
                        orvane.kill()
                        orvane.wait()

    def test_a_panel_that_does_not_answer_holds_nothing_up(self):
        self.write_ini(hotkeys_ini([{"key": U, "path": self.marker_script("u")},
                                    {"key": K, "path": self.marker_script("k")}]))
        orvane = self.start_orvane()
        wait_for(lambda: self.key("ctrl+alt+u") or self.runs("u") > 0, "the hotkey to work")
        watcher = Watcher(self.bus.address, "--hold")
        self.addCleanup(watcher.stop)
        control = self.client.get_object(WATCHER, "/StatusNotifierWatcher")
        wait_for(lambda: self.call(control, "Held", interface=TEST_WATCHER) > 0,
                 "Orvane to ask the new panel")
        # Orvane goes on while the panel owes the answer: a hotkey works...
        self.key("ctrl+alt+k")
        self.wait_runs("k", 1)
        # ... and the answer, whenever it comes, brings the icon.
        self.call(control, "Answer", interface=TEST_WATCHER)
        self.item()
        self.terminate(orvane)

    def check_panels(self, host_later):
        """A panel that comes after Orvane, and once more after a restart, gets the icon,
        and the icon's click works."""
        for run in ("late", "restarted"):
            late_host = host_later and run == "late"
            watcher = Watcher(self.bus.address, *(["--no-host"] if late_host else []))
            try:
                if late_host:
                    watcher_obj = self.client.get_object(WATCHER, "/StatusNotifierWatcher")
                    self.assertFalse(watcher_obj.Get(WATCHER, "IsStatusNotifierHostRegistered",
                                                     dbus_interface=PROPERTIES))
                    self.call(watcher_obj, "RegisterStatusNotifierHost",
                              "org.kde.StatusNotifierHost-late", interface=WATCHER)
                service, item = self.item()
                entries, _ = self.menu_items(service, item)
                self.assertEqual(sorted(entries), ["Exit", "Pause hotkeys", "Show"], run)
                self.assertFalse(self.is_visible(), run)
                self.call(item, "Activate", 0, 0)
                self.visible_window()
                self.key("ctrl+alt+k")
                self.wait_hidden()
            finally:
                watcher.stop()
