#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that building, running, testing and benchmarking Orvane
# needs. Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config clang-format clang-tidy
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libxcb1-dev libxcb-keysyms1-dev libxcb-xkb-dev libxcb-xtest0-dev
  libgtest-dev libbenchmark-dev
  # fuzzing (scripts/fuzz.sh): clang with libFuzzer and the sanitizer runtimes
  clang libclang-rt-14-dev
  # running: the shell layer opens documents and URLs with xdg-open
  xdg-utils
  # virtual display, key presses and layout changes for the end-to-end tests
  xvfb xauth x11-xkb-utils xkb-data xdotool x11-utils python3 procps
  # keymap edits (xmodmap): Super on another modifier, a media keysym on a spare key
  x11-xserver-utils
  # the log-on entry: checked by the freedesktop validator, started as GLib reads it (gio)
  desktop-file-utils libglib2.0-bin
  # a window manager that prevents focus stealing, for the tests of bringing a window forward
  metacity
  # an XEmbed system tray for the tray icon's end-to-end tests
  trayer
  # the peer measured beside Orvane in the benchmark
  sxhkd
  # sound: the ALSA mixer, and a PulseAudio server of their own for the sound tests, reached
  # through ALSA's PulseAudio plugin; amixer for the peer in the volume benchmark
  libasound2-dev pulseaudio pulseaudio-utils libasound2-plugins alsa-utils
  # the mixer on a sound server: libpulse with its GLib main-loop adapter, for the current
  # default output and its changes
  libpulse-dev
  # installed applications as targets: GIO's reading and starting of desktop entries
  libglib2.0-dev
  # fonts, so that windows render text under Xvfb; Liberation Sans stands in for "MS Sans Serif"
  fonts-dejavu-core fonts-liberation2
  # Wayland sessions: hotkeys through the GlobalShortcuts portal (Qt's D-Bus module comes with
  # qt6-base-dev); its tests run a private session bus, a fake desktop in Python and the real
  # portal service in front of it
  dbus-daemon python3-dbus python3-gi xdg-desktop-portal
  # the tray icon as a StatusNotifierItem: its tests run a panel's watcher of their own on a
  # private session bus and follow the item's signals with gdbus
  libglib2.0-bin
  # screen readers: the accessibility bus and its registry, and the walk over Orvane's windows
  # in Python (pyatspi), as Orca sees them; dbus-send asks the session bus for the bus
  at-spi2-core python3-pyatspi dbus-bin
  # artwork: scripts/render-artwork.sh renders the SVGs (the build uses the committed PNGs)
  librsvg2-bin
  # the Debian package (scripts/ci.sh, stage package): cpack finds the libraries' packages
  # with dpkg-shlibdeps; the metadata, the manual page and the package are checked
  dpkg-dev appstream man-db groff-base lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [[ $(id -u) -ne 0 ]]; then SUDO=sudo; else SUDO=; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
