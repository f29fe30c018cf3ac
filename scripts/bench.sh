#!/usr/bin/env bash
# Builds the benchmarks and runs each of them; figures go to standard output.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
bash "$here/configure-build.sh" -DGLOAMER_BUILD_BENCH=ON -DCMAKE_BUILD_TYPE=Release
for b in "$root"/build/bin/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  xvfb-run -a -s "-screen 0 1280x1024x24" "$b"
done
for s in "$root"/bench/*.sh; do
  [ -f "$s" ] || continue
  echo "== $(basename "$s")"
  bash "$s"
done
