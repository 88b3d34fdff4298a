#!/usr/bin/env bash
# Starts TalvoRipper from an existing x86_64 build as a user meets it, in a Wine prefix of its
# own (build/x86_64/runprefix, apart from the tests' one): the components installed in the
# prefix's system directory (the program registers them from there at every start), the
# simulated drive holding the demo disc (tools/simdrive/demo.ini) and the prefix's cdplayer.ini
# holding the demo disc's titles, so "Get CDDB" finds them without the network.
# With DISPLAY set the window opens there. Without one the program runs on a private virtual
# display, a capture of its main window is written once the disc is read (the path is printed),
# and the program is then closed as a user closes it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/x86_64"
prefix="$build/runprefix"
export TALVO_WINEPREFIX=$prefix
TALVO_WINE=/usr/lib/wine/wine64 "$top/tools/wine-prefix.sh" "$prefix"

system32="$prefix/drive_c/windows/system32"
for dll in ZEVAudioDesign ZEVAudioDisplay ZEVAudioFile ZEVAudioInformation ZEVAudioPlayer ZEVDiscRipper; do
  cp "$build/bin/$dll.dll" "$system32/"
done
cdplayer="$prefix/drive_c/windows/cdplayer.ini"
section=$(grep -m1 '^\[' "$top/tools/simdrive/demo-cdplayer.ini")
if ! grep -qF "$section" "$cdplayer" 2>/dev/null; then
  grep -v '^;' "$top/tools/simdrive/demo-cdplayer.ini" >>"$cdplayer"
fi

# Wine's Z: drive is the root of the Unix file system.
SIMDRIVE_CONFIG="Z:$(tr / '\\' <<<"$top/tools/simdrive/demo.ini")"
export SIMDRIVE_CONFIG
program="$build/bin/TalvoRipper.exe"
if [ -n "${DISPLAY:-}" ]; then exec "$build/wine-run" "$program" "$@"; fi

displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
app=
finish() {
  if [ -n "$app" ] && kill -0 "$app" 2>/dev/null; then
    # Closed as a user closes it (taskkill without /F sends the window WM_CLOSE); ended only
    # when it does not go within 20 seconds.
    "$build/wine-run" taskkill /IM TalvoRipper.exe >/dev/null 2>&1 || true
    for _ in $(seq 80); do kill -0 "$app" 2>/dev/null || break; sleep 0.25; done
    kill "$app" 2>/dev/null || true
  fi
  # The prefix's Wine session lived on the private display, which goes now.
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -f "$displayfile"
}
trap finish EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$displayfile")"
"$build/wine-run" "$program" "$@" &
app=$!
# The main window is shown once start-up has read the disc.
window=
for _ in $(seq 240); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Ombrel"/ {print $1; exit}')
  [ -n "$window" ] && break
  kill -0 "$app" 2>/dev/null || { echo "start: TalvoRipper ended before its window was shown" >&2; exit 1; }
  sleep 0.25
done
if [ -z "$window" ]; then echo "start: no TalvoRipper window after a minute" >&2; exit 1; fi
sleep 2  # its first paint
mkdir -p "$build/captures"
capture="$build/captures/TalvoRipper.png"
import -window "$window" "$capture"
echo "No display: TalvoRipper ran on a virtual one. Its main window: $capture"
