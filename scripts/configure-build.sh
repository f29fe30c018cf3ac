#!/usr/bin/env bash
# Installs what is missing, then configures and builds into build/.
# Extra arguments go to the CMake configure step.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(dirname "$here")"
bash "$here/install-deps.sh"
cmake -S "$root" -B "$root/build" "$@" >/dev/null
cmake --build "$root/build" -j "$(nproc)"
