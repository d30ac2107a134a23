#!/usr/bin/env bash
# Builds the presets and runs every test: native (Linux), the unit and
# contract tests again under AddressSanitizer and UndefinedBehaviorSanitizer
# (the end-to-end jobs that run Ghostscript run once, natively), win32
# (Wine), and each fuzz target over its seed corpus and then a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
mkdir -p build/graph
cmake --preset native --graphviz=build/graph/targets.dot >/dev/null
# Includes and CMake targets point one way (docs/layers.md).
python3 scripts/check-layers.py --targets build/graph/targets.dot
cmake --build --preset native
ctest --preset native
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
cmake --preset win32 >/dev/null
cmake --build --preset win32
# The fuzz targets run on one core while Wine runs the win32 tests.
bash scripts/fuzz.sh 5 >build/fuzz.log 2>&1 &
fuzzing=$!
ctest --preset win32
wait "$fuzzing" || { cat build/fuzz.log; exit 1; }
cat build/fuzz.log
file build/win32/pdfprinter.exe
file build/win32/pdfprinter.exe | grep -q 'PE32 executable (GUI) Intel 80386'
