#!/usr/bin/env bash
# Builds the presets and runs every test: native (Linux), the native tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer, win32 (Wine),
# and each fuzz target for 20 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native
cmake --preset asan >/dev/null
cmake --build --preset asan
cmake --preset win32 >/dev/null
cmake --build --preset win32
ctest --preset native
ctest --preset asan
ctest --preset win32
bash scripts/fuzz.sh 20
file build/win32/pdfprinter.exe
file build/win32/pdfprinter.exe | grep -q 'PE32 executable (GUI) Intel 80386'
