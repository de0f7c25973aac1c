#!/usr/bin/env bash
# Remakes the icon's pictures from qe2m4.svg (needs ImageMagick and librsvg2-bin's rsvg-convert).
set -euo pipefail
cd "$(dirname "$0")"
convert -background none qe2m4.svg -resize 128x128 linux/qe2m4.png
convert -background none qe2m4.svg \( -clone 0 -resize 16x16 \) \( -clone 0 -resize 32x32 \) \
  \( -clone 0 -resize 48x48 \) \( -clone 0 -resize 256x256 \) -delete 0 windows/qe2m4.ico
