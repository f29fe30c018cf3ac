#!/usr/bin/env bash
# Fuzzes the picture reader, the video reader and the project reader under
# AddressSanitizer with libFuzzer (clang), at low priority (the machine may
# be shared).
# Usage: bash scripts/fuzz.sh [SECONDS_PER_RUN] [pictures|video|project|all]  (default 1200 all)
# Each picture format gets its own run, seeded with that format's generated
# files; the video reader one run, seeded with small clips ffmpeg makes here
# in every container and codec it reads; the project reader one run with
# inputs up to 2 MB, seeded with project files as the program writes them.
# Findings land in build-fuzz/findings/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
seconds="${1:-1200}"
which="${2:-all}"
bash "$here/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -DGLOAMER_FUZZ=ON -DGLOAMER_BUILD_TESTS=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
out="$root/build-fuzz"
mkdir -p "$out/findings"
# Two runs at a time, one a core.
run() {
  local target="$1" corpus="$2" max_len="$3"
  nice -n 10 "$out/bin/$target" "$out/$corpus" -max_total_time="$seconds" -max_len="$max_len" ${extra:-} -rss_limit_mb=2048 \
    -timeout=10 -artifact_prefix="$out/findings/$corpus-" -print_final_stats=1 >"$out/fuzz-$corpus.log" 2>&1 || true
  echo "== $corpus: $(grep -E 'stat::number_of_executed_units|cov:|Done' "$out/fuzz-$corpus.log" | tail -3 | tr '\n' ' ')"
}
if [ "$which" = all ] || [ "$which" = pictures ]; then
  cmake --build "$out" -j "$(nproc)" --target fuzz_picture make_picture_corpus
  rm -rf "$out/seeds" && mkdir -p "$out/seeds"
  ASAN_OPTIONS=detect_leaks=0 "$out/bin/make_picture_corpus" "$out/seeds"
  for format in gif png jpg bmp; do
    mkdir -p "$out/corpus-$format"
    find "$out/seeds" -name "*.$format" -exec cp {} "$out/corpus-$format/" \;
  done
  run fuzz_picture corpus-gif 65536 & run fuzz_picture corpus-png 65536 & wait
  run fuzz_picture corpus-jpg 65536 & run fuzz_picture corpus-bmp 65536 & wait
fi
if [ "$which" = all ] || [ "$which" = video ]; then
  cmake --build "$out" -j "$(nproc)" --target fuzz_video
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
  run fuzz_video corpus-video 65536
fi
if [ "$which" = all ] || [ "$which" = project ]; then
  cmake --build "$out" -j "$(nproc)" --target fuzz_project
  seeds="$out/corpus-project"
  mkdir -p "$seeds"
  gif='<gif><width>400</width><height>300</height><delay_time>7</delay_time></gif>'
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<project>\n  <name>anim.gif</name>\n  %s\n  <images>\n    <path>/p/a.png</path>\n    <path>/p/anim.gif_0</path>\n    <path>/p/anim.gif_1</path>\n    <path>/p/anim.gif</path>\n    <path>/p/b.png</path>\n  </images>\n</project>\n' "$gif" >"$seeds/project.xml"
  printf '<?xml version="1.0" encoding="UTF-8"?>\n<project>\n  <name encoding="percent">a%%01.gif</name>\n  %s\n  <images>\n    <path encoding="percent">/p/ctl%%01x%%25.png</path>\n    <path>/p/50%%\tof&#xD;\nit &amp; &lt;1&gt;.png</path>\n  </images>\n  <recovery>\n    <loop_count>3</loop_count>\n    <gif_path>/p/out.gif</gif_path>\n    <project_path>/p/demo.xml</project_path>\n  </recovery>\n</project>\n' "$gif" >"$seeds/recovery.xml"
  printf '<project><!-- c --><name/>%s<images/></project>' "$gif" >"$seeds/empty.xml"
  # Inputs of any length up to the limit from the start, not grown slowly.
  extra="-len_control=0" run fuzz_project corpus-project 2097152
fi
ls "$out/findings"
