#!/usr/bin/env bash
# Builds both presets and runs every test: native (Linux) and win32 (Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
mkdir -p build/graph
cmake --preset native --graphviz=build/graph/targets.dot >/dev/null
# Includes and CMake targets point one way (docs/layers.md).
python3 scripts/check-layers.py --targets build/graph/targets.dot
cmake --build --preset native
cmake --preset win32 >/dev/null
cmake --build --preset win32
ctest --preset native
ctest --preset win32
file build/win32/pdfprinter.exe
file build/win32/pdfprinter.exe | grep -q 'PE32 executable (GUI) Intel 80386'
