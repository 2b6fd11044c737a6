# SPDX-License-Identifier: GPL-3.0-or-later
"""A minimal StatusNotifierWatcher on a private session bus, for the end-to-end tests: it
owns org.kde.StatusNotifierWatcher at /StatusNotifierWatcher and says a host (a panel that
draws the items) is registered, as a desktop's panel would.

Items register with their bus name (the item then lives at /StatusNotifierItem) or with an
object path (then the caller's unique name is the service); either way the item is listed
as "service/path" in RegisteredStatusNotifierItems and announced with
StatusNotifierItemRegistered. An item whose service leaves the bus is dropped and
StatusNotifierItemUnregistered is emitted. With --no-host no host is registered until one
calls RegisterStatusNotifierHost. With --hold it answers no one whether a host is registered
until a test calls Answer() (org.orvane.TestWatcher, which also counts the questions Held()),
as a hung panel. It prints "ready" once it owns its name."""

import argparse
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
PATH = "/StatusNotifierWatcher"
ITEM_PATH = "/StatusNotifierItem"
PROPERTIES = "org.freedesktop.DBus.Properties"


class Watcher(dbus.service.Object):
    def __init__(self, bus, host, hold=False):
        super().__init__(bus, PATH)
        self.bus, self.hold = bus, hold
        self.held = []  # the answers a hung panel owes
        self.items = []  # "service/path", in the order they registered
        self.hosts = ["org.kde.StatusNotifierHost-test"] if host else []
        bus.add_signal_receiver(self.owner_changed, "NameOwnerChanged",
                                "org.freedesktop.DBus", "org.freedesktop.DBus",
                                "/org/freedesktop/DBus")

    def owner_changed(self, name, old, new):
        if new:
            return
        for item in [i for i in self.items if i.split("/", 1)[0] == name]:
            self.items.remove(item)
            self.StatusNotifierItemUnregistered(item)

    @dbus.service.method(WATCHER, in_signature="s", out_signature="", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service_or_path, sender):
        if service_or_path.startswith("/"):
            service, path = sender, service_or_path
        else:
            service, path = service_or_path, ITEM_PATH
        item = service + path
        if item not in self.items:
            self.items.append(item)
            self.StatusNotifierItemRegistered(item)

    @dbus.service.method(WATCHER, in_signature="s", out_signature="", sender_keyword="sender")
    def RegisterStatusNotifierHost(self, service, sender):
        if service not in self.hosts:
            self.hosts.append(service)
            self.StatusNotifierHostRegistered()

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemUnregistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostRegistered(self):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostUnregistered(self):
        pass

    def properties(self):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(bool(self.hosts)),
            "ProtocolVersion": dbus.Int32(0),
        }

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v",
                         async_callbacks=("reply", "error"))
    def Get(self, interface, name, reply, error):
        props = self.properties()
        if interface != WATCHER or name not in props:
            error(dbus.exceptions.DBusException(
                "no such property", name="org.freedesktop.DBus.Error.UnknownProperty"))
        elif self.hold and name == "IsStatusNotifierHostRegistered":
            self.held.append(lambda: reply(self.properties()[name]))
        else:
            reply(props[name])

    @dbus.service.method("org.orvane.TestWatcher", in_signature="", out_signature="u")
    def Held(self):
        return dbus.UInt32(len(self.held))

    @dbus.service.method("org.orvane.TestWatcher", in_signature="", out_signature="")
    def Answer(self):
        self.hold = False
        for answer in self.held:
            answer()

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return dbus.Dictionary(self.properties() if interface == WATCHER else {},
                               signature="sv")

    @dbus.service.method("org.freedesktop.DBus.Introspectable", in_signature="",
                         out_signature="s")
    def Introspect(self):
        # Clients check the interface and its properties before they read them.
        return """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
  <signal name="StatusNotifierHostUnregistered"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/>
   <arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
 </interface>
</node>"""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--address", required=True)
    parser.add_argument("--no-host", action="store_true",
                        help="start without a host: one registers later, as a panel still "
                             "starting does")
    parser.add_argument("--hold", action="store_true",
                        help="answer no one whether a host is registered until Answer()")
    args = parser.parse_args()
    DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(args.address)
    Watcher(bus, not args.no_host, args.hold)
    name = dbus.service.BusName(WATCHER, bus, do_not_queue=True)
    print("ready", flush=True)
    try:
        GLib.MainLoop().run()
    finally:
        del name


if __name__ == "__main__":
    sys.exit(main())
