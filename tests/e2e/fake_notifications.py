#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A stand-in for the desktop's notification server on a private session bus, for the
end-to-end tests. It owns org.freedesktop.Notifications and records every Notify call.

The tests drive it through org.orvane.FakeNotifications at /org/orvane/FakeNotifications:
Calls() lists the Notify calls as (id, app name, summary, body, actions), Asked() counts
every call of the server's own interface, Invoke(id, key)
emits ActionInvoked for a notification as a click on it would. It prints "ready" once it
owns its names."""

import argparse
import sys

import dbus
import dbus.lowlevel
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"
TEST = "org.orvane.FakeNotifications"


class Server(dbus.service.Object):
    SUPPORTS_MULTIPLE_OBJECT_PATHS = True

    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.calls = []
        self.asked = 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.asked += 1
        self.calls.append((len(self.calls) + 1, app, summary, body, list(actions)))
        return len(self.calls)

    @dbus.service.method(NAME, in_signature="", out_signature="as")
    def GetCapabilities(self):
        self.asked += 1
        return ["actions", "body", "body-markup"]

    @dbus.service.method(TEST, in_signature="", out_signature="a(usssas)")
    def Calls(self):
        return [(i, app, s, b, dbus.Array(a, signature="s")) for i, app, s, b, a in self.calls]

    @dbus.service.method(TEST, in_signature="", out_signature="u")
    def Asked(self):
        return self.asked

    @dbus.service.method(TEST, in_signature="us", out_signature="")
    def Invoke(self, nid, key):
        msg = dbus.lowlevel.SignalMessage(PATH, NAME, "ActionInvoked")
        msg.append(dbus.UInt32(nid), key, signature="us")
        self.bus.send_message(msg)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--address", required=True)
    args = parser.parse_args()
    DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(args.address)
    server = Server(bus)
    server.add_to_connection(bus, "/org/orvane/FakeNotifications")
    name = dbus.service.BusName(NAME, bus, do_not_queue=True)
    print("ready", flush=True)
    try:
        GLib.MainLoop().run()
    finally:
        del name


if __name__ == "__main__":
    sys.exit(main())
