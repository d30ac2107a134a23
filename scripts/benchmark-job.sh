#!/usr/bin/env bash
# Job mode's wall time against the same Ghostscript command run directly, on
# the same input, in one run; prints the ratio (target: at most 1.05). Then a
# job named by a template (<Title>) against the same job with the automatic
# name (target: within 2%), and the job in a save folder that already holds
# pdf_01.pdf to pdf_10000.pdf, against the same job in an empty folder.
#   scripts/benchmark-job.sh [runs] [input.ps]
#   scripts/benchmark-job.sh --wine [runs] [input.ps]
# --wine: the win32 program under Wine (its own prefix, build/win32), with the
# tests' stand-in gswin32c.exe running gs; only the folder comparison.
set -euo pipefail
cd "$(dirname "$0")/.."
wine=0
if [ "${1:-}" = --wine ]; then wine=1; shift; fi
runs=${1:-10}
input=$(realpath "${2:-tests/data/multipage.ps}")

work=$(mktemp -d)
# The jobs' log and unsaved PDFs stay in the benchmark's folder.
export XDG_DATA_HOME=$work/data
mkdir -p "$work/app" "$work/gs" "$work/out" "$work/direct" "$work/full"
now() { date +%s.%N; }

if [ $wine = 1 ]; then
  build=$(realpath build/win32)
  cmake --build --preset win32 --target pdfprinter gswin32c >/dev/null
  scripts/wine-env.sh start "$build" >/dev/null
  trap 'scripts/wine-env.sh stop "$build"; rm -rf "$work"' EXIT
  export PDFPRINTER_BUILD_DIR=$build
  cp "$build/pdfprinter.exe" "$work/app/"
  cp "$build/tests/gswin32c.exe" "$work/gs/"
  job() { scripts/wine-run.sh "$work/app/pdfprinter.exe" "$(windows "$input")" PPP1:; }
  windows() { printf 'Z:%s' "${1//\//\\}"; }
else
  cmake --build --preset native --target pdfprinter >/dev/null
  trap 'rm -rf "$work"' EXIT
  cp build/native/pdfprinter "$work/app/"
  # For the first job, a gs that keeps a copy of the job's own response file.
  printf '#!/bin/sh\ncp "${1#@}" "%s"\nexec "%s" "$@"\n' "$work/direct.rsp" "$(command -v gs)" \
    >"$work/gs/gs"
  chmod +x "$work/gs/gs"
  job() { "$work/app/pdfprinter" "$input" PPP1:; }
  windows() { printf '%s' "$1"; }
fi
settings() {
  printf '[GhostScript]\r\nLocation=%s\r\n[PPP1:]\r\nSaveType=%s\r\nShowPDF=0\r\nSaveToFolder=%s\r\n' \
    "$(windows "$work/gs")" "${2:-1}" "$(windows "$1")" >"$work/app/pdfprinter.ini"
}
settings "$work/out"
job # warm the caches; natively also keeps the job's response file

if [ $wine = 0 ]; then
  ln -sf "$(command -v gs)" "$work/gs/gs"
  sed -i "s|-sOutputFile=\"[^\"]*\"|-sOutputFile=\"$work/direct/out.pdf\"|" "$work/direct.rsp"
  total=0 direct=0
  for ((i = 0; i < runs; i++)); do
    rm -f "$work"/out/*.pdf
    t0=$(now); job; t1=$(now)
    "$work/gs/gs" "@$work/direct.rsp" "$input"; t2=$(now)
    total=$(echo "$total + $t1 - $t0" | bc -l)
    direct=$(echo "$direct + $t2 - $t1" | bc -l)
  done
  printf 'runs %d  job %.3f s  direct gs %.3f s  ratio %.3f\n' "$runs" \
    "$(echo "$total / $runs" | bc -l)" "$(echo "$direct / $runs" | bc -l)" \
    "$(echo "$total / $direct" | bc -l)"

  automatic=0 template=0
  for ((i = 0; i < runs; i++)); do
    settings "$work/out" 1
    rm -f "$work"/out/*.pdf
    t0=$(now); job; t1=$(now)
    settings "$work/out" 2
    rm -f "$work"/out/*.pdf
    t2=$(now); job; t3=$(now)
    automatic=$(echo "$automatic + $t1 - $t0" | bc -l)
    template=$(echo "$template + $t3 - $t2" | bc -l)
  done
  printf 'runs %d  automatic name %.3f s  template <Title> %.3f s  ratio %.3f\n' "$runs" \
    "$(echo "$automatic / $runs" | bc -l)" "$(echo "$template / $runs" | bc -l)" \
    "$(echo "$template / $automatic" | bc -l)"
  settings "$work/out"
fi

# The job that makes pdf_<n>.pdf in the folder, timed and undone, runs times.
timed() {
  settings "$1"
  local total=0 t0 t1
  for ((i = 0; i < runs; i++)); do
    t0=$(now); job; t1=$(now)
    rm "$1/$2"
    total=$(echo "$total + $t1 - $t0" | bc -l)
  done
  echo "$total / $runs" | bc -l
}
(cd "$work/full" && seq -f 'pdf_%02g.pdf' 1 10000 | xargs touch)
rm -f "$work"/out/*.pdf
empty=$(timed "$work/out" pdf_01.pdf)
full=$(timed "$work/full" pdf_10001.pdf)
printf 'runs %d  job in an empty folder %.3f s  with 10,000 PDFs %.3f s  difference %.1f ms\n' \
  "$runs" "$empty" "$full" "$(echo "($full - $empty) * 1000" | bc -l)"
