#!/usr/bin/env bash
# gloamer-cli against gifski, ffmpeg (palettegen + paletteuse), ImageMagick's
# convert (plain, and -layers Optimize) and GraphicsMagick (when installed) on
# three frame sets made here:
#   photo640   48 crops of 640x360 panning across a large fractal picture
#   photo1080  16 crops of 1920x1080 panning across a larger one
#   flat       60 screen-like 800x600 frames drawn with ImageMagick: a still
#              window, a moving cursor and a counting number
#
# 1. Speed: every encoder runs once per round at its default settings (and
#    gloamer-cli also with --optimize, and --optimize --quality 75), rounds
#    interleaved (A B C ... A B C ...); the table gives the median wall time
#    and peak memory, the file size, and the mean and worst PSNR of the
#    frames as `convert -coalesce` decodes them against their sources (99 dB:
#    identical), and the median time as a ratio to gloamer-cli's. With
#    GLOAMER_BASE_CLI naming another build of gloamer-cli (say of an earlier
#    commit), it runs in the same rounds as "cli-base" (and with --optimize
#    --quality 75 as "cli-base-lossy"), and the default output of both is
#    compared byte for byte.
# 2. Rate and distortion: size, mean and worst PSNR at six settings of
#    gloamer-cli --optimize --quality, gifski -Q and ffmpeg's dithering, and
#    the average size difference at equal PSNR of gloamer-cli against each
#    peer: of each encoder's settings those that no other of its settings
#    beats on both size and PSNR make its curve, log size is interpolated
#    piecewise-linearly over PSNR on both curves and averaged over the PSNR
#    range both cover.
#
#   bash bench/compare_encoders.sh [SET...]     (ROUNDS=3 by default)
#
# ENCODERS="cli cli-base" limits the speed table to those encoders, and RD=0
# leaves out the rate-and-distortion part (for more rounds of a speed check).
#
# Needs a build with -DGLOAMER_BUILD_BENCH=ON (build/, or the folder in
# GLOAMER_BENCH_BUILD), ImageMagick and ffmpeg. gifski comes from its npm
# package (it ships a Linux binary), installed into a temporary folder here
# and run as a black box; without npm it is left out.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
build="${GLOAMER_BENCH_BUILD:-$root/build}"
cli="$build/bin/gloamer-cli"
base="${GLOAMER_BASE_CLI:-}"
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

gifski=""
if command -v npm >/dev/null &&
   npm install --silent --no-audit --no-fund --prefix "$work/npm" gifski@1.7.1 >/dev/null 2>&1 &&
   [ -x "$work/npm/node_modules/gifski/bin/debian/gifski" ]; then
  gifski="$work/npm/node_modules/gifski/bin/debian/gifski"
else
  echo "compare_encoders: gifski could not be installed from npm; it is left out" >&2
fi

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

encoders=(cli)
[ -n "$base" ] && encoders+=(cli-base)
encoders+=(cli-optimize cli-lossy)
[ -n "$base" ] && encoders+=(cli-base-lossy)
encoders+=(cli-toolkit ffmpeg convert convert-optimize)
[ -n "$gifski" ] && encoders+=(gifski)
command -v gm >/dev/null && encoders+=(gm)
[ -n "${ENCODERS:-}" ] && read -r -a encoders <<< "$ENCODERS"

qualities=(100 90 75 60 45 30)
dithers=(sierra2_4a bayer:bayer_scale=5 bayer:bayer_scale=3 bayer:bayer_scale=1 none floyd_steinberg)

# encode NAME[:SETTING] DIR OUT
encode()
{
  local name="${1%%:*}" setting="${1#*:}" dir="$2" out="$3"
  local frames=("$dir"/f*.png)
  local size
  size="$(identify -format '%w %h' "$dir/f000.png")"
  case "$name" in
    cli) "$cli" --delay 10 -o "$out" "${frames[@]}" ;;
    cli-base) "$base" --delay 10 -o "$out" "${frames[@]}" ;;
    cli-optimize) "$cli" --optimize --delay 10 -o "$out" "${frames[@]}" ;;
    cli-lossy) "$cli" --optimize --quality 75 --delay 10 -o "$out" "${frames[@]}" ;;
    cli-base-lossy) "$base" --optimize --quality 75 --delay 10 -o "$out" "${frames[@]}" ;;
    cli-quality) "$cli" --optimize --quality "$setting" --delay 10 -o "$out" "${frames[@]}" ;;
    cli-toolkit) "$cli" --quantizer toolkit --delay 10 -o "$out" "${frames[@]}" ;;
    ffmpeg) ffmpeg -loglevel error -y -framerate 10 -i "$dir/f%03d.png" \
              -filter_complex "[0:v]split[a][b];[a]palettegen[p];[b][p]paletteuse" -loop 0 "$out" ;;
    ffmpeg-dither) ffmpeg -loglevel error -y -framerate 10 -i "$dir/f%03d.png" \
              -filter_complex "[0:v]split[a][b];[a]palettegen[p];[b][p]paletteuse=dither=$setting" -loop 0 "$out" ;;
    gifski) "$gifski" --quiet --fps 10 -W "${size% *}" -H "${size#* }" -o "$out" "${frames[@]}" ;;
    gifski-quality) "$gifski" --quiet -Q "$setting" --fps 10 -W "${size% *}" -H "${size#* }" -o "$out" "${frames[@]}" ;;
    convert) convert -delay 10 -loop 0 "${frames[@]}" "$out" ;;
    convert-optimize) convert -delay 10 -loop 0 "${frames[@]}" -layers Optimize "$out" ;;
    gm) gm convert -delay 10 -loop 0 "${frames[@]}" "$out" ;;
  esac
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# "SIZE MEAN WORST" of an animation against the set's frames.
measure()
{
  local gif="$1" dir="$2" decoded="$work/decoded"
  rm -rf "$decoded"; mkdir "$decoded"
  convert "$gif" -coalesce "$decoded/d%03d.ppm"
  echo "$(stat -c %s "$gif") $("$psnr" "$decoded" "$dir"/f*.png)"
}

# The average size difference, in percent, of curve A against curve B at
# equal PSNR: each file holds "SIZE MEAN WORST" lines; log size is taken
# piecewise-linearly over mean PSNR and averaged over the common range.
size_at_equal_psnr()
{
  awk '
    FNR == 1 { curve++ }
    { n[curve]++; p[curve, n[curve]] = $2; s[curve, n[curve]] = log($1) }
    function sortcurve(c,   i, j, t) {
      for (i = 2; i <= n[c]; i++)
        for (j = i; j > 1 && p[c, j] < p[c, j - 1]; j--) {
          t = p[c, j]; p[c, j] = p[c, j - 1]; p[c, j - 1] = t
          t = s[c, j]; s[c, j] = s[c, j - 1]; s[c, j - 1] = t
        }
    }
    function at(c, x,   i) {
      if (n[c] == 1) return s[c, 1]
      for (i = 2; i < n[c] && p[c, i] < x; i++);
      if (p[c, i] == p[c, i - 1]) return s[c, i]
      return s[c, i - 1] + (s[c, i] - s[c, i - 1]) * (x - p[c, i - 1]) / (p[c, i] - p[c, i - 1])
    }
    # Only the settings that no other setting beats on both size and PSNR:
    # the smallest file for each PSNR, so a curve never goes back.
    function front(c,   i, m, best) {
      best = 1e300; m = 0
      for (i = n[c]; i >= 1; i--)
        if (s[c, i] < best) { best = s[c, i]; m++; fp[m] = p[c, i]; fs[m] = s[c, i] }
      n[c] = m
      for (i = 1; i <= m; i++) { p[c, i] = fp[m + 1 - i]; s[c, i] = fs[m + 1 - i] }
    }
    END {
      sortcurve(1); sortcurve(2); front(1); front(2)
      lo = p[1, 1] > p[2, 1] ? p[1, 1] : p[2, 1]
      hi = p[1, n[1]] < p[2, n[2]] ? p[1, n[1]] : p[2, n[2]]
      if (lo > hi) { print "no common PSNR range"; exit }
      steps = (lo < hi) ? 200 : 0; sum = 0
      for (k = 0; k <= steps; k++) { x = steps ? lo + (hi - lo) * k / steps : lo; sum += at(1, x) - at(2, x) }
      printf "%+.1f%% (over %.2f to %.2f dB; %d and %d settings on the curves)\n", (exp(sum / (steps + 1)) - 1) * 100, lo, hi, n[1], n[2]
    }' "$1" "$2"
}

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
      /usr/bin/time -f "%e %M" -o "$work/time" bash -c "$(declare -f encode); cli='$cli' base='$base' gifski='$gifski'; encode $e '$dir' '$work/$set-$e.gif'"
      tail -1 "$work/time" >> "$work/$set-$e.times"
    done
  done
  echo "== $set: $(ls "$dir"/f*.png | wc -l) frames of $(identify -format '%wx%h' "$dir/f000.png"), $rounds interleaved rounds"
  if [ -f "$work/$set-cli.gif" ] && [ -f "$work/$set-cli-base.gif" ]; then
    cmp -s "$work/$set-cli.gif" "$work/$set-cli-base.gif" && echo "  cli and cli-base wrote the same bytes" ||
      echo "  cli and cli-base wrote DIFFERENT bytes"
  fi
  cli_time=0
  [ -f "$work/$set-cli.times" ] && cli_time="$(cut -d' ' -f1 "$work/$set-cli.times" | median)"
  printf "  %-17s %8s %6s %9s %10s %10s %10s\n" encoder wall "x cli" "peak mem" size "mean PSNR" "worst"
  for e in "${encoders[@]}"; do
    read -r bytes mean worst < <(measure "$work/$set-$e.gif" "$dir")
    wall="$(cut -d' ' -f1 "$work/$set-$e.times" | median)"
    printf "  %-17s %7.2fs %6.2f %7dMB %9dK %7s dB %7s dB\n" "$e" "$wall" \
      "$(awk -v a="$wall" -v b="$cli_time" 'BEGIN { print (b > 0 ? a / b : 0) }')" \
      $(( $(cut -d' ' -f2 "$work/$set-$e.times" | median) / 1024 )) $(( bytes / 1024 )) "$mean" "$worst"
  done

  [ "${RD:-1}" = 0 ] && continue
  echo "  rate and distortion (size, mean and worst PSNR):"
  peers=(cli-quality ffmpeg-dither)
  [ -n "$gifski" ] && peers=(cli-quality gifski-quality ffmpeg-dither)
  for peer in "${peers[@]}"; do
    : > "$work/$set-$peer.curve"
    case "$peer" in
      ffmpeg-dither) settings=("${dithers[@]}") ;;
      *) settings=("${qualities[@]}") ;;
    esac
    for setting in "${settings[@]}"; do
      encode "$peer:$setting" "$dir" "$work/rd.gif"
      read -r bytes mean worst < <(measure "$work/rd.gif" "$dir")
      echo "$bytes $mean $worst" >> "$work/$set-$peer.curve"
      printf "  %-15s %-22s %9dK %7s dB %7s dB\n" "$peer" "$setting" $(( bytes / 1024 )) "$mean" "$worst"
    done
  done
  for peer in "${peers[@]:1}"; do
    echo "  cli-quality against $peer at equal PSNR: $(size_at_equal_psnr "$work/$set-cli-quality.curve" "$work/$set-$peer.curve")"
  done
done
