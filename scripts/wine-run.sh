#!/usr/bin/env bash
# Runs a Windows program of the win32 build under Wine, in the prefix and on
# the display that wine-env.sh started (or a fresh prefix when it did not).
set -u
exe=$1
build=${PDFPRINTER_BUILD_DIR:-$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all}
if [ -z "${DISPLAY:-}" ] && [ -s "$build/wine-env/display" ]; then
  export DISPLAY=$(cat "$build/wine-env/display")
fi
exec wine "$@"
