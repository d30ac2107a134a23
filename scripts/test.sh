#!/usr/bin/env bash
# Builds the presets and runs every test: native (Linux), win32 (Wine), the
# unit and contract tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer (the end-to-end jobs that run Ghostscript run
# once, natively), and each fuzz target over its seed corpus and then a few
# seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
mkdir -p build/graph
cmake --preset native --graphviz=build/graph/targets.dot >/dev/null
# Includes and CMake targets point one way (docs/layers.md); every path a
# comment or document names exists; the sources are formatted.
python3 scripts/check-layers.py --targets build/graph/targets.dot
python3 scripts/check-paths.py
python3 scripts/check-format.py
cmake --build --preset native
ctest --preset native
cmake --preset win32 >/dev/null
cmake --build --preset win32
# Wine runs the win32 tests mostly waiting on its processes: meanwhile the
# sanitizer build and its tests, then the fuzz targets, take the CPU it
# leaves (at the lowest priority, so the window tests keep their pace).
mkdir -p build
(
  nice -n 19 cmake --preset asan >/dev/null &&
    nice -n 19 cmake --build --preset asan &&
    nice -n 19 ctest --preset asan &&
    nice -n 19 bash scripts/fuzz.sh 2
) >build/sanitizers-and-fuzzing.log 2>&1 &
background=$!
status=0
ctest --preset win32 || status=$?
wait "$background" || status=$?
cat build/sanitizers-and-fuzzing.log
[ "$status" -eq 0 ] || exit "$status"
file build/win32/pdfprinter.exe
file build/win32/pdfprinter.exe | grep -q 'PE32 executable (GUI) Intel 80386'
