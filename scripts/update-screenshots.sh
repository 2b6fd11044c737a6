#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copies the README's pictures, those of the recorded combination and the key list's end, and
# the main, volume and options windows at twice the density, from the screenshots the tests
# took (build/screenshots, after a ctest run) into docs/screenshots. Commit the result.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
for shot in main-window main-window-recorded-win main-window-key-list-end volume-window \
  options-5-general main-window@2x volume-window@2x options-5-general@2x; do
  cp "$build/screenshots/$shot.png" "docs/screenshots/$shot.png"
done
echo "docs/screenshots updated from $build/screenshots"
