#!/usr/bin/env bash
# Frames in bounded memory: the window (bench_frames, a real window under
# Xvfb) loading, saving and previewing through its frame store, with the
# process's peak memory, against an earlier build in the same interleaved
# rounds. Cases:
#   load 200 / 1000 JPEGs of 1920x1080      time, peak memory
#   save 200 JPEGs of 1920x1080             time, identical bytes
#   preview 60 JPEGs of 1920x1080, delay 4  longest gap between frames after the first pass
#   a 6.9 KB GIF: 300 one-pixel frames on a 4096x4096 screen   peak memory
#   a 3000-frame GIF of 320x240             peak memory
# Prints medians and the ratio new / earlier.
#
#   GLOAMER_BASE_BUILD=/tmp/base20/build bash bench/compare_frames.sh
#
# Both builds need -DGLOAMER_BUILD_BENCH=ON with bench/window/bench_frames.cpp
# (an earlier tree takes it as it is, with bench/window/benchapp.h). Without GLOAMER_BASE_BUILD only
# this build runs. The earlier build is not run where it would need several
# gigabytes (1000 JPEGs, the hostile GIF); ROUNDS (default 3) sets the rounds.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
new="${GLOAMER_BENCH_BUILD:-$root/build}/bin/bench_frames"
base="${GLOAMER_BASE_BUILD:+$GLOAMER_BASE_BUILD/bin/bench_frames}"
rounds="${ROUNDS:-3}"
[ -x "$new" ] || { echo "compare_frames: $new is missing; build with -DGLOAMER_BUILD_BENCH=ON" >&2; exit 1; }
command -v ffmpeg >/dev/null || { echo "compare_frames: ffmpeg is missing" >&2; exit 1; }

work="$(mktemp -d)"
xvfb=""
cleanup() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 80 99); do
    [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=":$n"
    sleep 1
    break
  done
fi

echo "making the inputs..." >&2
mkdir "$work/jpg"
# Photographic frames of about 200-400 KB: a zoom into the Mandelbrot set with grain.
ffmpeg -v error -f lavfi -i "mandelbrot=s=1920x1080:r=25,noise=alls=8:allf=t" -frames:v 1000 -q:v 6 "$work/jpg/p%04d.jpg"
jpgs=("$work"/jpg/*.jpg)
# 300 frames of one pixel each on a 4096x4096 screen, written byte by byte.
python3 - "$work/hostile.gif" <<'PY'
import struct, sys
out = bytearray(b"GIF89a" + struct.pack("<HHBBB", 4096, 4096, 0x80, 0, 0) + b"\x00\x00\x00\xff\xff\xff")
for i in range(300):
    out += b"\x21\xf9\x04\x00\x0a\x00\x00\x00"                      # delay 10, no disposal
    out += b"\x2c" + struct.pack("<HHHHB", i % 4096, i // 4096, 1, 1, 0)
    out += b"\x02\x02\x4c\x01\x00"                                  # one pixel of colour 1
out += b"\x3b"
open(sys.argv[1], "wb").write(out)
PY
ffmpeg -v error -f lavfi -i "testsrc=s=320x240:r=25" -frames:v 3000 "$work/long.gif"
printf "inputs: %d JPEGs (%s), hostile.gif %s bytes, long.gif %s bytes\n" "${#jpgs[@]}" \
  "$(du -sh "$work/jpg" | cut -f1)" "$(stat -c %s "$work/hostile.gif")" "$(stat -c %s "$work/long.gif")"

# run LABEL BUILD ARGS...: one run; its figures go to $work/LABEL (one line per round).
run()
{
  local label="$1" tool="$2"
  shift 2
  local line
  # A run that fails (memory limit, crash) counts as "failed".
  line="$( (ulimit -v 4194304; "$tool" "$@" 2>/dev/null | grep '^frames=' ) || echo "failed")"
  echo "$line" >> "$work/$label"
}

median() # LABEL KEY
{
  [ -f "$work/$1" ] || { echo "-"; return; }
  { grep -o "$2=[0-9.]*" "$work/$1" || true; } | cut -d= -f2 | sort -n |
    awk '{v[NR]=$1} END {if (NR) print v[int((NR+1)/2)]; else print "-"}'
}

row() # TEXT KEY LABEL
{
  local n b ratio="-"
  n="$(median "new-$3" "$2")"
  b="$(median "base-$3" "$2")"
  if [ "$n" != "-" ] && [ "$b" != "-" ]; then ratio="$(awk -v n="$n" -v b="$b" 'BEGIN {printf "%.2f", n / b}')"; fi
  printf "| %-44s | %10s | %10s | %6s |\n" "$1" "$n" "$b" "$ratio"
}

for round in $(seq 1 "$rounds"); do
  echo "round $round of $rounds..." >&2
  for who in new base; do
    tool="$new"
    [ "$who" = base ] && tool="$base"
    [ -n "$tool" ] || continue
    run "$who-load200" "$tool" load "${jpgs[@]:0:200}"
    run "$who-save200" "$tool" save "$work/$who-$round.gif" "${jpgs[@]:0:200}"
    run "$who-preview" "$tool" preview 4 10 "${jpgs[@]:0:60}"
    run "$who-long" "$tool" load "$work/long.gif"
    if [ "$who" = new ]; then
      run "$who-load1000" "$tool" load "${jpgs[@]}"
      run "$who-hostile" "$tool" load "$work/hostile.gif"
    fi
  done
done

same="-"
if [ -n "$base" ]; then
  same=yes
  for round in $(seq 1 "$rounds"); do
    cmp -s "$work/new-$round.gif" "$work/base-$round.gif" || same=no
  done
fi

printf "\n| %-44s | %10s | %10s | %6s |\n" "case (medians of $rounds rounds)" "new" "earlier" "ratio"
printf "|%s|%s|%s|%s|\n" "----------------------------------------------" "------------" "------------" "--------"
row "load 200 JPEGs 1080p: seconds" load_s load200
row "load 200 JPEGs 1080p: peak MiB" peak_mib load200
row "load 1000 JPEGs 1080p: peak MiB" peak_mib load1000
row "load 1000 JPEGs 1080p: seconds" load_s load1000
row "save 200 JPEGs 1080p: seconds" save_s save200
row "save 200 JPEGs 1080p: peak MiB" peak_mib save200
row "preview 60 frames, delay 4: longest gap ms" longest_gap_ms preview
row "preview: gaps over two delays after pass 1" late preview
row "hostile GIF (300 x 4096x4096): peak MiB" peak_mib hostile
row "hostile GIF: seconds" load_s hostile
row "3000-frame 320x240 GIF: peak MiB" peak_mib long
row "3000-frame 320x240 GIF: seconds" load_s long
echo "saved GIFs byte-identical to the earlier build's: $same"
for f in "$work"/new-* "$work"/base-*; do
  case "$f" in *.gif) continue ;; esac
  grep -q failed "$f" && echo "failed runs in $(basename "$f")"
done
exit 0
