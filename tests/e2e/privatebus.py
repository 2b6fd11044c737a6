# SPDX-License-Identifier: GPL-3.0-or-later
"""A D-Bus session bus of the test's own (dbus-daemon --session) and the fake portal on it,
each stopped exactly as it was started."""

import os
import subprocess
import sys
import threading

from harness import stop_process
from pulseaudio import LineReader

DEADLINE = 20.0
HERE = os.path.dirname(os.path.abspath(__file__))


# A session bus that starts no services on demand: only what a test starts runs on it.
CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%s</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""


class PrivateBus:
    def __init__(self, root):
        config = os.path.join(root, "session-bus.conf")
        with open(config, "w") as f:
            f.write(CONFIG % root)
        self.proc = subprocess.Popen(
            ["dbus-daemon", "--config-file=" + config, "--nofork", "--print-address"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        line = LineReader(self.proc.stdout).readline(DEADLINE)
        if not line:
            self.stop()
            raise RuntimeError("dbus-daemon did not start")
        self.address = line.strip()

    def stop(self):
        stop_process(self.proc)
        self.proc.stdout.close()


class FakeService:
    """A fake desktop service (SCRIPT) on a bus; its arguments as the script takes them."""

    SCRIPT = None

    def __init__(self, address, *args):
        self.proc = subprocess.Popen(
            [sys.executable, os.path.join(HERE, self.SCRIPT), "--address", address, *args],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if LineReader(self.proc.stdout).readline(DEADLINE) != "ready\n":
            self.stop()
            raise RuntimeError(self.SCRIPT + " did not start")

    def stop(self):
        stop_process(self.proc)
        self.proc.stdout.close()


class FakePortal(FakeService):
    SCRIPT = "fake_portal.py"


class FakeNotifications(FakeService):
    """fake_notifications.py: records the notifications it is sent."""

    SCRIPT = "fake_notifications.py"


XDG_DESKTOP_PORTAL = "/usr/libexec/xdg-desktop-portal"


class RealPortal:
    """xdg-desktop-portal on a bus, with a fake desktop backend (fake_portal.py --impl) as
    the only implementation of the GlobalShortcuts backend interface."""

    DESKTOP = "orvane-test"
    IMPL = "org.orvane.FakeDesktop"

    def __init__(self, root, address, *args):
        portals = os.path.join(root, "portals")
        os.makedirs(portals, exist_ok=True)
        with open(os.path.join(portals, "orvane-test.portal"), "w") as f:
            f.write("[portal]\nDBusName=%s\n"
                    "Interfaces=org.freedesktop.impl.portal.GlobalShortcuts;\nUseIn=%s\n"
                    % (self.IMPL, self.DESKTOP))
        self.backend = FakePortal(address, "--impl", self.IMPL, *args)
        env = dict(os.environ, DBUS_SESSION_BUS_ADDRESS=address, XDG_DESKTOP_PORTAL_DIR=portals,
                   XDG_CURRENT_DESKTOP=self.DESKTOP)
        self.proc = subprocess.Popen([XDG_DESKTOP_PORTAL, "--verbose"], env=env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        reader = LineReader(self.proc.stderr)
        while True:
            line = reader.readline(DEADLINE)
            if line is None:
                self.stop()
                raise RuntimeError("xdg-desktop-portal did not start")
            if "org.freedesktop.portal.Desktop acquired" in line:
                break
        # From here its log is only drained, so that a full pipe never stops it.
        self.drain = threading.Thread(target=reader.drain, daemon=True)
        self.drain.start()

    def stop(self):
        stop_process(self.proc)
        if hasattr(self, "drain"):
            self.drain.join(DEADLINE)
        self.proc.stderr.close()
        self.backend.stop()
