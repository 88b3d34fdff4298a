#!/usr/bin/env bash
# Starts the newest runnable piece of the system from an existing x86_64 build. Until the
# application exists that is SimDriveShow: it loads WNASPI32.DLL as the ripper will and shows
# the simulated drive with the demo disc (tools/simdrive/demo.ini).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/x86_64"
prefix="$build/wineprefix"
TALVO_WINE=/usr/lib/wine/wine64 "$top/tools/wine-prefix.sh" "$prefix"
# Wine's Z: drive is the root of the Unix file system.
SIMDRIVE_CONFIG="Z:$(tr / '\\' <<<"$top/tools/simdrive/demo.ini")"
export SIMDRIVE_CONFIG
exec "$build/wine-run" "$build/bin/SimDriveShow.exe" "$@"
