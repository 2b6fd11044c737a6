#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check-headless-links.sh WIDGET_EXE -- HEADLESS_EXE...
# Fails when a headless test executable is linked against Qt's GUI or widget libraries.
# WIDGET_EXE is a test known to use widgets: finding them there shows the check can see them.
set -euo pipefail
gui_libs() { readelf -d "$1" | grep -oE 'libQt6(Gui|Widgets)\.so[^]]*' || true; }

control=$1
shift
[[ $1 == -- ]] && shift
if [[ -z $(gui_libs "$control") ]]; then
  echo "check cannot see Qt's GUI libraries: none found in $control" >&2
  exit 1
fi
status=0
for exe in "$@"; do
  found=$(gui_libs "$exe")
  if [[ -n $found ]]; then
    echo "$(basename "$exe") links $(echo "$found" | tr '\n' ' ')" >&2
    status=1
  fi
done
((status == 0)) && echo "$# headless test executables link neither Qt6::Gui nor Qt6::Widgets"
exit "$status"
