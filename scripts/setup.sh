#!/usr/bin/env bash
# Installs everything the builds and tests need, from Debian packages. Idempotent.
set -euo pipefail

need_root() { if [ "$(id -u)" -ne 0 ]; then exec sudo -E bash "$0" "$@"; fi; }
need_root "$@"
export DEBIAN_FRONTEND=noninteractive

packages=(
  build-essential cmake ninja-build pkg-config git
  googletest libgtest-dev libgmock-dev
  g++-mingw-w64-i686 gcc-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
  wine wine32:i386 fonts-wine xvfb xdotool x11-utils imagemagick
  ghostscript poppler-utils file zenity xdg-utils bc python3
  libjpeg62-turbo-dev libjpeg-turbo-progs dpkg-dev
  icoutils nsis
  clang libclang-rt-14-dev libbenchmark-dev clang-format
  qpdf default-jre-headless libpdfbox2-java libactivation-java libjaxb-api-java
)

# The win32 build cross-compiles libjpeg-turbo from Debian's source package
# (apt-get source), which needs deb-src entries for Debian's own archive.
add_debian_sources() {
  if apt-cache showsrc libjpeg-turbo 2>/dev/null | grep -q '^Package: libjpeg-turbo$'; then return; fi
  need_update=1
  local list=/etc/apt/sources.list.d/pdfprinter-deb-src
  if grep -qsE '^[[:space:]]*deb-src[[:space:]].*debian\.org' /etc/apt/sources.list /etc/apt/sources.list.d/*.list ||
     grep -qsE '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources; then
    return  # present; the package lists only need updating
  fi
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    # deb822 stanzas of Debian's archive, as deb-src.
    awk 'BEGIN { RS = "" }
         /(^|\n)Types:[^\n]*(^|[ \t])deb([ \t]|\n|$)/ && /URIs:[^\n]*debian\.org/ &&
         !/(^|\n)Enabled:[ \t]*no/ {
           n = split($0, lines, "\n"); out = ""
           for (i = 1; i <= n; i++) {
             if (lines[i] ~ /^#/) continue
             if (lines[i] ~ /^Types:/) lines[i] = "Types: deb-src"
             out = out lines[i] "\n"
           }
           printf "%s\n", out
         }' "$f" >>"$list.sources"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$f" ] || continue
    sed -n 's/^[[:space:]]*deb[[:space:]]\(.*debian\.org.*\)$/deb-src \1/p' "$f" >>"$list.list"
  done
  [ -s "$list.sources" ] || rm -f "$list.sources"
  [ -s "$list.list" ] || rm -f "$list.list"
}

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
add_debian_sources
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ] || [ "${need_update:-0}" = 1 ]; then
  apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
echo "setup: all packages present"
