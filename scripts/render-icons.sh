#!/usr/bin/env bash
# Renders data/icons/meridel.svg into the committed PNGs at the hicolor sizes. Run it after
# changing the SVG; it needs rsvg-convert (Debian package librsvg2-bin), which the build does not.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" meridel.svg > "png/meridel-$size.png"
done
