#!/usr/bin/env bash
# Draws the illustration of the page "Batch converter" (140 x 89: a file list
# with two selected documents, the context menu open, the pointer on "Convert
# to PDF") with ImageMagick, encodes it with libjpeg through the native
# build's picture_record and stores it as resources/illustration_picture_data.bin.
# Usage: scripts/draw-illustration.sh [quality]   (the build embeds the result)
set -euo pipefail
cd "$(dirname "$0")/.."
quality=${1:-85}
font=/usr/share/wine/fonts/tahoma.ttf
bold=/usr/share/wine/fonts/tahomabd.ttf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

text() {  # x, baseline, colour, words[, font]
  echo "fill '$3' font '${5:-$font}' font-size 9 text $1,$2 '$4'"
}

document_icon() {  # x, y, colour of the band on top
  local x=$1 y=$2
  echo "fill white stroke '#6D7F95' rectangle $x,$y $((x + 8)),$((y + 10)) stroke none"
  echo "fill '$3' rectangle $((x + 1)),$((y + 1)) $((x + 7)),$((y + 2))"
  for line in 4 6 8; do
    echo "fill '#9AA6B4' rectangle $((x + 2)),$((y + line)) $((x + 6 - line / 8)),$((y + line))"
  done
}

file_row() {  # top, name, band colour, selected (0/1)
  local y=$1
  document_icon 4 $((y + 1)) "$3"
  if [ "$4" = 1 ]; then
    echo "fill '#316AC5' fill-opacity 0.45 rectangle 4,$((y + 1)) 12,$((y + 11)) fill-opacity 1"
    echo "fill '#316AC5' rectangle 15,$y $((19 + ${#2} * 4)),$((y + 12))"
    text 17 $((y + 10)) white "$2"
  else
    text 17 $((y + 10)) black "$2"
  fi
}

menu_separator() {  # x, y, width
  echo "fill '#ACA899' rectangle $(($1 + 3)),$(($2 + 1)) $(($1 + $3 - 4)),$(($2 + 1))"
}

draw() {
  echo "viewbox 0 0 140 89"
  echo "stroke-antialias false"
  # The list's column headers.
  echo "fill '#ECE9D8' rectangle 0,0 139,11"
  echo "fill '#D6D2C2' rectangle 0,10 139,10"
  echo "fill '#ACA899' rectangle 0,11 139,11"
  echo "fill '#C7C5B2' rectangle 82,2 82,8"
  text 4 9 black Name
  text 86 9 black Size
  # The files, two documents selected.
  local word='#2B5797' plain='#8C8C8C'
  file_row 14 Agenda.doc "$word" 0
  text 100 24 black "24 KB"
  file_row 28 Letter.doc "$word" 1
  file_row 42 Report.doc "$word" 1
  file_row 56 Notes.txt "$plain" 0
  file_row 70 Prices.doc "$word" 0
  file_row 84 Minutes.doc "$word" 0
  # The context menu, opened on the selection, with its shadow.
  local x=42 y=35 width=92
  echo "fill black fill-opacity 0.18 rectangle $((x + 2)),$((y + 2)) $((x + width + 1)),88 fill-opacity 1"
  echo "fill '#ACA899' rectangle $x,$y $((x + width - 1)),88"
  echo "fill white rectangle $((x + 1)),$((y + 1)) $((x + width - 2)),88"
  local top=$((y + 3))
  text $((x + 18)) $((top + 10)) black Open "$bold"
  top=$((top + 14))
  text $((x + 18)) $((top + 10)) black Print
  top=$((top + 14))
  menu_separator $x $top $width
  top=$((top + 3))
  # The highlighted entry, with a small red PDF page.
  echo "fill '#316AC5' rectangle $((x + 2)),$top $((x + width - 3)),$((top + 13))"
  echo "fill white stroke '#A40000' rectangle $((x + 5)),$((top + 2)) $((x + 12)),$((top + 11)) stroke none"
  echo "fill '#D40000' rectangle $((x + 6)),$((top + 6)) $((x + 11)),$((top + 8))"
  text $((x + 18)) $((top + 10)) white "Convert to PDF"
  # The mouse pointer, its tip on the entry.
  local px=$((x + 86)) py=$((top + 6))
  echo "fill white stroke black stroke-width 1 polygon $px,$py $px,$((py + 12))" \
    "$((px + 3)),$((py + 9)) $((px + 5)),$((py + 13)) $((px + 7)),$((py + 12))" \
    "$((px + 5)),$((py + 8)) $((px + 9)),$((py + 8)) stroke none"
  top=$((top + 14))
  menu_separator $x $top $width
  top=$((top + 3))
  text $((x + 18)) $((top + 10)) black "Send To"
}

convert -size 140x89 xc:white -draw "$(draw)" -depth 8 "$work/illustration.ppm"
cmake --preset native >/dev/null
cmake --build --preset native --target picture_record >/dev/null
build/native/picture_record "$work/illustration.ppm" "$quality" resources/illustration_picture_data.bin
echo "resources/illustration_picture_data.bin: $(stat -c %s resources/illustration_picture_data.bin) bytes"
