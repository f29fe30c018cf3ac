#!/usr/bin/env bash
# Saving 48 photographic frames of 640x360 (a slow pan over a fractal
# picture) with delay 10: the window's save path, gloamer-cli (its default,
# which the window shares, and the toolkit's quantizer it used before),
# ImageMagick's convert and ffmpeg's palettegen/paletteuse, interleaved over
# 3 rounds.
# Reports the median wall time, the file size and the mean PSNR of every
# decoded, coalesced frame against its source.
#
#   bash bench/compare_save.sh
#
# Needs a build with -DGLOAMER_BUILD_BENCH=ON (build/, as scripts/bench.sh
# makes it, or the folder in GLOAMER_BENCH_BUILD), ImageMagick, and ffmpeg
# (its row is left out when it is missing).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build="${GLOAMER_BENCH_BUILD:-$root/build}"
cli="$build/bin/gloamer-cli"
save="$build/bin/bench_save"
for tool in "$cli" "$save"; do
  [ -x "$tool" ] || { echo "compare_save: $tool is missing; build with -DGLOAMER_BUILD_BENCH=ON" >&2; exit 1; }
done
command -v convert >/dev/null && command -v compare >/dev/null || { echo "compare_save: ImageMagick is missing" >&2; exit 1; }
have_ffmpeg=0
command -v ffmpeg >/dev/null && have_ffmpeg=1

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
convert -size 1200x700 -seed 7 plasma:fractal -blur 0x1 "$work/world.png"
for i in $(seq 0 47); do
  convert "$work/world.png" -crop "640x360+$((i * 10))+$((i * 6))" +repage "$work/f$(printf %02d "$i").png"
done
frames=("$work"/f*.png)

run()
{
  local name="$1" out="$work/$1.gif"
  local start end
  start=$(date +%s.%N)
  case "$name" in
    window) "$save" "$out" 10 640x360 "${frames[@]}" >/dev/null ;;
    cli) "$cli" --delay 10 -o "$out" "${frames[@]}" ;;
    cli-toolkit) "$cli" --quantizer toolkit --delay 10 -o "$out" "${frames[@]}" ;;
    convert) convert -delay 10 -loop 0 "${frames[@]}" "$out" ;;
    ffmpeg) ffmpeg -loglevel error -y -framerate 10 -i "$work/f%02d.png" \
              -filter_complex "[0:v]split[a][b];[a]palettegen[p];[b][p]paletteuse" -loop 0 "$out" ;;
  esac
  end=$(date +%s.%N)
  echo "$end - $start" | bc >> "$work/$name.times"
}

encoders=(window cli cli-toolkit convert)
[ "$have_ffmpeg" = 1 ] && encoders+=(ffmpeg)
for round in 1 2 3; do
  for e in "${encoders[@]}"; do run "$e"; done
done

median() { sort -n "$1" | sed -n 2p; }
psnr()
{
  local gif="$1" dir="$work/decoded"
  rm -rf "$dir"; mkdir "$dir"
  convert "$gif" -coalesce "$dir/d%02d.png"
  local sum=0 n=0 value
  for i in $(seq 0 47); do
    value=$(compare -metric PSNR "$dir/d$(printf %02d "$i").png" "$work/f$(printf %02d "$i").png" null: 2>&1 | cut -d' ' -f1 || true)
    [ "$value" = inf ] && value=99
    sum=$(echo "$sum + $value" | bc -l); n=$((n + 1))
  done
  echo "scale=1; $sum / $n" | bc -l
}

printf "  %-12s %8s %10s %10s\n" encoder wall size "mean PSNR"
for e in "${encoders[@]}"; do
  printf "  %-12s %7.2fs %9dK %8s dB\n" "$e" "$(median "$work/$e.times")" \
    $(( $(stat -c %s "$work/$e.gif") / 1024 )) "$(psnr "$work/$e.gif")"
done
