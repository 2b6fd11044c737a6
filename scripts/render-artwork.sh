#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders Orvane's artwork from its SVG sources into the PNGs that the program compiles in,
# and writes the resource file that lists them. The PNGs are committed, so building Orvane
# never needs this script or rsvg-convert (librsvg2-bin); run it after changing an SVG.
#
#   scripts/render-artwork.sh           render everything into resources/
#   scripts/render-artwork.sh --check   render into a temporary folder and fail if anything
#                                       committed differs (an SVG changed without rendering)
set -euo pipefail
cd "$(dirname "$0")/.."
res=resources

check=0
case "${1:-}" in
--check) check=1 ;;
"") ;;
*) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing (librsvg2-bin)" >&2; exit 2; }

if ((check)); then
  out=$(mktemp -d)
  trap 'rm -rf "$out"' EXIT
else
  out=$res
fi
mkdir -p "$out/png/hotkeys" "$out/png/images" "$out/png/tray"

# svg size png: one SVG at one pixel size.
render() { rsvg-convert --width "$2" --height "$2" --output "$3" "$1"; }

# The hotkey icons: exactly one SVG per index 00..51, each at 32 and 64 pixels.
svgs=()
for i in $(seq -w 0 51); do
  matches=("$res"/icons/hotkeys/"$i"-*.svg)
  if ((${#matches[@]} != 1)) || [[ ! -f ${matches[0]} ]]; then
    echo "need exactly one $res/icons/hotkeys/$i-*.svg, found ${#matches[@]}" >&2
    exit 1
  fi
  svgs+=("${matches[0]}")
  render "${matches[0]}" 32 "$out/png/hotkeys/$i.png"
  render "${matches[0]}" 64 "$out/png/hotkeys/$i@2x.png"
done
extra=$(find "$res/icons/hotkeys" -name '*.svg' | wc -l)
if ((extra != 52)); then
  echo "$res/icons/hotkeys holds $extra SVGs, expected 52 (00..51)" >&2
  exit 1
fi

# Title bar mark and OK glyph: drawn on the 16-pixel grid, rendered at 1x and 2x.
for name in titlebar ok; do
  render "$res/images/$name.svg" 16 "$out/png/images/$name.png"
  render "$res/images/$name.svg" 32 "$out/png/images/$name@2x.png"
done

# Application icon: the 16-pixel size from its own grid-fitted drawing, the rest from the mark.
render "$res/images/mark-16.svg" 16 "$out/png/images/orvane-16.png"
for size in 32 48 64 128 256; do
  render "$res/orvane.svg" "$size" "$out/png/images/orvane-$size.png"
done
# The About box's icon: the mark at 32 (64 on a 2x screen), a file of its own so that every
# file in the resource file has one name.
render "$res/orvane.svg" 32 "$out/png/images/about.png"
render "$res/orvane.svg" 64 "$out/png/images/about@2x.png"

# The tray animation: eight frames 0..7, each at 16, 32 and 64 pixels (small panels, the
# usual size, a 2x screen).
for i in 0 1 2 3 4 5 6 7; do
  matches=("$res"/icons/tray/"$i"-*.svg)
  if ((${#matches[@]} != 1)) || [[ ! -f ${matches[0]} ]]; then
    echo "need exactly one $res/icons/tray/$i-*.svg, found ${#matches[@]}" >&2
    exit 1
  fi
  render "${matches[0]}" 16 "$out/png/tray/$i-16.png"
  render "${matches[0]}" 32 "$out/png/tray/$i.png"
  render "${matches[0]}" 64 "$out/png/tray/$i@2x.png"
done

# The resource file: one alias per file, the names the program loads.
{
  echo '<!DOCTYPE RCC>'
  echo '<!-- Written by scripts/render-artwork.sh; edit the script, not this file. -->'
  echo '<RCC version="1.0">'
  echo '  <qresource prefix="/">'
  for i in $(seq -w 0 51); do
    echo "    <file alias=\"hotkeys/$i.png\">png/hotkeys/$i.png</file>"
    echo "    <file alias=\"hotkeys/$i@2x.png\">png/hotkeys/$i@2x.png</file>"
  done
  for name in titlebar ok about; do
    echo "    <file alias=\"images/$name.png\">png/images/$name.png</file>"
    echo "    <file alias=\"images/$name@2x.png\">png/images/$name@2x.png</file>"
  done
  for size in 16 32 48 64 128 256; do
    echo "    <file alias=\"images/orvane-$size.png\">png/images/orvane-$size.png</file>"
  done
  for i in 0 1 2 3 4 5 6 7; do
    echo "    <file alias=\"tray/$i-16.png\">png/tray/$i-16.png</file>"
    echo "    <file alias=\"tray/$i.png\">png/tray/$i.png</file>"
    echo "    <file alias=\"tray/$i@2x.png\">png/tray/$i@2x.png</file>"
  done
  echo '  </qresource>'
  echo '</RCC>'
} >"$out/resources.qrc"

if ((check)); then
  stale=0
  while IFS= read -r f; do
    rel=${f#"$out"/}
    if ! cmp -s "$f" "$res/$rel"; then
      echo "out of date: $res/$rel" >&2
      stale=1
    fi
  done < <(find "$out" -type f | sort)
  # Nothing committed that the script no longer makes.
  while IFS= read -r f; do
    rel=${f#"$res"/}
    [[ -f $out/$rel ]] || { echo "not made by this script: $f" >&2; stale=1; }
  done < <(find "$res/png" -type f | sort)
  if ((stale)); then
    echo "run scripts/render-artwork.sh and commit the result" >&2
    exit 1
  fi
  echo "artwork up to date"
fi
