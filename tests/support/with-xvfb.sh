#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on its own virtual X display (a free number the server picks) and stops
# that server afterwards, whatever the command's outcome.
set -euo pipefail
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -nolisten tcp -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true' EXIT
read -r -t 30 -u "$fd" number
export DISPLAY=":$number"
"$@"
