#!/usr/bin/env bash
# Starts TalvoRipper from an existing x86_64 build as a user meets it, in a Wine prefix of its
# own (build/x86_64/runprefix, apart from the tests' one; see tools/run-session.sh).
# With DISPLAY set the window opens there. Without one the program runs on a private virtual
# display, a capture of its main window is written once the disc is read (the path is printed),
# and the program is then closed as a user closes it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/tools/run-session.sh"
prepare_run_prefix
if [ -n "${DISPLAY:-}" ]; then
  manage_windows
  exec "$build/wine-run" "$program" "$@"
fi

start_private_display
trap end_private_session EXIT
unmanage_windows
start_program "$@"
window=$(wait_for_main_window)
sleep 2  # its first paint
mkdir -p "$build/captures"
capture="$build/captures/TalvoRipper.png"
import -window "$window" "$capture"
echo "No display: TalvoRipper ran on a virtual one. Its main window: $capture"
