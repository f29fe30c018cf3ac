#!/usr/bin/env bash
# Renders the desktop icon (desktop/icons/hicolor/scalable/apps/*.svg, the
# design of Themes/application.ico) into the hicolor theme's PNG sizes beside
# it. The PNGs are kept in the repository, so building needs no SVG renderer;
# run this after changing the SVG. Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
theme="$(dirname "$here")/desktop/icons/hicolor"
id=com.tavrinex.Gloamer
svg="$theme/scalable/apps/$id.svg"

for size in 16 32 48 64 128 256; do
  mkdir -p "$theme/${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$theme/${size}x${size}/apps/$id.png" "$svg"
done
