#!/usr/bin/env bash
# Screenshots of both pages of the set-up window, as PNG files.
#   setup-window-screenshots.sh WIN32_BUILD_DIR [OUT_DIR]
# Needs the build's Wine environment (wine-env.sh start WIN32_BUILD_DIR).
# The window runs inside a Wine virtual desktop so that Wine draws its
# frame and title bar (Xvfb has no window manager).
set -eu
build=$(cd "$1" && pwd)
out=${2:-$build}
mkdir -p "$out"
export WINEPREFIX=$build/wineprefix WINEARCH=win32 WINEDEBUG=-all
export DISPLAY=$(cat "$build/wine-env/display")

work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; unseed; rm -rf "$work"' EXIT
cp "$build/pdfprinter.exe" "$work/"

# Page 1 with rows and the details group: two ports, a printer on the first
# with its options. Removed again at the end.
ports='HKLM\SYSTEM\CurrentControlSet\Control\Print\Monitors\Redirected Port\Ports'
printer='HKLM\SYSTEM\CurrentControlSet\Control\Print\Printers\PDF Printer'
unseed() {
  for key in "$ports\PPP1:" "$ports\PPP2:" "$printer"; do wine reg delete "$key" /f >/dev/null 2>&1; done
}
wine reg add "$ports\PPP1:" /f >/dev/null
wine reg add "$ports\PPP2:" /f >/dev/null
wine reg add "$printer" /v Port /d PPP1: /f >/dev/null
printf '[PPP1:]\r\nSaveToFolder=C:\\PDF files\r\nSaveType=1\r\nShowPDF=1\r\n' >"$work/pdfprinter.ini"
desktop=shots
wine explorer /desktop=$desktop,600x640 "$work/pdfprinter.exe" &
pid=$!

for _ in $(seq 60); do
  id=$(xdotool search --name "^$desktop - Wine desktop\$" 2>/dev/null | head -1 || true)
  [ -n "$id" ] && break
  sleep 0.5
done
[ -n "${id:-}" ] || { echo "no Wine desktop window" >&2; exit 1; }
sleep 4
# The dialog (406 x 580 with its frame) is centred on the 600 x 640 desktop.
crop=406x580+97+30
import -window "$id" -crop "$crop" +repage "$out/setup-page1.png"
# The title bar shows the program's icon: its 16-pixel image over the
# caption's colour is found near the title bar's left end.
caption=$(convert "$out/setup-page1.png" -format '%[pixel:p{300,10}]' info:)
convert "$build/pdfprinter.ico[0]" -background "$caption" -flatten "$work/icon16.png"
convert "$out/setup-page1.png" -crop 40x24+0+0 +repage "$work/title.png"
match=$(compare -metric AE -fuzz 10% -subimage-search "$work/title.png" "$work/icon16.png" null: 2>&1 || true)
[ "${match%% *}" = 0 ] || { echo "no program icon in the title bar: $match" >&2; exit 1; }
# The tab "Batch converter".
xdotool mousemove --window "$id" 223 61 click 1
sleep 1
import -window "$id" -crop "$crop" +repage "$out/setup-page2.png"
for f in "$out/setup-page1.png" "$out/setup-page2.png"; do
  [ -s "$f" ] || { echo "no picture in $f" >&2; exit 1; }
done
echo "wrote $out/setup-page1.png $out/setup-page2.png"
exit 0
