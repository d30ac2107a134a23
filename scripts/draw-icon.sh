#!/usr/bin/env bash
# Draws the program's icon: a page with a folded corner and a red band, at
# 16, 32 and 48 pixels, into one .ico file (ImageMagick, no fonts).
#   draw-icon.sh OUT.ico
set -euo pipefail
out=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Drawn on a 48-pixel grid and scaled; the 16-pixel one is drawn on its own
# grid without anti-aliasing, so that its edges stay sharp.
large() {
  local size=$1 scale
  scale=$(awk -v s="$size" 'BEGIN { printf "%.6f", s / 48 }')
  convert -size "${size}x${size}" xc:none -affine "$scale,0,0,$scale,0,0" \
    -stroke '#404040' -strokewidth 1.5 -fill white -draw 'polygon 9,3 31,3 39,11 39,45 9,45' \
    -fill '#c8c8c8' -draw 'polygon 31,3 31,11 39,11' \
    -stroke none -fill '#8a8a8a' \
    -draw 'rectangle 14,10 26,11.5' -draw 'rectangle 14,15 34,16.5' -draw 'rectangle 14,20 34,21.5' \
    -fill '#c8102e' -draw 'rectangle 5,26 43,38' \
    -fill white -draw 'rectangle 10,30 38,31.5' -draw 'rectangle 10,33.5 30,35' \
    -fill '#8a8a8a' -draw 'rectangle 14,41 34,42' \
    "PNG32:$work/icon$size.png"
}
small() {
  convert -size 16x16 xc:none +antialias \
    -stroke '#404040' -strokewidth 1 -fill white -draw 'polygon 3,0 10,0 13,3 13,15 3,15' \
    -fill '#c8c8c8' -draw 'polygon 10,0 10,3 13,3' \
    -stroke none -fill '#c8102e' -draw 'rectangle 1,8 14,12' \
    -fill white -draw 'rectangle 3,10 12,10' \
    "PNG32:$work/icon16.png"
}
small
large 32
large 48
convert "$work/icon16.png" "$work/icon32.png" "$work/icon48.png" "$out"
