# The run command's Wine prefix and private display, sourced by tools/start.sh and by the run
# command's benchmark (tests/app/run_command_benchmark.sh), which must start the program the
# same way. Expects $top, the checkout; sets $build, $prefix and $program.
build="$top/build/x86_64"
prefix="$build/runprefix"
program="$build/bin/TalvoRipper.exe"
export TALVO_WINEPREFIX=$prefix

# The prefix as a user meets it: the components installed in its system directory (the program
# registers them from there at every start), the simulated drive holding the demo disc and the
# prefix's cdplayer.ini holding the demo disc's titles, so "Get CDDB" finds them without the
# network.
prepare_run_prefix() {
  # A session an earlier run left ending in the background (end_private_session) lived on a
  # display that is gone: a program started now would join it.
  WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
  TALVO_WINE=/usr/lib/wine/wine64 "$top/tools/wine-prefix.sh" "$prefix"
  local system32="$prefix/drive_c/windows/system32" dll
  for dll in ZEVAudioDesign ZEVAudioDisplay ZEVAudioFile ZEVAudioInformation ZEVAudioPlayer ZEVDiscRipper; do
    cp "$build/bin/$dll.dll" "$system32/"
  done
  local cdplayer="$prefix/drive_c/windows/cdplayer.ini" section
  section=$(grep -m1 '^\[' "$top/tools/simdrive/demo-cdplayer.ini")
  if ! grep -qF "$section" "$cdplayer" 2>/dev/null; then
    grep -v '^;' "$top/tools/simdrive/demo-cdplayer.ini" >>"$cdplayer"
  fi
  # Wine's Z: drive is the root of the Unix file system.
  SIMDRIVE_CONFIG="Z:$(tr / '\\' <<<"$top/tools/simdrive/demo.ini")"
  export SIMDRIVE_CONFIG
}

# Wine hands a program's top-level windows to the window manager and waits two seconds for it
# at every hide and destroy (the splash going, the main window closing). The private display
# has none, so there the program's windows are marked as not managed (Wine's per-program X11
# setting, kept in the prefix's registry); on a user's display, where a window manager
# answers, they are managed again. The registry is changed only when the mark is not as wanted.
unmanaged_key='HKCU\Software\Wine\AppDefaults\TalvoRipper.exe\X11 Driver'
windows_unmanaged() {
  grep -qF '[Software\\Wine\\AppDefaults\\TalvoRipper.exe\\X11 Driver]' "$prefix/user.reg" 2>/dev/null
}
manage_windows() {
  if windows_unmanaged; then "$build/wine-run" reg delete "$unmanaged_key" /f >/dev/null; fi
}
unmanage_windows() {
  if ! windows_unmanaged; then "$build/wine-run" reg add "$unmanaged_key" /v Managed /d N /f >/dev/null; fi
}

# A virtual display of its own, with no window manager; DISPLAY names it from now on.
start_private_display() {
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
  xvfb=$!
  local _
  for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.05; done
  export DISPLAY=":$(cat "$displayfile")"
  app=
}

# Starts the program on the private display; $app is its process.
start_program() {
  "$build/wine-run" "$program" "$@" &
  app=$!
}

# The X window of the main window, "Ombrel", once it is shown; nothing before.
shown_main_window() {
  local window
  window=$(xwininfo -name Ombrel 2>/dev/null | awk '/Window id:/ {print $4}') || true
  if [ -n "$window" ] && xwininfo -id "$window" 2>/dev/null | grep 'Map State: IsViewable' >/dev/null; then
    echo "$window"
  fi
}

# Prints the X window of the main window once it is shown, which start-up does once the disc is
# read; fails when the program ends first or after a minute.
wait_for_main_window() {
  local _ window
  for _ in $(seq 3000); do
    window=$(shown_main_window)
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    kill -0 "$app" 2>/dev/null || { echo "start: TalvoRipper ended before its window was shown" >&2; return 1; }
    sleep 0.02
  done
  echo "start: no TalvoRipper window after a minute" >&2
  return 1
}

# Closes the program as a user closes it, with its main window's close button (the message a
# window manager sends for it), and waits for its end; ends it when it does not go within 20
# seconds, or at once when it has no window to close yet (the run command stopped during the
# start).
close_program() {
  if [ -n "$app" ] && kill -0 "$app" 2>/dev/null; then
    local window _
    window=$(shown_main_window)
    if [ -n "$window" ] && "$top/tools/close-window.py" "$window"; then
      for _ in $(seq 2000); do kill -0 "$app" 2>/dev/null || break; sleep 0.01; done
    fi
    kill "$app" 2>/dev/null || true
  fi
  app=
}

# The program closed, the prefix's Wine session, which lived on the private display, ends, and
# then the display. Wine saves the prefix's registry as its session ends, most of a second,
# so that runs behind the run command, which ends with the program; the next start waits for
# it (prepare_run_prefix).
end_private_session() {
  close_program
  (
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -f "$displayfile"
  ) </dev/null >/dev/null 2>&1 &
}
