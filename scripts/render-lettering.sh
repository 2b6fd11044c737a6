#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes resources/lettering/outlines.txt: the splash window's texts as outlines, which the
# program draws without loading a font. The file is committed; run this after changing those
# texts or their fonts (TFormLogoTest fails until then). It needs a build tree and the fonts
# scripts/install-deps.sh installs (Liberation Sans).
#
#   scripts/render-lettering.sh [BUILD_DIR]   default: build
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target orvane-make-lettering
out=resources/lettering/outlines.txt
QT_QPA_PLATFORM=offscreen "$build/bin/orvane-make-lettering" >"$out.new"
mv "$out.new" "$out"
echo "wrote $out"
