#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check-lazy-links.sh EXE -- MODULE...
# Fails when the executable links a library that only its modules may load (at first use),
# or when no module links it, which would mean the check cannot see it.
set -euo pipefail
needed() { readelf -d "$@" | grep -oE 'Shared library: \[[^]]+' | cut -d[ -f2; }
exe=$1
shift 2
status=0
for lib in libpulse libasound libgio-2.0 libgobject-2.0; do
  needed "$@" | grep -q "^$lib\.so" || { echo "check cannot see $lib in $*" >&2; status=1; }
  ! needed "$exe" | grep -q "^$lib\.so" || { echo "$exe links $lib" >&2; status=1; }
done
((status == 0)) && echo "$(basename "$exe") leaves libpulse, ALSA, GIO and GObject to its modules"
exit "$status"
