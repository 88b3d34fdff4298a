#!/usr/bin/env bash
# Makes the project-private 64-bit Wine prefix the tests and the run command use. Building one
# costs seconds, so it is made once and kept; a half-made prefix is thrown away and redone.
set -euo pipefail
prefix=$1
wine=${TALVO_WINE:-/usr/lib/wine/wine64}
[ -f "$prefix/.talvo-ready" ] && exit 0
rm -rf "$prefix"
mkdir -p "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" wineboot -i >/dev/null 2>&1
# A new 64-bit prefix has no fonts; without them captions render as boxes.
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -n /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
wineserver -w
touch "$prefix/.talvo-ready"
