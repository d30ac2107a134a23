#!/usr/bin/env bash
# Starts or stops the test run's own Wine environment: a private 32-bit Wine
# prefix and an Xvfb display, both under the build folder.
#   wine-env.sh start BUILD_DIR | stop BUILD_DIR
set -u
action=$1
build=$(cd "$2" && pwd)
state=$build/wine-env
export WINEPREFIX=$build/wineprefix WINEARCH=win32 WINEDEBUG=-all

case $action in
start)
  mkdir -p "$state"
  "$0" stop "$build" >/dev/null 2>&1
  for n in $(seq 91 140); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    if [ -e /tmp/.X11-unix/X$n ]; then echo ":$n" >"$state/display"; break; fi
  done
  [ -s "$state/display" ] || { echo "wine-env: no X display could be started" >&2; exit 1; }
  export DISPLAY=$(cat "$state/display")
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >"$state/wineboot.log" 2>&1
  fi
  wineserver -w
  # Debian's Wine does not load the fonts of its fonts-wine package by itself.
  fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ]; then
    for f in sserife.fon tahoma.ttf tahomabd.ttf marlett.ttf wingding.ttf symbol.ttf; do
      [ -e "/usr/share/wine/fonts/$f" ] && [ ! -e "$fonts/$f" ] && ln -s "/usr/share/wine/fonts/$f" "$fonts/$f"
    done
  fi
  echo "wine-env: prefix $WINEPREFIX, display $DISPLAY"
  ;;
stop)
  wineserver -k 2>/dev/null
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null
    rm -f "$state/xvfb.pid"
  fi
  rm -f "$state/display"
  ;;
esac
exit 0
