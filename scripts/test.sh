#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite (unit, widget and
# end-to-end tests; the end-to-end tests start their own virtual X displays).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
cd build
ctest --output-on-failure -j "$(nproc)" "$@"
