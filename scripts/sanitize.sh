#!/usr/bin/env bash
# Builds the program and its tests under AddressSanitizer with
# UndefinedBehaviorSanitizer, and under ThreadSanitizer, runs the whole suite
# under each, and reports the findings whose stack reaches the program's own
# sources. Findings that stay inside the desktop libraries (GTK, glib,
# fontconfig and the like, which are not built with the sanitizers) are
# counted apart and not held against the program. Not part of CI: a run takes
# a long while.
#
#   bash scripts/sanitize.sh [address|thread|all]
#
# Exits 0 when no run has a finding in the program's own code.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
which="${1:-all}"
jobs="$(nproc)"

bash "$here/install-deps.sh"

# Libraries the program calls but does not build; their own findings are
# theirs. Also the toolkit, whose event loop hands GTK's objects around.
foreign='libgtk-3|libgdk-3|libglib-2|libgobject-2|libgio-2|libfontconfig|libpango|libcairo|libharfbuzz|libgdk_pixbuf|libatk|libatspi|libdbus|libX11|libxcb|libwx_|libgomp|libepoxy|libfreetype|libstdc\+\+|libavcodec|libavformat|libavutil|libswscale'

# run_suite <name> <flags> <environment assignments...>
run_suite() {
  local name="$1" flags="$2"; shift 2
  local build="$root/build-$name" logs="$root/build-$name/sanitizer-logs"
  cmake -S "$root" -B "$build" -DGLOAMER_BUILD_TESTS=ON -DGLOAMER_TEST_TIMEOUT=1200 \
    -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$flags -fno-omit-frame-pointer -O1 -g" \
    -DCMAKE_C_FLAGS="$flags -fno-omit-frame-pointer -O1 -g" \
    -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" >/dev/null
  cmake --build "$build" -j "$jobs"
  rm -rf "$logs"; mkdir -p "$logs"
  echo "== $name: running the suite"
  (cd "$build" && env "$@" xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
      ctest -j "$jobs" --timeout 1200 --output-on-failure) >"$logs/ctest.txt" 2>&1 || true
  tail -n 3 "$logs/ctest.txt"
  # A sanitizer that refuses its options ends every test program before
  # its tests are even listed; that is no clean run.
  local ran
  ran="$(grep -oE 'out of [0-9]+' "$logs/ctest.txt" | grep -oE '[0-9]+' || echo 0)"
  if [ "$ran" -lt 20 ]; then
    echo "== $name: the suite did not run ($ran tests); the first sanitizer log says:"
    head -n 3 "$logs"/san.* 2>/dev/null | head -n 6
    failed=1; return
  fi
  report "$name" "$logs"
}

# report <name> <logs>: splits every log into findings and sorts them into
# the program's own and the foreign ones.
report() {
  local name="$1" logs="$2" own=0 other=0
  : >"$logs/own.txt"
  shopt -s nullglob
  # UndefinedBehaviorSanitizer beside AddressSanitizer writes to the test's
  # own output, so the suite's output is read too.
  for f in "$logs"/san.* "$logs/ctest.txt"; do
    # One finding per block that starts at an ERROR/WARNING header or at a
    # runtime-error line, up to the next one.
    while IFS= read -r -d $'\x1e' block; do
      [ -n "${block//[$'\n ']/}" ] || continue
      if grep -q -E "$root/(src|tests)/" <<<"$block" && ! own_frames_only_under_foreign "$block"; then
        own=$((own + 1)); printf '%s\n\n' "$block" >>"$logs/own.txt"
      else
        other=$((other + 1))
      fi
    done < <(awk '
      /^==[0-9]+==(ERROR|WARNING)|^WARNING: ThreadSanitizer|^(Direct|Indirect) leak of|runtime error:/ {
        printf "\x1e"; inside = 1; stack = 0; whole = /ThreadSanitizer/ }
      inside && /^ *#[0-9]+ / { stack = 1 }
      inside && whole && /^SUMMARY:/ { print; inside = 0; printf "\x1e"; next }
      inside && !whole && stack && /^ *$/ { inside = 0; printf "\x1e"; next }
      inside { print }
      END { printf "\x1e" }' "$f")
  done
  echo "== $name: $own finding(s) in the program's own code, $other inside foreign libraries"
  [ "$own" -eq 0 ] || { echo "   see $logs/own.txt"; failed=1; }
}

# A finding whose first frame is a foreign library (a leak GTK made while
# the program called it) is the library's, even if the program's frames
# stand further down the stack.
own_frames_only_under_foreign() {
  local first
  first="$(grep -m1 -E '^\s+#[0-9]+ ' <<<"$1" | grep -v -E 'libasan|libtsan|libubsan|sanitizer_common|interceptor' || true)"
  [ -z "$first" ] && first="$(grep -E '^\s+#[0-9]+ ' <<<"$1" | grep -v -E 'libasan|libtsan|libubsan|operator new|malloc|calloc|realloc' | head -n 1 || true)"
  grep -q -E "$foreign" <<<"$first"
}

failed=0
supp="$root/build-supp"; mkdir -p "$supp"
{
  for lib in libgtk-3 libgdk-3 libglib-2.0 libgobject-2.0 libgio-2.0 libfontconfig libpango \
             libcairo libharfbuzz libgdk_pixbuf libatk libatspi libdbus libX11 libxcb libepoxy \
             libstdc++; do
    echo "leak:$lib"
  done
} >"$supp/lsan.txt"
{
  for lib in libgtk-3 libgdk-3 libglib-2.0 libgobject-2.0 libgio-2.0 libfontconfig libpango \
             libcairo libharfbuzz libgdk_pixbuf libatk libatspi libdbus libX11 libxcb libgomp libepoxy \
             libavcodec libavformat libavutil libswscale; do
    echo "race:$lib"; echo "mutex:$lib"; echo "deadlock:$lib"
  done
} >"$supp/tsan.txt"

if [ "$which" = address ] || [ "$which" = all ]; then
  run_suite asan "-fsanitize=address,undefined" \
    ASAN_OPTIONS="log_path=$root/build-asan/sanitizer-logs/san:detect_leaks=1:allow_user_segv_handler=1:detect_stack_use_after_return=0" \
    LSAN_OPTIONS="suppressions=$supp/lsan.txt:print_suppressions=0" \
    UBSAN_OPTIONS="log_path=$root/build-asan/sanitizer-logs/san:print_stacktrace=1"
fi
if [ "$which" = thread ] || [ "$which" = all ]; then
  run_suite tsan "-fsanitize=thread" \
    TSAN_OPTIONS="log_path=$root/build-tsan/sanitizer-logs/san:suppressions=$supp/tsan.txt:second_deadlock_stack=1:exitcode=0"
fi
exit "$failed"
