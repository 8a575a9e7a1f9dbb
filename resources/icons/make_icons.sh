#!/usr/bin/env bash
# Renders the program icon (vantor.svg, drawn by hand) at the usual hicolor
# sizes. Needs ImageMagick; the build itself does not: the PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")"
for s in 16 32 48 64 128 256; do
  convert -background none vantor.svg -resize "${s}x${s}" -depth 8 "vantor-$s.png"
done
cp vantor-256.png ../embed/icon.png
