#!/usr/bin/env bash
# Picture reading of two gloamer-cli builds on the same inputs: median wall
# time and median peak resident memory of each, and their ratios. The inputs
# are still PNG frames, large JPEG photographs, and a screen-recording-like GIF
# at 100 and at 700 frames, so that memory which grows with the frame count
# shows up as a difference between the last two rows.
#
#   bash bench/compare_reader.sh [BASELINE_CLI]
#
# The candidate is build/bin/gloamer-cli of this checkout (GLOAMER_CANDIDATE_CLI
# overrides it). The baseline is the argument, else GLOAMER_BASELINE_CLI, else a
# Release build of GLOAMER_BASELINE_REV (default b5ddbf5) made in a temporary
# worktree that is removed again at the end.
# Needs ImageMagick's convert, gifsicle and /usr/bin/time.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
runs=5

for tool in convert gifsicle /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "compare_reader: $tool is missing" >&2; exit 1; }
done

candidate="${GLOAMER_CANDIDATE_CLI:-$root/build/bin/gloamer-cli}"
if [ ! -x "$candidate" ]; then
  echo "compare_reader: $candidate is missing; build first (bash scripts/bench.sh)" >&2
  exit 1
fi

work="$(mktemp -d)"
tree=""
cleanup()
{
  if [ -n "$tree" ]; then
    git -C "$root" worktree remove --force "$tree" >/dev/null 2>&1 || true
    git -C "$root" worktree prune >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

baseline="${1:-${GLOAMER_BASELINE_CLI:-}}"
if [ -z "$baseline" ]; then
  rev="${GLOAMER_BASELINE_REV:-b5ddbf5}"
  tree="$work/baseline-src"
  echo "Building the baseline from $rev (Release) ..."
  log="$work/baseline-build.log"
  if ! { git -C "$root" worktree add --detach "$tree" "$rev" &&
         cmake -S "$tree" -B "$work/baseline-build" -DCMAKE_BUILD_TYPE=Release -DGLOAMER_BUILD_TESTS=OFF &&
         cmake --build "$work/baseline-build" --target gloamer-cli -j 2; } >"$log" 2>&1; then
    tail -n 20 "$log" >&2
    echo "compare_reader: building the baseline from $rev failed" >&2
    exit 1
  fi
  baseline="$work/baseline-build/bin/gloamer-cli"
  baseline_name="$baseline, built from $(git -C "$root" rev-parse --short "$rev")"
else
  baseline_name="$baseline"
fi
if [ ! -x "$baseline" ]; then
  echo "compare_reader: baseline $baseline is missing" >&2
  exit 1
fi
echo "baseline (old):  $baseline_name"
echo "candidate (new): $candidate"

# ImageMagick's own threads only fight the programs measured for the two cores.
magick() { convert -limit thread 1 "$@"; }

# (a) 48 photograph-like PNG frames of 640x360, drifting, each with its own noise.
magick -seed 7 -size 800x450 plasma:fractal "$work/base.png"
args=()
for ((i = 1; i <= 48; i++)); do
  args+=( "(" -clone 0 -roll "+$((i * 9))+$((i * 4))" -crop 640x360+0+0 +repage
          -seed "$i" -attenuate 0.3 +noise Gaussian -write "$(printf '%s/still%02d.png' "$work" "$i")" ")" +delete )
done
# No time stamps, so that every run writes the same bytes.
magick "$work/base.png" -depth 8 -define png:exclude-chunk=date,time "${args[@]}" null:

# (b) 100 JPEG photographs of 1920x1080, crops of one large picture.
magick -seed 7 -size 2400x1600 plasma: -blur 0x1 -seed 7 -attenuate 0.2 +noise Gaussian "$work/photo.png"
args=()
for ((i = 0; i < 100; i++)); do
  args+=( "(" -clone 0 -crop "1920x1080+$(( (i * 37) % 480 ))+$(( (i * 23) % 520 ))" +repage
          -write "$(printf '%s/photo%03d.jpg' "$work" "$i")" ")" +delete )
done
magick "$work/photo.png" -quality 90 "${args[@]}" null:

# (c) A screen recording of 800x600 at 10 frames a second: an editor window on
# a desktop, a line of text typed every so often, the mouse moving in between,
# the caret blinking. Drawn as full frames, then optimised by gifsicle into
# small transparent rectangles on top of the first frame.
W=800
H=600
magick -size ${W}x${H} xc:'#2b6676' \
  -fill '#1d2630' -draw "rectangle 0,$((H - 32)) $((W - 1)),$((H - 1))" \
  -fill '#3a7f93' -draw "rectangle 10,10 58,58" -draw "rectangle 10,80 58,128" -draw "rectangle 10,150 58,198" \
  -fill '#d0d4d8' -draw "rectangle 110,70 689,489" \
  -fill '#34475e' -draw "rectangle 110,70 689,96" \
  -fill white -draw "rectangle 112,98 687,487" \
  -fill '#c04040' -draw "rectangle 668,76 682,90" \
  +antialias -font DejaVu-Sans -pointsize 13 -fill white -draw "text 120,88 'notes.txt - Editor'" \
  -fill '#4a90a8' -draw "rectangle 4,$((H - 28)) 80,$((H - 5))" -fill white -draw "text 14,$((H - 11)) 'Start'" \
  "$work/desktop.png"
lines=(
  "Release checklist for the spring build"
  "1. Run the full test suite on a clean machine"
  "2. Check the installer on both desktops"
  "3. Update the changelog and the version number"
  "4. Tag the release and upload the packages"
)
recording_frames=700
# Frames FIRST..LAST of the recording into one GIF of full frames.
draw_frames()
{
  local first=$1 last=$2 out=$3 f typed n i y len caret cx cy
  local frame_args=()
  for ((f = first; f <= last; f++)); do
    # The recorder's elapsed-time bar grows a pixel a frame, so no two frames are alike.
    frame_args+=( "(" -clone 0 -fill '#e04848' -stroke none
                  -draw "rectangle 50,$((H - 2)) $((50 + f)),$((H - 1))" -fill black )
    typed=$(( f < 80 ? 0 : (f - 80) / 2 ))
    n=$typed
    y=118
    caret=120
    for ((i = 0; i < ${#lines[@]} && n > 0; i++)); do
      len=${#lines[i]}
      if (( n >= len )); then
        frame_args+=( -draw "text 120,$y '${lines[i]}'" )
        caret=$((120 + len * 8))
        n=$((n - len))
      else
        frame_args+=( -draw "text 120,$y '${lines[i]:0:n}'" )
        caret=$((120 + n * 8))
        n=0
      fi
      y=$((y + 20))
    done
    (( typed > 0 )) || y=138
    if (( f >= 80 && f < 540 )) || (( (f / 8) % 2 == 0 )); then
      frame_args+=( -draw "rectangle $caret,$((y - 34)) $((caret + 1)),$((y - 18))" )
    fi
    if (( f < 400 )); then
      frame_args+=( -fill white -draw "text 740,588 '10:41'" )
    else
      frame_args+=( -fill white -draw "text 740,588 '10:42'" )
    fi
    if (( f < 80 )); then
      cx=$((720 - f * 4)); cy=$((520 - f * 5 / 2))
    elif (( f < 540 )); then
      cx=400; cy=320
    elif (( f < 620 )); then
      cx=$((400 + (f - 540) * 275 / 80)); cy=$((320 - (f - 540) * 237 / 80))
    else
      cx=675; cy=83
    fi
    frame_args+=( -fill white -stroke black
                  -draw "polygon $cx,$cy $cx,$((cy + 17)) $((cx + 4)),$((cy + 13)) $((cx + 8)),$((cy + 20)) $((cx + 11)),$((cy + 19)) $((cx + 7)),$((cy + 12)) $((cx + 12)),$((cy + 12))"
                  ")" )
  done
  # Few flat colours: a plain palette keeps ImageMagick from quantising every frame.
  magick "$work/desktop.png" +antialias -font DejaVu-Sans-Mono -pointsize 14 "${frame_args[@]}" \
    -delete 0 +dither -colors 64 -set delay 10 "$out"
}
for ((b = 0; b < recording_frames; b += 50)); do
  draw_frames "$b" "$((b + 49))" "$(printf '%s/part%03d.gif' "$work" "$b")"
done
gifsicle --merge --no-warnings --loopcount=forever -O3 "$work"/part*.gif -o "$work/recording700.gif"
# (d) The same recording cut to its first 100 frames.
gifsicle --no-warnings -O3 "$work/recording700.gif" '#0-99' -o "$work/recording100.gif"
rm -f "$work"/part*.gif "$work/base.png" "$work/photo.png" "$work/desktop.png"

frame_count() { gifsicle -I "$1" | awk 'NR == 1 { print $3 }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

failed=0
results=()
# measure NAME INPUT...: both programs, interleaved, $runs times each.
measure()
{
  local name=$1 side cli round rc warned=0
  shift
  : >"$work/old.times"
  : >"$work/new.times"
  for ((round = 1; round <= runs; round++)); do
    for side in old new; do
      if [ "$side" = old ]; then cli=$baseline; else cli=$candidate; fi
      rm -f "$work/$side.gif"
      if /usr/bin/time -f "%e %M" -o "$work/time" "$cli" -o "$work/$side.gif" "$@" \
        >/dev/null 2>"$work/stderr"; then
        rc=0
      else
        rc=$?
      fi
      if [ "$rc" -ne 0 ]; then
        echo "FAILED: $name: $side exited with $rc: $(head -c 300 "$work/stderr")" >&2
        failed=1
        return 0
      fi
      tail -n 1 "$work/time" >>"$work/$side.times"
    done
    local old_frames new_frames
    old_frames=$(frame_count "$work/old.gif")
    new_frames=$(frame_count "$work/new.gif")
    if [ "$old_frames" != "$new_frames" ] && [ "$warned" = 0 ]; then
      echo "WARNING: $name: old wrote $old_frames frames, new $new_frames" >&2
      warned=1
    fi
  done
  local t_old t_new m_old m_new
  t_old=$(cut -d' ' -f1 "$work/old.times" | median)
  t_new=$(cut -d' ' -f1 "$work/new.times" | median)
  m_old=$(cut -d' ' -f2 "$work/old.times" | median)
  m_new=$(cut -d' ' -f2 "$work/new.times" | median)
  results+=( "$(awk -v n="$name" -v to="$t_old" -v tn="$t_new" -v mo="$m_old" -v mn="$m_new" 'BEGIN {
    printf "  %-26s %7.2f %7.2f  x%5.2f   %7.1f %7.1f  x%5.2f", n, to, tn, tn / to, mo / 1024, mn / 1024, mn / mo }')" )
}

echo "Inputs ready after ${SECONDS} s; $runs runs of each program per input set, interleaved"
measure "48 PNG 640x360" "$work"/still*.png
measure "100 JPEG 1920x1080" "$work"/photo*.jpg
measure "GIF 800x600, 100 frames" "$work/recording100.gif"
measure "GIF 800x600, 700 frames" "$work/recording700.gif"

printf '  %-26s %7s %7s  %6s   %7s %7s  %6s\n' "input set" "old s" "new s" "new/old" "old MiB" "new MiB" "new/old"
for row in "${results[@]}"; do
  echo "$row"
done
echo "  (medians of $runs runs: wall time and peak resident memory; ${SECONDS} s in all)"
exit "$failed"
