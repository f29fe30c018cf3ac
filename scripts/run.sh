#!/usr/bin/env bash
# Fresh machine to running program: install, build, start Tavrinex Gloamer.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
bash "$here/configure-build.sh"
exec "$(dirname "$here")/build/bin/gloamer" "$@"
