"""A D-Bus session bus of the test's own (dbus-daemon --session) and the fake portal on it,
each stopped exactly as it was started."""

import os
import subprocess
import sys

from pulseaudio import LineReader

DEADLINE = 20.0
HERE = os.path.dirname(os.path.abspath(__file__))


def _stop(proc):
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(DEADLINE)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


class PrivateBus:
    def __init__(self, root):
        self.proc = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--print-address",
             "--address=unix:dir=" + root],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        line = LineReader(self.proc.stdout).readline(DEADLINE)
        if not line:
            self.stop()
            raise RuntimeError("dbus-daemon did not start")
        self.address = line.strip()

    def stop(self):
        _stop(self.proc)
        self.proc.stdout.close()


class FakePortal:
    """fake_portal.py on a bus; its arguments as fake_portal.py takes them."""

    def __init__(self, address, *args):
        self.proc = subprocess.Popen(
            [sys.executable, os.path.join(HERE, "fake_portal.py"), "--address", address, *args],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if LineReader(self.proc.stdout).readline(DEADLINE) != "ready\n":
            self.stop()
            raise RuntimeError("the fake portal did not start")

    def stop(self):
        _stop(self.proc)
        self.proc.stdout.close()
