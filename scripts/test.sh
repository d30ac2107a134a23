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
cmake --preset asan >/dev/null
cmake --build --preset asan
cmake --preset win32 >/dev/null
cmake --build --preset win32
ctest --preset native
ctest --preset asan
ctest --preset win32
bash scripts/fuzz.sh 5
file build/win32/pdfprinter.exe
file build/win32/pdfprinter.exe | grep -q 'PE32 executable (GUI) Intel 80386'
