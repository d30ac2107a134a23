#!/usr/bin/env bash
# Builds both presets and runs every test: native (Linux) and win32 (Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset win32 >/dev/null
cmake --build --preset win32
ctest --preset native
ctest --preset win32
file build/win32/pdfprinter.exe
file build/win32/pdfprinter.exe | grep -q 'PE32 executable (GUI) Intel 80386'
