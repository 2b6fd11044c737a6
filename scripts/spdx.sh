#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file names its licence in its first lines. With --check, lists the files
# that do not and fails; without, adds the line where it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
TAG="SPDX-License-Identifier: GPL-3.0-or-later"
check=0
[[ "${1:-}" == "--check" ]] && check=1
missing=0
while IFS= read -r f; do
  head -n 3 "$f" | grep -q "SPDX-License-Identifier:" && continue
  if ((check)); then
    echo "no SPDX line: $f"
    missing=1
    continue
  fi
  case "$f" in
    *.cpp|*.h|*.c) comment="// $TAG" ;;
    *) comment="# $TAG" ;;
  esac
  if head -n 1 "$f" | grep -q '^#!'; then
    { head -n 1 "$f"; echo "$comment"; tail -n +2 "$f"; } > "$f.spdx"
  else
    { echo "$comment"; cat "$f"; } > "$f.spdx"
  fi
  chmod --reference="$f" "$f.spdx"
  mv "$f.spdx" "$f"
done < <(git ls-files '*.cpp' '*.h' '*.c' '*.py' '*.sh' '*CMakeLists.txt' '.ci/run')
exit $missing
