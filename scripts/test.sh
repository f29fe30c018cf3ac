#!/usr/bin/env bash
# Fresh machine to passing tests: install, build, run every suite under one
# virtual X server (window tests need a display; the others ignore it).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
bash "$here/configure-build.sh" -DGLOAMER_BUILD_TESTS=ON
cd "$root/build"
# -noreset: the server must not reset whenever its last client leaves, or a
# window test starting in that moment cannot open the display.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --output-on-failure -j "$(nproc)"
