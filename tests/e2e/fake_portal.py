# SPDX-License-Identifier: GPL-3.0-or-later
"""A stand-in for the desktop's GlobalShortcuts portal on a private session bus, for the
end-to-end tests. It owns org.freedesktop.portal.Desktop and answers as a desktop would:

  --style create   binds the shortcuts CreateSession carries and answers with them (Plasma
                   5.27 behind xdg-desktop-portal 1.16)
  --style bind     ignores them; BindShortcuts binds (newer desktops)
  --taken TRIGGER  a key another shortcut holds: it comes back with no trigger description
  --bad-handle     the first CreateSession answer carries the session handle as a number
  --bad-shortcuts  CreateSession answers with the shortcuts as a(ss)
  --silent         owns the name and never answers, as a hung desktop
  --hold-answers   binds at once but holds its answers until Answer(), as a desktop that
                   signals a press before its answer has arrived

The tests drive it through org.orvane.FakePortal at /org/orvane/FakePortal: Bound() lists
the bound shortcuts as (id, trigger) pairs, Activate(id) and Deactivate(id) emit the
portal's signals for the newest session, BindCalls() counts the BindShortcuts calls,
CloseSession() closes the newest session as a desktop may, Answer() sends the answers
held back and holds no more, ChangeWrongly() emits
ShortcutsChanged with the shortcuts as a(ss). It prints "ready" once it owns
its names."""

import argparse
import signal
import sys

import dbus
import dbus.lowlevel
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PORTAL = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"


def emit(bus, path, interface, name, signature, *args):
    msg = dbus.lowlevel.SignalMessage(path, interface, name)
    msg.append(signature=signature, *args)
    bus.send_message(msg)


class Session(dbus.service.Object):
    def __init__(self, portal, path, sender):
        super().__init__(portal.bus, path)
        self.portal, self.path, self.sender = portal, path, sender
        self.shortcuts = {}  # id -> trigger

    @dbus.service.method("org.freedesktop.portal.Session", in_signature="", out_signature="")
    def Close(self):
        self.portal.forget(self)


class Portal(dbus.service.Object):
    SUPPORTS_MULTIPLE_OBJECT_PATHS = True

    def __init__(self, bus, style, taken, bad_handle=False, bad_shortcuts=False, hold=False):
        super().__init__(bus, PATH)
        self.held = [] if hold else None  # answers not sent yet
        self.bus, self.style, self.taken = bus, style, set(taken)
        self.bad_handle, self.bad_shortcuts = bad_handle, bad_shortcuts
        self.sessions = {}  # path -> Session
        self.newest = None
        self.bind_calls = 0

    def forget(self, session):
        self.sessions.pop(session.path, None)
        session.remove_from_connection()
        if self.newest is session:
            self.newest = None

    def request_path(self, sender, options):
        return "%s/request/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                     str(options.get("handle_token", "t")))

    def answer(self, session, shortcuts):
        """The shortcuts bound, as a(sa{sv}), each with the key the desktop gave."""
        out = []
        for sid, props in shortcuts:
            trigger = str(props.get("preferred_trigger", ""))
            session.shortcuts[str(sid)] = trigger
            given = "" if trigger in self.taken else trigger.replace("+", " + ")
            out.append((sid, {"description": props.get("description", ""),
                              "trigger_description": dbus.String(given)}))
        return dbus.Array(out, signature="(sa{sv})")

    def respond_later(self, path, results):
        if self.held is not None:
            self.held.append((path, results))
            return
        GLib.idle_add(lambda: emit(self.bus, path, "org.freedesktop.portal.Request", "Response",
                                   "ua{sv}", dbus.UInt32(0), results) and False)

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o",
                         sender_keyword="sender")
    def CreateSession(self, options, sender):
        request = self.request_path(sender, options)
        path = "%s/session/%s/%s" % (PATH, sender[1:].replace(".", "_"),
                                     str(options["session_handle_token"]))
        if path in self.sessions:
            self.forget(self.sessions[path])
        session = Session(self, path, sender)
        self.sessions[path] = session
        self.newest = session
        results = {"session_handle": dbus.UInt32(7) if self.bad_handle else dbus.String(path)}
        self.bad_handle = False
        if self.style == "create" and "shortcuts" in options:
            results["shortcuts"] = self.answer(session, options["shortcuts"])
            if self.bad_shortcuts:
                results["shortcuts"] = self.wrong(session)
        self.respond_later(request, results)
        return dbus.ObjectPath(request)

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def BindShortcuts(self, session_path, shortcuts, parent, options, sender):
        self.bind_calls += 1
        request = self.request_path(sender, options)
        session = self.sessions[str(session_path)]
        self.respond_later(request, {"shortcuts": self.answer(session, shortcuts)})
        return dbus.ObjectPath(request)

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss",
                         out_signature="v")
    def Get(self, interface, name):
        if interface == SHORTCUTS and name == "version":
            return dbus.UInt32(1)
        raise dbus.exceptions.DBusException("no such property",
                                            name="org.freedesktop.DBus.Error.UnknownProperty")

    @staticmethod
    def wrong(session):
        """The session's shortcuts as a(ss), the key where a{sv} belongs."""
        return dbus.Array(sorted(session.shortcuts.items()), signature="(ss)")

    # --- the tests' side ------------------------------------------------------------------
    def signal(self, name, sid):
        session = self.newest
        emit(self.bus, PATH, SHORTCUTS, name, "osta{sv}", dbus.ObjectPath(session.path),
             sid, dbus.UInt64(0), dbus.Dictionary({}, signature="sv"))

    @dbus.service.method("org.orvane.FakePortal", in_signature="", out_signature="a(ss)")
    def Bound(self):
        if self.newest is None:
            return dbus.Array([], signature="(ss)")
        return dbus.Array(sorted(self.newest.shortcuts.items()), signature="(ss)")

    @dbus.service.method("org.orvane.FakePortal", in_signature="", out_signature="u")
    def BindCalls(self):
        return dbus.UInt32(self.bind_calls)

    @dbus.service.method("org.orvane.FakePortal", in_signature="s", out_signature="")
    def Activate(self, sid):
        self.signal("Activated", sid)

    @dbus.service.method("org.orvane.FakePortal", in_signature="s", out_signature="")
    def Deactivate(self, sid):
        self.signal("Deactivated", sid)

    @dbus.service.method("org.orvane.FakePortal", in_signature="", out_signature="")
    def Answer(self):
        held, self.held = self.held or [], None
        for path, results in held:
            emit(self.bus, path, "org.freedesktop.portal.Request", "Response", "ua{sv}",
                 dbus.UInt32(0), results)

    @dbus.service.method("org.orvane.FakePortal", in_signature="", out_signature="")
    def ChangeWrongly(self):
        emit(self.bus, PATH, SHORTCUTS, "ShortcutsChanged", "oa(ss)",
             dbus.ObjectPath(self.newest.path), self.wrong(self.newest))

    @dbus.service.method("org.orvane.FakePortal", in_signature="", out_signature="")
    def CloseSession(self):
        session = self.newest
        self.forget(session)
        emit(self.bus, session.path, "org.freedesktop.portal.Session", "Closed", "a{sv}",
             dbus.Dictionary({}, signature="sv"))


IMPL = "org.freedesktop.impl.portal.GlobalShortcuts"


class ImplSession(dbus.service.Object):
    def __init__(self, portal, path):
        super().__init__(portal.bus, path)
        self.portal, self.path = portal, path
        self.shortcuts = {}

    @dbus.service.method("org.freedesktop.impl.portal.Session", in_signature="",
                         out_signature="")
    def Close(self):
        self.portal.forget(self)


class ImplPortal(Portal):
    """The desktop's side behind the real xdg-desktop-portal: the same answers, given as
    the return values of the backend interface."""

    @dbus.service.method(IMPL, in_signature="oosa{sv}", out_signature="ua{sv}")
    def CreateSession(self, handle, session_path, app_id, options):
        path = str(session_path)
        if path in self.sessions:
            self.forget(self.sessions[path])
        session = ImplSession(self, path)
        self.sessions[path] = session
        self.newest = session
        results = {}
        if self.style == "create" and "shortcuts" in options:
            results["shortcuts"] = self.answer(session, options["shortcuts"])
        return dbus.UInt32(0), dbus.Dictionary(results, signature="sv")

    @dbus.service.method(IMPL, in_signature="ooa(sa{sv})sa{sv}", out_signature="ua{sv}")
    def BindShortcuts(self, handle, session_path, shortcuts, parent, options):
        self.bind_calls += 1
        session = self.sessions[str(session_path)]
        return dbus.UInt32(0), {"shortcuts": self.answer(session, shortcuts)}

    @dbus.service.method(IMPL, in_signature="oo", out_signature="ua{sv}")
    def ListShortcuts(self, handle, session_path):
        session = self.sessions[str(session_path)]
        listed = [(sid, {"trigger_description": t}) for sid, t in session.shortcuts.items()]
        return dbus.UInt32(0), {"shortcuts": dbus.Array(listed, signature="(sa{sv})")}

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss",
                         out_signature="v")
    def Get(self, interface, name):
        if interface == IMPL and name == "version":
            return dbus.UInt32(1)
        raise dbus.exceptions.DBusException("no such property",
                                            name="org.freedesktop.DBus.Error.UnknownProperty")

    def signal(self, name, sid):
        emit(self.bus, PATH, IMPL, name, "osta{sv}", dbus.ObjectPath(self.newest.path), sid,
             dbus.UInt64(0), dbus.Dictionary({}, signature="sv"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--address", required=True)
    parser.add_argument("--style", choices=("create", "bind"), default="bind")
    parser.add_argument("--taken", action="append", default=[])
    parser.add_argument("--bad-handle", action="store_true")
    parser.add_argument("--bad-shortcuts", action="store_true")
    parser.add_argument("--silent", action="store_true")
    parser.add_argument("--hold-answers", action="store_true")
    parser.add_argument("--impl", metavar="NAME",
                        help="be the desktop's backend under NAME, behind xdg-desktop-portal")
    args = parser.parse_args()
    DBusGMainLoop(set_as_default=True)
    bus = dbus.bus.BusConnection(args.address)
    portal = (ImplPortal if args.impl else Portal)(bus, args.style, args.taken,
                                                   args.bad_handle, args.bad_shortcuts,
                                                   args.hold_answers)
    portal.add_to_connection(bus, "/org/orvane/FakePortal")
    name = dbus.service.BusName(args.impl or PORTAL, bus, do_not_queue=True)
    print("ready", flush=True)
    if args.silent:
        signal.pause()  # no main loop: every call stays unanswered
    try:
        GLib.MainLoop().run()
    finally:
        del name


if __name__ == "__main__":
    sys.exit(main())
