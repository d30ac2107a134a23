#!/usr/bin/env bash
# Job mode's wall time against the same Ghostscript command run directly, on
# the same input, in one run; prints the ratio (target: at most 1.05).
#   scripts/benchmark-job.sh [runs] [input.ps]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
input=$(realpath "${2:-tests/data/multipage.ps}")
cmake --build --preset native --target pdfprinter >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/app" "$work/gs" "$work/out" "$work/direct"
cp build/native/pdfprinter "$work/app/"
ln -s "$(command -v gs)" "$work/gs/gs"
printf '[GhostScript]\r\nLocation=%s\r\n[PPP1:]\r\nSaveType=1\r\nShowPDF=0\r\nSaveToFolder=%s\r\n' \
  "$work/gs" "$work/out" >"$work/app/pdfprinter.ini"
"$work/app/pdfprinter" "$input" PPP1: # warm the caches; also writes the response file
cp "$work/gs/tarnel.rsp" "$work/direct.rsp"
sed -i "s|$work/out/pdf_01.pdf|$work/direct/out.pdf|" "$work/direct.rsp"

now() { date +%s.%N; }
job=0 direct=0
for ((i = 0; i < runs; i++)); do
  rm -f "$work"/out/*.pdf
  t0=$(now); "$work/app/pdfprinter" "$input" PPP1:; t1=$(now)
  "$work/gs/gs" "@$work/direct.rsp" "$input"; t2=$(now)
  job=$(echo "$job + $t1 - $t0" | bc -l)
  direct=$(echo "$direct + $t2 - $t1" | bc -l)
done
printf 'runs %d  job %.3f s  direct gs %.3f s  ratio %.3f\n' "$runs" \
  "$(echo "$job / $runs" | bc -l)" "$(echo "$direct / $runs" | bc -l)" "$(echo "$job / $direct" | bc -l)"
