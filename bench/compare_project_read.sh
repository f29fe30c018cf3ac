#!/usr/bin/env bash
# Project files read by the program's reader and by the toolkit's XML tree
# (the way they used to be read), in turns (A B A B ...) on the same files:
# median time, peak memory, toolkit time / program time, and the frames each
# found (-1: refused).
# Files: a typical project, the largest one the program opens (100,000
# frames), a name of many short lines, and 2.6 million paths in 100 MB.
# Usage: bash bench/compare_project_read.sh [ROUNDS]   (needs
# -DGLOAMER_BUILD_BENCH=ON; scripts/bench.sh builds it)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
bench="$root/build/bin/bench_project_read"
rounds="${1:-5}"
[ -x "$bench" ] || { echo "build with -DGLOAMER_BUILD_BENCH=ON first"; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

project() { # NAME_TEXT FRAMES [FOLDER]
  NAME="$1" awk -v n="$2" -v folder="${3:-/home/someone/Pictures/holiday/frames}" 'BEGIN { name = ENVIRON["NAME"]
    print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<project>\n  <name>" name "</name>"
    print "  <gif>\n    <width>400</width>\n    <height>300</height>\n    <delay_time>7</delay_time>\n  </gif>\n  <images>"
    for (i = 0; i < n; i++) printf "    <path>%s/frame_%07d.png</path>\n", folder, i
    print "  </images>\n</project>" }'
}
project anim.gif 1000 >"$work/typical.xml"
project anim.gif 100000 >"$work/largest.xml"
project "$(awk 'BEGIN { for (i = 0; i < 30000; i++) printf "x\n" }')" 10 >"$work/lines.xml"
project anim.gif 2600000 /pictures >"$work/huge.xml"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
printf "%-12s %10s %12s %12s %12s %12s %8s\n" file bytes program_s toolkit_s program_MB toolkit_MB ratio
for file in typical largest lines huge; do
  n="$rounds"; [ "$file" = huge ] && n=3
  : >"$work/p" ; : >"$work/t"
  for ((i = 0; i < n; i++)); do
    "$bench" program "$work/$file.xml" >>"$work/p"
    "$bench" toolkit "$work/$file.xml" >>"$work/t"
  done
  pt=$(cut -d' ' -f1 "$work/p" | median); tt=$(cut -d' ' -f1 "$work/t" | median)
  pm=$(cut -d' ' -f3 "$work/p" | median); tm=$(cut -d' ' -f3 "$work/t" | median)
  pf=$(head -1 "$work/p" | cut -d' ' -f2); tf=$(head -1 "$work/t" | cut -d' ' -f2)
  awk -v f="$file" -v b="$(stat -c %s "$work/$file.xml")" -v pt="$pt" -v tt="$tt" -v pm="$pm" -v tm="$tm" \
    -v pf="$pf" -v tf="$tf" 'BEGIN { printf "%-12s %10s %12.4f %12.4f %12.1f %12.1f %8s   frames: program %s, toolkit %s\n",
      f, b, pt, tt, pm / 1024, tm / 1024, (pt > 0 ? sprintf("%.1f", tt / pt) : "-"), pf, tf }' 
done
