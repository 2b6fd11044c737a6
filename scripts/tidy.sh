#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy with the repository's .clang-tidy over Orvane's C and C++ sources, using
# the compile commands of a configured and built tree; fails on any finding.
#   scripts/tidy.sh [BUILD_DIR [PATH_REGEX]]   (defaults: build, "(src|tests|bench)/")
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scope=${2:-"(src|tests|bench)/"}
log="$build/clang-tidy.log"

# The build's flags are GCC's; clang does not know all of its warning options.
status=0
run-clang-tidy -j "$(nproc)" -p "$build" -quiet -extra-arg=-Wno-unknown-warning-option \
  "^$PWD/$scope.*\.(c|cpp)$" >"$log" 2>&1 || status=$?
sed -i 's/\x1b\[[0-9;]*m//g' "$log"

files=$(grep -cE '^clang-tidy(-[0-9]+)? ' "$log" || true)
if ((status != 0)); then
  # A finding in a header shows once for every file that includes it: each once here.
  grep -E ': (warning|error): ' "$log" | sed "s|^$PWD/||" | sort -u || tail -n 50 "$log"
  echo "clang-tidy: findings above (with their notes in $log)"
  exit 1
fi
if ((files == 0)); then
  echo "clang-tidy: no source files matched $scope in $build/compile_commands.json"
  exit 1
fi
echo "clang-tidy: $files files, no findings"
