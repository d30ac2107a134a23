#!/usr/bin/env bash
# The main job on a sample print job: the native program, started as the
# port monitor starts it (spool file, port name; the shell drops the quotes
# as the Windows command-line rules do), turns a three-page
# PostScript file into out/pdf_NN.pdf with the machine's Ghostscript.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native --target pdfprinter

root=$PWD
install=$root/out/install
mkdir -p "$install" "$root/out/ghostscript" "$root/out/pdf"
cp build/native/pdfprinter "$install/pdfprinter"
# A Ghostscript folder of our own (a link to the machine's gs) keeps the
# response file out of /usr/bin.
ln -sf "$(command -v gs)" "$root/out/ghostscript/gs"
printf '[GhostScript]\r\nLocation=%s\r\n[PPP1:]\r\nSaveType=1\r\nShowPDF=0\r\nSaveToFolder=%s\r\n' \
  "$root/out/ghostscript" "$root/out/pdf" >"$install/pdfprinter.ini"

before=$(ls "$root/out/pdf" | wc -l)
"$install/pdfprinter" "$root/tests/data/multipage.ps" "PPP1:"
pdf=$(ls -t "$root"/out/pdf/pdf_*.pdf | head -1)
[ "$(ls "$root/out/pdf" | wc -l)" -gt "$before" ] || { echo "no PDF was made" >&2; exit 1; }
echo "made $pdf"
pdfinfo "$pdf" | grep -E '^(Pages|Producer):'
pdftotext "$pdf" - | head -3
