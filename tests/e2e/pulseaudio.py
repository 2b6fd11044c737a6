# SPDX-License-Identifier: GPL-3.0-or-later
"""A PulseAudio server of the test's own: one null sink, its own runtime and home
directories under a temporary directory, stopped exactly as it was started. Runs as root
(PulseAudio only warns) and as a normal user. client_env() points ALSA's default device and
every PulseAudio client at it."""

import ctypes
import os
import re
import select
import signal
import subprocess
import threading
import time

SINK = "orvane_null"
DEADLINE = 20.0


def _die_with_parent():
    # A test that crashes takes its server with it (PR_SET_PDEATHSIG = 1).
    ctypes.CDLL(None).prctl(1, signal.SIGKILL)


class PulseAudio:
    def __init__(self, root):
        self.root = root
        self.runtime = os.path.join(root, "pulse-runtime")
        self.home = os.path.join(root, "pulse-home")
        os.makedirs(self.runtime, mode=0o700, exist_ok=True)
        os.makedirs(self.home, exist_ok=True)
        self.socket = os.path.join(self.runtime, "native")
        self.script = os.path.join(root, "server.pa")
        with open(self.script, "w") as f:
            f.write("load-module module-null-sink sink_name=%s\n" % SINK)
            f.write("set-default-sink %s\n" % SINK)
            f.write("load-module module-native-protocol-unix auth-anonymous=1 socket=%s\n"
                    % self.socket)
        self.client_conf = os.path.join(root, "client.conf")
        with open(self.client_conf, "w") as f:
            f.write("autospawn = no\n")
        self.proc = None

    def client_env(self, env, home):
        """env for a client whose HOME is home: ALSA default = this server."""
        os.makedirs(home, exist_ok=True)
        with open(os.path.join(home, ".asoundrc"), "w") as f:
            f.write("pcm.!default { type pulse }\nctl.!default { type pulse }\n")
        env = dict(env)
        env.update({"HOME": home, "PULSE_SERVER": "unix:" + self.socket,
                    "PULSE_CLIENTCONFIG": self.client_conf})
        env.pop("ALSA_CONFIG_PATH", None)
        return env

    def start(self):
        env = dict(os.environ)
        env.update({"HOME": self.home, "XDG_RUNTIME_DIR": self.runtime,
                    "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
                    # no bus daemon of its own
                    "DBUS_SESSION_BUS_ADDRESS": "unix:path=/nonexistent"})
        env.pop("DISPLAY", None)
        self.proc = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
             "--disable-shm=yes", "--log-target=stderr", "--log-level=info", "-F", self.script],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
            preexec_fn=_die_with_parent)
        reader = LineReader(self.proc.stderr)
        log = []
        # The server says so once the script's modules are loaded and it takes clients.
        while True:
            line = reader.readline(DEADLINE)
            if line is None:
                self.stop()
                raise RuntimeError("pulseaudio did not start:\n" + "".join(log))
            log.append(line)
            if "Daemon startup complete." in line:
                break
        # From here its log is only drained, so that a full pipe never stops it.
        threading.Thread(target=reader.drain, daemon=True).start()

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(DEADLINE)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        if self.proc:
            self.proc.stderr.close()
        self.proc = None

    def pactl(self, *args):
        env = self.client_env(os.environ, self.home)
        return subprocess.run(["pactl", *args], env=env, check=True, capture_output=True,
                              text=True, timeout=DEADLINE).stdout

    def subscribe(self):
        """A `pactl subscribe` client; wait_change() reads its events."""
        env = self.client_env(os.environ, self.home)
        return subprocess.Popen(["pactl", "subscribe"], env=env, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL)

    def sink_volume(self, sink=SINK):
        out = self.pactl("get-sink-volume", sink).splitlines()[0]
        return [int(v) for v in re.findall(r"(\d+) /\s*\d+%", out)]

    def sink_muted(self):
        return self.pactl("get-sink-mute", SINK).strip() == "Mute: yes"


class LineReader:
    """Lines from a pipe, each awaited with a deadline (no buffering hides a line from
    select)."""

    def __init__(self, pipe):
        self.fd = pipe.fileno()
        self.buf = b""

    def readline(self, timeout):
        end = time.monotonic() + timeout
        while b"\n" not in self.buf:
            remaining = end - time.monotonic()
            if remaining <= 0 or not select.select([self.fd], [], [], remaining)[0]:
                return None
            chunk = os.read(self.fd, 4096)
            if not chunk:
                return None
            self.buf += chunk
        line, self.buf = self.buf.split(b"\n", 1)
        return line.decode(errors="replace") + "\n"

    def drain(self):
        while os.read(self.fd, 65536):
            pass


def wait_change(reader, timeout=DEADLINE):
    """Reads a `pactl subscribe` reader until a change on a sink; False after timeout."""
    end = time.monotonic() + timeout
    while True:
        line = reader.readline(max(0.0, end - time.monotonic()))
        if line is None:
            return False
        if "'change' on sink #" in line:
            return True
