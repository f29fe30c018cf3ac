#!/usr/bin/env bash
# Fuzzes the picture reader under AddressSanitizer with libFuzzer (clang).
# Usage: bash scripts/fuzz.sh [SECONDS_PER_FORMAT]  (default 1200)
# Each format gets its own run, seeded with that format's generated files;
# findings land in build-fuzz/findings/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
seconds="${1:-1200}"
bash "$here/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -DGLOAMER_FUZZ=ON -DGLOAMER_BUILD_TESTS=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build-fuzz" -j "$(nproc)" --target fuzz_picture make_picture_corpus
out="$root/build-fuzz"
rm -rf "$out/seeds" && mkdir -p "$out/seeds" "$out/findings"
ASAN_OPTIONS=detect_leaks=0 "$out/bin/make_picture_corpus" "$out/seeds"
for format in gif png jpg bmp; do
  mkdir -p "$out/corpus-$format"
  find "$out/seeds" -name "*.$format" -exec cp {} "$out/corpus-$format/" \;
done
# Two runs at a time, one a core.
run() {
  "$out/bin/fuzz_picture" "$out/corpus-$1" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    -timeout=10 -artifact_prefix="$out/findings/$1-" -print_final_stats=1 >"$out/fuzz-$1.log" 2>&1 || true
  echo "== $1: $(grep -E 'stat::number_of_executed_units|Done' "$out/fuzz-$1.log" | tr '\n' ' ')"
}
run gif & run png & wait
run jpg & run bmp & wait
ls "$out/findings"
