#!/usr/bin/env bash
# gloamer-cli (default, --optimize, and --quantizer toolkit) against ffmpeg (palettegen +
# paletteuse), ImageMagick's convert (plain, and -layers Optimize) and
# GraphicsMagick (when installed) on three frame sets made here:
#   photo640   48 crops of 640x360 panning across a large fractal picture
#   photo1080  16 crops of 1920x1080 panning across a larger one
#   flat       60 screen-like 800x600 frames drawn with ImageMagick: a still
#              window, a moving cursor and a counting number
# Every encoder runs once per round, rounds interleaved; the table gives the
# median wall time and peak memory, the file size, and the mean and worst
# PSNR of the frames as `convert -coalesce` decodes them against their
# sources (99 dB: identical).
#
#   bash bench/compare_encoders.sh [SET...]     (ROUNDS=3 by default)
#
# Needs a build with -DGLOAMER_BUILD_BENCH=ON (build/, or the folder in
# GLOAMER_BENCH_BUILD), ImageMagick and ffmpeg.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build="${GLOAMER_BENCH_BUILD:-$root/build}"
cli="$build/bin/gloamer-cli"
psnr="$build/bin/measure_psnr"
rounds="${ROUNDS:-3}"
for tool in "$cli" "$psnr"; do
  [ -x "$tool" ] || { echo "compare_encoders: $tool is missing; build with -DGLOAMER_BUILD_BENCH=ON" >&2; exit 1; }
done
for tool in convert ffmpeg /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "compare_encoders: $tool is missing" >&2; exit 1; }
done
sets=("$@")
[ ${#sets[@]} -gt 0 ] || sets=(photo640 photo1080 flat)

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

make_photo()
{
  local dir="$1" w="$2" h="$3" n="$4" step_x="$5" step_y="$6"
  mkdir -p "$dir"
  convert -size "$((w + n * step_x))x$((h + n * step_y))" -seed 7 plasma:fractal -blur 0x1 "$dir/world.png"
  for i in $(seq 0 $((n - 1))); do
    convert "$dir/world.png" -crop "${w}x${h}+$((i * step_x))+$((i * step_y))" +repage "$dir/f$(printf %03d "$i").png"
  done
  rm "$dir/world.png"
}

# A window with a title bar, a side panel, text lines and buttons; a cursor
# moves over it and a counter counts the frames.
make_flat()
{
  local dir="$1" n=60 font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
  mkdir -p "$dir"
  convert -size 800x600 xc:'#3a6ea5' -font "$font" \
    -fill '#f0f0f0' -draw 'rectangle 40,30 760,570' \
    -fill '#1f4e8c' -draw 'rectangle 40,30 760,62' \
    -fill white -pointsize 16 -draw "text 52,52 'Report - Editor'" \
    -fill '#dcdcdc' -draw 'rectangle 40,62 220,570' \
    -fill '#202020' -pointsize 14 \
    -draw "text 56,100 'Inbox'" -draw "text 56,130 'Drafts'" -draw "text 56,160 'Archive'" \
    -draw "text 240,100 'Quarterly figures are ready for review.'" \
    -draw "text 240,130 'Please check the totals before Friday.'" \
    -draw "text 240,160 'The meeting moved to room 4.'" \
    -fill '#c8c8c8' -draw 'rectangle 600,520 740,555' -fill '#202020' -draw "text 640,543 'Send'" \
    "$dir/window.png"
  for i in $(seq 0 $((n - 1))); do
    local x=$((260 + i * 7)) y=$((220 + (i * 13) % 200))
    convert "$dir/window.png" -font "$font" \
      -fill white -stroke black -draw "polygon $x,$y $x,$((y + 18)) $((x + 5)),$((y + 14)) $((x + 12)),$((y + 14))" \
      -stroke none -fill '#b00020' -pointsize 28 -draw "text 600,480 'Frame $((i + 1))'" \
      "$dir/f$(printf %03d "$i").png"
  done
  rm "$dir/window.png"
}

encoders=(cli cli-optimize cli-toolkit ffmpeg convert convert-optimize)
command -v gm >/dev/null && encoders+=(gm)

encode()
{
  local name="$1" dir="$2" out="$3"
  local frames=("$dir"/f*.png)
  case "$name" in
    cli) "$cli" --delay 10 -o "$out" "${frames[@]}" ;;
    cli-optimize) "$cli" --optimize --delay 10 -o "$out" "${frames[@]}" ;;
    cli-toolkit) "$cli" --quantizer toolkit --delay 10 -o "$out" "${frames[@]}" ;;
    ffmpeg) ffmpeg -loglevel error -y -framerate 10 -i "$dir/f%03d.png" \
              -filter_complex "[0:v]split[a][b];[a]palettegen[p];[b][p]paletteuse" -loop 0 "$out" ;;
    convert) convert -delay 10 -loop 0 "${frames[@]}" "$out" ;;
    convert-optimize) convert -delay 10 -loop 0 "${frames[@]}" -layers Optimize "$out" ;;
    gm) gm convert -delay 10 -loop 0 "${frames[@]}" "$out" ;;
  esac
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for set in "${sets[@]}"; do
  dir="$work/$set"
  case "$set" in
    photo640) make_photo "$dir" 640 360 48 10 6 ;;
    photo1080) make_photo "$dir" 1920 1080 16 24 12 ;;
    flat) make_flat "$dir" ;;
    *) echo "compare_encoders: unknown set $set" >&2; exit 2 ;;
  esac
  for round in $(seq 1 "$rounds"); do
    for e in "${encoders[@]}"; do
      /usr/bin/time -f "%e %M" -o "$work/time" bash -c "$(declare -f encode); cli='$cli'; encode $e '$dir' '$work/$set-$e.gif'"
      tail -1 "$work/time" >> "$work/$set-$e.times"
    done
  done
  echo "== $set: $(ls "$dir"/f*.png | wc -l) frames of $(identify -format '%wx%h' "$dir/f000.png")"
  printf "  %-17s %8s %9s %10s %10s %10s\n" encoder wall "peak mem" size "mean PSNR" "worst"
  for e in "${encoders[@]}"; do
    gif="$work/$set-$e.gif" decoded="$work/decoded"
    rm -rf "$decoded"; mkdir "$decoded"
    convert "$gif" -coalesce "$decoded/d%03d.ppm"
    read -r mean worst < <("$psnr" "$decoded" "$dir"/f*.png)
    printf "  %-17s %7.2fs %7dMB %9dK %7s dB %7s dB\n" "$e" \
      "$(cut -d' ' -f1 "$work/$set-$e.times" | median)" \
      $(( $(cut -d' ' -f2 "$work/$set-$e.times" | median) / 1024 )) \
      $(( $(stat -c %s "$gif") / 1024 )) "$mean" "$worst"
  done
done
