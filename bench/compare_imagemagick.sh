#!/usr/bin/env bash
# gloamer-cli against ImageMagick on the same 48 photograph-like frames of
# 640x360: wall time and file size of each, and their ratios.
# Needs build/bin/gloamer-cli (scripts/bench.sh builds it) and ImageMagick.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
cli="${GLOAMER_CLI:-$root/build/bin/gloamer-cli}"
if [ ! -x "$cli" ]; then
  echo "compare_imagemagick: $cli is missing; build first (bash scripts/bench.sh)" >&2
  exit 1
fi
command -v convert >/dev/null || { echo "compare_imagemagick: ImageMagick's convert is missing" >&2; exit 1; }

work="$(mktemp -d)"
keep="${GLOAMER_KEEP_FRAMES:-}"
trap '[ -n "$keep" ] || rm -rf "$work"' EXIT

# Deterministic frames: a fractal plasma (smooth, photograph-like colour fields)
# with a little noise, drifting from frame to frame.
convert -seed 7 -size 800x450 plasma:fractal "$work/base.png"
for i in $(seq -w 1 48); do
  n=$((10#$i))
  convert "$work/base.png" -roll "+$((n * 9))+$((n * 4))" -crop 640x360+0+0 +repage \
    -seed "$n" -attenuate 0.3 +noise Gaussian "$work/frame$i.png"
done

now() { date +%s.%N; }

start=$(now)
"$cli" --delay 10 -o "$work/gloamer.gif" "$work"/frame*.png
gloamer_time=$(awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }')

start=$(now)
convert -delay 10 -loop 0 "$work"/frame*.png "$work/imagemagick.gif"
magick_time=$(awk -v a="$start" -v b="$(now)" 'BEGIN { print b - a }')

gloamer_size=$(stat -c %s "$work/gloamer.gif")
magick_size=$(stat -c %s "$work/imagemagick.gif")

printf '48 frames of 640x360 (PNG), delay 10/100 s, looping\n'
printf '  %-28s %8.2f s  %10d bytes\n' "gloamer-cli" "$gloamer_time" "$gloamer_size"
printf '  %-28s %8.2f s  %10d bytes\n' "convert -delay 10 -loop 0" "$magick_time" "$magick_size"
awk -v gt="$gloamer_time" -v mt="$magick_time" -v gs="$gloamer_size" -v ms="$magick_size" \
  'BEGIN { printf "  gloamer-cli / ImageMagick: time x%.2f, size x%.2f\n", gt / mt, gs / ms }'
