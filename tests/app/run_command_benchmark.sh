#!/usr/bin/env bash
# Benchmark, run by hand (not a test): TalvoRipper started as the run command starts it without
# a display (tools/start.sh: its own prefix, a private display with no window manager, the
# Wine session started with the program and ended after it), five times: the time from the
# start until the main window is shown, which start-up does once the demo disc's tracks are
# listed, and from the close request until the program is gone, which is when the run command
# ends, and until the session and the display have ended behind it. Then five starts with the
# prefix's Wine session already up, which leaves the program's own start.
#   tests/app/run_command_benchmark.sh        (after a build; with or without DISPLAY)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
unset DISPLAY
source "$top/tools/run-session.sh"
prepare_run_prefix

now() { date +%s.%N; }
# Milliseconds between two times of now().
span() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) * 1000 }'; }
report() {
  local what=$1; shift
  printf '%s\n' "$@" | sort -n | awk -v what="$what" '{ t[NR] = $1 }
    END { printf "%-78s best %5d ms, median %5d ms (%d runs)\n", what, t[1], t[int((NR + 1) / 2)], NR }'
}

load=$(cut -d' ' -f1-3 /proc/loadavg)
shown=() closed=() ended=() finished=() warm=()
# What the next start waits for: the session a run command left ending behind it, and the
# display after it.
end_of_earlier_session() {
  WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  wait
}
for _ in 1 2 3 4 5; do
  start_private_display
  unmanage_windows
  started=$(now)
  start_program
  wait_for_main_window >/dev/null
  up=$(now)
  sleep 2  # as the run command waits for the first paint
  closing=$(now)
  close_program
  gone=$(now)
  end_private_session
  over=$(now)
  end_of_earlier_session
  behind=$(now)
  shown+=("$(span "$started" "$up")") closed+=("$(span "$closing" "$gone")") ended+=("$(span "$closing" "$over")")
  finished+=("$(span "$closing" "$behind")")
done
for _ in 1 2 3 4 5; do
  start_private_display
  WINEPREFIX=$prefix wineserver -p
  "$build/wine-run" wineboot
  started=$(now)
  start_program
  wait_for_main_window >/dev/null
  warm+=("$(span "$started" "$(now)")")
  end_private_session
  end_of_earlier_session
done
echo "load average before: $load, after: $(cut -d' ' -f1-3 /proc/loadavg)"
report "start to the main window shown (the run command)" "${shown[@]}"
report "close request to the program gone" "${closed[@]}"
report "close request to the run command's end" "${ended[@]}"
report "close request to the session and the display gone (behind the run command)" "${finished[@]}"
report "start to the main window shown, Wine session already up" "${warm[@]}"
