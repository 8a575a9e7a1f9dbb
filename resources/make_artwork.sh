#!/usr/bin/env bash
# Draws the report and background word-mark (589 x 177) and the small picture
# of the rich-text report (133 x 25): the red aerosol droplet of the program
# icon with an inner flame, beside the name VANTOR set in Liberation Sans.
# Both are drawn four times larger and scaled down for smooth edges, then
# written as 24-bit PNGs without transparency.
#
# Needs ImageMagick and fonts-liberation2; the build does not: the PNGs in
# embed/ are committed.
set -euo pipefail
cd "$(dirname "$0")"

fonts=/usr/share/fonts/truetype/liberation2
bold=$fonts/LiberationSans-Bold.ttf
regular=$fonts/LiberationSans-Regular.ttf

ink='#1f2a36'   # the dark slate of the icon tile
red='#d7191c'
amber='#ffb02e'
grey='#5b6773'

# The droplet of the icon (256 units square), its inner flame and the
# canister's cap line, as ImageMagick draw primitives.
droplet="path 'M128 34 C160 78 186 104 186 146 C186 180 160 204 128 204 C96 204 70 180 70 146 C70 104 96 78 128 34 Z'"
flame="path 'M128 98 C146 124 158 138 158 160 C158 178 145 190 128 190 C111 190 98 178 98 160 C98 138 110 124 128 98 Z'"

# mark SCALE X Y: draw commands placing the droplet with its top-left unit
# corner (70, 34) at (X, Y), SCALE pixels per unit.
mark() {
  local s=$1 x=$2 y=$3
  echo "translate $x,$y scale $s,$s translate -70,-34 fill '$red' $droplet fill '$amber' $flame"
}

# ---- Word-mark, drawn at 2356 x 708.
convert -size 2356x708 xc:white \
  -draw "$(mark 3.10 96 86)" \
  -font "$bold" -pointsize 372 -kerning 18 -fill "$ink" -annotate +560+440 'VANTOR' \
  -font "$regular" -pointsize 72 -fill "$ink" -annotate +2172+206 '®' \
  -fill "$red" -draw 'rectangle 566,500 2230,512' \
  -font "$regular" -pointsize 86 -kerning 39 -fill "$grey" \
  -annotate +566+616 'SYSTEM CALCULATION' \
  -resize 589x177\! -alpha off -depth 8 -define png:color-type=2 PNG24:embed/wordmark.png

# ---- Small picture, drawn at 532 x 100.
convert -size 532x100 xc:white \
  -draw "$(mark 0.50 10 7)" \
  -font "$bold" -pointsize 74 -kerning 7 -fill "$ink" -annotate +86+79 'VANTOR' \
  -fill "$red" -draw 'rectangle 88,88 500,92' \
  -resize 133x25\! -alpha off -depth 8 -define png:color-type=2 PNG24:embed/report_small.png
