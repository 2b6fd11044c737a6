#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets of the INI module and the hotkey store with clang (address and
# undefined-behaviour sanitizers) into build-fuzz/ and runs each for a bounded time.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     SECONDS per target, default $FUZZ_SECONDS or 60
#
# The seeds in tests/fuzz/corpus/<target>/ are only read; inputs that reach new code are kept
# in build-fuzz/corpus/<target>/ for the next run. A broken property or a sanitizer report
# leaves its input in build-fuzz/artifacts/<target>/ and makes the script exit non-zero.
# Replay one with build-fuzz/bin/<target> <file>; fixed ones go into the seed corpus, which
# the normal test suite replays.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-${FUZZ_SECONDS:-60}}
[[ $# -gt 0 ]] && shift
targets=("$@")
((${#targets[@]})) || targets=(IniFileFuzzer HotkeyStoreFuzzer)

bash scripts/install-deps.sh
cmake -S . -B build-fuzz -G Ninja -DORVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$(nproc)"

failed=()
for t in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$t" "build-fuzz/artifacts/$t" build-fuzz/logs
    log="build-fuzz/logs/$t.log"
    echo "== $t: ${seconds} s (log: $log)"
    if "build-fuzz/bin/$t" "build-fuzz/corpus/$t" "tests/fuzz/corpus/$t" \
        -dict=tests/fuzz/ini.dict -max_total_time="$seconds" -max_len=8192 -timeout=30 \
        -artifact_prefix="build-fuzz/artifacts/$t/" -print_final_stats=1 >"$log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' "$log" || true
    else
        failed+=("$t")
        tail -n 40 "$log"
    fi
done

if ((${#failed[@]})); then
    echo "fuzzing found faults in: ${failed[*]} (inputs in build-fuzz/artifacts/)" >&2
    exit 1
fi
echo "no faults found"
