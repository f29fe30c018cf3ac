#!/usr/bin/env bash
# Fuzzes the picture and video readers under AddressSanitizer with libFuzzer
# (clang), at low priority (the machine may be shared).
# Usage: bash scripts/fuzz.sh [SECONDS_PER_RUN] [picture|video|all]  (default 1200 all)
# Each picture format gets its own run, seeded with that format's generated
# files; the video reader one run, seeded with small clips ffmpeg makes here
# in every container and codec it reads. Findings land in build-fuzz/findings/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
seconds="${1:-1200}"
which="${2:-all}"
bash "$here/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -DGLOAMER_FUZZ=ON -DGLOAMER_BUILD_TESTS=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build-fuzz" -j "$(nproc)" --target fuzz_picture fuzz_video make_picture_corpus
out="$root/build-fuzz"
mkdir -p "$out/findings"
run() {
  local target="$1" corpus="$2"
  nice -n 10 "$out/bin/fuzz_$target" "$out/corpus-$corpus" -max_total_time="$seconds" -max_len=65536 \
    -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$out/findings/$corpus-" -print_final_stats=1 \
    >"$out/fuzz-$corpus.log" 2>&1 || true
  echo "== $corpus: $(grep -E 'stat::number_of_executed_units|Done' "$out/fuzz-$corpus.log" | tr '\n' ' ')"
}

if [ "$which" = all ] || [ "$which" = picture ]; then
  rm -rf "$out/seeds" && mkdir -p "$out/seeds"
  ASAN_OPTIONS=detect_leaks=0 "$out/bin/make_picture_corpus" "$out/seeds"
  for format in gif png jpg bmp; do
    mkdir -p "$out/corpus-$format"
    find "$out/seeds" -name "*.$format" -exec cp {} "$out/corpus-$format/" \;
  done
  # Two runs at a time, one a core.
  run picture gif & run picture png & wait
  run picture jpg & run picture bmp & wait
fi

if [ "$which" = all ] || [ "$which" = video ]; then
  clips="$out/corpus-video"
  mkdir -p "$clips"
  ramp="color=c=black:s=32x24:r=10:d=0.5,format=yuv420p,geq=lum='16+8*N':cb=128:cr=128"
  make_clip() { ffmpeg -nostdin -v error -y -f lavfi -i "$ramp" "$@"; }
  make_clip -c:v libx264 "$clips/h264.mp4"
  make_clip -c:v libx264 -movflags +faststart -metadata:s:v:0 rotate=90 "$clips/rotated.mp4"
  make_clip -f lavfi -i sine=d=0.5 -c:v libx264 -c:a aac "$clips/sound.mp4"
  make_clip -c:v libx265 -x265-params log-level=error -tag:v hvc1 "$clips/hevc.mov"
  make_clip -c:v libvpx "$clips/vp8.webm"
  make_clip -c:v libvpx-vp9 "$clips/vp9.webm"
  make_clip -c:v libaom-av1 -cpu-used 8 "$clips/av1.mkv"
  make_clip -vf "setsar=2/1,setpts='if(lt(N,3),N,3+(N-3)*4)'" -fps_mode passthrough -c:v libx264 "$clips/variable.mkv"
  make_clip -c:v mpeg4 "$clips/mpeg4.avi"
  make_clip -c:v mjpeg "$clips/mjpeg.avi"
  run video video
fi
ls "$out/findings"
