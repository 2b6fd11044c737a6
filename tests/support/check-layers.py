#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""check-layers.py SRC_DIR --gui DIR... [--prove-it-fails]

Fails when a file under SRC_DIR includes a header of a layer above its own, a platform
backend it may not see, or (in a headless layer) a header of Qt's GUI or widget modules.
--gui names the include folders of those modules (QtGui, QtWidgets): a header found there
is a GUI header. --prove-it-fails runs the check on a copy of SRC_DIR into which a core file
includes <QWidget> and another includes "app/Program.h", and passes only if both are named.
"""
import argparse
import fnmatch
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

# The layers, lowest first. A file may include headers of its own level and of the levels
# below it; settings, volume and tray are siblings on one level.
LEVEL = {"core": 0, "settings": 1, "volume": 1, "tray": 1, "controls": 2, "windows": 3,
         "app": 4, "main": 5}
# Layers that run in a QCoreApplication: no header of Qt's GUI or widget modules. The tray is
# not one of them: its icon pops up a QMenu over the main window.
HEADLESS = {"core", "settings", "volume"}

# Files to layers, first match wins. The platform interfaces belong to the layer of the
# library that uses them; the backends (platform/<folder>/) are handled by BACKENDS.
LAYERS = [
    ("main.cpp", "main"),
    ("app/*", "app"),
    ("mainwindow/*", "windows"),
    ("settings/TFormOptions.*", "windows"),
    ("settings/OptionsPages.*", "windows"),
    ("settings/TFormLogo.*", "windows"),
    ("volume/TFormVolume.*", "windows"),
    ("controls/*", "controls"),
    ("settings/*", "settings"),
    ("volume/*", "volume"),
    ("tray/*", "tray"),
    ("core/*", "core"),
    ("BuildInfo.h", "core"),  # generated from core/BuildInfo.h.in
    ("platform/HotkeyBackend.h", "core"),
    ("platform/NullHotkeyBackend.h", "core"),
    ("platform/Shell.h", "core"),
    ("platform/SessionEnd.h", "core"),
    ("platform/RegularFile.h", "core"),
    ("platform/InstanceLock.h", "core"),
    ("platform/LocalChannel.h", "core"),
    ("platform/MixerDriver.h", "volume"),
    ("platform/LogonEntry.h", "settings"),
    ("platform/TrayHost.h", "tray"),
    ("platform/NullTrayHost.h", "tray"),
    ("platform/WindowActivator.h", "controls"),
    ("platform/Notifier.h", "app"),
    ("platform/NullNotifier.h", "app"),
    ("platform/AppCatalog.h", "core"),
    # The bundle of every platform object the program is given.
    ("platform/Platform.h", "app"),
]

# What each backend folder may include besides its own files: the interfaces it implements,
# the core headers it needs, and another backend where it builds on it (x11 falls back to
# Qt's activation, the Qt tray host hands over to the StatusNotifierItem, the shell starts
# programs through posix's detached process; portal and sni stream their D-Bus structures
# with dbus's helper).
BACKENDS = {
    "alsa": {"platform/MixerDriver.h", "core/Logging.h"},
    "pulse": {"platform/MixerDriver.h", "core/Logging.h"},
    "portal": {"platform/HotkeyBackend.h", "core/HotkeyEntry.h", "core/HotkeyStatus.h",
               "core/Logging.h", "platform/dbus/*"},
    "posix": {"platform/InstanceLock.h", "platform/LocalChannel.h", "platform/RegularFile.h",
              "platform/SessionEnd.h", "core/Logging.h", "core/SingleInstance.h"},
    "qt": {"platform/TrayHost.h", "platform/WindowActivator.h", "platform/sni/*"},
    "sni": {"platform/dbus/*"},
    "dbus": set(),
    "notify": {"platform/Notifier.h", "core/Logging.h"},
    "x11": {"platform/HotkeyBackend.h", "platform/WindowActivator.h", "core/HotkeyEntry.h",
            "core/KeyRepeatFilter.h", "core/KeyTable.h", "core/Logging.h", "platform/qt/*"},
    "xdg": {"platform/Shell.h", "platform/LogonEntry.h", "platform/RegularFile.h",
            "platform/posix/*", "platform/gio/*"},
    "gio": {"platform/AppCatalog.h", "platform/Shell.h", "core/Logging.h"},
}
# The run-time choice among the backends: every platform header.
FACTORIES = "platform/linux/*"
# Outside the platform, only main.cpp may name a backend.
BACKEND_USERS = {"main.cpp"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    for pattern, layer in LAYERS:
        if fnmatch.fnmatchcase(path, pattern):
            return layer
    return None


def backend_of(path):
    parts = path.split("/")
    if len(parts) == 3 and parts[0] == "platform" and parts[1] in BACKENDS:
        return parts[1]
    return None


def allowed_for_backend(backend, target):
    if target.startswith(f"platform/{backend}/"):
        return True
    return any(fnmatch.fnmatchcase(target, rule) for rule in BACKENDS[backend])


def is_gui_header(name, gui_dirs):
    if name.startswith(("QtGui/", "QtWidgets/")):
        return True
    return any((d / name).is_file() for d in gui_dirs)


def check_quoted(path, target):
    """Why `path` may not include "target", or None."""
    if fnmatch.fnmatchcase(path, FACTORIES):
        return None if target.startswith("platform/") else "the factories include platform headers only"
    backend = backend_of(path)
    if backend:
        return None if allowed_for_backend(backend, target) else f"not allowed for platform/{backend}/"
    if backend_of(target) or fnmatch.fnmatchcase(target, FACTORIES):
        return None if path in BACKEND_USERS else "a platform backend, for main.cpp and the factories only"
    own, theirs = layer_of(path), layer_of(target)
    if own is None:
        return "this file is in no layer of tests/support/check-layers.py"
    if theirs is None:
        return "a header in no layer of tests/support/check-layers.py"
    if LEVEL[theirs] > LEVEL[own]:
        return f"layer {own} includes layer {theirs} above it"
    return None


def check(src, gui_dirs):
    problems = []
    files = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp") and p.is_file())
    for file in files:
        path = file.relative_to(src).as_posix()
        headless = layer_of(path) in HEADLESS and not backend_of(path)
        for number, line in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            quote, target = match.groups()
            shown = f'"{target}"' if quote == '"' else f"<{target}>"
            if quote == '"':
                why = check_quoted(path, target)
            elif headless and is_gui_header(target, gui_dirs):
                why = f"a Qt GUI header in the headless layer {layer_of(path)}"
            else:
                why = None
            if why:
                problems.append(f"{path}:{number}: includes {shown}: {why}")
    return len(files), problems


def prove_it_fails(src, gui_dirs):
    """The check passes on SRC_DIR and fails, naming both, on a copy with two bad includes."""
    injected = {"core/KeyTable.cpp": "<QWidget>", "core/IniText.cpp": '"app/Program.h"'}
    with tempfile.TemporaryDirectory() as tmp:
        copy = pathlib.Path(tmp) / "src"
        shutil.copytree(src, copy)
        for path, header in injected.items():
            file = copy / path
            file.write_text(file.read_text(encoding="utf-8") + f"#include {header}\n",
                            encoding="utf-8")
        result = subprocess.run([sys.executable, __file__, str(copy), "--gui", *map(str, gui_dirs)],
                                capture_output=True, text=True, check=False)
    print(result.stdout + result.stderr, end="")
    missing = [f"{path} {header}" for path, header in injected.items()
               if not re.search(f"^{re.escape(path)}:[0-9]+: includes {re.escape(header)}",
                                result.stderr, re.MULTILINE)]
    if result.returncode == 0 or missing:
        print(f"the check did not report: {', '.join(missing) or 'a failure'}", file=sys.stderr)
        return 1
    print("the check fails on both injected includes")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[2])
    parser.add_argument("src", type=pathlib.Path)
    parser.add_argument("--gui", type=pathlib.Path, nargs="+", required=True)
    parser.add_argument("--prove-it-fails", action="store_true")
    args = parser.parse_args()
    if not any(is_gui_header("QWidget", [d]) for d in args.gui):
        print(f"check cannot see Qt's widget headers: no QWidget in {args.gui}", file=sys.stderr)
        return 1
    if args.prove_it_fails:
        # The tree as it is passes first: the failure below is the injected lines' own.
        count, problems = check(args.src, args.gui)
        if problems:
            print("\n".join(problems), file=sys.stderr)
            return 1
        return prove_it_fails(args.src, args.gui)
    count, problems = check(args.src, args.gui)
    if problems:
        print("\n".join(problems), file=sys.stderr)
        return 1
    print(f"{count} files include only their own layer, the layers below and their interfaces")
    return 0


if __name__ == "__main__":
    sys.exit(main())
