#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts Orvane. Arguments go to Orvane ("hide"
# starts it in the background). Without a display it starts a virtual one (Xvfb) first.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

xvfb_pid=
if [[ -z "${DISPLAY:-}" ]]; then
  exec {fd}<> <(:)
  Xvfb -displayfd "$fd" -nolisten tcp -screen 0 1280x1024x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -u "$fd" number
  export DISPLAY=":$number"
  echo "No display found: started a virtual X display (Xvfb) at $DISPLAY for Orvane."
  echo "Stop Orvane with Ctrl+C; the virtual display ends with it."
  trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
fi

if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
  export XDG_RUNTIME_DIR="/tmp/runtime-$(id -u)"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi

status=0
build/bin/orvane "$@" || status=$?
exit "$status"
