#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and checks everything CI checks, stage by stage: the
# build with warnings as errors, the format, clang-tidy, the whole test suite (unit, widget
# and end-to-end tests; the end-to-end tests start their own virtual X displays), the
# sanitizer build with its tests, and a short fuzzing run. Stage names as arguments run only
# those stages (see scripts/ci.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
exec bash scripts/ci.sh "$@"
