#!/usr/bin/env bash
# A part of a video clip to a GIF: gloamer-cli against ffmpeg's palettegen and
# paletteuse on the same 1920x1080 H.264 clips, taken at 10 frames per second
# and fitted to 640 wide.
#   pan10   10 s at 30 fps, a pan across a large fractal picture
#   pan60   60 s, the same pan six times over (memory must not grow with it)
# The rounds run the two programs in turn (A B A B ...); the table gives the
# median wall time and peak memory, the file size, and for pan10 the mean and
# worst PSNR of the GIF's frames (as `convert -coalesce` decodes them) against
# the picture each frame was cut from, scaled to 640x360 by ImageMagick.
#
#   bash bench/compare_video.sh            (ROUNDS=5 by default)
#
# Needs a build with -DGLOAMER_BUILD_BENCH=ON (build/, or the folder in
# GLOAMER_BENCH_BUILD), ImageMagick and ffmpeg.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build="${GLOAMER_BENCH_BUILD:-$root/build}"
cli="$build/bin/gloamer-cli"
psnr="$build/bin/measure_psnr"
rounds="${ROUNDS:-5}"
for tool in "$cli" "$psnr"; do
  [ -x "$tool" ] || { echo "compare_video: $tool is missing; build with -DGLOAMER_BUILD_BENCH=ON" >&2; exit 1; }
done
for tool in convert ffmpeg /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "compare_video: $tool is missing" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Frame n of a clip is the 1920x1080 crop at (4 * (n mod 300), 2 * (n mod 300))
# of the picture: every third frame, the one taken at 10 fps, lies at whole
# even pixels, so the reference frames are exact crops.
convert -size 3120x1680 -seed 11 plasma:fractal -blur 0x1 "$work/world.png"
make_clip()
{
  local seconds="$1" out="$2"
  ffmpeg -loglevel error -y -framerate 30 -loop 1 -i "$work/world.png" \
    -vf "crop=1920:1080:x='4*mod(n,300)':y='2*mod(n,300)',format=yuv420p" -frames:v $((seconds * 30)) \
    -c:v libx264 -preset veryfast -crf 20 "$out"
}
make_clip 10 "$work/pan10.mp4"
make_clip 60 "$work/pan60.mp4"
mkdir "$work/ref"
for k in $(seq 0 99); do
  convert "$work/world.png" -crop "1920x1080+$((12 * k))+$((6 * k))" +repage -resize 640x360 \
    "$work/ref/r$(printf %03d "$k").png"
done

encoders=(cli ffmpeg)
encode()
{
  local name="$1" clip="$2" out="$3"
  case "$name" in
    cli) "$cli" --fps 10 --size 640x360 -o "$out" "$clip" ;;
    ffmpeg) ffmpeg -loglevel error -y -i "$clip" \
              -vf "fps=10,scale=640:-1,split[a][b];[a]palettegen[p];[b][p]paletteuse" -loop 0 "$out" ;;
  esac
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for set in pan10 pan60; do
  for round in $(seq 1 "$rounds"); do
    for e in "${encoders[@]}"; do
      /usr/bin/time -f "%e %M" -o "$work/time" bash -c "$(declare -f encode); cli='$cli'; encode $e '$work/$set.mp4' '$work/$set-$e.gif'"
      tail -1 "$work/time" >> "$work/$set-$e.times"
    done
  done
  echo "== $set: $(ffprobe -v error -select_streams v -show_entries stream=width,height,nb_frames -of csv=p=0 "$work/$set.mp4") (width, height, frames)"
  printf "  %-8s %8s %9s %8s %7s %10s %10s\n" encoder wall "peak mem" frames size "mean PSNR" worst
  for e in "${encoders[@]}"; do
    gif="$work/$set-$e.gif" decoded="$work/decoded"
    frames=$(identify "$gif" | wc -l)
    mean="-" worst="-"
    if [ "$set" = pan10 ]; then
      rm -rf "$decoded"; mkdir "$decoded"
      convert "$gif" -coalesce "$decoded/d%03d.ppm"
      read -r mean worst < <("$psnr" "$decoded" "$work"/ref/r*.png)
    fi
    printf "  %-8s %7.2fs %7dMB %8d %6dK %7s dB %7s dB\n" "$e" \
      "$(cut -d' ' -f1 "$work/$set-$e.times" | median)" \
      $(( $(cut -d' ' -f2 "$work/$set-$e.times" | median) / 1024 )) \
      "$frames" $(( $(stat -c %s "$gif") / 1024 )) "$mean" "$worst"
  done
done
