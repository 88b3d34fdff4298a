#!/usr/bin/env bash
# Makes the project-private 64-bit Wine prefix the tests and the run command use. Building one
# costs seconds, so it is made once and kept; a half-made prefix is thrown away and redone.
set -euo pipefail
prefix=$1
wine=${TALVO_WINE:-/usr/lib/wine/wine64}
# Wine's placeholder for its built-in wnaspi32 sits in system32, ahead of the build's own
# WNASPI32.DLL in the search path of any program outside the build folder, and only the native
# library may load: without it the search goes on to the build folder (WINEPATH, wine-run).
drop_aspi_placeholder() { rm -f "$prefix/drive_c/windows/system32/wnaspi32.dll"; }
if [ -f "$prefix/.talvo-ready" ]; then drop_aspi_placeholder; exit 0; fi
rm -rf "$prefix"
mkdir -p "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" wineboot -i >/dev/null 2>&1
# A new 64-bit prefix has no fonts; without them captions render as boxes.
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -n /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
wineserver -w
drop_aspi_placeholder
touch "$prefix/.talvo-ready"
