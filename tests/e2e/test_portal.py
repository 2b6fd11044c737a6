# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: in a Wayland session Orvane's hotkeys go through the desktop's
GlobalShortcuts portal, here a fake one on a private session bus; Orvane's windows stay on
the test's X server, as they would on XWayland."""

import os
import signal
import threading
import unittest

import dbus

from harness import DEADLINE, OrvaneTestCase, hotkeys_ini, read_ini, wait_for
from privatebus import XDG_DESKTOP_PORTAL, FakePortal, PrivateBus, RealPortal
from pulseaudio import PulseAudio

J, K, U = 74, 75, 85


class PortalTestCase(OrvaneTestCase):
    def setUp(self):
        super().setUp()
        self.bus = PrivateBus(self.tmp)
        self.addCleanup(self.bus.stop)
        self.env.update({"DBUS_SESSION_BUS_ADDRESS": self.bus.address,
                         "XDG_SESSION_TYPE": "wayland",
                         "QT_LOGGING_RULES": "orvane.*=true"})
        self.client = dbus.bus.BusConnection(self.bus.address)
        self.addCleanup(self.client.close)
        self.log = []
        self.control = "org.freedesktop.portal.Desktop"  # where the fake takes orders

    def start_fake(self, *args):
        fake = FakePortal(self.bus.address, *args)
        self.addCleanup(fake.stop)
        return fake

    def start_orvane(self, hidden=True):
        proc = self.start(*(["hide"] if hidden else []))
        reader = threading.Thread(target=self._read_log, args=(proc.stderr,), daemon=True)
        reader.start()
        self.reader = reader
        self.addCleanup(proc.stderr.close)
        self.addCleanup(reader.join, DEADLINE)
        self.addCleanup(lambda: proc.poll() is None and (proc.kill(), proc.wait()))
        return proc

    def _read_log(self, pipe):
        for line in iter(pipe.readline, b""):
            self.log.append(line.decode(errors="replace").rstrip("\n"))

    def logged(self, text):
        return any(text in line for line in self.log)

    def fake(self, method, *args):
        obj = self.client.get_object(self.control, "/org/orvane/FakePortal")
        return obj.get_dbus_method(method, "org.orvane.FakePortal")(*args, timeout=DEADLINE)

    def bound(self):
        """The fake's newest session as {trigger: shortcut id}."""
        try:
            return {str(t): str(sid) for sid, t in self.fake("Bound")}
        except dbus.exceptions.DBusException:
            return {}  # the fake is between runs

    def wait_bound(self, *triggers):
        return wait_for(lambda: (lambda b: b if all(t in b for t in triggers) else None)(
            self.bound()), "the shortcuts %s to be bound" % (triggers,))

    def press(self, sid, *, release=True):
        self.fake("Activate", sid)
        if release:
            self.fake("Deactivate", sid)


    def super_volume_up(self, style):
        """An entry on Super and a media key: the desktop knows them as LOGO and an XF86 name."""
        return {"key": 175, "path": self.marker_script("v-" + style), "alt": 0, "ctrl": 0,
                "win": 1}

    def check_presses(self, style):
        ids = self.wait_bound("CTRL+ALT+k", "CTRL+ALT+SHIFT+j", "LOGO+XF86AudioRaiseVolume")
        self.press(ids["LOGO+XF86AudioRaiseVolume"])
        self.wait_runs("v-" + style, 1)
        # Held: a second activation before the release is a repeat, which a program target
        # ignores; after the release a press runs it again. The press of another entry
        # afterwards orders the checks.
        self.press(ids["CTRL+ALT+k"], release=False)
        self.press(ids["CTRL+ALT+k"])
        self.press(ids["CTRL+ALT+k"])
        self.press(ids["CTRL+ALT+SHIFT+j"])
        self.wait_runs("j-" + style, 1)
        self.wait_runs("k-" + style, 2)
        wait_for(lambda: self.logged("CTRL+ALT+k -> Active: the desktop assigned"),
                 "the desktop's key in the row's status")
        # Where CreateSession bound them, BindShortcuts (which there opens the desktop's
        # settings) is not called; elsewhere once, as the start builds one session.
        self.assertEqual(self.fake("BindCalls"), 1 if style == "bind" else 0)


class PortalTests(PortalTestCase):
    def test_entries_are_bound_and_a_press_runs_its_target_once(self):
        # Plasma 5.27 binds what CreateSession carries; newer desktops need BindShortcuts.
        for style in ("create", "bind"):
            with self.subTest(style=style):
                self.log.clear()
                fake = self.start_fake("--style", style)
                self.write_ini(hotkeys_ini([
                    {"key": K, "path": self.marker_script("k-" + style)},
                    {"key": J, "path": self.marker_script("j-" + style), "shift": 1},
                    self.super_volume_up(style)]))
                orvane = self.start_orvane()
                try:
                    self.check_presses(style)
                    self.terminate(orvane)
                finally:
                    # The next style needs the bus name and the single-instance lock.
                    if orvane.poll() is None:
                        orvane.kill()
                        orvane.wait()
                    fake.stop()

    def test_a_press_before_the_desktops_answer_runs_its_target(self):
        self.start_fake("--style", "create", "--hold-answers")
        self.write_ini(hotkeys_ini([{"key": K, "path": self.marker_script("k")}]))
        orvane = self.start_orvane()
        self.press(self.wait_bound("CTRL+ALT+k")["CTRL+ALT+k"])
        self.assertFalse(self.logged("CTRL+ALT+k -> Active"), self.log)
        self.fake("Answer")
        self.wait_runs("k", 1)
        wait_for(lambda: self.logged("CTRL+ALT+k -> Active"), "the desktop's answer")
        self.terminate(orvane)

    def test_a_key_the_desktop_does_not_assign_says_so(self):
        self.start_fake("--taken", "CTRL+ALT+j")
        self.write_ini(hotkeys_ini([{"key": K, "path": self.marker_script("k")},
                                    {"key": J, "path": self.marker_script("j")}]))
        orvane = self.start_orvane()
        wait_for(lambda: self.logged("CTRL+ALT+j -> Off: no key assigned by the desktop"),
                 "the status of the taken key")
        self.assertTrue(self.logged("CTRL+ALT+k -> Active"), self.log)
        self.terminate(orvane)
        # The entry keeps its tick: the user may give it a key in the desktop's settings.
        self.assertEqual(read_ini(self.ini_path)["checked1"], "1")

    def test_the_portal_restarting_or_closing_the_session_loses_no_hotkey(self):
        fake = self.start_fake()
        self.write_ini(hotkeys_ini([{"key": K, "path": self.marker_script("k")}]))
        orvane = self.start_orvane()
        self.wait_bound("CTRL+ALT+k")
        fake.stop()
        wait_for(lambda: self.logged("the portal left the bus"), "Orvane to see the portal go")
        self.start_fake()
        self.press(self.wait_bound("CTRL+ALT+k")["CTRL+ALT+k"])
        self.wait_runs("k", 1)

        self.fake("CloseSession")
        self.assertEqual(self.bound(), {})
        self.press(self.wait_bound("CTRL+ALT+k")["CTRL+ALT+k"])
        self.wait_runs("k", 2)
        self.terminate(orvane)

    def test_without_a_portal_the_user_is_told_and_nothing_is_unchecked(self):
        self.write_ini(hotkeys_ini([{"key": K, "path": self.marker_script("k")},
                                    {"key": J, "path": self.marker_script("j")}]))
        orvane = self.start_orvane()
        wait_for(lambda: self.logged("telling the user: This desktop offers no global-shortcut "
                                     "service to applications; use an X11 session, or bind a "
                                     "desktop shortcut to Orvane"), "the message")
        # Started hidden: the one window shown is the message box.
        self.visible_window()
        orvane.send_signal(signal.SIGTERM)
        self.assertEqual(orvane.wait(DEADLINE), 0)
        values = read_ini(self.ini_path)
        self.assertEqual((values["checked0"], values["checked1"]), ("1", "1"))


    def test_answers_of_an_unknown_form_are_ignored_and_a_failed_session_is_asked_for_again(self):
        # The first session's handle comes as a number; the next one's shortcuts as a(ss),
        # which leaves BindShortcuts to bind them.
        self.start_fake("--style", "create", "--bad-handle", "--bad-shortcuts")
        self.write_ini(hotkeys_ini([{"key": K, "path": self.marker_script("k")}]))
        orvane = self.start_orvane()
        wait_for(lambda: self.logged("asking for a shortcut session again"), "a retry")
        wait_for(lambda: self.logged("CTRL+ALT+k -> Active"), "the key's status")
        self.assertGreater(self.fake("BindCalls"), 0)
        sid = self.wait_bound("CTRL+ALT+k")["CTRL+ALT+k"]
        self.press(sid)
        self.wait_runs("k", 1)
        self.fake("ChangeWrongly")
        self.press(sid)
        self.wait_runs("k", 2)
        self.terminate(orvane)

    def test_a_portal_that_never_answers_holds_nothing_up(self):
        self.start_fake("--silent")
        self.write_ini(hotkeys_ini([{"key": K, "path": self.marker_script("k")}]))
        orvane = self.start_orvane(hidden=False)
        self.visible_window()
        self.terminate(orvane)
        self.reader.join(DEADLINE)
        # The window came while Orvane still waited for the portal's answer.
        self.assertFalse(self.logged("global-shortcut service:"), self.log)


class PortalVolumeTests(PortalTestCase):
    def test_a_held_volume_key_steps_at_each_activation(self):
        pulse = PulseAudio(self.tmp)
        pulse.start()
        self.addCleanup(pulse.stop)
        self.env = pulse.client_env(self.env, self.env["HOME"])
        pulse.pactl("set-sink-volume", "orvane_null", "30000", "20000")
        self.start_fake()
        self.write_ini(hotkeys_ini([{"key": U, "path": "VolumeUp"},
                                    {"key": K, "path": self.marker_script("k")}]))
        orvane = self.start_orvane()
        ids = self.wait_bound("CTRL+ALT+u", "CTRL+ALT+k")
        self.press(ids["CTRL+ALT+u"], release=False)
        self.press(ids["CTRL+ALT+u"])
        self.press(ids["CTRL+ALT+k"])
        self.wait_runs("k", 1)
        # Two steps of 655.35 mixer units, each truncated.
        self.assertEqual(pulse.sink_volume(), [31310, 21310])
        self.terminate(orvane)


@unittest.skipUnless(os.access(XDG_DESKTOP_PORTAL, os.X_OK), "xdg-desktop-portal is not installed")
class RealPortalTests(PortalTestCase):
    """The real xdg-desktop-portal between Orvane and the fake desktop, so that Orvane speaks
    the public API as the real service offers it."""

    def test_entries_are_bound_and_a_press_runs_its_target_through_the_real_portal(self):
        for style in ("create", "bind"):
            with self.subTest(style=style):
                self.log.clear()
                portal = RealPortal(self.tmp, self.bus.address, "--style", style,
                                    "--taken", "CTRL+ALT+u")
                self.control = RealPortal.IMPL
                self.write_ini(hotkeys_ini([
                    {"key": K, "path": self.marker_script("k-" + style)},
                    {"key": J, "path": self.marker_script("j-" + style), "shift": 1},
                    {"key": U, "path": self.marker_script("u-" + style)},
                    self.super_volume_up(style)]))
                orvane = self.start_orvane()
                try:
                    self.check_presses(style)
                    wait_for(lambda: self.logged("CTRL+ALT+u -> Off: no key assigned"),
                             "the status of the taken key")
                    self.terminate(orvane)
                finally:
                    if orvane.poll() is None:
                        orvane.kill()
                        orvane.wait()
                    portal.stop()
