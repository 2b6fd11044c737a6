#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The CI run, stage by stage: install what is missing, build with warnings as errors, check
# the format, run clang-tidy, run the whole test suite, then build again with
# AddressSanitizer and UndefinedBehaviorSanitizer (in build-asan/) and run every test but
# the end-to-end ones there; build the Debian package and check it. Prints how long each
# stage took.
#   scripts/ci.sh [STAGE...]   only these stages: deps build format tidy test package
#                              sanitize fuzz
# The test stage also prints the share of test lines to source lines added since the last
# release tag.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_WERROR=ON)
if command -v ccache >/dev/null && [[ -z ${CCACHE_DISABLE:-} ]]; then
  export CCACHE_BASEDIR=$PWD
  cmake_args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

stage_deps() { bash scripts/install-deps.sh; }

stage_build() {
  cmake -S . -B build "${cmake_args[@]}"
  cmake --build build -j "$jobs"
}

stage_format() {
  local files
  mapfile -d '' files < <(find src tests bench -type f \
    \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
  clang-format --dry-run --Werror "${files[@]}"
  echo "clang-format: ${#files[@]} files, all formatted"
  bash scripts/spdx.sh --check
  echo "spdx: every source file names its licence"
}

stage_tidy() { bash scripts/tidy.sh build; }

stage_test() {
  (cd build && ctest --output-on-failure -j "$jobs") 2>&1 | tee build/ci-ctest.log
  test_share
}

# Information, not a gate: the lines the tests gained beside the lines the sources gained
# since the last release tag (the first commit where there is none). The screenshot
# writers and the fuzz corpus are not tests of anything, so they do not count.
test_share() {
  local base added_tests added_src
  command -v git >/dev/null && git rev-parse --git-dir >/dev/null 2>&1 || {
    echo "test share: no git repository"
    return 0
  }
  base=$(git describe --tags --abbrev=0 --match 'v*' 2>/dev/null) ||
    base=$(git rev-list --max-parents=0 HEAD | tail -n 1)
  added() { git diff --numstat "$base" -- "$@" | awk '$1 != "-" { n += $1 } END { print n + 0 }'; }
  added_tests=$(added tests ':(exclude)tests/fuzz/corpus' ':(glob,exclude)tests/**/*Screenshots.cpp' \
    ':(exclude)tests/controls/RenderControls.cpp')
  added_src=$(added src)
  awk -v b="$base" -v t="$added_tests" -v s="$added_src" 'BEGIN {
    printf "test share since %s: %d test lines added / %d source lines added = %s\n", b, t, s,
      s ? sprintf("%.2f", t / s) : "n/a" }'
}

# The Debian package from build/, and what it ships checked by the freedesktop, AppStream,
# man and Debian tools; then the unpacked package's executable runs under Xvfb.
stage_package() {
  cmake -S . -B build "${cmake_args[@]}"
  cmake --build build -j "$jobs"
  rm -rf build/package
  (cd build && cpack -G DEB -B "$PWD/package")
  local debs deb root warnings
  debs=(build/package/orvane_*.deb)
  ((${#debs[@]} == 1)) && [[ -f ${debs[0]} ]] || { echo "expected one package: ${debs[*]}" >&2; return 1; }
  deb=${debs[0]}
  dpkg-deb --info "$deb"
  root=build/package/root
  dpkg-deb -x "$deb" "$root"
  desktop-file-validate "$root/usr/share/applications/org.orvane.Orvane.desktop"
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.orvane.Orvane.metainfo.xml"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l \
    "$root/usr/share/man/man1/orvane.1.gz" 2>&1 >/dev/null)
  [[ -z $warnings ]] || { echo "$warnings" >&2; echo "man: warnings in orvane.1" >&2; return 1; }
  echo "man: orvane.1 formats without warnings"
  # Errors fail the stage; each warning left is explained in the README.
  lintian --fail-on error --display-info "$deb"
  (cd tests/e2e && ORVANE_DEB=$PWD/../../$deb python3 -m unittest -v test_package.py)
}

stage_sanitize() {
  cmake -S . -B build-asan "${cmake_args[@]}" -DORVANE_SANITIZE=ON -DORVANE_BUILD_BENCH=OFF
  cmake --build build-asan -j "$jobs"
  # Leaks are errors too; the suppressions name only other libraries' memory kept to exit.
  (cd build-asan &&
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      LSAN_OPTIONS="suppressions=$PWD/../tests/support/lsan.supp:print_suppressions=0" \
      ctest --output-on-failure -j "$jobs" -LE e2e) 2>&1 | tee build-asan/ci-ctest.log
}

stage_fuzz() { bash scripts/fuzz.sh; }

stages=("$@")
((${#stages[@]})) || stages=(deps build format tidy test package sanitize fuzz)

summary=()
current=
rm -f build/ci-ctest.log build-asan/ci-ctest.log

# Adds up the CTest results of this run into one closing line.
count_tests() {
  local passed=0 failed=0 log line total fails
  for log in build/ci-ctest.log build-asan/ci-ctest.log; do
    [[ -f $log ]] || continue
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1) || continue
    total=${line##* out of }
    fails=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - fails))
    failed=$((failed + fails))
  done
  ((passed + failed)) && echo "ci: $passed passed, $failed failed"
  return 0
}

finish() {
  local status=$?
  [[ -n $current ]] && summary+=("$(printf '%-9s %5ds  FAILED' "$current" $((SECONDS - started)))")
  echo
  echo "Stage durations:"
  printf '  %s\n' "${summary[@]}"
  echo "  total     ${SECONDS}s"
  count_tests
  exit "$status"
}
trap finish EXIT

for stage in "${stages[@]}"; do
  if ! declare -F "stage_$stage" >/dev/null; then
    echo "unknown stage: $stage" >&2
    exit 2
  fi
  # The fuzz stage comes with scripts/fuzz.sh; until then there is nothing to run.
  [[ $stage == fuzz && ! -f scripts/fuzz.sh ]] && continue
  echo "=== $stage"
  current=$stage
  started=$SECONDS
  "stage_$stage"
  took=$((SECONDS - started))
  current=
  summary+=("$(printf '%-9s %5ds' "$stage" "$took")")
  echo "=== $stage done in ${took}s"
done
