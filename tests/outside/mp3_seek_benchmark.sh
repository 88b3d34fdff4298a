#!/usr/bin/env bash
# Benchmark, run by hand (not a test): what a seek costs in a long MP3 file. Makes a one-hour and
# a five-minute file of pink noise with sox (128 kbit/s, in a scratch folder of the build), times
# the file control's OpenFile and its seeks as the player window makes them
# (outside_mp3_seek_benchmark), then the same seeks by ffmpeg (-ss, decoding 0.2 s) and by the
# mpg123 program (-k, decoding 8 frames), run natively, one process per seek: their times at
# position 0 are what starting and opening costs them.
#   tests/outside/mp3_seek_benchmark.sh [BUILD]     (BUILD: build/x86_64 by default)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$top/build/x86_64}" && pwd)
work=$build/scratch/mp3-seek-benchmark
mkdir -p "$work"
[ -s "$work/hour.mp3" ] || sox -n -r 44100 -c 2 -C 128 "$work/hour.mp3" synth 3600 pinknoise vol 0.2
[ -s "$work/five-minutes.mp3" ] || sox -n -r 44100 -c 2 -C 128 "$work/five-minutes.mp3" synth 300 pinknoise vol 0.2

windows() { echo "Z:$1" | tr / '\\'; }
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/wine-run" "$build/bin/outside_mp3_seek_benchmark.exe" "$(windows "$work/hour.mp3")" \
  "$(windows "$work/five-minutes.mp3")"

# Median wall time (ms) of five runs of a command.
median_ms() {
  local times=() start
  for _ in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    times+=($(( ($(date +%s%N) - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 3p | awk '{ printf "%.1f", $1 / 1000 }'
}
echo "natively, one process per seek in hour.mp3, median of 5 (ms):"
for seconds in 0 600 2999 3000 3599.8; do
  frame=$(awk -v s="$seconds" 'BEGIN { printf "%d", s * 44100 / 1152 }')
  printf '  at %6s s: ffmpeg -ss %6s, mpg123 -k %6s\n' "$seconds" \
    "$(median_ms ffmpeg -nostdin -loglevel error -ss "$seconds" -i "$work/hour.mp3" -t 0.2 -f s16le -y /dev/null)" \
    "$(median_ms mpg123 -q -k "$frame" -n 8 -s "$work/hour.mp3")"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
